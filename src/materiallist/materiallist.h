#pragma once

#include "common/calculatorline.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One row of the list: a calculator line, its note, and its weight in whole grams. Weights are
// kept in grams so that the list's totals are exact sums of the weights it shows (three
// decimals of a kilogram), as a spreadsheet summing the copied column gets them.
struct MaterialRow
{
    CalculatorLine line;
    QString note; // 备注
    qint64 grams = 0;
    QStringList extraCells; // the cells of the list's extra columns, in their order

    bool operator==(const MaterialRow &) const = default;
};

// A column of the list file that the program does not know (供应商, 单价, …). It is kept, with
// its cells, through every rewrite of the file, after the known column it followed.
struct ExtraColumn
{
    QString title;
    int after = -1; // the known column (MaterialListCsv::Column) it follows; -1 before all

    bool operator==(const ExtraColumn &) const = default;
};

struct MaterialTotal
{
    QString material;
    qint64 grams = 0;

    bool operator==(const MaterialTotal &) const = default;
};

struct MaterialTotals
{
    qint64 grams = 0;
    QList<MaterialTotal> perMaterial; // in the order each material first appears in the list
};

// The material list: rows added from the weight calculator, edited, deleted and totalled.
class MaterialList
{
public:
    struct Added
    {
        int row = -1;        // the row that holds the line; -1 when the line was refused
        bool merged = false; // the line's quantity went into an equal row
    };

    // Adds a calculator line. A line equal to a row in type, size, material, length or area,
    // and unit weight with its basis adds its quantity to that row. (The unit weight is part
    // of the test: a bolt computed under a coarser precision has another unit weight, and
    // merging would silently weigh the new pieces with the old one.) A line that is not
    // usable (see lineProblem) is refused.
    Added add(const CalculatorLine &line);

    // The row that add() would merge `line` into, or -1 when it would append a row.
    int mergeTarget(const CalculatorLine &line) const;

    // Appends a row as it stands (a row read from the list file), without merging. False
    // when the line is not usable.
    bool append(const CalculatorLine &line, const QString &note, const QStringList &extraCells = {});

    // Why a line cannot be a row, or std::nullopt when it can.
    static std::optional<QString> lineProblem(const CalculatorLine &line);

    // Edits of one row; each returns std::nullopt when done, else why the text was refused
    // (the row is then unchanged). The weight follows the edit.
    std::optional<QString> setQuantity(int row, const QString &text);
    std::optional<QString> setLengthOrArea(int row, const QString &text);
    void setNote(int row, const QString &note);

    // The length of a row whose unit weight is per piece is part of that unit weight (a
    // bolt's weight grows with its length by its table): the list cannot recompute it.
    bool lengthEditable(int row) const;

    // Removes the given rows (indexes into the current list, any order, repeats ignored).
    void removeRows(const QList<int> &rows);
    // Empties the list; its extra columns stay.
    void clear() { m_rows.clear(); }
    void reserve(qsizetype rows) { m_rows.reserve(rows); }

    int size() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const MaterialRow &row(int index) const { return m_rows.at(index); }
    const QList<MaterialRow> &rows() const { return m_rows; }

    MaterialTotals totals() const;

    const QList<ExtraColumn> &extraColumns() const { return m_extraColumns; }
    void setExtraColumns(QList<ExtraColumn> columns) { m_extraColumns = std::move(columns); }

    // The weight of a line in grams, rounded half away from zero; std::nullopt when it is not
    // a finite number of at most a million tonnes.
    static std::optional<qint64> gramsOf(const CalculatorLine &line);

    // Status text after adding a line: "已加入清单：工字钢 Ⅰ12.6 钢 6000 × 2".
    static QString addedText(const CalculatorLine &line);

private:
    // Puts an edited line into the row with its new weight; the error text names what was
    // typed when the weight is out of range.
    std::optional<QString> replaceLine(int row, const CalculatorLine &line, const QString &typed);

    QList<MaterialRow> m_rows;
    QList<ExtraColumn> m_extraColumns;
};
