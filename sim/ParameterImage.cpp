#include "sim/ParameterImage.h"

namespace ParameterImage {

namespace {

double tenths(std::uint16_t value)
{
    return asSigned(value) / 10.0;
}

FanCurveParameters curveAt(const HoldingImage& image, int first)
{
    FanCurveParameters curve;
    curve.stepRev = image[first + 0];
    curve.maxRev = image[first + 1];
    curve.minRev = image[first + 2];
    curve.stepTemp = tenths(image[first + 3]);
    curve.maxTemp = tenths(image[first + 4]);
    curve.minTemp = tenths(image[first + 5]);
    curve.stopTemp = tenths(image[first + 6]);
    curve.deltTemp = tenths(image[first + 7]);
    curve.enable1 = image[first + 9] == 1;
    curve.enable2 = image[first + 10] == 1;
    return curve;
}

std::uint16_t bits(int value)
{
    return static_cast<std::uint16_t>(value);
}

} // namespace

HoldingImage factory(std::uint8_t address)
{
    return HoldingImage{
        // internal fans: step, max, min rpm; step, max, min, stop, hysteresis (0.1 C); pulses; enables.
        // The two pairs stop and restart at different temperatures, so their
        // curves on the Graph tab do not run over one another.
        300, 2200, 800, 50, 350, 200, 50, 50, 2, 1, 1,
        // external fans
        300, 2400, 900, 50, 400, 250, 150, 50, 2, 1, 1,
        // heater: start 5.0 C, hysteresis 3.0 C, current 8.0 A max, 4.0 A min, enabled
        50, 30, 80, 40, 1,
        address,
        // temperature alarms 55.0 C high, -10.0 C low
        550, bits(-100),
        // debug temperature off, two spare registers
        1100, 0, 0,
        // calibration offsets
        0, 0, 0, 0,
        // external input off, normally open
        0, 0,
        // supply alarms 58.0 V high, 42.0 V low
        580, 420,
        // compressor: start 35.0 C, hysteresis 3.0 C, 4500 rpm
        350, 30, 4500,
    };
}

PlantParameters decode(const HoldingImage& image)
{
    PlantParameters p;
    p.internal = curveAt(image, 0);
    p.external = curveAt(image, 11);
    p.heaterStart = tenths(image[22]);
    p.heaterDelt = image[23] / 10.0;
    p.heaterMaxCurrent = tenths(image[24]);
    p.heaterMinCurrent = tenths(image[25]);
    p.heaterEnable = image[26] == 1;
    p.tempAlarmHigh = tenths(image[28]);
    p.tempAlarmLow = tenths(image[29]);
    const int debug = asSigned(image[kDebugTemperatureRegister]);
    if (debug >= kDebugLowest && debug <= kDebugHighest)
        p.debugTemp = debug / 10.0;
    p.calTemp1 = tenths(image[33]);
    p.calTemp2 = tenths(image[34]);
    p.calCurrent = tenths(image[35]);
    p.calVoltage = tenths(image[36]);
    p.voltAlarmHigh = tenths(image[39]);
    p.voltAlarmLow = tenths(image[40]);
    p.compStart = tenths(image[41]);
    p.compDelt = tenths(image[42]);
    p.compMaxRpm = asSigned(image[43]);
    return p;
}

} // namespace ParameterImage
