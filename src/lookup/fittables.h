#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// The verified ISO 286-1 / GB/T 1800.1 tables, one record per printed cell. Values are kept
// as whole hundredths of a micrometre, so that every printed value (IT01 = 0.3 µm) and every
// half of one (js = ±IT/2) is exact and sums never round.
using Hundredths = qint64; // 0.01 µm
inline constexpr Hundredths HundredthsPerMm = 100000;

// "Over `over` up to and including `upto`" mm; the first step is 0-3 mm.
struct SizeStep
{
    int over = 0;
    int upto = 0;

    bool holds(Hundredths size) const
    {
        return size > over * HundredthsPerMm && size <= upto * HundredthsPerMm;
    }
};

// The standard-tolerance grades IT01, IT0, IT1 … IT18 as numbers: IT01 is -1.
inline constexpr int GradeIT01 = -1;

struct StandardToleranceRow
{
    SizeStep step;
    int grade = 0;
    Hundredths value = 0;
    QString note;
};

// A fundamental deviation of a shaft (es for a…h, ei for j…zc) or a hole (EI for A…H, ES
// for J…ZC). `grades` says for which grades the cell holds ("all", "5-6", "<=8", ">7",
// "<=3,>=8"); `plusDelta` that Δ of the grade is added to the printed value.
struct DeviationRow
{
    SizeStep step;
    QString letter;
    QString grades;
    QString deviation;
    Hundredths value = 0;
    bool plusDelta = false;
    QString note;

    // The note marks the cell as confirmed by one transcription only: it is not offered.
    bool provisional() const;
};

struct DeltaRow
{
    SizeStep step;
    int grade = 0;
    Hundredths value = 0;
    QString note;
};

// A fit of the standard's hole-basis and shaft-basis figures.
struct FitRow
{
    QString system; // hole-basis or shaft-basis
    QString hole;   // H7
    QString shaft;  // g6
    QString kind;   // clearance, transition or interference
    bool preferred = false;
    QString note;
};

struct PreferredClassRow
{
    bool hole = false;
    QString toleranceClass; // H7, g6
    bool inPreferredFits = false;
    QString note;
};

struct FitTables
{
    QList<StandardToleranceRow> tolerances;
    QList<DeviationRow> shafts;
    QList<DeviationRow> holes;
    QList<DeltaRow> deltas;
    QList<FitRow> fits;
    QList<PreferredClassRow> classes;
};

// The tables built into the program, read from its resources on the first call.
const FitTables &fitTables();

// "0.3" → 30, "-270" → -27000: a decimal text scaled by 10^`scale` (2 for micrometres, 5 for
// millimetres); none when it is no plain decimal number or has more decimals than `scale`.
std::optional<Hundredths> scaledNumber(QStringView text, int scale);
// A micrometre cell of the tables; 0 for a text that is no such number.
Hundredths hundredthsOf(QStringView micrometres);
// "IT01" → -1, "IT7" → 7; -2 for a text that names no grade.
int gradeNumber(QStringView text);
// Whether a cell's grade set ("all", "5-6", "7", "<=8", ">8", "<=3,>=8") holds `grade`.
bool gradesInclude(QStringView grades, int grade);
