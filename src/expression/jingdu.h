#pragma once

#include "common/choices.h"
#include "common/outcome.h"

#include <QString>

// A value for the result box, formatted by precision mode: the smart modes pick decimals by
// magnitude, 0.000# keeps four, 0.000#E-00 writes an exponent, and 不处理 writes the value
// as doubleText does. `value` is finite. Any mode outside the five behaves as SmartLow.
QString JingDu(double value, PrecisionMode precisionMode);

// The same for a numeric text (a pasted or stored one). SmartLow, SmartHigh and FixedFour fail
// with ErrorValue 13 for a text that is not a number (6 for one beyond the double range);
// ExponentFour gives a non-number back unchanged, and Unprocessed always gives the text back.
Outcome<QString> JingDu(const QString &text, PrecisionMode precisionMode);

// Writes `value` with a pattern "0.<k zeros><m hashes>" optionally followed by "E-00",
// e.g. "0.000", "0.0#", "0.00#E-00"; rounding half away from zero on the decimal value.
// Throws ErrorValue for a text that is not a number.
QString formatWithPattern(const QString &numberText, const QString &pattern);
