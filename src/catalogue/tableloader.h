#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/partlists.h"
#include "common/notice.h"

#include <QString>
#include <QStringList>

// What a table load hands to the window: the entries of the size box in order, the entry to
// select, the loading texts for status panel 1 in the order they are shown, and the notices
// to show before the size box is filled.
struct LoadedTable
{
    QStringList sizeEntries;
    int defaultEntry = -1; // -1: no entry to select
    QStringList loadingTexts;
    Notices notices;
    QStringList dependentEntries; // the list of the record's dependent box for the default entry
};

// "正在载入 <name> 数据:<row>/<last row>"
QString loadingText(CalculationType type, int row, int lastRow);

// Chooses a type in the catalogue: sets CurrentType, SizeBoxIndex and TypeNotes and loads the
// type's table; a type with sub-types loads the one its record selects. The expression type
// only sets CurrentType and loads nothing. Whether the type is already shown is the caller's
// test.
LoadedTable selectCatalogueType(CatalogueState &state, CalculationType type);

// Loads the table of a weight type into state (subType: the CombLeiXing entry of a type with
// sub-types, ignored by the others). A type without a part table (round bar, plate) only
// fills the size box and leaves PartTable and LastRow as they were; so do the section types,
// whose rows stay in the section tables. The expression type loads nothing. A value list whose length differs
// from the size list gives a notice and loading goes on.
LoadedTable loadTable(CatalogueState &state, CalculationType type, int subType);

// The entries of a section type's dependent box (walls, leg thicknesses) for size-box entry
// `sizeEntry`; empty for a type without one or an entry outside the list.
QStringList dependentEntries(CalculationType type, int sizeEntry);

// The entry a dependent box shows after a new size is picked: the one of the value it holds,
// else the nearest (the thinner of two as near), -1 for an empty list.
int dependentEntryFor(const QStringList &entries, double value);

// Loads the given lists as the table of type: the same steps as loadTable with lists other
// than the built-in ones. Missing cells of a short value list are left empty; a size list
// longer than PartTable is cut at PartTableRows rows.
LoadedTable loadPartLists(CatalogueState &state, CalculationType type, const PartLists &lists);
