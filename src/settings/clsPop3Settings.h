#pragma once

#include <QString>

namespace vanta::db {
class Store;
}

namespace vanta::settings {

// The store's mail account, kept in the first row of `Pop3Settings` (made
// with one row on port 110 when the store lacks the table). Setting any
// value stores the whole record at once.
class clsPop3Settings {
public:
    static constexpr qint32 DefaultPort = 110;
    static constexpr int MaxText = 50; // the columns hold 50 characters

    // Loads itself (making the table when missing).
    explicit clsPop3Settings(db::Store &store);

    const QString &EMAIL() const { return mEMAIL; }
    void setEMAIL(const QString &value);
    const QString &HostName() const { return mHostName; }
    void setHostName(const QString &value);
    // True when both the host name and the user name are set.
    bool SettingsPresent() const { return !mHostName.isEmpty() && !mUserName.isEmpty(); }
    const QString &SMTP() const { return mSMTP; }
    void setSMTP(const QString &value);
    const QString &UserName() const { return mUserName; }
    void setUserName(const QString &value);
    const QString &Password() const { return mPassword; }
    void setPassword(const QString &value);
    qint32 MailPort() const { return mMailPort; }
    void setMailPort(qint32 value);

    // All values at once, stored once (the settings dialog).
    struct Values {
        QString hostName, smtp, userName, password, email;
        qint32 mailPort = DefaultPort;
    };
    void setAll(const Values &values);

    // Makes `Pop3Settings` with its one row when the store lacks it.
    static void ensureTable(db::Store &store);

private:
    void load();
    void store();

    db::Store &mStore;
    QString mEMAIL, mHostName, mSMTP, mUserName, mPassword;
    qint32 mMailPort = 0;
};

} // namespace vanta::settings
