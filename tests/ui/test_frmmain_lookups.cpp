// The lookups through the real window: picked by menu or type list, typed into as a user types,
// the answer recomputed at every keystroke and its result copied.

#include "test_frmmain_harness.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>

namespace {

constexpr int Fits = 19;
constexpr int Threads = 20;

QComboBox *lookupBox(Harness &h, int k)
{
    return h.find<QComboBox>(QStringLiteral("LookupBox(%1)").arg(k));
}

QLabel *lines(Harness &h)
{
    return h.find<QLabel>(QStringLiteral("LookupLines"));
}

// Selects the box's text and types over it key by key.
void retype(QComboBox *box, const QString &text)
{
    QLineEdit *edit = box->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void chooseFromTypeList(Harness &h, int type)
{
    auto *types = h.find<QComboBox>(QStringLiteral("CombJS"));
    const int place = types->findData(type);
    types->setCurrentIndex(place);
    Q_EMIT types->activated(place);
}

} // namespace

class TestFrmMainLookups : public QObject
{
    Q_OBJECT

private slots:
    void typedLookups_data();
    void typedLookups();
    void everyKeystrokeLooksUpAgainAndEnterMovesOn();
    void notesNameTheStandardAndTheCellNote();
    void leavingForAWeightTypeHidesTheLookup();
};

void TestFrmMainLookups::typedLookups_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("byTypeList");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result"); // empty: a red message
    QTest::addColumn<QString>("line");
    QTest::newRow("fits open on Φ25 H7/g6")
        << Fits << false << -1 << QString() << u"H7(+0.021/0) g6(-0.007/-0.020)"_qs
        << u"孔 Φ25H7：+0.021 / 0，极限尺寸 25.021 / 25.000"_qs;
    QTest::newRow("fits from the type list, a transition fit")
        << Fits << true << 2 << u"k6"_qs << u"H7(+0.021/0) k6(+0.015/+0.002)"_qs
        << u"过渡配合：最大间隙 +0.019，最大过盈 -0.015；优先配合"_qs;
    QTest::newRow("the hole alone") << Fits << false << 2 << QString() << u"H7(+0.021/0)"_qs
                                    << u"孔 Φ25H7：+0.021 / 0，极限尺寸 25.021 / 25.000"_qs;
    QTest::newRow("a class the standard does not define")
        << Fits << false << 2 << u"j9"_qs << QString() << u"轴 j9：标准未给出此公差等级的基本偏差"_qs;
    QTest::newRow("threads open on M12")
        << Threads << false << -1 << QString() << u"10.2"_qs << u"底孔钻头 10.2（常用值；d − P = 10.25）"_qs;
    QTest::newRow("a fine thread typed in lower case")
        << Threads << true << 0 << u"m12x1.25"_qs << u"10.75"_qs
        << u"M12×1.25 细牙（第1系列）：P = 1.25，d2 = D2 = 11.188"_qs;
    QTest::newRow("a thread that does not exist") << Threads << false << 0 << u"M13"_qs << QString()
                                                  << u"GB/T 193 没有公称直径 13 mm 的普通螺纹（M1～M68）"_qs;
}

void TestFrmMainLookups::typedLookups()
{
    QFETCH(int, type);
    QFETCH(bool, byTypeList);
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QString, line);
    Harness h;
    FrmMain &w = h.startShown();
    const int startWidth = settledWidth(w);
    if (byTypeList)
        chooseFromTypeList(h, type);
    else
        h.action(QStringLiteral("MnuJS(%1)").arg(type))->trigger();
    if (box >= 0)
        retype(lookupBox(h, box), typed);

    QCOMPARE(w.currentType(), type);
    QCOMPARE(h.find<QComboBox>(QStringLiteral("CombJS"))->currentData().toInt(), type);
    const QString caption = h.action(QStringLiteral("MnuJS(%1)").arg(type))->text();
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("Vardeko →") + caption + QStringLiteral(" _")));
    QCOMPARE(settledWidth(w), startWidth);
    QVERIFY(w.minimumSizeHint().width() <= startWidth);
    QVERIFY2(lines(h)->text().split(u'\n').contains(line), qPrintable(lines(h)->text()));
    QVERIFY(lines(h)->text().count(u'\n') < 3); // the three lines the window has room for
    const QLabel *standard = h.find<QLabel>(QStringLiteral("LookupStandard"));
    QCOMPARE(standard->text(),
             type == Fits ? u"※ 标准: GB/T 1800.1-2020"_qs : u"※ 标准: GB/T 193-2003, GB/T 196-2003"_qs);
    QVERIFY(standard->isVisible());
    QCOMPARE(h.resultBox()->text(), result);
    QCOMPARE(lines(h)->palette().color(QPalette::WindowText),
             result.isEmpty() ? QColor(255, 0, 0) : QColor(0, 0, 255));
    // Copied like every result (a failed lookup copies nothing); a lookup adds nothing to the
    // material list.
    if (!result.isEmpty())
        QCOMPARE(QGuiApplication::clipboard()->text(), result);
    QVERIFY(h.button(QStringLiteral("CmdAddToList"))->isVisible());
    QVERIFY(!h.button(QStringLiteral("CmdAddToList"))->isEnabled());
    QVERIFY(!h.find<QWidget>(QStringLiteral("WeightInputRow"))->isVisible());
    QVERIFY(!h.expressionBox()->isVisible());
    QVERIFY(h.prompts.calls.isEmpty());
}

void TestFrmMainLookups::everyKeystrokeLooksUpAgainAndEnterMovesOn()
{
    Harness h;
    h.startShown();
    h.action(QStringLiteral("MnuJS(%1)").arg(Fits))->trigger();
    QVERIFY(lookupBox(h, 0)->lineEdit()->hasFocus());
    QStringList results;
    connect(h.resultBox(), &QLineEdit::textChanged, [&results](const QString &text) { results << text; });
    QTest::keyClicks(lookupBox(h, 0)->lineEdit(), QStringLiteral("300"));
    QTest::keyClick(lookupBox(h, 0)->lineEdit(), Qt::Key_Return);
    QVERIFY(lookupBox(h, 1)->lineEdit()->hasFocus());
    QTest::keyClicks(lookupBox(h, 1)->lineEdit(), QStringLiteral("M6"));
    QCOMPARE(results, (QStringList{u"H7(+0.010/0) g6(-0.002/-0.008)"_qs, // Φ3
                                   u"H7(+0.021/0) g6(-0.007/-0.020)"_qs, // Φ30
                                   u"H7(+0.052/0) g6(-0.017/-0.049)"_qs, // Φ300
                                   QString(),                            // "M": no grade yet
                                   u"M6(-0.009/-0.041) g6(-0.017/-0.049)"_qs}));
    QTest::keyClick(lookupBox(h, 1)->lineEdit(), Qt::Key_Return);
    QVERIFY(lookupBox(h, 2)->lineEdit()->hasFocus());
    QTest::keyClick(lookupBox(h, 2)->lineEdit(), Qt::Key_Return);
    QVERIFY(lookupBox(h, 0)->lineEdit()->hasFocus());
}

void TestFrmMainLookups::notesNameTheStandardAndTheCellNote()
{
    Harness h;
    h.startShown();
    h.action(QStringLiteral("MnuJS(%1)").arg(Fits))->trigger();
    retype(lookupBox(h, 0), QStringLiteral("300"));
    retype(lookupBox(h, 1), QStringLiteral("M6"));
    QTest::mouseDClick(h.find<QLabel>(QStringLiteral("LookupLabel(0)")), Qt::LeftButton);
    QCOMPARE(h.prompts.calls.size(), 1);
    const RecordingPrompts::Call &notes = h.prompts.calls.first();
    QCOMPARE(notes.title, u"说明"_qs);
    QVERIFY(notes.text.contains(u"GB/T 1800.1-2020"_qs));
    QVERIFY2(notes.text.contains(u"M6：ES = -0.009"_qs), qPrintable(notes.text));
    QVERIFY(notes.text.contains(u"special case of the standard"_qs)); // the M6 cell's note

    h.action(QStringLiteral("MnuJS(%1)").arg(Threads))->trigger();
    QTest::mouseDClick(h.find<QLabel>(QStringLiteral("LookupLabel(0)")), Qt::LeftButton);
    QCOMPARE(h.prompts.calls.size(), 2);
    QVERIFY(h.prompts.calls.last().text.contains(u"GB/T 193-2003"_qs));
    QVERIFY(h.prompts.calls.last().text.contains(u"is 10.2 mm, not d - P = 10.25 mm"_qs));
}

void TestFrmMainLookups::leavingForAWeightTypeHidesTheLookup()
{
    Harness h;
    FrmMain &w = h.startShown();
    h.action(QStringLiteral("MnuJS(%1)").arg(Threads))->trigger();
    h.action(QStringLiteral("MnuJS(13)"))->trigger(); // H-beam
    QVERIFY(!h.find<QWidget>(QStringLiteral("LookupInputRow"))->isVisible());
    QVERIFY(!lines(h)->isVisible());
    QVERIFY(h.find<QWidget>(QStringLiteral("WeightInputRow"))->isVisible());
    QCOMPARE(h.resultBox()->text(), u"49.90"_qs);
    h.action(QStringLiteral("MnuJS(%1)").arg(Fits))->trigger();
    h.action(QStringLiteral("MnuJS(0)"))->trigger();
    QVERIFY(!h.find<QWidget>(QStringLiteral("LookupInputRow"))->isVisible());
    QVERIFY(h.expressionBox()->isVisible());
    QCOMPARE(w.currentType(), 0);
}

QTEST_MAIN(TestFrmMainLookups)
#include "test_frmmain_lookups.moc"
