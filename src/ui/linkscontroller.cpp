#include "ui/linkscontroller.h"

#include "common/errorvalue.h"
#include "platform/prompts.h"
#include "settings/rwini.h"
#include "ui/windowhelpers.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWidget>

namespace {

QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

struct ButtonPlace
{
    const char16_t *caption;
    int left;
    int top;
};

// Indexed like LinkEditorModel::Button; 975 x 375 twips each, in two columns beside the list.
constexpr ButtonPlace buttonPlaces[LinkEditorModel::ButtonCount] = {
    {u"删除", 4560, 360},     {u"添加", 4560, 0},       {u"上移", 5640, 0},      {u"下移", 5640, 360},
    {u"编辑名称", 4560, 840}, {u"编辑路径", 5640, 840}, {u"关  闭", 5640, 1320},
};

QString indexedName(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

} // namespace

LinksController::LinksController(QMenu *MnuLJ, QWidget *editorParent, RWini &settings, Prompts &prompts,
                                 Shell &shell, const QString &programDirectory, QObject *parent)
    : QObject(parent), m_menu(MnuLJ), m_settings(settings), m_prompts(prompts),
      m_launcher(settings, prompts, shell, programDirectory), m_editorParent(editorParent)
{
    buildMenu();
}

void LinksController::buildMenu()
{
    const QString captions[] = {QStringLiteral("我的电脑"), QStringLiteral("计算器"),
                                QStringLiteral("百度一下")};
    for (int i = 0; i < int(m_builtIn.size()); ++i) {
        QAction *action = m_menu->addAction(captions[i]);
        action->setObjectName(indexedName("MnuLJ_LJie", i));
        connect(action, &QAction::triggered, this, [this, i] { MnuLJ_LJie_Click(i); });
        m_builtIn[i] = action;
    }
    m_menu->addSeparator();
    m_userSeparator = m_menu->addSeparator();
    appendUserItem(LinkTexts::UserLinkCaption)->setVisible(false);

    m_addItem = m_menu->addAction(QStringLiteral("添加链接"));
    m_addItem->setObjectName(QStringLiteral("MnuTJLJ"));
    connect(m_addItem, &QAction::triggered, this, &LinksController::MnuTJLJ_Click);
    m_editItem = m_menu->addAction(QStringLiteral("编辑链接"));
    m_editItem->setObjectName(QStringLiteral("MnuBJLJ"));
    connect(m_editItem, &QAction::triggered, this, &LinksController::MnuBJLJ_Click);
}

void LinksController::buildPanel()
{
    m_panel = new QWidget(m_editorParent);
    m_panel->setObjectName(QStringLiteral("PicSet"));
    m_panel->setAutoFillBackground(true);

    m_list = new QListWidget(m_panel);
    m_list->setObjectName(QStringLiteral("ListLJ"));
    m_list->setGeometry(twipsRect(960, 50, 3375, 1710));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A row counts as picked when it is selected, not merely current: the list makes its first
    // row current when it takes the focus, and 删除 must not then delete a row nobody chose.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> picked = m_list->selectedItems();
        m_editor.select(picked.isEmpty() ? -1 : m_list->row(picked.first()));
        updateButtons();
    });

    for (int i = 0; i < LinkEditorModel::ButtonCount; ++i) {
        const ButtonPlace &place = buttonPlaces[i];
        auto *button = new QPushButton(QString::fromUtf16(place.caption), m_panel);
        button->setObjectName(indexedName("CmdLianJie", i));
        button->setGeometry(twipsRect(place.left, place.top, 975, 375));
        connect(button, &QPushButton::clicked, this, [this, i] { CmdLianJie_Click(i); });
        m_buttons[i] = button;
    }
    m_panel->resize(m_panel->childrenRect().bottomRight().x() + twips(60),
                    m_panel->childrenRect().bottomRight().y() + twips(30));
    m_panel->move(0, 0);
    m_panel->hide();
}

QAction *LinksController::appendUserItem(const QString &caption)
{
    const int index = int(m_userItems.size());
    auto *action = new QAction(caption, m_menu);
    action->setObjectName(indexedName("MnuLJ_ZDY", index));
    connect(action, &QAction::triggered, this, [this, index] { MnuLJ_ZDY_Click(index); });
    m_menu->insertAction(m_userSeparator, action);
    m_userItems.append(action);
    return action;
}

void LinksController::setUserLinkItems(const QStringList &names)
{
    while (m_userItems.size() > 1)
        delete m_userItems.takeLast();
    QAction *first = m_userItems.first();
    first->setVisible(!names.isEmpty());
    if (names.isEmpty())
        return;
    first->setText(names.first());
    for (qsizetype i = 1; i < names.size(); ++i)
        appendUserItem(names.at(i));
}

void LinksController::createUserLinkItems()
{
    setUserLinkItems(readLinkNames(m_settings));
}

int LinksController::userLinkCount() const
{
    return m_userItems.first()->isVisible() ? int(m_userItems.size()) : 0;
}

bool LinksController::isEditing() const
{
    return m_panel && !m_panel->isHidden();
}

void LinksController::MnuLJ_LJie_Click(int index)
{
    if (index >= 0 && index < int(m_builtIn.size()))
        m_launcher.openBuiltIn(static_cast<LinkLauncher::BuiltIn>(index));
}

void LinksController::MnuLJ_ZDY_Click(int index)
{
    m_launcher.openUserLink(index);
}

void LinksController::MnuTJLJ_Click()
{
    try {
        const std::optional<LinkRecord> link = m_launcher.askNewLink();
        if (!link)
            return;
        const int n = userLinkCount();
        if (n == 0) {
            m_userItems.first()->setText(link->name);
            m_userItems.first()->setVisible(true);
        } else {
            appendUserItem(link->name);
        }
        m_settings.SetIniS(LinkTexts::Section, linkNameKey(n), link->name);
        m_settings.SetIniS(LinkTexts::Section, linkTargetKey(n), link->target);
        m_settings.SetIniN(LinkTexts::Section, LinkTexts::CountKey, n + 1);
    } catch (const ErrorValue &error) {
        showError(error.number(), error.description());
    }
}

void LinksController::MnuBJLJ_Click()
{
    if (isEditing())
        return;
    try {
        m_editor.setRecords(readLinkRecords(m_settings));
    } catch (const ErrorValue &error) {
        showError(error.number(), error.description());
        return;
    }
    if (!m_panel)
        buildPanel();
    showRows();
    updateButtons();
    m_menu->menuAction()->setEnabled(false);
    m_panel->show();
    m_panel->raise();
    emit editorShown();
}

void LinksController::CmdLianJie_Click(int index)
{
    if (!m_panel || index < 0 || index >= LinkEditorModel::ButtonCount || !m_buttons[index]->isEnabled())
        return;
    switch (index) {
    case LinkEditorModel::Delete:
        m_editor.removeSelected();
        break;
    case LinkEditorModel::Add:
        addRow();
        return;
    case LinkEditorModel::MoveUp:
        m_editor.moveSelectedUp();
        break;
    case LinkEditorModel::MoveDown:
        m_editor.moveSelectedDown();
        break;
    case LinkEditorModel::EditName:
    case LinkEditorModel::EditTarget:
        editSelected(index == LinkEditorModel::EditName);
        break;
    case LinkEditorModel::Close:
        closeEditor();
        return;
    default:
        return;
    }
    showRows();
    updateButtons();
}

void LinksController::addRow()
{
    const std::optional<LinkRecord> link = m_launcher.askNewLink();
    if (!link)
        return;
    m_editor.append(*link);
    showRows();
    updateButtons();
}

void LinksController::editSelected(bool name)
{
    const int row = m_editor.selected();
    if (row < 0)
        return;
    const LinkRecord &record = m_editor.records().at(row);
    const QString answer =
        m_prompts.input(LinkTexts::NamePrompt, LinkTexts::NameTitle, name ? record.name : record.target);
    if (name)
        m_editor.renameSelected(answer);
    else
        m_editor.retargetSelected(answer);
}

void LinksController::closeEditor()
{
    const QList<LinkRecord> records = m_editor.records();
    try {
        writeLinkRecords(m_settings, records);
    } catch (const ErrorValue &error) {
        // The rows stay in the editor so that nothing the user did is lost.
        showError(error.number(), error.description());
        return;
    }
    QStringList names;
    for (const LinkRecord &record : records)
        names.append(record.name);
    setUserLinkItems(names);

    m_panel->hide();
    m_menu->menuAction()->setEnabled(true);
    emit editorHidden();
}

void LinksController::showRows()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_list->addItems(m_editor.rowTexts());
    // The list is narrow and the gap wide: the tip shows name and target in full.
    for (int i = 0; i < m_editor.rowCount(); ++i) {
        const LinkRecord &record = m_editor.records().at(i);
        m_list->item(i)->setToolTip(record.name + QLatin1Char('\n') + record.target);
    }
    m_list->setCurrentRow(m_editor.selected());
    if (m_editor.selected() < 0)
        m_list->clearSelection();
}

void LinksController::updateButtons()
{
    const LinkEditorModel::ButtonStates states = m_editor.buttonStates();
    for (int i = 0; i < LinkEditorModel::ButtonCount; ++i)
        m_buttons[i]->setEnabled(states[i]);
}

void LinksController::showError(int number, const QString &description)
{
    m_prompts.message(MessageIcon::Critical, LinkTexts::ErrorTitle, linkErrorText(number, description));
}
