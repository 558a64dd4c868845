#include "ui/materiallistcontroller.h"

#include "materiallist/materiallist.h"
#include "materiallist/materiallistfile.h"
#include "platform/prompts.h"
#include "ui/materiallistmodel.h"
#include "ui/materiallistwindow.h"
#include "ui/windowplacement.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QMenu>
#include <QPushButton>

namespace {

const QString MenuCaption = QStringLiteral("材料清单");
const QString ButtonCaption = QStringLiteral("加入清单(&J)");
const QString ButtonToolTip = QStringLiteral("把计算器显示的这一行加入材料清单 (Ctrl+L 打开清单)");
const QString RefusedStatus = QStringLiteral("未能加入清单：");

} // namespace

MaterialListController::MaterialListController(QMenu *menu, QWidget *buttonParent, QWidget *mainWindow,
                                               Prompts &prompts, QString programDirectory, QObject *parent)
    : QObject(parent), m_mainWindow(mainWindow), m_prompts(prompts),
      m_programDirectory(std::move(programDirectory))
{
    m_menuItem = menu->addAction(MenuCaption);
    m_menuItem->setObjectName(QStringLiteral("MnuMaterialList"));
    m_menuItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(m_menuItem, &QAction::triggered, this, &MaterialListController::showWindow);

    // Shown with the weight types only, so the expression layout keeps its width.
    m_addButton = new QPushButton(ButtonCaption, buttonParent);
    m_addButton->setObjectName(QStringLiteral("CmdAddToList"));
    m_addButton->setToolTip(ButtonToolTip);
    m_addButton->setEnabled(false);
    m_addButton->hide();
    connect(m_addButton, &QPushButton::clicked, this, &MaterialListController::addOfferedLine);

    // A save killed half-way leaves its temporary file; the next start tidies it away.
    MaterialListFile::removeLeftovers(m_programDirectory);
}

MaterialListController::~MaterialListController()
{
    // The window and the model refer to the list and its file, which go with this object.
    delete m_window;
    delete m_model;
}

QString MaterialListController::load()
{
    if (m_model)
        return {};
    m_list = std::make_unique<MaterialList>();
    m_file =
        std::make_unique<MaterialListFile>(QDir(m_programDirectory).filePath(MaterialListFile::fileName()));
    const MaterialListFile::Loaded loaded = m_file->load(*m_list, QDateTime::currentDateTime());
    m_model = new MaterialListModel(*m_list, *m_file, this);
    // A refused edit and the first failed write of the list file reach the message line too.
    connect(m_model, &MaterialListModel::statusMessage, this, &MaterialListController::statusMessage);
    showNotices(m_prompts, loaded.notices);
    if (!loaded.statusText.isEmpty())
        emit statusMessage(loaded.statusText);
    return loaded.statusText;
}

void MaterialListController::offerLine(std::optional<CalculatorLine> line)
{
    m_line = std::move(line);
    m_addButton->setEnabled(m_line.has_value());
}

void MaterialListController::addOfferedLine()
{
    if (!m_line)
        return;
    const CalculatorLine line = *m_line;
    const QString loadStatus = load();
    if (const std::optional<QString> problem = MaterialList::lineProblem(line)) {
        emit statusMessage(RefusedStatus + *problem);
        return;
    }
    // Said before the list is saved, so that a failed write has the last word.
    emit statusMessage(MaterialList::addedText(line));
    m_model->addLine(line);
    if (!loadStatus.isEmpty())
        emit statusMessage(loadStatus);
}

void MaterialListController::showWindow()
{
    load();
    if (!m_window) {
        // A tool window of the main window: it stays above it, also while that one is kept
        // on top, and closes with it.
        m_window = new MaterialListWindow(*m_model, m_prompts, m_mainWindow);
        placeBeside(m_window, m_mainWindow);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
