#include "link/LiveQuantities.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace LiveQuantities;

TEST(LiveQuantities, NamesAreUniqueAndFound)
{
    std::set<std::string_view> names;
    for (const Quantity& q : kQuantities) {
        EXPECT_TRUE(names.insert(q.name).second) << q.name;
        EXPECT_EQ(indexOf(q.name), std::optional<std::size_t>(names.size() - 1));
        EXPECT_TRUE(q.pollStep == 0 || q.pollStep == 1 || q.pollStep == 3) << q.name;
    }
    EXPECT_EQ(indexOf("no_such_quantity"), std::nullopt);
}

TEST(LiveQuantities, SampleTakesScaledValuesOnlyFromAnsweredSteps)
{
    LinkState s;
    s.Intfan1.Speed = 65535;
    s.Live.IndoorTemp = -200;
    s.Live.SupplyVoltage = 485;
    s.Live.HeaterCurrent = 12;
    s.Live.CompSpeed = 3000;
    s.Live.HighTempAlarm = 1;
    s.Live.ForceOn = 1;

    const Sample all = sampleOf(s, 0b1011, 1700000000123, 3600);
    EXPECT_EQ(all.wallMs, 1700000000123);
    EXPECT_EQ(all.utcOffsetSeconds, 3600);
    EXPECT_EQ(all.values[*indexOf("intfan1_speed")], 65535.0);
    EXPECT_DOUBLE_EQ(*all.values[*indexOf("indoor_temp")], -20.0);
    EXPECT_DOUBLE_EQ(*all.values[*indexOf("supply_voltage")], 48.5);
    EXPECT_DOUBLE_EQ(*all.values[*indexOf("heater_current")], 1.2);
    EXPECT_EQ(all.values[*indexOf("compressor_speed")], 3000.0);
    EXPECT_EQ(all.values[*indexOf("high_temp_alarm")], 1.0);
    EXPECT_EQ(all.values[*indexOf("force_on")], 1.0);

    // Only the alarm inputs answered: the measurements and outputs are gaps.
    const Sample alarmsOnly = sampleOf(s, 0b0010, 0, 0);
    for (std::size_t i = 0; i < kCount; ++i)
        EXPECT_EQ(alarmsOnly.values[i].has_value(), kQuantities[i].kind == Kind::Alarm) << kQuantities[i].name;
}
