#include "console/TrendRecorder.h"

#include <algorithm>

using LiveQuantities::kCount;
using LiveQuantities::kQuantities;
using LiveQuantities::Sample;

void TrendRecorder::removeListener(Listener* listener)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

bool TrendRecorder::isGap(const Sample& sample)
{
    return std::none_of(sample.values.begin(), sample.values.end(), [](const auto& v) { return v.has_value(); });
}

void TrendRecorder::record(const Sample& sample)
{
    for (std::size_t i = 0; i < kCount; ++i) {
        const std::optional<double>& now = sample.values[i];
        if (!now)
            continue;
        if (kQuantities[i].kind == LiveQuantities::Kind::Alarm) {
            const bool was = last_[i].value_or(0) != 0;
            const bool is = *now != 0;
            if (was != is)
                mark(TrendMark{sample.wallMs, sample.utcOffsetSeconds, is ? TrendMark::Kind::AlarmRaised : TrendMark::Kind::AlarmCleared,
                               std::string(kQuantities[i].label) + (is ? " raised" : " cleared")});
        }
        last_[i] = now;
    }
    keep(sample);
}

void TrendRecorder::gap(std::int64_t wallMs, int utcOffsetSeconds)
{
    if (rows_.empty() || rows_.back().present == 0)
        return;
    Sample g;
    g.wallMs = wallMs;
    g.utcOffsetSeconds = utcOffsetSeconds;
    keep(g);
}

void TrendRecorder::write(std::int64_t wallMs, int utcOffsetSeconds, const std::string& what, bool succeeded)
{
    mark(TrendMark{wallMs, utcOffsetSeconds, succeeded ? TrendMark::Kind::Write : TrendMark::Kind::WriteFailed,
                   succeeded ? what : what + " failed"});
}

void TrendRecorder::mark(const TrendMark& m)
{
    marks_.push_back(m);
    for (Listener* l : listeners_)
        l->markRecorded(m);
}

void TrendRecorder::keep(const Sample& sample)
{
    Row row{sample.wallMs, sample.utcOffsetSeconds, 0, {}};
    for (std::size_t i = 0; i < kCount; ++i)
        if (sample.values[i]) {
            row.present |= 1U << i;
            row.values[i] = *sample.values[i];
        }
    rows_.push_back(row);
    dropOlderThan(sample.wallMs - keepMs_);
    for (Listener* l : listeners_)
        l->sampleRecorded(sample);
}

void TrendRecorder::dropOlderThan(std::int64_t wallMs)
{
    while (!rows_.empty() && rows_.front().wallMs < wallMs)
        rows_.pop_front();
    while (!marks_.empty() && marks_.front().wallMs < wallMs)
        marks_.pop_front();
}

void TrendRecorder::clear()
{
    rows_.clear();
    marks_.clear();
    last_ = {};
}

void TrendRecorder::restore(const std::vector<Sample>& samples, const std::vector<TrendMark>& marks)
{
    clear();
    for (const Sample& s : samples)
        if (!marks.empty())
            keep(s);
        else if (isGap(s))
            gap(s.wallMs, s.utcOffsetSeconds);
        else
            record(s);
    for (const TrendMark& m : marks)
        mark(m);
}

Sample TrendRecorder::sample(std::size_t index) const
{
    const Row& row = rows_.at(index);
    Sample s;
    s.wallMs = row.wallMs;
    s.utcOffsetSeconds = row.utcOffsetSeconds;
    for (std::size_t i = 0; i < kCount; ++i)
        if (row.present & (1U << i))
            s.values[i] = row.values[i];
    return s;
}

std::size_t TrendRecorder::memoryUsed() const
{
    std::size_t bytes = rows_.size() * sizeof(Row) + marks_.size() * sizeof(TrendMark);
    for (const TrendMark& m : marks_)
        bytes += m.text.capacity();
    return bytes;
}
