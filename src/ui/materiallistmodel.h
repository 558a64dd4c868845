#pragma once

#include "common/calculatorline.h"
#include "materiallist/materiallist.h"

#include <QAbstractTableModel>

class MaterialListFile;

// The material list as a table for views. Every change of the list goes through here, so that
// views follow it and the list file is rewritten after each change.
class MaterialListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    MaterialListModel(MaterialList &list, MaterialListFile &file, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // 数量, 长度/面积 and 备注; a refused text leaves the row as it was and says why.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Adds a calculator line (merging it into an equal row) and saves.
    MaterialList::Added addLine(const CalculatorLine &line);
    void removeListRows(const QList<int> &rows);
    void clearList();

    const MaterialList &list() const { return m_list; }

signals:
    // A text for the status bar: a refused edit, or the first failed write of the list file.
    void statusMessage(const QString &text);
    // The rows or their weights changed: totals are to be shown again.
    void totalsChanged();

private:
    void listChanged();

    MaterialList &m_list;
    MaterialListFile &m_file;
};
