#pragma once

#include <QString>

namespace vanta::db {
class Store;
}

namespace vanta::settings {

// The store's identity from the single row of `Company`. The address parts,
// phone and fax are read only when their show flags say so, unless all
// fields are asked for. `Title`, `info` and `Keywords` stay empty.
class clsCompany {
public:
    // Loads itself with Refresh(false).
    explicit clsCompany(db::Store &store);

    const QString &Description() const { return mDescription; }
    const QString &Logo() const { return mLogo; }
    const QString &Name() const { return mName; }
    void Refresh(bool allFields);
    const QString &URL() const { return mURL; }
    const QString &EMAIL() const { return mEMAIL; }
    const QString &Phone() const { return mPhone; }
    const QString &Fax() const { return mFax; }
    const QString &Address() const { return mAddress; }
    const QString &City() const { return mCity; }
    const QString &state() const { return mState; }
    const QString &Zip() const { return mZip; }
    const QString &Title() const { return mTitle; }
    const QString &info() const { return mInfo; }
    const QString &Keywords() const { return mKeywords; }

private:
    db::Store &mStore;
    QString mDescription, mLogo, mName, mURL, mEMAIL, mPhone, mFax, mAddress, mCity, mState, mZip, mTitle,
        mInfo, mKeywords;
};

} // namespace vanta::settings
