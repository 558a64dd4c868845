#pragma once

#include "catalogue/sectiontypes.h"

#include <QString>
#include <QStringList>

#include <optional>

// The unit weight of a section type for one pick, in kg/m scaled by the material factor. The
// section types compute in double from the dimensions to the total, so the unit weight shown,
// the piece weight and the total are one value (a single would show 1.9625 as 1.963 beside a
// piece weight of 1.962).
struct SectionUnitWeight
{
    double unrounded = 0; // the value the piece weight is computed from
    double value = 0;     // the unit weight as shown
    QString text;         // the unit weight as the caption shows it
};

// A table row (H-beam, hollow section, unequal angle): the printed mass times the factor,
// never rounded. For steel the text is the mass exactly as printed ("3.570"); for another
// material it is the product with 7 significant digits, as the I-beam shows its unit weight.
// Nothing for a row outside the table or a product beyond the single range the window keeps
// its unit weight in.
std::optional<SectionUnitWeight> tableUnitWeight(SectionType type, int row, double densityFactor);

// The steel mass in kg/m of a formula type from its dimensions in mm: flat bar b·t·7.85/1000
// (first the width, second the thickness), square bar a²·7.85/1000 and hexagon bar
// 0.866·s²·7.85/1000 (first the side or the across-flats size, second unused); 0 for a table type.
double formulaSteelMass(SectionType type, double first, double second = 0);

// A formula type's unit weight: the steel mass times the factor, shown, as for round bar, in
// 3 or 4 decimals (rounded half away from zero on its 15-digit value); the piece weight is
// taken from the value before that rounding. Nothing when the product is not finite or lies
// beyond the single range.
std::optional<SectionUnitWeight> formulaUnitWeight(SectionType type, double first, double second,
                                                   double densityFactor);

// The size text of a formula type shown after "※ 规格: ": "50×5" (flat), "20×20" (square),
// "S20" (hexagon, across flats).
QString formulaSizeText(SectionType type, double first, double second = 0);

// The caption of the unit-weight label: "※ 单重: U kg/m；P kg/根", "※ 规格: <size>" and the
// type's standard line.
QStringList sectionCaptionLines(SectionType type, const SectionUnitWeight &unitWeight,
                                const QString &pieceText, const QString &sizeText);
