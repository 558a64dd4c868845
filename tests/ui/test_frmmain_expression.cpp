#include "test_frmmain_harness.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace {

const QString Crlf = QStringLiteral("\r\n");

void setClipboard(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

} // namespace

class TestFrmMainExpression : public QObject
{
    Q_OBJECT

private slots:
    void enterCalculatesCopiesAndKeepsHistory();
    void historyRules();
    void historyLimitRemovesOneEntryPerCalculation();
    void failedExpressionLeavesTheHistory();
    void equalsOnlyIsIgnoredSilently();
    void degreeWordBecomesDegreeSign_data();
    void degreeWordBecomesDegreeSign();
    void calculateButtonFollowsTheText_data();
    void calculateButtonFollowsTheText();
    void functionButtons_data();
    void functionButtons();
    void functionButtonUsesSplitTakenAtFocusLoss();
    void angleUnit_data();
    void angleUnit();
    void angleMenuStatus();
    void precisionMenuRecalculates();
    void oneCharacterResultIsNotCopied();
    void manualCopy();
    void pasteAndCalculate();
    void longTextIsNeverCut();
    void clearButton();
    void historySizeIsStoredAtOnce();
    void helpBox();
    void pickingFromHistoryClearsResult();
};

void TestFrmMainExpression::enterCalculatesCopiesAndKeepsHistory()
{
    Harness h;
    FrmMain &w = h.startShown();
    setClipboard(QStringLiteral("unchanged"));
    h.enter(QStringLiteral("1 + 2"));
    QCOMPARE(h.expressionBox()->currentText(), QStringLiteral("1+2"));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("3.000"));
    QCOMPARE(h.history(), QStringList{QStringLiteral("1+2")});
    QCOMPARE(clipboardText(), QStringLiteral("3.000"));
    QCOMPARE(w.panelText(1), QStringLiteral("已将 结果 复制到剪贴板。"));
    QVERIFY(h.button(QStringLiteral("CmdFZ"))->isEnabled());
    QVERIFY(h.prompts.calls.isEmpty());
}

void TestFrmMainExpression::historyRules()
{
    Harness h;
    h.startShown();
    h.enter(QStringLiteral("1+1"));
    h.enter(QStringLiteral("2+2"));
    h.enter(QStringLiteral("3+3"));
    QCOMPARE(h.history(), (QStringList{QStringLiteral("3+3"), QStringLiteral("2+2"), QStringLiteral("1+1")}));
    // A known expression moves to the top and is kept once.
    h.enter(QStringLiteral("1 + 1"));
    QCOMPARE(h.history(), (QStringList{QStringLiteral("1+1"), QStringLiteral("3+3"), QStringLiteral("2+2")}));
    h.enter(QStringLiteral("1+1"));
    QCOMPARE(h.history(), (QStringList{QStringLiteral("1+1"), QStringLiteral("3+3"), QStringLiteral("2+2")}));
    QCOMPARE(h.expressionBox()->currentText(), QStringLiteral("1+1"));
}

void TestFrmMainExpression::historyLimitRemovesOneEntryPerCalculation()
{
    Harness h;
    h.startShown();
    for (int i = 1; i <= 8; ++i)
        h.enter(QStringLiteral("%1*2").arg(i));
    QCOMPARE(h.expressionBox()->count(), 8);
    h.enter(QStringLiteral("9*2"));
    QCOMPARE(h.expressionBox()->count(), 8);
    QCOMPARE(h.history().first(), QStringLiteral("9*2"));
    QVERIFY(!h.history().contains(QStringLiteral("1*2")));

    // With "不记录" a calculated expression does not stay.
    h.action(QStringLiteral("MSBDSSL(0)"))->trigger();
    h.enter(QStringLiteral("5+5"));
    QVERIFY(!h.history().contains(QStringLiteral("5+5")));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("10.00"));

    // A lowered limit does not shorten the list at once: one in, one out.
    Harness g;
    g.startShown();
    g.action(QStringLiteral("MSBDSSL(2)"))->trigger();
    for (int i = 1; i <= 12; ++i)
        g.enter(QStringLiteral("%1+0").arg(i));
    g.action(QStringLiteral("MSBDSSL(1)"))->trigger();
    QCOMPARE(g.expressionBox()->count(), 12);
    g.enter(QStringLiteral("99+0"));
    QCOMPARE(g.expressionBox()->count(), 12);
    QVERIFY(!g.history().contains(QStringLiteral("5+0"))); // the entry at position 8 went
    QCOMPARE(g.expressionBox()->itemText(8), QStringLiteral("4+0"));
}

void TestFrmMainExpression::failedExpressionLeavesTheHistory()
{
    Harness h;
    h.startShown();
    h.enter(QStringLiteral("2+2"));
    h.prompts.clear();
    h.enter(QStringLiteral("1/0"));
    QCOMPARE(h.prompts.calls.size(), 1);
    QCOMPARE(h.prompts.calls.first().icon, MessageIcon::Critical);
    QCOMPARE(h.history(), QStringList{QStringLiteral("2+2")});
    QCOMPARE(h.resultBox()->text(), QString());
    QCOMPARE(h.expressionBox()->currentText(), QStringLiteral("1/0")); // the text stays for correcting
    QCOMPARE(clipboardText(), QStringLiteral("4.000"));                // a failure copies nothing
}

void TestFrmMainExpression::equalsOnlyIsIgnoredSilently()
{
    Harness h;
    h.startShown();
    h.enter(QStringLiteral("=="));
    QVERIFY(h.prompts.calls.isEmpty());
    QCOMPARE(h.resultBox()->text(), QString());
}

void TestFrmMainExpression::degreeWordBecomesDegreeSign_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("lower case at the end") << QStringLiteral("30du") << QStringLiteral("30°") << 3;
    QTest::newRow("upper case") << QStringLiteral("30DU") << QStringLiteral("30°") << 3;
    QTest::newRow("mixed case inside a function")
        << QStringLiteral("Sin(30Du)") << QStringLiteral("Sin(30°)") << 8;
    QTest::newRow("two words") << QStringLiteral("1du+2du") << QStringLiteral("1°+2°") << 5;
}

void TestFrmMainExpression::degreeWordBecomesDegreeSign()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    Harness h;
    h.startShown();
    QLineEdit *edit = h.expressionBox()->lineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(edit->cursorPosition(), caret);
}

void TestFrmMainExpression::calculateButtonFollowsTheText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty box disables") << QString() << false;
    QTest::newRow("blanks only disable") << QStringLiteral("   ") << false;
    QTest::newRow("any text enables") << QStringLiteral(" 7") << true;
}

void TestFrmMainExpression::calculateButtonFollowsTheText()
{
    QFETCH(QString, typed);
    QFETCH(bool, enabled);
    Harness h;
    h.startShown();
    QLineEdit *edit = h.expressionBox()->lineEdit();
    QTest::keyClicks(edit, QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QCOMPARE(h.button(QStringLiteral("CmdOK"))->isEnabled(), enabled);
}

void TestFrmMainExpression::functionButtons_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<QString>("expectedSelection");
    QTest::newRow("selection goes inside the brackets and stays selected")
        << QStringLiteral("12+5") << 3 << 1 << 1 << QStringLiteral("12+Sin(5)") << 7 << QStringLiteral("5");
    QTest::newRow("caret only: caret between the brackets")
        << QStringLiteral("12+") << 3 << 0 << 1 << QStringLiteral("12+Sin()") << 7 << QString();
    QTest::newRow("power button after a number")
        << QStringLiteral("2") << 1 << 0 << 0 << QStringLiteral("2^()") << 3 << QString();
    QTest::newRow("arc tangent keeps its own spelling")
        << QStringLiteral("1") << 0 << 1 << 4 << QStringLiteral("ATn(1)") << 4 << QStringLiteral("1");
    QTest::newRow("caret in the middle")
        << QStringLiteral("3*4") << 2 << 0 << 2 << QStringLiteral("3*Cos()4") << 6 << QString();
}

void TestFrmMainExpression::functionButtons()
{
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(int, button);
    QFETCH(QString, expected);
    QFETCH(int, expectedStart);
    QFETCH(QString, expectedSelection);
    Harness h;
    h.startShown();
    QLineEdit *edit = h.expressionBox()->lineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, text);
    if (selectionLength > 0)
        edit->setSelection(selectionStart, selectionLength);
    else
        edit->setCursorPosition(selectionStart);
    h.button(QStringLiteral("CmdHanShu(%1)").arg(button))->click();
    QCOMPARE(edit->text(), expected);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), expectedSelection);
    if (expectedSelection.isEmpty())
        QCOMPARE(edit->cursorPosition(), expectedStart);
    else
        QCOMPARE(edit->selectionStart(), expectedStart);
}

void TestFrmMainExpression::functionButtonUsesSplitTakenAtFocusLoss()
{
    Harness h;
    FrmMain &w = h.startShown();
    QLineEdit *edit = h.expressionBox()->lineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("  45+1  "));
    edit->setSelection(2, 2); // "45"
    h.button(QStringLiteral("CmdOK"))->setFocus();
    QVERIFY(!edit->hasFocus());
    // The text was trimmed on leaving the box and the selection moved with it.
    QCOMPARE(edit->text(), QStringLiteral("45+1"));
    QCOMPARE(w.SelectionSplit().Before, QString());
    QCOMPARE(w.SelectionSplit().Selected, QStringLiteral("45"));
    QCOMPARE(w.SelectionSplit().After, QStringLiteral("+1"));
    h.button(QStringLiteral("CmdHanShu(3)"))->click();
    QCOMPARE(edit->text(), QStringLiteral("Tan(45)+1"));
    QCOMPARE(edit->selectedText(), QStringLiteral("45"));
}

void TestFrmMainExpression::angleUnit_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("radians");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sine in degrees") << QStringLiteral("Sin(30)") << false << QStringLiteral("0.500");
    QTest::newRow("sine in radians") << QStringLiteral("Sin(30)") << true << QStringLiteral("-0.988");
    QTest::newRow("degree sign in degrees") << QStringLiteral("Sin(30°)") << false << QStringLiteral("0.500");
    QTest::newRow("degree sign in radians") << QStringLiteral("Sin(30°)") << true << QStringLiteral("0.500");
    QTest::newRow("arc tangent in degrees") << QStringLiteral("Atn(1)") << false << QStringLiteral("45.00");
    QTest::newRow("arc tangent in radians") << QStringLiteral("Atn(1)") << true << QStringLiteral("0.785");
}

void TestFrmMainExpression::angleUnit()
{
    QFETCH(QString, expression);
    QFETCH(bool, radians);
    QFETCH(QString, expected);
    Harness h;
    FrmMain &w = h.startShown();
    if (radians)
        h.action(QStringLiteral("MSjddw(1)"))->trigger();
    QCOMPARE(w.ToHDu(), radians ? 1.0f : 0.0174532925f);
    h.enter(expression);
    QCOMPARE(h.resultBox()->text(), expected);
}

void TestFrmMainExpression::angleMenuStatus()
{
    Harness h;
    FrmMain &w = h.startShown();
    h.enter(QStringLiteral("Sin(30)"));
    h.action(QStringLiteral("MSjddw(1)"))->trigger();
    QCOMPARE(w.panelText(1), QStringLiteral("角度单位：弧度"));
    QCOMPARE(w.panelText(2), QStringLiteral("弧度"));
    QCOMPARE(h.find<QLabel>(QStringLiteral("StatBar.Panels(2)"))->toolTip(), QStringLiteral("角度单位："));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("0.500")); // not recalculated
    h.action(QStringLiteral("MSjddw(0)"))->trigger();
    QCOMPARE(w.panelText(1), QStringLiteral("角度单位：度 °"));
    QVERIFY(!h.action(QStringLiteral("MSjddw(1)"))->isChecked());
}

void TestFrmMainExpression::precisionMenuRecalculates()
{
    Harness h;
    FrmMain &w = h.startShown();
    h.enter(QStringLiteral("1/3"));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("0.333"));
    h.action(QStringLiteral("MSJingDu(1)"))->trigger();
    QCOMPARE(w.PrecisionMode(), 1);
    QCOMPARE(h.resultBox()->text(), QStringLiteral("0.33333"));
    QCOMPARE(w.panelText(1), QStringLiteral("计算精度：智能 高"));
    h.action(QStringLiteral("MSJingDu(4)"))->trigger();
    QCOMPARE(h.resultBox()->text(), QStringLiteral("0.333333333333333"));
    QCOMPARE(clipboardText(), QStringLiteral("0.333333333333333"));
    QVERIFY(!h.action(QStringLiteral("MSJingDu(1)"))->isChecked());
}

void TestFrmMainExpression::oneCharacterResultIsNotCopied()
{
    Harness h;
    FrmMain &w = h.startShown();
    h.action(QStringLiteral("MSJingDu(4)"))->trigger();
    setClipboard(QStringLiteral("before"));
    h.enter(QStringLiteral("2+3"));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("5"));
    QVERIFY(!h.button(QStringLiteral("CmdFZ"))->isEnabled());
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    QVERIFY(w.panelText(1) != QStringLiteral("已将 结果 复制到剪贴板。"));
    h.enter(QStringLiteral("2+30"));
    QVERIFY(h.button(QStringLiteral("CmdFZ"))->isEnabled());
    QCOMPARE(clipboardText(), QStringLiteral("32"));
}

void TestFrmMainExpression::manualCopy()
{
    Harness h;
    FrmMain &w = h.startShown();
    h.action(QStringLiteral("MnuS_FZ"))->trigger();
    QCOMPARE(h.button(QStringLiteral("CmdFZ"))->text(), QStringLiteral("复  制"));
    setClipboard(QStringLiteral("before"));
    h.enter(QStringLiteral("6*7"));
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    h.button(QStringLiteral("CmdFZ"))->click();
    QCOMPARE(clipboardText(), QStringLiteral("42.00"));
    QCOMPARE(w.panelText(1), QStringLiteral("已将 结果 复制到剪贴板。"));
    h.action(QStringLiteral("MnuS_FZ"))->trigger();
    QCOMPARE(h.button(QStringLiteral("CmdFZ"))->text(), QStringLiteral("复制(自动)"));
}

void TestFrmMainExpression::pasteAndCalculate()
{
    Harness h;
    h.startShown();
    setClipboard(QStringLiteral("2 * 3"));
    h.button(QStringLiteral("CmdZT"))->click();
    QCOMPARE(h.expressionBox()->currentText(), QStringLiteral("2*3"));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("6.000"));
    QCOMPARE(h.history(), QStringList{QStringLiteral("2*3")});
    QVERIFY(h.expressionBox()->lineEdit()->hasFocus());

    QGuiApplication::clipboard()->clear();
    h.button(QStringLiteral("CmdZT"))->click();
    QCOMPARE(h.expressionBox()->currentText(), QString());
    QCOMPARE(h.history(), QStringList{QStringLiteral("2*3")});
    QVERIFY(h.prompts.calls.isEmpty());
}

void TestFrmMainExpression::longTextIsNeverCut()
{
    // Beyond a line edit's default limit (32,767) and beyond what the settings file keeps
    // whole (65,535 bytes): the value is that of the whole text, and the entry is left out of
    // the stored history rather than stored cut.
    const QString longSum = QStringLiteral("0+").repeated(40000) + QStringLiteral("1+1");
    Harness h;
    FrmMain &w = h.startShown();
    const int width = settledWidth(w);
    setClipboard(longSum);
    h.button(QStringLiteral("CmdZT"))->click();
    QCOMPARE(h.expressionBox()->currentText().size(), longSum.size());
    QCOMPARE(h.resultBox()->text(), QStringLiteral("2.000"));
    h.enter(QStringLiteral("2*3"));
    QCOMPARE(h.history(), QStringList({QStringLiteral("2*3"), longSum}));
    h.action(QStringLiteral("MnuJS(10)"))->trigger(); // the weight boxes come with the first weight type
    for (int k = 1; k < 4; ++k) {
        auto *box = h.find<QComboBox>(QStringLiteral("CombSR(%1)").arg(k));
        QVERIFY(box);
        box->setEditText(longSum);
        QCOMPARE(box->currentText().size(), longSum.size());
    }
    // The long texts scroll inside their boxes; the window keeps its width.
    QCOMPARE(settledWidth(w), width);
    h.window->close();
    QVERIFY(h.iniLines().contains(QStringLiteral("记录0=2*3")));
    QVERIFY(h.iniLines().contains(QStringLiteral("数量=1")));
    QVERIFY(!h.iniText().contains(QStringLiteral("0+0+")));
    h.restart();
    QCOMPARE(h.history(), QStringList{QStringLiteral("2*3")});
}

void TestFrmMainExpression::clearButton()
{
    Harness h;
    h.startShown();
    h.enter(QStringLiteral("4/8"));
    h.button(QStringLiteral("CmdQK"))->click();
    QCOMPARE(h.expressionBox()->currentText(), QString());
    QCOMPARE(h.resultBox()->text(), QString());
    QVERIFY(h.expressionBox()->lineEdit()->hasFocus());
    QCOMPARE(h.history(), QStringList{QStringLiteral("4/8")});
}

void TestFrmMainExpression::historySizeIsStoredAtOnce()
{
    Harness h;
    FrmMain &w = h.start();
    h.action(QStringLiteral("MSBDSSL(2)"))->trigger();
    QVERIFY(h.iniLines().contains(QStringLiteral("记录=2")));
    QCOMPARE(w.HistoryLimit(), 16);
    QCOMPARE(w.panelText(1), QStringLiteral("表达式记录：16 个"));
    h.restart();
    QVERIFY(h.action(QStringLiteral("MSBDSSL(2)"))->isChecked());
}

void TestFrmMainExpression::helpBox()
{
    Harness h;
    h.startShown();
    QTest::mouseDClick(h.find<QLabel>(QStringLiteral("LabBDS")), Qt::LeftButton);
    QCOMPARE(h.prompts.calls.size(), 1);
    const RecordingPrompts::Call &call = h.prompts.calls.first();
    QCOMPARE(call.icon, MessageIcon::Information);
    QCOMPARE(call.title, QStringLiteral("表达式计算 说明："));
    const QStringList lines = call.text.split(Crlf);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.at(0), QStringLiteral("    ①、本程序表达式计算仅支持正弦Sin()、余弦Cos()、正切Tan() "));
    QCOMPARE(lines.at(4), QStringLiteral("    ③、无论选择何种角度单位，在角度值后输入°符号或du，程序都会 "));
    QCOMPARE(lines.at(5), QStringLiteral("以度为单位进行计算，即Sin(30°)=sin(π/6)=1/2。 "));
    QCOMPARE(lines.at(8),
             QStringLiteral(
                 "    ⑥、程序会自动将表达式中的空格予以剔除，自动处理运算符，无法识别的运算会予以提示。"));
}

void TestFrmMainExpression::pickingFromHistoryClearsResult()
{
    Harness h;
    FrmMain &w = h.startShown();
    h.enter(QStringLiteral("1+1"));
    h.enter(QStringLiteral("2+2"));
    QComboBox *box = h.expressionBox();
    box->setCurrentIndex(1);
    Q_EMIT box->activated(1);
    QCOMPARE(box->currentText(), QStringLiteral("1+1"));
    QCOMPARE(h.resultBox()->text(), QString());
    QCOMPARE(w.panelText(1), QStringLiteral("1+1"));
    // Calculating the picked entry keeps one copy and the typed text.
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(h.history(), (QStringList{QStringLiteral("1+1"), QStringLiteral("2+2")}));
    QCOMPARE(box->currentText(), QStringLiteral("1+1"));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("2.000"));
}

QTEST_MAIN(TestFrmMainExpression)
#include "test_frmmain_expression.moc"
