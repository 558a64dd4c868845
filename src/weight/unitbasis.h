#pragma once

#include "catalogue/typerecord.h"
#include "common/calculatorline.h"

#include <QStringView>

#include <optional>

// What the unit weight of a weight rule is per; std::nullopt for the expression calculator.
std::optional<UnitBasis> unitBasisOf(WeightRule rule);

// What the unit weight of the part named by a type caption ("角钢", "钢板", "六角螺栓") is per,
// as the weight calculator puts it on a list line; std::nullopt for a name of no type.
std::optional<UnitBasis> unitBasisOfPart(QStringView typeCaption);
