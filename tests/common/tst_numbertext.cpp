#include "common/numbertext.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void prefix_data();
    void prefix();
    void strict_data();
    void strict();
    void doubles_data();
    void doubles();
    void singles_data();
    void singles();
    void fixed_data();
    void fixed();
    void decimalCommaLocaleChangesNothing();
};

void TestNumberText::prefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain integer") << "42" << 42.0;
    QTest::newRow("leading blanks skipped") << "   7.5" << 7.5;
    QTest::newRow("stops at first letter") << "12abc" << 12.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("no digit gives zero") << "abc" << 0.0;
    QTest::newRow("lone sign gives zero") << "-" << 0.0;
    QTest::newRow("sign before bracket gives zero") << "-(2+3)" << 0.0;
    QTest::newRow("negative") << "-3.25x" << -3.25;
    QTest::newRow("exponent E") << "1.5E3" << 1500.0;
    QTest::newRow("exponent d lower case") << "2d-2" << 0.02;
    QTest::newRow("exponent without digits ignored") << "1E" << 1.0;
    QTest::newRow("exponent sign without digits ignored") << "1E-" << 1.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("empty") << "" << 0.0;
}

void TestNumberText::prefix()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readNumberPrefix(text), value);
}

void TestNumberText::strict_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "42" << true << 42.0;
    QTest::newRow("blanks around allowed") << "  -1.5 " << true << -1.5;
    QTest::newRow("exponent with sign") << "2.5e-3" << true << 0.0025;
    QTest::newRow("exponent D") << "1D2" << true << 100.0;
    QTest::newRow("leading point") << ".25" << true << 0.25;
    QTest::newRow("bare exponent letter fails") << "1E" << false << 0.0;
    QTest::newRow("exponent sign only fails") << "1E+" << false << 0.0;
    QTest::newRow("lone point fails") << "." << false << 0.0;
    QTest::newRow("lone sign fails") << "-" << false << 0.0;
    QTest::newRow("empty fails") << "" << false << 0.0;
    QTest::newRow("decimal comma fails") << "1,5" << false << 0.0;
    QTest::newRow("trailing letters fail") << "5abc" << false << 0.0;
    QTest::newRow("inner blank fails") << "1 2" << false << 0.0;
    QTest::newRow("two points fail") << "1.2.3" << false << 0.0;
    QTest::newRow("hex literal fails") << "&H10" << false << 0.0;
    QTest::newRow("beyond double range fails") << "1E400" << false << 0.0;
    QTest::newRow("underflow reads zero") << "1E-400" << true << 0.0;
    QTest::newRow("subnormal is kept, not read as an underflow") << "4.9E-324" << true << 4.9e-324;
}

void TestNumberText::strict()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const std::optional<double> read = readNumberStrict(text);
    QCOMPARE(read.has_value(), ok);
    if (ok)
        QCOMPARE(*read, value);
}

void TestNumberText::doubles_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("third to 15 digits") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("two to the 60 in exponent form") << std::pow(2.0, 60) << "1.15292150460685E+18";
    QTest::newRow("below 1E-4 in exponent form") << 1.0 / 100000 << "1E-05";
    QTest::newRow("1E-4 plain") << 0.0001 << "0.0001";
    QTest::newRow("15 digit integer plain") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1E15 in exponent form") << 1e15 << "1E+15";
    QTest::newRow("rounding carries into exponent form") << 999999999999999.9 << "1E+15";
    QTest::newRow("16 digits rounded") << 1234567890123456.0 << "1.23456789012346E+15";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "0.3";
    QTest::newRow("negative plain") << -2.5 << "-2.5";
    QTest::newRow("three digit exponent") << 1.5e-300 << "1.5E-300";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << "1.79769313486232E+308";
}

void TestNumberText::doubles()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(doubleText(value), text);
}

void TestNumberText::singles_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("seven digits") << float(17.68 * 1.1363) << "20.08978";
    QTest::newRow("single noise hidden") << 0.1f << "0.1";
    QTest::newRow("small in exponent form") << 0.00001f << "1E-05";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("seven digits then zeros in plain form") << 123456789.0f << "123456800";
    QTest::newRow("beyond 1E15 in exponent form") << 2.5e20f << "2.5E+20";
}

void TestNumberText::singles()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(singleText(value), text);
}

void TestNumberText::fixed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("F3 zero") << 0.0 << 3 << "0.000";
    QTest::newRow("F4 zero") << 0.0 << 4 << "0.0000";
    QTest::newRow("half away from zero on decimal value") << 1.0005 << 3 << "1.001";
    QTest::newRow("half away from zero negative") << -1.0005 << 3 << "-1.001";
    QTest::newRow("below half") << 2.00049 << 3 << "2.000";
    QTest::newRow("carry into integer part") << 9.99995 << 4 << "10.0000";
    QTest::newRow("leading zero before point") << 0.25 << 3 << "0.250";
    QTest::newRow("single 0.0005 rounds up") << double(0.0005f) << 3 << "0.001";
    QTest::newRow("tiny value is zero without sign") << -0.00001 << 3 << "0.000";
    QTest::newRow("large value") << 123456.789 << 3 << "123456.789";
}

void TestNumberText::fixed()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(fixedText(value, decimals), text);
}

void TestNumberText::decimalCommaLocaleChangesNothing()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    setlocale(LC_ALL, "de_DE.UTF-8");
    QCOMPARE(readNumberPrefix(u"1.5"), 1.5);
    QCOMPARE(readNumberStrict(u"2.25E1").value_or(0), 22.5);
    QVERIFY(!readNumberStrict(u"1,5"));
    QCOMPARE(doubleText(1234567.5), QStringLiteral("1234567.5"));
    QCOMPARE(singleText(0.5f), QStringLiteral("0.5"));
    QCOMPARE(fixedText(1234.5, 3), QStringLiteral("1234.500"));
    setlocale(LC_ALL, "C");
    QLocale::setDefault(saved);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
