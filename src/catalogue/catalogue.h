#pragma once

#include <QString>

#include <array>

// The number of calculation types: 0 is the expression calculator, 1 to 12 the part types.
inline constexpr int CalculationTypeCount = 13;
inline constexpr int PartTableRows = 39;

// One row of a loaded part table: the size or model label exactly as in its list ("M14*",
// "20a", " 9 -矿工钢") and the items of the type's first and second value list.
struct PartRow
{
    QString label;
    QString value1;
    QString value2;
};

// What a loaded weight type leaves behind for the weight computation.
struct CatalogueState
{
    int CurrentType = 3;
    std::array<PartRow, PartTableRows> PartTable{};
    int LastRow = 0;
    int SizeBoxIndex = 0; // which input row (0 or 1) holds the size or model list
    std::array<QString, 3> TypeNotes{};
};
