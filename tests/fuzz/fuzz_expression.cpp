// Feeds arbitrary text to the expression calculator: preparation and evaluation, then the
// result formatting in every precision mode. The properties checked hold for every input:
// nothing crashes or hangs, every failure is one of the error numbers the calculator
// reports, a value it returns is a finite number that every precision mode can format (the
// same as the text it would write for it), and "不处理" gives its text back unchanged.

#include "common/errorvalue.h"
#include "common/numbertext.h"
#include "expression/bdsjs.h"
#include "expression/evaluator.h"
#include "expression/jingdu.h"
#include "expression/recordinghost.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "property broken: %s\ninput: %s\n", what, qUtf8Printable(text));
    std::abort();
}

bool isEvaluationError(int number)
{
    switch (number) {
    case ErrorNumber::InvalidCall:
    case ErrorNumber::Overflow:
    case ErrorNumber::DivisionByZero:
    case ErrorNumber::TypeMismatch:
    case ErrorNumber::OutOfStackSpace:
    case ErrorNumber::ExcessClosingBracket:
    case ErrorNumber::MissingClosingBracket:
        return true;
    default:
        return false;
    }
}

// The first byte chooses the decoding of the rest and the window state; the rest is the text.
// Raw UTF-16 reaches lone surrogates and every code unit, UTF-8 keeps the seeds readable.
QString decodeText(const std::uint8_t *data, std::size_t size, std::uint8_t flags)
{
    if (flags & 0x01) {
        QString text;
        for (std::size_t i = 0; i + 1 < size; i += 2)
            text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
        return text;
    }
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

void checkFormatting(const QString &text, bool mustBeNumber)
{
    for (int index = 0; index <= 5; ++index) {
        const auto mode = static_cast<PrecisionMode>(index);
        const Outcome<QString> outcome = JingDu(text, mode);
        if (outcome.value.has_value() == outcome.error.has_value())
            fail("formatting gave both a text and an error, or neither", text);
        if (outcome.value) {
            const QString &shown = *outcome.value;
            if (mode == PrecisionMode::Unprocessed && shown != text)
                fail("mode 4 changed the text", text);
            if (mode != PrecisionMode::Unprocessed && mode != PrecisionMode::ExponentFour &&
                !isNumberText(text))
                fail("a non-number was formatted in a smart or fixed mode", text);
            if (mustBeNumber && mode != PrecisionMode::Unprocessed && shown.isEmpty())
                fail("a number was formatted as the empty text", text);
        } else {
            // A number beyond the double range overflows (6); any other text is no number (13).
            const bool outOfRange = isNumberText(text) && !readNumberStrict(text);
            if (outcome.error->number() != (outOfRange ? ErrorNumber::Overflow : ErrorNumber::TypeMismatch))
                fail("formatting raised the wrong error", text);
            if (mode == PrecisionMode::ExponentFour || mode == PrecisionMode::Unprocessed)
                fail("mode 3 or 4 failed", text);
            if (mustBeNumber)
                fail("a value of the calculator could not be formatted", text);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    const QString text = decodeText(data + 1, size - 1, flags);

    RecordingExpressionHost host;
    host.angleUnit = (flags & 0x02) ? AngleUnit::Radians : AngleUnit::Degrees;
    host.type = (flags & 0x04) ? 7 : 0;
    ExpressionState state;
    if (flags & 0x08)
        state.ToHDu = 0.0f; // the zero-factor note path

    const ExpressionOutcome outcome = host.calculate(text, state);
    if (outcome.value && outcome.error)
        fail("BDSJS gave both a value and an error", text);
    if (outcome.error) {
        // A failed evaluation ends with its error message, and the error is one of the
        // evaluator's; a text made only of "=" (blanks aside) fails with 5 and no message.
        QString rest = text;
        rest.remove(QLatin1Char(' '));
        const bool onlyEqualSigns = !rest.isEmpty() && rest.count(QLatin1Char('=')) == rest.size();
        if (!isEvaluationError(outcome.error->number()))
            fail("BDSJS failed with an unexpected error number", text);
        if (onlyEqualSigns != outcome.notices.isEmpty())
            fail("a failure came without its message, or a text of equal signs with one", text);
    } else if (!outcome.value && outcome.notices.isEmpty()) {
        fail("a refused text came without its message", text);
    }
    if (outcome.value) {
        if (!std::isfinite(*outcome.value))
            fail("BDSJS returned a value that is not finite", text);
        if (outcome.textAtFault)
            fail("a successful calculation blamed the text", text);
        checkFormatting(doubleText(*outcome.value), true);
        if (JingDu(*outcome.value, PrecisionMode::SmartLow) !=
            JingDu(doubleText(*outcome.value), PrecisionMode::SmartLow).value)
            fail("the value and its text are formatted differently", text);
    }
    if (host.removed > 1 || (host.type != 0 && host.removed != 0))
        fail("the history was changed where it must not be", text);

    // The evaluator on the text as it stands, with its own error numbers only.
    float toHDu = (flags & 0x10) ? 1.0f : 0.0174532925f;
    const Evaluation evaluation = EvaluateExpr(text, toHDu);
    if (evaluation.value.has_value() == evaluation.error.has_value())
        fail("EvaluateExpr gave both a value and an error, or neither", text);
    if (evaluation.value && !std::isfinite(*evaluation.value))
        fail("EvaluateExpr returned a value that is not finite", text);
    if (evaluation.error && !isEvaluationError(evaluation.error->number()))
        fail("EvaluateExpr raised an unexpected error number", text);
    if (evaluation.error && (evaluation.errorPosition < 0 || evaluation.errorPosition >= text.size()))
        fail("an evaluation error position lies outside the text", text);

    // Arbitrary text straight into the formatting.
    checkFormatting(text, false);
    return 0;
}
