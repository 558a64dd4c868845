#include "materiallist/materiallist.h"

#include "materiallist/listnumbers.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

// A million tonnes: far beyond any list, and small enough that a sum of many rows stays exact.
constexpr double MaxGrams = 1e12;

double measureOf(const CalculatorLine &line)
{
    switch (line.basis) {
    case UnitBasis::PerPiece:
        return 1.0;
    case UnitBasis::PerMetre:
        return line.lengthOrArea / 1000.0;
    case UnitBasis::PerSquareMetre:
        return line.lengthOrArea / 1000000.0;
    }
    return 0.0;
}

bool sameLine(const CalculatorLine &a, const CalculatorLine &b)
{
    return a.typeCaption == b.typeCaption && a.sizeText == b.sizeText && a.material == b.material &&
           a.lengthOrArea == b.lengthOrArea && a.basis == b.basis && a.unitWeight == b.unitWeight;
}

} // namespace

std::optional<qint64> MaterialList::gramsOf(const CalculatorLine &line)
{
    const double grams = line.unitWeight * measureOf(line) * line.quantity * 1000.0;
    if (!std::isfinite(grams) || std::fabs(grams) > MaxGrams)
        return std::nullopt;
    return static_cast<qint64>(std::llround(grams));
}

std::optional<QString> MaterialList::lineProblem(const CalculatorLine &line)
{
    if (line.typeCaption.trimmed().isEmpty())
        return QStringLiteral("缺少名称");
    if (!std::isfinite(line.quantity) || line.quantity <= 0)
        return QStringLiteral("数量必须大于0");
    if (!std::isfinite(line.unitWeight) || line.unitWeight < 0)
        return QStringLiteral("单重不是有效的数");
    if (!std::isfinite(line.lengthOrArea) || line.lengthOrArea < 0 ||
        (line.basis != UnitBasis::PerPiece && line.lengthOrArea == 0))
        return QStringLiteral("长度/面积必须大于0");
    if (!gramsOf(line))
        return QStringLiteral("重量过大");
    return std::nullopt;
}

int MaterialList::mergeTarget(const CalculatorLine &line) const
{
    for (int i = 0; i < size(); ++i) {
        if (!sameLine(m_rows.at(i).line, line))
            continue;
        CalculatorLine merged = m_rows.at(i).line;
        merged.quantity += line.quantity;
        return gramsOf(merged) ? i : -1; // too heavy to merge: the line gets a row of its own
    }
    return -1;
}

MaterialList::Added MaterialList::add(const CalculatorLine &line)
{
    if (lineProblem(line))
        return {};
    const int target = mergeTarget(line);
    if (target < 0) {
        append(line, QString());
        return {size() - 1, false};
    }
    MaterialRow &row = m_rows[target];
    row.line.quantity += line.quantity;
    row.grams = *gramsOf(row.line);
    return {target, true};
}

bool MaterialList::append(const CalculatorLine &line, const QString &note, const QStringList &extraCells)
{
    if (lineProblem(line))
        return false;
    m_rows.append({line, note, *gramsOf(line), extraCells});
    return true;
}

std::optional<QString> MaterialList::replaceLine(int row, const CalculatorLine &line, const QString &typed)
{
    const std::optional<qint64> grams = gramsOf(line);
    if (!grams)
        return QStringLiteral("重量过大：") + typed;
    m_rows[row].line = line;
    m_rows[row].grams = *grams;
    return std::nullopt;
}

std::optional<QString> MaterialList::setQuantity(int row, const QString &text)
{
    const std::optional<double> value = ListNumbers::readPositive(text);
    if (!value)
        return QStringLiteral("数量必须是大于0的数：") + text;
    CalculatorLine line = m_rows.at(row).line;
    line.quantity = *value;
    return replaceLine(row, line, text);
}

std::optional<QString> MaterialList::setLengthOrArea(int row, const QString &text)
{
    if (!lengthEditable(row))
        return QStringLiteral("此行的单重已含长度，请在计算器中按新长度重新加入");
    const std::optional<double> value = ListNumbers::readPositive(text);
    if (!value)
        return QStringLiteral("长度/面积必须是大于0的数：") + text;
    CalculatorLine line = m_rows.at(row).line;
    line.lengthOrArea = *value;
    return replaceLine(row, line, text);
}

void MaterialList::setNote(int row, const QString &note)
{
    m_rows[row].note = note;
}

bool MaterialList::lengthEditable(int row) const
{
    return m_rows.at(row).line.basis != UnitBasis::PerPiece;
}

void MaterialList::removeRows(const QList<int> &rows)
{
    // One pass over the list, however many rows go: removing them one by one moves the rows
    // behind each of them, which takes seconds at a hundred thousand rows.
    QList<bool> doomed(m_rows.size(), false);
    for (int row : rows)
        if (row >= 0 && row < size())
            doomed[row] = true;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (doomed.at(i))
            continue;
        if (kept != i)
            m_rows[kept] = std::move(m_rows[i]);
        ++kept;
    }
    m_rows.resize(kept);
}

MaterialTotals MaterialList::totals() const
{
    MaterialTotals totals;
    QHash<QString, qsizetype> slotOf;
    for (const MaterialRow &row : m_rows) {
        totals.grams += row.grams;
        const auto found = slotOf.constFind(row.line.material);
        if (found != slotOf.constEnd()) {
            totals.perMaterial[*found].grams += row.grams;
        } else {
            slotOf.insert(row.line.material, totals.perMaterial.size());
            totals.perMaterial.append({row.line.material, row.grams});
        }
    }
    return totals;
}

QString MaterialList::addedText(const CalculatorLine &line)
{
    QStringList parts{line.typeCaption, line.sizeText, line.material};
    if (line.lengthOrArea > 0)
        parts.append(ListNumbers::plainText(line.lengthOrArea));
    parts.removeAll(QString());
    return QStringLiteral("已加入清单：") + parts.join(QLatin1Char(' ')) + QStringLiteral(" × ") +
           ListNumbers::plainText(line.quantity);
}
