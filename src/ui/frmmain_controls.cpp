#include "ui/frmmain.h"

#include "ui/expressionpanel.h"
#include "ui/frmmain_texts.h"
#include "ui/materiallistcontroller.h"
#include "ui/numberfont.h"
#include "ui/typeicons.h"
#include "ui/typeitems.h"
#include "ui/weightpanel.h"
#include "ui/windowhelpers.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString indexed(const QString &name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

} // namespace

QAction *FrmMain::addNamedAction(QMenu *menu, const QString &name, const QString &caption, bool checkable)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setCheckable(checkable);
    menu->addAction(action);
    return action;
}

void FrmMain::buildMenus()
{
    using namespace FrmMainText;
    QMenuBar *bar = menuBar();

    MnuF = bar->addMenu(FrmMainText::MnuF);
    MnuF->setObjectName(QStringLiteral("MnuF"));
    m_typeGroup = new QActionGroup(this);
    MnuJS[0] =
        addNamedAction(MnuF, indexed(QStringLiteral("MnuJS"), 0), TypeRecords[0].caption.toString(), true);
    MnuJS[0]->setData(0);
    MnuJS[0]->setIcon(typeIcon(CalculationType::Expression));
    m_typeGroup->addAction(MnuJS[0]);
    connect(m_typeGroup, &QActionGroup::triggered, this,
            [this](QAction *action) { MnuJS_Click(action->data().toInt()); });
    m_typeSeparator = MnuF->addSeparator();
    MnuEnd = addNamedAction(MnuF, QStringLiteral("MnuEnd"), FrmMainText::MnuEnd);
    connect(MnuEnd, &QAction::triggered, this, &FrmMain::MnuEnd_Click);

    MnuSet = bar->addMenu(FrmMainText::MnuSet);
    MnuSet->setObjectName(QStringLiteral("MnuSet"));

    // Each exclusive group is one checkable QActionGroup whose slot takes the item index.
    auto addGroup = [this](QMenu *menu, const QString &name, const QStringList &captions, auto *items,
                           auto handler) {
        auto *group = new QActionGroup(this);
        for (int i = 0; i < captions.size(); ++i) {
            QAction *action = addNamedAction(menu, indexed(name, i), captions.at(i), true);
            action->setData(i);
            group->addAction(action);
            (*items)[static_cast<std::size_t>(i)] = action;
        }
        connect(group, &QActionGroup::triggered, this,
                [this, handler](QAction *action) { (this->*handler)(action->data().toInt()); });
    };

    QMenu *angle = MnuSet->addMenu(AngleUnitMenu);
    angle->setObjectName(QStringLiteral("MnuSet_jddw"));
    addGroup(angle, QStringLiteral("MSjddw"), FrmMainText::MSjddw, &MSjddw, &FrmMain::MSjddw_Click);
    MSjddw[0]->setChecked(true);
    MnuSet->addSeparator();

    QMenu *precision = MnuSet->addMenu(PrecisionMenu);
    precision->setObjectName(QStringLiteral("MnuSet_JingDu"));
    addGroup(precision, QStringLiteral("MSJingDu"), FrmMainText::MSJingDu, &MSJingDu,
             &FrmMain::MSJingDu_Click);
    MSJingDu[0]->setChecked(true);
    MnuSet->addSeparator();

    QMenu *history = MnuSet->addMenu(HistorySizeMenu);
    history->setObjectName(QStringLiteral("MnuSet_BDSSL"));
    addGroup(history, QStringLiteral("MSBDSSL"), FrmMainText::MSBDSSL, &MSBDSSL, &FrmMain::MSBDSSL_Click);
    MSBDSSL[1]->setChecked(true);
    MnuSet->addSeparator();

    MSCZ = MnuSet->addMenu(FrmMainText::MSCZ);
    MSCZ->setObjectName(QStringLiteral("MSCZ"));
    addGroup(MSCZ, QStringLiteral("MSCaiZhi"), FrmMainText::MSCaiZhi, &MSCaiZhi, &FrmMain::MSCaiZhi_Click);
    MSCaiZhi[0]->setChecked(true);
    MnuSet->addSeparator();

    MnuS_FZ = addNamedAction(MnuSet, QStringLiteral("MnuS_FZ"), FrmMainText::MnuS_FZ, true);
    MnuS_FZ->setChecked(true);
    connect(MnuS_FZ, &QAction::triggered, this, &FrmMain::MnuS_FZ_Click);
    MnuSet->addSeparator();
    MnuS_Top = addNamedAction(MnuSet, QStringLiteral("MnuS_Top"), FrmMainText::MnuS_Top, true);
    MnuS_Top->setChecked(true);
    connect(MnuS_Top, &QAction::triggered, this, &FrmMain::MnuS_Top_Click);

    // The link items are created by the link controller.
    MnuLJ = bar->addMenu(FrmMainText::MnuLJ);
    MnuLJ->setObjectName(QStringLiteral("MnuLJ"));

    MnuQTT = bar->addMenu(FrmMainText::MnuQTT);
    MnuQTT->setObjectName(QStringLiteral("MnuQTT"));
    MnuQT1 = MnuQTT->addMenu(FrmMainText::MnuQT1);
    MnuQT1->setObjectName(QStringLiteral("MnuQT1"));
    for (int i = 0; i < 3; ++i) {
        MnuQT[static_cast<std::size_t>(i)] =
            addNamedAction(MnuQT1, indexed(QStringLiteral("MnuQT"), i), FrmMainText::MnuQT.at(i));
        connect(MnuQT[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { MnuQT_Click(i); });
    }

    MnuH_About = new QAction(FrmMainText::MnuH_About, this);
    MnuH_About->setObjectName(QStringLiteral("MnuH_About"));
    bar->addAction(MnuH_About);
    connect(MnuH_About, &QAction::triggered, this, &FrmMain::MnuH_About_Click);
}

void FrmMain::buildToolbar()
{
    Toolbar = addToolBar(QStringLiteral("Toolbar"));
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setMovable(false);
    Toolbar->setFloatable(false);
    Toolbar->setIconSize(QSize(20, 20));
    Toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolGroup = new QActionGroup(this);
    for (int k = 1; k <= ToolbarButtonCount; ++k) {
        auto *button = new QAction(typeIcon(calculationTypeAt(k - 1)), QString(), this);
        button->setObjectName(QStringLiteral("Toolbar.Buttons(%1)").arg(k));
        button->setCheckable(true);
        button->setData(k);
        m_toolGroup->addAction(button);
        Toolbar->addAction(button);
        m_toolButtons[static_cast<std::size_t>(k - 1)] = button;
    }
    connect(m_toolGroup, &QActionGroup::triggered, this,
            [this](QAction *button) { Toolbar_ButtonClick(button->data().toInt()); });

    Toolbar->addSeparator();
    CombJS = new QComboBox(Toolbar);
    CombJS->setObjectName(QStringLiteral("CombJS"));
    CombJS->addItem(typeIcon(CalculationType::Expression), TypeRecords[0].caption.toString(), 0);
    CombJS->setMinimumWidth(96);
    CombJS->setFocusPolicy(Qt::ClickFocus);
    Toolbar->addWidget(CombJS);
    connect(CombJS, &QComboBox::activated, this,
            [this](int place) { MnuJS_Click(typeAtListPlace(CombJS, place)); });
}

void FrmMain::buildPanel()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("FrmMainClient"));
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    setCentralWidget(central);

    Line1 = new QFrame(central);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    centralLayout->addWidget(Line1);

    PicMain = new QWidget(central);
    PicMain->setObjectName(QStringLiteral("PicMain"));
    centralLayout->addWidget(PicMain, 1);

    Line2 = new QFrame(central);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setFrameShape(QFrame::HLine);
    Line2->setFrameShadow(QFrame::Sunken);
    centralLayout->addWidget(Line2);

    // Two rows: each panel puts its part at the front, the commands and the result end them.
    const QFont arial = numberFont();
    m_expressionPanel = new ExpressionPanel(m_prompts, arial, PicMain);

    CmdOK = new QPushButton(FrmMainText::CmdOK, PicMain);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setEnabled(false);
    connect(CmdOK, &QPushButton::clicked, this, &FrmMain::CmdOK_Click);
    CmdEnd = new QPushButton(FrmMainText::CmdEnd, PicMain);
    CmdEnd->setObjectName(QStringLiteral("CmdEnd"));
    connect(CmdEnd, &QPushButton::clicked, this, &FrmMain::MnuEnd_Click);

    auto *inputRow = new QHBoxLayout;
    inputRow->setSpacing(4);
    inputRow->addStretch(0);
    inputRow->addSpacing(6);
    inputRow->addWidget(CmdOK);
    inputRow->addWidget(CmdEnd);

    LabJieGuo = new QLabel(FrmMainText::LabJieGuo, PicMain);
    LabJieGuo->setObjectName(QStringLiteral("LabJieGuo"));
    TxtJieGuo = new QLineEdit(PicMain);
    TxtJieGuo->setObjectName(QStringLiteral("TxtJieGuo"));
    TxtJieGuo->setFont(arial);
    TxtJieGuo->setReadOnly(true);
    TxtJieGuo->setMinimumWidth(120);
    LabJieGuo->setBuddy(TxtJieGuo);
    connect(TxtJieGuo, &QLineEdit::textChanged, this, &FrmMain::TxtJieGuo_Change);
    CmdFZ = new QPushButton(FrmMainText::CmdFZAuto, PicMain);
    CmdFZ->setObjectName(QStringLiteral("CmdFZ"));
    CmdFZ->setEnabled(false);
    connect(CmdFZ, &QPushButton::clicked, this, &FrmMain::CmdFZ_Click);
    m_materialList = new MaterialListController(MnuQTT, PicMain, this, m_prompts, m_programDirectory, this);
    connect(m_materialList, &MaterialListController::statusMessage, this,
            [this](const QString &text) { setPanelText(1, text); });

    auto *resultRow = new QHBoxLayout;
    resultRow->setSpacing(4);
    resultRow->addStretch(0);
    resultRow->addWidget(LabJieGuo);
    resultRow->addWidget(TxtJieGuo);
    resultRow->addWidget(CmdFZ);
    resultRow->addWidget(m_materialList->addButton());

    m_expressionPanel->placeIn(inputRow, resultRow);
    m_inputRow = inputRow;
    m_lowerRow = resultRow;
    // The commands follow the expression box in the focus chain, before the quick buttons.
    QWidget::setTabOrder(m_expressionPanel->expressionBox(), CmdOK);
    QWidget::setTabOrder(CmdOK, CmdEnd);

    auto *panel = new QVBoxLayout(PicMain);
    panel->setContentsMargins(8, 8, 8, 6);
    panel->setSpacing(8);
    panel->addLayout(inputRow);
    panel->addLayout(resultRow);
    panel->addStretch(1);

    // The old hand-over label; it stays out of sight.
    LabDDE = new QLabel(FrmMainText::LabDDE, this);
    LabDDE->setObjectName(QStringLiteral("LabDDE"));
    LabDDE->hide();
}

void FrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatBar"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatBar.Panels(%1)").arg(i + 1));
        panel->setTextFormat(Qt::PlainText);
        panel->setContentsMargins(4, 0, 4, 0);
        m_panels[static_cast<std::size_t>(i)] = panel;
        if (i == 0)
            bar->addWidget(panel, 1);
        else
            bar->addPermanentWidget(panel);
    }
    m_panels[0]->setMinimumWidth(80);
    m_panels[2]->setText(FrmMainText::PanelTypeExpression);
    m_panels[3]->setToolTip(FrmMainText::PanelTimeToolTip);
    m_panels[4]->setToolTip(FrmMainText::PanelDateToolTip);

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &FrmMain::updateClock);
    m_clock->start();
    updateClock();
}

void FrmMain::createTypeItems()
{
    addTypeItems(MnuF, m_typeSeparator, m_typeGroup, CombJS, MnuJS, ToolbarButtonCount, this);
    for (std::size_t i = 0; i < ToolbarButtonCount; ++i)
        m_toolButtons[i]->setToolTip(MnuJS[i]->text());
}

void FrmMain::applyStartupLayout()
{
    PicMain->setMinimumHeight(twips(1220));
    // One width for every calculation type, so that the window never changes its width on a
    // switch: the designed 8330 twips, or, where the captions need more at the desktop's font,
    // the least width that fits the widest layout of all.
    const auto neededWidth = [this] {
        layOutUpToWindow(PicMain);
        return minimumSizeHint().width();
    };
    m_expressionPanel->setShown(false);
    int width = weightPanel().widestTypeLayout(neededWidth);
    m_expressionPanel->setShown(true);
    width = std::max({width, neededWidth(), twips(8330)});
    setMinimumWidth(width);
    resize(width, twips(2720));
}
