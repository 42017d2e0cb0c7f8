// The register's shift commands: the shift opened with its float, cash paid
// in and out, the X report and the Z report that closes the shift.
#include "register/RegisterActions.h"

#include "dayend/AmountEntry.h"
#include "dayend/RegisterName.h"
#include "dayend/ShiftBook.h"
#include "dayend/ShiftError.h"
#include "dayend/ShiftReport.h"
#include "dayend/frmDrawerCount.h"
#include "dayend/frmStoreView.h"
#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform/DialogRunner.h"
#include "posting/ReportEngine.h"
#include "posting/SaleDocuments.h"
#include "register/RegisterSession.h"

#include <QDir>
#include <QLocale>

namespace vanta {

namespace {

const QString kOpenShift = QStringLiteral("Open Shift");
const QString kCloseShift = QStringLiteral("Close Shift");
const QString kFloatQuestion = QStringLiteral("The starting float: the cash in the drawer now (count it or type it):");
// Per-user settings: whether the float is asked for at a logon with no
// shift open, and whether the register's last run is still going (it never
// ended when the next start finds it so).
const QString kPos = QStringLiteral("POS");
const QString kSettings = QStringLiteral("Settings");
const QString kShiftAtLogon = QStringLiteral("Open Shift At Logon");
const QString kRunning = QStringLiteral("Register Running");

} // namespace

dayend::ShiftBook RegisterActions::shiftBook()
{
    return dayend::ShiftBook(mSession.store(), dayend::registerName(mSession.settings));
}

qint32 RegisterActions::currentShiftId()
{
    if (!mSession.hasStore())
        return 0;
    const std::optional<dayend::Shift> shift = shiftBook().current();
    return shift ? shift->id : 0;
}

void RegisterActions::recordAtDrawer(dayend::MovementKind kind, qint64 cents, const QString &reason)
{
    // The shift's records are kept on the server.
    if (!mSession.hasStore() || mSession.sellingOffline())
        return;
    dayend::ShiftBook book = shiftBook();
    if (const std::optional<dayend::Shift> shift = book.current())
        book.record(*shift, kind, cents, reason, mSession.identity.employeeNumber);
}

std::optional<qint64> RegisterActions::askAmount(const QString &question, const QString &title, bool zeroAllowed)
{
    for (;;) {
        const std::optional<QString> typed = mSession.prompt.input(question, title, QStringLiteral("0.00"));
        if (!typed)
            return std::nullopt;
        const dayend::AmountEntry entry = dayend::readDrawerAmount(*typed, zeroAllowed);
        if (entry.cents)
            return entry.cents;
        mSession.prompt.message(entry.problem, platform::Buttons::Ok, platform::Icon::Exclamation, title);
    }
}

void RegisterActions::tellShift(const QString &text, platform::Icon icon, const QString &title)
{
    mSession.prompt.message(text, platform::Buttons::Ok, icon, title);
}

void RegisterActions::openShift()
{
    diag::run("frmPOS", "mnuOpenShift_Click", [&] {
        if (refusedOffline(QStringLiteral("Opening a shift")))
            return;
        dayend::ShiftBook book = shiftBook();
        if (book.current())
            return tellShift(QStringLiteral("A shift is open on this register already. Close it with its Z report "
                                            "before opening the next."),
                             platform::Icon::Information, kOpenShift);
        openWithFloat(book, kFloatQuestion);
    });
}

void RegisterActions::openWithFloat(dayend::ShiftBook &book, const QString &question)
{
    const std::optional<qint64> floatCents = askAmount(question, kOpenShift, true);
    if (!floatCents)
        return;
    try {
        book.open(mSession.identity.employeeNumber, *floatCents);
    } catch (const dayend::ShiftError &e) {
        tellShift(e.description(), platform::Icon::Exclamation, kOpenShift);
    }
}

void RegisterActions::offerShift()
{
    diag::run("frmPOS", "offerShift", [&] {
        if (!mSession.hasStore() || mSession.settings.read(kPos, kSettings, kShiftAtLogon) == QLatin1String("0"))
            return;
        dayend::ShiftBook book = shiftBook();
        if (!book.current())
            openWithFloat(book, QStringLiteral("No shift is open on this register. ") + kFloatQuestion);
    });
}

void RegisterActions::shiftAtStart()
{
    // The shifts are the server's: offline the register sells in the shift
    // its copy knows to be open, if any, and leaves it as it is.
    if (mSession.sellingOffline())
        return;
    diag::run("frmPOS", "shiftAtStart", [&] {
        const bool lastRunEnded = mSession.settings.read(kPos, kSettings, kRunning) != QLatin1String("1");
        mSession.settings.save(kPos, kSettings, kRunning, QStringLiteral("1"));
        dayend::ShiftBook book = shiftBook();
        const std::optional<dayend::Shift> open = book.current();
        if (open && !lastRunEnded) {
            const dayend::ShiftFigures z = book.close(*open, std::nullopt, mSession.identity.employeeNumber, true);
            tellShift(QStringLiteral("The register stopped unexpectedly while its shift (opened %1) was open. That "
                                     "shift is now closed as Z report %2 with the sales posted in it; its drawer "
                                     "was not counted.")
                          .arg(QLocale().toString(open->openedAt, QLocale::ShortFormat))
                          .arg(z.zNumber),
                      platform::Icon::Exclamation, kCloseShift);
        }
    });
    offerShift();
}

void RegisterActions::windowClosed()
{
    mScans.clear();
    // The run ended as it should: a shift left open goes on at the next start.
    diag::run("frmPOS", "windowClosed", [&] { mSession.settings.save(kPos, kSettings, kRunning, QStringLiteral("0")); });
}

void RegisterActions::cashInOut(dayend::MovementKind kind)
{
    const bool in = kind == dayend::MovementKind::PaidIn;
    const QString title = in ? QStringLiteral("Paid In") : QStringLiteral("Paid Out");
    if (refusedOffline(title) || !allowed(security::GatedCommand::CashInOut))
        return;
    const std::optional<dayend::Shift> shift = shiftBook().current();
    if (!shift)
        return tellShift(QStringLiteral("No shift is open on this register. Open one first (Utilities, Open Shift)."),
                         platform::Icon::Information, title);
    const std::optional<qint64> cents =
        askAmount(in ? QStringLiteral("Amount paid into the drawer:") : QStringLiteral("Amount paid out of the drawer:"),
                  title, false);
    if (!cents)
        return;
    QString reason;
    while (reason.isEmpty()) {
        const std::optional<QString> typed = mSession.prompt.input(
            in ? QStringLiteral("What is the cash for (change from the bank, say)?")
               : QStringLiteral("What is the cash for (a supplier paid, say)?"),
            title, QString());
        if (!typed)
            return;
        reason = typed->trimmed();
        if (reason.isEmpty())
            tellShift(QStringLiteral("Type a reason: the Z report lists it."), platform::Icon::Exclamation, title);
    }
    shiftBook().record(*shift, kind, *cents, reason, mSession.identity.employeeNumber);
    const QString problem = mSession.documents ? mSession.documents->openCashDrawer()
                                               : QStringLiteral("This register has no receipt printer.");
    if (!problem.isEmpty())
        tellShift(QStringLiteral("%1 %2 was recorded, but the cash drawer did not open.\n\n%3")
                      .arg(title, formatCurrencyCents(*cents), problem),
                  platform::Icon::Exclamation, title);
}

void RegisterActions::paidIn()
{
    diag::run("frmPOS", "mnuPaidIn_Click", [&] { cashInOut(dayend::MovementKind::PaidIn); });
}

void RegisterActions::paidOut()
{
    diag::run("frmPOS", "mnuPaidOut_Click", [&] { cashInOut(dayend::MovementKind::PaidOut); });
}

void RegisterActions::printShiftReport(const dayend::ShiftFigures &figures, bool copy, const QString &title)
{
    if (!mSession.documents)
        return tellShift(QStringLiteral("This register has no printer for the report."), platform::Icon::Exclamation,
                         title);
    const QString name = figures.zNumber == 0
                             ? QStringLiteral("x-report-%1.pdf")
                                   .arg(figures.closedAt.toString(QStringLiteral("yyyyMMdd-hhmmss")))
                             : QStringLiteral("z-report-%1%2.pdf")
                                   .arg(figures.zNumber)
                                   .arg(copy ? QStringLiteral("-copy") : QString());
    const QString problem = mSession.documents->printRegisterReport(
        {name,
         [&] {
             return dayend::shiftReportDocument(figures, copy,
                                                QDir(posting::reportsFolder()).filePath(QStringLiteral("shiftreport.rpt")));
         },
         [&](int paperMm) { return dayend::escPosShiftReport(figures, copy, paperMm); }});
    if (!problem.isEmpty())
        tellShift(QStringLiteral("The report did not print.\n\n") + problem, platform::Icon::Exclamation, title);
}

void RegisterActions::xReport()
{
    diag::run("frmPOS", "mnuXReport_Click", [&] {
        if (refusedOffline(QStringLiteral("The X report")))
            return;
        const QString title = QStringLiteral("X Report");
        const std::optional<dayend::Shift> shift = shiftBook().current();
        if (!shift)
            return tellShift(QStringLiteral("No shift is open on this register."), platform::Icon::Information, title);
        printShiftReport(dayend::readShiftFigures(mSession.store(), *shift), false, title);
    });
}

void RegisterActions::zReport()
{
    diag::run("frmPOS", "mnuZReport_Click", [&] {
        if (refusedOffline(QStringLiteral("The Z report")))
            return;
        dayend::ShiftBook book = shiftBook();
        const std::optional<dayend::Shift> shift = book.current();
        if (!shift)
            return tellShift(QStringLiteral("No shift is open on this register."), platform::Icon::Information,
                             kCloseShift);
        if (!mSession.sale.empty())
            return tellShift(QStringLiteral("A sale is open on this register. Finish it (or cancel it) first, then "
                                            "close the shift."),
                             platform::Icon::Information, kCloseShift);
        dayend::frmDrawerCount count(mSession.prompt, mView.dialogParent());
        if (mSession.dialogs.run(count) != QDialog::Accepted)
            return;
        try {
            const dayend::ShiftFigures z =
                book.close(*shift, count.countedCents(), mSession.identity.employeeNumber, false);
            printShiftReport(z, false, kCloseShift);
            const qint64 d = z.overShort();
            tellShift(QStringLiteral("The shift is closed: Z report %1. The drawer is %2.")
                          .arg(z.zNumber)
                          .arg(d == 0 ? QStringLiteral("even")
                                      : QStringLiteral("%1 %2").arg(formatCurrencyCents(std::abs(d)),
                                                                    d > 0 ? QStringLiteral("over")
                                                                          : QStringLiteral("short"))),
                      platform::Icon::Information, kCloseShift);
        } catch (const dayend::ShiftError &e) {
            tellShift(e.description(), platform::Icon::Exclamation, kCloseShift);
        }
    });
}

void RegisterActions::reprintZReport()
{
    diag::run("frmPOS", "mnuReprintZReport_Click", [&] {
        if (refusedOffline(QStringLiteral("A Z report")))
            return;
        const QString title = QStringLiteral("Print Z Report Again");
        dayend::ShiftBook book = shiftBook();
        const qint32 last = book.lastZNumber();
        if (last == 0)
            return tellShift(QStringLiteral("This register has no Z report yet."), platform::Icon::Information, title);
        const std::optional<QString> typed =
            mSession.prompt.input(QStringLiteral("Number of the Z report to print again:"), title, QString::number(last));
        if (!typed)
            return;
        bool ok = false;
        const qint32 number = typed->trimmed().toInt(&ok);
        const std::optional<dayend::ShiftFigures> z = ok ? book.zReport(number) : std::nullopt;
        if (!z)
            return tellShift(QStringLiteral("This register has no Z report \"%1\". Its Z reports are numbered 1 to %2.")
                                 .arg(typed->trimmed())
                                 .arg(last),
                             platform::Icon::Exclamation, title);
        printShiftReport(*z, true, title);
    });
}

void RegisterActions::storeFigures()
{
    diag::run("frmPOS", "mnuStoreFigures_Click", [&] {
        if (refusedOffline(QStringLiteral("The store's figures")))
            return;
        if (!allowed(security::GatedCommand::StoreFigures))
            return;
        dayend::frmStoreView view(mSession.store(), mSession.prompt, QDate::currentDate(), mView.dialogParent());
        mSession.dialogs.run(view);
    });
}

} // namespace vanta
