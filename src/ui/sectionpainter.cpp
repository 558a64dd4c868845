#include "ui/sectionpainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace {

// Proportions of one representative size per kind, in mm: the drawing shows where the gauge
// lines and holes lie, not the chosen size to scale.
struct Shape
{
    qreal h;     // height (for the angle: the leg width b)
    qreal b;     // flange width
    qreal web;   // web (or leg) thickness
    qreal t;     // mean flange thickness
    qreal taper; // slope of the inner flange face
    qreal a;     // gauge a
    qreal a1;    // gauge a1
    qreal hole;  // hole diameter D
};

Shape shapeOf(SectionKind kind, bool icon)
{
    switch (kind) {
    case SectionKind::Channel: // [12.6
        return icon ? Shape{100, 62, 16, 17, 0, 36, 30, 14} : Shape{126, 53, 5.5, 9, 0.1, 30, 34, 18};
    case SectionKind::IBeam: // I20a
        return icon ? Shape{100, 86, 16, 18, 0, 50, 30, 14} : Shape{200, 100, 7, 11.4, 1.0 / 6, 54, 47, 17};
    case SectionKind::Angle: // L63x8
        return icon ? Shape{100, 100, 27, 27, 0, 56, 0, 16} : Shape{63, 63, 8, 8, 0, 35, 0, 17};
    }
    return {};
}

// Dimension geometry in pixels: offset of a dimension line from the section, overshoot of
// extension and centre lines, arrow size.
constexpr qreal kDimOffset = 11;
constexpr qreal kOvershoot = 5;
constexpr qreal kArrowLength = 5;
constexpr qreal kArrowHalfWidth = 2;
constexpr qreal kLeaderRise = 14;
constexpr qreal kLeaderShoulder = 8;

// Maps section millimetres (y downwards, origin at the top-left of the bounding box) to pixels.
struct Frame
{
    QPointF origin;
    qreal scale = 1;
    QPointF at(qreal x, qreal y) const { return origin + QPointF(x * scale, y * scale); }
    qreal len(qreal mm) const { return mm * scale; }
};

Frame fit(const QRectF &box, const Shape &s, const SectionOptions &o)
{
    const QRectF inner = o.annotate ? box.marginsRemoved(o.textRoom) : box;
    Frame f;
    f.scale = std::max<qreal>(0.0, std::min(inner.width() / s.b, inner.height() / s.h));
    f.origin = inner.center() - QPointF(s.b * f.scale / 2, s.h * f.scale / 2);
    return f;
}

QPolygonF outlineOf(SectionKind kind, const Shape &s)
{
    const qreal rise = s.taper * (s.b - s.web) / (kind == SectionKind::IBeam ? 4 : 2);
    const qreal root = s.t + rise; // flange thickness at the web
    const qreal tip = s.t - rise;  // flange thickness at the flange edge
    switch (kind) {
    case SectionKind::Channel:
        return QPolygonF({{0, 0},
                          {s.b, 0},
                          {s.b, tip},
                          {s.web, root},
                          {s.web, s.h - root},
                          {s.b, s.h - tip},
                          {s.b, s.h},
                          {0, s.h}});
    case SectionKind::IBeam: {
        const qreal l = (s.b - s.web) / 2, r = (s.b + s.web) / 2;
        return QPolygonF({{0, 0},
                          {s.b, 0},
                          {s.b, tip},
                          {r, root},
                          {r, s.h - root},
                          {s.b, s.h - tip},
                          {s.b, s.h},
                          {0, s.h},
                          {0, s.h - tip},
                          {l, s.h - root},
                          {l, root},
                          {0, tip}});
    }
    case SectionKind::Angle:
        return QPolygonF({{0, 0}, {s.web, 0}, {s.web, s.h - s.t}, {s.b, s.h - s.t}, {s.b, s.h}, {0, s.h}});
    }
    return {};
}

// The holes through flanges, web or legs, in section millimetres; `across` holes run
// vertically (through a flange or the horizontal leg), the others horizontally.
struct Hole
{
    QRectF area;
    bool across;
};

QList<Hole> holesOf(SectionKind kind, const Shape &s)
{
    const qreal r = s.hole / 2;
    const qreal deep = s.t * 2; // reaches through the tapered flange
    switch (kind) {
    case SectionKind::Channel:
        return {{QRectF(s.a - r, -1, s.hole, deep), true},
                {QRectF(s.a - r, s.h - deep + 1, s.hole, deep), true},
                {QRectF(-1, s.a1 - r, s.web + 2, s.hole), false},
                {QRectF(-1, s.h - s.a1 - r, s.web + 2, s.hole), false}};
    case SectionKind::IBeam: {
        const qreal l = s.b / 2 - s.a / 2, rr = s.b / 2 + s.a / 2;
        const qreal w = (s.b - s.web) / 2;
        return {{QRectF(l - r, -1, s.hole, deep), true},
                {QRectF(rr - r, -1, s.hole, deep), true},
                {QRectF(l - r, s.h - deep + 1, s.hole, deep), true},
                {QRectF(rr - r, s.h - deep + 1, s.hole, deep), true},
                {QRectF(w - 1, s.a1 - r, s.web + 2, s.hole), false},
                {QRectF(w - 1, s.h - s.a1 - r, s.web + 2, s.hole), false}};
    }
    case SectionKind::Angle:
        return {{QRectF(s.a - r, s.h - s.t - 1, s.hole, s.t + 2), true},
                {QRectF(-1, s.h - s.a - r, s.web + 2, s.hole), false}};
    }
    return {};
}

QPainterPath sectionPath(SectionKind kind, const Shape &s, const Frame &f)
{
    QPolygonF poly;
    for (const QPointF &p : outlineOf(kind, s))
        poly << f.at(p.x(), p.y());
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

// Holes lie behind the plane of the section: shown lighter, with their walls as hidden lines,
// so that the section still reads as one piece.
void paintHoles(QPainter &p, SectionKind kind, const Shape &s, const Frame &f, const QPainterPath &section)
{
    QPen hidden(DrawingPalette::outline, 0.8);
    hidden.setDashPattern({3, 2});
    for (const Hole &h : holesOf(kind, s)) {
        QPainterPath area;
        area.addRect(QRectF(f.at(h.area.left(), h.area.top()), f.at(h.area.right(), h.area.bottom())));
        const QPainterPath inside = area.intersected(section);
        const QRectF box = inside.boundingRect();
        p.setPen(Qt::NoPen);
        p.setBrush(DrawingPalette::steelLight);
        p.drawPath(inside);
        p.setPen(hidden);
        if (h.across) {
            p.drawLine(box.topLeft(), box.bottomLeft());
            p.drawLine(box.topRight(), box.bottomRight());
        } else {
            p.drawLine(box.topLeft(), box.topRight());
            p.drawLine(box.bottomLeft(), box.bottomRight());
        }
    }
}

void arrowHead(QPainter &p, QPointF tip, QPointF from)
{
    QLineF back(tip, from);
    back.setLength(kArrowLength);
    const QPointF dir = back.p2() - tip;
    const QPointF normal(-dir.y() / kArrowLength * kArrowHalfWidth, dir.x() / kArrowLength * kArrowHalfWidth);
    p.drawPolygon(QPolygonF({tip, back.p2() + normal, back.p2() - normal}));
}

void dimensionLine(QPainter &p, QPointF a, QPointF b)
{
    p.drawLine(a, b);
    arrowHead(p, a, b);
    arrowHead(p, b, a);
}

// A leader from a hole edge rising to a short horizontal shoulder; returns the shoulder's end.
QPointF leader(QPainter &p, QPointF start, qreal rise)
{
    const QPointF knee = start + QPointF(std::abs(rise) * 0.8, rise);
    const QPointF end = knee + QPointF(kLeaderShoulder, 0);
    p.drawLine(start, knee);
    p.drawLine(knee, end);
    p.drawEllipse(start, 1.3, 1.3);
    return end;
}

struct Pens
{
    QPen centre;
    QPen dimension;
};

Pens makePens()
{
    QPen centre(DrawingPalette::centreLine, 0.8);
    centre.setDashPattern({10, 3, 2, 3});
    centre.setCapStyle(Qt::FlatCap);
    QPen dimension(DrawingPalette::dimension, 0.8);
    return {centre, dimension};
}

// Draws (when `p` is given) the gauge lines and dimensions and returns the text marks.
SectionMarks annotate(QPainter *p, SectionKind kind, const Shape &s, const Frame &f)
{
    SectionMarks m;
    const Pens pens = makePens();
    auto line = [&](const QPen &pen, QPointF a, QPointF b) {
        if (p) {
            p->setPen(pen);
            p->drawLine(a, b);
        }
    };
    auto dim = [&](QPointF a, QPointF b) {
        if (p) {
            p->setPen(pens.dimension);
            p->setBrush(DrawingPalette::dimension);
            dimensionLine(*p, a, b);
        }
    };
    auto lead = [&](QPointF start, qreal rise) {
        if (!p)
            return start + QPointF(std::abs(rise) * 0.8 + kLeaderShoulder, rise);
        p->setPen(pens.dimension);
        p->setBrush(DrawingPalette::dimension);
        return leader(*p, start, rise);
    };
    const QPointF topLeft = f.at(0, 0);
    const QPointF bottomRight = f.at(s.b, s.h);

    if (kind == SectionKind::Channel || kind == SectionKind::IBeam) {
        const bool beam = kind == SectionKind::IBeam;
        // Gauge a: for the channel measured from the back of the web along the flange, for
        // the I-beam the spacing of the two hole lines across the flange.
        const qreal x0 = beam ? s.b / 2 - s.a / 2 : 0;
        const qreal x1 = beam ? s.b / 2 + s.a / 2 : s.a;
        const qreal dimY = topLeft.y() - kDimOffset;
        for (qreal x : beam ? QList<qreal>{x0, x1} : QList<qreal>{x1})
            line(pens.centre, QPointF(f.at(x, 0).x(), dimY - 3),
                 QPointF(f.at(x, 0).x(), bottomRight.y() + kOvershoot));
        if (!beam)
            line(pens.dimension, topLeft, QPointF(topLeft.x(), dimY - 3));
        dim(QPointF(f.at(x0, 0).x(), dimY), QPointF(f.at(x1, 0).x(), dimY));
        m.a = {QPointF(f.at((x0 + x1) / 2, 0).x(), dimY - 2), Qt::AlignHCenter | Qt::AlignBottom, true};

        // Gauge a1: the hole line in the web, measured from the outer face of the flange.
        const qreal dimX = bottomRight.x() + kDimOffset;
        const qreal webLeft = beam ? (s.b - s.web) / 2 : 0;
        line(pens.centre, QPointF(f.at(webLeft, 0).x() - kOvershoot, f.at(0, s.a1).y()),
             QPointF(dimX + 3, f.at(0, s.a1).y()));
        line(pens.centre, QPointF(f.at(webLeft, 0).x() - kOvershoot, f.at(0, s.h - s.a1).y()),
             QPointF(f.at(webLeft + s.web, 0).x() + kOvershoot, f.at(0, s.h - s.a1).y()));
        line(pens.dimension, QPointF(bottomRight.x() + 2, topLeft.y()), QPointF(dimX + 3, topLeft.y()));
        dim(QPointF(dimX, topLeft.y()), QPointF(dimX, f.at(0, s.a1).y()));
        m.a1 = {QPointF(dimX + 4, f.at(0, s.a1 / 2).y()), Qt::AlignLeft | Qt::AlignVCenter, true};

        // D: called out at the hole in the lower flange on the right-hand gauge line.
        const QPointF start = f.at(x1 + s.hole / 2, s.h);
        m.d = {lead(start, kLeaderRise) + QPointF(2, 0), Qt::AlignLeft | Qt::AlignVCenter, true};
    } else {
        // Gauge a: measured from the heel along each leg.
        const qreal dimY = bottomRight.y() + kDimOffset;
        line(pens.centre, QPointF(f.at(s.a, 0).x(), f.at(0, s.h - s.t).y() - kOvershoot),
             QPointF(f.at(s.a, 0).x(), dimY + 3));
        line(pens.centre, QPointF(topLeft.x() - kOvershoot, f.at(0, s.h - s.a).y()),
             QPointF(f.at(s.web, 0).x() + kOvershoot, f.at(0, s.h - s.a).y()));
        line(pens.dimension, QPointF(topLeft.x(), bottomRight.y()), QPointF(topLeft.x(), dimY + 3));
        dim(QPointF(topLeft.x(), dimY), QPointF(f.at(s.a, 0).x(), dimY));
        m.a = {QPointF(f.at(s.a / 2, 0).x(), dimY + 2), Qt::AlignHCenter | Qt::AlignTop, true};

        // Leg width b, on the outer side of the vertical leg.
        const qreal dimX = topLeft.x() - kDimOffset;
        line(pens.dimension, QPointF(topLeft.x() - 2, topLeft.y()), QPointF(dimX - 3, topLeft.y()));
        line(pens.dimension, QPointF(topLeft.x() - 2, bottomRight.y()), QPointF(dimX - 3, bottomRight.y()));
        dim(QPointF(dimX, topLeft.y()), QPointF(dimX, bottomRight.y()));
        m.b = {QPointF(dimX - 4, (topLeft.y() + bottomRight.y()) / 2), Qt::AlignRight | Qt::AlignVCenter,
               true};

        // D: called out at the hole in the horizontal leg, into the free space above it.
        const QPointF start = f.at(s.a + s.hole / 2, s.h - s.t);
        m.d = {lead(start, -kLeaderRise - 6) + QPointF(2, 0), Qt::AlignLeft | Qt::AlignVCenter, true};
    }
    return m;
}

} // namespace

SectionMarks sectionMarks(const QRectF &box, SectionKind kind, const SectionOptions &options)
{
    const Shape s = shapeOf(kind, options.iconProportions);
    const Frame f = fit(box, s, options);
    SectionMarks m;
    if (options.annotate)
        m = annotate(nullptr, kind, s, f);
    m.section = QRectF(f.at(0, 0), f.at(s.b, s.h));
    return m;
}

SectionMarks paintSection(QPainter &painter, const QRectF &box, SectionKind kind,
                          const SectionOptions &options)
{
    const Shape s = shapeOf(kind, options.iconProportions);
    const Frame f = fit(box, s, options);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen outline(DrawingPalette::outline, options.outlineWidth);
    outline.setJoinStyle(Qt::MiterJoin);
    const QPainterPath section = sectionPath(kind, s, f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(DrawingPalette::steel);
    painter.drawPath(section);
    if (options.annotate)
        paintHoles(painter, kind, s, f, section);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(section);

    SectionMarks m;
    if (options.annotate)
        m = annotate(&painter, kind, s, f);
    m.section = QRectF(f.at(0, 0), f.at(s.b, s.h));
    painter.restore();
    return m;
}

SectionView::SectionView(SectionKind kind, const SectionOptions &options, QWidget *parent)
    : QWidget(parent), m_kind(kind), m_options(options)
{}

SectionMarks SectionView::marks() const
{
    return sectionMarks(QRectF(rect()), m_kind, m_options);
}

void SectionView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSection(painter, QRectF(rect()), m_kind, m_options);
}
