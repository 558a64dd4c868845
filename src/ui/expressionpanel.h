#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class Prompts;
class QBoxLayout;
class QComboBox;
class QFont;
class QLabel;
class QPushButton;
class QWidget;

// The expression text split at its selection, taken when the expression box loses the focus.
struct SelectionSplitText
{
    QString Before;
    QString Selected;
    QString After;
};

// The expression calculator's part of the main window: the expression box with its history,
// its label and the quick-input buttons. The window calculates, shows the result and stores
// the history; the panel edits the text and reports what the user asked for.
class ExpressionPanel : public QObject
{
    Q_OBJECT

public:
    // The widgets are children of `parent`; the window lays them out with placeIn().
    ExpressionPanel(Prompts &prompts, const QFont &numberFont, QWidget *parent);

    // Puts the expression box at the front of the window's input row and the quick-input
    // buttons at the front of the row below it.
    void placeIn(QBoxLayout *inputRow, QBoxLayout *lowerRow);
    void setShown(bool shown);
    void focusExpression();
    // The window puts its commands between the box and the quick-input buttons in the
    // focus chain.
    QWidget *expressionBox() const;

    QString expressionText() const;

    // The calculate command's first step: the typed text without blanks becomes history
    // entry 0 and older copies of it go. Nothing when the text is empty.
    std::optional<QString> enterIntoHistory();
    // The calculate command's last step: one entry beyond `limit` goes.
    void trimHistory(int limit);
    void removeNewestHistoryEntry();

    // Start-up fills the history list entry by entry and then opens the box empty.
    void appendHistoryEntry(const QString &entry);
    void openEmpty();
    QStringList historyEntries() const;

    const SelectionSplitText &SelectionSplit() const { return m_selectionSplit; }

Q_SIGNALS:
    // The typed text changed: a shown result no longer belongs to it. `calculable` when the
    // text holds more than blanks.
    void expressionChanged(bool calculable);
    // A shown result no longer belongs to the text (a pick from the history, "清空").
    void resultStale();
    // Enter in the box or "粘贴 ＆ 计算".
    void calculateRequested();
    // A text for status panel 1.
    void statusMessage(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(const QFont &numberFont, QWidget *parent);
    void CombKJSR_Change();
    void CombKJSR_Click();
    bool CombKJSR_KeyPress(int key);
    void CombKJSR_Validate();
    void CmdHanShu_Click(int index);
    void CmdZT_Click();
    void CmdQK_Click();
    void LabBDS_DblClick();

    Prompts &m_prompts;
    SelectionSplitText m_selectionSplit;

    QWidget *m_inputArea = nullptr; // LabBDS and CombKJSR
    QLabel *LabBDS = nullptr;
    QComboBox *CombKJSR = nullptr;
    QWidget *PicBDSCmd = nullptr;
    QPushButton *CmdZT = nullptr;
    QPushButton *CmdQK = nullptr;
    std::array<QPushButton *, 5> CmdHanShu{};
};
