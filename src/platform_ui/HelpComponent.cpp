#include "platform_ui/HelpComponent.h"

#include "diagnostics/ApplicationTitle.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextBrowser>
#include <QUrl>

namespace vanta::platform {

QString HelpComponent::helpFolder()
{
    const QDir app(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {QStringLiteral("help"), QStringLiteral("../resources/help"),
                                     QStringLiteral("../../resources/help"), QStringLiteral("../share/vanta-pos/help")})
        if (app.exists(candidate))
            return QDir::cleanPath(app.filePath(candidate));
#ifdef VANTA_SOURCE_DIR
    return QStringLiteral(VANTA_SOURCE_DIR "/resources/help");
#else
    return app.filePath(QStringLiteral("help"));
#endif
}

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
