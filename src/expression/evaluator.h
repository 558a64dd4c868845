#pragma once

#include <QStringView>

class Prompts;

// Evaluates one prepared expression text. `toHDu` is the angle factor of the window, kept
// as a 32-bit float (the note about a zero factor sets it to 1). Shows the missing-operand
// warning and the zero-factor note through `prompts`. Throws ErrorValue on failure.
double EvaluateExpr(QStringView text, float &toHDu, Prompts &prompts);
