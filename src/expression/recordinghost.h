#pragma once

#include "expression/bdsjs.h"

// The expression window's side of a calculation, for tests, fuzzing and benchmarks: the angle
// unit and the calculation type are plain fields. calculate() runs BDSJS and takes its outcome
// as the window does: it keeps the notices the window would show, in order, and counts the
// history entries the window would drop (only the expression calculator, type 0, keeps one).
class RecordingExpressionHost
{
public:
    AngleUnit angleUnit = AngleUnit::Degrees;
    int type = 0;
    int removed = 0;
    Notices shown;

    ExpressionOutcome calculate(const QString &text, ExpressionState &state)
    {
        ExpressionOutcome outcome = BDSJS(text, state, angleUnit);
        shown += outcome.notices;
        if (outcome.textAtFault && type == 0)
            ++removed;
        return outcome;
    }
};
