#include "materiallist/materiallistcsv.h"

#include "materiallist/listnumbers.h"

#include "common/legacytext.h"

#include <QStringDecoder>

#include <array>
#include <cmath>
#include <optional>

namespace MaterialListCsv {
namespace {

constexpr int ColumnCount = static_cast<int>(Column::Count);
const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QString TotalCaption = QStringLiteral("合计");

// At least three decimals like every weight of the list, more where the value has them, so
// that the text reads back as the very unit weight the row computes with.
QString unitWeightNumber(const MaterialRow &row)
{
    const double value = row.line.unitWeight;
    const QString threeDecimals = QString::number(value, 'f', 3);
    return threeDecimals.toDouble() == value ? threeDecimals : ListNumbers::plainText(value);
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

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith(Utf8Bom))
        return QString::fromUtf8(bytes.constData() + Utf8Bom.size(), bytes.size() - Utf8Bom.size());
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Not UTF-8: a spreadsheet on a Chinese desktop saves "CSV" in the ANSI code page.
    return LegacyText::decode(bytes);
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

std::optional<ColumnIndex> titleIndex(const QStringList &cells)
{
    ColumnIndex index;
    index.fill(-1);
    bool any = false;
    for (int i = 0; i < cells.size(); ++i) {
        const int column = static_cast<int>(columnTitles().indexOf(cells.at(i).trimmed()));
        if (column >= 0 && index[column] < 0) {
            index[column] = i;
            any = true;
        }
    }
    if (!any || index[static_cast<int>(Column::Name)] < 0)
        return std::nullopt;
    return index;
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

// A unit weight typed without its unit: the basis whose weight comes nearest to the row's
// weight cell (the three lie a factor of 1000 apart).
std::optional<UnitBasis> inferredBasis(CalculatorLine line, const QString &weightText)
{
    if (line.lengthOrArea == 0)
        return UnitBasis::PerPiece;
    const std::optional<double> weight = ListNumbers::readPositive(weightText);
    if (!weight || line.unitWeight <= 0)
        return std::nullopt;
    std::optional<UnitBasis> best;
    double bestDistance = 0;
    for (UnitBasis basis : {UnitBasis::PerPiece, UnitBasis::PerMetre, UnitBasis::PerSquareMetre}) {
        line.basis = basis;
        const std::optional<qint64> grams = MaterialList::gramsOf(line);
        if (!grams || *grams <= 0)
            continue;
        const double distance = std::fabs(std::log(static_cast<double>(*grams) / (*weight * 1000.0)));
        if (!best || distance < bestDistance) {
            best = basis;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<ReadRow> readRow(const QStringList &cells, const ColumnIndex &index)
{
    auto cell = [&](Column column) {
        const int i = index[static_cast<int>(column)];
        return i >= 0 && i < cells.size() ? cells.at(i) : QString();
    };
    ReadRow row;
    row.line.typeCaption = cell(Column::Name);
    row.line.sizeText = cell(Column::Size);
    row.line.material = cell(Column::Material);
    row.note = cell(Column::Note);

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
    const std::optional<UnitBasis> basis =
        unitWeight->basis ? unitWeight->basis : inferredBasis(row.line, cell(Column::Weight));
    if (!basis)
        return std::nullopt;
    row.line.basis = *basis;

    if (MaterialList::lineProblem(row.line))
        return std::nullopt;
    return row;
}

} // namespace

const QStringList &columnTitles()
{
    static const QStringList titles{
        QStringLiteral("序号"), QStringLiteral("名称"),      QStringLiteral("规格"),
        QStringLiteral("材质"), QStringLiteral("长度/面积"), QStringLiteral("数量"),
        QStringLiteral("单重"), QStringLiteral("重量(kg)"),  QStringLiteral("备注")};
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
        return unitWeightNumber(r) + QLatin1Char(' ') + ListNumbers::unitText(r.line.basis);
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
    appendLine(columnTitles());
    QStringList cells;
    for (int row = 0; row < list.size(); ++row) {
        cells.clear();
        for (int column = 0; column < ColumnCount; ++column)
            cells.append(cellText(list, row, static_cast<Column>(column)));
        appendLine(cells);
    }
    return Utf8Bom + text.toUtf8();
}

ReadResult read(const QByteArray &bytes)
{
    ReadResult result;
    const QList<Record> all = records(decode(bytes));
    result.rows.reserve(all.size());
    ColumnIndex index;
    for (int i = 0; i < ColumnCount; ++i)
        index[i] = i;
    bool titlesSeen = false;
    for (const Record &record : all) {
        if (blank(record.cells))
            continue;
        if (!titlesSeen) {
            titlesSeen = true;
            if (const std::optional<ColumnIndex> titles = titleIndex(record.cells)) {
                index = *titles;
                continue;
            }
        }
        const int numberColumn = index[static_cast<int>(Column::Number)];
        if (numberColumn >= 0 && numberColumn < record.cells.size() &&
            record.cells.at(numberColumn).trimmed() == TotalCaption)
            continue;
        const std::optional<ReadRow> row = record.broken ? std::nullopt : readRow(record.cells, index);
        if (row)
            result.rows.append(std::move(*row));
        else
            result.unreadableLines.append(record.line);
    }
    return result;
}

QString clipboardText(const MaterialList &list)
{
    QStringList lines;
    lines.reserve(list.size() + 2);
    lines.append(columnTitles().join(QLatin1Char('\t')));
    QStringList cells;
    for (int row = 0; row < list.size(); ++row) {
        cells.clear();
        for (int column = 0; column < ColumnCount; ++column) {
            const Column c = static_cast<Column>(column);
            cells.append(
                tsvCell(c == Column::UnitWeight ? unitWeightNumber(list.row(row)) : cellText(list, row, c)));
        }
        lines.append(cells.join(QLatin1Char('\t')));
    }
    QStringList total(ColumnCount);
    total[static_cast<int>(Column::Number)] = TotalCaption;
    total[static_cast<int>(Column::Weight)] = ListNumbers::kgText(list.totals().grams);
    lines.append(total.join(QLatin1Char('\t')));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace MaterialListCsv
