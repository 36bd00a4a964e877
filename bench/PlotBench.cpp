// AddXY of a million points into the standard channel of a new XY plot
// inside one update bracket: time per point, the memory the channel reports
// against what the process grew by, and the repaints the bracket released
// (one expected). Offscreen platform by default.
#include "plot/TiXYPlot.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kPoints = 1000000;

class CountingPlot : public TiXYPlot {
public:
    int paints = 0;

protected:
    void iPaintTo(TiCanvas& canvas) override
    {
        ++paints;
        TiXYPlot::iPaintTo(canvas);
    }
};

// Resident set size in bytes, from /proc.
long ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

void Flush()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void Fill(TiXYPlotChannel* channel, int offset)
{
    for (int i = 0; i < kPoints; ++i)
        channel->AddXY(offset + i, (i * 37) % 5500);
}

// Run first and once (no repetitions): memory an earlier run freed would
// hide the process growth.
void BM_AddXYMillionMemory(benchmark::State& state)
{
    for (auto _ : state) {
        CountingPlot plot;
        plot.show();
        Flush();
        TiXYPlotChannel* channel = plot.GetChannel(0);
        const long before = ResidentBytes();
        plot.paints = 0;
        plot.BeginUpdate();
        Fill(channel, 0);
        const int paintsInside = plot.paints;
        const long grown = ResidentBytes() - before;
        plot.EndUpdate();
        Flush();
        state.counters["points"] = channel->GetCount();
        state.counters["reported_B_per_pt"] = double(channel->GetMemoryUsed()) / channel->GetCount();
        state.counters["process_B_per_pt"] = double(grown) / channel->GetCount();
        state.counters["paints_in_bracket"] = paintsInside;
        state.counters["paints_after"] = plot.paints - paintsInside;
    }
}
BENCHMARK(BM_AddXYMillionMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_AddXYMillionInBracket(benchmark::State& state)
{
    CountingPlot plot;
    TiXYPlotChannel* channel = plot.GetChannel(0);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        channel->Clear();
        state.ResumeTiming();
        plot.BeginUpdate();
        Fill(channel, round++ * kPoints);
        plot.EndUpdate();
    }
    // points per second of CPU time; ns per point is 1e9 over it.
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_AddXYMillionInBracket)->Unit(benchmark::kMillisecond);

} // namespace
