#include "ui/materiallistmodel.h"

#include "materiallist/listnumbers.h"
#include "materiallist/materiallistcsv.h"
#include "materiallist/materiallistfile.h"

#include <algorithm>

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

} // namespace

MaterialListModel::MaterialListModel(MaterialList &list, MaterialListFile &file, QObject *parent)
    : QAbstractTableModel(parent), m_list(list), m_file(file)
{}

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
    case Qt::EditRole:
        return MaterialListCsv::cellText(m_list, index.row(), column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (numeric(column) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ToolTipRole:
        if (column == Column::LengthOrArea && !m_list.lengthEditable(index.row()))
            return QStringLiteral("单重已含长度：长度不同请在计算器中重新计算后加入");
        if (column == Column::Note)
            return m_list.row(index.row()).note;
        return {};
    default:
        return {};
    }
}

QVariant MaterialListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < MaterialListCsv::columnTitles().size())
        return MaterialListCsv::columnTitles().at(section);
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
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    bool removed = false;
    for (int row : sorted) {
        if (row < 0 || row >= m_list.size())
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_list.removeRows({row});
        endRemoveRows();
        removed = true;
    }
    if (removed)
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
    if (const std::optional<QString> status = m_file.save(m_list))
        emit statusMessage(*status);
}
