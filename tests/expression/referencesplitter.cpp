#include "referencesplitter.h"

#include "common/errorvalue.h"
#include "common/numbertext.h"
#include "platform/prompts.h"

#include <cmath>

namespace {

QString trimBlanks(const QString &text)
{
    return text.trimmed();
}

// Operands of the missing-operand warning longer than 100 characters are cut to the end next
// to the operator.
QString shownLeft(const QString &left)
{
    return left.size() > 100 ? QStringLiteral("…") + left.right(100) : left;
}

QString shownRight(const QString &right)
{
    return right.size() > 100 ? right.left(100) + QStringLiteral("…") : right;
}

long long roundToLong(double value)
{
    const double r = std::nearbyint(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw ErrorValue(6);
    return static_cast<long long>(r);
}

double requireFinite(double value)
{
    if (std::isnan(value) || std::isinf(value))
        throw ErrorValue(6);
    return value;
}

} // namespace

double referenceEvaluate(QString text, float &toHDu, Prompts &prompts)
{
    text = trimBlanks(text);
    if (text.isEmpty())
        return 0;

    int depth = 0;
    bool previousWasOperator = true;
    int bestClass = 11;
    qsizetype bestPos = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSpace())
            continue;
        if (c == '(') {
            ++depth;
            previousWasOperator = true;
        } else if (c == ')') {
            --depth;
            previousWasOperator = false;
            if (depth < 0)
                throw ErrorValue(ErrorNumber::ExcessClosingBracket, "EvaluateExpr",
                                 QStringLiteral("在表达式中有多余的 “)” ，请检查！"));
        } else if (depth == 0 && QStringLiteral("^*/\\%+-").contains(c) && !isExponentSign(text, i)) {
            int cls = 9;
            if (c == '+' || c == '-')
                cls = 4;
            else if (c == '%')
                cls = 5;
            else if (c == '\\')
                cls = 6;
            else if (c == '*' || c == '/')
                cls = 8;
            const bool candidate = cls != 4 || !previousWasOperator;
            previousWasOperator = true;
            if (candidate && cls <= bestClass) {
                bestClass = cls;
                bestPos = i;
            }
        } else {
            previousWasOperator = false;
        }
    }
    if (depth != 0)
        throw ErrorValue(ErrorNumber::MissingClosingBracket, "EvaluateExpr",
                         QStringLiteral("表达式中缺少 “)” ，请检查、补全！"));

    if (bestClass < 11) {
        const QChar op = text[bestPos];
        const QString left = trimBlanks(text.left(bestPos));
        const QString right = trimBlanks(text.mid(bestPos + 1));
        if (left.isEmpty() || right.isEmpty())
            prompts.message(
                MessageIcon::Exclamation, QStringLiteral("注意"),
                QStringLiteral("  检测到表达式计算中含有运算数据缺失的运算：") +
                    (left.isEmpty() ? QStringLiteral("□") : shownLeft(left)) + op +
                    (right.isEmpty() ? QStringLiteral("□") : shownRight(right)) +
                    QStringLiteral("\r\n\r\n这可能是由于运算符 前/后 缺失运算数据引起的，\r\n"
                                   "计算时缺失的运算数据会被认为0，这可能会导致错误的计算结果。"));
        if (op == '\\' || op == '%') {
            const double a = referenceEvaluate(left, toHDu, prompts);
            const double b = referenceEvaluate(right, toHDu, prompts);
            const long long x = roundToLong(a);
            const long long y = roundToLong(b);
            if (y == 0)
                throw ErrorValue(11);
            const long long r = op == '\\' ? x / y : x % y;
            if (r > 2147483647LL)
                throw ErrorValue(6);
            return double(r);
        }
        const double b = referenceEvaluate(right, toHDu, prompts);
        const double a = referenceEvaluate(left, toHDu, prompts);
        if (op == '^') {
            if (a < 0 && std::floor(b) != b)
                throw ErrorValue(5);
            return requireFinite(std::pow(a, b));
        }
        if (op == '*')
            return requireFinite(a * b);
        if (op == '/') {
            if (b == 0)
                throw ErrorValue(a == 0 ? 6 : 11);
            return requireFinite(a / b);
        }
        if (op == '+')
            return requireFinite(a + b);
        return requireFinite(a - b);
    }

    if (text.startsWith('(') && text.endsWith(')'))
        return referenceEvaluate(text.mid(1, text.size() - 2), toHDu, prompts);
    if (text.startsWith('-') || text.startsWith('+'))
        return readNumberPrefix(text);
    if (text.endsWith(')') && text.size() > 5) {
        if (toHDu == 0) {
            prompts.message(
                MessageIcon::Information, QStringLiteral("注意"),
                QStringLiteral(
                    "检测到角度转换参数 ToHDu=0，请为其赋值，否则默认为1。\r\n\r\n"
                    "    说明：三角函数内部是以弧度进行计算，若角度单位为度，需在计算前进行转换；\r\n"
                    "度转弧度参数ToHDu=π/180=0.0174532925，弧度=度×ToHDu；\r\n"
                    "当ToHDu=1时不进行角度转换，此时角度单位为弧度。"));
            toHDu = 1;
        }
        QString name = text.left(4);
        for (QChar &c : name)
            if (c >= 'A' && c <= 'Z')
                c = QChar(c.unicode() + 32);
        const QString argument = text.mid(4, text.size() - 5);
        if (name == "sin(")
            return requireFinite(std::sin(double(toHDu) * referenceEvaluate(argument, toHDu, prompts)));
        if (name == "cos(")
            return requireFinite(std::cos(double(toHDu) * referenceEvaluate(argument, toHDu, prompts)));
        if (name == "tan(")
            return requireFinite(std::tan(double(toHDu) * referenceEvaluate(argument, toHDu, prompts)));
        if (name == "atn(")
            return requireFinite(std::atan(referenceEvaluate(argument, toHDu, prompts)) / double(toHDu));
    }
    if (!isNumberText(text))
        throw ErrorValue(ErrorNumber::TypeMismatch, "EvaluateExpr",
                         QStringLiteral("——表达式无法进行计算！\r\n"
                                        "这可能是表达式中缺少运算符 或 含有无效的字符引起的。\r\n"
                                        "请仔细检查表达式。"));
    const double value = readNumberPrefix(text);
    if (std::isinf(value))
        throw ErrorValue(6);
    return value;
}
