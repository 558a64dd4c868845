#include "ui/sectionpainter.h"
#include "ui/typeicons.h"

#include "catalogue/typetable.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

// Bounding box of the pixels painted with some opacity.
QRect paintedArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void iconsExistForEveryType();
    void iconsAreSharpAtEveryScale_data();
    void iconsAreSharpAtEveryScale();
    void iconsAreDistinct();
    void sectionFitsItsBox_data();
    void sectionFitsItsBox();
};

void TestDrawing::iconsExistForEveryType()
{
    for (int type = 0; type < CalculationTypeCount; ++type)
        QVERIFY2(!typeIcon(calculationTypeAt(type)).isNull(), qPrintable(QString::number(type)));
}

void TestDrawing::iconsAreSharpAtEveryScale_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("scale");
    for (int size : {16, 24, 32, 48, 64})
        for (qreal scale : {1.0, 1.5, 2.0})
            QTest::addRow("%d px at %.1fx", size, scale) << size << scale;
}

// Each request is painted at the device size asked for, never a smaller bitmap stretched,
// and the glyph fills most of the square without touching outside it.
void TestDrawing::iconsAreSharpAtEveryScale()
{
    QFETCH(int, size);
    QFETCH(qreal, scale);
    for (int type = 0; type < CalculationTypeCount; ++type) {
        const QPixmap pm = typeIcon(calculationTypeAt(type)).pixmap(QSize(size, size), scale);
        const int device = qRound(size * scale);
        QCOMPARE(pm.size(), QSize(device, device));
        QCOMPARE(pm.devicePixelRatio(), scale);
        const QRect area = paintedArea(pm.toImage());
        QVERIFY2(
            area.width() >= device * 0.6 || area.height() >= device * 0.6,
            qPrintable(
                QStringLiteral("type %1 covers only %2x%3").arg(type).arg(area.width()).arg(area.height())));
    }
}

void TestDrawing::iconsAreDistinct()
{
    QList<QImage> images;
    for (int type = 0; type < CalculationTypeCount; ++type)
        images << typeIcon(calculationTypeAt(type)).pixmap(QSize(24, 24)).toImage();
    for (int i = 0; i < images.size(); ++i)
        for (int j = i + 1; j < images.size(); ++j)
            QVERIFY2(images[i] != images[j],
                     qPrintable(QStringLiteral("types %1 and %2 look alike").arg(i).arg(j)));
}

void TestDrawing::sectionFitsItsBox_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRectF>("box");
    const QList<QPair<const char *, QRectF>> boxes{{"gauge window", QRectF(0, 0, 239, 205)},
                                                   {"wide", QRectF(10, 20, 500, 200)},
                                                   {"tall", QRectF(0, 0, 200, 500)}};
    const char *names[3] = {"channel", "I-beam", "angle"};
    for (int kind = 0; kind < 3; ++kind)
        for (const auto &[name, box] : boxes)
            QTest::addRow("%s, %s", names[kind], name) << kind << box;
}

// The annotated drawing keeps its section inside the text room and every mark inside the box,
// so the labels set at the marks are never cut off.
void TestDrawing::sectionFitsItsBox()
{
    QFETCH(int, kind);
    QFETCH(QRectF, box);
    SectionOptions options;
    options.annotate = true;
    const SectionMarks marks = sectionMarks(box, SectionKind(kind), options);
    const QRectF inner = box.marginsRemoved(options.textRoom);
    QVERIFY(inner.adjusted(-0.01, -0.01, 0.01, 0.01).contains(marks.section));
    QVERIFY(qFuzzyCompare(marks.section.width(), inner.width()) ||
            qFuzzyCompare(marks.section.height(), inner.height()));
    QVERIFY(marks.a.used && marks.d.used);
    QCOMPARE(marks.a1.used, kind != int(SectionKind::Angle));
    QCOMPARE(marks.b.used, kind == int(SectionKind::Angle));
    for (const SectionMark &m : {marks.a, marks.a1, marks.d, marks.b})
        if (m.used)
            QVERIFY(box.contains(m.at));

    // Painting reports the same marks as the layout query.
    QImage image(box.toAlignedRect().bottomRight().x() + 1, box.toAlignedRect().bottomRight().y() + 1,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const SectionMarks painted = paintSection(painter, box, SectionKind(kind), options);
    painter.end();
    QCOMPARE(painted.section, marks.section);
    QCOMPARE(painted.d.at, marks.d.at);
    QVERIFY(box.toAlignedRect().contains(paintedArea(image)));
}

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"
