#pragma once

#include <QColor>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QWidget>

class QPainter;

// One palette for the drawn sections and the toolbar images.
namespace DrawingPalette {
inline const QColor steel{0x9a, 0xa7, 0xb4};      // section fill
inline const QColor steelLight{0xc9, 0xd2, 0xdb}; // highlights on bars and plates
inline const QColor outline{0x26, 0x30, 0x3a};
inline const QColor centreLine{0x1f, 0x6f, 0xb8}; // gauge and centre lines
inline const QColor dimension{0x3a, 0x45, 0x50};
inline const QColor accent{0x1f, 0x6f, 0xb8};
} // namespace DrawingPalette

// The rolled-steel sections that have gauge lines.
enum class SectionKind { Channel, IBeam, Angle };

struct SectionOptions
{
    // Gauge lines a and a1, the holes D, dimension lines and arrows.
    bool annotate = false;
    // Heavier flanges and legs so that the outline still reads on a 16-pixel icon.
    bool iconProportions = false;
    qreal outlineWidth = 1.2; // pixels
    // Room kept free around the section for the dimension texts (annotated drawings only).
    QMarginsF textRoom = QMarginsF(28, 26, 64, 30);
};

// Where a text belongs next to a dimension: `at` is the point the text block touches and
// `alignment` says which side of the block touches it (e.g. AlignLeft | AlignVCenter: the
// block starts at `at` and is centred on it vertically).
struct SectionMark
{
    QPointF at;
    int alignment = 0;
    bool used = false;
};

struct SectionMarks
{
    QRectF section; // bounding box of the drawn section
    SectionMark a;  // gauge a
    SectionMark a1; // gauge a1 (not on the angle)
    SectionMark d;  // largest hole diameter D
    SectionMark b;  // leg width b (angle only)
};

// Draws the cross-section of `kind` centred in `box`, uniformly scaled to fit, and returns
// where the annotation texts belong. The painter's state is restored afterwards.
SectionMarks paintSection(QPainter &painter, const QRectF &box, SectionKind kind,
                          const SectionOptions &options = {});

// The same marks without drawing, for laying out labels over a drawing.
SectionMarks sectionMarks(const QRectF &box, SectionKind kind, const SectionOptions &options = {});

// A widget that shows one annotated section filling its area; labels laid over it find their
// places through marks().
class SectionView : public QWidget
{
public:
    SectionView(SectionKind kind, const SectionOptions &options, QWidget *parent = nullptr);

    SectionMarks marks() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SectionKind m_kind;
    SectionOptions m_options;
};
