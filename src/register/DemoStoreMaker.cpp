#include "register/DemoStoreMaker.h"

#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/VantaError.h"
#include "platform/ProgramFiles.h"

#include <QApplication>
#include <QProcess>

namespace vanta {

void makeDemoStoreWithAdminTool(const QString &folder)
{
    const QString tool = platform::companionProgram(QStringLiteral("vanta-admin"));
    QProcess admin;
    admin.setProcessChannelMode(QProcess::MergedChannels);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    admin.start(tool, {QStringLiteral("demo"), folder});
    const bool finished = admin.waitForFinished(120000);
    QApplication::restoreOverrideCursor();
    if (!finished || admin.exitStatus() != QProcess::NormalExit || admin.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(admin.readAll()).trimmed();
        throw VantaError(3044, said.isEmpty() ? QStringLiteral("%1: %2").arg(tool, admin.errorString()) : said,
                         applicationTitle());
    }
}

} // namespace vanta
