#pragma once

#include <QString>

namespace vanta::platform {

// Per-user program settings by application, section and key, kept as one
// INI file per application ("<application>.ini") in the user's config folder
// (organisation folder "Vanta"). Values are texts.
class SettingsStore {
public:
    // The folder defaults to the user's config folder; tests pass a
    // temporary one.
    explicit SettingsStore(const QString &folder = defaultFolder());
    static QString defaultFolder();

    const QString &folder() const { return mFolder; }
    QString filePath(const QString &application) const;

    // Whether an application's settings file can be trusted: absent, or
    // present and readable as a whole. A file that cannot be opened, that
    // the INI reader rejects, or with a line it would misread (an unclosed
    // quote swallows the rest of the file) is damaged: its values, the
    // defaults included, say nothing about what was stored.
    enum class FileState { Absent, Sound, Unreadable, Damaged };
    FileState fileState(const QString &application) const;

    // The stored text, or the default when the key is absent.
    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue = QString()) const;
    // Stores the text at once; throws VantaError when it cannot be written.
    void save(const QString &application, const QString &section, const QString &key,
              const QString &value);

private:
    QString mFolder;
};

} // namespace vanta::platform
