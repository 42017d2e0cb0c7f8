#pragma once

#include "diagnostics/Trace.h"
#include "platform/SmtpMail.h"

#include <QString>
#include <functional>

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
class DialogRunner;
class SettingsStore;
} // namespace vanta::platform

namespace vanta::settings {

// Shows a trapped error in the error report dialog (`ShowError`): installed
// on the trace by the program.
class ErrorReport : public diag::ErrorReportView {
public:
    static constexpr const char *SupportKey = "Support Email";
    static constexpr const char *DefaultSupportAddress = "support@vanta-pos.example";

    using Send = std::function<platform::MailResult(const platform::MailMessage &)>;
    using ConnectionCheck = std::function<qint32(const QString &host)>;

    ErrorReport(platform::Prompt &prompt, platform::DialogRunner &dialogs, platform::SettingsStore &settings,
                std::function<db::Store *()> store, Send send = {}, ConnectionCheck check = {});

    void showReport(const diag::ErrorRecord &record) override;

    // The support address: the per-user setting "POS"/"Settings"/"Support Email".
    static QString supportAddress(const platform::SettingsStore &settings);
    static void setSupportAddress(platform::SettingsStore &settings, const QString &address);

private:
    platform::Prompt &mPrompt;
    platform::DialogRunner &mDialogs;
    platform::SettingsStore &mSettings;
    std::function<db::Store *()> mStore;
    Send mSend;
    ConnectionCheck mCheck;
};

} // namespace vanta::settings
