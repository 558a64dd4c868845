#pragma once

#include "materiallist/materiallist.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The list as text: the CSV form of the list file and of the export, and the tab-separated
// form of the clipboard. Both have the columns of the list window in its order.
namespace MaterialListCsv {

enum class Column { Number, Name, Size, Material, LengthOrArea, Quantity, UnitWeight, Weight, Note, Count };

// 序号, 名称, 规格, 材质, 长度/面积, 数量, 单重, 重量(kg), 备注
const QStringList &columnTitles();

// The text of one cell as the window and the CSV show it. The unit weight carries its unit
// ("14.223 kg/m"): the unit differs from row to row, and without it neither a reader nor the
// program reading the file back could tell what a length edited later does to the weight.
QString cellText(const MaterialList &list, int row, Column column);

// The CSV file: UTF-8 with a byte-order mark (so that spreadsheets show the Chinese), one
// title line, one line per row, CRLF between records; cells quoted as RFC 4180 says when
// they hold a comma, a quote, a line break or blanks at an end.
QByteArray write(const MaterialList &list);

struct ReadRow
{
    CalculatorLine line;
    QString note;
};

struct ReadResult
{
    QList<ReadRow> rows;
    QList<int> unreadableLines; // the file's line numbers (from 1) of records that were left out
};

// Reads a CSV file as a spreadsheet may have saved it: UTF-8 with or without a byte-order
// mark, else GB18030; CRLF, LF or CR line ends; columns found by their titles (in any order)
// or, without a title line, in the order above. Blank records and a "合计" line are skipped;
// every other record that does not give a usable row is listed as unreadable. The 序号 and
// 重量(kg) cells are not read (they follow from the row's place and its other cells), except
// that a unit weight typed without its unit takes the basis that best explains the weight.
ReadResult read(const QByteArray &bytes);

// The clipboard text for a spreadsheet: the titles, one line per row, a last line starting
// with "合计" that holds the total kg in the 重量(kg) column. Cells separated by tabs, lines
// by LF; numbers carry no units so that the spreadsheet can sum them. A cell holding a tab,
// a line break or a quote is quoted as spreadsheets do.
QString clipboardText(const MaterialList &list);

} // namespace MaterialListCsv
