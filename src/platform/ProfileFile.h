#pragma once

#include <QString>

namespace vanta::platform {

// A sections-and-keys settings file ("Users.ini") read and written one key
// at a time, the way profile strings work: section and key names match
// without regard to case, a value is read into a buffer of a given size and
// writing a key leaves every other line of the file as it was. The file is
// read again on every call, so edits made by others are seen.
class ProfileFile {
public:
    explicit ProfileFile(const QString &path) : mPath(path) {}
    const QString &path() const { return mPath; }

    // The key's value, or the default when the file, the section or the key
    // is missing; cut to fit a buffer of `size` characters including the
    // terminating zero (size 2 gives at most one character) and at a zero
    // character.
    QString readString(const QString &section, const QString &key, const QString &defaultValue,
                       int size) const;
    // Sets the key, adding the section and the key when missing and creating
    // the file and its folder when needed. Throws VantaError when the file
    // cannot be written or a name would break the file's layout.
    void writeString(const QString &section, const QString &key, const QString &value);

private:
    QString mPath;
};

} // namespace vanta::platform
