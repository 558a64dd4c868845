#include "ui/frmmain.h"

#include "expression/errorvalue.h"
#include "expression/jingdu.h"
#include "expression/numbertext.h"
#include "ui/expressionpanel.h"
#include "ui/frmcgggkk.h" // GaugeWindows reads the window through a QPointer
#include "ui/frmmain_texts.h"
#include "ui/gaugewindows.h"
#include "ui/linkscontroller.h"
#include "ui/typeicons.h"
#include "ui/weightpanel.h"
#include "ui/windowhelpers.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

FrmMain::FrmMain(Prompts &prompts, Shell &shell, QString programDirectory, std::function<void()> endProgram,
                 QWidget *parent)
    : QMainWindow(parent), m_prompts(prompts), m_shell(shell),
      m_programDirectory(std::move(programDirectory)), m_endProgram(std::move(endProgram)),
      m_rwini(prompts, shell, [this] { this->endProgram(); })
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(FrmMainText::ProductName);
    setWindowIcon(typeIcon(0));
    buildMenus();
    buildToolbar();
    buildPanel();
    buildStatusBar();
    connectExpressionPanel();

    m_gauge = std::make_unique<GaugeWindows>(m_prompts);
    m_links =
        new LinksController(MnuLJ, centralWidget(), m_rwini, m_prompts, m_shell, m_programDirectory, this);
    connect(m_links, &LinksController::editorShown, this, [this] { showLinkEditor(true); });
    connect(m_links, &LinksController::editorHidden, this, [this] { showLinkEditor(false); });
}

void FrmMain::showLinkEditor(bool shown)
{
    // The calculator panel and the link editor take turns in the same place.
    QWidget *PicSet = m_links->PicSet();
    PicMain->setVisible(!shown);
    MnuF->menuAction()->setEnabled(!shown);
    if (shown) {
        m_sizeBeforeEditor = size();
        PicSet->raise();
        const QSize needed = PicSet->size() + (size() - centralWidget()->size());
        if (width() < needed.width() || height() < needed.height())
            resize(std::max(width(), needed.width()), std::max(height(), needed.height()));
    } else {
        resize(m_sizeBeforeEditor);
    }
}

FrmMain::~FrmMain()
{
    // The children outlive this object's own members; while they are deleted nothing of
    // theirs may reach the handlers here any more.
    const QList<QObject *> children = findChildren<QObject *>();
    for (QObject *child : children) {
        child->removeEventFilter(this);
        child->blockSignals(true);
    }
}

void FrmMain::connectExpressionPanel()
{
    ExpressionPanel *panel = m_expressionPanel;
    connect(panel, &ExpressionPanel::expressionChanged, this, [this](bool calculable) {
        if (m_catalogue.CurrentType == 0)
            CmdOK->setEnabled(calculable);
        TxtJieGuo->clear();
    });
    connect(panel, &ExpressionPanel::resultStale, TxtJieGuo, &QLineEdit::clear);
    connect(panel, &ExpressionPanel::calculateRequested, this, &FrmMain::CmdOK_Click);
    connect(panel, &ExpressionPanel::statusMessage, this,
            [this](const QString &text) { setPanelText(1, text); });
}

WeightPanel &FrmMain::weightPanel()
{
    if (m_weightPanel)
        return *m_weightPanel;
    m_weightPanel = new WeightPanel(m_catalogue, m_prompts, PicMain);
    m_weightPanel->placeIn(m_inputRow, m_lowerRow);
    // Built after the rest of the window, the boxes still take the focus in the row's order.
    m_weightPanel->chainFocusAfter(m_expressionPanel->expressionBox());
    connect(m_weightPanel, &WeightPanel::calculableChanged, CmdOK, &QPushButton::setEnabled);
    connect(m_weightPanel, &WeightPanel::calculateRequested, this, &FrmMain::CmdOK_Click);
    connect(m_weightPanel, &WeightPanel::resultStale, TxtJieGuo, &QLineEdit::clear);
    connect(m_weightPanel, &WeightPanel::statusMessage, this,
            [this](const QString &text) { setPanelText(1, text); });
    return *m_weightPanel;
}

QString FrmMain::panelText(int panel) const
{
    if (panel < 1 || panel > 5)
        return {};
    return m_panels[static_cast<std::size_t>(panel - 1)]->text();
}

void FrmMain::setPanelText(int panel, const QString &text)
{
    if (panel < 1 || panel > 5)
        return;
    m_panels[static_cast<std::size_t>(panel - 1)]->setText(text);
    Q_EMIT panelTextChanged(panel, text);
}

void FrmMain::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_endProgram)
        m_endProgram();
}

bool FrmMain::anglesInRadians() const
{
    return MSjddw[1]->isChecked();
}

void FrmMain::removeNewestHistoryEntry()
{
    m_expressionPanel->removeNewestHistoryEntry();
}

float FrmMain::UnitWeight() const
{
    return m_weightPanel ? m_weightPanel->UnitWeight() : 0.0f;
}

const SelectionSplitText &FrmMain::SelectionSplit() const
{
    return m_expressionPanel->SelectionSplit();
}

QString FrmMain::JingDu(const QString &text) const
{
    return ::JingDu(text, m_precisionMode);
}

void FrmMain::CmdOK_Click()
{
    const int type = m_catalogue.CurrentType;
    bool completed = true;
    if (type == 0)
        completed = runExpressionBranch();
    else if (type >= 1 && type < CalculationTypeCount)
        completed = runWeightBranch();
    if (completed && MnuS_FZ->isChecked())
        CmdFZ_Click();
}

bool FrmMain::runExpressionBranch()
{
    const std::optional<QString> text = m_expressionPanel->enterIntoHistory();
    if (!text)
        return false;

    // A failing step is skipped: the result box keeps what the last edit left (empty).
    try {
        const QString value = BDSJS(*text, m_expression, *this, m_prompts);
        TxtJieGuo->setText(JingDu(value));
    } catch (const ErrorValue &) {
    }

    m_expressionPanel->trimHistory(m_historyLimit);
    return true;
}

bool FrmMain::runWeightBranch()
{
    const WeightOutcome outcome =
        weightPanel().calculate(m_material.DensityFactor(), m_precisionMode, [this](const QString &text) {
            try {
                return BDSJS(text, m_expression, *this, m_prompts);
            } catch (const ErrorValue &) {
                return QString(); // a box of "=" only is no number
            }
        });
    if (outcome.disableCmdOK)
        CmdOK->setEnabled(false);
    if (TxtJieGuo->text() != outcome.display.resultText)
        TxtJieGuo->setText(outcome.display.resultText);
    return outcome.completed;
}

void FrmMain::MSBDSSL_Click(int index)
{
    QAction *item = MSBDSSL[static_cast<std::size_t>(index)];
    item->setChecked(true);
    m_historyLimit = static_cast<int>(readNumberPrefix(item->text()));
    m_rwini.SetIniS(FrmMainText::SectionExpression, FrmMainText::KeyHistorySize, QString::number(index));
    setPanelText(1, FrmMainText::HistorySizeStatus + item->text());
}

void FrmMain::MSjddw_Click(int index)
{
    MSjddw[static_cast<std::size_t>(index)]->setChecked(true);
    m_expression.ToHDu = index == 1 ? 1.0f : DegreeFactor;
    const QString unit = MSjddw[0]->isChecked() ? MSjddw[0]->text() : MSjddw[1]->text();
    if (m_catalogue.CurrentType == 0) {
        setPanelText(2, unit);
        m_panels[1]->setToolTip(FrmMainText::AngleUnitToolTip);
    }
    setPanelText(1, FrmMainText::AngleUnitStatus + unit);
}

void FrmMain::MSJingDu_Click(int index)
{
    MSJingDu[static_cast<std::size_t>(index)]->setChecked(true);
    m_precisionMode = index;
    CmdOK_Click();
    setPanelText(1, FrmMainText::PrecisionStatus + MSJingDu[static_cast<std::size_t>(index)]->text());
}

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

void FrmMain::TxtJieGuo_Change()
{
    CmdFZ->setEnabled(TxtJieGuo->text().size() >= 2);
}

void FrmMain::CmdFZ_Click()
{
    const QString result = TxtJieGuo->text();
    if (trimBlanks(result).size() < 2)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(result);
    setPanelText(1, FrmMainText::CopiedStatus);
}

void FrmMain::MnuS_FZ_Click()
{
    // The action has toggled its own check mark.
    CmdFZ->setText(MnuS_FZ->isChecked() ? FrmMainText::CmdFZAuto : FrmMainText::CmdFZManual);
}
