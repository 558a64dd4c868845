#include "expression/jingdu.h"

#include "common/decimal.h"
#include "common/errorvalue.h"
#include "common/numbertext.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace {

// "0.<zeros><hashes>" optionally followed by "E-00".
struct Pattern
{
    int zeros = 0;
    int hashes = 0;
    bool exponent = false;
};

Pattern parsePattern(const QString &pattern)
{
    Pattern p;
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    for (qsizetype i = point + 1; i >= 1 && i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('0'))
            ++p.zeros;
        else if (c == QLatin1Char('#'))
            ++p.hashes;
        else
            break;
    }
    p.exponent = pattern.contains(QLatin1Char('E'));
    return p;
}

// The digits of d rounded to the pattern's decimals; optional decimals end at the last non-zero
// digit, the point stays even when no decimal follows.
std::string fixedPart(const Decimal &d, const Pattern &p)
{
    const int decimals = p.zeros + p.hashes;
    const std::string scaled = scaledDigits(d, decimals);
    std::string text = placePoint(scaled, decimals);
    int optional = p.hashes;
    while (optional > 0 && text.back() == '0') {
        text.pop_back();
        --optional;
    }
    if (decimals == 0)
        text += '.';
    return (d.negative && scaled != "0" ? "-" : "") + text;
}

std::string exponentPart(const Decimal &d, const Pattern &p)
{
    Decimal mantissa = d;
    int exponent = 0;
    if (!d.isZero()) {
        exponent = d.exponent;
        mantissa.exponent = 0;
        // A mantissa that rounds up to 10 becomes 1 with the next exponent.
        if (scaledDigits(mantissa, p.zeros + p.hashes).size() > std::size_t(p.zeros + p.hashes) + 1) {
            mantissa.digits.assign(1, '1');
            ++exponent;
        }
    }
    std::string text = fixedPart(mantissa, p);
    text.push_back('E');
    if (exponent < 0)
        text.push_back('-');
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text.push_back('0');
    text.append(std::to_string(magnitude));
    return text;
}

QString format(const Decimal &d, const Pattern &p)
{
    const std::string text = p.exponent ? exponentPart(d, p) : fixedPart(d, p);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The power of ten of the value as its 15-digit text reads back, the one the patterns are chosen
// by: 9.9999999999999995 is written 10 and so takes the pattern of 10, not that of 9.99...
// Zero lies below every bound.
int decimalPower(const Decimal &d)
{
    return d.isZero() ? std::numeric_limits<int>::min() : d.exponent;
}

double numberOf(const QString &text)
{
    if (const std::optional<double> value = readNumberStrict(text))
        return *value;
    // Not a number, or one beyond the double range.
    throw ErrorValue(isNumberText(text) ? ErrorNumber::Overflow : ErrorNumber::TypeMismatch);
}

struct SmartRow
{
    int belowPower; // the row holds values below 10^belowPower
    const char *low;
    const char *high;
};

// The first row whose bound the absolute value is below wins; the last row takes the rest.
constexpr SmartRow kSmartRows[] = {
    {-7, "0.00#E-00", "0.000#E-00"},
    {-4, "0.00#E-00", "0.00000##"},
    {-3, "0.0000#", "0.00000##"},
    {1, "0.000", "0.0000#"},
    {2, "0.00", "0.000#"},
    {3, "0.0#", "0.00#"},
    {5, "0.0", "0.00#"},
    {8, "0.#", "0.0#"},
    {10, "0.00#E-00", "0.0#"},
};
constexpr SmartRow kSmartRest = {0, "0.00#E-00", "0.000#E-00"};

QString smartPattern(int power, bool high)
{
    for (const SmartRow &row : kSmartRows)
        if (power < row.belowPower)
            return QLatin1String(high ? row.high : row.low);
    return QLatin1String(high ? kSmartRest.high : kSmartRest.low);
}

} // namespace

QString formatWithPattern(const QString &numberText, const QString &pattern)
{
    return format(decimalOf(numberOf(numberText), 15), parsePattern(pattern));
}

QString JingDu(double value, PrecisionMode precisionMode)
{
    if (precisionMode == PrecisionMode::Unprocessed)
        return doubleText(value);
    const Decimal d = decimalOf(value, 15);
    const int power = decimalPower(d);
    switch (precisionMode) {
    case PrecisionMode::ExponentFour:
        return format(d, parsePattern(QStringLiteral("0.000#E-00")));
    case PrecisionMode::FixedFour: {
        const bool exponent = power < -4 || power >= 8;
        return format(d, parsePattern(exponent ? QStringLiteral("0.00#E-00") : QStringLiteral("0.000#")));
    }
    default:
        return format(d, parsePattern(smartPattern(power, precisionMode == PrecisionMode::SmartHigh)));
    }
}

Outcome<QString> JingDu(const QString &text, PrecisionMode precisionMode)
{
    Outcome<QString> outcome;
    if (precisionMode == PrecisionMode::Unprocessed) {
        outcome.value = text;
        return outcome;
    }
    const std::optional<double> value = readNumberStrict(text);
    if (value)
        outcome.value = JingDu(*value, precisionMode);
    else if (precisionMode == PrecisionMode::ExponentFour)
        outcome.value = text;
    else // not a number, or one beyond the double range
        outcome.error = ErrorValue(isNumberText(text) ? ErrorNumber::Overflow : ErrorNumber::TypeMismatch);
    return outcome;
}
