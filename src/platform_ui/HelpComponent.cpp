#include "platform_ui/HelpComponent.h"

#include "diagnostics/ApplicationTitle.h"
#include "platform/ProgramFiles.h"

#include <QDir>
#include <QTextBrowser>
#include <QUrl>

namespace vanta::platform {

QString HelpComponent::helpFolder() { return programFilesFolder(QStringLiteral("help")); }

void HelpComponent::ShowTopic(const QString &topic)
{
    const QDir folder(helpFolder());
    QString file = topic;
    for (const QString &entry : folder.entryList(QDir::Files))
        if (entry.compare(topic, Qt::CaseInsensitive) == 0)
            file = entry;
    if (!mBrowser) {
        mBrowser = new QTextBrowser;
        mBrowser->setAttribute(Qt::WA_DeleteOnClose);
        mBrowser->setObjectName(QStringLiteral("HelpWindow"));
        mBrowser->setWindowTitle(applicationTitle() + QStringLiteral(" Help"));
        mBrowser->setSearchPaths({folder.path()});
        mBrowser->resize(560, 480);
    }
    mBrowser->setSource(QUrl::fromLocalFile(folder.filePath(file)));
    mBrowser->show();
    mBrowser->raise();
}

QWidget *HelpComponent::window() const { return mBrowser; }

} // namespace vanta::platform
