#include "weight/weightcomputation.h"

#include "weight/weightboxcheck.h"

#include "catalogue/tableloader.h"
#include "common/numbertext.h"
#include "expression/recordinghost.h"
#include "platform/recordingprompts.h"

#include <QtTest>

#include <initializer_list>

namespace {

const QString Crlf = QStringLiteral("\r\n");

struct Row
{
    const char *label;
    const char *value1;
    const char *value2;
};

// A catalogue filled by hand, the way the table loader leaves it: rows 0..LastRow hold the
// type's rows, the rows beyond keep what an earlier type left there.
CatalogueState tableOf(std::initializer_list<Row> rows)
{
    CatalogueState state;
    for (PartRow &cell : state.PartTable)
        cell = {QStringLiteral("stale"), QStringLiteral("999"), QStringLiteral("999")};
    int r = 0;
    for (const Row &row : rows) {
        state.PartTable[static_cast<std::size_t>(r++)] = {
            QString::fromUtf8(row.label), QString::fromUtf8(row.value1), QString::fromUtf8(row.value2)};
    }
    state.LastRow = r - 1;
    return state;
}

const CatalogueState &anchorBolts()
{
    static const CatalogueState table = tableOf({{"M10*", "0.03", "0.56"},
                                                 {"M12*", "0.06", "0.80"},
                                                 {"M16", "0.10", "1.42"},
                                                 {"M20", "0.22", "2.1"},
                                                 {"M24", "0.33", "3"},
                                                 {"M30", "0.85", "4.7"},
                                                 {"M36", "1.48", "6.9"},
                                                 {"M42", "2.01", "9.45"},
                                                 {"M48", "3.15", "12.35"}});
    return table;
}

const CatalogueState &hexBolts()
{
    static const CatalogueState table = tableOf({{"M5", "1.523 ", "0.135"},
                                                 {"M6", "2.719 ", "0.193"},
                                                 {"M8", "6.089 ", "0.346"},
                                                 {"M10", "10.442 ", "0.543"},
                                                 {"M12", "15.418 ", "0.785"},
                                                 {"M14*", "23.984 ", "1.071"},
                                                 {"M16", "39.157 ", "1.420"},
                                                 {"M18*", "54.514 ", "1.777"},
                                                 {"M20", "73.419 ", "2.218"}});
    return table;
}

// Hexagon nuts M8, M10, M12 and three made-up masses for the 3/4-decimal display choice.
const CatalogueState &nuts()
{
    static const CatalogueState table = tableOf({{"M8", "4.22", ""},
                                                 {"M10", "7.94", ""},
                                                 {"M12", "11.93", ""},
                                                 {"a", "1", ""},
                                                 {"b", "0.4", ""},
                                                 {"c", "1.2", ""}});
    return table;
}

const CatalogueState &washers()
{
    static const CatalogueState table =
        tableOf({{"16", "10.98 ", "φ17.5×φ30×3"}, {"20", "16.37 ", "φ22×φ37×3"}});
    return table;
}

const CatalogueState &springWashers()
{
    static const CatalogueState table =
        tableOf({{"12", "1.15", ""}, {"14*", "1.81", ""}, {"16", "2.68", ""}});
    return table;
}

const CatalogueState &bevelWashers()
{
    static const CatalogueState table =
        tableOf({{"12", "21.76", "φ13×□28×2-6.7"}, {"16", "37.6", "φ17×□35×2-7.7"}});
    return table;
}

const CatalogueState &iBeams()
{
    static const CatalogueState table = tableOf({{" 9 -矿工钢", "17.68", "90×76×8×10.9"},
                                                 {"11-矿工钢", "26.05", "110×90×9×14.1"},
                                                 {"12-矿工钢", "31.18", "120×95×11×15.3"},
                                                 {"10", "11.261", "100×68×4.5×7.6"},
                                                 {"12.6", "14.223", "126×74×5.0×8.4"}});
    return table;
}

const CatalogueState &channels()
{
    static const CatalogueState table = tableOf({{"5", "5.438", "50×37×4.5×7.0"},
                                                 {"6.3", "6.634", "63×40×4.8×7.5"},
                                                 {"8", "8.045", "80×43×5.0×8.0"},
                                                 {"10", "10.007", "100×48×5.3×8.5"}});
    return table;
}

const QStringList AngleWidths = {"20", "25", "30", "36",  "40",  "45",  "50",  "56",  "63",  "70",
                                 "75", "80", "90", "100", "110", "125", "140", "160", "180", "200"};

const CatalogueState &angles()
{
    static const CatalogueState table = [] {
        const char *radii[] = {"3.5", "3.5", "4.5", "4.5", "5",  "5",  "5.5", "6",  "7",  "8",
                               "9",   "9",   "10",  "12",  "12", "14", "14",  "16", "16", "18"};
        CatalogueState state = tableOf({});
        for (int r = 0; r < AngleWidths.size(); ++r)
            state.PartTable[static_cast<std::size_t>(r)] = {AngleWidths[r], QString(),
                                                            QString::fromUtf8(radii[r])};
        state.LastRow = static_cast<int>(AngleWidths.size()) - 1;
        state.SizeBoxIndex = 1;
        return state;
    }();
    return table;
}

// Stands in for the expression evaluator: a product of plain numbers, else the empty text
// (a refused expression). Records what it was asked.
struct FakeEvaluator
{
    QStringList asked;
    QString operator()(const QString &text)
    {
        asked << text;
        double product = 1;
        for (const QString &factor : text.split(QLatin1Char('*'))) {
            const std::optional<double> value = readNumberStrict(factor);
            if (!value)
                return QString();
            product *= *value;
        }
        return doubleText(product);
    }
};

struct Case
{
    int type = 1;
    const CatalogueState *table = nullptr;
    int row = -1;
    std::array<QString, 4> boxes{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                                 QStringLiteral("1")};
    int subType = -1;
    float factor = 1.0f;
    int mode = 0;
};

WeightInputs inputsOf(const Case &c, FakeEvaluator &evaluator)
{
    WeightInputs in;
    in.type = calculationTypeAt(c.type);
    in.boxTexts = c.boxes;
    in.catalogue = c.table;
    in.subType = c.subType;
    in.DensityFactor = c.factor;
    in.exactDensityFactor = readNumberStrict(singleText(c.factor)).value_or(1.0);
    in.precisionMode = static_cast<PrecisionMode>(c.mode);
    const CalculationTypeRecord &record = typeRecord(in.type);
    if (c.type == 11) {
        in.listIndex[1] = c.row;
        in.sizeBoxEntries = AngleWidths;
    } else if (record.sizeBoxIndex == 0 && !record.section.typedSizeBox) {
        in.listIndex[0] = c.row;
    }
    in.evaluate = [&evaluator](const QString &text) { return evaluator(text); };
    return in;
}

std::array<QString, 4> boxes(const char *b0, const char *b1, const char *b2, const char *b3)
{
    return {QString::fromUtf8(b0), QString::fromUtf8(b1), QString::fromUtf8(b2), QString::fromUtf8(b3)};
}

QString lines(std::initializer_list<const char *> parts)
{
    QStringList list;
    for (const char *part : parts)
        list << QString::fromUtf8(part);
    return list.join(Crlf);
}

const WeightDisplay Previous{2.5f, QStringLiteral("previous caption"), QStringLiteral("previous result")};

} // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(CalculatorLine)

class TestWeightComputation : public QObject
{
    Q_OBJECT

private slots:
    void completedRuns_data();
    void completedRuns();
    void listLine_data();
    void listLine();
    void entryCheck_data();
    void entryCheck();
    void geometryChecks_data();
    void geometryChecks();
    void incompleteProduct_data();
    void incompleteProduct();
    void failingStepKeepsPreviousValues_data();
    void failingStepKeepsPreviousValues();
    void failingBoxIsNamed_data();
    void failingBoxIsNamed();
    void angleRowSearch_data();
    void angleRowSearch();
    void unitWeightDisplay_data();
    void unitWeightDisplay();
    void plateWithCopperScalesPieceWeight();
    void plateAreaThroughTheEvaluator();
    void builtInTables_data();
    void builtInTables();
    void keystrokeInABox_data();
    void keystrokeInABox();
    void sectionNotesFollowThePick_data();
    void sectionNotesFollowThePick();
};

void TestWeightComputation::completedRuns_data()
{
    QTest::addColumn<Case>("input");
    QTest::addColumn<float>("unitWeight");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("result");

    const int raw = 4; // the precision mode that hands the total text through unchanged

    QTest::newRow("anchor bolt M24 400 mm: hole 140x140, unit weight in F3")
        << Case{1, &anchorBolts(), 4, boxes("M24", "1", "400abc", "1")} << 1.53f
        << lines({"※ 单重: 1.530 kg/个；", "※ 预留孔尺寸: 140×140", "※ 代号: GB/T 799-1988；"}) << "1.530";
    QTest::newRow("anchor bolt M12* takes the hole of its own row")
        << Case{1, &anchorBolts(), 1, boxes("M12*", "1", "400", "2"), -1, 1.0f, raw} << 0.38f
        << lines({"※ 单重: 0.380 kg/个；", "※ 预留孔尺寸: 80×80", "※ 代号: GB/T 799-1988；"})
        << "0.759999990463257";
    QTest::newRow("hex bolt M20 60 mm: unit weight is the formatted value")
        << Case{2, &hexBolts(), 8, boxes("M20", "1", "60", "1")} << 0.206f
        << lines({"※ 单重: 0.206 kg/个", "※ GB/T 5780-2000 (C级半螺纹)", "※ GB/T 5781-2000 (C级全螺纹)"})
        << "0.206";
    QTest::newRow("hex bolt with the exponent mode keeps four digits of the unit weight")
        << Case{2, &hexBolts(), 8, boxes("M20", "1", "60", "10"), -1, 1.0f, 3} << 0.2065f
        << lines({"※ 单重: 0.207 kg/个", "※ GB/T 5780-2000 (C级半螺纹)", "※ GB/T 5781-2000 (C级全螺纹)"})
        << "2.065E00";
    QTest::newRow("hex nut M10 x 100: total from the rounded single")
        << Case{3, &nuts(), 1, boxes("M10", "1", "1", "100"), -1, 1.0f, raw} << 0.008f
        << lines({"※ 单重: 0.008 kg/个", "※ GB/T 41-2000 (C级)", "※ GB/T 6170-2000 (A、B级)"})
        << "0.800000037997961";
    QTest::newRow("quantity text starting with 3 reads as 3")
        << Case{3, &nuts(), 2, boxes("M12", "1", "1", "3abc"), -1, 1.0f, raw} << 0.012f
        << lines({"※ 单重: 0.012 kg/个", "※ GB/T 41-2000 (C级)", "※ GB/T 6170-2000 (A、B级)"})
        << "0.0360000003129244";
    QTest::newRow("washer shows its size text")
        << Case{4, &washers(), 1, boxes("20", "1", "1", "1")} << 0.016f
        << lines({"※ 单重: 0.016 kg/个", "※ 规格: φ22×φ37×3", "※ 标准:GB/T 95-2002(C级平垫圈)"}) << "0.016";
    QTest::newRow("spring washer standard series")
        << Case{5, &springWashers(), 2, boxes("16", "1", "1", "1"), 1} << 0.003f
        << lines({"※ 单重: 0.003 kg/个", "※ 标准:GB/T 93-1987 (标准) "}) << "0.003";
    QTest::newRow("spring washer light series")
        << Case{5, &springWashers(), 2, boxes("16", "1", "1", "1"), 0} << 0.003f
        << lines({"※ 单重: 0.003 kg/个", "※ 标准:GB/T 859-1987(轻型)"}) << "0.003";
    QTest::newRow("spring washer without sub-type ends with CRLF")
        << Case{5, &springWashers(), 2, boxes("16", "1", "1", "1"), -1} << 0.003f
        << QStringLiteral("※ 单重: 0.003 kg/个\r\n") << "0.003";
    QTest::newRow("bevel washer for I-beams")
        << Case{6, &bevelWashers(), 1, boxes("16", "1", "1", "1"), 0} << 0.038f
        << lines({"※ 单重: 0.038 kg/个", "※ 规格: φ17×□35×2-7.7", "※ 标准: GB/T 852-1988 (工字钢用)"})
        << "0.038";
    QTest::newRow("bevel washer without sub-type takes the channel line")
        << Case{6, &bevelWashers(), 1, boxes("16", "1", "1", "1"), -1} << 0.038f
        << lines({"※ 单重: 0.038 kg/个", "※ 规格: φ17×□35×2-7.7", "※ 标准: GB/T 853-1988 (槽钢用)"})
        << "0.038";
    QTest::newRow("mining I-beam with copper: unit weight unrounded")
        << Case{7, &iBeams(), 0, boxes(" 9 -矿工钢", "1", "1000", "1"), -1, 1.1363f} << 20.08978f
        << lines({"※ 单重: 20.08978 kg/m；20.09kg/根", "※ 规格: 90×76×8×10.9",
                  "● 标准: YB/T 24-1986 (矿用工字钢)"})
        << "20.09";
    QTest::newRow("I-beam row 3 is a standard I-beam")
        << Case{7, &iBeams(), 3, boxes("10", "1", "2000", "2"), -1, 1.0f, raw} << 11.261f
        << lines({"※ 单重: 11.261 kg/m；22.5219993591309kg/根", "※ 规格: 100×68×4.5×7.6",
                  "※ 标准: GB/T 706-1988"})
        << "45.0439987182618";
    QTest::newRow("channel 10, length read as prefix")
        << Case{8, &channels(), 3, boxes("10", "1", "1000abc", "1")} << 10.007f
        << lines({"※ 单重: 10.007 kg/m；10.01kg/根", "※ 规格: 100×48×5.3×8.5", "※ 标准: GB/T 707-1988"})
        << "10.01";
    QTest::newRow("round bar 20: piece weight from the unrounded unit weight")
        << Case{9, nullptr, -1, boxes("", "20", "1000", "1"), -1, 1.0f, raw} << 2.466f
        << lines({"※ 单重: 2.466 kg/m；2.46615600585938kg/根", "※ 标准: GB/T 702-2004"})
        << "2.46615600585938";
    QTest::newRow("plate 10 mm, area 1000*2000")
        << Case{10, nullptr, -1, boxes("", "10", "1000*2000", "1"), -1, 1.0f, raw} << 78.5f
        << lines({"※ 单重: 78.500 kg/m^2；157 kg/块", "※ 标准: GB/T 709-2006", "※ [面积] 可进行乘法运算"})
        << "157";
    QTest::newRow("angle 50x5 6000 mm: total from the rounded single")
        << Case{11, &angles(), 6, boxes("", "50", "5", "6000"), -1, 1.0f, raw} << 3.776f
        << lines({"※ 单重: 3.776 kg/m", "※ 标准: GB/T 9787-1988", "※ [长度] 可进行乘法运算"})
        << "22.6560001373291";
    QTest::newRow("angle length may be a product")
        << Case{11, &angles(), 6, boxes("", "50", "5", "6000*2")} << 3.776f
        << lines({"※ 单重: 3.776 kg/m", "※ 标准: GB/T 9787-1988", "※ [长度] 可进行乘法运算"}) << "45.31";
    QTest::newRow("pipe 57x3.5, a pasted diameter counts by its leading number")
        << Case{12, nullptr, -1, boxes("", "57mm", "3.5", "1000")} << 4.618f
        << lines({"※ 单重: 4.618 kg/m", "※ 标准: GB/T 8163-1999", "※ [长度] 可进行乘法运算"}) << "4.618";
    // Section types: a table row's printed kg/m (its list entry and, for hollow sections and
    // unequal angles, the typed wall or leg thickness pick the row); formula types rounded like
    // round bar, the piece weight from the unrounded value.
    QTest::newRow("H-beam HW200×200×8×12 shows the printed 49.9")
        << Case{13, nullptr, 4, boxes("HW200×200×8×12", "1", "1000", "1")} << 49.9f
        << lines({"※ 单重: 49.9 kg/m；49.90kg/根", "※ 规格: 200×200×8×12×13", "※ 标准: GB/T 11263-2017"})
        << "49.90";
    QTest::newRow("hollow section 100×50×4 in copper: the single of the product")
        << Case{14, nullptr, 48, boxes("100×50", "4", "2000", "3"), -1, 1.1363f, raw} << 9.765362f
        << lines({"※ 单重: 9.765362 kg/m；19.5307244kg/根", "※ 规格: 100×50×4", "※ 标准: GB/T 6728-2017"})
        << "58.5921732";
    QTest::newRow("unequal angle 10/8, leg 7.0 typed finds the 7 mm row")
        << Case{15, nullptr, 12, boxes("10/8", "7.0", "1000", "2"), -1, 1.0f, raw} << 9.656f
        << lines({"※ 单重: 9.656 kg/m；9.656kg/根", "※ 规格: 100×80×7×10", "※ 标准: GB/T 706-2008"})
        << "19.312";
    // The formula types compute in double: the unit weight, piece weight and total shown agree.
    QTest::newRow("flat bar 50×5: 1.9625 shown 1.963, piece from 1.9625")
        << Case{16, nullptr, -1, boxes("50", "5", "1000", "1"), -1, 1.0f, raw} << 1.963f
        << lines({"※ 单重: 1.963 kg/m；1.9625kg/根", "※ 规格: 50×5", "※ 标准: GB/T 702-2017"}) << "1.9625";
    QTest::newRow("flat bar 50×5 as shown: piece 1.963 like its unit weight")
        << Case{16, nullptr, -1, boxes("50", "5", "1000", "1")} << 1.963f
        << lines({"※ 单重: 1.963 kg/m；1.963kg/根", "※ 规格: 50×5", "※ 标准: GB/T 702-2017"}) << "1.963";
    QTest::newRow("flat bar 50×5×6000×7: 11.775 shown 11.78, times 7")
        << Case{16, nullptr, -1, boxes("50", "5", "6000", "7")} << 1.963f
        << lines({"※ 单重: 1.963 kg/m；11.78kg/根", "※ 规格: 50×5", "※ 标准: GB/T 702-2017"}) << "82.46";
    QTest::newRow("square bar 20, a size typed as in the list")
        << Case{17, nullptr, -1, boxes("", "20", "1500", "2"), -1, 1.0f, raw} << 3.14f
        << lines({"※ 单重: 3.140 kg/m；4.71kg/根", "※ 规格: 20×20", "※ 标准: GB/T 702-2017"}) << "9.42";
    QTest::newRow("hexagon bar 20 across flats")
        << Case{18, nullptr, -1, boxes("", "20", "1000", "1"), -1, 1.0f, raw} << 2.719f
        << lines({"※ 单重: 2.719 kg/m；2.71924kg/根", "※ 规格: S20", "※ 标准: GB/T 702-2017"}) << "2.71924";
}

void TestWeightComputation::completedRuns()
{
    QFETCH(Case, input);
    QFETCH(float, unitWeight);
    QFETCH(QString, caption);
    QFETCH(QString, result);

    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QCOMPARE(out.display.caption, caption);
    QCOMPARE(out.display.resultText, result);
    QCOMPARE(out.display.UnitWeight, unitWeight);
    QVERIFY(out.completed);
    QVERIFY(!out.captionRed);
    QVERIFY(!out.disableCmdOK);
}

void TestWeightComputation::listLine_data()
{
    QTest::addColumn<Case>("input");
    QTest::addColumn<CalculatorLine>("line"); // the material is the window's to fill in

    const auto per = [](const char *type, const char *size, double measure, double quantity, double unit,
                        UnitBasis basis) {
        return CalculatorLine{
            QString::fromUtf8(type), QString::fromUtf8(size), {}, measure, quantity, unit, basis};
    };
    QTest::newRow("anchor bolt: the length is inside the unit weight per piece")
        << Case{1, &anchorBolts(), 4, boxes("M24", "1", "400", "3")}
        << per("地脚螺栓", "M24", 400, 3, 1.53, UnitBasis::PerPiece);
    QTest::newRow("hex bolt: the unit weight the total multiplies, four digits in the exponent mode")
        << Case{2, &hexBolts(), 8, boxes("M20", "1", "60", "10"), -1, 1.0f, 3}
        << per("六角螺栓", "M20", 60, 10, 0.2065, UnitBasis::PerPiece);
    QTest::newRow("washer: known by the dimensions of its caption")
        << Case{4, &washers(), 1, boxes("20", "1", "1", "4")}
        << per("垫圈", "φ22×φ37×3", 0, 4, 0.016, UnitBasis::PerPiece);
    QTest::newRow("spring washer: the size entry")
        << Case{5, &springWashers(), 1, boxes("14*", "1", "1", "1"), 1}
        << per("弹簧垫圈", "14*", 0, 1, 0.002, UnitBasis::PerPiece);
    QTest::newRow("mining I-beam with copper: model with its prefix, unrounded unit weight")
        << Case{7, &iBeams(), 0, boxes(" 9 -矿工钢", "1", "6000", "2"), -1, 1.1363f}
        << per("工字钢", "Ⅰ 9 -矿工钢", 6000, 2, 20.089783, UnitBasis::PerMetre);
    QTest::newRow("channel: length read as prefix")
        << Case{8, &channels(), 3, boxes("10", "1", "1000abc", "1")}
        << per("槽钢", "[10", 1000, 1, 10.007, UnitBasis::PerMetre);
    QTest::newRow("round bar: the unrounded unit weight the piece weight uses")
        << Case{9, nullptr, -1, boxes("", "20", "1000", "1")}
        << per("圆钢", "φ20", 1000, 1, 2.466156, UnitBasis::PerMetre);
    QTest::newRow("plate: thickness, the evaluated area")
        << Case{10, nullptr, -1, boxes("", "10", "1000*2000", "2")}
        << per("钢板", "δ10", 2000000, 2, 78.5, UnitBasis::PerSquareMetre);
    QTest::newRow("angle: a length product is one row of the whole length")
        << Case{11, &angles(), 6, boxes("", "50", "5", "6000*2")}
        << per("角钢", "50×5", 12000, 1, 3.776, UnitBasis::PerMetre);
    QTest::newRow("pipe: diameter and wall") << Case{12, nullptr, -1, boxes("", "57", "3.5", "1000")}
                                             << per("钢管", "φ57×3.5", 1000, 1, 4.618, UnitBasis::PerMetre);
    QTest::newRow("H-beam: the designation with its series, the printed kg/m")
        << Case{13, nullptr, 4, boxes("HW200×200×8×12", "1", "6000", "2")}
        << per("H型钢", "HW200×200×8×12", 6000, 2, 49.9, UnitBasis::PerMetre);
    QTest::newRow("hollow section in copper: its dimensions with the wall")
        << Case{14, nullptr, 48, boxes("100×50", "4", "2000", "3"), -1, 1.1363f}
        << per("方矩管", "100×50×4", 2000, 3, 8.594 * 1.1363, UnitBasis::PerMetre);
    QTest::newRow("flat bar: the unrounded unit weight the piece weight uses")
        << Case{16, nullptr, -1, boxes("50", "5", "1000", "1")}
        << per("扁钢", "50×5", 1000, 1, 1.9625, UnitBasis::PerMetre);
    QTest::newRow("flat bar in copper: the factor as written, in double")
        << Case{16, nullptr, -1, boxes("50", "5", "1000", "1"), -1, 1.1363f}
        << per("扁钢", "50×5", 1000, 1, 1.9625 * 1.1363, UnitBasis::PerMetre);
}

void TestWeightComputation::listLine()
{
    QFETCH(Case, input);
    QFETCH(CalculatorLine, line);

    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QVERIFY(out.line);
    QCOMPARE(out.line->typeCaption, line.typeCaption);
    QCOMPARE(out.line->sizeText, line.sizeText);
    QCOMPARE(out.line->lengthOrArea, line.lengthOrArea);
    QCOMPARE(out.line->quantity, line.quantity);
    QCOMPARE(out.line->unitWeight, line.unitWeight);
    QVERIFY(out.line->basis == line.basis);
}

void TestWeightComputation::entryCheck_data()
{
    QTest::addColumn<Case>("input");

    QTest::newRow("quantity 0") << Case{3, &nuts(), 1, boxes("M10", "1", "1", "0")};
    QTest::newRow("empty quantity") << Case{3, &nuts(), 1, boxes("M10", "1", "1", "")};
    QTest::newRow("quantity of letters") << Case{1, &anchorBolts(), 4, boxes("M24", "1", "400", "abc")};
    QTest::newRow("negative quantity") << Case{1, &anchorBolts(), 4, boxes("M24", "1", "400", "-3")};
    QTest::newRow("length 0") << Case{7, &iBeams(), 3, boxes("10", "1", "0", "1")};
    QTest::newRow("diameter empty") << Case{9, nullptr, -1, boxes("", "", "1000", "1")};
    QTest::newRow("length starting with a product sign reads as 0")
        << Case{11, &angles(), 6, boxes("", "50", "5", "*2")};
    QTest::newRow("area starting with a product sign")
        << Case{10, nullptr, -1, boxes("", "10", "*2000", "1")};
    QTest::newRow("flat bar width typed as 0") << Case{16, nullptr, -1, boxes("0", "5", "1000", "1")};
    QTest::newRow("flat bar width emptied") << Case{16, nullptr, -1, boxes("", "5", "1000", "1")};
}

void TestWeightComputation::entryCheck()
{
    QFETCH(Case, input);
    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QCOMPARE(out.display.caption, QStringLiteral("\r\n◆ 「参数」 必须大于0 ◆"));
    QVERIFY(out.captionRed);
    QVERIFY(out.disableCmdOK);
    QVERIFY(!out.completed);
    QVERIFY(!out.line);
    QCOMPARE(out.display.resultText, Previous.resultText);
    QCOMPARE(out.display.UnitWeight, Previous.UnitWeight);
    QVERIFY(evaluator.asked.isEmpty());
}

void TestWeightComputation::geometryChecks_data()
{
    QTest::addColumn<Case>("input");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("result");

    QTest::newRow("angle leg width equal to thickness")
        << Case{11, &angles(), 6, boxes("", "5", "5", "1000")} << "\r\n◆ 边宽 > 边厚 ◆"
        << "边宽 > 边厚";
    QTest::newRow("angle leg width below thickness")
        << Case{11, &angles(), -1, boxes("", "4", "5", "1000")} << "\r\n◆ 边宽 > 边厚 ◆"
        << "边宽 > 边厚";
    QTest::newRow("pipe wall of half the diameter")
        << Case{12, nullptr, -1, boxes("", "60", "30", "1000")} << "\r\n◆ 外径 > 2×壁厚 ◆"
        << "外径 > 2×壁厚";
    QTest::newRow("pipe wall beyond half the diameter")
        << Case{12, nullptr, -1, boxes("", "57", "40", "1000")} << "\r\n◆ 外径 > 2×壁厚 ◆"
        << "外径 > 2×壁厚";
    QTest::newRow("hollow section 50×50 has no 3.5 mm wall")
        << Case{14, nullptr, 4, boxes("50×50", "3.5", "1000", "1")} << "\r\n◆ 此规格无此壁厚 ◆"
        << "此规格无此壁厚";
    QTest::newRow("unequal angle 7.5/5 has no 7 mm leg")
        << Case{15, nullptr, 8, boxes("7.5/5", "7", "1000", "1")} << "\r\n◆ 此型号无此边厚 ◆"
        << "此型号无此边厚";
}

void TestWeightComputation::geometryChecks()
{
    QFETCH(Case, input);
    QFETCH(QString, caption);
    QFETCH(QString, result);

    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QCOMPARE(out.display.caption, caption);
    QCOMPARE(out.display.resultText, result);
    QVERIFY(out.captionRed);
    QVERIFY(!out.disableCmdOK);
    QVERIFY(!out.completed);
    QVERIFY(!out.line);
    QCOMPARE(out.display.UnitWeight, Previous.UnitWeight);
}

void TestWeightComputation::incompleteProduct_data()
{
    QTest::addColumn<Case>("input");
    QTest::addColumn<float>("unitWeight");
    QTest::addColumn<QString>("caption");

    const QString angleCaption =
        lines({"※ 单重: 3.776 kg/m", "※ 标准: GB/T 9787-1988", "※ [长度] 可进行乘法运算"});
    QTest::newRow("angle length ending in a product sign")
        << Case{11, &angles(), 6, boxes("", "50", "5", "6000*")} << 3.776f << angleCaption;
    QTest::newRow("angle length ending in a second product sign")
        << Case{11, &angles(), 6, boxes("", "50", "5", " 6000*2* ")} << 3.776f << angleCaption;
    QTest::newRow("pipe length ending in a product sign")
        << Case{12, nullptr, -1, boxes("", "57", "3.5", "1000* ")} << 4.618f
        << lines({"※ 单重: 4.618 kg/m", "※ 标准: GB/T 8163-1999", "※ [长度] 可进行乘法运算"});
    QTest::newRow("plate area ending in a product sign keeps the previous caption")
        << Case{10, nullptr, -1, boxes("", "10", "1000*", "1")} << 78.5f << Previous.caption;
}

void TestWeightComputation::incompleteProduct()
{
    QFETCH(Case, input);
    QFETCH(float, unitWeight);
    QFETCH(QString, caption);

    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QCOMPARE(out.display.resultText, QString());
    QCOMPARE(out.display.caption, caption);
    QCOMPARE(out.display.UnitWeight, unitWeight);
    QVERIFY(!out.completed);
    QVERIFY(!out.line);
    QVERIFY(!out.captionRed);
    QVERIFY(evaluator.asked.isEmpty());
}

void TestWeightComputation::failingStepKeepsPreviousValues_data()
{
    QTest::addColumn<Case>("input");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("result");

    // Without a table row the previous unit weight (2.5) and caption stay.
    QTest::newRow("anchor bolt without a selected row: caption kept")
        << Case{1, &anchorBolts(), -1, boxes("", "1", "400", "2"), -1, 1.0f, 4} << Previous.caption << "5";
    QTest::newRow("washer without a selected row: caption kept")
        << Case{4, &washers(), -1, boxes("", "1", "1", "1"), -1, 1.0f, 4} << Previous.caption << "2.5";
    QTest::newRow("nut without any table")
        << Case{3, nullptr, 1, boxes("M10", "1", "1", "2"), -1, 1.0f, 4}
        << lines({"※ 单重: 2.500 kg/个", "※ GB/T 41-2000 (C级)", "※ GB/T 6170-2000 (A、B级)"}) << "5";
    QTest::newRow("I-beam row beyond the table")
        << Case{7, &iBeams(), 39, boxes("", "1", "1000", "1"), -1, 1.0f, 4} << Previous.caption << "2.5";
}

void TestWeightComputation::failingStepKeepsPreviousValues()
{
    QFETCH(Case, input);
    QFETCH(QString, caption);
    QFETCH(QString, result);

    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QCOMPARE(out.display.caption, caption);
    QCOMPARE(out.display.resultText, result);
    QVERIFY(out.completed);
    QVERIFY(!out.captionRed);
    // What the window shows partly comes from an earlier run: no line to put on a list.
    QVERIFY(!out.line);
}

void TestWeightComputation::failingBoxIsNamed_data()
{
    QTest::addColumn<Case>("input");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("caption");

    const QString nines(400, u'9');
    QTest::newRow("anchor bolt quantity of 400 nines")
        << Case{1, &anchorBolts(), 4, {"M24", "1", "400", nines}} << 3 << "◆ 「数量」 数值过大 ◆";
    QTest::newRow("nut quantity 1E400")
        << Case{3, &nuts(), 1, boxes("M10", "1", "1", "1E400")} << 3 << "◆ 「数量」 数值过大 ◆";
    QTest::newRow("channel length 1E400: no half caption with a blank piece weight")
        << Case{8, &channels(), 3, boxes("10", "1", "1E400", "1")} << 2 << "◆ 「长度(mm)」 数值过大 ◆";
    QTest::newRow("channel total beyond the double range")
        << Case{8, &channels(), 3, boxes("10", "1", "1E300", "1E300")} << 2 << "◆ 「长度(mm)」 数值过大 ◆";
    QTest::newRow("refused area") << Case{10, nullptr, -1, boxes("", "10", "1000**2", "1")} << 2
                                  << "◆ 「面积(mm^2)」 无法计算 ◆";
    QTest::newRow("refused angle length")
        << Case{11, &angles(), 6, boxes("", "50", "5", "6000**2")} << 3 << "◆ 「长度(mm)」 无法计算 ◆";
    QTest::newRow("pipe unit weight beyond the single range")
        << Case{12, nullptr, -1, boxes("", "1E300", "1E200", "1")} << 1 << "◆ 「外径(mm)」 数值过大 ◆";
    QTest::newRow("H-beam quantity 1E400")
        << Case{13, nullptr, 4, boxes("HW200×200×8×12", "1", "1000", "1E400")} << 3
        << "◆ 「数量」 数值过大 ◆";
    QTest::newRow("flat bar width 1E400")
        << Case{16, nullptr, -1, boxes("1E400", "5", "1000", "1")} << 0 << "◆ 「宽度(mm)」 数值过大 ◆";
    QTest::newRow("square bar side 1E21 beyond the unit weight's range")
        << Case{17, nullptr, -1, boxes("", "1E21", "1000", "1")} << 1 << "◆ 「边长(mm)」 数值过大 ◆";
    QTest::newRow("hexagon bar length of 400 nines")
        << Case{18, nullptr, -1, {"", "20", nines, "1"}} << 2 << "◆ 「长度(mm)」 数值过大 ◆";
}

// A step that fails on what a box holds shows no result at all: an empty total, no line, no
// copy, and the caption names the box in red.
void TestWeightComputation::failingBoxIsNamed()
{
    QFETCH(Case, input);
    QFETCH(int, box);
    QFETCH(QString, caption);

    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QCOMPARE(out.faultBox, box);
    QCOMPARE(out.display.caption, Crlf + caption);
    QVERIFY(out.faultStatus.startsWith(caption.mid(2, caption.size() - 4).remove(u' ')));
    QVERIFY(out.captionRed);
    QVERIFY(out.display.resultText.isEmpty());
    QVERIFY(!out.completed);
    QVERIFY(!out.line);
}

void TestWeightComputation::angleRowSearch_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("row");

    QTest::newRow("picked entry wins over the text") << "52" << 3 << AngleWidths << 3;
    QTest::newRow("typed width equal to an entry") << "50" << -1 << AngleWidths << 6;
    QTest::newRow("typed width between entries takes the next wider") << "52" << -1 << AngleWidths << 7;
    QTest::newRow("widths compare as numbers, 100 does not match 20") << "100" << -1 << AngleWidths << 13;
    QTest::newRow("width below the first entry") << "10" << -1 << AngleWidths << 0;
    QTest::newRow("width beyond the last entry takes the last row") << "250" << -1 << AngleWidths << 19;
    QTest::newRow("no entries gives row 0") << "50" << -1 << QStringList() << 0;
}

void TestWeightComputation::angleRowSearch()
{
    QFETCH(QString, width);
    QFETCH(int, listIndex);
    QFETCH(QStringList, entries);
    QFETCH(int, row);

    WeightInputs in;
    in.type = CalculationType::Angle;
    in.boxTexts = {QString(), width, QStringLiteral("5"), QStringLiteral("1000")};
    in.listIndex = {-1, listIndex};
    in.sizeBoxEntries = entries;
    QCOMPARE(angleRow(in), row);
}

void TestWeightComputation::unitWeightDisplay_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<float>("unitWeight");

    QTest::newRow("unit weight 0.001 shows four decimals") << 3 << "0.0010" << 0.001f;
    QTest::newRow("unit weight 0.0004 shows four decimals") << 4 << "0.0004" << 0.0004f;
    QTest::newRow("0.0012 rounds to 0.001 and then shows four decimals") << 5 << "0.0010" << 0.001f;
    QTest::newRow("above 0.001 shows three decimals") << 0 << "0.004" << 0.004f;
}

void TestWeightComputation::unitWeightDisplay()
{
    QFETCH(int, row);
    QFETCH(QString, shown);
    QFETCH(float, unitWeight);

    FakeEvaluator evaluator;
    const WeightOutcome out =
        computeWeight(inputsOf(Case{3, &nuts(), row, boxes("", "1", "1", "1")}, evaluator), Previous);
    QVERIFY(
        out.display.caption.startsWith(QStringLiteral("※ 单重: ") + shown + QStringLiteral(" kg/个\r\n")));
    QCOMPARE(out.display.UnitWeight, unitWeight);
}

void TestWeightComputation::plateWithCopperScalesPieceWeight()
{
    FakeEvaluator evaluator;
    const Case copper{10, nullptr, -1, boxes("", "10", "1000*2000", "1"), -1, 1.1363f, 4};
    const WeightOutcome out = computeWeight(inputsOf(copper, evaluator), Previous);
    QCOMPARE(evaluator.asked, QStringList{QStringLiteral("1000*2000")});
    QCOMPARE(out.display.UnitWeight, 89.2f);
    QCOMPARE(out.display.caption, lines({"※ 单重: 89.200 kg/m^2；178.399094939232 kg/块",
                                         "※ 标准: GB/T 709-2006", "※ [面积] 可进行乘法运算"}));
    QCOMPARE(out.display.resultText, QStringLiteral("178.399094939232"));
}

void TestWeightComputation::plateAreaThroughTheEvaluator()
{
    RecordingExpressionHost host;
    host.type = 10;
    ExpressionState expression;

    WeightInputs in;
    in.type = CalculationType::Plate;
    in.boxTexts = boxes("", "10", "1000*2000", "3");
    in.evaluate = [&](const QString &text) {
        const ExpressionOutcome outcome = host.calculate(text, expression);
        return outcome.value ? doubleText(*outcome.value) : QString();
    };
    const WeightOutcome good = computeWeight(in, Previous);
    QCOMPARE(good.display.resultText, QStringLiteral("471.0"));
    QVERIFY(host.shown.isEmpty());

    // A refused area shows the evaluator's own message once and no total.
    in.boxTexts[2] = QStringLiteral("1000**2000");
    const WeightOutcome refused = computeWeight(in, good.display);
    QCOMPARE(host.shown.size(), 1);
    QCOMPARE(host.removed, 0);
    QVERIFY(refused.display.resultText.isEmpty());
    QCOMPARE(refused.faultBox, 2);
}

void TestWeightComputation::builtInTables_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("subType");
    QTest::addColumn<QString>("entry"); // the size-box entry picked; empty: the width is typed
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("published");

    QTest::newRow("anchor bolt M24 400 mm") << 1 << -1 << "M24" << QStringList{"", "1", "400", "1"} << 1.53;
    QTest::newRow("hex nut M10") << 3 << -1 << "M10" << QStringList{"", "1", "1", "1"} << 0.008;
    QTest::newRow("spring washer 16 standard") << 5 << 1 << "16" << QStringList{"", "1", "1", "1"} << 0.003;
    QTest::newRow("I-beam 20a") << 7 << -1 << "Ⅰ20a" << QStringList{"", "1", "1000", "1"} << 27.929;
    QTest::newRow("channel 10") << 8 << -1 << "[10" << QStringList{"", "1", "1000", "1"} << 10.007;
    QTest::newRow("round bar d 20") << 9 << -1 << "20" << QStringList{"", "20", "1000", "1"} << 2.47;
    QTest::newRow("plate 10 mm") << 10 << -1 << "10" << QStringList{"", "10", "1000000", "1"} << 78.5;
    QTest::newRow("angle 50x5 picked") << 11 << -1 << "50" << QStringList{"", "50", "5", "1000"} << 3.77;
    QTest::newRow("angle 50x5 typed") << 11 << -1 << "" << QStringList{"", "50", "5", "1000"} << 3.77;
    QTest::newRow("pipe 57x3.5") << 12 << -1 << "57" << QStringList{"", "57", "3.5", "1000"} << 4.62;
}

void TestWeightComputation::builtInTables()
{
    QFETCH(int, type);
    QFETCH(int, subType);
    QFETCH(QString, entry);
    QFETCH(QStringList, texts);
    QFETCH(double, published);

    CatalogueState catalogue;
    const LoadedTable loaded = loadTable(catalogue, calculationTypeAt(type), subType);
    QVERIFY(loaded.notices.isEmpty());

    WeightInputs in;
    in.type = calculationTypeAt(type);
    in.catalogue = &catalogue;
    in.subType = subType;
    for (int k = 0; k < 4; ++k)
        in.boxTexts[static_cast<std::size_t>(k)] = texts[k];
    const int sizeBox = type <= 8 ? 0 : 1;
    if (!entry.isEmpty()) {
        const int index = static_cast<int>(loaded.sizeEntries.indexOf(entry));
        QVERIFY2(index >= 0, qPrintable(entry));
        in.listIndex[static_cast<std::size_t>(sizeBox)] = index;
        in.boxTexts[static_cast<std::size_t>(sizeBox)] = entry;
    }
    if (sizeBox == 1)
        in.sizeBoxEntries = loaded.sizeEntries;
    FakeEvaluator evaluator;
    in.evaluate = [&evaluator](const QString &text) { return evaluator(text); };

    const WeightOutcome out = computeWeight(in, WeightDisplay{});
    QVERIFY(out.completed);
    QVERIFY2(qAbs(static_cast<double>(out.display.UnitWeight) / published - 1) < 0.01,
             qPrintable(QString::number(static_cast<double>(out.display.UnitWeight))));
}

void TestWeightComputation::keystrokeInABox_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("entries"); // of CombSR(1)
    QTest::addColumn<bool>("weightType");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("marked"); // -1 colour unchanged, 0 black, 1 red
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("calculate");
    QTest::addColumn<bool>("typedSizeBox"); // CombSR(0) takes a typed number (flat bar width)

    const QStringList none;
    const QStringList sizes{"18", "20", "22"};
    QTest::newRow("size to avoid is red")
        << 0 << QStringList{"M14*", "1", "60", "1"} << none << true << "M14*" << 1 << false << true << false;
    QTest::newRow("mining beam is red") << 0 << QStringList{"Ⅰ 9 -矿工钢", "1", "1000", "1"} << none << true
                                        << "Ⅰ 9 -矿工钢" << 1 << false << true << false;
    QTest::newRow("plain size is black")
        << 0 << QStringList{"M20", "1", "60", "1"} << none << true << "M20" << 0 << false << true << false;
    QTest::newRow("size box may be empty, others decide")
        << 0 << QStringList{"", "1", "", "1"} << none << true << "" << 0 << false << false << false;
    QTest::newRow("typed diameter outside the list is red")
        << 1 << QStringList{"", "21", "1000", "1"} << sizes << true << "21" << 1 << false << true << false;
    QTest::newRow("list entry found by value, not text") << 1 << QStringList{"", "20.0", "1000", "1"} << sizes
                                                         << true << "20.0" << 0 << false << true << false;
    QTest::newRow("box 1 without a list keeps its colour")
        << 1 << QStringList{"M20", "1", "60", "1"} << none << true << "1" << -1 << false << true << false;
    QTest::newRow("zero length refused with its caption")
        << 2 << QStringList{"M20", "1", "0", "1"} << none << true << "「长度(mm)」参数 必须大于0！" << -1
        << true << false << false;
    QTest::newRow("letters read as no value") << 3 << QStringList{"M20", "1", "60", "abc"} << none << true
                                              << "「数量」参数 必须大于0！" << -1 << true << false << false;
    QTest::newRow("good box, another empty: no run")
        << 2 << QStringList{"M20", "1", "60", ""} << none << true << "60" << -1 << false << false << false;
    QTest::newRow("expression calculator never runs")
        << 3 << QStringList{"", "1", "1", "2"} << none << false << "2" << -1 << false << false << false;
    QTest::newRow("typed width 0 is refused like any typed box")
        << 0 << QStringList{"0", "5", "1000", "1"} << none << true << "「宽度(mm)」参数 必须大于0！" << -1
        << true << false << true;
    QTest::newRow("typed width is black, no list to miss")
        << 0 << QStringList{"50", "5", "1000", "1"} << none << true << "50" << 0 << false << true << true;
    QTest::newRow("another box changed: an empty typed width stops the run")
        << 2 << QStringList{"", "5", "1000", "1"} << none << true << "1000" << -1 << false << false << true;
}

void TestWeightComputation::keystrokeInABox()
{
    QFETCH(int, index);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, entries);
    QFETCH(bool, weightType);
    QFETCH(QString, status);
    QFETCH(int, marked);
    QFETCH(bool, refused);
    QFETCH(bool, calculate);
    QFETCH(bool, typedSizeBox);

    WeightBoxChange change;
    change.index = index;
    for (std::size_t k = 0; k < 4; ++k)
        change.boxTexts[k] = texts[static_cast<qsizetype>(k)];
    change.sizeListEntries = entries;
    change.caption = index == 2   ? QStringLiteral("长度(mm):")
                     : index == 0 ? QStringLiteral("宽度(mm):")
                                  : QStringLiteral("数量:");
    change.weightType = weightType;
    change.typedSizeBox = typedSizeBox;

    const WeightBoxVerdict verdict = checkWeightBox(change);
    QCOMPARE(verdict.statusText, status);
    QCOMPARE(verdict.boxMarked.has_value() ? int(*verdict.boxMarked) : -1, marked);
    QCOMPARE(verdict.refused, refused);
    QCOMPARE(verdict.caption, refused ? QStringLiteral("\r\n◆ 「参数」 必须大于0 ◆") : QString());
    QCOMPARE(verdict.calculate, calculate);
}

void TestWeightComputation::sectionNotesFollowThePick_data()
{
    QTest::addColumn<Case>("input");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("differs"); // note 3 says the printed value differs from the formula

    QTest::newRow("hollow 50×50×3 matches its formula")
        << Case{14, nullptr, 4, boxes("50×50", "3", "1000", "1")} << 23 << false;
    QTest::newRow("hollow 50×50×4: printed area off the formula")
        << Case{14, nullptr, 4, boxes("50×50", "4", "1000", "1")} << 24 << true;
    QTest::newRow("no such wall: the type's own notes")
        << Case{14, nullptr, 4, boxes("50×50", "3.5", "1000", "1")} << -1 << false;
    QTest::newRow("flat bar: the type's notes")
        << Case{16, nullptr, -1, boxes("50", "5", "1000", "1")} << -1 << false;
}

void TestWeightComputation::sectionNotesFollowThePick()
{
    QFETCH(Case, input);
    QFETCH(int, row);
    QFETCH(bool, differs);
    FakeEvaluator evaluator;
    const WeightOutcome out = computeWeight(inputsOf(input, evaluator), Previous);
    QVERIFY(out.notes.has_value());
    QCOMPARE(out.sectionRow, row);
    QCOMPARE((*out.notes)[2].contains(QStringLiteral("与截面公式不符")), differs);
    QCOMPARE((*out.notes)[0],
             sectionTypeFacts(*typeRecord(calculationTypeAt(input.type)).section.type).notes[0]);
}

QTEST_GUILESS_MAIN(TestWeightComputation)
#include "tst_weightcomputation.moc"
