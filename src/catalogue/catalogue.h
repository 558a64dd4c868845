#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

class Prompts;

// The number of calculation types: 0 is the expression calculator, 1 to 12 the part types.
inline constexpr int CalculationTypeCount = 13;
inline constexpr int PartTableRows = 39;

// The captions of the calculation types in index order, joined by the full-width "；".
inline constexpr QStringView CalculationTypeList =
    u"表达式；地脚螺栓；六角螺栓；六角螺母；垫圈；弹簧垫圈；方斜垫；工字钢；槽钢；圆钢；钢板；角钢；钢管";

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

// The 13 captions of CalculationTypeList, index 0 being the expression calculator.
QStringList calculationTypeCaptions();

// The name a type's table load shows in the status bar ("螺栓" for the hexagon bolt); empty
// for the expression type and for indexes outside 0..12.
QString loadingName(int type);

// The text of the notes box: the three notes separated by two line breaks each.
QString notesText(const std::array<QString, 3> &notes);

// Shows the notes box (information icon, title "说明") for the given notes.
void showNotes(const std::array<QString, 3> &notes, Prompts &prompts);
