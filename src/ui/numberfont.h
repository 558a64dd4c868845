#pragma once

#include <QFont>

// The font of the expression and result boxes: Arial, or a font with its metrics. A family that
// is not installed is never named, because asking for one makes the font matcher rank every
// installed font, which took a sixth of the start-up time; the desktop's sans font stands in
// then. Characters the chosen face lacks (Chinese in an expression) still fall back to a font
// that has them.
QFont numberFont();
