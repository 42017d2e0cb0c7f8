#include "posting/EscPosReceipt.h"

#include "posting/EscPosWriter.h"

#include <QImage>

namespace vanta::posting {

namespace {

using Align = EscPosWriter::Align;

// Amounts end two characters before the edge, where a line's "T" goes.
constexpr int kMarkWidth = 2;

void copyMark(EscPosWriter &w, const ReceiptContent &r)
{
    if (!r.copy)
        return;
    w.align(Align::Center).bold(true).doubleHeight(true).line(ReceiptCopyMark).doubleHeight(false).bold(false);
}

void rows(EscPosWriter &w, const QList<ReceiptContent::Row> &list)
{
    for (const ReceiptContent::Row &row : list) {
        if (row.strong)
            w.bold(true).doubleHeight(true);
        w.columnsLine(row.label, row.value, kMarkWidth);
        if (row.strong)
            w.doubleHeight(false).bold(false);
    }
}

} // namespace

QByteArray escPosReceipt(const ReceiptContent &r, int paperMm, bool openDrawer)
{
    EscPosWriter w(escPosColumns(paperMm), escPosDots(paperMm));
    w.initialize();
    if (openDrawer)
        w.drawerKick();
    copyMark(w, r);

    w.align(Align::Center);
    if (!r.logoPath.isEmpty())
        w.image(QImage(r.logoPath)); // an unreadable file prints no logo
    if (!r.storeName.isEmpty())
        w.bold(true).doubleHeight(true).wrapped(r.storeName).doubleHeight(false).bold(false);
    for (const QString &l : r.storeLines)
        w.wrapped(l);
    w.align(Align::Left).rule();

    for (const ReceiptContent::Row &row : r.details)
        w.columnsLine(row.label, row.value);
    w.rule();

    for (const ReceiptContent::Line &l : r.lines) {
        w.wrapped(l.description);
        w.columnsLine(QStringLiteral("  ") + l.detail, l.amount + (l.taxed ? QStringLiteral(" T") : QStringLiteral("  ")));
    }
    w.rule();

    rows(w, r.totals);
    w.line(QString());
    rows(w, r.payment);
    w.rule();
    if (r.anyTaxed)
        w.line(TaxedNote);

    w.align(Align::Center);
    w.line(QString());
    if (!r.barcode.isEmpty())
        w.barcode128(r.barcode).line(QString());
    for (const QString &l : r.footer)
        for (const QString &part : l.split(QLatin1Char('\n')))
            w.wrapped(part);
    copyMark(w, r);
    w.align(Align::Left).feed(4).cut();
    return w.bytes();
}

QByteArray escPosDrawerKick()
{
    EscPosWriter w(escPosColumns(80), escPosDots(80));
    return w.initialize().drawerKick().bytes();
}

} // namespace vanta::posting
