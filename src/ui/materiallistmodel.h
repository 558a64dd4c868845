#pragma once

#include "common/calculatorline.h"
#include "materiallist/materiallist.h"

#include <QAbstractTableModel>

class MaterialListFile;
class QThread;

// The material list as a table for views. Every change of the list goes through here, so that
// views follow it and the list file is rewritten after each change: at once for a short list,
// in a thread of its own for a long one (a save of 100,000 rows takes half a second, which
// typing in a cell must not wait for). A change during a background save is saved after it;
// the last save is finished before the model goes.
class MaterialListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    MaterialListModel(MaterialList &list, MaterialListFile &file, QObject *parent = nullptr);
    ~MaterialListModel() override;

    // Lists of at least this many rows are saved in the background.
    static constexpr int BackgroundSaveRows = 5000;

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
    // Waits for a background save and writes what is still to be saved.
    void finishSaving();

signals:
    // A text for the status bar: a refused edit, or the first failed write of the list file.
    void statusMessage(const QString &text);
    // The rows or their weights changed: totals are to be shown again.
    void totalsChanged();

private:
    void listChanged();
    void saveInBackground();
    void backgroundSaveDone();

    MaterialList &m_list;
    MaterialListFile &m_file;
    QThread *m_saving = nullptr; // the background save, while it runs
    bool m_saveAgain = false;    // the list changed since the last save started
    std::optional<QString> m_backgroundStatus;
};
