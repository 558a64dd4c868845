#pragma once

#include "catalogue/calculationtype.h"
#include "lookup/lookupanswer.h"

#include <QObject>
#include <QString>

#include <array>

class Prompts;
class QBoxLayout;
class QComboBox;
class QKeyEvent;
class QLabel;
class QWidget;

// The lookups' part of the main window: the boxes of 公差配合 (size, hole class, shaft class) or
// 普通螺纹 (designation) and the lines of the answer below them. Every keystroke looks the boxes
// up again; Enter moves to the next box. The window shows the result and copies it.
class LookupPanel : public QObject
{
    Q_OBJECT

public:
    // The widgets are children of `parent`; the window lays them out with placeIn().
    LookupPanel(Prompts &prompts, QWidget *parent);

    // Puts the boxes at the front of the window's input row and the answer's lines at the
    // front of the row below it, and takes the boxes into the focus chain after `previous`.
    void placeIn(QBoxLayout *inputRow, QBoxLayout *lowerRow, QWidget *previous);

    void setShown(bool shown);
    // Shows the boxes of lookup type `type` with their lists and first values and asks for
    // the first lookup.
    void layOut(CalculationType type);

    // Looks up what the boxes hold; the lines show the answer, the window its result.
    LookupAnswer calculate();

Q_SIGNALS:
    // The boxes changed: the window looks them up again.
    void calculateRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(QWidget *parent);
    bool boxKeyPress(std::size_t index, QKeyEvent *event);

    Prompts &m_prompts;
    CalculationType m_type = CalculationType::LimitsAndFits;
    bool m_filling = false; // the boxes are being filled by a type switch
    std::array<QString, 3> m_notes;

    QWidget *m_inputArea = nullptr;
    std::array<QLabel *, 3> m_labels{};
    std::array<QComboBox *, 3> m_boxes{};
    QLabel *m_standard = nullptr; // the type's standard, after the boxes
    QLabel *m_lines = nullptr;
};
