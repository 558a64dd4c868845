#pragma once

#include "catalogue/calculationtype.h"
#include "catalogue/typetable.h"
#include "common/notice.h"

#include <QString>
#include <QStringList>

#include <array>

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
    CalculationType CurrentType = CalculationType::HexNut;
    std::array<PartRow, PartTableRows> PartTable{};
    int LastRow = 0;
    int SizeBoxIndex = 0; // which input row (0 or 1) holds the size or model list
    int PickedRow = -1;   // the section-table row the boxes of a section type pick; -1 for none
    std::array<QString, 3> TypeNotes{};
};

// The captions of all calculation types in index order, the expression calculator first.
QStringList calculationTypeCaptions();

// The name a type's table load shows in the status bar ("螺栓" for the hexagon bolt); empty
// for the expression type.
QString loadingName(CalculationType type);

// The text of the notes box: the three notes separated by two line breaks each.
QString notesText(const std::array<QString, 3> &notes);

// The notes box (information icon, title "说明") for the given notes.
Notice notesNotice(const std::array<QString, 3> &notes);
