#include "expression/evaluator.h"

#include "common/errorvalue.h"
#include "common/numbertext.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

const QString kSource = QStringLiteral("EvaluateExpr");
const QString kExcessClosing = QStringLiteral("在表达式中有多余的 “)” ，请检查！");
const QString kMissingClosing = QStringLiteral("表达式中缺少 “)” ，请检查、补全！");
const QString kNotComputable = QStringLiteral("——表达式无法进行计算！\r\n"
                                              "这可能是表达式中缺少运算符 或 含有无效的字符引起的。\r\n"
                                              "请仔细检查表达式。");
const QString kMissingOperandTitle = QStringLiteral("注意");
const QString kMissingOperandLead = QStringLiteral("  检测到表达式计算中含有运算数据缺失的运算：");
const QString kMissingOperandTail =
    QStringLiteral("\r\n\r\n这可能是由于运算符 前/后 缺失运算数据引起的，\r\n"
                   "计算时缺失的运算数据会被认为0，这可能会导致错误的计算结果。");
const QString kEmptyOperand = QStringLiteral("□");
const QString kZeroFactorTitle = QStringLiteral("注意");
const QString kZeroFactorNote =
    QStringLiteral("检测到角度转换参数 ToHDu=0，请为其赋值，否则默认为1。\r\n\r\n"
                   "    说明：三角函数内部是以弧度进行计算，若角度单位为度，需在计算前进行转换；\r\n"
                   "度转弧度参数ToHDu=π/180=0.0174532925，弧度=度×ToHDu；\r\n"
                   "当ToHDu=1时不进行角度转换，此时角度单位为弧度。");

// Bracket and function groups nest at most this deep; deeper input raises error 28 instead of
// exhausting the stack.
constexpr int kMaxNesting = 1000;

// Split classes: lower binds looser. kNone means no split operator.
enum : int {
    kAdditive = 4,
    kRemainder = 5,
    kIntegerDivision = 6,
    kMultiplicative = 8,
    kPower = 9,
    kNone = 11
};

int operatorClass(QChar c)
{
    switch (c.unicode()) {
    case '+':
    case '-':
        return kAdditive;
    case '%':
        return kRemainder;
    case '\\':
        return kIntegerDivision;
    case '*':
    case '/':
        return kMultiplicative;
    case '^':
        return kPower;
    default:
        return kNone;
    }
}

// An error on its way out of the recursion, with the position in the text it belongs to.
struct Raised
{
    ErrorValue error;
    qsizetype position;
};

[[noreturn]] void raise(int number, qsizetype position)
{
    throw Raised{ErrorValue(number), position};
}

[[noreturn]] void raise(ErrorValue error, qsizetype position)
{
    throw Raised{std::move(error), position};
}

double checked(double value, qsizetype position)
{
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow, position);
    return value;
}

// Round half to even into the 32-bit range, as the integer operators convert their operands.
std::int64_t toInt32(double value, qsizetype position)
{
    const double r = std::nearbyint(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        raise(ErrorNumber::Overflow, position);
    return static_cast<std::int64_t>(r);
}

// `at` is the operator's position, where a failing combination is reported.
double combine(QChar op, double left, double right, qsizetype at)
{
    switch (op.unicode()) {
    case '+':
        return checked(left + right, at);
    case '-':
        return checked(left - right, at);
    case '*':
        return checked(left * right, at);
    case '/':
        if (right == 0.0)
            raise(left == 0.0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero, at);
        return checked(left / right, at);
    case '^':
        if (left < 0.0 && right != std::trunc(right))
            raise(ErrorNumber::InvalidCall, at);
        return checked(std::pow(left, right), at);
    case '\\':
    case '%': {
        const std::int64_t a = toInt32(left, at);
        const std::int64_t b = toInt32(right, at);
        if (b == 0)
            raise(ErrorNumber::DivisionByZero, at);
        const std::int64_t r = op == QLatin1Char('\\') ? a / b : a % b;
        if (r > 2147483647)
            raise(ErrorNumber::Overflow, at);
        return double(r);
    }
    default:
        return 0.0;
    }
}

// One evaluation of one text. Sub-texts are slices [begin, end) of the whole text; the bracket
// matches are found once, so every level scans only its own depth-0 characters and skips
// bracketed groups in one step. That keeps a text of any length linear, where re-scanning
// each half would be quadratic.
class Evaluator
{
public:
    Evaluator(QStringView text, float &toHDu, Notices &notices)
        : m_text(text), m_toHDu(toHDu), m_notices(notices)
    {
        // m_match[i] is the position of the ")" that closes the "(" at i, or -1. A text without
        // a "(" never looks it up and leaves it empty.
        std::vector<qsizetype> open;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('(')) {
                if (m_match.empty())
                    m_match.assign(std::size_t(text.size()), -1);
                open.push_back(i);
            } else if (text[i] == QLatin1Char(')') && !open.empty()) {
                m_match[std::size_t(open.back())] = i;
                open.pop_back();
            }
        }
    }

    double evaluate() { return evaluate(0, m_text.size(), 0); }

private:
    struct Split
    {
        int cls = kNone;
        std::vector<qsizetype> positions; // the split operators of the loosest class, left to right
    };

    void trim(qsizetype &begin, qsizetype &end) const
    {
        while (begin < end && m_text[begin].isSpace())
            ++begin;
        while (end > begin && m_text[end - 1].isSpace())
            --end;
    }

    // Finds the operators of the loosest class at depth 0; raises the bracket errors of this
    // level (an excess ")" at once, an open "(" at the end).
    Split scan(qsizetype begin, qsizetype end) const
    {
        Split split;
        bool afterOperator = true;
        for (qsizetype i = begin; i < end; ++i) {
            const QChar c = m_text[i];
            if (c.isSpace())
                continue;
            if (c == QLatin1Char('(')) {
                const qsizetype close = m_match[std::size_t(i)];
                // Without its ")" inside this text, the "(" keeps the depth above 0 to the end,
                // where no ")" can fall below 0 any more.
                if (close < 0 || close >= end)
                    raise(ErrorValue(ErrorNumber::MissingClosingBracket, kSource, kMissingClosing), i);
                i = close;
                afterOperator = false;
                continue;
            }
            if (c == QLatin1Char(')'))
                raise(ErrorValue(ErrorNumber::ExcessClosingBracket, kSource, kExcessClosing), i);
            const int cls = operatorClass(c);
            if (cls == kNone || isExponentSign(m_text.sliced(begin, end - begin), i - begin)) {
                afterOperator = false;
                continue;
            }
            const bool candidate = cls != kAdditive || !afterOperator;
            afterOperator = true;
            if (!candidate || cls > split.cls)
                continue;
            if (cls < split.cls) {
                split.cls = cls;
                split.positions.clear();
            }
            split.positions.push_back(i);
        }
        return split;
    }

    bool blank(qsizetype begin, qsizetype end) const
    {
        trim(begin, end);
        return begin == end;
    }

    // An operand of the warning is shown in full up to this many characters; a longer one is
    // cut to its end next to the operator, so a long text with many missing operands cannot
    // make each warning as long as the text.
    static constexpr qsizetype kShownOperand = 100;

    QString shownLeft(qsizetype begin, qsizetype op) const
    {
        trim(begin, op);
        if (op - begin <= kShownOperand)
            return m_text.sliced(begin, op - begin).toString();
        return QStringLiteral("…") + m_text.sliced(op - kShownOperand, kShownOperand).toString();
    }

    QString shownRight(qsizetype op, qsizetype end) const
    {
        qsizetype begin = op + 1;
        trim(begin, end);
        if (end - begin <= kShownOperand)
            return m_text.sliced(begin, end - begin).toString();
        return m_text.sliced(begin, kShownOperand).toString() + QStringLiteral("…");
    }

    // Only texts with a missing operand are copied: a long chain must not copy its prefix once
    // per operator.
    void warnIfOperandMissing(qsizetype begin, qsizetype op, qsizetype rightEnd)
    {
        const bool leftMissing = blank(begin, op);
        const bool rightMissing = blank(op + 1, rightEnd);
        if (!leftMissing && !rightMissing)
            return;
        m_notices.append(Notice{MessageIcon::Exclamation, kMissingOperandTitle,
                                kMissingOperandLead + (leftMissing ? kEmptyOperand : shownLeft(begin, op)) +
                                    m_text[op] + (rightMissing ? kEmptyOperand : shownRight(op, rightEnd)) +
                                    kMissingOperandTail});
    }

    double evaluate(qsizetype begin, qsizetype end, int nesting)
    {
        trim(begin, end);
        if (begin == end)
            return 0.0;
        const Split split = scan(begin, end);
        if (split.cls == kNone)
            return evaluateUnsplit(begin, end, nesting);

        // A chain s0 op1 s1 ... opk sk of one class. Splitting at the rightmost operator and
        // recursing into the left text would warn for opk first and then evaluate either sk
        // before the left text (^ * / + -) or the left text before sk (\ %); both orders are
        // unrolled here, with every combination still made from the left.
        const std::vector<qsizetype> &ops = split.positions;
        const std::size_t k = ops.size();
        auto segmentEnd = [&](std::size_t j) { return j < k ? ops[j] : end; };
        auto segmentBegin = [&](std::size_t j) { return j == 0 ? begin : ops[j - 1] + 1; };

        if (split.cls == kRemainder || split.cls == kIntegerDivision) {
            for (std::size_t j = k; j-- > 0;)
                warnIfOperandMissing(begin, ops[j], segmentEnd(j + 1));
            double acc = evaluate(begin, ops[0], nesting);
            for (std::size_t j = 1; j <= k; ++j) {
                const double right = evaluate(segmentBegin(j), segmentEnd(j), nesting);
                acc = combine(m_text[ops[j - 1]], acc, right, ops[j - 1]);
            }
            return acc;
        }

        std::vector<double> values(k + 1);
        for (std::size_t j = k; j >= 1; --j) {
            warnIfOperandMissing(begin, ops[j - 1], segmentEnd(j));
            values[j] = evaluate(segmentBegin(j), segmentEnd(j), nesting);
        }
        values[0] = evaluate(begin, ops[0], nesting);
        double acc = values[0];
        for (std::size_t j = 1; j <= k; ++j)
            acc = combine(m_text[ops[j - 1]], acc, values[j], ops[j - 1]);
        return acc;
    }

    // A text without a split operator: a bracketed group, a signed group, a function call or
    // a number. Leading signs are peeled in a loop; what follows them has no split operator
    // either, so it needs no new scan.
    double evaluateUnsplit(qsizetype begin, qsizetype end, int nesting)
    {
        bool negative = false;
        while (m_text[begin] == QLatin1Char('-') || m_text[begin] == QLatin1Char('+')) {
            if (m_text[begin] == QLatin1Char('-'))
                negative = !negative;
            ++begin;
            trim(begin, end);
            if (begin == end)
                return negative ? -0.0 : 0.0;
        }
        const double value = evaluateGroup(begin, end, nesting);
        return negative ? -value : value;
    }

    double evaluateGroup(qsizetype begin, qsizetype end, int nesting)
    {
        const bool closes = m_text[end - 1] == QLatin1Char(')');
        if (closes && m_text[begin] == QLatin1Char('('))
            return evaluate(begin + 1, end - 1, enter(nesting, begin));
        if (closes && end - begin > 5) {
            if (m_toHDu == 0.0f) {
                m_notices.append(Notice{MessageIcon::Information, kZeroFactorTitle, kZeroFactorNote});
                m_toHDu = 1.0f;
            }
            QString name;
            for (qsizetype i = begin; i < begin + 4; ++i) {
                const char16_t u = m_text[i].unicode();
                name += QChar(u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u);
            }
            const bool sine = name == u"sin(", cosine = name == u"cos(", tangent = name == u"tan(",
                       arcTangent = name == u"atn(";
            if (sine || cosine || tangent || arcTangent) {
                const double argument = evaluate(begin + 4, end - 1, enter(nesting, begin + 3));
                const double factor = double(m_toHDu);
                if (arcTangent)
                    return checked(std::atan(argument) / factor, begin);
                const double radians = factor * argument;
                return checked(sine     ? std::sin(radians)
                               : cosine ? std::cos(radians)
                                        : std::tan(radians),
                               begin);
            }
        }
        return leaf(begin, end);
    }

    double leaf(qsizetype begin, qsizetype end) const
    {
        const QStringView text = m_text.sliced(begin, end - begin);
        if (const std::optional<double> value = readNumberStrict(text))
            return *value;
        if (isNumberText(text))
            raise(ErrorNumber::Overflow, begin); // a number beyond the double range
        raise(ErrorValue(ErrorNumber::TypeMismatch, kSource, kNotComputable), begin);
    }

    // `bracket` is the position of the "(" that opens the level entered.
    static int enter(int nesting, qsizetype bracket)
    {
        if (nesting + 1 > kMaxNesting)
            raise(ErrorValue(ErrorNumber::OutOfStackSpace, kSource), bracket);
        return nesting + 1;
    }

    QStringView m_text;
    float &m_toHDu;
    Notices &m_notices;
    std::vector<qsizetype> m_match;
};

} // namespace

Evaluation EvaluateExpr(QStringView text, float &toHDu)
{
    Evaluation outcome;
    try {
        outcome.value = Evaluator(text, toHDu, outcome.notices).evaluate();
    } catch (Raised &raised) {
        outcome.error = std::move(raised.error);
        outcome.errorPosition = raised.position;
    }
    return outcome;
}
