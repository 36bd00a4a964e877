#pragma once
// Text and clamping of the numeric read-out.
#include <QString>

namespace TiAnalogOutputMath {

// The number with `precision` decimals (general format when negative),
// trimmed, followed directly by the units.
QString readoutText(double value, int precision, const QString& unitsText);

// Clamp into [valueMin, valueMax]; both 0 means no clamping.
double clampValue(double value, double valueMin, double valueMax);

// An all-blank units text is stored as empty.
QString normalizedUnits(const QString& unitsText);

// The edited text with every occurrence of the trimmed units removed
// (ignoring case), trimmed: the part that must be a number.
QString numberText(const QString& text, const QString& unitsText);

// Parses an edited text back to a number: every occurrence of the trimmed
// units is removed (ignoring case). Returns false when it is not a number.
bool parseEditedText(const QString& text, const QString& unitsText, double* value);

} // namespace TiAnalogOutputMath
