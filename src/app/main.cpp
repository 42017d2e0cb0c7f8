// vanta-pos: the register program.
#include "backup/BackupShelf.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "platform/ProgramFiles.h"
#include "platform/PromptNotices.h"
#include "platform_ui/QtDialogRunner.h"
#include "platform_ui/QtPrompt.h"
#include "platform/SettingsStore.h"
#include "db/Store.h"
#include "posting/PrintedDocuments.h"
#include "register/DemoStoreMaker.h"
#include "register/RegisterSession.h"
#include "register/frmPOS.h"
#include "settings/ErrorReport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vanta-pos"));
    QApplication::setApplicationDisplayName(vanta::applicationTitle());
    QApplication::setOrganizationName(QStringLiteral("Vanta"));
    QApplication::setApplicationVersion(QStringLiteral(VANTA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.vantapos.VantaPOS"));
    // The icon theme's, when the package installed one; else the built-in one.
    QIcon builtIn;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/vanta-pos-%1.png").arg(size));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vanta-pos"), builtIn));

    QCommandLineParser parser;
    parser.setApplicationDescription(vanta::applicationTitle() + QStringLiteral(" - the register at the counter of a small store."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataOption(
        QStringLiteral("data"),
        QStringLiteral("Open the store database DIR/vanta.mdb for this run (the stored data folder is kept)."),
        QStringLiteral("DIR"));
    const QCommandLineOption storeOption(
        QStringLiteral("store"),
        QStringLiteral("Open the store on a PostgreSQL server for this run: postgresql://user@host/dbname "
                       "(the password comes from ~/.pgpass or the settings, never from here)."),
        QStringLiteral("URL"));
    parser.addOption(dataOption);
    parser.addOption(storeOption);
    parser.process(app);

    QString data;
    const auto usageError = [](const char *text) {
        std::fprintf(stderr, "vanta-pos: %s\n", text);
        return 2;
    };
    if (parser.isSet(dataOption) && parser.isSet(storeOption))
        return usageError("give either --data or --store, not both");
    if (parser.isSet(dataOption))
        data = QFileInfo(parser.value(dataOption)).absoluteFilePath();
    if (parser.isSet(storeOption)) {
        data = parser.value(storeOption);
        if (!vanta::db::Store::isServerAddress(data))
            return usageError("--store needs an address postgresql://user@host/dbname");
    }

    vanta::platform::QtPrompt prompt;
    vanta::platform::QtDialogRunner dialogs;
    vanta::platform::SettingsStore settings;
    vanta::RegisterSession session(prompt, dialogs, settings,
                                   QDir(settings.folder()).filePath(QStringLiteral("Users.ini")));
    // Everything else shows its boxes and dialogs through the session, which
    // knows when one is open.
    vanta::platform::PromptNotices notices(session.prompt);
    vanta::diag::Trace::instance().setNotices(&notices);
    // A trapped error opens the error report, which can e-mail it to support.
    vanta::settings::ErrorReport report(session.prompt, session.dialogs, settings,
                                        [&session] { return session.storeOrNone(); });
    vanta::diag::Trace::instance().setReportView(&report);
    session.backupFolder = vanta::backup::BackupShelf::defaultRoot(); // the store backed up daily
    session.userDataFolder = vanta::platform::userDataFolder();
    session.makeDemoStore = vanta::makeDemoStoreWithAdminTool;
    vanta::posting::PrintedDocuments documents(settings, session.dialogs, session.reportSettings);
    session.documents = &documents;

    vanta::frmPOS window(session, data);
    window.Form_Load();
    if (window.isClosed())
        return 0;
    window.show();
    return app.exec();
}
