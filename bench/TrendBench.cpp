// The trend's costs: recording one sample (the recorder alone, and with the
// CSV log appending its row to a file), and one frame of the trend window
// following 24 hours of generated samples (one per 1.24 s poll cycle, as
// the live poll makes them) over the whole day, ten minutes and one minute. The
// memory the day takes (recorder and plot channels) is reported as counters.
#include "app/TrendWindow.h"
#include "console/TrendLog.h"
#include "console/TrendRecorder.h"
#include "plot/TiXYPlot.h"
#include "plot/TiXYPlotChannel.h"

#include <QDateTime>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

using LiveQuantities::Kind;
using LiveQuantities::kCount;
using LiveQuantities::kQuantities;
using LiveQuantities::Sample;

constexpr std::int64_t kCycleMs = 1240;
constexpr std::int64_t kDaySamples = TrendRecorder::kDayMs / kCycleMs;
constexpr std::int64_t kStart = 1796770800000;  // 2026-12-09 00:00 at UTC+1
constexpr int kOffset = 3600;

// Sample k of a day in a cabinet: fans wander, temperatures drift with the
// day, the compressor cycles every twenty minutes, an alarm now and then.
Sample Generated(std::int64_t k)
{
    Sample s;
    s.wallMs = kStart + k * kCycleMs;
    s.utcOffsetSeconds = kOffset;
    const double t = double(k) * kCycleMs / 1000.0;
    std::uint64_t noise = std::uint64_t(k) * 6364136223846793005ULL + 1442695040888963407ULL;
    auto jitter = [&noise](double amount) {
        noise = noise * 6364136223846793005ULL + 1442695040888963407ULL;
        return (double(noise >> 11) / double(1ULL << 53) - 0.5) * amount;
    };
    const bool compressor = std::fmod(t, 1200.0) < 700.0;
    for (std::size_t i = 0; i < kCount; ++i) {
        double v = 0;
        if (kQuantities[i].kind == Kind::Measurement) {
            const std::string_view unit = kQuantities[i].unit;
            if (unit == "rpm")
                v = std::round(1800 + 600 * std::sin(t / 900.0 + double(i)) + jitter(40));
            else if (unit == "V")
                v = std::round(480 + jitter(6)) / 10.0;
            else if (unit == "A")
                v = compressor ? std::round(60 + jitter(8)) / 10.0 : 0.0;
            else
                v = std::round(10 * (25 + 8 * std::sin(t / 43200.0 * 3.14159) + double(i % 2) * 5 + jitter(2))) / 10.0;
        } else if (kQuantities[i].kind == Kind::Output) {
            v = compressor ? 1 : 0;
        } else {
            v = std::fmod(t + double(i) * 3000, 14400.0) < 300.0 ? 1 : 0;
        }
        s.values[i] = v;
    }
    return s;
}

void BM_RecordSample(benchmark::State& state)
{
    const bool toFile = state.range(0) != 0;
    QTemporaryDir dir;
    TrendRecorder recorder;
    TrendLog log(dir.filePath("trend").toStdString(), nullptr);
    log.setHeader({"bench", "/dev/ttyUSB0", 1, ""});
    if (toFile)
        recorder.addListener(&log);
    std::int64_t k = 0;
    for (auto _ : state) {
        recorder.record(Generated(k++ % kDaySamples));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RecordSample)->Arg(0)->Arg(1)->ArgNames({"file"});

// One frame: a new sample arrives and the window's plot paints, as the
// window does once per poll cycle; 10 frames a second is eight times that.
void BM_TrendFrameFollowingADay(benchmark::State& state)
{
    const int span = int(state.range(0));
    TrendRecorder recorder;
    auto window = std::make_unique<TrendWindow>(recorder, nullptr);
    window->resize(1180, 720);
    window->setSpan(span);
    for (std::int64_t k = 0; k < kDaySamples; ++k)
        recorder.record(Generated(k));
    TiXYPlot& plot = window->plot();
    plot.resize(1160, 660);
    // The first paint takes in the whole day at once; a following frame
    // is every paint after it.
    benchmark::DoNotOptimize(plot.RenderToImage().bits());
    std::int64_t k = kDaySamples;
    for (auto _ : state) {
        recorder.record(Generated(k++));
        QImage image = plot.RenderToImage();
        benchmark::DoNotOptimize(image.bits());
    }
    std::int64_t points = 0, plotBytes = 0;
    for (int i = 0; i < plot.ChannelCount(); ++i) {
        points += plot.GetChannel(i)->GetCount();
        plotBytes += plot.GetChannel(i)->GetMemoryUsed();
    }
    state.counters["samples"] = double(recorder.size());
    state.counters["plot_points"] = double(points);
    state.counters["recorder_MB"] = double(recorder.memoryUsed()) / 1e6;
    state.counters["plot_MB"] = double(plotBytes) / 1e6;
    // Share of one core at ten frames a second: 10 x the time of a frame.
    state.counters["core_at_10fps"] = benchmark::Counter(0.1, benchmark::Counter::kIsIterationInvariantRate
                                                                   | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TrendFrameFollowingADay)->Arg(4)->Arg(1)->Arg(0)->ArgNames({"span"})->Unit(benchmark::kMillisecond);

} // namespace
