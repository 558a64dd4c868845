#pragma once

#include "weight/weightcomputation.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>

struct CatalogueState;
struct LoadedTable;
struct CalculationTypeRecord;
class Prompts;
class QBoxLayout;
class QComboBox;
class QKeyEvent;
class QLabel;
class QWidget;

// The weight calculator's part of the main window: the rows of input boxes of the chosen
// type, its sub-type list and the unit-weight caption below them. It filters what may be
// typed, moves the focus with Enter, loads the type's table and runs the weight computation;
// the window shows the result and reports upward what the panel asks for.
class WeightPanel : public QObject
{
    Q_OBJECT

public:
    // The widgets are children of `parent`; the window lays them out with placeIn().
    // `catalogue` is the window's: the type switch writes the current type there.
    WeightPanel(CatalogueState &catalogue, Prompts &prompts, QWidget *parent);

    // Puts the input rows at the front of the window's input row and the unit-weight
    // caption at the front of the row below it.
    void placeIn(QBoxLayout *inputRow, QBoxLayout *lowerRow);
    // Takes the input boxes into the window's focus chain right after `previous`.
    void chainFocusAfter(QWidget *previous);

    void setShown(bool shown);
    // Hides every row and puts 1 into the boxes that have a number, as a type switch starts.
    void clearRows();
    // Shows the rows of weight type `type`, loads its table and computes the first weight.
    void layOut(CalculationType type);
    // What `windowWidth` gives while the widest rows of all weight types are shown (captions
    // and lists only, no table is loaded); the rows are hidden again after.
    int widestTypeLayout(const std::function<int()> &windowWidth);

    // One run of the weight computation on what the boxes hold; the caption shows its
    // outcome, the window the result. `shownResult` is what the result box shows now: a
    // step that fails leaves it, and the caption, as they are.
    WeightOutcome calculate(float densityFactor, double exactDensityFactor, PrecisionMode precisionMode,
                            std::function<QString(const QString &)> evaluate, const QString &shownResult);
    float UnitWeight() const { return m_unitWeight; }

Q_SIGNALS:
    // Whether the boxes hold what a computation needs (the window's calculate command).
    void calculableChanged(bool calculable);
    // The boxes changed and hold a complete input: the window calculates.
    void calculateRequested();
    // A shown result no longer belongs to the boxes.
    void resultStale();
    // A text for status panel 1.
    void statusMessage(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(QWidget *parent);
    void connectWeightInputs();
    void showRowsOf(const CalculationTypeRecord &record);
    void fillSizeBox(const LoadedTable &loaded, const CalculationTypeRecord &record);
    void textOrEntryChanged(int index);
    void entryPicked(int index);
    void CombLeiXing_Click();
    void CombSR_Change(int index);
    bool CombSR_KeyPress(int index, QKeyEvent *event);
    void focusNextWeightBox(int index);
    void setSizeBoxTyped(bool typed);
    void followPickedSize();

    CatalogueState &m_catalogue;
    Prompts &m_prompts;
    float m_unitWeight = 0.0f;    // UnitWeight: what the last weight run left
    bool m_switchingType = false; // holds the input-box change handler back while a switch fills the boxes
    // Box k changed its text (the pick-only list: its entry) since the user last pressed a
    // key, clicked or turned the wheel on it: a pick that changed it has run the change
    // handler already.
    std::array<bool, 4> m_changedSinceUserAction{};

    QWidget *m_inputArea = nullptr; // the rows of labels and boxes
    QComboBox *CombLeiXing = nullptr;
    std::array<QLabel *, 4> LabSM{};
    std::array<QComboBox *, 4> CombSR{};
    QLabel *LabDanZhong = nullptr;
};
