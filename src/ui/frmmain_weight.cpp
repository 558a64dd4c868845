#include "ui/frmmain.h"

#include "ui/frmmain_texts.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>

bool FrmMain::runWeightBranch()
{
    return false;
}

bool FrmMain::weightEventFilter(QObject *, QEvent *)
{
    return false;
}

void FrmMain::layOutWeightType(int) {}

void FrmMain::MSCaiZhi_Click(int index)
{
    const MaterialChoice choice = m_material.apply(index, m_prompts);
    for (int i = 0; i < MaterialIndex::Count; ++i)
        MSCaiZhi[static_cast<std::size_t>(i)]->setChecked(i == choice.checkedIndex);
    MSCaiZhi[MaterialIndex::Custom]->setText(m_material.caption(MaterialIndex::Custom));
    setPanelText(2, choice.panel2Text);
    m_panels[1]->setVisible(choice.panel2Visible);
    CmdOK_Click();
    setPanelText(1, choice.panel1Text);
}

void FrmMain::setMaterialPanel()
{
    m_panels[1]->setVisible(!MSCaiZhi[MaterialIndex::Steel]->isChecked());
    setPanelText(2, m_material.panel2TextOnTypeSwitch());
}
