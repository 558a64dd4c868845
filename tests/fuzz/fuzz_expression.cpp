// Feeds arbitrary text to the expression calculator: preparation and evaluation, then the
// result formatting in every precision mode. The properties checked hold for every input:
// nothing crashes or hangs, every failure is one of the error numbers the calculator
// reports, a value it returns is a number text that every precision mode can format, and
// "不处理" gives its text back unchanged.

#include "expression/bdsjs.h"
#include "expression/errorvalue.h"
#include "expression/evaluator.h"
#include "expression/jingdu.h"
#include "expression/numbertext.h"
#include "expression/recordinghost.h"
#include "platform/recordingprompts.h"

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
    for (int mode = 0; mode <= 5; ++mode) {
        try {
            const QString shown = JingDu(text, mode);
            if (mode == Unprocessed && shown != text)
                fail("mode 4 changed the text", text);
            if (mode != Unprocessed && mode != ExponentFour && !isNumberText(text))
                fail("a non-number was formatted in a smart or fixed mode", text);
            if (mustBeNumber && mode != Unprocessed && shown.isEmpty())
                fail("a number was formatted as the empty text", text);
        } catch (const ErrorValue &error) {
            // A number beyond the double range overflows (6); any other text is no number (13).
            const bool outOfRange = isNumberText(text) && !readNumberStrict(text);
            if (error.number() != (outOfRange ? ErrorNumber::Overflow : ErrorNumber::TypeMismatch))
                fail("formatting raised the wrong error", text);
            if (mode == ExponentFour || mode == Unprocessed)
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
    host.radians = (flags & 0x02) != 0;
    host.type = (flags & 0x04) ? 7 : 0;
    ExpressionState state;
    if (flags & 0x08)
        state.ToHDu = 0.0f; // the zero-factor note path
    RecordingPrompts prompts;

    QString value;
    try {
        value = BDSJS(text, state, host, prompts);
    } catch (const ErrorValue &error) {
        // Only a text made only of "=" (blanks aside) leaves the calculator with an error.
        QString rest = text;
        rest.remove(QLatin1Char(' '));
        if (error.number() != ErrorNumber::InvalidCall || rest.isEmpty() ||
            rest.count(QLatin1Char('=')) != rest.size())
            fail("BDSJS let an error through", text);
        return 0;
    }
    if (!value.isEmpty()) {
        const std::optional<double> number = readNumberStrict(value);
        if (!number || !std::isfinite(*number))
            fail("BDSJS returned a text that is not a finite number", text);
        if (doubleText(*number) != value)
            fail("BDSJS returned a number text that does not write back the same", text);
        if (host.removed != 0)
            fail("a successful calculation removed a history entry", text);
        checkFormatting(value, true);
    }
    if (host.removed > 1 || (host.type != 0 && host.removed != 0))
        fail("the history was changed where it must not be", text);

    // The evaluator on the text as it stands, with its own error numbers only.
    float toHDu = (flags & 0x10) ? 1.0f : 0.0174532925f;
    try {
        const double result = EvaluateExpr(text, toHDu, prompts);
        if (!std::isfinite(result))
            fail("EvaluateExpr returned a value that is not finite", text);
    } catch (const ErrorValue &error) {
        if (!isEvaluationError(error.number()))
            fail("EvaluateExpr raised an unexpected error number", text);
    }

    // Arbitrary text straight into the formatting.
    checkFormatting(text, false);
    return 0;
}
