#include "ui/typeicons.h"

#include "catalogue/typetable.h"

#include "ui/sectionpainter.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QPixmapCache>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

// Every glyph is drawn in a 100 x 100 design square; `Canvas` keeps the pixel size at hand so
// that outlines stay about one device pixel wide on small icons and grow gently on large ones.
struct Canvas
{
    QPainter &p;
    qreal side; // pixels
    qreal unit() const { return side / 100.0; }
    // An outline width of `px` device pixels, in design units.
    qreal px(qreal pixels) const { return pixels / unit(); }
    qreal outline() const { return px(std::max<qreal>(1.0, side / 24.0)); }
};

QPen outlinePen(const Canvas &c)
{
    QPen pen(DrawingPalette::outline, c.outline());
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// A filled shape with the common outline.
void solid(Canvas &c, const QPainterPath &path, const QBrush &fill = DrawingPalette::steel)
{
    c.p.setPen(outlinePen(c));
    c.p.setBrush(fill);
    c.p.drawPath(path);
}

// A rod of `width` design units along `path`, outlined like the solids.
void rod(Canvas &c, const QPainterPath &path, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    solid(c, stroker.createStroke(path).simplified());
}

// Two circles under the odd-even fill rule: the same ring as a subtraction, without the cost
// of a boolean path operation at every icon size.
QPainterPath ring(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addEllipse(centre, outer, outer);
    path.addEllipse(centre, inner, inner);
    return path;
}

QPainterPath hexagon(QPointF centre, qreal radius)
{
    QPolygonF poly;
    for (int k = 0; k < 6; ++k) {
        const qreal angle = (60.0 * k + 30.0) * M_PI / 180.0;
        poly << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void threadTicks(Canvas &c, qreal x0, qreal x1, qreal yFrom, qreal yTo, qreal step)
{
    c.p.setPen(QPen(DrawingPalette::outline, c.outline() * 0.8));
    for (qreal y = yFrom; y <= yTo; y += step)
        c.p.drawLine(QPointF(x0, y), QPointF(x1, y - step * 0.45));
}

void drawExpression(Canvas &c)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(18, 6, 64, 88), 9, 9);
    c.p.setPen(outlinePen(c));
    c.p.setBrush(DrawingPalette::accent);
    c.p.drawPath(body);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(Qt::white);
    c.p.drawRect(QRectF(28, 16, 44, 18));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col)
            c.p.drawRect(QRectF(28 + col * 26, 44 + row * 15, 18, 10));
}

void drawAnchorBolt(Canvas &c)
{
    QPainterPath j;
    j.moveTo(56, 4);
    j.lineTo(56, 66);
    j.cubicTo(56, 98, 18, 98, 18, 70);
    rod(c, j, 16);
    solid(c, [] {
        QPainterPath nut;
        nut.addRect(QRectF(42, 16, 28, 14));
        return nut;
    }());
    threadTicks(c, 50, 62, 38, 54, 8);
}

void drawHexBolt(Canvas &c)
{
    QPainterPath head;
    head.addRect(QRectF(22, 6, 56, 24));
    solid(c, head);
    c.p.setPen(QPen(DrawingPalette::outline, c.outline() * 0.8));
    c.p.drawLine(QPointF(38, 6), QPointF(38, 30));
    c.p.drawLine(QPointF(62, 6), QPointF(62, 30));
    QPainterPath shank;
    shank.addRect(QRectF(39, 30, 22, 64));
    solid(c, shank);
    threadTicks(c, 39, 61, 60, 92, 8);
}

void drawNut(Canvas &c)
{
    const QPointF centre(50, 50);
    QPainterPath body = hexagon(centre, 46);
    body.setFillRule(Qt::OddEvenFill);
    body.addEllipse(centre, 19, 19); // the bore
    solid(c, body);
    c.p.setPen(QPen(DrawingPalette::outline, c.outline() * 0.7));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawEllipse(centre, 33, 33); // chamfer circle on the face
}

void drawWasher(Canvas &c)
{
    solid(c, ring({50, 50}, 44, 19));
}

void drawSpringWasher(Canvas &c)
{
    QPainterPath split;
    split.addRect(QRectF(-6, -50, 12, 52));
    QTransform turn;
    turn.translate(50, 50);
    turn.rotate(35);
    solid(c, ring({50, 50}, 44, 24).subtracted(turn.map(split)));
}

void drawBevelWasher(Canvas &c)
{
    QPainterPath square;
    square.addRect(QRectF(8, 8, 84, 84));
    QPainterPath hole;
    hole.addEllipse(QPointF(50, 50), 18, 18);
    const QPainterPath body = square.subtracted(hole);
    solid(c, body);
    // The thin edge of the bevel, lighter, above the hole.
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(DrawingPalette::steelLight);
    c.p.drawRect(QRectF(8, 8, 84, 18));
    c.p.setPen(outlinePen(c));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(body);
    c.p.setPen(QPen(DrawingPalette::outline, c.outline() * 0.7));
    c.p.drawLine(QPointF(8, 26), QPointF(92, 26));
}

void drawSection(Canvas &c, SectionKind kind)
{
    SectionOptions options;
    options.iconProportions = true;
    options.outlineWidth = c.outline();
    paintSection(c.p, QRectF(6, 6, 88, 88), kind, options);
}

void drawRoundBar(Canvas &c)
{
    QRadialGradient shade(QPointF(38, 36), 60);
    shade.setColorAt(0, DrawingPalette::steelLight);
    shade.setColorAt(1, DrawingPalette::steel);
    QPainterPath disc;
    disc.addEllipse(QPointF(50, 50), 42, 42);
    solid(c, disc, shade);
}

void drawPlate(Canvas &c)
{
    QPainterPath top;
    top.addPolygon(QPolygonF({{4, 48}, {38, 24}, {96, 24}, {62, 48}}));
    top.closeSubpath();
    QPainterPath front;
    front.addRect(QRectF(4, 48, 58, 20));
    QPainterPath side;
    side.addPolygon(QPolygonF({{62, 48}, {96, 24}, {96, 44}, {62, 68}}));
    side.closeSubpath();
    solid(c, top, DrawingPalette::steelLight);
    solid(c, front);
    solid(c, side, DrawingPalette::steel.darker(118));
}

void drawPipe(Canvas &c)
{
    // A short length of tube seen from its end, the bore dark so it reads as hollow.
    const QPointF front(37, 63), back(63, 37);
    const qreal outer = 29, inner = 17;
    QPainterPath body;
    body.moveTo(front + QPointF(-outer * 0.7071, -outer * 0.7071));
    body.lineTo(back + QPointF(-outer * 0.7071, -outer * 0.7071));
    body.arcTo(QRectF(back.x() - outer, back.y() - outer, 2 * outer, 2 * outer), 135, -180);
    body.lineTo(front + QPointF(outer * 0.7071, outer * 0.7071));
    body.closeSubpath();
    solid(c, body, DrawingPalette::steel.darker(115));
    solid(c, ring(front, outer, inner), DrawingPalette::steelLight);
    QPainterPath bore;
    bore.addEllipse(front, inner, inner);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(DrawingPalette::outline.lighter(160));
    c.p.drawPath(bore);
}

// A wide-flange section standing as the letter H: the flanges as tall as the section is wide
// set it apart from the narrow I-beam.
void drawHBeam(Canvas &c)
{
    const qreal flange = 16, web = 11, fillet = 6;
    QPainterPath h;
    h.moveTo(8, 8);
    h.lineTo(8 + flange, 8);
    h.lineTo(8 + flange, 50 - web / 2 - fillet);
    h.quadTo(8 + flange, 50 - web / 2, 8 + flange + fillet, 50 - web / 2);
    h.lineTo(92 - flange - fillet, 50 - web / 2);
    h.quadTo(92 - flange, 50 - web / 2, 92 - flange, 50 - web / 2 - fillet);
    h.lineTo(92 - flange, 8);
    h.lineTo(92, 8);
    h.lineTo(92, 92);
    h.lineTo(92 - flange, 92);
    h.lineTo(92 - flange, 50 + web / 2 + fillet);
    h.quadTo(92 - flange, 50 + web / 2, 92 - flange - fillet, 50 + web / 2);
    h.lineTo(8 + flange + fillet, 50 + web / 2);
    h.quadTo(8 + flange, 50 + web / 2, 8 + flange, 50 + web / 2 + fillet);
    h.lineTo(8 + flange, 92);
    h.lineTo(8, 92);
    h.closeSubpath();
    solid(c, h);
}

// A rectangular tube seen from its end: rounded outer corners, a thin wall and a dark bore.
void drawHollowSection(Canvas &c)
{
    QPainterPath outer;
    outer.addRoundedRect(QRectF(6, 20, 88, 60), 12, 12);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(17, 31, 66, 38), 5, 5);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(DrawingPalette::outline.lighter(160));
    c.p.drawPath(inner);
    QPainterPath wall = outer;
    wall.setFillRule(Qt::OddEvenFill);
    wall.addPath(inner);
    solid(c, wall);
}

// An angle whose upright leg is clearly longer than the lying one.
void drawUnequalAngle(Canvas &c)
{
    const qreal t = 19, fillet = 8;
    QPainterPath l;
    l.moveTo(22, 6);
    l.lineTo(22 + t, 6);
    l.lineTo(22 + t, 94 - t - fillet);
    l.quadTo(22 + t, 94 - t, 22 + t + fillet, 94 - t);
    l.lineTo(78, 94 - t);
    l.lineTo(78, 94);
    l.lineTo(22, 94);
    l.closeSubpath();
    solid(c, l);
}

// A flat bar: a long strip, narrow and thick compared with the plate.
void drawFlatBar(Canvas &c)
{
    QPainterPath top;
    top.addPolygon(QPolygonF({{4, 52}, {22, 38}, {96, 38}, {78, 52}}));
    top.closeSubpath();
    QPainterPath front;
    front.addRect(QRectF(4, 52, 74, 24));
    QPainterPath side;
    side.addPolygon(QPolygonF({{78, 52}, {96, 38}, {96, 62}, {78, 76}}));
    side.closeSubpath();
    solid(c, top, DrawingPalette::steelLight);
    solid(c, front);
    solid(c, side, DrawingPalette::steel.darker(118));
}

// The end of a solid bar, shaded like the round bar.
void drawShadedEnd(Canvas &c, const QPainterPath &end)
{
    QRadialGradient shade(QPointF(38, 36), 60);
    shade.setColorAt(0, DrawingPalette::steelLight);
    shade.setColorAt(1, DrawingPalette::steel);
    solid(c, end, shade);
}

void drawSquareBar(Canvas &c)
{
    QPainterPath end;
    end.addRoundedRect(QRectF(10, 10, 80, 80), 3, 3);
    drawShadedEnd(c, end);
}

void drawHexagonBar(Canvas &c)
{
    // Solid, without the bore and chamfer circle of the nut.
    drawShadedEnd(c, hexagon({50, 50}, 46));
}

// A shaft in its bore: the part with the hole, and the shaft a little smaller than the bore.
void drawFit(Canvas &c)
{
    solid(c, ring({50, 50}, 46, 28));
    QPainterPath shaft;
    shaft.addEllipse(QPointF(50, 50), 22, 22);
    drawShadedEnd(c, shaft);
}

// The 60° profile of a metric thread over the core of the screw.
void drawThread(Canvas &c)
{
    QPainterPath profile;
    profile.moveTo(4, 86);
    profile.lineTo(4, 58);
    for (qreal x = 4; x < 96; x += 23) {
        profile.lineTo(x + 11.5, 18);
        profile.lineTo(x + 23, 58);
    }
    profile.lineTo(96, 86);
    profile.closeSubpath();
    solid(c, profile);
}

void drawGlyph(QPainter &painter, const QRectF &rect, TypeIconKind kind)
{
    const qreal side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(rect.center() - QPointF(side / 2, side / 2));
    painter.scale(side / 100.0, side / 100.0);
    Canvas c{painter, side};
    switch (kind) {
    case TypeIconKind::Expression:
        drawExpression(c);
        break;
    case TypeIconKind::AnchorBolt:
        drawAnchorBolt(c);
        break;
    case TypeIconKind::HexBolt:
        drawHexBolt(c);
        break;
    case TypeIconKind::Nut:
        drawNut(c);
        break;
    case TypeIconKind::Washer:
        drawWasher(c);
        break;
    case TypeIconKind::SpringWasher:
        drawSpringWasher(c);
        break;
    case TypeIconKind::BevelWasher:
        drawBevelWasher(c);
        break;
    case TypeIconKind::IBeam:
        drawSection(c, SectionKind::IBeam);
        break;
    case TypeIconKind::Channel:
        drawSection(c, SectionKind::Channel);
        break;
    case TypeIconKind::RoundBar:
        drawRoundBar(c);
        break;
    case TypeIconKind::Plate:
        drawPlate(c);
        break;
    case TypeIconKind::Angle:
        drawSection(c, SectionKind::Angle);
        break;
    case TypeIconKind::Pipe:
        drawPipe(c);
        break;
    case TypeIconKind::HBeam:
        drawHBeam(c);
        break;
    case TypeIconKind::HollowSection:
        drawHollowSection(c);
        break;
    case TypeIconKind::UnequalAngle:
        drawUnequalAngle(c);
        break;
    case TypeIconKind::FlatBar:
        drawFlatBar(c);
        break;
    case TypeIconKind::SquareBar:
        drawSquareBar(c);
        break;
    case TypeIconKind::HexagonBar:
        drawHexagonBar(c);
        break;
    case TypeIconKind::Fit:
        drawFit(c);
        break;
    case TypeIconKind::Thread:
        drawThread(c);
        break;
    }
    painter.restore();
}

// Paints the glyph at whatever size and scale the toolbar asks for, so no bitmap is ever
// stretched.
class TypeIconEngine : public QIconEngine
{
public:
    explicit TypeIconEngine(TypeIconKind kind) : m_kind(kind) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        drawGlyph(*painter, rect, m_kind);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // QIcon asks with `size` already in device pixels (the logical size times `scale`).
    // A tool button asks again on every repaint (hover, press, check): each size is drawn once.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const QSize pixels = size.isEmpty() ? QSize(1, 1) : size;
        const QString cacheKey = QStringLiteral("vardeko-type-icon/%1/%2x%3/%4/%5")
                                     .arg(static_cast<int>(m_kind))
                                     .arg(pixels.width())
                                     .arg(pixels.height())
                                     .arg(int(mode))
                                     .arg(scale);
        QPixmap pm;
        if (QPixmapCache::find(cacheKey, &pm))
            return pm;
        pm = QPixmap(pixels);
        pm.fill(Qt::transparent);
        {
            QPainter painter(&pm);
            paint(&painter, QRect(QPoint(0, 0), pm.size()), mode, state);
        }
        pm.setDevicePixelRatio(scale);
        QPixmapCache::insert(cacheKey, pm);
        return pm;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

    QIconEngine *clone() const override { return new TypeIconEngine(m_kind); }

    QString key() const override { return QStringLiteral("VardekoTypeIcon"); }

private:
    TypeIconKind m_kind;
};

} // namespace

QIcon typeIcon(CalculationType type)
{
    return QIcon(new TypeIconEngine(typeRecord(type).icon));
}
