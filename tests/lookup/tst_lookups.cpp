// The lookups as the window asks for them: a size and two classes, or a thread designation,
// typed as a user types them, and what the standard gives for them.

#include "lookup/fitlookup.h"
#include "lookup/threadlookup.h"

#include <QTest>

class TestLookups : public QObject
{
    Q_OBJECT

private slots:
    void fitOfEveryKindAndHoleRule_data();
    void fitOfEveryKindAndHoleRule();
    void undefinedClassNamesWhatIsMissing_data();
    void undefinedClassNamesWhatIsMissing();
    void threadDesignations_data();
    void threadDesignations();
    void millimetreTexts_data();
    void millimetreTexts();
    void boxListsOfferThePreferredFirst();
};

void TestLookups::fitOfEveryKindAndHoleRule_data()
{
    // Expected values as ISO 286-2 prints the limit deviations.
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("shaft");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("fitLine"); // empty for one class alone
    QTest::newRow("clearance, preferred, EI = 0")
        << u"25"_qs << u"H7"_qs << u"g6"_qs << u"H7(+0.021/0) g6(-0.007/-0.020)"_qs
        << u"间隙配合：最大间隙 +0.041，最小间隙 +0.007；优先配合"_qs;
    QTest::newRow("transition") << u"25"_qs << u"H7"_qs << u"k6"_qs << u"H7(+0.021/0) k6(+0.015/+0.002)"_qs
                                << u"过渡配合：最大间隙 +0.019，最大过盈 -0.015；优先配合"_qs;
    QTest::newRow("interference") << u"25"_qs << u"H7"_qs << u"s6"_qs << u"H7(+0.021/0) s6(+0.048/+0.035)"_qs
                                  << u"过盈配合：最大过盈 -0.048，最小过盈 -0.014；优先配合"_qs;
    QTest::newRow("not a preferred fit, typed in the other case")
        << u"40"_qs << u"h8"_qs << u"E9"_qs << u"H8(+0.039/0) e9(-0.050/-0.112)"_qs
        << u"间隙配合：最大间隙 +0.151，最小间隙 +0.050；非优先配合"_qs;
    QTest::newRow("EI = -es") << u"25"_qs << u"F8"_qs << QString() << u"F8(+0.053/+0.020)"_qs << QString();
    QTest::newRow("ES = -ei + delta, K up to IT8")
        << u"25"_qs << u"K7"_qs << QString() << u"K7(+0.006/-0.015)"_qs << QString();
    QTest::newRow("ES = -ei + delta, N up to IT8")
        << u"25"_qs << u"N7"_qs << QString() << u"N7(-0.007/-0.028)"_qs << QString();
    QTest::newRow("ES = -ei + delta, P up to IT7")
        << u"25"_qs << u"P7"_qs << QString() << u"P7(-0.014/-0.035)"_qs << QString();
    QTest::newRow("ES = -ei, P above IT7")
        << u"25"_qs << u"P8"_qs << QString() << u"P8(-0.022/-0.055)"_qs << QString();
    QTest::newRow("J as printed") << u"25"_qs << u"J7"_qs << QString() << u"J7(+0.012/-0.009)"_qs
                                  << QString();
    QTest::newRow("JS: +-IT/2 of an odd IT")
        << u"25"_qs << u"JS7"_qs << QString() << u"JS7(+0.0105/-0.0105)"_qs << QString();
    QTest::newRow("js shaft") << u"25"_qs << QString() << u"js6"_qs << u"js6(+0.0065/-0.0065)"_qs
                              << QString();
    QTest::newRow("K above IT8 up to 3 mm")
        << u"2"_qs << u"K9"_qs << QString() << u"K9(0/-0.025)"_qs << QString();
    QTest::newRow("M6 special case at 250-315 mm")
        << u"300"_qs << u"M6"_qs << QString() << u"M6(-0.009/-0.041)"_qs << QString();
    QTest::newRow("M6 with delta elsewhere")
        << u"200"_qs << u"M6"_qs << QString() << u"M6(-0.008/-0.037)"_qs << QString();
    QTest::newRow("N above IT8 is 0 over 3 mm")
        << u"25"_qs << u"N9"_qs << QString() << u"N9(0/-0.052)"_qs << QString();
    QTest::newRow("N above IT8 up to 3 mm")
        << u"2"_qs << u"N9"_qs << QString() << u"N9(-0.004/-0.029)"_qs << QString();
    QTest::newRow("no delta at 0-3 mm")
        << u"3"_qs << u"K7"_qs << QString() << u"K7(0/-0.010)"_qs << QString();
    QTest::newRow("step limit belongs to the lower step")
        << u"30"_qs << u"H7"_qs << QString() << u"H7(+0.021/0)"_qs << QString();
    QTest::newRow("just above a step limit")
        << u"30.001"_qs << u"H7"_qs << QString() << u"H7(+0.025/0)"_qs << QString();
    QTest::newRow("largest size") << u"3150"_qs << QString() << u"h6"_qs << u"h6(0/-0.135)"_qs << QString();
    QTest::newRow("IT01 of a tenth of a micrometre")
        << u"2"_qs << QString() << u"h01"_qs << u"h01(0/-0.0003)"_qs << QString();
    QTest::newRow("blanks around the texts")
        << u" 25 "_qs << u" H7 "_qs << QString() << u"H7(+0.021/0)"_qs << QString();
}

void TestLookups::fitOfEveryKindAndHoleRule()
{
    QFETCH(QString, size);
    QFETCH(QString, hole);
    QFETCH(QString, shaft);
    QFETCH(QString, result);
    QFETCH(QString, fitLine);
    const LookupAnswer answer = lookUpFit(size, hole, shaft);
    QVERIFY2(!answer.failed, qPrintable(answer.lines.join(u" | "_qs)));
    QCOMPARE(answer.result, result);
    QCOMPARE(answer.lines.size(), hole.isEmpty() || shaft.isEmpty() ? 1 : 3);
    if (!fitLine.isEmpty())
        QCOMPARE(answer.lines.at(2), fitLine);
}

void TestLookups::undefinedClassNamesWhatIsMissing_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("shaft");
    QTest::addColumn<QString>("message");
    QTest::newRow("a up to 1 mm") << u"1"_qs << QString() << u"a11"_qs
                                  << u"轴 a11：基本尺寸 ≤ 1 mm 不用基本偏差 a"_qs;
    QTest::newRow("B up to 1 mm") << u"0.5"_qs << u"B11"_qs << QString()
                                  << u"孔 B11：基本尺寸 ≤ 1 mm 不用基本偏差 B"_qs;
    QTest::newRow("IT14 up to 1 mm") << u"1"_qs << u"H14"_qs << QString()
                                     << u"孔 H14：基本尺寸 ≤ 1 mm 不用 IT14～IT18"_qs;
    QTest::newRow("N above IT8 up to 1 mm")
        << u"0.8"_qs << u"N9"_qs << QString() << u"孔 N9：基本尺寸 ≤ 1 mm 不用 IT8 以上的 N"_qs;
    QTest::newRow("K above IT8 over 3 mm")
        << u"25"_qs << u"K9"_qs << QString() << u"孔 K9：标准在 Φ25 未给出基本偏差（只有 0～3 mm）"_qs;
    QTest::newRow("t begins above 24 mm")
        << u"20"_qs << QString() << u"t6"_qs << u"轴 t6：标准在 Φ20 未给出基本偏差（只有 24～3150 mm）"_qs;
    QTest::newRow("zc stops at 500 mm")
        << u"600"_qs << u"ZC9"_qs << QString() << u"孔 ZC9：标准在 Φ600 未给出基本偏差（只有 0～500 mm）"_qs;
    QTest::newRow("j has grades 5 to 8 only")
        << u"25"_qs << QString() << u"j9"_qs << u"轴 j9：标准未给出此公差等级的基本偏差"_qs;
    QTest::newRow("cd above 10 mm is not offered")
        << u"25"_qs << QString() << u"cd7"_qs << u"轴 cd7：10 mm 以上的基本偏差尚待核对，暂不提供"_qs;
    QTest::newRow("IT01 stops at 500 mm")
        << u"600"_qs << u"H01"_qs << QString() << u"孔 H01：标准只给出 500 mm 以内的 IT01"_qs;
    QTest::newRow("no delta for IT2")
        << u"25"_qs << u"K2"_qs << QString() << u"孔 K2：标准未给出 IT2 的 Δ 值"_qs;
    QTest::newRow("no such letter") << u"25"_qs << u"Q7"_qs << QString() << u"孔的基本偏差没有 Q"_qs;
    QTest::newRow("no grade yet") << u"25"_qs << u"H"_qs << QString()
                                  << u"请输入孔的公差等级（01、0、1～18）"_qs;
    QTest::newRow("no such grade") << u"25"_qs << QString() << u"h19"_qs
                                   << u"没有公差等级 IT19（IT01、IT0、IT1～IT18）"_qs;
    QTest::newRow("no class") << u"25"_qs << QString() << u" "_qs
                              << u"请输入孔或轴的公差带代号，如 H7、g6"_qs;
    QTest::newRow("size above 3150 mm")
        << u"3150.001"_qs << u"H7"_qs << QString() << u"基本尺寸须大于 0 且不大于 3150 mm"_qs;
    QTest::newRow("size 0") << u"0"_qs << u"H7"_qs << QString() << u"基本尺寸须大于 0 且不大于 3150 mm"_qs;
    QTest::newRow("size not a number")
        << u"2.5.1"_qs << u"H7"_qs << QString() << u"基本尺寸须大于 0 且不大于 3150 mm"_qs;
    QTest::newRow("no size") << QString() << u"H7"_qs << QString() << u"请输入基本尺寸(mm)"_qs;
}

void TestLookups::undefinedClassNamesWhatIsMissing()
{
    QFETCH(QString, size);
    QFETCH(QString, hole);
    QFETCH(QString, shaft);
    QFETCH(QString, message);
    const LookupAnswer answer = lookUpFit(size, hole, shaft);
    QVERIFY(answer.failed);
    QVERIFY(answer.result.isEmpty()); // never a made-up number
    QVERIFY2(answer.lines.contains(message), qPrintable(answer.lines.join(u" | "_qs)));
    QCOMPARE(answer.status, message);
}

void TestLookups::threadDesignations_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result"); // empty: refused
    QTest::addColumn<QString>("line");   // a line of the answer
    QTest::newRow("coarse, practice drill")
        << u"M12"_qs << u"10.2"_qs << u"底孔钻头 10.2（常用值；d − P = 10.25）"_qs;
    QTest::newRow("coarse dimensions")
        << u"M12"_qs << u"10.2"_qs << u"d1 = D1 = 10.106，d3 = 9.853，As = 84.26 mm²"_qs;
    QTest::newRow("coarse, d - P") << u"M10"_qs << u"8.5"_qs << u"底孔钻头 8.5（d − P）"_qs;
    QTest::newRow("fine typed in lower case with x")
        << u"m12x1.25"_qs << u"10.75"_qs << u"M12×1.25 细牙（第1系列）：P = 1.25，d2 = D2 = 11.188"_qs;
    QTest::newRow("fine with ×, blanks") << u" M 12 × 1.5 "_qs << u"10.5"_qs << u"底孔钻头 10.5（d − P）"_qs;
    QTest::newRow("coarse pitch written out")
        << u"M12*1.75"_qs << u"10.2"_qs << u"M12 粗牙（第1系列）：P = 1.75，d2 = D2 = 10.863"_qs;
    QTest::newRow("small thread, three decimals of As")
        << u"M1"_qs << u"0.75"_qs << u"d1 = D1 = 0.729，d3 = 0.693，As = 0.460 mm²"_qs;
    QTest::newRow("no such diameter")
        << u"M13"_qs << QString() << u"GB/T 193 没有公称直径 13 mm 的普通螺纹（M1～M68）"_qs;
    QTest::newRow("no such pitch") << u"M12x1.3"_qs << QString()
                                   << u"M12 没有螺距 1.3（粗牙 1.75；细牙 1.5、1.25、1）"_qs;
    QTest::newRow("fine pitches only")
        << u"M32"_qs << QString() << u"M32 没有粗牙，请写出螺距（细牙 2、1.5）"_qs;
    QTest::newRow("not a designation")
        << u"M12x"_qs << QString() << u"无法识别的螺纹规格 M12x，应如 M12 或 M12×1.25"_qs;
    QTest::newRow("empty") << QString() << QString() << u"请输入螺纹规格，如 M12 或 M12×1.25"_qs;
}

void TestLookups::threadDesignations()
{
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QString, line);
    const LookupAnswer answer = lookUpThread(typed);
    QCOMPARE(answer.failed, result.isEmpty());
    QCOMPARE(answer.result, result);
    QVERIFY2(answer.lines.contains(line), qPrintable(answer.lines.join(u" | "_qs)));
    QCOMPARE(answer.lines.size(), result.isEmpty() ? 1 : 3);
}

void TestLookups::millimetreTexts_data()
{
    QTest::addColumn<Hundredths>("value");
    QTest::addColumn<bool>("withSign");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero deviation") << Hundredths(0) << true << u"0"_qs;
    QTest::newRow("three decimals at least") << Hundredths(2100) << true << u"+0.021"_qs;
    QTest::newRow("negative") << Hundredths(-2000) << true << u"-0.020"_qs;
    QTest::newRow("half a micrometre") << Hundredths(1050) << true << u"+0.0105"_qs;
    QTest::newRow("size keeps three decimals") << Hundredths(2500000) << false << u"25.000"_qs;
    QTest::newRow("whole millimetres") << Hundredths(-135 * 100000 / 1000) << true << u"-0.135"_qs;
}

void TestLookups::millimetreTexts()
{
    QFETCH(Hundredths, value);
    QFETCH(bool, withSign);
    QFETCH(QString, text);
    QCOMPARE(millimetreText(value, withSign), text);
}

void TestLookups::boxListsOfferThePreferredFirst()
{
    const QStringList holes = classEntries(FitMember::Hole);
    QCOMPARE(holes.mid(0, 3), (QStringList{u"A11"_qs, u"B11"_qs, u"C11"_qs}));
    QCOMPARE(holes.indexOf(u"S7"_qs), 16); // the 17 preferred hole classes, then the others
    QVERIFY(holes.indexOf(u"H6"_qs) > 16);
    QCOMPARE(classEntries(FitMember::Shaft).indexOf(u"s6"_qs), 16);
    const QStringList threads = threadEntries();
    QCOMPARE(threads.size(), 171);
    QCOMPARE(threads.indexOf(u"M68"_qs), 39); // 40 coarse first
    QCOMPARE(threads.at(40), u"M1×0.2"_qs);
}

QTEST_APPLESS_MAIN(TestLookups)
#include "tst_lookups.moc"
