#include "BaseTestWidget.h"

#include "widgets/TiAngularGauge.h"
#include "widgets/TiGeometry.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

struct ShownWidget {
    ShownWidget()
    {
        w.show();
        flushPaints();
        w.paints = 0;
        w.staticDraws = 0;
    }
    BaseTestWidget w;
};

// A 120x40 widget whose paint failed: black, with the message in white.
void expectFailureMessage(const QImage& broken)
{
    EXPECT_EQ(broken.pixelColor(110, 35), QColor(Qt::black));
    int white = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            white += broken.pixelColor(x, y).lightness() > 200;
    EXPECT_GT(white, 10) << "the message is written in white";
}

TEST(BaseRepaint, UnchangedValueRequestsNoPaint)
{
    ShownWidget s;
    s.w.SetValue(0);
    s.w.SetBackGroundColor(s.w.BackGroundColor());
    s.w.SetCachedDrawing(true);
    flushPaints();
    EXPECT_EQ(s.w.paints, 0);
    s.w.SetValue(5);
    flushPaints();
    EXPECT_EQ(s.w.paints, 1);
}

TEST(BaseRepaint, TenChangesBetweenPaintsCostOnePaint)
{
    ShownWidget s;
    for (int i = 1; i <= 10; ++i)
        s.w.SetValue(i);
    flushPaints();
    EXPECT_EQ(s.w.paints, 1);
    EXPECT_EQ(s.w.value, 10);
}

TEST(BaseRepaint, ValueChangeReusesCachedStaticLayers)
{
    ShownWidget s;
    s.w.SetValue(7);
    flushPaints();
    EXPECT_EQ(s.w.paints, 1);
    EXPECT_EQ(s.w.staticDraws, 0);
    s.w.SetBackGroundColor(clRed);
    flushPaints();
    EXPECT_EQ(s.w.staticDraws, 1);
    s.w.SetCachedDrawing(false);
    s.w.SetValue(8);
    flushPaints();
    s.w.SetValue(9);
    flushPaints();
    EXPECT_EQ(s.w.staticDraws, 3);
}

TEST(BaseRepaint, UpdateBracketReleasesOnePaintAndDoesNotNest)
{
    ShownWidget s;
    s.w.BeginUpdate();
    s.w.BeginUpdate();
    s.w.SetValue(1);
    s.w.SetBackGroundColor(clRed);
    flushPaints();
    EXPECT_EQ(s.w.paints, 0);
    EXPECT_TRUE(s.w.BackGroundPending());
    s.w.EndUpdate(); // the first EndUpdate releases
    EXPECT_FALSE(s.w.Updating());
    flushPaints();
    EXPECT_EQ(s.w.paints, 1);
    s.w.EndUpdate();
    flushPaints();
    EXPECT_EQ(s.w.paints, 1);

    s.w.BeginUpdate();
    s.w.EndUpdate();
    flushPaints();
    EXPECT_EQ(s.w.paints, 1) << "a bracket without changes requests nothing";
}

TEST(BaseRepaint, FrameRateGateHoldsSecondChangeUntilFrameTimePassed)
{
    FakeClock clock;
    ShownWidget s;
    s.w.SetClock(clock);
    s.w.SetAutoFrameRate(true);
    clock.now += 100;
    s.w.ReleaseGatedRepaint();
    flushPaints();
    s.w.paints = 0;

    clock.now += 100;
    s.w.SetValue(1);
    flushPaints();
    EXPECT_EQ(s.w.paints, 1);

    clock.now += 5;
    s.w.SetValue(2);
    flushPaints();
    EXPECT_EQ(s.w.paints, 1) << "5 ms after the last frame at 60 fps";
    EXPECT_TRUE(s.w.InvalidatePending());

    clock.now += 5;
    s.w.ReleaseGatedRepaint();
    flushPaints();
    EXPECT_EQ(s.w.paints, 1) << "still inside the 16.7 ms frame";

    clock.now += 10;
    s.w.ReleaseGatedRepaint();
    flushPaints();
    EXPECT_EQ(s.w.paints, 2);
    EXPECT_FALSE(s.w.InvalidatePending());

    clock.now += 1;
    s.w.BeginUpdate();
    s.w.SetValue(3);
    s.w.EndUpdate();
    flushPaints();
    EXPECT_EQ(s.w.paints, 2) << "EndUpdate passes through the gate too";
    clock.now += 20;
    s.w.EndUpdate();
    flushPaints();
    EXPECT_EQ(s.w.paints, 3);
}

TEST(BaseRepaint, FrameRateZeroOrGateOffPaintsAtOnce)
{
    FakeClock clock;
    ShownWidget s;
    s.w.SetClock(clock);
    s.w.SetAutoFrameRate(true);
    s.w.SetUpdateFrameRate(0);
    s.w.SetValue(1);
    flushPaints();
    s.w.SetValue(2);
    flushPaints();
    EXPECT_EQ(s.w.paints, 2);
}

TEST(BasePaint, FailingPaintShowsMessageAndLaterPaintsRecover)
{
    BaseTestWidget w;
    w.resize(120, 40);
    w.SetBackGroundColor(clWhite);
    w.fail = true;
    expectFailureMessage(w.grab().toImage());

    w.fail = false;
    w.SetValue(3);
    const QImage fixed = w.grab().toImage();
    EXPECT_EQ(fixed.pixelColor(110, 35), QColor(Qt::white));
    EXPECT_EQ(fixed.pixelColor(1, 0), QColor(Qt::blue));
}

TEST(BasePaint, BackgroundPictureAndBorder)
{
    BaseTestWidget w;
    w.resize(20, 20);
    w.SetBackGroundColor(clRed);
    w.SetBorderStyle(ibsLowered);
    EXPECT_EQ(w.GetBorderMargin(), 2);
    QImage shot = w.RenderToImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_NE(shot.pixelColor(0, 10), QColor(Qt::red)) << "border on the edge";

    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::green);
    w.SetBackGroundPicture(picture);
    shot = w.RenderToImage();
    EXPECT_EQ(shot.pixelColor(0, 10), QColor(Qt::green)) << "a picture is stretched over everything, no border";
}

TEST(BasePaint, PaintIntoAForeignPainterAtAnOffset)
{
    BaseTestWidget w;
    w.resize(20, 10);
    w.SetBackGroundColor(clRed);
    w.SetValue(30); // wider than the widget: clipped to it
    QImage sheet(60, 40, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        w.iPaintToDC(10, 20, painter, true);
    }
    EXPECT_EQ(sheet.pixelColor(10, 20), QColor(Qt::blue));
    EXPECT_EQ(sheet.pixelColor(29, 21), QColor(Qt::blue));
    EXPECT_EQ(sheet.pixelColor(30, 21), QColor(Qt::white)) << "clipped to the widget";
    EXPECT_EQ(sheet.pixelColor(15, 25), QColor(Qt::white)) << "background skipped";
    {
        QPainter painter(&sheet);
        w.iPaintToDC(10, 20, painter, false);
    }
    EXPECT_EQ(sheet.pixelColor(15, 25), QColor(Qt::red));
    EXPECT_EQ(sheet.pixelColor(9, 25), QColor(Qt::white));
    EXPECT_EQ(w.staticDraws, 2) << "drawn without the cache";
    EXPECT_TRUE(w.CachedDrawing());

    // A background change painted elsewhere first still rebuilds the cache.
    EXPECT_EQ(w.RenderToImage().pixelColor(15, 5), QColor(Qt::red));
    w.SetBackGroundColor(clLime);
    {
        QPainter painter(&sheet);
        w.iPaintToDC(0, 0, painter, false);
    }
    EXPECT_EQ(w.RenderToImage().pixelColor(15, 5), QColor(Qt::green));
}

// A parent that paints its left half red and right half green.
class TwoColourParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(0, 0, width() / 2, height(), Qt::red);
        p.fillRect(width() / 2, 0, width() - width() / 2, height(), Qt::green);
    }
};

TEST(BaseTransparency, TransparentWidgetShowsParentPixels)
{
    TwoColourParent parent;
    parent.resize(100, 60);
    auto* w = new BaseTestWidget(&parent);
    w->setGeometry(30, 10, 40, 30);
    w->SetBackGroundColor(clYellow);
    w->SetValue(5);
    parent.show();
    flushPaints();
    EXPECT_EQ(w->grab().toImage().pixelColor(5, 15), QColor(Qt::yellow));

    w->SetTransparent(true);
    flushPaints();
    const QImage shot = parent.grab().toImage();
    EXPECT_EQ(shot.pixelColor(30 + 5, 10 + 15), QColor(Qt::red)) << "parent's left half beneath";
    EXPECT_EQ(shot.pixelColor(30 + 35, 10 + 15), QColor(Qt::green)) << "parent's right half beneath";
    EXPECT_EQ(shot.pixelColor(30 + 1, 10), QColor(Qt::blue)) << "the widget still draws its moving layer";
    const QImage exported = w->RenderToImage();
    EXPECT_EQ(exported.pixelColor(5, 15), QColor(Qt::red)) << "an export shows what lies beneath too";
    EXPECT_EQ(exported.pixelColor(35, 15), QColor(Qt::green));
    EXPECT_EQ(exported.pixelColor(1, 0), QColor(Qt::blue));

    w->SetTransparent(false);
    flushPaints();
    EXPECT_EQ(parent.grab().toImage().pixelColor(35, 25), QColor(Qt::yellow));
}

TEST(BaseTransparency, WithoutParentFallsBackToBackgroundColour)
{
    BaseTestWidget w;
    w.SetBackGroundColor(clAqua);
    w.SetTransparent(true);
    EXPECT_EQ(w.RenderToImage().pixelColor(10, 10), QColor(Qt::cyan));
}

TEST(BaseGeometry, CentrePoints)
{
    BaseTestWidget w;
    w.resize(151, 80);
    QImage img(1, 1, QImage::Format_RGB32);
    TiCanvas c(img);
    EXPECT_EQ(w.GetCenterPoint(c), QPoint(75, 40));
    w.SetOffsetX(3);
    w.SetOffsetY(-2);
    EXPECT_EQ(w.GetCenterPoint(c), QPoint(78, 38));
    EXPECT_EQ(w.GetCenterPointDouble(c), QPointF(75.0, 39.5));
    EXPECT_EQ(tiCenterPoint(-7, 9, 0, 0), QPoint(-3, 4)) << "division rounds toward zero";
}

TEST(BaseGeometry, RadialPointsAndRounding)
{
    EXPECT_EQ(GetXYRadPoint(90, 10, QPoint(50, 50)), QPoint(50, 40));
    EXPECT_EQ(GetXYRadPoint(0, 10, QPoint(50, 50)), QPoint(60, 50));
    EXPECT_EQ(GetXYRadPoint(180, 10, QPoint(50, 50)), QPoint(40, 50));
    EXPECT_EQ(GetXYRadPoint(270, 10, QPoint(50, 50)), QPoint(50, 60));
    EXPECT_EQ(GetXYRadPoint(-40, 100, QPoint(0, 0)), QPoint(77, 64));
    EXPECT_EQ(tiRound(2.5), 2);
    EXPECT_EQ(tiRound(3.5), 4);
    EXPECT_EQ(tiRound(-2.5), -2);
    EXPECT_EQ(tiRound(-3.5), -4);
    EXPECT_EQ(tiRound(1.4999), 1);
    EXPECT_EQ(tiRound(-0.6), -1);
}

TEST(BaseLoading, LoadingBracketAndHooks)
{
    BaseTestWidget w;
    w.BeginLoading();
    EXPECT_TRUE(w.Loading());
    EXPECT_TRUE(w.setProperty("BackGroundColor", 0x123456));
    EXPECT_TRUE(w.setProperty("BorderStyle", QStringLiteral("ibsRaised")));
    EXPECT_TRUE(w.setProperty("AutoFrameRate", true));
    EXPECT_TRUE(w.setProperty("Transparent", true));
    w.Loaded();
    EXPECT_FALSE(w.Loading());
    EXPECT_EQ(w.BackGroundColor(), 0x123456);
    EXPECT_EQ(w.BorderStyle(), ibsRaised);
    EXPECT_TRUE(w.AutoFrameRate());
    EXPECT_TRUE(w.Transparent());
    EXPECT_TRUE(w.setProperty("BorderStyle", 2));
    EXPECT_EQ(w.BorderStyle(), ibsLowered);
}

TEST(BaseTimer, StartStopRules)
{
    BaseTestWidget w;
    w.TimerStart(0, 0);
    EXPECT_FALSE(w.GetTimerRunning());
    w.TimerStart(200, 1000);
    EXPECT_TRUE(w.GetTimerRunning());
    w.TimerStart(0, 50);
    EXPECT_EQ(w.Interval(), 1000) << "a running timer ignores TimerStart";
    w.TimerStop();
    EXPECT_FALSE(w.GetTimerRunning());
}

} // namespace

namespace {

TEST(BaseRepaint, FrameRateMinMaxMoveAndResizeRebuildTheBackground)
{
    using Change = std::function<void(TiAngularGauge&)>;
    const std::vector<std::pair<const char*, Change>> changes{
        {"UpdateFrameRate", [](TiAngularGauge& g) { g.SetUpdateFrameRate(30); }},
        {"MinMaxUserCanMove", [](TiAngularGauge& g) { g.SetMinMaxUserCanMove(true); }},
        {"move", [](TiAngularGauge& g) { g.SetLeft(g.Left() + 7); }},
        {"resize", [](TiAngularGauge& g) { g.SetWidth(g.Width() + 7); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        QWidget parent;
        auto* g = new TiAngularGauge(&parent);
        parent.show();
        flushPaints();
        ASSERT_FALSE(g->BackGroundChanged());
        g->BeginUpdate();
        change(*g);
        EXPECT_TRUE(g->BackGroundPending());
        EXPECT_TRUE(g->BackGroundChanged());
        g->EndUpdate();
    }
}

} // namespace

namespace {

// Counts how deep its paint lock is held.
class LockCountingWidget : public BaseTestWidget {
public:
    int depth = 0;
    void Lock() override
    {
        ++depth;
        BaseTestWidget::Lock();
    }
    void Unlock() override
    {
        --depth;
        BaseTestWidget::Unlock();
    }
};

TEST(BasePaint, ThrowingPaintOrOverlayShowsItsMessageAndReleasesTheLock)
{
    struct Case {
        const char* name;
        bool paintFails;
        bool overlayFails;
        bool foreignError; // not a std::exception: it passes on, the lock is released all the same
    };
    for (const Case& c : {Case{"overlay", false, true, false}, Case{"paint", true, false, false},
                          Case{"both", true, true, false}, Case{"foreign", false, true, true}}) {
        SCOPED_TRACE(c.name);
        LockCountingWidget w;
        w.resize(120, 40);
        w.SetBackGroundColor(clWhite);
        w.fail = c.paintFails;
        bool overlayFails = c.overlayFails;
        int overlays = 0;
        QObject::connect(&w, &TiComponent::OnPaintOverlay, [&](TiCanvas&) {
            ++overlays;
            if (!overlayFails)
                return;
            if (c.foreignError)
                throw 42;
            throw TiError(QStringLiteral("Overlay broken"));
        });
        if (c.foreignError) {
            EXPECT_ANY_THROW(w.RenderToImage());
            EXPECT_ANY_THROW(w.GetBytesPNG(6));
        } else {
            for (const QImage& broken : {w.RenderToImage(), w.grab().toImage()})
                expectFailureMessage(broken);
        }
        EXPECT_EQ(w.depth, 0);

        w.fail = false;
        overlayFails = false;
        overlays = 0;
        w.SetValue(3);
        const QImage fixed = w.grab().toImage();
        EXPECT_EQ(fixed.pixelColor(110, 35), QColor(Qt::white));
        EXPECT_EQ(fixed.pixelColor(1, 0), QColor(Qt::blue));
        EXPECT_EQ(overlays, 1);
        EXPECT_EQ(w.depth, 0);
    }
}

} // namespace
