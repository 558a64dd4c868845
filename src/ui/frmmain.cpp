#include "ui/frmmain.h"

#include "common/numbertext.h"
#include "expression/jingdu.h"
#include "platform/prompts.h"
#include "ui/expressionpanel.h"
#include "ui/frmcgggkk.h" // GaugeWindows reads the window through a QPointer
#include "ui/frmmain_texts.h"
#include "ui/gaugewindows.h"
#include "ui/linkscontroller.h"
#include "ui/lookuppanel.h"
#include "ui/materiallistcontroller.h"
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
      m_rwini([this](const QString &notice) {
          // Shown after the action that stored the setting has written its own status text.
          QMetaObject::invokeMethod(
              this, [this, notice] { setPanelText(1, notice); }, Qt::QueuedConnection);
      })
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(FrmMainText::ProductName);
    setWindowIcon(typeIcon(CalculationType::Expression));
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
        if (m_catalogue.CurrentType == CalculationType::Expression)
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
    // Boxes that no longer hold what the shown line was computed from leave nothing to add.
    connect(m_weightPanel, &WeightPanel::resultStale, this,
            [this] { m_materialList->offerLine(std::nullopt); });
    connect(m_weightPanel, &WeightPanel::calculableChanged, this, [this](bool calculable) {
        if (!calculable)
            m_materialList->offerLine(std::nullopt);
    });
    connect(m_weightPanel, &WeightPanel::statusMessage, this,
            [this](const QString &text) { setPanelText(1, text); });
    return *m_weightPanel;
}

LookupPanel &FrmMain::lookupPanel()
{
    if (!m_lookupPanel) {
        m_lookupPanel = new LookupPanel(m_prompts, PicMain);
        m_lookupPanel->placeIn(m_inputRow, m_lowerRow, m_expressionPanel->expressionBox());
        connect(m_lookupPanel, &LookupPanel::calculateRequested, this, &FrmMain::CmdOK_Click);
    }
    return *m_lookupPanel;
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

AngleUnit FrmMain::angleUnit() const
{
    return MSjddw[1]->isChecked() ? AngleUnit::Radians : AngleUnit::Degrees;
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

void FrmMain::CmdOK_Click()
{
    const CalculationType type = m_catalogue.CurrentType;
    const bool completed = type == CalculationType::Expression ? runExpressionBranch()
                           : isLookup(typeRecord(type))        ? runLookupBranch()
                                                               : runWeightBranch();
    if (completed && MnuS_FZ->isChecked())
        CmdFZ_Click();
}

bool FrmMain::runExpressionBranch()
{
    const std::optional<QString> text = m_expressionPanel->enterIntoHistory();
    if (!text)
        return false;

    // Without a value the result box keeps what the last edit left (empty).
    const ExpressionOutcome outcome = BDSJS(*text, m_expression, angleUnit());
    showNotices(m_prompts, outcome.notices);
    if (outcome.textAtFault)
        removeNewestHistoryEntry();
    if (outcome.value)
        TxtJieGuo->setText(JingDu(*outcome.value, m_precisionMode));

    m_expressionPanel->trimHistory(m_historyLimit);
    return true;
}

bool FrmMain::runWeightBranch()
{
    const WeightOutcome outcome = weightPanel().calculate(
        m_material.DensityFactor(), m_material.exactDensityFactor(), m_precisionMode,
        [this](const QString &text) {
            // The weight boxes keep no history: a text at fault only gets its messages.
            const ExpressionOutcome evaluated = BDSJS(text, m_expression, angleUnit());
            showNotices(m_prompts, evaluated.notices);
            return evaluated.value ? doubleText(*evaluated.value) : QString();
        },
        TxtJieGuo->text());
    if (outcome.disableCmdOK)
        CmdOK->setEnabled(false);
    if (TxtJieGuo->text() != outcome.display.resultText)
        TxtJieGuo->setText(outcome.display.resultText);
    std::optional<CalculatorLine> line = outcome.line;
    if (line)
        line->material = m_material.listName();
    m_materialList->offerLine(std::move(line));
    return outcome.completed;
}

bool FrmMain::runLookupBranch()
{
    const LookupAnswer answer = lookupPanel().calculate();
    TxtJieGuo->setText(answer.result);
    TxtJieGuo->setCursorPosition(0); // a drawing's text may be longer than the box: its start shows
    setPanelText(1, answer.status);
    return !answer.failed;
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
    m_expression.ToHDu = static_cast<AngleUnit>(index) == AngleUnit::Radians ? 1.0f : DegreeFactor;
    const QString unit = MSjddw[0]->isChecked() ? MSjddw[0]->text() : MSjddw[1]->text();
    if (m_catalogue.CurrentType == CalculationType::Expression) {
        setPanelText(2, unit);
        m_panels[1]->setToolTip(FrmMainText::AngleUnitToolTip);
    }
    setPanelText(1, FrmMainText::AngleUnitStatus + unit);
}

void FrmMain::MSJingDu_Click(int index)
{
    MSJingDu[static_cast<std::size_t>(index)]->setChecked(true);
    m_precisionMode = static_cast<::PrecisionMode>(index);
    CmdOK_Click();
    setPanelText(1, FrmMainText::PrecisionStatus + MSJingDu[static_cast<std::size_t>(index)]->text());
}

void FrmMain::MSCaiZhi_Click(int index)
{
    const auto material = static_cast<Material>(index);
    QString typedDensity;
    if (material == Material::Custom)
        typedDensity = m_prompts.input(MaterialDensity::customPrompt(), MaterialDensity::customTitle(),
                                       m_material.customDensityText());
    const MaterialChoice choice = m_material.apply(material, typedDensity);
    showNotices(m_prompts, choice.notices);
    for (int i = 0; i < MaterialCount; ++i)
        MSCaiZhi[static_cast<std::size_t>(i)]->setChecked(static_cast<Material>(i) == choice.checked);
    MSCaiZhi[static_cast<std::size_t>(Material::Custom)]->setText(m_material.caption(Material::Custom));
    setPanelText(2, choice.panel2Text);
    m_panels[1]->setVisible(choice.panel2Visible);
    CmdOK_Click();
    setPanelText(1, choice.panel1Text);
}

void FrmMain::setMaterialPanel()
{
    m_panels[1]->setVisible(!MSCaiZhi[static_cast<std::size_t>(Material::Steel)]->isChecked());
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
