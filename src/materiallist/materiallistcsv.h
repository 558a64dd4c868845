#pragma once

#include "materiallist/materiallist.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The list as text: the CSV form of the list file and of the export, and the tab-separated
// form of the clipboard. Both have the columns of the list window in its order, with the
// list's extra columns where the file had them. Every number column holds a plain number, so
// that a spreadsheet can compute with it; the unit of 单重 stands in a column of its own.
namespace MaterialListCsv {

enum class Column {
    Number,
    Name,
    Size,
    Material,
    LengthOrArea,
    Quantity,
    UnitWeight,
    Unit,
    Weight,
    Note,
    Count
};

// 序号, 名称, 规格, 材质, 长度/面积, 数量, 单重, 单位, 重量(kg), 备注
const QStringList &columnTitles();

// The text of one cell as the CSV holds it. 单重 is the unit weight the row computes with,
// in full (at least three decimals); 单位 says what it is per ("kg/m"): the unit differs from
// row to row, and without it nobody could tell what a length edited later does to the weight.
QString cellText(const MaterialList &list, int row, Column column);

// The CSV file: UTF-8 with a byte-order mark (so that spreadsheets show the Chinese), one
// title line, one line per row, CRLF between records; cells quoted as RFC 4180 says when
// they hold a comma, a quote, a line break or blanks at an end. A text cell that a
// spreadsheet would take for a formula, a number or a date (=1+2, -5, @x, 3/4) is written as
// ="…", which the spreadsheet shows as that very text, and read back without the wrapper.
QByteArray write(const MaterialList &list);

struct ReadRow
{
    CalculatorLine line;
    QString note;
    QStringList extraCells;
};

struct ReadResult
{
    QList<ReadRow> rows;
    QList<ExtraColumn> extraColumns; // columns with titles the program does not know
    QList<int> unreadableLines;      // the file's line numbers (from 1) of records that were left out
    // The bytes are neither clean UTF-8 nor clean GB18030: the text was read with
    // replacement characters, and the original must be kept aside before it is rewritten.
    bool undecodable = false;
};

// Reads a CSV file as a spreadsheet may have saved it: UTF-8 with or without a byte-order
// mark, else GB18030, each decoded strictly; CRLF, LF or CR line ends; columns found by their
// titles (in any order; other titles are kept as extra columns) or, without a title line, in
// the order above (the order before 单位 had a column when a record has nine cells). Blank
// records and a "合计" line are skipped; every other record that does not give a usable row is
// listed as unreadable. The 序号 and 重量(kg) cells are not read (they follow from the row's
// place and its other cells). The unit may also stand in the 单重 cell ("14.223 kg/m", as
// earlier versions wrote it). Without a unit, the basis is that of the part named in 名称
// (角钢 per metre, 钢板 per m², a bolt per piece); for a name of no type, the basis whose
// weight comes nearest to the 重量(kg) cell, unless two bases give the same weight.
ReadResult read(const QByteArray &bytes);

// The clipboard text for a spreadsheet: the titles, one line per row, a last line starting
// with "合计" that holds the total kg in the 重量(kg) column. Cells separated by tabs, lines
// by LF; numbers carry no units so that the spreadsheet can sum them. A cell holding a tab,
// a line break or a quote is quoted as spreadsheets do; text cells are guarded as in the CSV.
QString clipboardText(const MaterialList &list);

} // namespace MaterialListCsv
