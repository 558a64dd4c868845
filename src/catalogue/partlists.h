#pragma once

#include <QStringView>

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

// The lists of a table type: 1 to 8, 11 and 12. subType picks the series of the spring washer
// (0 light, 1 standard, 2 heavy; any other value the standard series) and the kind of the
// bevel washer (1 for channels, any other value for I-beams); other types ignore it. Round bar,
// plate and types outside the range have no table: all three views are null.
PartLists builtInPartLists(int type, int subType = 0);

// Round bar diameters, mm, that follow the fixed entries 5.5, 6, 6.5 and 7 to 36.
extern const QStringView RoundBarListedDiameters;
// Plate thicknesses, mm, in two lists loaded one after the other.
extern const QStringView PlateThicknessesToTwenty;
extern const QStringView PlateThicknessesAboveTwenty;
// Seamless pipe outer diameters, mm.
extern const QStringView PipeOuterDiameters;
