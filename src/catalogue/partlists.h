#pragma once

#include <QStringView>

#include <array>

// The built-in lists of the part tables. Each list is one text with ";" between its items;
// item r of every list of a table belongs to row r. Items keep any blank around them and a
// size label keeps its trailing "*" (a size the user is advised to avoid). Weights are for
// steel: fastener masses in g (anchor bolts in kg and kg/m), rolled-steel unit weights in kg/m.

// The lists of one table: the size (or model) list and the lists that go into column 1 and
// column 2 of PartTable. A null view marks a column the table does not fill.
struct PartLists
{
    QStringView sizes;
    QStringView column1;
    QStringView column2;
};

// The number of items of a ";"-separated list (an empty text is one empty item).
constexpr int listItemCount(QStringView list)
{
    int count = 1;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i] == u';')
            ++count;
    }
    return count;
}

// The size box of a type without a part table: the quiet entries go in without a loading
// text, then each loaded list with its own loading texts. A null view is no list.
struct SizeEntryLists
{
    QStringView quiet;
    std::array<QStringView, 2> loaded;
};

// The built-in tables. A spring washer series or a bevel washer kind is a table of its own.
extern const PartLists AnchorBoltTable;
extern const PartLists HexBoltTable;
extern const PartLists HexNutTable;
extern const PartLists WasherTable;
extern const PartLists SpringWasherLightTable;
extern const PartLists SpringWasherStandardTable;
extern const PartLists SpringWasherHeavyTable;
extern const PartLists BevelWasherIBeamTable;
extern const PartLists BevelWasherChannelTable;
extern const PartLists IBeamTable;
extern const PartLists ChannelTable;
extern const PartLists AngleTable;
extern const PartLists PipeTable;

// Round bar diameters and plate thicknesses, mm.
extern const SizeEntryLists RoundBarSizeEntries;
extern const SizeEntryLists PlateSizeEntries;
