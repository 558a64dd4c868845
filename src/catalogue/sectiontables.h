#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The verified steel section tables the section types are built on, one record per table
// row with all its columns. Lengths in mm, areas in cm², masses in kg/m for steel
// (density 7.85 g/cm³). Numbers keep the text the table prints (trailing zeros are printed
// digits) beside their value.

struct PrintedNumber
{
    QString text;     // as printed; empty when the cell is empty
    double value = 0; // 0 for an empty cell

    // The number of printed decimals ("3.570" has 3, "105" none).
    int decimals() const;
};

// GB/T 11263-2017 hot-rolled H section.
struct HBeamRow
{
    QString series;      // HW, HM, HN or HT
    QString designation; // nominal type, shared by several rows ("200×200")
    PrintedNumber H;     // height
    PrintedNumber B;     // flange width
    PrintedNumber t1;    // web thickness
    PrintedNumber t2;    // flange thickness
    PrintedNumber r;     // root radius
    PrintedNumber area;
    PrintedNumber mass;
    QString note; // why a printed value differs from its formula or was corrected; else empty
    QString sources;
};

// GB/T 6728-2017 cold-formed square or rectangular hollow section.
struct HollowSectionRow
{
    bool square = false;
    PrintedNumber H; // outside height, the long side of a rectangle
    PrintedNumber B; // outside width
    PrintedNumber t; // wall thickness
    PrintedNumber area;
    PrintedNumber mass;
    QString note;
    QString sources;
};

// GB/T 706 hot-rolled unequal-leg angle; area and mass as printed in the 2008 edition.
struct UnequalAngleRow
{
    QString designation; // long leg / short leg in cm ("7.5/5")
    PrintedNumber B;     // long leg
    PrintedNumber b;     // short leg
    PrintedNumber d;     // leg thickness
    PrintedNumber r;     // inner radius
    PrintedNumber area;
    PrintedNumber mass;
    PrintedNumber mass2016; // the 2016 edition's mass, for reference only
    QString note;
    QString sources;
};

enum class BarShape { Square, Hexagon, Flat };

// A size of the square and hexagon bar series.
struct BarSizeRow
{
    BarShape shape = BarShape::Square;
    PrintedNumber size; // side a of a square, across flats s of a hexagon
    PrintedNumber width;
    PrintedNumber thickness;
    PrintedNumber area;
    PrintedNumber mass;
    QString note;
    QString sources;
};

struct SectionTables
{
    QList<HBeamRow> hBeams;
    QList<HollowSectionRow> hollowSections;
    QList<UnequalAngleRow> unequalAngles;
    QList<BarSizeRow> barSizes;
};

// The tables built into the program, read from its resources on the first call.
const SectionTables &sectionTables();

class CsvTable;
// A number field of a verified table, with its printed text.
PrintedNumber printedNumber(const CsvTable &table, qsizetype row, QStringView column);
