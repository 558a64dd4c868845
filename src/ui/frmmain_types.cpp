#include "ui/frmmain.h"

#include "ui/expressionpanel.h"
#include "ui/frmmain_texts.h"
#include "ui/lookuppanel.h"
#include "ui/materiallistcontroller.h"
#include "ui/typeitems.h"
#include "ui/weightpanel.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

void FrmMain::MnuJS_Click(int index)
{
    if (!isCalculationTypeIndex(index) || !MnuJS[static_cast<std::size_t>(index)])
        return;
    const CalculationType type = calculationTypeAt(index);
    QAction *item = MnuJS[static_cast<std::size_t>(index)];
    item->setChecked(true);
    // Selecting the combo entry and the toolbar button is no new choice: the layout below
    // runs once per choice.
    selectTypeEntry(index);
    if (type == m_catalogue.CurrentType)
        return;
    m_catalogue.CurrentType = type;
    m_materialList->offerLine(std::nullopt);
    setWindowTitle(typeTitle());
    setPanelText(1, item->text());
    setPanelText(3, item->text() + QStringLiteral(" "));

    // Start-up builds the weight panel; a window used without start-up builds it here.
    const bool lookup = isLookup(typeRecord(type));
    if (type != CalculationType::Expression && !lookup)
        weightPanel();
    if (m_weightPanel)
        m_weightPanel->clearRows();

    if (type == CalculationType::Expression)
        showExpressionLayout();
    else
        showWeightLayout(lookup);
    Q_EMIT calculationTypeChanged(index);
    if (lookup)
        m_lookupPanel->layOut(type);
    else if (type != CalculationType::Expression)
        m_weightPanel->layOut(type);
}

void FrmMain::selectTypeEntry(int index)
{
    const QSignalBlocker quiet(CombJS);
    CombJS->setCurrentIndex(typeListPlace(CombJS, index));
    if (index < ToolbarButtonCount) {
        m_toolButtons[static_cast<std::size_t>(index)]->setChecked(true);
    } else if (QAction *pressed = m_toolGroup->checkedAction()) {
        // A type without a button leaves no button pressed.
        pressed->setChecked(false);
    }
}

void FrmMain::Toolbar_ButtonClick(int button)
{
    MnuJS_Click(button - 1);
    selectTypeEntry(button - 1);
}

// Showing a widget lays the window out at once, and the window grows to whatever the rows
// need at that moment: the leaving panel goes first, so the two are never shown together.
// A lookup shows 加入清单 as the weights do, disabled, so that the row keeps its place.
void FrmMain::showWeightLayout(bool lookup)
{
    m_expressionPanel->setShown(false);
    if (m_weightPanel && lookup)
        m_weightPanel->setShown(false);
    if (m_lookupPanel && !lookup)
        m_lookupPanel->setShown(false);
    lookup ? lookupPanel().setShown(true) : m_weightPanel->setShown(true);
    m_materialList->addButton()->show();
    m_panels[1]->setToolTip(FrmMainText::MaterialToolTip);
    setMaterialPanel();
    m_panels[1]->setVisible(m_panels[1]->isVisible() && !lookup);
    CmdOK->setEnabled(true);
}

void FrmMain::showExpressionLayout()
{
    CmdOK->setEnabled(false);
    m_materialList->addButton()->hide();
    if (m_weightPanel)
        m_weightPanel->setShown(false);
    if (m_lookupPanel)
        m_lookupPanel->setShown(false);
    m_expressionPanel->setShown(true);
    m_expressionPanel->focusExpression();
    TxtJieGuo->clear();
    setPanelText(2, MSjddw[0]->isChecked() ? MSjddw[0]->text() : MSjddw[1]->text());
    m_panels[1]->setToolTip(FrmMainText::AngleUnitToolTipOfLayout);
    m_panels[1]->show();
}
