// The weight rules of the section types: a pick of the size boxes gives the unit weight and
// the texts around it.

#include "weight/sectionweight.h"

#include <QTest>

#include <optional>

namespace {

std::optional<int> rowOf(SectionType type, const QString &entry, double second)
{
    return sectionRow(type, static_cast<int>(sectionSizeEntries(type).indexOf(entry)), second);
}

} // namespace

class TestSectionWeight : public QObject
{
    Q_OBJECT

private slots:
    void tableRowsShowTheirPrintedWeight_data();
    void tableRowsShowTheirPrintedWeight();
    void formulaTypesRoundLikeRoundBar_data();
    void formulaTypesRoundLikeRoundBar();
    void notesSayWhenThePrintedValueDiffersFromTheFormula_data();
    void notesSayWhenThePrintedValueDiffersFromTheFormula();
    void captionHasUnitWeightSizeAndStandard();
};

void TestSectionWeight::tableRowsShowTheirPrintedWeight_data()
{
    QTest::addColumn<SectionType>("type");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QString>("text"); // empty: no row
    QTest::addColumn<QString>("size");

    QTest::newRow("H-beam default") << SectionType::HBeam << u"HW200×200×8×12"_qs << 0.0 << 1.0 << u"49.9"_qs
                                    << u"200×200×8×12×13"_qs;
    QTest::newRow("H-beam with copper: the single's text")
        << SectionType::HBeam << u"HW200×200×8×12"_qs << 0.0 << 1.1363 << u"56.70137"_qs
        << u"200×200×8×12×13"_qs;
    QTest::newRow("hollow section default")
        << SectionType::HollowSection << u"50×50"_qs << 3.0 << 1.0 << u"4.245"_qs << u"50×50×3"_qs;
    QTest::newRow("hollow section wall not made in that size")
        << SectionType::HollowSection << u"50×50"_qs << 5.0 << 1.0 << QString() << QString();
    QTest::newRow("unequal angle default")
        << SectionType::UnequalAngle << u"7.5/5"_qs << 6.0 << 1.0 << u"5.699"_qs << u"75×50×6×8"_qs;
    QTest::newRow("unequal angle keeps the printed trailing zero")
        << SectionType::UnequalAngle << u"7/4.5"_qs << 4.0 << 1.0 << u"3.570"_qs << u"70×45×4×7.5"_qs;
}

void TestSectionWeight::tableRowsShowTheirPrintedWeight()
{
    QFETCH(SectionType, type);
    QFETCH(QString, entry);
    QFETCH(double, second);
    QFETCH(double, factor);
    QFETCH(QString, text);
    QFETCH(QString, size);

    const std::optional<int> row = rowOf(type, entry, second);
    QCOMPARE(row.has_value(), !text.isEmpty());
    if (!row)
        return;
    const std::optional<SectionUnitWeight> unit = tableUnitWeight(type, *row, factor);
    QVERIFY(unit);
    QCOMPARE(unit->text, text);
    QCOMPARE(unit->value, *printedUnitWeight(type, *row) * factor);
    QCOMPARE(unit->unrounded, unit->value);
    QCOMPARE(sectionSizeText(type, *row), size);
}

void TestSectionWeight::formulaTypesRoundLikeRoundBar_data()
{
    QTest::addColumn<SectionType>("type");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("unrounded"); // the piece weight's base
    QTest::addColumn<QString>("text");     // empty: the step fails

    QTest::newRow("flat default 50 x 5")
        << SectionType::FlatBar << 50.0 << 5.0 << 1.0 << 1.9625 << u"1.963"_qs;
    QTest::newRow("square default 20") << SectionType::SquareBar << 20.0 << 0.0 << 1.0 << 3.14 << u"3.140"_qs;
    QTest::newRow("hexagon default 20, 0.866 s²")
        << SectionType::HexagonBar << 20.0 << 0.0 << 1.0 << 2.71924 << u"2.719"_qs;
    QTest::newRow("hexagon with copper")
        << SectionType::HexagonBar << 20.0 << 0.0 << 1.1363 << 2.71924 * 1.1363 << u"3.090"_qs;
    QTest::newRow("tiny weight in four decimals")
        << SectionType::SquareBar << 0.25 << 0.0 << 1.0 << 0.000490625 << u"0.0005"_qs;
    QTest::newRow("rounds to 0.001, then shown 0.0010")
        << SectionType::FlatBar << 1.0 << 0.1274 << 1.0 << 0.00100009 << u"0.0010"_qs;
    QTest::newRow("beyond the single range")
        << SectionType::SquareBar << 1e30 << 0.0 << 1.0 << 0.0 << QString();
}

void TestSectionWeight::formulaTypesRoundLikeRoundBar()
{
    QFETCH(SectionType, type);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, factor);
    QFETCH(double, unrounded);
    QFETCH(QString, text);

    const std::optional<SectionUnitWeight> unit = formulaUnitWeight(type, first, second, factor);
    QCOMPARE(unit.has_value(), !text.isEmpty());
    if (!unit)
        return;
    QCOMPARE(unit->unrounded, unrounded);
    QCOMPARE(unit->text, text);
    QCOMPARE(unit->value, text.toDouble());
}

void TestSectionWeight::notesSayWhenThePrintedValueDiffersFromTheFormula_data()
{
    QTest::addColumn<SectionType>("type");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("second");
    QTest::addColumn<QString>("note3");

    const QString typeNote = u"  ③ 单重为标准表所印理论重量，其它参数请查阅相关手册。"_qs;
    QTest::newRow("matching row: the type's notes")
        << SectionType::HollowSection << u"50×50"_qs << 3.0 << typeNote;
    QTest::newRow("corrected row that matches its formula")
        << SectionType::HBeam << u"HM390×300×10×16"_qs << 0.0 << typeNote;
    QTest::newRow("mass and area differ (corner 2t)")
        << SectionType::HollowSection << u"120×120"_qs << 8.0
        << u"  ③ 此规格标准表所印数值与截面公式不符：理论重量印 26.84 kg/m，公式 26.409 kg/m；截面面积印 "
           u"34.191 "
           u"cm²，公式 33.6425 cm²。单重按所印理论重量计算。"_qs;
    QTest::newRow("formula 10.5497 shown finer than 10.55, which rounds to the printed 10.6")
        << SectionType::HBeam << u"HT139×97×3.2×4.5"_qs << 0.0
        << u"  ③ 此规格标准表所印数值与截面公式不符：理论重量印 10.6 kg/m，公式 10.5497 kg/m。单重按所印理论重量计算。"_qs;
    QTest::newRow("only the area differs")
        << SectionType::HBeam << u"HT95×48×3.2×4.5"_qs << 0.0
        << u"  ③ 此规格标准表所印数值与截面公式不符：截面面积印 7.620 cm²，公式 7.6211 cm²。单重按所印理论重量计算。"_qs;
}

void TestSectionWeight::notesSayWhenThePrintedValueDiffersFromTheFormula()
{
    QFETCH(SectionType, type);
    QFETCH(QString, entry);
    QFETCH(double, second);
    QFETCH(QString, note3);

    const std::optional<int> row = rowOf(type, entry, second);
    QVERIFY(row);
    const std::array<QString, 3> notes = sectionNotes(type, *row);
    QCOMPARE(notes[0], sectionTypeFacts(type).notes[0]);
    QCOMPARE(notes[2], note3);
}

void TestSectionWeight::captionHasUnitWeightSizeAndStandard()
{
    const SectionUnitWeight unit = *formulaUnitWeight(SectionType::FlatBar, 50, 5, 1.0f);
    QCOMPARE(
        sectionCaptionLines(SectionType::FlatBar, unit, u"1.963"_qs,
                            formulaSizeText(SectionType::FlatBar, 50, 5)),
        (QStringList{u"※ 单重: 1.963 kg/m；1.963kg/根"_qs, u"※ 规格: 50×5"_qs, u"※ 标准: GB/T 702-2017"_qs}));
    QCOMPARE(sectionTypeFacts(SectionType::HBeam).standardLine, u"※ 标准: GB/T 11263-2017"_qs);
    QCOMPARE(sectionTypeFacts(SectionType::HollowSection).standardLine, u"※ 标准: GB/T 6728-2017"_qs);
    QCOMPARE(sectionTypeFacts(SectionType::UnequalAngle).standardLine, u"※ 标准: GB/T 706-2008"_qs);
}

QTEST_APPLESS_MAIN(TestSectionWeight)
#include "tst_sectionweight.moc"
