#include "ui/frmmain.h"

#include "ui/frmmain_texts.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QToolBar>

namespace {

constexpr int twips(int value)
{
    return value / 15;
}

} // namespace

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
    setWindowTitle(typeTitle());
    setPanelText(1, item->text());
    setPanelText(3, item->text() + QStringLiteral(" "));

    {
        const QScopedValueRollback<bool> holdBack(m_switchingType, true);
        for (std::size_t k = 0; k < 4; ++k) {
            LabSM[k]->hide();
            CombSR[k]->hide();
        }
        CombLeiXing->hide();
        for (std::size_t k = 1; k < 4; ++k)
            CombSR[k]->setEditText(QStringLiteral("1"));
    }

    if (type == CalculationType::Expression)
        showExpressionLayout();
    else
        showWeightLayout();
    Q_EMIT calculationTypeChanged(index);
    if (type != CalculationType::Expression)
        layOutWeightType(type);
}

void FrmMain::selectTypeEntry(int index)
{
    const QSignalBlocker quiet(CombJS);
    CombJS->setCurrentIndex(index);
    if (index < ToolbarButtonCount)
        m_toolButtons[static_cast<std::size_t>(index)]->setChecked(true);
}

void FrmMain::CombJS_Click(int index)
{
    MnuJS_Click(index);
}

void FrmMain::Toolbar_ButtonClick(int button)
{
    MnuJS_Click(button - 1);
    selectTypeEntry(button - 1);
}

void FrmMain::showWeightLayout()
{
    PicBDSCmd->hide();
    LabDanZhong->show();
    CombSR[0]->setFixedWidth(twips(1300));
    m_panels[1]->setToolTip(FrmMainText::MaterialToolTip);
    setMaterialPanel();
    LabBDS->hide();
    CombKJSR->hide();
    LabDanZhong->clear();
    CmdOK->setEnabled(true);
}

void FrmMain::showExpressionLayout()
{
    PicBDSCmd->show();
    CmdOK->setEnabled(false);
    LabDanZhong->hide();
    LabBDS->show();
    CombKJSR->show();
    CombKJSR->setFocus();
    TxtJieGuo->clear();
    setPanelText(2, MSjddw[0]->isChecked() ? MSjddw[0]->text() : MSjddw[1]->text());
    m_panels[1]->setToolTip(FrmMainText::AngleUnitToolTipOfLayout);
    m_panels[1]->show();
}
