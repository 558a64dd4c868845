#include "expression/bdsjs.h"

#include "expression/evaluator.h"
#include "expression/textpreparation.h"

namespace {

const QString kNoExpressionText = QStringLiteral("无表达式!");
const QString kNoExpressionTitle = QStringLiteral("无表达式！");
const QString kNoticeTitle = QStringLiteral("注意！");
const QString kConsecutiveOperators = QStringLiteral("    检测到表达式中含有连续运算（**、*/、//、/*），\r\n"
                                                     "连续乘除运算会出错，请检查、修正。 ");
const QString kIntegerDivision = QStringLiteral("    检测到表达式中含有整除运算（\\），\r\n"
                                                "请确认是否需要整除运算（5\\2=2）。 ");
const QString kTrigNote =
    QStringLiteral("    检测到表达式中有三角函数，使用三角函数请注意以下几点：\r\n"
                   "\r\n"
                   "    ①、本程序表达式计算仅支持正弦Sin()、余弦Cos()、正切Tan() \r\n"
                   "反正切Atn()等4个三角函数，函数不分大小写，但数据须放入括号内，\r\n"
                   "即写成Sin(#)、Tan（X+Y×Z），否则会出错。\r\n"
                   "    ②、你可以在【设置】-【角度单位】中设置角度的单位，程序每次启动均默认为°。\r\n"
                   "    ③、无论选择何种角度单位，在角度值后输入°符号，程序都会 \r\n"
                   "以度为单位进行计算，即Sin(30°)=sin(π/6)=1/2。 \r\n"
                   "    ④、由于数据转换精度的原因，某些角度计算会有问题，例如Tan(90°)=82183020.0。\r\n"
                   "    ⑤、程序自动以3.1416替换π，以°替换“du”。\r\n"
                   "    ⑥、本说明程序每次运行仅显示一次。");
const QString kErrorTitle = QStringLiteral("错误！");
const QString kDegreeSign = QStringLiteral("°");
const QString kDegreeToRadian = QStringLiteral("*0.0174532925");

QString errorMessage(const ErrorValue &error)
{
    const int number = error.number();
    switch (number) {
    case ErrorNumber::DivisionByZero:
        return QStringLiteral("  错误：") + QString::number(number) + QStringLiteral("——") +
               error.description() + QStringLiteral("\r\n\r\n请检查运算符！");
    case ErrorNumber::TypeMismatch:
    case ErrorNumber::ExcessClosingBracket:
    case ErrorNumber::MissingClosingBracket:
        return QStringLiteral("  错误！") + error.description();
    default:
        return QStringLiteral("  错误：") + QString::number(number) + QStringLiteral("——") +
               error.description() +
               QStringLiteral(
                   "\r\n\r\n  这可能是由于表达式内含有非运算或函数符号引起的，\r\n\r\n请重新检查表达式！");
    }
}

// The errors that point at the typed text itself; that text is then dropped from the history.
bool blamesTheText(int number)
{
    return number == ErrorNumber::DivisionByZero || number == ErrorNumber::TypeMismatch ||
           number == ErrorNumber::ExcessClosingBracket || number == ErrorNumber::MissingClosingBracket;
}

// A position in the text evaluated, where every degree sign of `expression` was replaced by a
// text of `replacementSize` characters, as the position in `expression`.
qsizetype positionBeforeReplacement(QStringView expression, qsizetype replacementSize, qsizetype position)
{
    qsizetype replaced = 0;
    for (qsizetype i = 0; i < expression.size(); ++i) {
        const qsizetype width = expression[i] == kDegreeSign[0] ? replacementSize : 1;
        if (position < replaced + width)
            return i;
        replaced += width;
    }
    return expression.size();
}

} // namespace

ExpressionOutcome BDSJS(QString text, ExpressionState &state, AngleUnit angleUnit)
{
    ExpressionOutcome outcome;
    const PreparedText prepared = prepareTypedText(text);
    text.clear(); // the typed text is not needed any more; do not hold two copies of a long one

    if (prepared.blank) {
        outcome.notices.append(Notice{MessageIcon::Exclamation, kNoExpressionTitle, kNoExpressionText});
        return outcome;
    }

    // A pasted "=12*3=" is read as 12*3.
    QStringView expression = prepared.text;
    qsizetype leading = 0;
    while (leading < expression.size() && expression[leading] == QLatin1Char('='))
        ++leading;
    expression = expression.sliced(leading);
    if (expression.isEmpty()) {
        // Nothing but equal signs: no message, and the text stays in the history.
        outcome.error = ErrorValue(ErrorNumber::InvalidCall);
        return outcome;
    }
    while (!expression.isEmpty() && expression.endsWith(QLatin1Char('=')))
        expression.chop(1);

    // The checks below look for characters other than "=", so they give the same answer for the
    // whole prepared text as for the expression between the equal signs.
    if (prepared.consecutiveMultiplicative) {
        outcome.notices.append(Notice{MessageIcon::Critical, kNoticeTitle, kConsecutiveOperators});
        return outcome;
    }

    if (prepared.integerDivision)
        outcome.notices.append(Notice{MessageIcon::Exclamation, kNoticeTitle, kIntegerDivision});

    if (!state.TrigNoteShown && mentionsTrigonometry(expression)) {
        outcome.notices.append(Notice{MessageIcon::Information, kNoticeTitle, kTrigNote});
        state.TrigNoteShown = true;
    }

    const bool widened = prepared.degreeSign && angleUnit == AngleUnit::Radians;
    Evaluation evaluation;
    if (!prepared.degreeSign) {
        evaluation = EvaluateExpr(expression, state.ToHDu);
    } else {
        const QString withRadians =
            expression.toString().replace(kDegreeSign, widened ? kDegreeToRadian : QString());
        evaluation = EvaluateExpr(withRadians, state.ToHDu);
    }
    outcome.notices.append(evaluation.notices);
    if (evaluation.value) {
        outcome.value = evaluation.value;
        return outcome;
    }

    const ErrorValue &error = *evaluation.error;
    outcome.notices.append(Notice{MessageIcon::Critical, kErrorTitle, errorMessage(error)});
    outcome.textAtFault = blamesTheText(error.number());
    if (evaluation.errorPosition >= 0) {
        qsizetype position = evaluation.errorPosition;
        if (prepared.degreeSign)
            position = positionBeforeReplacement(expression, widened ? kDegreeToRadian.size() : 0, position);
        outcome.errorPosition = leading + position;
    }
    outcome.error = error;
    return outcome;
}
