#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The section types beyond the twelve part types: three read their unit weight from a
// verified table (H-beam, hollow section, unequal angle), three compute it from the typed
// dimensions (flat, square and hexagon bar). This file holds what a calculation-type record
// shows for them: captions, box entries, defaults, standard line and notes.
enum class SectionType { HBeam, HollowSection, UnequalAngle, FlatBar, SquareBar, HexagonBar };

inline constexpr std::array<SectionType, 6> AllSectionTypes = {
    SectionType::HBeam,   SectionType::HollowSection, SectionType::UnequalAngle,
    SectionType::FlatBar, SectionType::SquareBar,     SectionType::HexagonBar};

// What the weight lines and the notes box say of a section type. Captions, boxes, defaults and
// tooltips are the type's record (catalogue/typetable.h).
struct SectionTypeFacts
{
    QString standard;     // "GB/T 11263-2017"
    QString standardLine; // "※ 标准: GB/T 11263-2017"
    std::array<QString, 3> notes;
};

const SectionTypeFacts &sectionTypeFacts(SectionType type);

// The entries of the first list box: H-beams "HW200×200×8×12" (HW, HM, HN, HT in turn),
// hollow-section sizes "50×50", unequal-angle models "7.5/5", square and hexagon bar sizes.
// The flat bar has no list.
QStringList sectionSizeEntries(SectionType type);

// The entries of the second list box for the size entry picked in the first: the walls of a
// hollow section, the leg thicknesses of an unequal angle; empty for the other types and for
// an entry outside the list.
QStringList sectionSecondEntries(SectionType type, int sizeEntry);

// The table row picked by the list boxes: an H-beam by its entry; a hollow section by its
// size entry and wall, an unequal angle by its model entry and leg thickness (mm, compared
// as numbers, so a typed "3.0" finds the 3 mm wall). Nothing when no row matches or the
// type has no table.
std::optional<int> sectionRow(SectionType type, int sizeEntry, double secondValue = 0);

// The unit weight of a table row as printed, kg/m for steel; nothing for a row outside the
// table or a type without one.
std::optional<double> printedUnitWeight(SectionType type, int row);
QString printedUnitWeightText(SectionType type, int row);

// The size text of a table row shown after "※ 规格: " ("200×200×8×12×13").
QString sectionSizeText(SectionType type, int row);

// The notes box of a type. For a table row whose printed area or mass differs from the
// section formula, note 3 says so with both values; row -1 gives the type's own notes.
std::array<QString, 3> sectionNotes(SectionType type, int row = -1);
