#include "widgets/TiError.h"
#include "widgets/TiGaugeComponent.h"

#include <QVariantMap>
#include <gtest/gtest.h>

namespace {

class GaugeWidget : public TiGaugeComponent {
public:
    GaugeWidget()
    {
        SetPositionMax(3000);
        connect(this, &TiPositionComponent::OnPositionChange, this, [this] { ++changes; });
        connect(this, &TiPositionComponent::OnPositionOverLimit, this, [this](int) { ++overLimit; });
    }
    int changes = 0;
    int overLimit = 0;

protected:
    void iPaintTo(TiCanvas& canvas) override { DrawBackGround(canvas, BackGroundColor()); }
};

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const TiError& e) {
        return e.Message();
    }
    return QString();
}

TEST(PositionGauge, PositionLivesInPointerZero)
{
    GaugeWidget g;
    g.SetPosition(1500);
    EXPECT_EQ(g.Pointers(0).Position(), 1500);
    EXPECT_EQ(g.changes, 1);
    g.SetPosition(3000);
    g.SetPosition(3500);
    EXPECT_EQ(g.GetPosition(), 3000);
    EXPECT_EQ(g.changes, 2) << "3500 clamps to the 3000 already shown";
}

TEST(PositionGauge, LimitsSeeTheRequestedValue)
{
    GaugeWidget g;
    g.AddLimit(5, 0, false, 3000, 0, clRed, clBlue);
    g.SetPosition(3500);
    EXPECT_EQ(g.GetPosition(), 3000);
    EXPECT_EQ(g.overLimit, 1);
}

TEST(PositionGauge, LoweringTheMaximumMovesPointersSilently)
{
    GaugeWidget g;
    g.SetPosition(2500);
    const int second = g.AddPointer();
    g.SetPointersPosition(second, 2800);
    g.changes = 0;
    g.SetPositionMax(2000);
    EXPECT_EQ(g.GetPosition(), 2000);
    EXPECT_EQ(g.GetPointersPosition(second), 2000);
    EXPECT_EQ(g.changes, 0);
}

TEST(PositionGauge, ExtraPointersAreUnclampedButMarkersFollow)
{
    GaugeWidget g;
    const int p = g.AddPointer();
    EXPECT_EQ(p, 1);
    g.SetPointersPosition(p, 5000);
    EXPECT_EQ(g.GetPointersPosition(p), 5000);
    EXPECT_EQ(g.CurrentMax(), 3000);
    EXPECT_EQ(g.GetPosition(), 0);
}

TEST(PositionGauge, PointerListRules)
{
    GaugeWidget g;
    EXPECT_EQ(errorOf([&] { g.DeletePointer(0); }), QStringLiteral("Pointer Index 0 can not be Deleted"));
    EXPECT_EQ(errorOf([&] { g.DeletePointer(1); }), QStringLiteral("Index out of Bounds"));
    EXPECT_EQ(errorOf([&] { g.Pointers(-1); }), QStringLiteral("Index out of Bounds"));
    g.AddPointer();
    g.AddPointer();
    g.SetPointersColor(2, clRed);
    EXPECT_EQ(g.GetPointersColor(2), clRed);
    g.DeletePointer(1);
    EXPECT_EQ(g.GetPointerCount(), 2);
    EXPECT_EQ(g.GetPointersColor(1), clRed);
    g.RemoveAllPointers();
    EXPECT_EQ(g.GetPointerCount(), 1);
    EXPECT_EQ(g.Pointers(0).Size(), 10);
    EXPECT_EQ(g.Pointers(0).Style(), 3);
    EXPECT_TRUE(g.Pointers(0).Visible());
}

TEST(PositionGauge, StoredPointersAndSectionEndsWinOnLoading)
{
    GaugeWidget g;
    QVariantMap first{{QStringLiteral("Size"), 12}, {QStringLiteral("Position"), 1234.0}, {QStringLiteral("Color"), 255}};
    QVariantMap second{{QStringLiteral("Visible"), false}};
    g.BeginLoading();
    g.setProperty("SectionEnd1", 1000.0);
    g.setProperty("SectionCount", 3);
    g.setProperty("Pointers", QVariantList{first, second});
    g.setProperty("SectionEnd1_2", 900.0);
    g.setProperty("SectionEnd2_2", 2700.0);
    g.Loaded();
    EXPECT_EQ(g.changes, 0);
    EXPECT_EQ(g.GetPointerCount(), 2);
    EXPECT_EQ(g.GetPosition(), 1234);
    EXPECT_EQ(g.Pointers(0).Size(), 12);
    EXPECT_EQ(g.Pointers(0).Color(), 255);
    EXPECT_FALSE(g.Pointers(1).Visible());
    EXPECT_EQ(g.Pointers(1).Size(), 10) << "missing keys keep the defaults";
    EXPECT_EQ(g.SectionEnd1(), 900);
    EXPECT_EQ(g.SectionEnd2(), 2700);
    EXPECT_EQ(g.StoredPointers().size(), 2);

    g.setProperty("Pointers", QVariantList{});
    EXPECT_EQ(g.GetPointerCount(), 1) << "pointer 0 always exists";
}

TEST(PositionGauge, SectionCountIsClamped)
{
    GaugeWidget g;
    g.SetSectionCount(7);
    EXPECT_EQ(g.SectionCount(), 5);
    g.SetSectionCount(-2);
    EXPECT_EQ(g.SectionCount(), 0);
    EXPECT_EQ(g.SectionColor(1), clGreen);
    EXPECT_EQ(g.SectionEnd(5), 3000);
}

} // namespace
