#include "ui/frmmain.h"

#include "materiallist/materiallist.h"
#include "materiallist/materiallistfile.h"
#include "platform/prompts.h"
#include "ui/frmmain_texts.h"
#include "ui/materiallistmodel.h"
#include "ui/materiallistwindow.h"
#include "ui/windowhelpers.h"

#include <QDateTime>
#include <QDir>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

// Loads the list file the first time the list is used; nothing of the list exists before.
// Returns the status text the loading leaves (a repaired file that could not be written).
QString FrmMain::loadMaterialList()
{
    if (m_materialListModel)
        return {};
    m_materialList = std::make_unique<MaterialList>();
    // The list lives beside the settings file, in the program's folder.
    m_materialListFile =
        std::make_unique<MaterialListFile>(QDir(m_programDirectory).filePath(MaterialListFile::fileName()));
    const MaterialListFile::Loaded loaded =
        m_materialListFile->load(*m_materialList, QDateTime::currentDateTime());
    m_materialListModel = new MaterialListModel(*m_materialList, *m_materialListFile, this);
    // A refused edit and the first failed write of the list file reach the message line too.
    connect(m_materialListModel, &MaterialListModel::statusMessage, this,
            [this](const QString &text) { setPanelText(1, text); });
    showNotices(m_prompts, loaded.notices);
    if (!loaded.statusText.isEmpty())
        setPanelText(1, loaded.statusText);
    return loaded.statusText;
}

void FrmMain::setListLine(std::optional<CalculatorLine> line)
{
    m_listLine = std::move(line);
    CmdAddToList->setEnabled(m_listLine.has_value() &&
                             m_catalogue.CurrentType != CalculationType::Expression);
}

void FrmMain::CmdAddToList_Click()
{
    if (!m_listLine || m_catalogue.CurrentType == CalculationType::Expression)
        return;
    const CalculatorLine line = *m_listLine;
    const QString loadStatus = loadMaterialList();
    if (const std::optional<QString> problem = MaterialList::lineProblem(line)) {
        setPanelText(1, FrmMainText::AddToListRefusedStatus + *problem);
        return;
    }
    // Written before the list is saved, so that a failed write has the last word.
    setPanelText(1, MaterialList::addedText(line));
    m_materialListModel->addLine(line);
    if (!loadStatus.isEmpty())
        setPanelText(1, loadStatus);
}

void FrmMain::MnuMaterialList_Click()
{
    loadMaterialList();
    if (!m_materialListWindow) {
        // A tool window of this one: it stays above the main window, also while that one is
        // kept on top, and closes with it.
        m_materialListWindow = new MaterialListWindow(*m_materialListModel, m_prompts, this);
        placeBesideWindow(m_materialListWindow);
    }
    m_materialListWindow->show();
    m_materialListWindow->raise();
    m_materialListWindow->activateWindow();
}

// Right of the main window where the screen has room, else left of it, else below it.
void FrmMain::placeBesideWindow(QWidget *window) const
{
    const QRect main = frameGeometry();
    const QScreen *screen = this->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    constexpr int Gap = 4;
    QPoint at(main.right() + 1 + Gap, main.top());
    if (room.isValid() && at.x() + size.width() > room.right() + 1) {
        if (main.left() - Gap - size.width() >= room.left())
            at = QPoint(main.left() - Gap - size.width(), main.top());
        else
            at = QPoint(main.left(), main.bottom() + 1 + Gap);
    }
    if (room.isValid()) {
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    window->move(at);
}
