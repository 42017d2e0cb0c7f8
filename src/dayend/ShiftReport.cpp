#include "dayend/ShiftReport.h"

#include "platform/Currency.h"
#include "posting/EscPosWriter.h"
#include "posting/ReportLayout.h"

#include <QLocale>

namespace vanta::dayend {

namespace {

using Rows = std::vector<ReportRow>;

QString money(qint64 cents) { return formatCurrencyCents(cents); }
QString count(int n) { return QString::number(n); }
QString when(const QDateTime &t) { return QLocale().toString(t, QLocale::ShortFormat); }

void heading(Rows &rows, const QString &text) { rows.push_back({text, {}, {}, {}}); }
void row(Rows &rows, const QString &label, const QString &n, qint64 cents) { rows.push_back({{}, label, n, money(cents)}); }
void tallies(Rows &rows, const std::vector<Tally> &list)
{
    for (const Tally &t : list)
        row(rows, t.name.isEmpty() ? QStringLiteral("(none)") : t.name, count(t.count), t.cents);
}

} // namespace

QString shiftReportTitle(const ShiftFigures &f, bool copy)
{
    if (f.zNumber == 0)
        return QStringLiteral("X Report");
    return QStringLiteral("Z Report %1%2").arg(f.zNumber).arg(copy ? QStringLiteral(" (COPY)") : QString());
}

QStringList shiftReportHeader(const ShiftFigures &f)
{
    QStringList lines{QStringLiteral("Register: %1").arg(f.registerName),
                      QStringLiteral("Shift opened: %1 by %2").arg(when(f.openedAt), f.openedBy),
                      (f.zNumber == 0 ? QStringLiteral("Printed: %1") : QStringLiteral("Closed: %1")).arg(when(f.closedAt))};
    if (f.closedAfterCrash)
        lines << QStringLiteral("Closed after a crash: the drawer was not counted.");
    return lines;
}

std::vector<ReportRow> shiftReportRows(const ShiftFigures &f)
{
    Rows rows;
    heading(rows, QStringLiteral("Sales"));
    row(rows, QStringLiteral("Sales"), count(f.salesCount), f.gross);
    row(rows, QStringLiteral("Discounts"), {}, -f.discounts);
    row(rows, QStringLiteral("Returns"), {}, -f.returns);
    row(rows, QStringLiteral("Net sales"), {}, f.net());
    row(rows, QStringLiteral("Shipping"), {}, f.shipping);
    heading(rows, QStringLiteral("Tax by agency"));
    tallies(rows, f.taxByAgency);
    row(rows, QStringLiteral("Total tax"), {}, f.taxTotal());
    if (!f.taxByJurisdiction.empty()) {
        heading(rows, QStringLiteral("Tax by jurisdiction"));
        tallies(rows, f.taxByJurisdiction);
    }
    heading(rows, QStringLiteral("By pay type"));
    tallies(rows, f.byPayType);
    heading(rows, QStringLiteral("By cashier"));
    tallies(rows, f.byCashier);
    heading(rows, QStringLiteral("On account"));
    row(rows, QStringLiteral("Invoices raised"), count(f.invoices.count), f.invoices.cents);
    row(rows, QStringLiteral("Payments received"), count(f.accountPayments.count), f.accountPayments.cents);
    heading(rows, QStringLiteral("Drawer"));
    row(rows, QStringLiteral("Cancelled sales"), count(f.cancelled.count), f.cancelled.cents);
    rows.push_back({{}, QStringLiteral("No sale openings"), count(f.noSales), {}});
    heading(rows, QStringLiteral("Cash"));
    row(rows, QStringLiteral("Float"), {}, f.floatCents);
    row(rows, QStringLiteral("Cash sales"), {}, f.cashSales);
    row(rows, QStringLiteral("Cash refunds"), {}, -f.cashRefunds);
    row(rows, QStringLiteral("Paid in"), {}, f.paidIn);
    row(rows, QStringLiteral("Paid out"), {}, -f.paidOut);
    row(rows, QStringLiteral("Expected cash"), {}, f.expectedCash());
    if (f.countedCash) {
        row(rows, QStringLiteral("Counted cash"), {}, *f.countedCash);
        const qint64 d = f.overShort();
        rows.push_back({{}, d > 0 ? QStringLiteral("Over") : d < 0 ? QStringLiteral("Short") : QStringLiteral("Even"),
                        {}, money(std::abs(d))});
    } else {
        rows.push_back({{}, QStringLiteral("Counted cash"), {}, QStringLiteral("not counted")});
    }
    heading(rows, QStringLiteral("Items sold most"));
    tallies(rows, f.topItems);
    return rows;
}

QByteArray escPosShiftReport(const ShiftFigures &f, bool copy, int paperMm)
{
    using Align = posting::EscPosWriter::Align;
    posting::EscPosWriter w(posting::escPosColumns(paperMm), posting::escPosDots(paperMm));
    w.initialize().align(Align::Center).bold(true).doubleHeight(true).line(shiftReportTitle(f, copy));
    w.doubleHeight(false).bold(false).align(Align::Left);
    for (const QString &line : shiftReportHeader(f))
        w.wrapped(line);
    for (const ReportRow &r : shiftReportRows(f)) {
        if (!r.heading.isEmpty()) {
            w.rule().bold(true).line(r.heading).bold(false);
            continue;
        }
        const QString label = r.count.isEmpty() ? r.label : QStringLiteral("%1 (%2)").arg(r.label, r.count);
        w.columnsLine(label, r.amount);
    }
    w.rule().feed(2).cut();
    return w.bytes();
}

posting::RenderedDocument shiftReportDocument(const ShiftFigures &f, bool copy, const QString &layoutPath)
{
    const posting::ReportLayout layout = posting::ReportLayout::load(layoutPath);
    posting::ReportData data;
    data.fields.insert(QStringLiteral("Report.Title"), shiftReportTitle(f, copy));
    data.fields.insert(QStringLiteral("Report.Header"), shiftReportHeader(f).join(QLatin1Char('\n')));
    data.lineFields = QStringList{QStringLiteral("Row.Heading"), QStringLiteral("Row.Label"), QStringLiteral("Row.Count"),
                                  QStringLiteral("Row.Amount")};
    for (const ReportRow &r : shiftReportRows(f))
        data.lines.append({{QStringLiteral("Row.Heading"), r.heading},
                           {QStringLiteral("Row.Label"), r.label},
                           {QStringLiteral("Row.Count"), r.count},
                           {QStringLiteral("Row.Amount"), r.amount}});
    posting::RenderedDocument doc;
    doc.title = shiftReportTitle(f, copy);
    doc.html = layout.fill(data);
    doc.page = layout.page();
    return doc;
}

} // namespace vanta::dayend
