#include "expression/bdsjs.h"

#include "common/numbertext.h"

#include <QTest>

namespace {

const QString kConsecutive = QStringLiteral("    检测到表达式中含有连续运算（**、*/、//、/*），\r\n"
                                            "连续乘除运算会出错，请检查、修正。 ");
const QString kIntegerDivision = QStringLiteral("    检测到表达式中含有整除运算（\\），\r\n"
                                                "请确认是否需要整除运算（5\\2=2）。 ");
const QString kTypeMismatch = QStringLiteral("——表达式无法进行计算！\r\n"
                                             "这可能是表达式中缺少运算符 或 含有无效的字符引起的。\r\n"
                                             "请仔细检查表达式。");
const QString kTrigNote =
    QStringLiteral("    检测到表达式中有三角函数，使用三角函数请注意以下几点：\r\n\r\n"
                   "    ①、本程序表达式计算仅支持正弦Sin()、余弦Cos()、正切Tan() \r\n"
                   "反正切Atn()等4个三角函数，函数不分大小写，但数据须放入括号内，\r\n"
                   "即写成Sin(#)、Tan（X+Y×Z），否则会出错。\r\n"
                   "    ②、你可以在【设置】-【角度单位】中设置角度的单位，程序每次启动均默认为°。\r\n"
                   "    ③、无论选择何种角度单位，在角度值后输入°符号，程序都会 \r\n"
                   "以度为单位进行计算，即Sin(30°)=sin(π/6)=1/2。 \r\n"
                   "    ④、由于数据转换精度的原因，某些角度计算会有问题，例如Tan(90°)=82183020.0。\r\n"
                   "    ⑤、程序自动以3.1416替换π，以°替换“du”。\r\n"
                   "    ⑥、本说明程序每次运行仅显示一次。");

// The value of an outcome as the result box's unprocessed mode writes it; empty for none.
QString valueText(const ExpressionOutcome &outcome)
{
    return outcome.value ? doubleText(*outcome.value) : QString();
}

QString catchAll(int number, const QString &description)
{
    return QStringLiteral("  错误：%1——%2\r\n\r\n  这可能是由于表达式内含有非运算或函数符号引起的，\r\n\r\n"
                          "请重新检查表达式！")
        .arg(number)
        .arg(description);
}

} // namespace

Q_DECLARE_METATYPE(MessageIcon)

class TestBdsjs : public QObject
{
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void messages_data();
    void messages();
    void onlyEqualSignsFail();
    void trigNoteOncePerRun();
    void errorPositions_data();
    void errorPositions();
};

void TestBdsjs::results_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("radians");
    QTest::addColumn<QString>("result");
    QTest::newRow("equal signs around stripped") << "=1+2=" << false << "3";
    QTest::newRow("leading equal signs stripped") << "==5" << false << "5";
    QTest::newRow("all bracket kinds are round") << "[1+2]*{3}" << false << "9";
    QTest::newRow("full-width brackets and times") << "（1+2）×3" << false << "9";
    QTest::newRow("corner and full-width curly brackets") << "【1+｛2｝】÷3" << false << "1";
    QTest::newRow("mixed bracket kinds accepted") << "(1+2]" << false << "3";
    QTest::newRow("spaces removed") << " 1 2 + 3 " << false << "15";
    QTest::newRow("pi replaced") << "π*2" << false << "6.2832";
    QTest::newRow("signed factor accepted") << "2*-3" << false << "-6";
    QTest::newRow("degree sign removed in degrees") << "30°" << false << "30";
    QTest::newRow("degree sign converts in radians") << "30°" << true << "0.523598775";
    QTest::newRow("degree sign outside function in radians") << "30°+1" << true << "1.523598775";
    QTest::newRow("third to 15 digits") << "1/3" << false << "0.333333333333333";
    QTest::newRow("large in exponent form") << "2^60" << false << "1.15292150460685E+18";
    QTest::newRow("small in exponent form") << "1/100000" << false << "1E-05";
    QTest::newRow("negative zero written 0") << "-0" << false << "0";
}

void TestBdsjs::results()
{
    QFETCH(QString, text);
    QFETCH(bool, radians);
    QFETCH(QString, result);
    ExpressionState state;
    const ExpressionOutcome outcome = BDSJS(text, state, radians ? AngleUnit::Radians : AngleUnit::Degrees);
    QCOMPARE(valueText(outcome), result);
    QVERIFY(!outcome.error);
    QVERIFY(outcome.notices.isEmpty());
    QVERIFY(!outcome.textAtFault);
}

void TestBdsjs::messages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::addColumn<Notices>("boxes");
    QTest::addColumn<bool>("textAtFault");
    const auto critical = [](const QString &text) { return Notice{MessageIcon::Critical, "错误！", text}; };
    const Notice noExpression{MessageIcon::Exclamation, "无表达式！", "无表达式!"};
    QTest::newRow("empty text refused") << ""
                                        << "" << Notices{noExpression} << false;
    QTest::newRow("spaces only refused") << "   "
                                         << "" << Notices{noExpression} << false;
    for (const char *pair : {"2**3", "6//2", "6*/2", "6/*2"})
        QTest::addRow("consecutive operators refused %s", pair)
            << pair << "" << Notices{{MessageIcon::Critical, "注意！", kConsecutive}} << false;
    QTest::newRow("integer division noted then computed")
        << "7\\2"
        << "3" << Notices{{MessageIcon::Exclamation, "注意！", kIntegerDivision}} << false;
    QTest::newRow("division by zero removes history")
        << "1/0"
        << "" << Notices{critical("  错误：11——除数为零\r\n\r\n请检查运算符！")} << true;
    QTest::newRow("zero by zero keeps history") << "0/0"
                                                << "" << Notices{critical(catchAll(6, "溢出"))} << false;
    QTest::newRow("invalid argument keeps history")
        << "(-8)^0.5"
        << "" << Notices{critical(catchAll(5, "无效的过程调用或参数"))} << false;
    QTest::newRow("missing bracket removes history")
        << "(1+2"
        << "" << Notices{critical("  错误！表达式中缺少 “)” ，请检查、补全！")} << true;
    QTest::newRow("excess bracket removes history")
        << "1+2)"
        << "" << Notices{critical("  错误！在表达式中有多余的 “)” ，请检查！")} << true;
    QTest::newRow("inner equal sign is a type mismatch")
        << "1+2=3"
        << "" << Notices{critical("  错误！" + kTypeMismatch)} << true;
    QTest::newRow("deep nesting reported by catch-all")
        << QString(1001, '(') + "1" + QString(1001, ')') << ""
        << Notices{critical(catchAll(28, "堆栈空间溢出"))} << false;
    QTest::newRow("warning before error")
        << "1/0*"
        << ""
        << Notices{{MessageIcon::Exclamation, "注意",
                    "  检测到表达式计算中含有运算数据缺失的运算：1/0*□\r\n\r\n"
                    "这可能是由于运算符 前/后 缺失运算数据引起的，\r\n"
                    "计算时缺失的运算数据会被认为0，这可能会导致错误的计算结果。"},
                   critical("  错误：11——除数为零\r\n\r\n请检查运算符！")}
        << true;
    QTest::newRow("missing operand warned then computed")
        << "5*"
        << "0"
        << Notices{{MessageIcon::Exclamation, "注意",
                    "  检测到表达式计算中含有运算数据缺失的运算：5*□\r\n\r\n"
                    "这可能是由于运算符 前/后 缺失运算数据引起的，\r\n"
                    "计算时缺失的运算数据会被认为0，这可能会导致错误的计算结果。"}}
        << false;
    QTest::newRow("tangent word triggers note")
        << "Tangent"
        << ""
        << Notices{{MessageIcon::Information, "注意！", kTrigNote}, critical("  错误！" + kTypeMismatch)}
        << true;
}

void TestBdsjs::messages()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QFETCH(Notices, boxes);
    QFETCH(bool, textAtFault);
    ExpressionState state;
    const ExpressionOutcome outcome = BDSJS(text, state, AngleUnit::Degrees);
    QCOMPARE(valueText(outcome), result);
    QCOMPARE(outcome.notices.size(), boxes.size());
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        QCOMPARE(outcome.notices[i].icon, boxes[i].icon);
        QCOMPARE(outcome.notices[i].title, boxes[i].title);
        QCOMPARE(outcome.notices[i].text, boxes[i].text);
    }
    // An error's message is always the last notice, and refusals carry no error.
    const bool failed =
        result.isEmpty() && !boxes.isEmpty() && boxes.last().title == QStringLiteral("错误！");
    QCOMPARE(outcome.error.has_value(), failed);
    QCOMPARE(outcome.textAtFault, textAtFault);
}

void TestBdsjs::onlyEqualSignsFail()
{
    ExpressionState state;
    const ExpressionOutcome outcome = BDSJS(QStringLiteral("= ="), state, AngleUnit::Degrees);
    QVERIFY(!outcome.value);
    QVERIFY(outcome.error);
    QCOMPARE(outcome.error->number(), 5);
    QVERIFY(outcome.notices.isEmpty());
    QVERIFY(!outcome.textAtFault);
}

void TestBdsjs::trigNoteOncePerRun()
{
    ExpressionState state;
    ExpressionOutcome outcome = BDSJS(QStringLiteral("sin(30)"), state, AngleUnit::Degrees);
    QCOMPARE(valueText(outcome), QStringLiteral("0.499999996487411"));
    QCOMPARE(outcome.notices.size(), 1);
    QCOMPARE(outcome.notices.first().text, kTrigNote);
    QVERIFY(state.TrigNoteShown);
    outcome = BDSJS(QStringLiteral("COS(60)"), state, AngleUnit::Degrees);
    QCOMPARE(valueText(outcome), QStringLiteral("0.500000007025178"));
    QVERIFY(outcome.notices.isEmpty());
}

// Positions count in the typed text with its blanks dropped, degree signs as typed.
void TestBdsjs::errorPositions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("radians");
    QTest::addColumn<qsizetype>("position");
    QTest::newRow("unreadable operand at its start") << "1+2*abc" << false << qsizetype(4);
    QTest::newRow("division by zero at its operator") << "=7/0" << false << qsizetype(2);
    QTest::newRow("excess bracket at itself") << "(1)+2)" << false << qsizetype(5);
    QTest::newRow("open bracket without its pair") << "2+(1" << false << qsizetype(2);
    QTest::newRow("blanks dropped before counting") << "1 / 0" << false << qsizetype(1);
    QTest::newRow("removed degree signs counted") << "30°+1/0" << false << qsizetype(5);
    QTest::newRow("widened degree signs counted once") << "30°+1/0" << true << qsizetype(5);
    QTest::newRow("two widened degree signs") << "30°+60°+1/0" << true << qsizetype(9);
}

void TestBdsjs::errorPositions()
{
    QFETCH(QString, text);
    QFETCH(bool, radians);
    QFETCH(qsizetype, position);
    ExpressionState state;
    const ExpressionOutcome outcome = BDSJS(text, state, radians ? AngleUnit::Radians : AngleUnit::Degrees);
    QVERIFY(outcome.error);
    QCOMPARE(outcome.errorPosition, position);
}

QTEST_GUILESS_MAIN(TestBdsjs)
#include "tst_bdsjs.moc"
