// Any bytes as Settings.dat: reading never fails but for an unreadable file, and what
// was read survives being written back and read again.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <unistd.h>

#include "settings/SettingsStore.h"

namespace {

// A folder in memory where the file system allows, so that the writes cost little.
QString Folder()
{
    static const QString folder = [] {
        const QString base = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString path = base + QStringLiteral("/stillmark-fuzz-settings-%1").arg(::getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString folder = Folder();
    QFile file(sm::SettingsFilePath(folder));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    sm::AppSettings first;
    try {
        sm::LoadSettings(folder, first);
    } catch (const std::runtime_error&) {
        return 0;  // a file that cannot be read
    }
    sm::SaveSettings(folder, first);
    sm::AppSettings second;
    sm::LoadSettings(folder, second);
    if (!(first == second)) {
        std::fprintf(stderr, "the settings read back differ from those written\n");
        std::abort();
    }
    return 0;
}
