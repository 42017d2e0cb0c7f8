#include "posting/ReceiptPrinter.h"

#include "platform/SettingsStore.h"
#include "posting/PrinterError.h"

namespace vanta::posting {

namespace {

const QString kApplication = QStringLiteral("POS");
const QString kSection = QStringLiteral("Settings");
const QString kCups = QStringLiteral("cups:");
const QString kDevice = QStringLiteral("device:");

} // namespace

QString ReceiptPrinter::describe() const
{
    switch (kind) {
    case Kind::CupsQueue: return QStringLiteral("CUPS queue \"%1\"").arg(target);
    case Kind::Device: return QStringLiteral("device %1").arg(target);
    case Kind::Page: break;
    }
    return QStringLiteral("page printer");
}

ReceiptPrinter readReceiptPrinter(const platform::SettingsStore &settings)
{
    ReceiptPrinter p;
    const QString where = settings.read(kApplication, kSection, QLatin1String(ReceiptPrinter::PrinterKey)).trimmed();
    const auto bad = [&where] {
        return PrinterError(QStringLiteral("The receipt printer setting \"%1\" is not understood. It must be "
                                           "\"page\", \"cups:\" and a queue name, or \"device:\" and a device path.")
                                .arg(where));
    };
    if (where.startsWith(kCups, Qt::CaseInsensitive)) {
        p.kind = ReceiptPrinter::Kind::CupsQueue;
        p.target = where.mid(kCups.size()).trimmed();
    } else if (where.startsWith(kDevice, Qt::CaseInsensitive)) {
        p.kind = ReceiptPrinter::Kind::Device;
        p.target = where.mid(kDevice.size()).trimmed();
    } else if (!where.isEmpty() && where.compare(QLatin1String("page"), Qt::CaseInsensitive) != 0) {
        throw bad();
    }
    if (p.escPos() && p.target.isEmpty())
        throw bad();

    const QString paper = settings.read(kApplication, kSection, QLatin1String(ReceiptPrinter::PaperKey)).trimmed();
    if (paper == QLatin1String("58"))
        p.paperMm = 58;
    else if (!paper.isEmpty() && paper != QLatin1String("80"))
        throw PrinterError(
            QStringLiteral("The receipt paper width \"%1\" is not understood: it must be 58 or 80 (mm).").arg(paper));
    return p;
}

void saveReceiptPrinter(platform::SettingsStore &settings, const ReceiptPrinter &printer)
{
    QString where = QStringLiteral("page");
    if (printer.kind == ReceiptPrinter::Kind::CupsQueue)
        where = kCups + printer.target;
    else if (printer.kind == ReceiptPrinter::Kind::Device)
        where = kDevice + printer.target;
    settings.save(kApplication, kSection, QLatin1String(ReceiptPrinter::PrinterKey), where);
    settings.save(kApplication, kSection, QLatin1String(ReceiptPrinter::PaperKey), QString::number(printer.paperMm));
}

} // namespace vanta::posting
