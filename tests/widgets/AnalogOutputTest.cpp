#include "widgets/TiAnalogOutput.h"
#include "widgets/TiErrorDisplay.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(AnalogOutput, PrecisionAndUnits)
{
    TiAnalogOutput out;
    out.SetUnitsText(QStringLiteral("A"));
    out.SetPrecision(2);
    out.SetValue(12.346);
    EXPECT_EQ(out.Text(), QStringLiteral("12.35A"));
    out.SetPrecision(0);
    EXPECT_EQ(out.Text(), QStringLiteral("12A"));
    out.SetUnitsText(QStringLiteral("  "));
    EXPECT_TRUE(out.UnitsText().isEmpty());
    EXPECT_EQ(out.Text(), QStringLiteral("12"));
}

TEST(AnalogOutput, ClampingOnlyWithARange)
{
    TiAnalogOutput out;
    out.SetValue(150);
    EXPECT_EQ(out.Value(), 150);
    out.SetValueMax(100);
    EXPECT_EQ(out.Value(), 100);
    out.SetValue(150);
    EXPECT_EQ(out.Value(), 100);
}

TEST(AnalogOutput, SameValueIsSilentButRefreshesTheText)
{
    TiAnalogOutput out;
    QSignalSpy changes(&out, &TiAnalogOutput::OnChange);
    out.setProperty("Value", 230.46);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(out.Text(), QStringLiteral("230.5"));
    out.SetValue(230.46);
    EXPECT_EQ(changes.count(), 1);
    out.SetValueNoEvent(1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(out.Value(), 1);
}

TEST(AnalogOutput, BeforeChangeMayAlterOrRefuse)
{
    TiAnalogOutput out;
    QObject::connect(&out, &TiAnalogOutput::OnBeforeChange, [](double, double& v, bool& can) {
        if (v > 50)
            can = false;
        else
            v = v * 2;
    });
    out.SetValue(10);
    EXPECT_EQ(out.Value(), 20);
    out.SetValue(60);
    EXPECT_EQ(out.Value(), 20);
}

TEST(AnalogOutput, EditingCommitsANumberAndUndoesGarbage)
{
    TiAnalogOutput out;
    out.SetUnitsText(QStringLiteral("V"));
    out.show();
    out.setFocus();
    QApplication::setActiveWindow(&out);
    out.SelectAll();
    QTest::keyClicks(&out, QStringLiteral("7.5"));
    EXPECT_EQ(out.Text(), QStringLiteral("7.5V"));
    QTest::keyClick(&out, Qt::Key_Return);
    EXPECT_EQ(out.Value(), 7.5);
    out.SelectAll();
    QTest::keyClicks(&out, QStringLiteral("x-"));
    // Letters outside the units are filtered; "-" alone is no number.
    EXPECT_EQ(out.Text(), QStringLiteral("-V"));
    QTest::keyClick(&out, Qt::Key_Return);
    EXPECT_EQ(out.Value(), 7.5);
    EXPECT_EQ(out.Text(), QStringLiteral("7.5V"));
}

TEST(AnalogOutput, ErrorShowsErrorTextOnItsBackground)
{
    TiAnalogOutput out;
    out.SetBounds(0, 0, 80, 24);
    out.SetValue(12);
    out.SetErrorActive(true);
    const QImage image = out.RenderToImage();
    EXPECT_EQ(image.pixelColor(5, 12), QColor(0, 0, 0));
    int red = 0;
    for (int x = 0; x < 80; ++x)
        for (int y = 0; y < 24; ++y)
            if (image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 60)
                ++red;
    EXPECT_GT(red, 10);
}

TEST(AnalogOutput, AutoSizeFitsOneLineOfTheFont)
{
    TiAnalogOutput out;
    out.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -16, clBlack, fsBold));
    const int tall = out.Height();
    out.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -11, clBlack, fsBold));
    EXPECT_LT(out.Height(), tall);
    out.SetAutoSize(false);
    out.SetBounds(0, 0, 80, 30);
    out.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -16, clBlack, fsBold));
    EXPECT_EQ(out.Height(), 30);
}

namespace {

// A read-out that counts its beeps instead of sounding them.
class CountingReadout : public TiAnalogOutput {
public:
    int beeps = 0;

protected:
    void Beep() override { ++beeps; }
};

// Records what reaches the application's error display.
struct RecordedErrors {
    std::vector<std::string> messages;
    TiErrorDisplay::Installation installation{
        [this](const std::exception& error) { messages.emplace_back(error.what()); }};
};

} // namespace

TEST(AnalogOutput, TextThatIsNoNumberIsUndoneOrReportedOnEnterAndFocusLoss)
{
    struct Case {
        bool undoOnError;
        bool byFocusLoss;
        std::vector<std::string> messages;
        const char* textAfter;
        int beeps;
    };
    const std::string error = "'xyz' is not a valid floating point value.";
    for (const Case& c : {Case{false, false, {error}, "xyzV", 0}, Case{false, true, {error}, "xyzV", 0},
                          Case{true, false, {}, "2.0V", 1}, Case{true, true, {}, "2.0V", 1}}) {
        SCOPED_TRACE(testing::Message() << "undo " << c.undoOnError << ", focus loss " << c.byFocusLoss);
        RecordedErrors errors;
        QWidget window;
        auto* out = new CountingReadout;
        out->setParent(&window);
        out->SetUnitsText(QStringLiteral("V"));
        out->SetFilterStyle(ifisNone);
        out->SetUndoOnError(c.undoOnError);
        out->SetBeepOnError(true);
        out->SetValue(2);
        auto* other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(100, 0, 20, 20);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        out->setFocus();
        QApplication::processEvents();
        out->SelectAll();
        QTest::keyClicks(out, QStringLiteral("xyz"));
        if (c.byFocusLoss) {
            other->setFocus();
            QApplication::processEvents();
        } else {
            QTest::keyClick(out, Qt::Key_Return);
            // Selected, ready to be typed over: the number part, not the units.
            EXPECT_EQ(out->SelStart(), 0);
            EXPECT_EQ(out->SelLength(), out->Text().size() - 1);
        }
        EXPECT_EQ(errors.messages, c.messages);
        EXPECT_EQ(out->Text(), QString::fromUtf8(c.textAfter));
        EXPECT_EQ(out->Value(), 2);
        EXPECT_EQ(out->beeps, c.beeps);
    }
}

TEST(AnalogOutput, KeyFilterTakesOnlyAsciiDigitsMinusSeparatorAndUnits)
{
    CountingReadout out;
    out.SetUnitsText(QStringLiteral("V"));
    out.SetBeepOnError(true);
    out.SetText(QString());
    struct Case {
        QChar key;
        bool taken;
    };
    for (const Case& c : {Case{QLatin1Char('7'), true}, Case{QLatin1Char('-'), true}, Case{QLatin1Char('.'), true},
                          Case{QLatin1Char('v'), true}, Case{QChar(0x0663), false}, Case{QChar(0xFF15), false},
                          Case{QLatin1Char('x'), false}}) {
        const QString before = out.Text();
        const int beeps = out.beeps;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c.key));
        QApplication::sendEvent(&out, &press);
        EXPECT_EQ(out.Text() != before, c.taken) << "U+" << std::hex << static_cast<int>(c.key.unicode());
        EXPECT_EQ(out.beeps - beeps, c.taken ? 0 : 1);
    }
}
