#pragma once

#include "catalogue/sectiontables.h"

// The section formulas the printed tables are checked against. Areas in mm², masses in kg/m
// for steel, density 7.85 g/cm³. The arithmetic follows the order of the tables' own check
// so that a value on a rounding edge is judged the same way.

inline constexpr double SteelDensity = 7.85; // g/cm³

// A = t1(H − 2t2) + 2B·t2 + 0.858r²
double hBeamArea(const HBeamRow &row);

// Outer corner radius of a hollow section by its wall: 2t up to 6 mm, 2.5t up to 10 mm, 3t above.
double hollowCornerRadius(double wall);

// A = 2t(H + B − 2t) − (4 − π)(R² − r²), R the outer corner radius and r = R − t.
double hollowSectionArea(const HollowSectionRow &row);

// A = d(B + b − d) + 0.215(r² − 2r1²) with the toe radius r1 = d/3.
double unequalAngleArea(const UnequalAngleRow &row);

// a² for a square, (√3/2)s² for a hexagon, b·t for a flat bar.
double barArea(const BarSizeRow &row);

// A [mm²] → kg/m.
double massPerMetre(double areaMm2);

// A [mm²] → cm².
double areaCm2(double areaMm2);

// How a printed value relates to its formula value at the printed number of decimals. The
// source tables both round half up and truncate, so either counts as a match.
enum class PrintedMatch { Rounded, Truncated, Differs };
PrintedMatch printedMatch(const PrintedNumber &printed, double formulaValue);
