#pragma once

#include <QString>

// What a unit weight is per: one piece (bolts, nuts, washers), one metre of length (bars and
// sections) or one square metre of area (plate). A row's weight follows from it:
//   per piece:        unit weight × quantity (a bolt's length is already inside its unit weight)
//   per metre:        unit weight × length (mm) / 1000 × quantity
//   per square metre: unit weight × area (mm²) / 1000000 × quantity
enum class UnitBasis { PerPiece, PerMetre, PerSquareMetre };

// The line the weight calculator shows, as the weight panel hands it to the material list.
struct CalculatorLine
{
    QString typeCaption; // 名称: the caption of the calculation type, e.g. "工字钢"
    QString sizeText;    // 规格 as the calculator shows it, e.g. "Ⅰ12.6", "50×5", "φ16", "M24"
    QString material;    // 材质 as the user knows it, e.g. "钢", "铜", "自定义 8.5"
    // Length in mm (bars, sections, bolts) or area in mm² (plate); 0 for a part that has
    // neither (nut, washer).
    double lengthOrArea = 0;
    double quantity = 1;
    // The unit weight in kg per `basis`, the value the computation multiplied with (not its
    // rounded display text); unitWeightOfSingle() turns the calculator's single into it.
    double unitWeight = 0;
    UnitBasis basis = UnitBasis::PerPiece;

    bool operator==(const CalculatorLine &) const = default;
};

// The calculator keeps its unit weight as a single; as a double it would carry the single's
// binary tail (2.466156f is 2.46615600585938). This is the double of its shortest text.
double unitWeightOfSingle(float unitWeight);
