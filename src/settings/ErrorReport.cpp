#include "settings/ErrorReport.h"

#include "platform/DialogRunner.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "settings/frmQuorlErr.h"
#include "settings/modInternetConnect.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace vanta::settings {

ErrorReport::ErrorReport(platform::Prompt &prompt, platform::DialogRunner &dialogs, platform::SettingsStore &settings,
                         std::function<db::Store *()> store, Send send, ConnectionCheck check)
    : mPrompt(prompt), mDialogs(dialogs), mSettings(settings), mStore(std::move(store)),
      mSend(send ? std::move(send) : Send([](const platform::MailMessage &m) { return platform::sendMail(m); })),
      mCheck(check ? std::move(check) : ConnectionCheck(&InternetConnect))
{
}

QString ErrorReport::supportAddress(const platform::SettingsStore &settings)
{
    const QString address = settings
                                .read(QStringLiteral("POS"), QStringLiteral("Settings"), QLatin1String(SupportKey),
                                      QLatin1String(DefaultSupportAddress))
                                .trimmed();
    return address.isEmpty() ? QLatin1String(DefaultSupportAddress) : address;
}

void ErrorReport::setSupportAddress(platform::SettingsStore &settings, const QString &address)
{
    settings.save(QStringLiteral("POS"), QStringLiteral("Settings"), QLatin1String(SupportKey), address.trimmed());
}

// ShowError: the trace keeps it to one report at a time.
void ErrorReport::showReport(const diag::ErrorRecord &record)
{
    frmQuorlErr dlg(record, {mPrompt, mStore, supportAddress(mSettings), mSend, mCheck},
                    QApplication::activeWindow());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        dlg.move((area.width() - dlg.width()) / 2, (area.height() - dlg.height()) / 2);
    }
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    mPrompt.beep();
    mDialogs.run(dlg);
    QApplication::restoreOverrideCursor();
}

} // namespace vanta::settings
