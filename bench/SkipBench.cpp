// The blank and blur measures on full-HD pictures, and a 16-shot exact series with the
// skip rule on beside the same series with it off, on a video without a blank or blurred
// picture, the two in alternation in one run (see README).

#include <QElapsedTimer>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "BenchSupport.h"
#include "imaging/PictureQuality.h"
#include "video/FfmpegEngine.h"
#include "video/SeekSeries.h"

namespace {

const char* const kSeriesVideo = "/tmp/stillmark-bench/testsrc2-1080p-32s.mp4";
constexpr int kSeriesSeconds = 32;
constexpr int kShots = 16;

void BM_PictureQuality(benchmark::State& state)
{
    const sm::Bitmap* picture = sm::bench::BenchPicture(state, state.range(0));
    if (!picture)
        return;
    bool blank = false;
    double variance = 0;
    for (auto _ : state) {
        const sm::ReducedLuma luma = sm::ReduceLuma(*picture);
        blank = sm::IsBlank(luma);
        variance = sm::LaplacianVariance(luma);
        benchmark::DoNotOptimize(blank);
        benchmark::DoNotOptimize(variance);
    }
    state.counters["laplacian_variance"] = variance;
    state.SetLabel(std::string(sm::bench::BenchPictureName(state.range(0))) + (blank ? ", blank" : ""));
}

double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct SeriesCost {
    double wallMs = 0;
    double cpuMs = 0;
    int moved = 0;
};

// The series of a freshly opened engine, from its start to the last frame handed over.
SeriesCost TakeSeries(const std::vector<std::int64_t>& seconds, const sm::SkipRule& rule)
{
    sm::FfmpegEngine engine;
    engine.SetActive(true);
    engine.OpenMedia(QString::fromUtf8(kSeriesVideo));
    SeriesCost cost;
    QElapsedTimer clock;
    clock.start();
    const double cpuFrom = ProcessCpuMs();
    const std::unique_ptr<sm::SeekSeries> series = engine.StartSeekSeries(seconds, rule);
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        series->SeekNext();
        sm::Bitmap frame;
        series->GrabSeekFrame(frame, 60000);
        cost.moved += series->TookLaterPicture() ? 1 : 0;
        benchmark::DoNotOptimize(frame.bits());
    }
    cost.wallMs = double(clock.nsecsElapsed()) / 1e6;
    cost.cpuMs = ProcessCpuMs() - cpuFrom;
    return cost;
}

// Rounds of the series with the rule off and on (both measures), after one untimed
// series, the order turned each round, so that load and warm caches favour neither.
void BM_SkipSeriesOnOverOff(benchmark::State& state)
{
    if (!sm::bench::EnsureTestVideo(state, kSeriesVideo, 1920, 1080, kSeriesSeconds,
                                    {"-c:v", "libx264", "-preset", "veryfast", "-g", "50", "-sc_threshold", "0"}))
        return;
    std::vector<std::int64_t> seconds;
    for (int i = 1; i <= kShots; ++i)
        seconds.push_back(kSeriesSeconds * i / (kShots + 1));
    const int rounds = int(state.range(0));
    SeriesCost off, on;
    // The file's pages and the decoders' first set-up are not part of either side.
    TakeSeries(seconds, {});
    std::vector<double> roundRatios;  // each round's on over its off, side by side
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            double roundMs[2] = {};
            for (bool ruleOn : round % 2 == 0 ? std::vector<bool>{false, true} : std::vector<bool>{true, false}) {
                const SeriesCost cost = TakeSeries(seconds, ruleOn ? sm::SkipRule{true, true, 5} : sm::SkipRule{});
                SeriesCost& total = ruleOn ? on : off;
                total.wallMs += cost.wallMs;
                total.cpuMs += cost.cpuMs;
                total.moved += cost.moved;
                roundMs[ruleOn] = cost.wallMs;
            }
            roundRatios.push_back(roundMs[1] / roundMs[0]);
        }
    }
    std::sort(roundRatios.begin(), roundRatios.end());
    state.counters["off_ms"] = off.wallMs / rounds;
    state.counters["on_ms"] = on.wallMs / rounds;
    state.counters["on_over_off"] = on.wallMs / off.wallMs;
    state.counters["cpu_on_over_off"] = on.cpuMs / off.cpuMs;
    state.counters["median_round_on_over_off"] = roundRatios[roundRatios.size() / 2];
    state.counters["moved"] = on.moved;
    state.SetLabel(std::to_string(kShots) + " shots of 1080p H.264, " + std::to_string(rounds) + " rounds each");
}

}  // namespace

BENCHMARK(BM_PictureQuality)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SkipSeriesOnOverOff)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);
