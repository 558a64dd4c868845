#pragma once

#include "catalogue/calculationtype.h"
#include "catalogue/partlists.h"
#include "catalogue/sectiontypes.h"

#include <QStringView>

#include <array>
#include <optional>
#include <span>

// The picture a type's toolbar button and menu item show.
enum class TypeIconKind {
    Expression,
    AnchorBolt,
    HexBolt,
    Nut,
    Washer,
    SpringWasher,
    BevelWasher,
    IBeam,
    Channel,
    RoundBar,
    Plate,
    Angle,
    Pipe,
    HBeam,
    HollowSection,
    UnequalAngle,
    FlatBar,
    SquareBar,
    HexagonBar,
    Fit,
    Thread,
};

// How the weight computation turns the inputs into a unit weight and a total. Several types
// share a rule; the record supplies the standard lines it shows.
enum class WeightRule {
    None,           // the expression calculator
    AnchorBolt,     // fixed mass + mass per metre, reserved hole
    HexBolt,        // head mass + mass per mm, rounded by the precision mode
    PiecePart,      // mass per piece in g
    Beam,           // kg/m from the table, piece weight per length
    RoundBar,       // diameter formula, piece weight per length
    Plate,          // thickness formula, piece weight per area
    Angle,          // leg formula with the fillet radius from the table
    Pipe,           // wall formula
    SectionTable,   // kg/m as printed in a section table, piece weight per length
    SectionFormula, // kg/m from the typed section dimensions, rounded like round bar
};

// The types that look a value up in a table of the standard instead of weighing a part; they
// have their own panel and no weight rule.
enum class LookupKind {
    None,
    Fit,    // limits and fits of a hole and a shaft class at a size
    Thread, // basic dimensions and tap drill of a metric thread
};

// How a table load reports value lists whose length differs from the size list.
enum class LengthCheck {
    None,      // no value list is checked
    OneForAll, // one message however many lists differ
    PerList,   // one message for each list that differs
    Column1,   // column 1 checked; the message names both last indexes
    Column2,   // column 2 checked; the message names both last indexes
};

// Input row k: label LabSM(k) and box CombSR(k). A null caption keeps the row hidden.
struct InputRow
{
    QStringView caption;
    QStringView defaultText; // put into the box by a type switch (not for the size box)
    bool takesStar = false;  // "*" may be typed: an area or length product
};

// An entry of CombLeiXing: a series or kind with its own table and standard line.
struct SubTypeRecord
{
    QStringView caption;
    const PartLists *table;
    QStringView standardLine;
};

// How a section type reaches its data. Section types keep their rows in the section tables
// (hundreds of rows, beyond PartTable) and the catalogue state keeps the row the boxes pick.
struct SectionWiring
{
    std::optional<SectionType> type; // the section table or formula behind the type; none for the part types
    int dependentBox = -1; // input row whose list depends on the picked size (walls, leg thicknesses)
    QStringView missingRow; // what a value of that row that the picked size lacks shows ("此规格无此壁厚")
    bool typedSizeBox = false; // CombSR(0) takes a typed number instead of a pick (the flat bar's width)
};

// Everything the program knows about one calculation type apart from its weight rule's
// arithmetic and its icon's drawing.
struct CalculationTypeRecord
{
    CalculationType type;
    QStringView caption;     // type list, menu item, window title
    QStringView loadingName; // "正在载入 <name> 数据:…"
    TypeIconKind icon;
    WeightRule weightRule;
    const PartLists *table;        // lists loaded into PartTable; null when none (or per sub-type)
    const SizeEntryLists *entries; // size-box lists of a type without a part table
    LengthCheck lengthCheck;
    QStringView entryPrefix; // put before every size-box entry ("Ⅰ20a")
    int sizeBoxIndex;        // input row holding the size or model list
    std::array<InputRow, 4> rows;
    QStringView sizeBoxToolTip;
    QStringView unitWeightToolTip; // tooltip of LabDanZhong: the format of the size text
    int defaultEntry;              // size-box entry selected after loading; -1: by text
    QStringView defaultEntryText;
    std::span<const SubTypeRecord> subTypes;
    int selectedSubType; // also the series loaded for an out-of-range sub-type
    std::array<QStringView, 3> notes;
    // The standard lines of the caption; with sub-types, the line shown when none is selected.
    std::array<QStringView, 2> standardLines;
    SectionWiring section;
    LookupKind lookup = LookupKind::None;
};

constexpr bool isLookup(const CalculationTypeRecord &record)
{
    return record.lookup != LookupKind::None;
}
