#pragma once

#include "common/outcome.h"

#include <QStringView>

// The value of one expression text, or the error that stopped it with the position in the text
// where it was found, and the warnings raised on the way (missing operands, the zero-factor
// note) in the order they were met.
using Evaluation = Outcome<double>;

// Evaluates one prepared expression text. `toHDu` is the angle factor of the window, kept as a
// 32-bit float (the note about a zero factor sets it to 1). Never throws.
Evaluation EvaluateExpr(QStringView text, float &toHDu);
