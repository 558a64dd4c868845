#include "expression/jingdu.h"

#include "common/decimal.h"
#include "common/errorvalue.h"
#include "common/numbertext.h"

#include <cmath>
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

QString format(double value, const Pattern &p)
{
    const Decimal d = decimalOf(value, 15);
    const std::string text = p.exponent ? exponentPart(d, p) : fixedPart(d, p);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
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
    double below;
    const char *low;
    const char *high;
};

// The first row whose bound the absolute value is below wins; the last row takes the rest.
constexpr SmartRow kSmartRows[] = {
    {0.0000001, "0.00#E-00", "0.000#E-00"},
    {0.0001, "0.00#E-00", "0.00000##"},
    {0.001, "0.0000#", "0.00000##"},
    {10, "0.000", "0.0000#"},
    {100, "0.00", "0.000#"},
    {1000, "0.0#", "0.00#"},
    {100000, "0.0", "0.00#"},
    {100000000, "0.#", "0.0#"},
    {10000000000, "0.00#E-00", "0.0#"},
};
constexpr SmartRow kSmartRest = {0, "0.00#E-00", "0.000#E-00"};

QString smartPattern(double magnitude, bool high)
{
    for (const SmartRow &row : kSmartRows)
        if (magnitude < row.below)
            return QLatin1String(high ? row.high : row.low);
    return QLatin1String(high ? kSmartRest.high : kSmartRest.low);
}

} // namespace

QString formatWithPattern(const QString &numberText, const QString &pattern)
{
    return format(numberOf(numberText), parsePattern(pattern));
}

QString JingDu(double value, PrecisionMode precisionMode)
{
    const double magnitude = std::fabs(value);
    switch (precisionMode) {
    case PrecisionMode::Unprocessed:
        return doubleText(value);
    case PrecisionMode::ExponentFour:
        return format(value, parsePattern(QStringLiteral("0.000#E-00")));
    case PrecisionMode::FixedFour: {
        const bool exponent = magnitude < 0.0001 || magnitude >= 100000000;
        return format(value, parsePattern(exponent ? QStringLiteral("0.00#E-00") : QStringLiteral("0.000#")));
    }
    default:
        return format(value,
                      parsePattern(smartPattern(magnitude, precisionMode == PrecisionMode::SmartHigh)));
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
