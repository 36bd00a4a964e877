// The bus monitor's costs: the engine's poll with and without a watcher
// (the link tap), decoding one row for the table, and the memory that
// 100,000 retained entries take.
#include "link/Crc16.h"
#include "link/LinkState.h"
#include "link/LinkResults.h"
#include "link/LinkView.h"
#include "link/SerialPort.h"
#include "link/TrafficLog.h"
#include "link/TransactionEngine.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// A controller that answers every poll request at once with zeros.
class AnsweringPort : public SerialPort {
public:
    bool open(const std::string&) override { return true; }
    bool isOpen() const override { return true; }
    void close() override {}
    bool getSettings(LineSettings&) override { return true; }
    bool setSettings(const LineSettings&) override { return true; }
    long bytesWaiting() override { return static_cast<long>(queue_.size()); }
    bool discardReceived() override
    {
        queue_.clear();
        return true;
    }
    long read(std::uint8_t* buffer, std::size_t maxBytes) override
    {
        arrive();
        const std::size_t n = std::min(maxBytes, queue_.size());
        std::memcpy(buffer, queue_.data(), n);
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
        return static_cast<long>(n);
    }
    long write(const std::uint8_t* data, std::size_t length) override
    {
        const std::uint16_t quantity = static_cast<std::uint16_t>(data[4] << 8 | data[5]);
        const std::size_t bytes = data[1] <= 0x02 ? (quantity + 7U) / 8U : 2U * quantity;
        reply_.assign({data[0], data[1], static_cast<std::uint8_t>(bytes)});
        reply_.resize(3 + bytes, 0);
        const std::uint16_t crc = Crc16(reply_.data(), reply_.size());
        reply_.push_back(static_cast<std::uint8_t>(crc >> 8));
        reply_.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        inFlight_ = true;
        ++requests_;
        return static_cast<long>(length);
    }
    std::size_t requests() const { return requests_; }

private:
    // The reply lands after the write's own queue flush, in time for the
    // next tick's read.
    void arrive()
    {
        if (inFlight_)
            queue_ = reply_;
        inFlight_ = false;
    }

    bool inFlight_ = false;
    std::vector<std::uint8_t> queue_;
    std::vector<std::uint8_t> reply_;
    std::size_t requests_ = 0;
};

class QuietView : public LinkView, public LinkResults {
public:
    int currentTab() const override { return 1; }
    void setWindowSize(int, int) override {}
    void setTimer2Interval(int) override {}
    void showMessage(const std::string&, const std::string&) override {}
};

// One poll exchange (transmit tick plus reading tick) per iteration.
void pollExchange(benchmark::State& state)
{
    LinkState link;
    link.EngineTab = 1;
    AnsweringPort port;
    QuietView view;
    TransactionEngine engine(link, port, view, view);
    TrafficLog log(TrafficLog::kDefaultCapacity);
    if (state.range(0) != 0)
        engine.setObserver(&log);
    for (auto _ : state) {
        engine.tick();
        engine.tick();
    }
    state.SetLabel(state.range(0) != 0 ? "watched" : "unwatched");
    state.counters["requests"] = static_cast<double>(port.requests());
    state.counters["logged"] = static_cast<double>(log.size() + log.dropped());
}
BENCHMARK(pollExchange)->Arg(0)->Arg(1);

// The entries one full poll cycle leaves, taken from a watched engine.
std::vector<TrafficEntry> pollCycleEntries()
{
    LinkState link;
    link.EngineTab = 1;
    AnsweringPort port;
    QuietView view;
    TransactionEngine engine(link, port, view, view);
    TrafficLog log;
    engine.setObserver(&log);
    for (int i = 0; i < 8; ++i)
        engine.tick();
    return {log.entries().begin(), log.entries().end()};
}

void decodeRow(benchmark::State& state)
{
    const std::vector<TrafficEntry> cycle = pollCycleEntries();
    std::size_t i = 0;
    for (auto _ : state) {
        const TrafficEntry& e = cycle[i++ % cycle.size()];
        benchmark::DoNotOptimize(TrafficText::decoded(e));
        benchmark::DoNotOptimize(TrafficText::hex(e));
    }
}
BENCHMARK(decodeRow);

// Heap taken by a full log of poll traffic: 100,000 entries retained out of
// 150,000 added.
void memoryOf100000Entries(benchmark::State& state)
{
    const std::vector<TrafficEntry> cycle = pollCycleEntries();
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto log = std::make_unique<TrafficLog>(100000);
        for (std::size_t i = 0; i < 150000; ++i)
            log->add(cycle[i % cycle.size()]);
        const std::size_t after = mallinfo2().uordblks;
        state.counters["entries"] = static_cast<double>(log->size());
        state.counters["MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
    }
}
BENCHMARK(memoryOf100000Entries)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
