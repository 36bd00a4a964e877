#include "GalleryFamilies.h"
#include "GalleryWindow.h"

#include "widgets/TiAnalogOutput.h"
#include "widgets/TiLabel.h"
#include "widgets/TiLedBar.h"
#include "widgets/TiLedRound.h"
#include "widgets/TiOdometer.h"
#include "widgets/TiSwitchLed.h"
#include "widgets/TiSwitchRotary.h"
#include "widgets/TiThermometer.h"

// Lamps, link bar, counters, thermometers, read-outs and switches of the
// live tab, with the console's settings.
namespace {

constexpr TColor kLinkGreen = tiRGB(0, 255, 64);
constexpr TColor kKnobBlue = tiRGB(0, 128, 255);

TiLedBar* makeLinkBar(const QString& name)
{
    auto* bar = new TiLedBar;
    bar->setObjectName(name);
    bar->BeginLoading();
    bar->SetSegmentDirection(idRight);
    bar->SetBounds(0, 0, 161, 23);
    bar->SetPositionMax(100);
    bar->SetPosition(5);
    bar->SetSectionColor1(kLinkGreen);
    bar->SetSectionColor2(clRed);
    bar->SetSectionEnd1(100);
    bar->SetSectionEnd2(75);
    bar->SetSegmentSpacing(1);
    bar->SetBackGroundColor(tiRGB(96, 173, 219));
    bar->SetTransparent(true);
    bar->Loaded();
    return bar;
}

TiLedRound* makeLamp(int size, TColor activeColor, bool alarm, bool active)
{
    auto* led = new TiLedRound;
    led->BeginLoading();
    led->SetBounds(0, 0, size, size);
    led->SetActiveColor(activeColor);
    if (alarm)
        led->SetInactiveColor(tiRGB(128, 64, 64));
    led->SetBevelStyle(ibsRaised);
    led->SetTransparent(true);
    led->SetActive(active);
    led->Loaded();
    return led;
}

TiOdometer* makeOdometer(bool autoFrameRate)
{
    auto* o = new TiOdometer;
    o->BeginLoading();
    o->SetDigitsCount(4);
    o->SetTenthsDigitCount(0);
    o->SetDigitFont(TiFont(QStringLiteral("MS Sans Serif"), -11, clWhite, fsBold));
    o->SetBorderMargin(0);
    o->SetAutoFrameRate(autoFrameRate);
    o->Loaded();
    return o;
}

TiThermometer* makeThermometer(bool storesCurrentMax)
{
    auto* t = new TiThermometer;
    t->BeginLoading();
    t->SetBounds(0, 0, 57, 205);
    t->SetPositionMin(-40);
    t->SetPositionMax(80);
    if (storesCurrentMax)
        t->SetCurrentMax(20);
    t->SetIndicatorWidth(3);
    t->SetIndicatorBulbSize(9);
    t->SetIndicatorFillReferenceStyle(ipfrsMin);
    t->SetTickMargin(6);
    t->SetTickLabelMargin(2);
    t->SetMinMaxPointerSize(9);
    t->SetAutoScaleEnabled(true);
    t->SetAutoScaleStyle(iassFixedMinMax);
    t->SetCachedDrawing(false);
    t->SetTransparent(true);
    t->Loaded();
    return t;
}

TiAnalogOutput* makeReadout(const QString& units, int fontHeight)
{
    auto* out = new TiAnalogOutput;
    out->BeginLoading();
    out->SetBounds(0, 0, 80, 24);
    out->SetUnitsText(units);
    out->SetFont(TiFont(QStringLiteral("MS Sans Serif"), -fontHeight, clBlack, fsBold));
    out->SetColor(cl3DLight);
    out->SetErrorText(QStringLiteral("Error"));
    out->setEnabled(false);
    out->Loaded();
    return out;
}

TiSwitchRotary* makeKnob(const QString& labels, int position, bool ninetyDegrees)
{
    auto* knob = new TiSwitchRotary;
    knob->BeginLoading();
    knob->SetBounds(0, 0, 120, 100);
    knob->SetPositionLabels(labels);
    knob->SetPosition(position);
    if (ninetyDegrees)
        knob->SetRotationDesiredSpacing(irds90);
    knob->SetPointerColor(kKnobBlue);
    knob->SetShowFocusRect(false);
    knob->SetTransparent(true);
    knob->Loaded();
    return knob;
}

TiSwitchLed* makeSwitchLed(const QString& caption, bool autoFrameRate)
{
    auto* sw = new TiSwitchLed;
    sw->BeginLoading();
    sw->SetBounds(0, 0, 41, 33);
    sw->SetCaption(caption);
    sw->SetCaptionFont(TiFont(QStringLiteral("Arial Narrow"), -11, clBlack, fsBold));
    sw->SetCaptionMargin(5);
    sw->SetIndicatorHeight(5);
    sw->SetIndicatorWidth(8);
    sw->SetBorderSize(3);
    sw->SetAutoFrameRate(autoFrameRate);
    sw->Loaded();
    return sw;
}

const GalleryFamily lamps(30, QStringLiteral("Link bar, lamps and label"), [](GalleryWindow& w) {
    auto* bar = makeLinkBar(QStringLiteral("iLedBar1"));
    w.addCell(QStringLiteral("iLedBar1 (link alive)"), bar,
              [bar](double f) { bar->SetPosition(3 + f * 97); });
    auto* lost = makeLinkBar(QStringLiteral("iLedBar1lost"));
    lost->SetPosition(100);
    lost->SetSectionColor1(clRed);
    w.addCell(QStringLiteral("iLedBar1 (link lost)"), lost);

    auto* label = new TiLabel;
    label->BeginLoading();
    label->SetBounds(0, 0, 129, 16);
    label->SetCaption(QStringLiteral("Communication Satus"));
    label->SetFont(TiFont(QStringLiteral("MS Sans Serif"), -15, clBlack));
    label->SetShadowColor(tiRGB(0, 128, 255));
    label->SetBackGroundColor(tiRGB(142, 199, 255));
    label->SetTransparent(true);
    label->Loaded();
    w.addCell(QStringLiteral("iLabel1"), label);

    auto* shadowed = new TiLabel;
    shadowed->SetFont(TiFont(QStringLiteral("MS Sans Serif"), -15, clBlack));
    shadowed->SetShadowColor(tiRGB(0, 128, 255));
    shadowed->SetShadowShow(true);
    shadowed->SetCaption(QStringLiteral("Communication Satus"));
    shadowed->SetBackGroundColor(tiRGB(142, 199, 255));
    w.addCell(QStringLiteral("label with shadow"), shadowed);

    auto* fan = makeLamp(25, clLime, false, false);
    w.addCell(QStringLiteral("fan status (slider > 50 %)"), fan, [fan](double f) { fan->SetActive(f > 0.5); });
    w.addCell(QStringLiteral("fan status lit"), makeLamp(25, clLime, false, true));
    auto* alarm = makeLamp(17, clRed, true, false);
    w.addCell(QStringLiteral("alarm lamp (slider > 50 %)"), alarm, [alarm](double f) { alarm->SetActive(f > 0.5); });
    w.addCell(QStringLiteral("alarm lamp lit"), makeLamp(17, clRed, true, true));
    w.addCell(QStringLiteral("self-check lamp dark"), makeLamp(17, clLime, true, false));
    w.addCell(QStringLiteral("self-check lamp lit"), makeLamp(17, clLime, true, true));
});

const GalleryFamily counters(40, QStringLiteral("Odometers and read-outs"), [](GalleryWindow& w) {
    for (int i = 1; i <= 2; ++i) {
        auto* o = makeOdometer(true);
        w.addCell(QStringLiteral("iOdometer%1 (fan rpm)").arg(i), o, [o, i](double f) { o->SetValue(f * 3000 / i); });
    }
    auto* compressor = makeOdometer(false);
    w.addCell(QStringLiteral("iOdometer5 (rolling)"), compressor,
              [compressor](double f) { compressor->SetValue(f * 100); });
    auto* tenths = new TiOdometer;
    w.addCell(QStringLiteral("default: tenths cell"), tenths, [tenths](double f) { tenths->SetValue(f * 200); });

    auto* current = makeReadout(QStringLiteral("A"), 16);
    w.addCell(QStringLiteral("iAnalogOutput1 (A)"), current, [current](double f) { current->SetValue(f * 35); });
    auto* voltage = makeReadout(QStringLiteral("V"), 16);
    w.addCell(QStringLiteral("iAnalogOutput5 (V)"), voltage, [voltage](double f) { voltage->SetValue(f * 80); });
    auto* indoor = makeReadout(QStringLiteral("℃"), 14);
    w.addCell(QStringLiteral("iAnalogOutput3 (℃)"), indoor, [indoor](double f) { indoor->SetValue(-40 + f * 120); });
    auto* error = makeReadout(QStringLiteral("℃"), 14);
    error->SetErrorActive(true);
    w.addCell(QStringLiteral("read-out in error"), error);
});

const GalleryFamily thermometers(50, QStringLiteral("Thermometers and switches"), [](GalleryWindow& w) {
    auto* indoor = makeThermometer(true);
    w.addCell(QStringLiteral("iThermometer1 Indoor"), indoor, [indoor](double f) { indoor->SetPosition(-40 + f * 120); });
    auto* outdoor = makeThermometer(false);
    w.addCell(QStringLiteral("iThermometer2 Outdoor"), outdoor,
              [outdoor](double f) { outdoor->SetPosition(-40 + f * 60); });

    auto* heater = makeKnob(QStringLiteral("On, Off"), 1, true);
    w.addCell(QStringLiteral("iSwitchRotary1"), heater, [heater](double f) { heater->SetPosition(f > 0.5 ? 0 : 1); });
    auto* compressor = makeKnob(QStringLiteral("On, Off, Enable"), 0, false);
    w.addCell(QStringLiteral("iSwitchRotary2"), compressor,
              [compressor](double f) { compressor->SetPosition(f < 0.34 ? 0 : f < 0.67 ? 1 : 2); });

    auto* on = makeSwitchLed(QStringLiteral("On"), true);
    w.addCell(QStringLiteral("iSwitchLed1 (slider > 50 %)"), on, [on](double f) { on->SetActive(f > 0.5); });
    auto* recheck = makeSwitchLed(QStringLiteral("ReC"), false);
    recheck->SetActive(true);
    w.addCell(QStringLiteral("iSwitchLed3 lit"), recheck);
});

const GalleryFamily otherStyles(55, QStringLiteral("Other LED bar and thermometer styles"), [](GalleryWindow& w) {
    auto* circles = new TiLedBar;
    circles->SetBounds(0, 0, 16, 120);
    circles->SetSegmentStyle(ilbssCircle);
    circles->SetSectionCount(3);
    circles->SetSegmentSize(8);
    w.addCell(QStringLiteral("circles, 3 sections"), circles, [circles](double f) { circles->SetPosition(f * 100); });
    auto* triangles = new TiLedBar;
    triangles->SetSegmentDirection(idRight);
    triangles->SetBounds(0, 0, 120, 16);
    triangles->SetSegmentStyle(ilbssTriangle);
    triangles->SetSegmentSize(7);
    triangles->SetBorderStyle(ibsLowered);
    w.addCell(QStringLiteral("triangles, lowered"), triangles,
              [triangles](double f) { triangles->SetPosition(f * 100); });
    auto* bar = makeThermometer(false);
    bar->SetIndicatorStyle(itisBarSunken);
    bar->SetIndicatorFillReferenceStyle(ipfrsValue);
    bar->SetShowMaxPointer(true);
    bar->SetShowMinPointer(true);
    bar->SetBounds(0, 0, 80, 205);
    w.addCell(QStringLiteral("bar from 0, min/max"), bar, [bar](double f) { bar->SetPosition(-40 + f * 120); });
    auto* flat = makeThermometer(false);
    flat->SetOrientation(ioHorizontal);
    flat->SetIndicatorWidth(4);
    w.addCell(QStringLiteral("horizontal bulb"), flat, [flat](double f) { flat->SetPosition(-40 + f * 120); });
});

} // namespace
