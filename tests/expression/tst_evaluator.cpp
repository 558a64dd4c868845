#include "expression/evaluator.h"

#include "common/errorvalue.h"

#include <QTest>

#include <cmath>

namespace {

const float kDegrees = 0.0174532925f;
const QString kTypeMismatch = QStringLiteral("——表达式无法进行计算！\r\n"
                                             "这可能是表达式中缺少运算符 或 含有无效的字符引起的。\r\n"
                                             "请仔细检查表达式。");

QString missingOperand(const QString &operation)
{
    return QStringLiteral("  检测到表达式计算中含有运算数据缺失的运算：") + operation +
           QStringLiteral("\r\n\r\n这可能是由于运算符 前/后 缺失运算数据引起的，\r\n"
                          "计算时缺失的运算数据会被认为0，这可能会导致错误的计算结果。");
}

} // namespace

class TestEvaluator : public QObject
{
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void errors_data();
    void errors();
    void warningsInEvaluationOrder_data();
    void warningsInEvaluationOrder();
    void zeroFactorNoteOnceAndSetsOne();
    void tangentUsesSingleFactor();
};

void TestEvaluator::values_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("minus associates left") << "1-2-3" << -4.0;
    QTest::newRow("power associates left") << "2^3^2" << 64.0;
    QTest::newRow("division associates left") << "8/4/2" << 1.0;
    QTest::newRow("product before sum") << "2+3*4" << 14.0;
    QTest::newRow("power before product") << "2*3^2" << 18.0;
    QTest::newRow("integer division looser than product") << "7\\2*3" << 1.0;
    QTest::newRow("remainder looser than sum is not") << "7%3+1" << 2.0;
    QTest::newRow("sum then remainder") << "1+7%3" << 2.0;
    QTest::newRow("signed base of power") << "-2^2" << 4.0;
    QTest::newRow("signed exponent") << "2^-1" << 0.5;
    QTest::newRow("signed factor") << "2*-3" << -6.0;
    QTest::newRow("minus of negative") << "2--3" << 5.0;
    QTest::newRow("signed terms") << "-3+-2" << -5.0;
    QTest::newRow("integer division rounds half to even up") << "7.5\\2" << 4.0;
    QTest::newRow("integer division rounds half to even down") << "6.5\\2" << 3.0;
    QTest::newRow("remainder takes sign of left") << "-7%3" << -1.0;
    QTest::newRow("remainder of negative divisor") << "5%-3" << 2.0;
    QTest::newRow("remainder chain left first") << "17%7%2" << 1.0;
    QTest::newRow("bracket group") << "(1+2)*3" << 9.0;
    QTest::newRow("double brackets") << "((4))" << 4.0;
    QTest::newRow("empty text") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("blanks around parts") << " 1 + 2 " << 3.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("exponent number") << "1.5E3+1" << 1501.0;
    QTest::newRow("exponent D") << "2D2" << 200.0;
    QTest::newRow("negative exponent") << "1E-5" << 1E-5;
    QTest::newRow("positive exponent in product") << "2.5E+3*2" << 5000.0;
    QTest::newRow("difference with negative exponent") << "3-1E-2" << 3 - 1E-2;
    QTest::newRow("shown exponent form read back") << "1.00E-05" << 1E-5;
    QTest::newRow("lower-case D exponent with sign") << "-2d-1/2" << -0.1;
    QTest::newRow("function name any case") << "SIN(30)+sIn(30)" << 2 * std::sin(30 * double(kDegrees));
    QTest::newRow("arc tangent back in degrees") << "ATN(1)" << std::atan(1.0) / double(kDegrees);
    QTest::newRow("function of expression") << "cos(30+30)" << std::cos(60 * double(kDegrees));
    QTest::newRow("signed group of brackets") << "-(2+3)" << -5.0;
    QTest::newRow("signed function") << "-Sin(30)" << -std::sin(30 * double(kDegrees));
    QTest::newRow("signed group after operator") << "2*-(1+1)" << -4.0;
    QTest::newRow("repeated signs") << "--+-4" << -4.0;
    QTest::newRow("integer division exact limit") << "2147483647\\1" << 2147483647.0;
    QTest::newRow("power with integer exponent of negative base") << "(-2)^3" << -8.0;
}

void TestEvaluator::values()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    float toHDu = kDegrees;
    const Evaluation evaluation = EvaluateExpr(text, toHDu);
    QVERIFY(!evaluation.error);
    QCOMPARE(evaluation.value, value);
    QVERIFY(evaluation.notices.isEmpty());
}

void TestEvaluator::errors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("description");
    const QString ev = QStringLiteral("EvaluateExpr");
    const QString excess = QStringLiteral("在表达式中有多余的 “)” ，请检查！");
    const QString missing = QStringLiteral("表达式中缺少 “)” ，请检查、补全！");
    QTest::newRow("inner excess bracket after outer pair removed") << "(1)(2)" << -2147220503 << ev << excess;
    QTest::newRow("open bracket at end") << "(1+2" << -2147220502 << ev << missing;
    QTest::newRow("excess closing bracket") << "1+2)" << -2147220503 << ev << excess;
    QTest::newRow("excess bracket found before open one") << ")(" << -2147220503 << ev << excess;
    QTest::newRow("function argument with excess bracket") << "Sin(1)(2)" << -2147220503 << ev << excess;
    QTest::newRow("empty function call is a leaf") << "sin()" << 13 << ev << kTypeMismatch;
    QTest::newRow("unknown function") << "asin(1)" << 13 << ev << kTypeMismatch;
    QTest::newRow("juxtaposed group") << "2(3)" << 13 << ev << kTypeMismatch;
    QTest::newRow("letters") << "abc" << 13 << ev << kTypeMismatch;
    QTest::newRow("unknown name in sum") << "1+x" << 13 << ev << kTypeMismatch;
    QTest::newRow("bare exponent letter") << "1E" << 13 << ev << kTypeMismatch;
    QTest::newRow("blank before exponent sign makes it an operator") << "1E -5" << 13 << ev << kTypeMismatch;
    QTest::newRow("exponent sign of a word is an operator") << "x1E-5" << 13 << ev << kTypeMismatch;
    QTest::newRow("signed text with letters") << "-5abc" << 13 << ev << kTypeMismatch;
    QTest::newRow("inner equals sign") << "1+2=3" << 13 << ev << kTypeMismatch;
    QTest::newRow("decimal comma") << "1,5" << 13 << ev << kTypeMismatch;
    QTest::newRow("division by zero") << "1/0" << 11 << QString() << "除数为零";
    QTest::newRow("zero by zero overflows") << "0/0" << 6 << QString() << "溢出";
    QTest::newRow("integer division by zero") << "5\\0" << 11 << QString() << "除数为零";
    QTest::newRow("remainder by zero") << "5%0" << 11 << QString() << "除数为零";
    QTest::newRow("integer operand beyond 32 bits") << "3000000000\\2" << 6 << QString() << "溢出";
    QTest::newRow("integer quotient beyond 32 bits") << "-2147483648\\-1" << 6 << QString() << "溢出";
    QTest::newRow("rounded divisor zero") << "5\\0.4" << 11 << QString() << "除数为零";
    QTest::newRow("product overflow") << "1E300*1E300" << 6 << QString() << "溢出";
    QTest::newRow("sum overflow") << "1.7E308+1.7E308" << 6 << QString() << "溢出";
    QTest::newRow("power overflow") << "10^400" << 6 << QString() << "溢出";
    QTest::newRow("zero to negative power") << "0^-1" << 6 << QString() << "溢出";
    QTest::newRow("root of negative base") << "(-8)^0.5" << 5 << QString() << "无效的过程调用或参数";
    QTest::newRow("number beyond double range") << "1E400" << 6 << QString() << "溢出";
    QTest::newRow("combination error after all operands") << "1/0+x" << 13 << ev << kTypeMismatch;
    QTest::newRow("left error of integer division first") << "x\\0" << 13 << ev << kTypeMismatch;
    QTest::newRow("integer division stops at first failure") << "5\\0\\x" << 11 << QString() << "除数为零";
    QTest::newRow("right operand evaluated first") << "x+(1" << -2147220502 << ev << missing;
    QTest::newRow("nesting beyond bound")
        << QString(1001, QLatin1Char('(')) + "1" + QString(1001, QLatin1Char(')')) << 28 << ev
        << "堆栈空间溢出";
    QTest::newRow("functions nested beyond bound")
        << QString("sin(").repeated(1001) + "1" + QString(1001, QLatin1Char(')')) << 28 << ev
        << "堆栈空间溢出";
}

void TestEvaluator::errors()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(QString, source);
    QFETCH(QString, description);
    float toHDu = kDegrees;
    const Evaluation evaluation = EvaluateExpr(text, toHDu);
    if (evaluation.value)
        QFAIL(qPrintable(QStringLiteral("no error, value %1").arg(*evaluation.value)));
    QVERIFY(evaluation.error);
    QCOMPARE(evaluation.error->number(), number);
    QCOMPARE(evaluation.error->source(), source);
    QCOMPARE(evaluation.error->description(), description);
    QVERIFY(evaluation.errorPosition >= 0 && evaluation.errorPosition < text.size());
}

void TestEvaluator::warningsInEvaluationOrder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("missing right operand") << "5*" << 0.0 << QStringList{missingOperand("5*□")};
    QTest::newRow("missing left operand") << "*5" << 0.0 << QStringList{missingOperand("□*5")};
    QTest::newRow("missing exponent") << "2^" << 1.0 << QStringList{missingOperand("2^□")};
    QTest::newRow("rightmost operator first")
        << "*2*" << 0.0 << QStringList{missingOperand("*2*□"), missingOperand("□*2")};
    QTest::newRow("right side before left side")
        << "(3*)+(*4)" << 0.0 << QStringList{missingOperand("□*4"), missingOperand("3*□")};
    QTest::newRow("integer division warns outer first then evaluates left")
        << "(2*)\\5\\" << 0.0 << QStringList{missingOperand("(2*)\\5\\□"), missingOperand("2*□")};
    QTest::newRow("remainder warns every operator before operands")
        << "(1^)%(2^)%" << 0.0
        << QStringList{missingOperand("(1^)%(2^)%□"), missingOperand("1^□"), missingOperand("2^□")};
}

void TestEvaluator::warningsInEvaluationOrder()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QStringList, warnings);
    float toHDu = kDegrees;
    const Evaluation evaluation = EvaluateExpr(text, toHDu);
    if (evaluation.error)
        QCOMPARE(evaluation.error->number(), 11); // (2*)\5\ divides by the missing operand
    else
        QCOMPARE(evaluation.value, value);
    QStringList texts;
    for (const Notice &notice : evaluation.notices) {
        texts << notice.text;
        QCOMPARE(notice.icon, MessageIcon::Exclamation);
        QCOMPARE(notice.title, QStringLiteral("注意"));
    }
    QCOMPARE(texts, warnings);
}

void TestEvaluator::zeroFactorNoteOnceAndSetsOne()
{
    float toHDu = 0.0f;
    // The note comes for any text that looks like a call, before the name is checked.
    const Evaluation failed = EvaluateExpr(u"foo(1)+Sin(1)", toHDu);
    QVERIFY(failed.error);
    QCOMPARE(toHDu, 1.0f);
    QCOMPARE(failed.notices.size(), 1);
    const Notice &note = failed.notices.first();
    QCOMPARE(note.icon, MessageIcon::Information);
    QCOMPARE(note.title, QStringLiteral("注意"));
    QCOMPARE(note.text,
             QStringLiteral("检测到角度转换参数 ToHDu=0，请为其赋值，否则默认为1。\r\n\r\n"
                            "    说明：三角函数内部是以弧度进行计算，若角度单位为度，需在计算前进行转换；\r\n"
                            "度转弧度参数ToHDu=π/180=0.0174532925，弧度=度×ToHDu；\r\n"
                            "当ToHDu=1时不进行角度转换，此时角度单位为弧度。"));
    const Evaluation next = EvaluateExpr(u"Sin(1)", toHDu);
    QCOMPARE(next.value, std::sin(1.0));
    QVERIFY(next.notices.isEmpty());
}

void TestEvaluator::tangentUsesSingleFactor()
{
    float toHDu = kDegrees;
    QCOMPARE(double(toHDu), 0.01745329238474369);
    QCOMPARE(QString::number(EvaluateExpr(u"Tan(90)", toHDu).value.value_or(0), 'f', 2),
             QStringLiteral("82183014.43"));
    QVERIFY(std::fabs(EvaluateExpr(u"Sin(30)", toHDu).value.value_or(0) - 0.4999999964874) < 1e-13);
    QVERIFY(std::fabs(EvaluateExpr(u"ATN(1)", toHDu).value.value_or(0) - 45.00000034) < 1e-8);
}

QTEST_GUILESS_MAIN(TestEvaluator)
#include "tst_evaluator.moc"
