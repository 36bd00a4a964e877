#pragma once

#include "link/LiveQuantities.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// Something to point at on the time axis: an alarm input that rose or fell
// between two polls, or a write the console made.
struct TrendMark {
    enum class Kind : std::uint8_t { AlarmRaised, AlarmCleared, Write, WriteFailed };
    std::int64_t wallMs = 0;
    int utcOffsetSeconds = 0;  // of the local time it happened in
    Kind kind = Kind::Write;
    std::string text;  // "Heater alarm raised", "Set Intfan1"
    friend bool operator==(const TrendMark&, const TrendMark&) = default;
};

// Every live sample kept in memory with its time, the newest 24 hours of
// them. A stop of polling is kept as a sample with no values (a gap), so
// nothing joins across the missing time.
class TrendRecorder {
public:
    static constexpr std::int64_t kDayMs = 24LL * 3600 * 1000;

    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void sampleRecorded(const LiveQuantities::Sample& sample) = 0;
        virtual void markRecorded(const TrendMark& mark) = 0;
    };

    explicit TrendRecorder(std::int64_t keepMs = kDayMs) : keepMs_(keepMs) {}

    // Listeners are told of every sample and mark in order; not owned.
    void addListener(Listener* listener) { listeners_.push_back(listener); }
    void removeListener(Listener* listener);

    // One completed poll cycle; alarms that changed since the last value
    // read make marks, before the sample is told.
    void record(const LiveQuantities::Sample& sample);
    // Polling stopped (another tab, port lost): a gap at that time. A gap
    // right after a gap is not kept twice.
    void gap(std::int64_t wallMs, int utcOffsetSeconds);
    // A write the console made, with what it wrote ("Set Intfan1").
    void write(std::int64_t wallMs, int utcOffsetSeconds, const std::string& what, bool succeeded);
    // Takes in a mark as it stands (a log read back).
    void mark(const TrendMark& mark);
    void clear();
    // Replaces everything by samples and marks read back: the marks as they
    // were kept, or when there are none (a log without marks) those the
    // samples' alarms make.
    void restore(const std::vector<LiveQuantities::Sample>& samples, const std::vector<TrendMark>& marks);

    std::size_t size() const { return rows_.size(); }
    LiveQuantities::Sample sample(std::size_t index) const;
    const std::deque<TrendMark>& marks() const { return marks_; }
    // Bytes the kept samples and marks take, roughly.
    std::size_t memoryUsed() const;

    // A sample with no value at all: a gap.
    static bool isGap(const LiveQuantities::Sample& sample);

private:
    // A sample as kept: values without the optional's padding.
    struct Row {
        std::int64_t wallMs;
        std::int32_t utcOffsetSeconds;
        std::uint32_t present;  // bit i: values[i] was read
        std::array<double, LiveQuantities::kCount> values;
    };
    static_assert(LiveQuantities::kCount <= 32);

    void keep(const LiveQuantities::Sample& sample);
    void dropOlderThan(std::int64_t wallMs);

    std::int64_t keepMs_;
    std::deque<Row> rows_;
    std::deque<TrendMark> marks_;
    // The last value read of each quantity, across gaps.
    std::array<std::optional<double>, LiveQuantities::kCount> last_{};
    std::vector<Listener*> listeners_;
};
