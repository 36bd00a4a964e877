#include "gui/LiveHarness.h"

#include "app/PictureResource.h"
#include "link/LinkState.h"
#include "widgets/TiColor.h"
#include "widgets/TiFont.h"
#include "widgets/TiSwitchLed.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMetaProperty>
#include <QProgressBar>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

struct Expected {
    const char* name;
    const char* className;
    const char* parent;
    QRect bounds;   // an empty rectangle: position only (the widget sizes itself)
    std::vector<std::pair<const char*, QVariant>> properties;
};

// A property compared the way the stored layout gives it: enumerations by
// their value name, everything else by value.
QVariant published(const QObject& widget, const char* name)
{
    const int index = widget.metaObject()->indexOfProperty(name);
    if (index < 0)
        return {};
    const QMetaProperty property = widget.metaObject()->property(index);
    const QVariant value = property.read(&widget);
    if (property.isEnumType())
        return QString::fromLatin1(property.enumerator().valueToKey(value.toInt()));
    return value;
}

void expectControl(const LiveHarness& h, const Expected& e)
{
    SCOPED_TRACE(e.name);
    QWidget* control = h.form->findChild<QWidget*>(e.name);
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->metaObject()->className(), e.className);
    if (e.parent != nullptr) {
        EXPECT_EQ(control->parentWidget()->objectName().toStdString(), e.parent);
    }
    EXPECT_EQ(control->pos(), e.bounds.topLeft());
    if (!e.bounds.isEmpty()) {
        EXPECT_EQ(control->size(), e.bounds.size());
    }
    for (const auto& [name, value] : e.properties) {
        SCOPED_TRACE(name);
        const QVariant actual = published(*control, name);
        ASSERT_TRUE(actual.isValid());
        if (value.typeId() == QMetaType::QString) {
            EXPECT_EQ(actual.toString(), value.toString());
        } else if (value.typeId() == QMetaType::fromType<TiFont>().id()) {
            EXPECT_TRUE(actual.value<TiFont>() == value.value<TiFont>());
        } else {
            EXPECT_DOUBLE_EQ(actual.toDouble(), value.toDouble());
        }
    }
}

const std::vector<std::pair<const char*, QVariant>> kFanGaugeSettings{
    {"PositionMin", 0}, {"PositionMax", 3000}, {"ArcRangeDegrees", 260}, {"ArcStartDegrees", 220},
    {"ArcRadius", 30}, {"HubSize", 16}, {"OuterMargin", 4}, {"PointerSize", 10}, {"PointerColor", clBlack},
    {"PointerStyle", "iagpsTriangle"}, {"SectionCount", 3}, {"SectionEnd1", 1000}, {"SectionColor1", clYellow},
    {"SectionEnd2", 2700}, {"SectionColor2", clGreen}, {"SectionEnd3", 3000}, {"SectionColor3", clRed},
    {"TickMajorLength", 8}, {"TickLabelMargin", 10}, {"ShowInnerArcRadius", true}, {"Transparent", true},
    {"CachedDrawing", false},
};

const std::vector<std::pair<const char*, QVariant>> kAlarmLampSettings{
    {"ActiveColor", clRed}, {"InactiveColor", tiRGB(128, 64, 64)}, {"AutoInactiveColor", true},
    {"BevelStyle", "ibsRaised"}, {"Transparent", true}, {"Active", false},
};

TEST(LiveLayout, StatusStripAndGroupsLieAtTheirStoredBounds)
{
    LiveHarness h;
    const std::vector<Expected> controls{
        {"iLedBar1", "TiLedBar", nullptr, {464, 0, 161, 23},
         {{"Position", 5}, {"PositionMax", 100}, {"SectionCount", 1}, {"SectionColor1", tiRGB(0, 255, 64)},
          {"SectionColor2", clRed}, {"SectionEnd1", 100}, {"SectionEnd2", 75}, {"SegmentDirection", "idRight"},
          {"SegmentSpacing", 1}, {"BackGroundColor", tiRGB(96, 173, 219)}, {"Transparent", true}}},
        {"iLabel1", "TiLabel", nullptr, {316, 3, 0, 0},
         {{"Caption", "Communication Satus"}, {"ShadowColor", tiRGB(0, 128, 255)},
          {"BackGroundColor", tiRGB(142, 199, 255)}, {"Transparent", true},
          {"Font", QVariant::fromValue(TiFont("MS Sans Serif", -15, clBlack))}}},
        {"GroupBox4", "QGroupBox", "TabSheet2", {8, 0, 321, 201}, {}},
        {"GroupBox3", "QGroupBox", "TabSheet2", {8, 208, 321, 201}, {}},
        {"GroupBox20", "QGroupBox", "TabSheet2", {8, 416, 321, 145}, {}},
        {"GroupBox10", "QGroupBox", "TabSheet2", {336, 0, 161, 57}, {}},
        {"GroupBox7", "QGroupBox", "TabSheet2", {336, 416, 161, 145}, {}},
        {"GroupBox9", "QGroupBox", "TabSheet2", {512, 0, 249, 265}, {}},
        {"GroupBox11", "QGroupBox", "TabSheet2", {512, 264, 249, 145}, {}},
        {"GroupBox8", "QGroupBox", "TabSheet2", {504, 416, 257, 145}, {}},
        {"Image1", "QLabel", "TabSheet2", {342, 66, 139, 337}, {}},
        {"Bevel1", "QFrame", "GroupBox4", {0, 140, 321, 32}, {}},
        {"Bevel2", "QFrame", "GroupBox3", {0, 140, 321, 32}, {}},
        {"ProgressBar1", "QProgressBar", "GroupBox8", {140, 16, 2, 209}, {}},
        {"ProgressBar2", "QProgressBar", "GroupBox9", {123, 22, 2, 233}, {}},
        {"ProgressBar3", "QProgressBar", "GroupBox20", {140, 16, 2, 209}, {}},
    };
    for (const Expected& e : controls)
        expectControl(h, e);
    EXPECT_EQ(h.find<QGroupBox>("GroupBox4").title(), "Internal Fan");
    EXPECT_EQ(h.find<QGroupBox>("GroupBox20").title(), "Compressor ");
    EXPECT_EQ(h.find<QGroupBox>("GroupBox9").font().family(), "Monotype Corsiva");
    EXPECT_TRUE(h.find<QGroupBox>("GroupBox9").font().italic());
    for (const char* divider : {"ProgressBar1", "ProgressBar2", "ProgressBar3"})
        EXPECT_EQ(h.find<QProgressBar>(divider).value(), 100) << divider;
}

TEST(LiveLayout, InstrumentWidgetsCarryTheirStoredSettings)
{
    LiveHarness h;
    std::vector<Expected> controls{
        {"iAngularGauge1", "TiAngularGauge", "GroupBox4", {6, 16, 150, 104}, kFanGaugeSettings},
        {"iAngularGauge2", "TiAngularGauge", "GroupBox4", {165, 16, 150, 104}, kFanGaugeSettings},
        {"iAngularGauge3", "TiAngularGauge", "GroupBox3", {6, 16, 150, 104}, kFanGaugeSettings},
        {"iAngularGauge4", "TiAngularGauge", "GroupBox3", {165, 16, 150, 104}, kFanGaugeSettings},
        {"iAngularGauge7", "TiAngularGauge", "GroupBox20", {6, 18, 128, 122},
         {{"PositionMax", 35}, {"ArcRadius", 70}, {"PointerStyle", "iagpsArrowLine"}, {"HubSize", 18},
          {"TickMajorCount", 6}, {"SectionCount", 3}, {"SectionEnd1", 5}, {"SectionEnd2", 30}, {"SectionEnd3", 10},
          {"SectionColor1", clRed}, {"SectionColor2", clGreen}, {"ArcStartDegrees", 180}, {"ArcRangeDegrees", 90}}},
        {"iAngularGauge5", "TiAngularGauge", "GroupBox7", {42, 20, 117, 118},
         {{"PositionMax", 80}, {"ArcRadius", 70}, {"PointerStyle", "iagpsArrowLine"}, {"SectionEnd1", 40},
          {"SectionEnd2", 60}, {"SectionEnd3", 80}}},
        {"iAngularGauge6", "TiAngularGauge", "GroupBox8", {6, 18, 128, 122},
         {{"PositionMax", 10}, {"TickMajorCount", 6}, {"SectionEnd1", 4}, {"SectionEnd2", 8}, {"SectionEnd3", 10}}},
        {"iOdometer1", "TiOdometer", "GroupBox4", {49, 146, 0, 0}, {{"DigitsCount", 4}, {"TenthsDigitCount", 0},
         {"BorderMargin", 0}, {"AutoFrameRate", true},
         {"DigitFont", QVariant::fromValue(TiFont("MS Sans Serif", -11, clWhite, fsBold))}}},
        {"iOdometer5", "TiOdometer", "TabSheet2", {204, 534, 0, 0}, {{"DigitsCount", 4}, {"AutoFrameRate", false}}},
        {"iLedRound1", "TiLedRound", "GroupBox4", {69, 174, 25, 25}, {{"BevelStyle", "ibsRaised"}, {"ActiveColor", clLime}}},
        {"iLedRound18", "TiLedRound", "TabSheet2", {405, 187, 17, 17}, {{"InactiveColor", tiRGB(128, 64, 64)}, {"ActiveColor", clLime}}},
        {"iAnalogOutput3", "TiAnalogOutput", "GroupBox9", {20, 228, 0, 0}, {{"UnitsText", "℃"}, {"Color", cl3DLight},
         {"ErrorText", "Error"}, {"Font", QVariant::fromValue(TiFont("MS Sans Serif", -14, clWindowText, fsBold))}}},
        {"iAnalogOutput5", "TiAnalogOutput", "GroupBox7", {3, 24, 0, 0}, {{"UnitsText", "V"},
         {"Font", QVariant::fromValue(TiFont("MS Sans Serif", -16, clWindowText, fsBold))}}},
        {"iThermometer1", "TiThermometer", "GroupBox9", {26, 40, 80, 182}, {{"PositionMin", -40}, {"PositionMax", 80},
         {"CurrentMax", 20}, {"IndicatorWidth", 3}, {"IndicatorBulbSize", 9}, {"IndicatorFillReferenceStyle", "ipfrsMin"},
         {"AutoScaleEnabled", true}, {"AutoScaleStyle", "iassFixedMinMax"}, {"MinMaxPointerSize", 9}}},
        {"iSwitchRotary2", "TiSwitchRotary", "GroupBox20", {146, 14, 104, 98}, {{"PositionLabels", "On, Off, Enable"}, {"Position", 0},
         {"PointerColor", tiRGB(0, 128, 255)}, {"Transparent", true}, {"ShowFocusRect", false}}},
        {"iSwitchRotary1", "TiSwitchRotary", "GroupBox8", {146, 12, 104, 88}, {{"PositionLabels", "On, Off"}, {"Position", 1},
         {"RotationDesiredSpacing", "irds90"}}},
        {"iSwitchLed3", "TiSwitchLed", "TabSheet2", {352, 180, 44, 32}, {{"Caption", "ReC"}, {"CaptionMargin", 5},
         {"IndicatorHeight", 5}, {"IndicatorWidth", 8}, {"BorderSize", 3}, {"AutoFrameRate", false}}},
        {"iSwitchLed1", "TiSwitchLed", "TabSheet2", {428, 180, 44, 32}, {{"Caption", "On"}, {"AutoFrameRate", true},
         {"CaptionFont", QVariant::fromValue(TiFont("Arial Narrow", -11, clBtnText, fsBold))}}},
    };
    for (const char* lamp : {"iLedRound5", "iLedRound6", "iLedRound7", "iLedRound8", "iLedRound9", "iLedRound10",
                             "iLedRound11", "iLedRound12", "iLedRound13", "iLedRound14", "iLedRound15", "iLedRound16",
                             "iLedRound17"}) {
        const QWidget& found = h.find(lamp);
        controls.push_back({lamp, "TiLedRound", nullptr, QRect(found.pos(), QSize(17, 17)), kAlarmLampSettings});
    }
    for (const Expected& e : controls)
        expectControl(h, e);

    for (const char* readout : {"iAnalogOutput1", "iAnalogOutput2", "iAnalogOutput3", "iAnalogOutput4", "iAnalogOutput5"})
        EXPECT_FALSE(h.find(readout).isEnabled()) << readout;
    for (const char* lamp : {"iLedRound1", "iLedRound2", "iLedRound3", "iLedRound4"})
        EXPECT_EQ(h.find(lamp).size(), QSize(25, 25)) << lamp;
}

TEST(LiveLayout, HiddenSpeedEditsAndPictureControls)
{
    LiveHarness h;
    h.form->show();
    h.form->pages().setCurrentIndex(1);
    for (const char* name : {"Edit19", "Edit20"}) {
        EXPECT_FALSE(h.find(name).isVisible()) << name;
        EXPECT_EQ(h.form->text(name), "0");
    }
    for (const char* name : {"Edit3", "Edit32", "Edit11"})
        EXPECT_EQ(h.form->text(name), "0") << name;
    EXPECT_EQ(h.find<QLineEdit>("Edit3").palette().color(QPalette::Base), QColor(200, 200, 200));

    // Every control said to lie on the picture lies inside it.
    const QRect picture = h.find("Image1").geometry();
    for (const char* name : {"iSwitchLed3", "iLedRound18", "iSwitchLed1", "Edit3", "Edit32"}) {
        EXPECT_TRUE(picture.contains(h.find(name).geometry())) << name;
        EXPECT_TRUE(h.find(name).isVisible()) << name;
    }
}

TEST(LiveLayout, NoTwoControlsOfAGroupOverlap)
{
    LiveHarness h;
    for (const char* groupName : {"GroupBox4", "GroupBox3", "GroupBox20", "GroupBox10", "GroupBox7", "GroupBox9",
                                  "GroupBox11", "GroupBox8"}) {
        const QWidget& group = h.find(groupName);
        std::vector<const QWidget*> children;
        for (const QObject* child : group.children())
            // A bevel frames the row it lies under.
            if (auto* w = qobject_cast<const QWidget*>(child); w && !w->objectName().startsWith("Bevel"))
                children.push_back(w);
        for (std::size_t i = 0; i < children.size(); ++i) {
            // The sides of the group stay clear, below the caption row; only a
            // divider runs on to the bottom edge, which cuts it off.
            QRect inside = children[i]->geometry();
            if (qobject_cast<const QProgressBar*>(children[i]) != nullptr)
                inside.setBottom(std::min(inside.bottom(), group.height() - 2));
            EXPECT_TRUE(group.rect().adjusted(2, 12, -2, -1).contains(inside))
                << groupName << " " << children[i]->objectName().toStdString();
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                // The voltage read-out sits in the dial's free corner on purpose.
                if (children[i]->objectName().startsWith("iAngularGauge5") || children[j]->objectName().startsWith("iAngularGauge5"))
                    continue;
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " overlaps " << children[j]->objectName().toStdString();
            }
        }
    }
}

TEST(LiveLayout, FrontPanelPictureDecodesToItsStoredSize)
{
    LiveHarness h;
    const QImage picture = loadJpegResource(":/panel/FrontPanel.jpg");
    EXPECT_EQ(picture.size(), QSize(140, 335));
    EXPECT_THROW(loadJpegResource(":/panel/Missing.jpg"), std::runtime_error);
    EXPECT_THROW(loadJpegResource(":/glyphs/ReadAll.png"), std::runtime_error);
}

// The switch runs its handler on the click and flips only afterwards, so the
// handler decides from the state before the click.
TEST(LiveLayout, SwitchClickQueuesTheActionBeforeTheLedFlips)
{
    LiveHarness h;
    h.form->setText("rdCOM", "COM1");
    h.form->Button1Click();
    ASSERT_EQ(h.form->text("Button1"), "Close");
    h.form->show();
    h.form->pages().setCurrentIndex(1);

    auto& led = h.find<TiSwitchLed>("iSwitchLed1");
    std::vector<std::pair<int, int>> seenAtFlip;
    QObject::connect(&led, &TiSwitchLed::OnChange, [&] {
        seenAtFlip.emplace_back(h.form->linkState().LiveAction, h.form->linkState().CoilWriteValue);
    });
    ASSERT_FALSE(led.Active());
    QTest::mouseClick(&led, Qt::LeftButton, Qt::NoModifier, led.rect().center());
    EXPECT_TRUE(led.Active());
    ASSERT_EQ(seenAtFlip.size(), 1u);
    EXPECT_EQ(seenAtFlip[0].first, LiveActionCode::ForceOutput);
    EXPECT_EQ(seenAtFlip[0].second, 0xFF00);
    EXPECT_EQ(h.form->linkState().CommandArmed, 1);

    // "ReC" with the port closed: refused, nothing queued, the LED still flips.
    h.form->linkState().LiveAction = 0;
    h.form->Button1Click();
    auto& recheck = h.find<TiSwitchLed>("iSwitchLed3");
    QTest::mouseClick(&recheck, Qt::LeftButton, Qt::NoModifier, recheck.rect().center());
    EXPECT_EQ(h.boxes->last().text, "ComPort Not Open!!");
    EXPECT_EQ(h.boxes->last().caption, "Comm Error");
    EXPECT_EQ(h.form->linkState().LiveAction, 0);
    EXPECT_TRUE(recheck.Active());
}

} // namespace
