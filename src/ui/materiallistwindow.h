#pragma once

#include <QWidget>

class MaterialListModel;
class Prompts;
class QLabel;
class QPushButton;
class QStatusBar;
class QTableView;

// The tool window 材料清单: the list as a table (数量, 长度/面积 and 备注 edited in place),
// the totals below it, and the ways out to a spreadsheet. Built on first use; it only shows
// and edits the model, which saves the list after each change. Give it the main window as
// parent: a tool window stays above its parent, also while that one is kept on top.
class MaterialListWindow : public QWidget
{
    Q_OBJECT

public:
    MaterialListWindow(MaterialListModel &model, Prompts &prompts, QWidget *parent = nullptr);

    static QString windowCaption(); // "材料清单"

    // Deletes the selected rows (删除, Del).
    void deleteSelected();
    // Clears the list after the user confirms (清空).
    void clearAll();
    // Puts the list on the clipboard as tab-separated text (复制表格, Alt+B).
    void copyTable();
    // Writes the list as CSV to a file the user chooses (导出CSV…, Alt+E).
    void exportCsv();
    // Prints the list through the print dialog (打印…, Ctrl+P or Alt+P).
    void printList();
    // Writes the printed pages as a PDF file the user chooses (导出PDF…, Alt+D).
    void exportPdf();

    void showStatus(const QString &text);

private:
    void updateTotals();
    void fitSizeColumn();
    void updateButtons();

    MaterialListModel &m_model;
    Prompts &m_prompts;
    QTableView *m_table = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_materialTotals = nullptr;
    QStatusBar *m_status = nullptr;
};
