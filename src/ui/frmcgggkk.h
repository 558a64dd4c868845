#pragma once

#include <QWidget>

#include <array>

class Prompts;
class QLabel;
class QListWidget;
class QRadioButton;
class SectionView;

// The reference window with the bolt-hole gauge lines of channel, I-beam and angle steel.
// Read-only: the user picks a section kind, then a size, and the size's gauge lines a, a1 and
// the largest hole diameter D appear beside the drawing of the section.
//
// The window has no owner and is not modal. It shares the chosen kind (0 channel, 1 I-beam,
// 2 angle) with the main window through `gaugeTableIndex`, which must outlive the window: the
// window loads with that kind and stores every kind the user picks into it.
class FrmCGGGKK : public QWidget
{
    Q_OBJECT

public:
    FrmCGGGKK(Prompts &prompts, quint8 &gaugeTableIndex, QWidget *parent = nullptr);

    static const QString &title();

    // The rows of the three lists, as shown: cells joined by "|" with blanks around the values.
    static QStringList channelRows();
    static QStringList iBeamRows();
    static QStringList angleRows();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void OptXG_Click(int index);
    void LstCG_Click();
    void LstGZG_Click();
    void LstJG_Click();
    void Lab_BS_Click(int index);

    void buildPanel(int kind);
    void placeMarks(int kind);

    Prompts &m_prompts;
    quint8 &m_gaugeTableIndex;

    std::array<QRadioButton *, 3> OptXG{};
    std::array<QWidget *, 3> PicXG{};
    std::array<QLabel *, 3> Labbel1{};
    QListWidget *LstCG = nullptr;
    QListWidget *LstGZG = nullptr;
    QListWidget *LstJG = nullptr;
    SectionView *Image1 = nullptr;
    SectionView *Image2 = nullptr;
    SectionView *Image3 = nullptr;
    // Caption labels by index; there is no label 11.
    std::array<QLabel *, 15> Lab_BS{};
    std::array<QLabel *, 4> LabCG{};
    std::array<QLabel *, 4> LabGG{};
    std::array<QLabel *, 4> LabJG{};
    QLabel *m_angleLegCaption = nullptr; // "b" at the leg width of the angle drawing
};
