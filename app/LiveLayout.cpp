#include "app/LiveLayout.h"

#include "widgets/TiColor.h"
#include "widgets/TiFont.h"

#include <vector>

namespace {

constexpr LayoutFont kGroup{"Monotype Corsiva", 19, false, true};
constexpr LayoutFont kText{"隶书", 15};
constexpr LayoutFont kEdit{"MS Sans Serif", 13};
constexpr LayoutFont kDegree{"Monotype Corsiva", 16, true, true};
constexpr LayoutFont kButton{"MS Sans Serif", 13, true};

// Light grey of the classic scroll bar, behind the two read-outs on the picture.
constexpr int kScrollBarGrey = tiRGB(200, 200, 200);
constexpr TColor kPointerBlue = tiRGB(0, 128, 255);
constexpr TColor kDarkRed = tiRGB(128, 64, 64);

QVariant font(const char* family, int pixels, TColor colour, int style)
{
    return QVariant::fromValue(TiFont(QString::fromUtf8(family), -pixels, colour, style));
}

const WidgetProperty kStatusLabel[] = {
    {"Caption", "Communication Satus"},
    {"Font", font("MS Sans Serif", 15, clBlack, 0)},
    {"ShadowColor", kPointerBlue},
    {"BackGroundColor", tiRGB(142, 199, 255)},
    {"Transparent", true},
};

const WidgetProperty kLinkBar[] = {
    {"PositionMax", 100},
    {"Position", 5},
    {"SectionCount", 1},
    {"SectionColor1", tiRGB(0, 255, 64)},
    {"SectionColor2", clRed},
    {"SectionEnd1", 100},
    {"SectionEnd2", 75},
    {"SegmentDirection", "idRight"},
    {"SegmentSpacing", 1},
    {"BackGroundColor", tiRGB(96, 173, 219)},
    {"Transparent", true},
};

const WidgetProperty kFanGauge[] = {
    {"PositionMax", 3000},
    {"ArcRangeDegrees", 260},
    {"ArcStartDegrees", 220},
    {"ArcRadius", 30},
    {"HubSize", 16},
    {"OuterMargin", 4},
    {"PointerStyle", "iagpsTriangle"},
    {"PointerSize", 10},
    {"PointerColor", clBlack},
    {"SectionCount", 3},
    {"SectionEnd1", 1000},
    {"SectionColor1", clYellow},
    {"SectionEnd2", 2700},
    {"SectionColor2", clGreen},
    {"SectionEnd3", 3000},
    {"TickMajorLength", 8},
    {"TickLabelMargin", 10},
    {"ShowInnerArcRadius", true},
    {"Transparent", true},
    {"CachedDrawing", false},
};

const WidgetProperty kFanOdometer[] = {
    {"DigitsCount", 4},
    {"TenthsDigitCount", 0},
    {"DigitFont", font("MS Sans Serif", 11, clWhite, fsBold)},
    {"BorderMargin", 0},
    {"AutoFrameRate", true},
};

const WidgetProperty kCompressorOdometer[] = {
    {"DigitsCount", 4},
    {"TenthsDigitCount", 0},
    {"DigitFont", font("MS Sans Serif", 11, clWhite, fsBold)},
    {"BorderMargin", 0},
};

const WidgetProperty kStatusLamp[] = {
    {"BevelStyle", "ibsRaised"},
    {"Transparent", true},
};

const WidgetProperty kAlarmLamp[] = {
    {"ActiveColor", clRed},
    {"InactiveColor", kDarkRed},
    {"BevelStyle", "ibsRaised"},
    {"Transparent", true},
};

const WidgetProperty kSelfCheckLamp[] = {
    {"InactiveColor", kDarkRed},
};

const WidgetProperty kCompressorGauge[] = {
    {"PositionMax", 35},
    {"ArcRadius", 70},
    {"PointerStyle", "iagpsArrowLine"},
    {"HubSize", 18},
    {"TickMajorCount", 6},
    {"SectionCount", 3},
    {"SectionEnd1", 5},
    {"SectionColor1", clRed},
    {"SectionEnd2", 30},
    {"SectionColor2", clGreen},
    {"SectionEnd3", 10},
};

const WidgetProperty kSupplyGauge[] = {
    {"PositionMax", 80},
    {"ArcRadius", 70},
    {"PointerStyle", "iagpsArrowLine"},
    {"HubSize", 18},
    {"SectionCount", 3},
    {"SectionEnd1", 40},
    {"SectionColor1", clRed},
    {"SectionEnd2", 60},
    {"SectionColor2", clGreen},
    {"SectionEnd3", 80},
};

const WidgetProperty kHeaterGauge[] = {
    {"PositionMax", 10},
    {"ArcRadius", 70},
    {"PointerStyle", "iagpsArrowLine"},
    {"HubSize", 18},
    {"TickMajorCount", 6},
    {"SectionCount", 3},
    {"SectionEnd1", 4},
    {"SectionColor1", clRed},
    {"SectionEnd2", 8},
    {"SectionColor2", clGreen},
    {"SectionEnd3", 10},
};

const WidgetProperty kCurrentReadout[] = {
    {"Font", font("MS Sans Serif", 16, clWindowText, fsBold)},
    {"Color", cl3DLight},
    {"ErrorText", "Error"},
    {"UnitsText", "A"},
};

const WidgetProperty kVoltageReadout[] = {
    {"Font", font("MS Sans Serif", 16, clWindowText, fsBold)},
    {"Color", cl3DLight},
    {"ErrorText", "Error"},
    {"UnitsText", "V"},
};

const WidgetProperty kTemperatureReadout[] = {
    {"Font", font("MS Sans Serif", 14, clWindowText, fsBold)},
    {"Color", cl3DLight},
    {"ErrorText", "Error"},
    {"UnitsText", "℃"},
};

const WidgetProperty kIndoorThermometer[] = {
    {"PositionMin", -40},
    {"PositionMax", 80},
    {"CurrentMax", 20},
    {"IndicatorWidth", 3},
    {"IndicatorBulbSize", 9},
    {"IndicatorFillReferenceStyle", "ipfrsMin"},
    {"AutoScaleEnabled", true},
    {"AutoScaleStyle", "iassFixedMinMax"},
    {"MinMaxPointerSize", 9},
};

const WidgetProperty kOutdoorThermometer[] = {
    {"PositionMin", -40},
    {"PositionMax", 80},
    {"IndicatorWidth", 3},
    {"IndicatorBulbSize", 9},
    {"IndicatorFillReferenceStyle", "ipfrsMin"},
    {"AutoScaleEnabled", true},
    {"AutoScaleStyle", "iassFixedMinMax"},
    {"MinMaxPointerSize", 9},
};

const WidgetProperty kCompressorSwitch[] = {
    {"PositionLabels", "On, Off, Enable"},
    {"Position", 0},
    {"PointerColor", kPointerBlue},
    {"Transparent", true},
    {"ShowFocusRect", false},
};

const WidgetProperty kHeaterSwitch[] = {
    {"PositionLabels", "On, Off"},
    {"Position", 1},
    {"RotationDesiredSpacing", "irds90"},
    {"PointerColor", kPointerBlue},
};

const WidgetProperty kReCheckSwitch[] = {
    {"Caption", "ReC"},
    {"CaptionFont", font("Arial Narrow", 11, clBtnText, fsBold)},
    {"CaptionMargin", 5},
    {"IndicatorHeight", 5},
    {"IndicatorWidth", 8},
    {"BorderSize", 3},
};

const WidgetProperty kForceOnSwitch[] = {
    {"Caption", "On"},
    {"CaptionFont", font("Arial Narrow", 11, clBtnText, fsBold)},
    {"CaptionMargin", 5},
    {"IndicatorHeight", 5},
    {"IndicatorWidth", 8},
    {"BorderSize", 3},
    {"AutoFrameRate", true},
};

LayoutEntry group(const char* name, int left, int top, int width, int height, const char* caption)
{
    return {name, ControlKind::GroupBox, "TabSheet2", left, top, width, height, caption, kGroup};
}

LayoutEntry label(const char* name, const char* parent, int left, int top, int width, int height, const char* text,
                  LayoutFont font = kText)
{
    return {name, ControlKind::Label, parent, left, top, width, height, text, font};
}

LayoutEntry widget(const char* name, ControlKind kind, const char* parent, int left, int top, int width, int height,
                   WidgetProperties properties, bool enabled = true)
{
    LayoutEntry entry{name, kind, parent, left, top, width, height, ""};
    entry.properties = properties;
    entry.enabled = enabled;
    return entry;
}

LayoutEntry edit(const char* name, const char* parent, int left, int top, int width, int height, const char* text)
{
    return {name, ControlKind::Edit, parent, left, top, width, height, text, kEdit};
}

struct FanGroup {
    const char* group;
    const char* caption;
    int top;
    const char* gauges[2];
    const char* captions[2];
    const char* captionLabels[2];
    const char* odometers[2];
    const char* lamps[2];
    const char* bevel;
    const char* revLabel;
    const char* statusLabel;
};

// Two dials with a caption under each, the "Rev " row of odometers framed by
// a bevel and the "Status  " row of running lamps; each column centred on
// its dial.
void addFanGroup(std::vector<LayoutEntry>& t, const FanGroup& f)
{
    t.push_back(group(f.group, 8, f.top, 321, 201, f.caption));
    constexpr int columns[2] = {6, 165};
    constexpr int dialWidth = 150;
    for (int i = 0; i < 2; ++i) {
        const int centre = columns[i] + dialWidth / 2;
        t.push_back(widget(f.gauges[i], ControlKind::TiAngularGauge, f.group, columns[i], 16, dialWidth, 104, kFanGauge));
        t.push_back(label(f.captionLabels[i], f.group, centre - 26, 122, 56, 16, f.captions[i]));
    }
    t.push_back({f.bevel, ControlKind::Bevel, f.group, 0, 140, 321, 32, ""});
    t.push_back(label(f.revLabel, f.group, 10, 146, 38, 20, "Rev "));
    t.push_back(label(f.statusLabel, f.group, 10, 176, 56, 20, "Status  "));
    for (int i = 0; i < 2; ++i) {
        const int centre = columns[i] + dialWidth / 2;
        t.push_back(widget(f.odometers[i], ControlKind::TiOdometer, f.group, centre - 32, 146, 64, 20, kFanOdometer));
        t.push_back(widget(f.lamps[i], ControlKind::TiLedRound, f.group, centre - 12, 174, 25, 25, kStatusLamp));
    }
}

std::vector<LayoutEntry> buildLiveLayout()
{
    std::vector<LayoutEntry> t;

    // Status strip over the right end of the tab row.
    t.push_back(widget("iLabel1", ControlKind::TiLabel, nullptr, 316, 3, 129, 16, kStatusLabel));
    t.push_back(widget("iLedBar1", ControlKind::TiLedBar, nullptr, 464, 0, 161, 23, kLinkBar));

    // Never shown, beneath the compressor group: the poll leaves the Intfan1
    // and Extfan1 speeds here as text.
    for (LayoutEntry hidden : {edit("Edit19", "TabSheet2", 16, 440, 41, 21, "0"), edit("Edit20", "TabSheet2", 64, 440, 41, 21, "0")}) {
        hidden.visible = false;
        t.push_back(hidden);
    }

    addFanGroup(t, {"GroupBox4", "Internal Fan", 0, {"iAngularGauge1", "iAngularGauge2"}, {"Intfan1", "Intfan2"},
                    {"Label101", "Label102"}, {"iOdometer1", "iOdometer2"}, {"iLedRound1", "iLedRound2"}, "Bevel1",
                    "Label103", "Label104"});
    addFanGroup(t, {"GroupBox3", "External Fan", 208, {"iAngularGauge3", "iAngularGauge4"}, {"Extfan1", "Extfan2"},
                    {"Label105", "Label106"}, {"iOdometer3", "iOdometer4"}, {"iLedRound3", "iLedRound4"}, "Bevel2",
                    "Label107", "Label108"});

    // Compressor: dial left of the divider; switch, alarm, current and speed right of it.
    t.push_back(group("GroupBox20", 8, 416, 321, 145, "Compressor "));
    t.push_back(widget("iAngularGauge7", ControlKind::TiAngularGauge, "GroupBox20", 6, 18, 128, 122, kCompressorGauge));
    t.push_back({"ProgressBar3", ControlKind::ProgressBar, "GroupBox20", 140, 16, 2, 209, ""});
    t.push_back(widget("iSwitchRotary2", ControlKind::TiSwitchRotary, "GroupBox20", 146, 14, 104, 98, kCompressorSwitch));
    t.push_back(widget("iLedRound16", ControlKind::TiLedRound, "GroupBox20", 256, 36, 17, 17, kAlarmLamp));
    t.push_back(label("Label109", "GroupBox20", 276, 34, 42, 20, "Alarm"));
    t.push_back(widget("iAnalogOutput1", ControlKind::TiAnalogOutput, "GroupBox20", 252, 66, 64, 24, kCurrentReadout, false));
    t.push_back(label("Label110", "GroupBox20", 152, 118, 40, 20, "Rev "));
    // The speed odometer belongs to the sheet and is drawn over the group.
    t.push_back(widget("iOdometer5", ControlKind::TiOdometer, "TabSheet2", 8 + 196, 416 + 118, 64, 20, kCompressorOdometer));

    // Debug temperature.
    t.push_back(group("GroupBox10", 336, 0, 161, 57, "Debug Temperature"));
    t.push_back(edit("Edit11", "GroupBox10", 10, 26, 50, 22, "0"));
    t.push_back(label("Label111", "GroupBox10", 62, 26, 18, 22, "℃", kDegree));
    t.push_back({"Button6", ControlKind::Button, "GroupBox10", 90, 24, 60, 26, "Send", kButton});

    // The cabinet's front panel with the controls that sit on it.
    t.push_back({"Image1", ControlKind::Image, "TabSheet2", 342, 66, 139, 337, "", {}, nullptr, true, ":/panel/FrontPanel.jpg"});
    t.push_back(widget("iSwitchLed3", ControlKind::TiSwitchLed, "TabSheet2", 352, 180, 44, 32, kReCheckSwitch));
    t.push_back(label("Label112", "TabSheet2", 343, 213, 62, 16, "ReCheck"));
    t.push_back(widget("iLedRound18", ControlKind::TiLedRound, "TabSheet2", 405, 187, 17, 17, kSelfCheckLamp));
    t.push_back(widget("iSwitchLed1", ControlKind::TiSwitchLed, "TabSheet2", 428, 180, 44, 32, kForceOnSwitch));
    t.push_back(label("Label113", "TabSheet2", 348, 240, 64, 20, "Set Temp ", kEdit));
    LayoutEntry setTemp = edit("Edit3", "TabSheet2", 414, 240, 40, 20, "0");
    setTemp.color = kScrollBarGrey;
    t.push_back(setTemp);
    t.push_back(label("Label114", "TabSheet2", 456, 240, 18, 20, "℃", kDegree));
    t.push_back(label("Label115", "TabSheet2", 348, 264, 64, 20, "Delt Temp ", kEdit));
    LayoutEntry deltTemp = edit("Edit32", "TabSheet2", 414, 264, 40, 20, "0");
    deltTemp.color = kScrollBarGrey;
    t.push_back(deltTemp);
    t.push_back(label("Label116", "TabSheet2", 456, 264, 18, 20, "℃", kDegree));

    // Supply voltage: the dial fills the group; read-out and alarm lamp sit
    // in its free top-left corner, outside the scale.
    t.push_back(group("GroupBox7", 336, 416, 161, 145, "Supply Voltage"));
    t.push_back(widget("iAngularGauge5", ControlKind::TiAngularGauge, "GroupBox7", 42, 20, 117, 118, kSupplyGauge));
    t.push_back(widget("iAnalogOutput5", ControlKind::TiAnalogOutput, "GroupBox7", 3, 24, 62, 24, kVoltageReadout, false));
    t.push_back(widget("iLedRound17", ControlKind::TiLedRound, "GroupBox7", 15, 56, 17, 17, kAlarmLamp));
    t.push_back(label("Label117", "GroupBox7", 4, 75, 40, 18, "Alarm"));

    // Temperatures: two columns split by a divider.
    t.push_back(group("GroupBox9", 512, 0, 249, 265, "Temperature"));
    t.push_back(label("Label118", "GroupBox9", 36, 20, 60, 18, "Indoor"));
    t.push_back(label("Label119", "GroupBox9", 152, 20, 66, 18, "Outdoor"));
    t.push_back(widget("iThermometer1", ControlKind::TiThermometer, "GroupBox9", 26, 40, 80, 182, kIndoorThermometer));
    t.push_back({"ProgressBar2", ControlKind::ProgressBar, "GroupBox9", 123, 22, 2, 233, ""});
    t.push_back(widget("iThermometer2", ControlKind::TiThermometer, "GroupBox9", 144, 40, 80, 182, kOutdoorThermometer));
    t.push_back(widget("iAnalogOutput3", ControlKind::TiAnalogOutput, "GroupBox9", 20, 228, 90, 24, kTemperatureReadout, false));
    t.push_back(widget("iAnalogOutput4", ControlKind::TiAnalogOutput, "GroupBox9", 138, 228, 90, 24, kTemperatureReadout, false));

    // Alarm lamps, two columns of five, label right of each lamp.
    t.push_back(group("GroupBox11", 512, 264, 249, 145, "Alarm"));
    struct Lamp {
        const char* lamp;
        const char* label;
        const char* text;
    };
    const Lamp left[] = {{"iLedRound5", "Label120", "Internal Fan1"}, {"iLedRound7", "Label121", "Internal Fan2 "},
                         {"iLedRound8", "Label122", "External Fan1"}, {"iLedRound9", "Label123", "External Fan2 "},
                         {"iLedRound10", "Label124", "HighPressure "}};
    const Lamp right[] = {{"iLedRound11", "Label125", "Temp Sensor1 "}, {"iLedRound12", "Label126", "Temp Sensor2 "},
                          {"iLedRound13", "Label127", "High Temp "}, {"iLedRound14", "Label128", "Low Temp "},
                          {"iLedRound15", "Label129", "LowPressure"}};
    for (int row = 0; row < 5; ++row) {
        const int top = 24 + row * 23;
        t.push_back(widget(left[row].lamp, ControlKind::TiLedRound, "GroupBox11", 10, top, 17, 17, kAlarmLamp));
        t.push_back(label(left[row].label, "GroupBox11", 31, top - 2, 92, 20, left[row].text));
        t.push_back(widget(right[row].lamp, ControlKind::TiLedRound, "GroupBox11", 128, top, 17, 17, kAlarmLamp));
        t.push_back(label(right[row].label, "GroupBox11", 149, top - 2, 96, 20, right[row].text));
    }

    // Heater current: dial left of the divider; switch, current and alarm right of it.
    t.push_back(group("GroupBox8", 504, 416, 257, 145, "Heater Current"));
    t.push_back(widget("iAngularGauge6", ControlKind::TiAngularGauge, "GroupBox8", 6, 18, 128, 122, kHeaterGauge));
    t.push_back({"ProgressBar1", ControlKind::ProgressBar, "GroupBox8", 140, 16, 2, 209, ""});
    t.push_back(widget("iSwitchRotary1", ControlKind::TiSwitchRotary, "GroupBox8", 146, 12, 104, 88, kHeaterSwitch));
    t.push_back(widget("iAnalogOutput2", ControlKind::TiAnalogOutput, "GroupBox8", 152, 100, 90, 22, kCurrentReadout, false));
    t.push_back(widget("iLedRound6", ControlKind::TiLedRound, "GroupBox8", 156, 126, 17, 17, kAlarmLamp));
    t.push_back(label("Label130", "GroupBox8", 178, 124, 46, 20, "Alarm"));

    return t;
}

} // namespace

LayoutTable liveLayout()
{
    static const std::vector<LayoutEntry> table = buildLiveLayout();
    return table;
}
