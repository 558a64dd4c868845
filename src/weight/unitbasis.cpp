#include "weight/unitbasis.h"

#include "catalogue/typetable.h"

std::optional<UnitBasis> unitBasisOf(WeightRule rule)
{
    switch (rule) {
    case WeightRule::None:
        return std::nullopt;
    case WeightRule::AnchorBolt:
    case WeightRule::HexBolt:
    case WeightRule::PiecePart:
        return UnitBasis::PerPiece;
    case WeightRule::Beam:
    case WeightRule::RoundBar:
    case WeightRule::Angle:
    case WeightRule::Pipe:
    case WeightRule::SectionTable:
    case WeightRule::SectionFormula:
        return UnitBasis::PerMetre;
    case WeightRule::Plate:
        return UnitBasis::PerSquareMetre;
    }
    return std::nullopt;
}

std::optional<UnitBasis> unitBasisOfPart(QStringView typeCaption)
{
    const QStringView name = typeCaption.trimmed();
    for (const CalculationTypeRecord &record : TypeRecords)
        if (record.caption == name)
            return unitBasisOf(record.weightRule);
    return std::nullopt;
}
