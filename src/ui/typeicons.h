#pragma once

#include <QIcon>

// The toolbar image of calculation type `type` (0 expression, 1 to 12 the part types),
// drawn in code so that it is sharp at every scale.
QIcon typeIcon(int type);
