#include "widgets/TiError.h"
#include "widgets/TiSwitchLed.h"
#include "widgets/TiSwitchMath.h"
#include "widgets/TiSwitchRotary.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QPoint centreOf(const TiRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}
} // namespace

TEST(SwitchRotary, OutOfRangeRequestRepaintsAndReportsButStays)
{
    TiSwitchRotary knob;
    knob.SetPositionLabels(QStringLiteral("On, Off"));
    knob.SetPosition(1);
    QSignalSpy changes(&knob, &TiSwitchMultiPosition::OnPositionChange);
    knob.BeginUpdate();
    knob.SetPosition(3);
    EXPECT_EQ(knob.Position(), 1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(knob.BackGroundPending());
    knob.EndUpdate();
    knob.SetPosition(1);
    EXPECT_EQ(changes.count(), 1);
    knob.setProperty("Position", 0.0);
    EXPECT_EQ(knob.Position(), 0);
}

TEST(SwitchRotary, OverlongLabelTextIsRefused)
{
    TiSwitchRotary knob;
    try {
        knob.SetPositionLabels(QString(300, QLatin1Char('a')));
        FAIL() << "no error raised";
    } catch (const TiError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Position Label String Must be < 256 Characters"));
    }
    EXPECT_EQ(knob.PositionLabels(), QStringLiteral("Off, On"));
    EXPECT_THROW(knob.PositionLabel(2), TiError);
}

TEST(SwitchRotary, ShrinkingTheListPullsThePositionIn)
{
    TiSwitchRotary knob;
    knob.SetPositionLabels(QStringLiteral("a, b, c, d, e, f, g, h, i"));
    EXPECT_EQ(knob.EffectiveSpacing(), 22.5);
    knob.SetPosition(8);
    knob.SetPositionLabels(QStringLiteral("On, Off, Enable"));
    EXPECT_EQ(knob.Position(), 2);
    EXPECT_EQ(knob.EffectiveSpacing(), 45);
}

TEST(SwitchRotary, ConsoleTwoPositionKnobLabelsAtNineAndTwelve)
{
    TiSwitchRotary knob;
    knob.SetBounds(0, 0, 120, 100);
    knob.SetPositionLabels(QStringLiteral("On, Off"));
    knob.SetRotationDesiredSpacing(irds90);
    const QPoint c = knob.KnobCentre();
    const QPoint on = centreOf(knob.LabelRect(0));
    const QPoint off = centreOf(knob.LabelRect(1));
    EXPECT_LT(on.x(), c.x() - 30);
    EXPECT_NEAR(on.y(), c.y(), 1);
    EXPECT_LT(off.y(), c.y() - 30);
    EXPECT_NEAR(off.x(), c.x(), 1);
}

TEST(SwitchRotary, ConsoleThreePositionKnobLabelsAtNineHalfPastTenAndTwelve)
{
    TiSwitchRotary knob;
    knob.SetBounds(0, 0, 120, 100);
    knob.SetPositionLabels(QStringLiteral("On, Off, Enable"));
    const QPoint c = knob.KnobCentre();
    const QPoint on = centreOf(knob.LabelRect(0));
    const QPoint off = centreOf(knob.LabelRect(1));
    const QPoint enable = centreOf(knob.LabelRect(2));
    EXPECT_NEAR(on.y(), c.y(), 1);
    EXPECT_LT(on.x(), c.x());
    // Half past ten: up and left by the same amount.
    EXPECT_NEAR(c.x() - off.x(), c.y() - off.y(), 2);
    EXPECT_GT(c.x() - off.x(), 20);
    EXPECT_NEAR(enable.x(), c.x(), 1);
    EXPECT_LT(enable.y(), c.y());
}

TEST(SwitchRotary, GotoClickSelectsThePositionUnderTheMouse)
{
    TiSwitchRotary knob;
    knob.SetBounds(0, 0, 120, 100);
    knob.SetPositionLabels(QStringLiteral("On, Off, Enable"));
    knob.show();
    QSignalSpy user(&knob, &TiSwitchMultiPosition::OnPositionChangeUser);
    QSignalSpy finished(&knob, &TiSwitchMultiPosition::OnPositionChangeFinished);
    const QPoint c = knob.KnobCentre();
    QTest::mouseClick(&knob, Qt::LeftButton, {}, c + QPoint(0, -20));
    EXPECT_EQ(knob.Position(), 2);
    QTest::mouseClick(&knob, Qt::LeftButton, {}, c + QPoint(-14, -14));
    EXPECT_EQ(knob.Position(), 1);
    EXPECT_EQ(user.count(), 2);
    EXPECT_EQ(finished.count(), 2);
    // Below the knob lies no position.
    QTest::mouseClick(&knob, Qt::LeftButton, {}, c + QPoint(0, 20));
    EXPECT_EQ(knob.Position(), 1);
}

TEST(SwitchRotary, KeysStepAndFinish)
{
    TiSwitchRotary knob;
    knob.SetPositionLabels(QStringLiteral("a, b, c, d"));
    knob.show();
    QSignalSpy finished(&knob, &TiSwitchMultiPosition::OnPositionChangeFinished);
    QTest::keyClick(&knob, Qt::Key_Right);
    EXPECT_EQ(knob.Position(), 1);
    QTest::keyClick(&knob, Qt::Key_End);
    EXPECT_EQ(knob.Position(), 3);
    QTest::keyClick(&knob, Qt::Key_PageDown);
    EXPECT_EQ(knob.Position(), 1);
    QTest::keyClick(&knob, Qt::Key_Home);
    EXPECT_EQ(knob.Position(), 0);
    EXPECT_EQ(finished.count(), 4);
}

TEST(SwitchLed, ClickToggleComesAfterOnClick)
{
    TiSwitchLed sw;
    sw.show();
    std::vector<bool> seen;
    QObject::connect(&sw, &TiComponent::OnClick, [&] { seen.push_back(sw.Active()); });
    QSignalSpy changes(&sw, &TiSwitchLed::OnChange);
    QSignalSpy user(&sw, &TiSwitchLed::OnChangeUser);
    QTest::mouseClick(&sw, Qt::LeftButton, {}, QPoint(20, 14));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FALSE(seen[0]);
    EXPECT_TRUE(sw.Active());
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(user.count(), 1);
    // A program change is no user change.
    sw.SetActive(false);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(user.count(), 1);
}

TEST(SwitchLed, ReleaseOutsideNeitherClicksNorToggles)
{
    TiSwitchLed sw;
    sw.show();
    QSignalSpy clicks(&sw, &TiComponent::OnClick);
    QTest::mousePress(&sw, Qt::LeftButton, {}, QPoint(20, 14));
    EXPECT_TRUE(sw.Pressed());
    QTest::mouseRelease(&sw, Qt::LeftButton, {}, QPoint(60, 14));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(sw.Active());
    EXPECT_FALSE(sw.Pressed());
}

TEST(SwitchLed, SpaceTogglesWithoutOnClick)
{
    TiSwitchLed sw;
    sw.show();
    QSignalSpy clicks(&sw, &TiComponent::OnClick);
    QTest::keyPress(&sw, Qt::Key_Space);
    EXPECT_FALSE(sw.Active());
    QTest::keyRelease(&sw, Qt::Key_Space);
    EXPECT_TRUE(sw.Active());
    EXPECT_EQ(clicks.count(), 0);
}

TEST(SwitchLed, LampShowsLitAndDimmedColour)
{
    TiSwitchLed sw;
    sw.SetBounds(0, 0, 40, 33);
    sw.SetCaption(QStringLiteral("ReC"));
    sw.SetIndicatorHeight(5);
    sw.SetIndicatorWidth(8);
    sw.SetBorderSize(3);
    sw.SetCaptionMargin(5);
    const TiRect lamp = sw.LampRect();
    const QPoint p = centreOf(lamp);
    EXPECT_EQ(sw.RenderToImage().pixelColor(p), QColor(0, 0x55, 0));
    sw.setProperty("Active", true);
    EXPECT_EQ(sw.RenderToImage().pixelColor(p), QColor(0, 255, 0));
    // The lamp spans the button less the margins.
    EXPECT_EQ(lamp.Width(), 40 - 1 - 2 * 1 - 2 * 5);
}

TEST(SwitchRotary, KnobIsDrawnTowardsTheCurrentPosition)
{
    TiSwitchRotary knob;
    knob.SetBounds(0, 0, 120, 100);
    knob.SetPositionLabels(QStringLiteral("On, Off"));
    knob.SetRotationDesiredSpacing(irds90);
    knob.SetPointerColor(tiRGB(0, 128, 255));
    knob.SetPosition(1);
    const QPoint c = knob.KnobCentre();
    const QColor blue(0, 128, 255);
    QImage image = knob.RenderToImage();
    EXPECT_EQ(image.pixelColor(c + QPoint(0, -12)), blue);
    EXPECT_NE(image.pixelColor(c + QPoint(-12, 0)), blue);
    knob.SetPosition(0);
    image = knob.RenderToImage();
    EXPECT_EQ(image.pixelColor(c + QPoint(-12, 0)), blue);
    EXPECT_NE(image.pixelColor(c + QPoint(0, -12)), blue);
}

TEST(SwitchLed, StoredCaptionEntryIsTakenSilently)
{
    TiSwitchLed sw;
    sw.BeginLoading();
    sw.setProperty("Caption", QStringLiteral("x"));
    sw.Loaded();
    sw.BeginUpdate();
    sw.setProperty("Caption_2", QStringLiteral("ReC"));
    EXPECT_EQ(sw.Caption(), QStringLiteral("ReC"));
    EXPECT_FALSE(sw.BackGroundPending());
    EXPECT_FALSE(sw.InvalidatePending());
    sw.EndUpdate();
}

namespace {

// A key held down: the press, `repeats` auto-repeated release/press pairs as
// X11 delivers them, then the real release.
void holdKey(QWidget& w, Qt::Key key, const QString& text, int repeats)
{
    const auto send = [&](QEvent::Type type, bool autoRepeat) {
        QKeyEvent e(type, key, Qt::NoModifier, text, autoRepeat);
        QApplication::sendEvent(&w, &e);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    send(QEvent::KeyRelease, false);
}

} // namespace

TEST(SwitchKeys, AutoRepeatTogglesOnceAndFinishesOnce)
{
    struct Case {
        int repeats;
        int changes;   // switch LED: OnChange (and OnChangeUser) per hold
        int position;  // rotary: where Right leaves a five-position knob
    };
    for (const Case& c : {Case{0, 1, 1}, Case{2, 1, 3}, Case{6, 1, 4}}) {
        SCOPED_TRACE(c.repeats);
        TiSwitchLed sw;
        QSignalSpy changes(&sw, &TiSwitchLed::OnChange);
        QSignalSpy user(&sw, &TiSwitchLed::OnChangeUser);
        holdKey(sw, Qt::Key_Space, QStringLiteral(" "), c.repeats);
        EXPECT_EQ(changes.count(), c.changes);
        EXPECT_EQ(user.count(), c.changes);
        EXPECT_TRUE(sw.Active());

        TiSwitchRotary knob;
        knob.SetPositionLabels(QStringLiteral("a, b, c, d, e"));
        QSignalSpy finished(&knob, &TiSwitchMultiPosition::OnPositionChangeFinished);
        holdKey(knob, Qt::Key_Right, QString(), c.repeats);
        EXPECT_EQ(knob.Position(), c.position) << "each repeat steps";
        EXPECT_EQ(finished.count(), 1);
    }
}

TEST(SwitchRotary, KnobLightsWhileAnArrowKeyOrTheMouseIsHeld)
{
    struct Case {
        Qt::Key key;
        bool lit;
    };
    for (const Case& c : {Case{Qt::Key_Right, true}, Case{Qt::Key_Down, true}, Case{Qt::Key_PageUp, false},
                          Case{Qt::Key_PageDown, false}, Case{Qt::Key_Home, false}, Case{Qt::Key_End, false}}) {
        SCOPED_TRACE(c.key);
        TiSwitchRotary knob;
        knob.SetPositionLabels(QStringLiteral("a, b, c, d"));
        knob.SetPosition(1);
        knob.SetPointerHighLightColor(clRed);
        const auto redPixels = [&] {
            const QImage image = knob.RenderToImage();
            int red = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    red += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
            return red;
        };
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
        QApplication::sendEvent(&knob, &press);
        EXPECT_EQ(redPixels() > 20, c.lit);
        QKeyEvent release(QEvent::KeyRelease, c.key, Qt::NoModifier);
        QApplication::sendEvent(&knob, &release);
        EXPECT_EQ(redPixels(), 0);
    }
}

TEST(SwitchRotary, JustifiedLabelsTakeOneAndAHalfTimesTheirHeight)
{
    // An odd label height leaves a half pixel that an integer 3 / 2 would
    // drop; pick a font size where that half pixel moves the knob's centre.
    const double inner = 25 + 10 + 3 + 15; // knob, detent margin and size, label margin
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TiCanvas canvas(scratch);
    TiFont font;
    int h = 0;
    for (int size = -8; size > -40; --size) {
        font = TiFont(QStringLiteral("MS Sans Serif"), size, clBlack);
        canvas.Font = font;
        h = canvas.TextHeight(QStringLiteral("A"));
        if (TiSwitchMath::knobCentreOffset(180, 90, 2, inner + 1.5 * h, 25)
            != TiSwitchMath::knobCentreOffset(180, 90, 2, inner + h * 3 / 2, 25))
            break;
        h = 0;
    }
    ASSERT_NE(h, 0) << "no font size gives a half pixel that matters";
    TiSwitchRotary knob;
    knob.SetPositionLabels(QStringLiteral("On, Off"));
    knob.SetRotationDesiredSpacing(irds90);
    knob.SetPositionLabelActiveFont(font);
    knob.SetPositionLabelInactiveFont(font);
    knob.SetPositionLabelAlignment(ilaJustified);
    const QPoint plain(knob.Width() / 2, knob.Height() / 2);
    EXPECT_EQ(knob.KnobCentre(), plain - TiSwitchMath::knobCentreOffset(180, 90, 2, inner + 1.5 * h, 25));
}
