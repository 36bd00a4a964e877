#include "BaseTestWidget.h"

#include "widgets/TiError.h"
#include "widgets/TiPositionComponent.h"
#include "widgets/TiProgressComponent.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class PositionWidget : public TiPositionComponent {
public:
    PositionWidget()
    {
        connect(this, &TiPositionComponent::OnPositionChange, this, [this] { events.push_back("change"); });
        connect(this, &TiPositionComponent::OnPositionOverMax, this, [this] { events.push_back("overmax"); });
        connect(this, &TiPositionComponent::OnPositionUnderMin, this, [this] { events.push_back("undermin"); });
        connect(this, &TiPositionComponent::OnCurrentMaxChange, this, [this] { events.push_back("curmax"); });
        connect(this, &TiPositionComponent::OnCurrentMinChange, this, [this] { events.push_back("curmin"); });
        connect(this, &TiPositionComponent::OnPositionOverLimit, this,
                [this](int i) { events.push_back("over" + std::to_string(i)); });
        connect(this, &TiPositionComponent::OnPositionUnderLimit, this,
                [this](int i) { events.push_back("under" + std::to_string(i)); });
        connect(this, &TiPositionComponent::OnPositionChangeFinished, this, [this] { events.push_back("finished"); });
    }
    std::vector<std::string> events;
    int paints = 0;

protected:
    void iPaintTo(TiCanvas& canvas) override
    {
        ++paints;
        DrawBackGround(canvas, BackGroundColor());
    }
};

using Events = std::vector<std::string>;

TEST(PositionModel, UnchangedOrClampedToCurrentDoesNothing)
{
    PositionWidget w;
    w.SetPositionMax(3000);
    w.SetPosition(3000);
    w.show();
    flushPaints();
    w.events.clear();
    w.paints = 0;
    w.SetPosition(3000);
    w.SetPosition(3500);
    flushPaints();
    EXPECT_TRUE(w.events.empty());
    EXPECT_EQ(w.paints, 0);
}

TEST(PositionModel, ClampsAndFiresOnce)
{
    PositionWidget w;
    w.SetPosition(50);
    w.events.clear();
    w.SetPosition(-5);
    EXPECT_EQ(w.GetPosition(), 0);
    EXPECT_EQ(w.events, (Events{"change"}));
    w.SetPosition(250);
    EXPECT_EQ(w.GetPosition(), 100);
}

TEST(PositionModel, MinMaxFollowThePosition)
{
    PositionWidget w;
    for (double v : {10.0, 70.0, 30.0})
        w.SetPosition(v);
    EXPECT_EQ(w.CurrentMin(), 0);
    EXPECT_EQ(w.CurrentMax(), 70);
    EXPECT_EQ(std::count(w.events.begin(), w.events.end(), "overmax"), 0);
    EXPECT_EQ(std::count(w.events.begin(), w.events.end(), "curmax"), 2);
    w.ResetMinMax();
    EXPECT_EQ(w.CurrentMin(), 30);
    EXPECT_EQ(w.CurrentMax(), 30);
}

TEST(PositionModel, FixedMinMaxReportsOverAndUnder)
{
    PositionWidget w;
    w.SetCurrentMax(50);
    w.SetCurrentMin(20);
    w.SetMinMaxFixed(true);
    w.SetPosition(30);
    w.events.clear();
    w.SetPosition(60);
    EXPECT_EQ(w.CurrentMax(), 50);
    EXPECT_EQ(w.events, (Events{"overmax", "change"}));
    w.events.clear();
    w.SetPosition(10);
    EXPECT_EQ(w.CurrentMin(), 20);
    EXPECT_EQ(w.events, (Events{"undermin", "change"}));
}

TEST(PositionModel, CurrentMarkersAreClampedIntoTheBounds)
{
    PositionWidget w;
    w.SetCurrentMax(500);
    EXPECT_EQ(w.CurrentMax(), 100);
    w.SetCurrentMin(-3);
    EXPECT_EQ(w.CurrentMin(), 0);
}

TEST(PositionModel, LoweringTheMaximumMovesThePosition)
{
    PositionWidget w;
    w.SetPosition(80);
    w.events.clear();
    w.SetPositionMax(60);
    EXPECT_EQ(w.GetPosition(), 60);
    EXPECT_EQ(w.CurrentMax(), 60) << "the max marker follows the bound";
    EXPECT_NE(std::find(w.events.begin(), w.events.end(), "change"), w.events.end());
}

TEST(PositionModel, ReversedBoundsClampToTheMinimum)
{
    PositionWidget w;
    w.SetPositionMinMax(50, 10);
    w.SetPosition(30);
    EXPECT_EQ(w.GetPosition(), 50);
}

TEST(PositionModel, PercentMapping)
{
    PositionWidget w;
    w.SetPositionMinMax(-40, 80);
    EXPECT_DOUBLE_EQ(w.ValuePercent(20), 0.5);
    EXPECT_DOUBLE_EQ(w.ValuePercent(200), 1.0);
    EXPECT_DOUBLE_EQ(w.ValuePercent(-100), 0.0);
    w.SetPositionPercent(0.25);
    EXPECT_DOUBLE_EQ(w.GetPosition(), -10);
    w.SetPositionMinMax(5, 5);
    EXPECT_DOUBLE_EQ(w.ValuePercent(5), 0.0);
}

TEST(PositionModel, LimitsFireInOrderAndCheckTheirIndex)
{
    PositionWidget w;
    EXPECT_EQ(w.AddLimit(6, 2, false, 80, 20, clRed, clBlue), 0);
    EXPECT_EQ(w.AddLimit(6, 2, false, 50, 40, clRed, clBlue), 1);
    w.events.clear();
    w.SetPosition(90);
    EXPECT_EQ(w.events, (Events{"curmax", "over0", "over1", "change"}));
    w.events.clear();
    w.SetPosition(10);
    EXPECT_EQ(w.events, (Events{"under0", "under1", "change"}));
    w.SetLimitUpperValue(1, 95);
    EXPECT_EQ(w.GetLimitUpperValue(1), 95);
    EXPECT_TRUE(w.GetLimitShowUpperPointer(0));

    for (int bad : {-1, 2}) {
        try {
            w.GetLimitLowerValue(bad);
            ADD_FAILURE() << "index " << bad << " accepted";
        } catch (const TiError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Limit Index out of bounds"));
        }
    }
    EXPECT_THROW(w.SetLimitPointerSize(2, 3), TiError);
    EXPECT_THROW(w.RemoveLimit(5), TiError);
    EXPECT_EQ(w.GetLimitCount(), 2);
    w.RemoveLimit(0);
    EXPECT_EQ(w.GetLimitUpperValue(0), 95);
    w.RemoveAllLimits();
    EXPECT_EQ(w.GetLimitCount(), 0);
}

TEST(PositionModel, NoEventVariantAndEditHook)
{
    PositionWidget w;
    w.SetPositionNoEvent(40);
    EXPECT_EQ(w.GetPosition(), 40);
    EXPECT_EQ(std::count(w.events.begin(), w.events.end(), "change"), 0);
    w.SetPosition(41);
    EXPECT_EQ(std::count(w.events.begin(), w.events.end(), "change"), 1) << "suppression lasts one call";

    QStringList told;
    w.RequestEditHook = [](const QString& name) { return name != QStringLiteral("Position"); };
    w.PropertyChangeHook = [&told](const QString& name) { told << name; };
    w.SetPosition(60);
    EXPECT_EQ(w.GetPosition(), 41);
    w.RequestEditHook = nullptr;
    w.SetPosition(60);
    EXPECT_EQ(told, QStringList{QStringLiteral("Position")});
}

TEST(PositionModel, ChangeFinishedFiresOnceAfterChanges)
{
    PositionWidget w;
    w.DoPositionChangeFinished();
    w.SetPosition(1);
    w.SetPosition(2);
    w.events.clear();
    w.DoPositionChangeFinished();
    w.DoPositionChangeFinished();
    EXPECT_EQ(w.events, (Events{"finished"}));
}

TEST(PositionModel, LoadingStoresSilentlyAndStoredEntriesWin)
{
    PositionWidget w;
    w.BeginLoading();
    EXPECT_TRUE(w.setProperty("Position", 1500.0)); // before the maximum arrives
    EXPECT_TRUE(w.setProperty("PositionMax", 3000.0));
    EXPECT_TRUE(w.setProperty("CurrentMax", 20.0));
    EXPECT_TRUE(w.setProperty("PositionMax_2", 3000.0));
    w.Loaded();
    EXPECT_TRUE(w.events.empty());
    EXPECT_EQ(w.GetPosition(), 1500);
    EXPECT_EQ(w.PositionMax(), 3000);
    EXPECT_EQ(w.CurrentMax(), 20);

    PositionWidget zero;
    zero.BeginLoading();
    zero.setProperty("PositionMax", 0.0);
    zero.setProperty("PositionMax_2", 0.0);
    zero.Loaded();
    EXPECT_EQ(zero.PositionMax(), 0);

    // The stored entry goes straight into the field: no clamping, no event.
    PositionWidget direct;
    direct.SetPosition(80);
    direct.events.clear();
    direct.setProperty("PositionMax_2", 50.0);
    EXPECT_EQ(direct.PositionMax(), 50);
    EXPECT_EQ(direct.GetPosition(), 80);
    EXPECT_TRUE(direct.events.empty());
}

class ProgressWidget : public TiProgressComponent {
protected:
    void iPaintTo(TiCanvas& canvas) override { DrawBackGround(canvas, BackGroundColor()); }
};

TEST(ProgressSections, CountAcceptsOneToThreeOnly)
{
    ProgressWidget w;
    EXPECT_EQ(w.width(), 16);
    EXPECT_EQ(w.height(), 200);
    w.SetSectionCount(2);
    w.SetSectionCount(4);
    EXPECT_EQ(w.SectionCount(), 2);
    w.SetSectionCount(0);
    EXPECT_EQ(w.SectionCount(), 2);
    EXPECT_TRUE(w.setProperty("SectionColor1", 0x40FF00));
    EXPECT_EQ(w.SectionColor1(), 0x40FF00);
    w.setProperty("SectionEnd1_2", 100.0);
    EXPECT_EQ(w.SectionEnd1(), 100);
}

} // namespace
