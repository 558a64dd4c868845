#pragma once

#include "catalogue/calculationtype.h"

#include <QIcon>

// The toolbar image of a calculation type (the icon kind of its record), drawn in code so
// that it is sharp at every scale.
QIcon typeIcon(CalculationType type);
