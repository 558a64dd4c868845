#pragma once

#include "catalogue/catalogue.h"
#include "expression/bdsjs.h"
#include "settings/rwini.h"
#include "ui/expressionpanel.h" // SelectionSplitText
#include "weight/material.h"

#include <QMainWindow>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class GaugeWindows;
class LinksController;
class LookupPanel;
class MaterialListController;
class WeightPanel;
class Prompts;
class Shell;
class QAction;
class QActionGroup;
class QBoxLayout;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QWidget;

// The toolbar has one button for each of the first types; later types are reached through the
// type list and the menu only, so the window keeps its width.
inline constexpr int ToolbarButtonCount = 13;

// The main window, a frame around the calculator panels: the menus, the toolbar, the status
// bar, type switching, the result row and the calculate command of both calculators. The
// expression panel is built with the window, the weight panel at start-up (the window's width
// is measured on the rows of every type), and the link editor when first used. The window owns the run-time
// state; dialogs go through Prompts and launches through Shell so that the same window runs with the real
// desktop and with recording fakes.
class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // `endProgram` ends the program: called after the close request has stored the history,
    // and by the settings store and the start-up error handler when they end the run.
    FrmMain(Prompts &prompts, Shell &shell, QString programDirectory, std::function<void()> endProgram,
            QWidget *parent = nullptr);
    ~FrmMain() override;

    // Start-up from the version text to hiding the settings file. False when the program must
    // end (the window must then not be shown); true when it runs on, also after an error that
    // only stopped the start-up early.
    bool Form_Load();

    // A command handed over by a second start of the program.
    void Form_LinkExecute(const QString &command);

    // "1.0.00": the revision gets one "0" in front while it has at most three digits.
    static QString makeVersionText(int major, int minor, int revision);

    // The calculate command of both calculators.
    void CmdOK_Click();
    // Chooses calculation type `index` (0..12): the one entry point of menu, combo and toolbar.
    void MnuJS_Click(int index);

    const QString &VersionText() const { return m_versionText; }
    int HistoryLimit() const { return m_historyLimit; }
    int PrecisionMode() const { return static_cast<int>(m_precisionMode); }
    float ToHDu() const { return m_expression.ToHDu; }
    float DensityFactor() const { return m_material.DensityFactor(); }
    float CustomDensity() const { return m_material.CustomDensity(); }
    float UnitWeight() const;
    const CatalogueState &catalogue() const { return m_catalogue; }
    const SelectionSplitText &SelectionSplit() const;
    // The text of status bar panel 1..5.
    QString panelText(int panel) const;

    // The angle unit checked in the menu.
    AngleUnit angleUnit() const;
    int currentType() const { return typeIndex(m_catalogue.CurrentType); }
    // Drops entry 0 of the expression history, keeping the typed text.
    void removeNewestHistoryEntry();

Q_SIGNALS:
    // A type switch laid the window out for `type` (once per choice).
    void calculationTypeChanged(int type);
    // A status bar panel (1..5) was given a new text.
    void panelTextChanged(int panel, const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Construction (frmmain_controls.cpp).
    void buildMenus();
    void buildToolbar();
    void buildPanel();
    void buildStatusBar();
    void connectExpressionPanel();
    QAction *addNamedAction(QMenu *menu, const QString &name, const QString &caption, bool checkable = false);
    void createTypeItems();
    void applyStartupLayout();

    // Start-up, title, on-top, close (frmmain_startup.cpp).
    bool runStartupSteps();
    void loadHistory();
    void storeHistory();
    void setTopMost(bool topMost);
    QString typeTitle() const;
    void MnuS_Top_Click();
    void MnuH_About_Click();
    void MnuQT_Click(int index);
    void MnuEnd_Click();
    void closeGaugeWindow();
    void updateClock();
    void showLinkEditor(bool shown);

    // The calculate command, the result row and the settings menu (frmmain.cpp).
    bool runExpressionBranch();
    bool runWeightBranch();
    bool runLookupBranch();
    void MSBDSSL_Click(int index);
    void MSjddw_Click(int index);
    void MSJingDu_Click(int index);
    void MSCaiZhi_Click(int index);
    void setMaterialPanel();
    void TxtJieGuo_Change();
    void CmdFZ_Click();
    void MnuS_FZ_Click();

    // Type switching (frmmain_types.cpp).
    void Toolbar_ButtonClick(int button);
    void showExpressionLayout();
    void showWeightLayout(bool lookup);
    void selectTypeEntry(int index);
    WeightPanel &weightPanel();
    LookupPanel &lookupPanel();

    void setPanelText(int panel, const QString &text);
    void endProgram();

    Prompts &m_prompts;
    Shell &m_shell;
    QString m_programDirectory;
    std::function<void()> m_endProgram;
    bool m_ended = false;
    bool m_startingUp = false; // Form_Load runs: the window is not complete yet
    bool m_closing = false;
    RWini m_rwini;
    ExpressionPanel *m_expressionPanel = nullptr; // owned by PicMain
    WeightPanel *m_weightPanel = nullptr;         // owned by PicMain; built when the start-up measures it
    LookupPanel *m_lookupPanel = nullptr;         // owned by PicMain; built at the first lookup
    LinksController *m_links = nullptr; // owned as a child QObject; builds its editor when first used
    std::unique_ptr<GaugeWindows> m_gauge;
    MaterialListController *m_materialList = nullptr; // a child QObject; loads the list at first use

    // Window state.
    QString m_versionText;
    CatalogueState m_catalogue;
    ExpressionState m_expression;
    int m_historyLimit = 8;
    ::PrecisionMode m_precisionMode = ::PrecisionMode::SmartLow;
    MaterialDensity m_material; // DensityFactor and CustomDensity
    QSize m_sizeBeforeEditor;

    // Menus.
    QMenu *MnuF = nullptr;
    std::array<QAction *, CalculationTypeCount> MnuJS{};
    QActionGroup *m_typeGroup = nullptr;
    QAction *m_typeSeparator = nullptr; // the type items are created in front of it
    QAction *MnuEnd = nullptr;
    QMenu *MnuSet = nullptr;
    std::array<QAction *, 2> MSjddw{};
    std::array<QAction *, 5> MSJingDu{};
    std::array<QAction *, 4> MSBDSSL{};
    QMenu *MSCZ = nullptr;
    std::array<QAction *, 4> MSCaiZhi{};
    QAction *MnuS_FZ = nullptr;
    QAction *MnuS_Top = nullptr;
    QMenu *MnuLJ = nullptr;
    QMenu *MnuQTT = nullptr;
    QMenu *MnuQT1 = nullptr;
    std::array<QAction *, 3> MnuQT{};
    QAction *MnuH_About = nullptr;

    // Toolbar and status bar.
    QToolBar *Toolbar = nullptr;
    std::array<QAction *, ToolbarButtonCount> m_toolButtons{};
    QActionGroup *m_toolGroup = nullptr;
    std::array<QLabel *, 5> m_panels{};
    QTimer *m_clock = nullptr;

    // The calculator area: the panels' parts start the two rows, the frame's commands and the
    // result end them.
    QWidget *PicMain = nullptr;
    QBoxLayout *m_inputRow = nullptr;
    QBoxLayout *m_lowerRow = nullptr;
    QComboBox *CombJS = nullptr;
    QLabel *LabJieGuo = nullptr;
    QLineEdit *TxtJieGuo = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *CmdFZ = nullptr;
    QPushButton *CmdEnd = nullptr;
    QLabel *LabDDE = nullptr;
    QFrame *Line1 = nullptr;
    QFrame *Line2 = nullptr;
};
