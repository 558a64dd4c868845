#pragma once

#include "common/calculatorline.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class MaterialList;
class MaterialListFile;
class MaterialListModel;
class MaterialListWindow;
class Prompts;
class QAction;
class QMenu;
class QPushButton;
class QWidget;

// The material list as the main window reaches it: the menu item 材料清单 (Ctrl+L), the
// button 加入清单 (Alt+J) and the line it adds, the list file loaded at first use, and the
// list window placed beside the main window. Nothing of the list exists before its first use.
class MaterialListController : public QObject
{
    Q_OBJECT

public:
    // Appends the menu item to `menu` and builds the button in `buttonParent` (hidden and
    // disabled; the window lays it out and shows it with the weight types). The list file
    // lives in `programDirectory`, beside the settings file.
    MaterialListController(QMenu *menu, QWidget *buttonParent, QWidget *mainWindow, Prompts &prompts,
                           QString programDirectory, QObject *parent = nullptr);
    ~MaterialListController() override;

    QAction *menuItem() const { return m_menuItem; }
    QPushButton *addButton() const { return m_addButton; }

    // The line the weight calculator shows while it is valid, or none: what 加入清单 adds.
    void offerLine(std::optional<CalculatorLine> line);

    // 加入清单: adds the offered line, loading the list first when it is not loaded yet.
    void addOfferedLine();
    // 材料清单: shows the list window, built at its first showing.
    void showWindow();

signals:
    // A text for the main window's message line.
    void statusMessage(const QString &text);

private:
    // Returns the status text the loading leaves (a repaired file that could not be written).
    QString load();

    QWidget *m_mainWindow;
    Prompts &m_prompts;
    QString m_programDirectory;
    QAction *m_menuItem = nullptr;
    QPushButton *m_addButton = nullptr;
    std::optional<CalculatorLine> m_line;
    std::unique_ptr<MaterialList> m_list;
    std::unique_ptr<MaterialListFile> m_file;
    MaterialListModel *m_model = nullptr;  // a child QObject
    QPointer<MaterialListWindow> m_window; // a tool window child of the main window
};
