#pragma once

#include <QString>

// The five precision modes of the result box, by menu index.
enum PrecisionModeIndex { SmartLow = 0, SmartHigh = 1, FixedFour = 2, ExponentFour = 3, Unprocessed = 4 };

// Formats a numeric text for the result box by precision mode. Modes 0 to 2 throw
// ErrorValue 13 for a text that is not a number; modes 3 and 4 never fail. Any other mode
// behaves as mode 0.
QString JingDu(const QString &text, int precisionMode);

// Writes `value` with a pattern "0.<k zeros><m hashes>" optionally followed by "E-00",
// e.g. "0.000", "0.0#", "0.00#E-00"; rounding half away from zero on the decimal value.
QString formatWithPattern(const QString &numberText, const QString &pattern);
