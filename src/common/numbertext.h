#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Number texts never depend on the desktop's locale: "." is the decimal point and no digit
// grouping is read or written.

// Reads an optional sign, digits with at most one ".", and an optional exponent ("E", "e",
// "D" or "d", optional sign, digits) from the start of `text`, blanks skipped first; stops at
// the first character that does not fit. 0 when no digit was read. Never fails.
double readNumberPrefix(QStringView text);

// True when the whole text (blanks around it allowed) has the syntax of a number: optional
// sign, digits with at most one ".", optional exponent ("E" or "D" in either case, optional
// sign, at least one digit). "1E", "." and "1,5" are not numbers.
bool isNumberText(QStringView text);

// True when the "+" or "-" at `pos` is the sign of a number's exponent: directly after the "E"
// or "D" (either case) that follows a mantissa (digits with at most one ".", not the tail of a
// longer word) and directly before a digit, as in 1E-5 or 2.5d+3. Such a sign belongs to the
// number and is never an operator, so a result shown as 1.00E-05 reads back as that number.
bool isExponentSign(QStringView text, qsizetype pos);

// The value of a number text (see isNumberText); nothing when the text is not a number or
// its value lies beyond the double range.
std::optional<double> readNumberStrict(QStringView text);

// A double as text: up to 15 significant digits, no trailing zeros, plain notation for
// decimal exponents -4 to 14, otherwise 1E-05 / 1.23456789012346E+15; zero is "0".
QString doubleText(double value);

// The same form with up to `significant` digits (1 to 17), rounded on the binary value.
QString significantText(double value, int significant);

// The same form for a single (32-bit float) with up to 7 significant digits.
QString singleText(float value);

// Fixed decimals with at least one digit before the point ("0.000" for 3, "0.0000" for 4),
// rounded half away from zero on the decimal value of doubleText(value).
QString fixedText(double value, int decimals);
