#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/partlists.h"

#include <QString>
#include <QStringList>

class Prompts;

// What a table load hands to the window: the entries of the size box in order, the entry to
// select, and the loading texts for status panel 1 in the order they are shown.
struct LoadedTable
{
    QStringList sizeEntries;
    int defaultEntry = -1; // -1: no entry to select
    QStringList loadingTexts;
};

// "正在载入 <name> 数据:<row>/<last row>"
QString loadingText(int type, int row, int lastRow);

// Chooses part type 1..12 in the catalogue: sets CurrentType, SizeBoxIndex and TypeNotes and
// loads the type's table; the spring and bevel washers load the sub-type their layout selects.
// Type 0 only sets CurrentType and loads nothing. Whether the type is already shown is the
// caller's test.
LoadedTable selectCatalogueType(CatalogueState &state, int type, Prompts &prompts);

// Loads the table of type 1..12 into state (subType: the CombLeiXing entry of types 5 and 6,
// ignored by the others). Round bar and plate only fill the size box and leave PartTable and
// LastRow as they were; the expression type and unknown indexes load nothing. A value list
// whose length differs from the size list is reported through prompts and loading goes on.
LoadedTable loadTable(CatalogueState &state, int type, int subType, Prompts &prompts);

// Loads the given lists as the table of type (1..8, 11, 12): the same steps as loadTable with
// lists other than the built-in ones. Missing cells of a short value list are left empty; a
// size list longer than PartTable is cut at PartTableRows rows.
LoadedTable loadPartLists(CatalogueState &state, int type, const PartLists &lists, Prompts &prompts);
