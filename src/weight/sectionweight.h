#pragma once

#include "catalogue/sectiontypes.h"

#include <QString>
#include <QStringList>

#include <optional>

// The unit weight of a section type for one pick, in kg/m scaled by the material factor.
struct SectionUnitWeight
{
    float unrounded = 0.0f; // the single the piece weight is computed from
    float value = 0.0f;     // what UnitWeight holds after the run
    QString text;           // the unit weight as the caption shows it
};

// A table row (H-beam, hollow section, unequal angle): the printed mass times the factor,
// never rounded. For steel the text is the mass exactly as printed ("3.570"); for another
// material it is the text of the single product, as for the I-beam. Nothing for a row
// outside the table or a product beyond the single range.
std::optional<SectionUnitWeight> tableUnitWeight(SectionType type, int row, float densityFactor);

// The steel mass in kg/m of a formula type from its dimensions in mm: flat bar b·t·7.85/1000
// (first the width, second the thickness), square bar a²·7.85/1000 and hexagon bar
// 0.866·s²·7.85/1000 (first the side or the across-flats size, second unused); 0 for a table type.
double formulaSteelMass(SectionType type, double first, double second = 0);

// A formula type's unit weight: the steel mass times the factor, stored as a single and then,
// as for round bar, replaced by the value of its 3- or 4-decimal text; the piece weight is
// taken from the single before that rounding. Nothing when the product is not finite or lies
// beyond the single range.
std::optional<SectionUnitWeight> formulaUnitWeight(SectionType type, double first, double second,
                                                   float densityFactor);

// The size text of a formula type shown after "※ 规格: ": "50×5" (flat), "20×20" (square),
// "S20" (hexagon, across flats).
QString formulaSizeText(SectionType type, double first, double second = 0);

// The caption of the unit-weight label: "※ 单重: U kg/m；P kg/根", "※ 规格: <size>" and the
// type's standard line.
QStringList sectionCaptionLines(SectionType type, const SectionUnitWeight &unitWeight,
                                const QString &pieceText, const QString &sizeText);
