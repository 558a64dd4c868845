#include "common/numbertext.h"

#include "common/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isExponentLetter(QChar c)
{
    return c == QLatin1Char('E') || c == QLatin1Char('e') || c == QLatin1Char('D') || c == QLatin1Char('d');
}
bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

// Blanks around a number are allowed; the same blanks QStringView::trimmed removes.
QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].isSpace())
        ++begin;
    while (end > begin && text[end - 1].isSpace())
        --end;
    return text.sliced(begin, end - begin);
}

// The syntax both readers share, read from `begin`: sign, digits with at most one ".", and an
// exponent part that counts only when it has a digit. Only positions are kept; the text is
// copied only when the C library has to read it.
struct Scanned
{
    qsizetype begin = 0;       // the sign, or the first digit or "."
    qsizetype mantissaEnd = 0; // after the digits and the point
    qsizetype end = 0;         // after the exponent, or mantissaEnd when there is none
    bool hasDigit = false;
    bool point = false;
};

Scanned scanNumber(QStringView text, qsizetype pos)
{
    Scanned s;
    s.begin = pos;
    const qsizetype n = text.size();
    if (pos < n && isSign(text[pos]))
        ++pos;
    while (pos < n) {
        const QChar c = text[pos];
        if (isDigit(c)) {
            s.hasDigit = true;
        } else if (c == QLatin1Char('.') && !s.point) {
            s.point = true;
        } else {
            break;
        }
        ++pos;
    }
    s.mantissaEnd = s.end = pos;
    if (!s.hasDigit || pos >= n || !isExponentLetter(text[pos]))
        return s;
    qsizetype e = pos + 1;
    if (e < n && isSign(text[e]))
        ++e;
    const qsizetype firstExponentDigit = e;
    while (e < n && isDigit(text[e]))
        ++e;
    if (e > firstExponentDigit)
        s.end = e;
    return s;
}

// The power of ten of the first significant digit of a number text in C syntax ("0.05" gives
// -2, "12E3" gives 4); only its sign matters: it tells an overflow from an underflow. The
// exponent saturates, so that no text can overflow the count.
long long decimalMagnitude(const std::string &ascii)
{
    const std::size_t exponentAt = std::min(ascii.find('E'), ascii.size());
    long long exponent = 0;
    bool negativeExponent = false;
    for (std::size_t i = exponentAt + 1; i < ascii.size(); ++i) {
        if (ascii[i] == '-')
            negativeExponent = true;
        else if (ascii[i] != '+')
            exponent = std::min(exponent * 10 + (ascii[i] - '0'), 1'000'000'000LL);
    }
    const std::size_t pointAt = std::min(ascii.find('.'), exponentAt);
    long long place = 0;
    for (std::size_t i = 0; i < exponentAt; ++i) {
        if (ascii[i] == '.' || ascii[i] == '0')
            continue;
        place = i < pointAt ? static_cast<long long>(pointAt - i) - 1 : -static_cast<long long>(i - pointAt);
        break;
    }
    return (negativeExponent ? -exponent : exponent) + place;
}

// The value of a scanned number with a digit, read as strtod reads it in the C locale, whatever
// locale the program runs under. Out of range gives +-inf (or +-0 for an underflow), as strtod does.
double parseScanned(QStringView text, const Scanned &s)
{
    const bool hasSign = isSign(text[s.begin]);
    const qsizetype firstDigit = hasSign ? s.begin + 1 : s.begin;
    // Short integers, the common case in long sums, are exact without the C library.
    if (!s.point && s.end == s.mantissaEnd && s.end - firstDigit <= 15) {
        long long integer = 0;
        for (qsizetype i = firstDigit; i < s.end; ++i)
            integer = integer * 10 + (text[i].unicode() - u'0');
        return text[s.begin] == QLatin1Char('-') ? -double(integer) : double(integer);
    }
    // The C syntax: "D" becomes "E"; from_chars takes no "+" in front.
    std::string ascii;
    ascii.reserve(std::size_t(s.end - s.begin) + 1);
    const bool negative = text[s.begin] == QLatin1Char('-');
    for (qsizetype i = firstDigit; i < s.mantissaEnd; ++i)
        ascii += char(text[i].unicode());
    if (s.end > s.mantissaEnd) {
        ascii += 'E';
        for (qsizetype i = s.mantissaEnd + 1; i < s.end; ++i)
            ascii += char(text[i].unicode());
    }
    // from_chars never looks at a locale. It reads "1." and ".5" as strtod does; callers only
    // pass texts with a digit.
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range)
        value = decimalMagnitude(ascii) > 0 ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

QString writeDecimal(const Decimal &d)
{
    if (d.isZero())
        return QStringLiteral("0");
    std::string out = d.negative ? "-" : "";
    const int len = int(d.digits.size());
    if (d.exponent >= -4 && d.exponent <= 14) {
        if (d.exponent < 0) {
            out += "0.";
            out.append(std::size_t(-d.exponent - 1), '0');
            out += d.digits;
        } else if (len <= d.exponent + 1) {
            out += d.digits;
            out.append(std::size_t(d.exponent + 1 - len), '0');
        } else {
            out += d.digits.substr(0, std::size_t(d.exponent + 1));
            out += '.';
            out += d.digits.substr(std::size_t(d.exponent + 1));
        }
    } else {
        out += d.digits[0];
        if (len > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        out += d.exponent < 0 ? "E-" : "E+";
        const int e = std::abs(d.exponent);
        if (e < 10)
            out += '0';
        out += std::to_string(e);
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

} // namespace

namespace {

// Splits the C library's scientific form "-d.ddde+XX" into a Decimal.
Decimal decimalFromScientific(const char *begin, const char *end)
{
    Decimal d;
    const std::string s(begin, end);
    std::size_t i = 0;
    if (s[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t ePos = s.find('e');
    std::string digits;
    for (std::size_t k = i; k < ePos; ++k)
        if (s[k] != '.')
            digits += s[k];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    d.digits = digits;
    d.exponent = std::stoi(s.substr(ePos + 1));
    return d;
}

} // namespace

Decimal decimalOf(double value, int significant)
{
    if (value == 0.0 || !std::isfinite(value))
        return Decimal();
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significant - 1);
    return decimalFromScientific(buf, res.ptr);
}

std::string scaledDigits(const Decimal &d, int decimals)
{
    if (d.isZero())
        return "0";
    // Index of the digit whose place is 10^-decimals.
    const long long last = static_cast<long long>(d.exponent) + decimals;
    const long long len = static_cast<long long>(d.digits.size());
    if (last < -1)
        return "0";
    if (last == -1)
        return d.digits[0] >= '5' ? "1" : "0";
    std::string kept;
    if (last >= len - 1) {
        kept = d.digits;
        kept.append(std::size_t(last - (len - 1)), '0');
        return kept;
    }
    kept = d.digits.substr(0, std::size_t(last + 1));
    if (d.digits[std::size_t(last + 1)] >= '5') {
        std::size_t k = kept.size();
        while (k > 0) {
            --k;
            if (kept[k] == '9') {
                kept[k] = '0';
            } else {
                ++kept[k];
                break;
            }
            if (k == 0)
                kept.insert(kept.begin(), '1');
        }
    }
    const std::size_t nonZero = kept.find_first_not_of('0');
    return nonZero == std::string::npos ? "0" : kept.substr(nonZero);
}

std::string placePoint(const std::string &scaled, int decimals)
{
    std::string s = scaled;
    if (s.size() < std::size_t(decimals) + 1)
        s.insert(0, std::size_t(decimals) + 1 - s.size(), '0');
    if (decimals > 0)
        s.insert(s.size() - std::size_t(decimals), 1, '.');
    return s;
}

double readNumberPrefix(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    const Scanned s = scanNumber(text, pos);
    if (!s.hasDigit)
        return 0.0;
    return parseScanned(text, s);
}

bool isNumberText(QStringView text)
{
    const QStringView t = trimmedView(text);
    if (t.isEmpty())
        return false;
    const Scanned s = scanNumber(t, 0);
    return s.hasDigit && s.end == t.size();
}

bool isExponentSign(QStringView text, qsizetype pos)
{
    if (pos < 2 || pos + 1 >= text.size() || !isSign(text[pos]) || !isDigit(text[pos + 1]) ||
        !isExponentLetter(text[pos - 1]))
        return false;
    qsizetype start = pos - 2;
    bool digit = false;
    bool point = false;
    for (; start >= 0; --start) {
        const QChar c = text[start];
        if (isDigit(c))
            digit = true;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    // A mantissa glued to a letter or another number ("x1E-5", "1.2.3E-5") is no number.
    return digit && (start < 0 || !(text[start].isLetterOrNumber() || text[start] == QLatin1Char('.')));
}

std::optional<double> readNumberStrict(QStringView text)
{
    const QStringView t = trimmedView(text);
    if (t.isEmpty())
        return std::nullopt;
    const Scanned s = scanNumber(t, 0);
    if (!s.hasDigit || s.end != t.size())
        return std::nullopt;
    const double value = parseScanned(t, s);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

QString doubleText(double value)
{
    return significantText(value, 15);
}

QString significantText(double value, int significant)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return writeDecimal(decimalOf(value, significant));
}

QString singleText(float value)
{
    if (!std::isfinite(value))
        return nonFiniteText(double(value));
    if (value == 0.0f)
        return QStringLiteral("0");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
    const Decimal d = decimalFromScientific(buf, res.ptr);
    return writeDecimal(d);
}

QString fixedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const Decimal d = decimalOf(value, 15);
    const std::string scaled = scaledDigits(d, decimals);
    std::string out = (d.negative && scaled != "0") ? "-" : "";
    out += placePoint(scaled, decimals);
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}
