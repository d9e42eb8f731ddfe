// Loading and saving a hostile Settings.dat made of nothing but short section headers:
// 40,000 of them (about 350 KB), and 10 MB of them. Both must grow linearly with the file.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace {

// A folder whose Settings.dat holds distinct headers "[1]", "[2]" ... up to `bytes` bytes.
class HeaderFlood {
public:
    explicit HeaderFlood(qsizetype bytes)
    {
        QByteArray text;
        text.reserve(bytes + 16);
        for (int n = 1; text.size() < bytes; ++n)
            text += '[' + QByteArray::number(n) + "]\r\n";
        QFile file(sm::SettingsFilePath(dir_.path()));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

constexpr qsizetype kFortyThousandHeaders = 40'000 * 9;  // "[12345]\r\n" is 9 bytes
constexpr qsizetype kTenMegabytes = 10 << 20;

void BM_SettingsLoadHeaderFlood(benchmark::State& state)
{
    const HeaderFlood flood(state.range(0));
    for (auto _ : state) {
        sm::AppSettings settings;
        sm::LoadSettings(flood.folder(), settings);
        benchmark::DoNotOptimize(settings.JpgCompress);
    }
}
BENCHMARK(BM_SettingsLoadHeaderFlood)->Arg(kFortyThousandHeaders)->Arg(kTenMegabytes)->Unit(benchmark::kMillisecond);

// Saving reads the file first (to keep what the program does not know), then replaces it.
void BM_SettingsSaveHeaderFlood(benchmark::State& state)
{
    const HeaderFlood flood(state.range(0));
    const sm::AppSettings settings;
    for (auto _ : state)
        sm::SaveSettings(flood.folder(), settings);
}
BENCHMARK(BM_SettingsSaveHeaderFlood)->Arg(kFortyThousandHeaders)->Arg(kTenMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace
