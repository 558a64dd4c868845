#pragma once

#include "ui/linklauncher.h"
#include "ui/linkrecords.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;
class Prompts;
class RWini;
class Shell;

// The menu "链接(&L)" and the link editor panel of the main window.
//
// The window hands over its empty link menu and the widget the editor panel lives in; the
// controller fills the menu (built-in links, user-defined links between two separators,
// "添加链接", "编辑链接") and owns the panel `PicSet`, which it builds when "编辑链接" first
// opens it (until then PicSet(), ListLJ() and CmdLianJie() are null). While the editor is shown the link
// menu is disabled here; the window listens to editorShown()/editorHidden() to swap its
// calculator panel and to disable its type menu.
class LinksController : public QObject
{
    Q_OBJECT

public:
    LinksController(QMenu *MnuLJ, QWidget *editorParent, RWini &settings, Prompts &prompts, Shell &shell,
                    const QString &programDirectory, QObject *parent = nullptr);

    // Creates the menu items of the stored links. Raises ErrorValue when the settings file
    // cannot be read or written back; the caller's start-up handler reports it.
    void createUserLinkItems();

    // Number of user-defined links in the menu (0 while `MnuLJ_ZDY(0)` is hidden).
    int userLinkCount() const;
    bool isEditing() const;

    QAction *MnuLJ_LJie(int index) const { return m_builtIn.at(index); }
    QAction *MnuLJ_ZDY(int index) const { return m_userItems.at(index); }
    QAction *MnuTJLJ() const { return m_addItem; }
    QAction *MnuBJLJ() const { return m_editItem; }
    QWidget *PicSet() const { return m_panel; }
    QListWidget *ListLJ() const { return m_list; }
    QPushButton *CmdLianJie(int index) const { return m_buttons.at(index); }

public slots:
    void MnuLJ_LJie_Click(int index);
    void MnuLJ_ZDY_Click(int index);
    void MnuTJLJ_Click();
    void MnuBJLJ_Click();
    void CmdLianJie_Click(int index);

signals:
    void editorShown();
    void editorHidden();

private:
    void buildMenu();
    void buildPanel();
    QAction *appendUserItem(const QString &caption);
    // Leaves element 0 and one further item per name; element 0 is hidden when there are none.
    void setUserLinkItems(const QStringList &names);
    void showRows();
    void updateButtons();
    void addRow();
    void editSelected(bool name);
    void closeEditor();
    void showError(int number, const QString &description);

    QMenu *m_menu;
    RWini &m_settings;
    Prompts &m_prompts;
    LinkLauncher m_launcher;
    LinkEditorModel m_editor;
    QWidget *m_editorParent;

    std::array<QAction *, 3> m_builtIn{};
    QList<QAction *> m_userItems;
    QAction *m_userSeparator = nullptr; // the separator below the user-defined links
    QAction *m_addItem = nullptr;
    QAction *m_editItem = nullptr;

    QWidget *m_panel = nullptr;
    QListWidget *m_list = nullptr;
    std::array<QPushButton *, LinkEditorModel::ButtonCount> m_buttons{};
};
