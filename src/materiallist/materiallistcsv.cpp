#include "materiallist/materiallistcsv.h"

#include "common/legacytext.h"
#include "materiallist/listnumbers.h"
#include "weight/unitbasis.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <optional>

namespace MaterialListCsv {
namespace {

constexpr int ColumnCount = static_cast<int>(Column::Count);
// Records of this many cells without a title line have the columns of earlier versions, which
// had no 单位 column.
constexpr int EarlierColumnCount = ColumnCount - 1;
const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QString TotalCaption = QStringLiteral("合计");

bool isText(Column column)
{
    return column == Column::Name || column == Column::Size || column == Column::Material ||
           column == Column::Note;
}

// At least three decimals like every weight of the list, more where the value has them, so
// that the text reads back as the very unit weight the row computes with.
QString unitWeightNumber(const MaterialRow &row)
{
    const double value = row.line.unitWeight;
    const QString threeDecimals = QString::number(value, 'f', 3);
    return threeDecimals.toDouble() == value ? threeDecimals : ListNumbers::plainText(value);
}

// A text a spreadsheet would not keep as text: a formula (= + - @, or a tab or line break in
// front, which it skips), or something it reads as a number or a date ("20", "3/4", "1e5").
bool needsGuard(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
        first == u'\r' || first == u'\n')
        return true;
    static const QRegularExpression numberOrDate(QStringLiteral("^[\\s0-9.,/:%eE]*[0-9][\\s0-9.,/:%eE]*$"));
    return numberOrDate.match(text).hasMatch();
}

// Cells of the extra columns come from a spreadsheet: their numbers stay numbers (a price of
// -5), and only a formula is guarded.
bool needsGuardAsExtra(const QString &text)
{
    if (!needsGuard(text))
        return false;
    bool number = false;
    text.toDouble(&number);
    if (number)
        return false;
    const QChar first = text.front();
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
           first == u'\r' || first == u'\n';
}

QString guarded(const QString &text, bool extra = false)
{
    if (!(extra ? needsGuardAsExtra(text) : needsGuard(text)))
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QStringLiteral("=\"") + inner + QLatin1Char('"');
}

QString unguarded(const QString &cell)
{
    if (cell.size() < 3 || !cell.startsWith(QStringLiteral("=\"")) || !cell.endsWith(QLatin1Char('"')))
        return cell;
    QString inner = cell.mid(2, cell.size() - 3);
    inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return inner;
}

QString csvCell(const QString &text)
{
    const bool needsQuotes = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                             text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                             (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString tsvCell(const QString &text)
{
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

struct Decoded
{
    QString text;
    bool clean = true;
};

// Strict decoding: a byte-order mark says UTF-8, but a spreadsheet may have put one before a
// body in the desktop's code page; a text that is clean in neither encoding is reported.
Decoded decode(const QByteArray &bytes)
{
    const QByteArrayView body =
        bytes.startsWith(Utf8Bom) ? QByteArrayView(bytes).sliced(Utf8Bom.size()) : QByteArrayView(bytes);
    // The byte-order mark is taken off above; a second one is a character of the first cell.
    constexpr auto flags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    QStringDecoder utf8(QStringConverter::Utf8, flags);
    const QString text = utf8(body);
    if (!utf8.hasError())
        return {text, true};
    // Not UTF-8: a spreadsheet on a Chinese desktop saves "CSV" in the ANSI code page.
    if (const std::optional<QString> legacyText = LegacyText::decodeStrict(body))
        return {*legacyText, true};
    return {text, false};
}

struct Record
{
    QStringList cells;
    int line = 1;        // line of the file where the record starts
    bool broken = false; // a quoted cell was never closed
};

// RFC 4180 records; CRLF, LF and CR all end a record, and a line break inside a quoted cell
// becomes LF.
QList<Record> records(const QString &text)
{
    QList<Record> out;
    Record current;
    QString cell;
    bool inQuotes = false;
    int line = 1;
    const qsizetype n = text.size();
    const QChar *data = text.constData();
    auto endLine = [&](qsizetype &i) {
        if (data[i] == QLatin1Char('\r') && i + 1 < n && data[i + 1] == QLatin1Char('\n'))
            ++i;
        ++i;
        ++line;
    };
    for (qsizetype i = 0; i < n;) {
        const QChar c = data[i];
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && data[i + 1] == QLatin1Char('"')) {
                    cell += QLatin1Char('"');
                    i += 2;
                } else {
                    inQuotes = false;
                    ++i;
                }
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                cell += QLatin1Char('\n');
                endLine(i);
            } else {
                cell += c;
                ++i;
            }
        } else if (c == QLatin1Char('"') && cell.isEmpty()) {
            inQuotes = true;
            ++i;
        } else if (c == QLatin1Char(',')) {
            current.cells.append(cell);
            cell.clear();
            ++i;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            current.cells.append(cell);
            cell.clear();
            out.append(std::move(current));
            endLine(i);
            current = Record{{}, line, false};
            current.cells.reserve(ColumnCount);
        } else {
            // A run of plain characters at once; a quote inside an unquoted cell is taken as
            // it stands.
            qsizetype end = i + 1;
            while (end < n && data[end] != QLatin1Char(',') && data[end] != QLatin1Char('\r') &&
                   data[end] != QLatin1Char('\n'))
                ++end;
            cell += QStringView(data + i, end - i);
            i = end;
        }
    }
    if (inQuotes || !cell.isEmpty() || !current.cells.isEmpty()) {
        current.cells.append(cell);
        current.broken = inQuotes;
        out.append(std::move(current));
    }
    return out;
}

bool blank(const QStringList &cells)
{
    for (const QString &cell : cells)
        if (!cell.trimmed().isEmpty())
            return false;
    return true;
}

using ColumnIndex = std::array<int, ColumnCount>;

// Where each column stands in the file's records, and the extra columns with their places.
struct Layout
{
    ColumnIndex index;
    QList<ExtraColumn> extras;
    QList<int> extraPositions; // the file's cell index of each extra column
};

Layout orderedLayout(int cellCount)
{
    Layout layout;
    for (int i = 0; i < ColumnCount; ++i)
        layout.index[i] = i;
    if (cellCount <= EarlierColumnCount) {
        layout.index[static_cast<int>(Column::Unit)] = -1;
        for (int i = static_cast<int>(Column::Weight); i < ColumnCount; ++i)
            layout.index[i] = i - 1;
    }
    return layout;
}

std::optional<Layout> titleLayout(const QStringList &cells)
{
    Layout layout;
    layout.index.fill(-1);
    int lastKnown = -1;
    for (int i = 0; i < cells.size(); ++i) {
        const int column = static_cast<int>(columnTitles().indexOf(cells.at(i).trimmed()));
        if (column >= 0 && layout.index[column] < 0) {
            layout.index[column] = i;
            lastKnown = column;
        } else {
            // A second column of a known title goes after the first, wherever it stood: written
            // before it, it would be taken for that column when the file is read again.
            layout.extras.append({cells.at(i), std::max(lastKnown, column)});
            layout.extraPositions.append(i);
        }
    }
    if (layout.index[static_cast<int>(Column::Name)] < 0)
        return std::nullopt;
    // In the order they are written (each after its known column), so that a rewrite reads
    // back as the same list.
    QList<int> order(layout.extras.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return layout.extras.at(a).after < layout.extras.at(b).after; });
    Layout sorted = layout;
    for (qsizetype i = 0; i < order.size(); ++i) {
        sorted.extras[i] = layout.extras.at(order.at(i));
        sorted.extraPositions[i] = layout.extraPositions.at(order.at(i));
    }
    return sorted;
}

// A unit weight cell: a number, optionally followed by its unit ("14.223 kg/m").
struct UnitWeightCell
{
    double value = 0;
    std::optional<UnitBasis> basis;
};

std::optional<UnitWeightCell> readUnitWeight(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype unitStart = trimmed.indexOf(QStringLiteral("kg"), 0, Qt::CaseInsensitive);
    const QString number = unitStart < 0 ? trimmed : trimmed.left(unitStart);
    bool ok = false;
    const double value = number.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    UnitWeightCell cell{value, std::nullopt};
    if (unitStart >= 0) {
        cell.basis = ListNumbers::basisOfUnit(trimmed.mid(unitStart));
        if (!cell.basis)
            return std::nullopt;
    }
    return cell;
}

// A unit weight without its unit, of a part that is no calculation type: the basis whose
// weight comes nearest to the row's weight cell (the three lie a factor of 1000 apart). Two
// bases that give the same weight (a length of 1000 mm, an area of 1 m²) decide nothing.
std::optional<UnitBasis> inferredBasis(CalculatorLine line, const QString &weightText)
{
    const std::optional<double> weight = ListNumbers::readPositive(weightText);
    if (!weight || line.unitWeight <= 0)
        return std::nullopt;
    std::optional<UnitBasis> best;
    double bestDistance = 0;
    bool tie = false;
    for (UnitBasis basis : {UnitBasis::PerPiece, UnitBasis::PerMetre, UnitBasis::PerSquareMetre}) {
        line.basis = basis;
        const std::optional<qint64> grams = MaterialList::gramsOf(line);
        if (!grams || *grams <= 0)
            continue;
        const double distance = std::fabs(std::log(static_cast<double>(*grams) / (*weight * 1000.0)));
        if (best && std::fabs(distance - bestDistance) < 1e-9) {
            tie = true;
        } else if (!best || distance < bestDistance) {
            best = basis;
            bestDistance = distance;
            tie = false;
        }
    }
    if (tie)
        return std::nullopt;
    return best;
}

std::optional<UnitBasis> basisOfRow(const CalculatorLine &line, const std::optional<UnitBasis> &written,
                                    const QString &weightText)
{
    if (written)
        return written;
    if (line.lengthOrArea == 0)
        return UnitBasis::PerPiece;
    if (const std::optional<UnitBasis> ofPart = unitBasisOfPart(line.typeCaption))
        return ofPart;
    return inferredBasis(line, weightText);
}

std::optional<ReadRow> readRow(const QStringList &cells, const Layout &layout)
{
    auto at = [&](int i) { return i >= 0 && i < cells.size() ? cells.at(i) : QString(); };
    auto cell = [&](Column column) { return at(layout.index[static_cast<int>(column)]); };
    ReadRow row;
    row.line.typeCaption = unguarded(cell(Column::Name));
    row.line.sizeText = unguarded(cell(Column::Size));
    row.line.material = unguarded(cell(Column::Material));
    row.note = unguarded(cell(Column::Note));
    for (int position : layout.extraPositions)
        row.extraCells.append(unguarded(at(position)));

    const std::optional<double> quantity = ListNumbers::readPositive(cell(Column::Quantity));
    if (!quantity)
        return std::nullopt;
    row.line.quantity = *quantity;

    const QString length = cell(Column::LengthOrArea).trimmed();
    if (!length.isEmpty()) {
        const std::optional<double> value = ListNumbers::readPositive(length);
        if (!value)
            return std::nullopt;
        row.line.lengthOrArea = *value;
    }

    const std::optional<UnitWeightCell> unitWeight = readUnitWeight(cell(Column::UnitWeight));
    if (!unitWeight)
        return std::nullopt;
    row.line.unitWeight = unitWeight->value;
    std::optional<UnitBasis> written = unitWeight->basis;
    const QString unit = cell(Column::Unit).trimmed();
    if (!unit.isEmpty()) {
        const std::optional<UnitBasis> ofUnit = ListNumbers::basisOfUnit(unit);
        if (!ofUnit || (written && *written != *ofUnit))
            return std::nullopt;
        written = ofUnit;
    }
    const std::optional<UnitBasis> basis = basisOfRow(row.line, written, cell(Column::Weight));
    if (!basis)
        return std::nullopt;
    row.line.basis = *basis;

    if (MaterialList::lineProblem(row.line))
        return std::nullopt;
    return row;
}

// A column without title and without a cell is what a spreadsheet leaves after the last
// column; it is not kept.
void dropEmptyUntitledColumns(ReadResult &result)
{
    for (qsizetype i = result.extraColumns.size() - 1; i >= 0; --i) {
        if (!result.extraColumns.at(i).title.trimmed().isEmpty())
            continue;
        const bool empty = std::all_of(result.rows.cbegin(), result.rows.cend(), [i](const ReadRow &row) {
            return row.extraCells.at(i).trimmed().isEmpty();
        });
        if (!empty)
            continue;
        result.extraColumns.removeAt(i);
        for (ReadRow &row : result.rows)
            row.extraCells.removeAt(i);
    }
}

// The columns as the list writes them: the known ones in their order, each extra column
// after the known column it followed. Values below 0 are known columns (-1 - column), others
// index the extra columns.
QList<int> writtenLayout(const MaterialList &list)
{
    QList<int> places;
    const QList<ExtraColumn> &extras = list.extraColumns();
    auto extrasAfter = [&](int known) {
        for (int i = 0; i < extras.size(); ++i)
            if (extras.at(i).after == known)
                places.append(i);
    };
    extrasAfter(-1);
    for (int column = 0; column < ColumnCount; ++column) {
        places.append(-1 - column);
        extrasAfter(column);
    }
    // An extra column after a column this version does not know any more goes last.
    for (int i = 0; i < extras.size(); ++i)
        if (extras.at(i).after < -1 || extras.at(i).after >= ColumnCount)
            places.append(i);
    return places;
}

QStringList titleCells(const MaterialList &list, const QList<int> &places)
{
    QStringList cells;
    for (int slot : places)
        cells.append(slot < 0 ? columnTitles().at(-1 - slot) : list.extraColumns().at(slot).title);
    return cells;
}

// The cells of one row as written, text cells guarded; `spreadsheet` leaves the unit weight
// a plain number as it is for the clipboard too.
QStringList rowCells(const MaterialList &list, int row, const QList<int> &places)
{
    QStringList cells;
    cells.reserve(places.size());
    const QStringList &extraCells = list.row(row).extraCells;
    for (int slot : places) {
        if (slot >= 0) {
            cells.append(guarded(slot < extraCells.size() ? extraCells.at(slot) : QString(), true));
            continue;
        }
        const Column column = static_cast<Column>(-1 - slot);
        const QString text = cellText(list, row, column);
        cells.append(isText(column) ? guarded(text) : text);
    }
    return cells;
}

} // namespace

const QStringList &columnTitles()
{
    static const QStringList titles{
        QStringLiteral("序号"),      QStringLiteral("名称"), QStringLiteral("规格"), QStringLiteral("材质"),
        QStringLiteral("长度/面积"), QStringLiteral("数量"), QStringLiteral("单重"), QStringLiteral("单位"),
        QStringLiteral("重量(kg)"),  QStringLiteral("备注")};
    return titles;
}

QString cellText(const MaterialList &list, int row, Column column)
{
    const MaterialRow &r = list.row(row);
    switch (column) {
    case Column::Number:
        return QString::number(row + 1);
    case Column::Name:
        return r.line.typeCaption;
    case Column::Size:
        return r.line.sizeText;
    case Column::Material:
        return r.line.material;
    case Column::LengthOrArea:
        return r.line.lengthOrArea > 0 ? ListNumbers::plainText(r.line.lengthOrArea) : QString();
    case Column::Quantity:
        return ListNumbers::plainText(r.line.quantity);
    case Column::UnitWeight:
        return unitWeightNumber(r);
    case Column::Unit:
        return ListNumbers::unitText(r.line.basis);
    case Column::Weight:
        return ListNumbers::kgText(r.grams);
    case Column::Note:
        return r.note;
    case Column::Count:
        break;
    }
    return QString();
}

QByteArray write(const MaterialList &list)
{
    QString text;
    text.reserve(64 * (list.size() + 1));
    auto appendLine = [&text](const QStringList &cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                text += QLatin1Char(',');
            text += csvCell(cells.at(i));
        }
        text += QStringLiteral("\r\n");
    };
    const QList<int> places = writtenLayout(list);
    appendLine(titleCells(list, places));
    for (int row = 0; row < list.size(); ++row)
        appendLine(rowCells(list, row, places));
    return Utf8Bom + text.toUtf8();
}

ReadResult read(const QByteArray &bytes)
{
    ReadResult result;
    const Decoded decoded = decode(bytes);
    result.undecodable = !decoded.clean;
    const QList<Record> all = records(decoded.text);
    result.rows.reserve(all.size());
    std::optional<Layout> titles;
    bool titlesSeen = false;
    for (const Record &record : all) {
        if (blank(record.cells))
            continue;
        if (!titlesSeen) {
            titlesSeen = true;
            titles = titleLayout(record.cells);
            if (titles) {
                result.extraColumns = titles->extras;
                continue;
            }
        }
        const Layout layout = titles ? *titles : orderedLayout(static_cast<int>(record.cells.size()));
        const int numberColumn = layout.index[static_cast<int>(Column::Number)];
        if (numberColumn >= 0 && numberColumn < record.cells.size() &&
            record.cells.at(numberColumn).trimmed() == TotalCaption)
            continue;
        std::optional<ReadRow> row = record.broken ? std::nullopt : readRow(record.cells, layout);
        if (row)
            result.rows.append(std::move(*row));
        else
            result.unreadableLines.append(record.line);
    }
    dropEmptyUntitledColumns(result);
    return result;
}

QString clipboardText(const MaterialList &list)
{
    const QList<int> places = writtenLayout(list);
    QStringList lines;
    lines.reserve(list.size() + 2);
    QStringList cells;
    auto tsvLine = [&cells] {
        for (QString &cell : cells)
            cell = tsvCell(cell);
        return cells.join(QLatin1Char('\t'));
    };
    cells = titleCells(list, places);
    lines.append(tsvLine());
    for (int row = 0; row < list.size(); ++row) {
        cells = rowCells(list, row, places);
        lines.append(tsvLine());
    }
    cells = QStringList(places.size());
    cells[places.indexOf(-1 - static_cast<int>(Column::Number))] = TotalCaption;
    cells[places.indexOf(-1 - static_cast<int>(Column::Weight))] = ListNumbers::kgText(list.totals().grams);
    lines.append(tsvLine());
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace MaterialListCsv
