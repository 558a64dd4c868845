#include "catalogue/sectionformulas.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace {

// A non-negative decimal number as the count of units of its `decimals`-th decimal place,
// rounded half up or cut. `digits` is a plain decimal text such as "26.40925".
long long scaledDecimal(const std::string &digits, int decimals, bool halfUp)
{
    const std::size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    const std::size_t wanted = static_cast<std::size_t>(decimals);
    const bool roundUp = halfUp && fraction.size() > wanted && fraction[wanted] >= '5';
    fraction.resize(wanted, '0');
    long long units = 0;
    for (const char c : whole + fraction)
        units = units * 10 + (c - '0');
    return roundUp ? units + 1 : units;
}

} // namespace

double hBeamArea(const HBeamRow &row)
{
    const double H = row.H.value, B = row.B.value, t1 = row.t1.value, t2 = row.t2.value, r = row.r.value;
    return t1 * (H - 2 * t2) + 2 * B * t2 + 0.858 * (r * r);
}

double hollowCornerRadius(double wall)
{
    if (wall <= 6)
        return 2.0 * wall;
    return wall <= 10 ? 2.5 * wall : 3.0 * wall;
}

double hollowSectionArea(const HollowSectionRow &row)
{
    const double H = row.H.value, B = row.B.value, t = row.t.value;
    const double R = hollowCornerRadius(t);
    const double r = R - t;
    return 2 * t * (H + B - 2 * t) - (4 - std::numbers::pi) * (R * R - r * r);
}

double unequalAngleArea(const UnequalAngleRow &row)
{
    const double B = row.B.value, b = row.b.value, d = row.d.value, r = row.r.value;
    const double r1 = d / 3;
    return d * (B + b - d) + 0.215 * (r * r - 2 * (r1 * r1));
}

double barArea(const BarSizeRow &row)
{
    switch (row.shape) {
    case BarShape::Square:
        return row.size.value * row.size.value;
    case BarShape::Hexagon:
        return std::sqrt(3.0) / 2 * (row.size.value * row.size.value);
    case BarShape::Flat:
        break;
    }
    return row.width.value * row.thickness.value;
}

double areaCm2(double areaMm2)
{
    return areaMm2 / 100;
}

double massPerMetre(double areaMm2)
{
    return areaCm2(areaMm2) * SteelDensity / 10;
}

PrintedMatch printedMatch(const PrintedNumber &printed, double formulaValue)
{
    if (printed.text.isEmpty() || !std::isfinite(formulaValue) || formulaValue < 0)
        return PrintedMatch::Differs;
    // The shortest decimal text that reads back as the formula value, so that the decision
    // is made on decimal digits, not on the binary value.
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, formulaValue, std::chars_format::fixed);
    if (error != std::errc())
        return PrintedMatch::Differs;
    const std::string digits(buffer, end);
    const int decimals = printed.decimals();
    const long long shown = scaledDecimal(printed.text.toStdString(), decimals, false);
    if (scaledDecimal(digits, decimals, true) == shown)
        return PrintedMatch::Rounded;
    if (scaledDecimal(digits, decimals, false) == shown)
        return PrintedMatch::Truncated;
    return PrintedMatch::Differs;
}
