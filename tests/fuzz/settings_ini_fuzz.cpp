// The per-user settings file (POS.ini): its security switch must never be
// lost to a stray line before it. A file the settings layer calls sound must
// read the switch written at its end.
#include "FuzzInput.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

using namespace vanta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static platform::SettingsStore settings(dir.path());
    static int run = 0;
    // A new file each time: Qt keeps parsed settings files in a cache.
    const QString application = QStringLiteral("POS%1").arg(++run);
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString input = QString::fromUtf8(bytes);

    QFile file(settings.filePath(application));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes + "\n[Settings]\nSecurity=True\n") < 0)
        std::abort();
    file.close();
    using State = platform::SettingsStore::FileState;
    const State state = settings.fileState(application);
    fuzz::require(state == State::Sound || state == State::Damaged, "a written file is sound or damaged", input);
    if (state == State::Sound)
        fuzz::require(settings.read(application, QStringLiteral("Settings"), QStringLiteral("Security")) ==
                          QStringLiteral("True"),
                      "a sound file keeps the switch at its end", input);
    QFile::remove(file.fileName());
    return 0;
}
