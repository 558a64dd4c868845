#include "ui/materiallistmodel.h"

#include "materiallist/listnumbers.h"
#include "materiallist/materiallistcsv.h"
#include "materiallist/materiallistfile.h"
#include "weight/weightcomputation.h"

#include <QThread>

#include <algorithm>
#include <utility>

using Column = MaterialListCsv::Column;

namespace {

Column columnOf(const QModelIndex &index)
{
    return static_cast<Column>(index.column());
}

bool numeric(Column column)
{
    return column == Column::Number || column == Column::LengthOrArea || column == Column::Quantity ||
           column == Column::UnitWeight || column == Column::Weight;
}

// The unit of a row's 长度/面积: an area for a unit weight per square metre, else a length.
QString measureUnit(UnitBasis basis)
{
    return basis == UnitBasis::PerSquareMetre ? QStringLiteral("mm²") : QStringLiteral("mm");
}

// What the window shows in a cell; the file and the editor keep the plain value.
QString shownText(const MaterialList &list, int row, Column column)
{
    const CalculatorLine &line = list.row(row).line;
    switch (column) {
    case Column::LengthOrArea:
        // With its unit, so that nobody types 2 meaning 2 m².
        return line.lengthOrArea > 0
                   ? MaterialListCsv::cellText(list, row, column) + QLatin1Char(' ') + measureUnit(line.basis)
                   : QString();
    case Column::UnitWeight: {
        // As the calculator shows it; the row computes with the full value.
        const auto single = static_cast<float>(line.unitWeight);
        return unitWeightText(single, unitWeightDecimals(single));
    }
    case Column::Note: {
        // A note of several lines shows them on one, each line break marked.
        QString note = list.row(row).note;
        note.replace(QStringLiteral("\r\n"), QStringLiteral(" ↵ "));
        note.replace(QLatin1Char('\n'), QStringLiteral(" ↵ "));
        note.replace(QLatin1Char('\r'), QStringLiteral(" ↵ "));
        return note;
    }
    default:
        return MaterialListCsv::cellText(list, row, column);
    }
}

} // namespace

MaterialListModel::MaterialListModel(MaterialList &list, MaterialListFile &file, QObject *parent)
    : QAbstractTableModel(parent), m_list(list), m_file(file)
{}

MaterialListModel::~MaterialListModel()
{
    finishSaving();
}

int MaterialListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_list.size();
}

int MaterialListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(Column::Count);
}

QVariant MaterialListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.size())
        return {};
    const Column column = columnOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return shownText(m_list, index.row(), column);
    case Qt::EditRole:
        return MaterialListCsv::cellText(m_list, index.row(), column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (numeric(column) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ToolTipRole:
        if (column == Column::LengthOrArea && !m_list.lengthEditable(index.row()))
            return QStringLiteral("单重已含长度：长度不同请在计算器中重新计算后加入");
        if (column == Column::LengthOrArea && m_list.row(index.row()).line.lengthOrArea > 0)
            return (m_list.row(index.row()).line.basis == UnitBasis::PerSquareMetre
                        ? QStringLiteral("面积，单位 mm²")
                        : QStringLiteral("长度，单位 mm"));
        if (column == Column::UnitWeight)
            return MaterialListCsv::cellText(m_list, index.row(), column) + QLatin1Char(' ') +
                   MaterialListCsv::cellText(m_list, index.row(), Column::Unit);
        if (column == Column::Size || column == Column::Name || column == Column::Material ||
            column == Column::Note)
            return MaterialListCsv::cellText(m_list, index.row(), column);
        return {};
    default:
        return {};
    }
}

QVariant MaterialListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < MaterialListCsv::columnTitles().size()) {
        if (role == Qt::DisplayRole)
            return MaterialListCsv::columnTitles().at(section);
        if (role == Qt::ToolTipRole && static_cast<Column>(section) == Column::LengthOrArea)
            return QStringLiteral("长度 mm；钢板为面积 mm²");
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags MaterialListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return flags;
    const Column column = columnOf(index);
    if (column == Column::Quantity || column == Column::Note ||
        (column == Column::LengthOrArea && m_list.lengthEditable(index.row())))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool MaterialListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_list.size())
        return false;
    const QString text = value.toString();
    const int row = index.row();
    std::optional<QString> refusal;
    switch (columnOf(index)) {
    case Column::Quantity:
        refusal = m_list.setQuantity(row, text);
        break;
    case Column::LengthOrArea:
        refusal = m_list.setLengthOrArea(row, text);
        break;
    case Column::Note:
        if (m_list.row(row).note == text)
            return true;
        m_list.setNote(row, text);
        break;
    default:
        return false;
    }
    if (refusal) {
        emit statusMessage(*refusal);
        return false;
    }
    emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    listChanged();
    return true;
}

MaterialList::Added MaterialListModel::addLine(const CalculatorLine &line)
{
    if (MaterialList::lineProblem(line))
        return {};
    MaterialList::Added added;
    if (m_list.mergeTarget(line) >= 0) {
        added = m_list.add(line);
        emit dataChanged(index(added.row, 0), index(added.row, columnCount() - 1));
    } else {
        beginInsertRows(QModelIndex(), m_list.size(), m_list.size());
        added = m_list.add(line);
        endInsertRows();
    }
    listChanged();
    return added;
}

void MaterialListModel::removeListRows(const QList<int> &rows)
{
    QList<int> sorted;
    sorted.reserve(rows.size());
    for (int row : rows)
        if (row >= 0 && row < m_list.size())
            sorted.append(row);
    if (sorted.isEmpty())
        return;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    // One change for the views however many rows go: one block is removed as such, scattered
    // rows reset the model (a view told of each row apart takes seconds for many rows).
    const bool oneBlock = sorted.back() - sorted.front() + 1 == sorted.size();
    if (oneBlock)
        beginRemoveRows(QModelIndex(), sorted.front(), sorted.back());
    else
        beginResetModel();
    m_list.removeRows(sorted);
    if (oneBlock)
        endRemoveRows();
    else
        endResetModel();
    listChanged();
}

void MaterialListModel::clearList()
{
    if (m_list.isEmpty())
        return;
    beginResetModel();
    m_list.clear();
    endResetModel();
    listChanged();
}

void MaterialListModel::listChanged()
{
    emit totalsChanged();
    if (m_saving || m_list.size() >= BackgroundSaveRows) {
        m_saveAgain = true;
        saveInBackground();
        return;
    }
    if (const std::optional<QString> status = m_file.save(m_list))
        emit statusMessage(*status);
}

void MaterialListModel::saveInBackground()
{
    if (m_saving || !m_saveAgain)
        return;
    m_saveAgain = false;
    // The thread writes a copy of the list as it is now (the rows are shared until the next
    // change); the file is touched by that thread alone until it ends.
    m_saving = QThread::create([this, snapshot = m_list] { m_backgroundStatus = m_file.save(snapshot); });
    connect(m_saving, &QThread::finished, this, &MaterialListModel::backgroundSaveDone);
    m_saving->start();
}

void MaterialListModel::backgroundSaveDone()
{
    if (!m_saving || !m_saving->isFinished()) // a late signal of a save already waited for
        return;
    m_saving->wait();
    delete m_saving;
    m_saving = nullptr;
    if (const std::optional<QString> status = std::exchange(m_backgroundStatus, std::nullopt))
        emit statusMessage(*status);
    saveInBackground();
}

void MaterialListModel::finishSaving()
{
    if (m_saving) {
        m_saving->wait();
        delete m_saving;
        m_saving = nullptr;
    }
    if (std::exchange(m_saveAgain, false))
        m_file.save(m_list);
}
