#pragma once

#include <string>

// A finite value in decimal digits, as written with a given number of significant digits:
// value = (negative ? -1 : 1) * d0.d1d2... * 10^exponent. Trailing zeros are dropped; zero is
// the single digit "0" with exponent 0 and never negative.
struct Decimal
{
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;

    bool isZero() const { return digits == "0"; }
};

// `value` (finite) rounded to `significant` digits, round half to even on the binary value
// as the C library does.
Decimal decimalOf(double value, int significant);

// The digits of round(|d| * 10^decimals), rounded half away from zero on the decimal digits;
// at least one digit, no leading zeros except for "0".
std::string scaledDigits(const Decimal &d, int decimals);

// Plain "d.ddd" text of scaledDigits with `decimals` decimals and at least one integer digit.
std::string placePoint(const std::string &scaled, int decimals);
