// Copied beside the programs of an unpacked package, this opens the help's
// first topic and a report layout the way the register does, from the
// installed tree, and says what it opened. Exit code 1 when either fails or
// was found anywhere but below the folder given.
#include "diagnostics/VantaError.h"
#include "platform_ui/HelpComponent.h"
#include "posting/ReportEngine.h"
#include "posting/ReportLayout.h"

#include <QApplication>
#include <QDir>
#include <QTextBrowser>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ROOT\n", argv[0]);
        return 2;
    }
    const QString root = QDir(QString::fromLocal8Bit(argv[1])).canonicalPath() + QLatin1Char('/');
    const auto within = [&root](const QString &path) { return QDir(path).canonicalPath().startsWith(root); };

    vanta::platform::HelpComponent help;
    help.ShowTopic(QStringLiteral("Point_of_Sale.htm"));
    auto *browser = qobject_cast<QTextBrowser *>(help.window());
    const QString topic = browser ? browser->source().toLocalFile() : QString();
    const QString text = browser ? browser->toPlainText() : QString();
    std::printf("help: %s, %d characters\n", qPrintable(topic), int(text.size()));
    bool ok = within(vanta::platform::HelpComponent::helpFolder()) && text.contains(QLatin1String("sale"), Qt::CaseInsensitive);

    const QString layout = QDir(vanta::posting::reportsFolder()).filePath(QStringLiteral("singlesale.rpt"));
    try {
        const auto report = vanta::posting::ReportLayout::load(layout);
        std::printf("report layout: %s, titled \"%s\"\n", qPrintable(layout), qPrintable(report.title()));
        ok = ok && within(vanta::posting::reportsFolder()) && !report.title().isEmpty();
    } catch (const vanta::VantaError &e) {
        std::printf("report layout: %s: %s\n", qPrintable(layout), qPrintable(e.description()));
        ok = false;
    }
    return ok ? 0 : 1;
}
