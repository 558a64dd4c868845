#include "expression/jingdu.h"

#include "common/numbertext.h"

#include <QLocale>
#include <QTest>

#include <limits>

class TestJingDu : public QObject
{
    Q_OBJECT

private slots:
    void modes_data();
    void modes();
    void nonNumbers_data();
    void nonNumbers();
    void patterns_data();
    void patterns();
    void decimalCommaLocaleChangesNothing();
    void largestValueIsShown();
};

void TestJingDu::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("low: below 10 three decimals") << 0 << "0.5"
                                                  << "0.500";
    QTest::newRow("low: half away from zero on decimal value") << 0 << "12.345"
                                                               << "12.35";
    QTest::newRow("low: rounding carries into integer part") << 0 << "999.999"
                                                             << "1000.0";
    QTest::newRow("low: one decimal below 100000") << 0 << "1234.56"
                                                   << "1234.6";
    QTest::newRow("low: point kept without decimals") << 0 << "123456"
                                                      << "123456.";
    QTest::newRow("low: optional decimal written when non-zero") << 0 << "123456.78"
                                                                 << "123456.8";
    QTest::newRow("low: below 0.001") << 0 << "0.00012"
                                      << "0.00012";
    QTest::newRow("low: below 0.0001 in exponent form") << 0 << "0.00005"
                                                        << "5.00E-05";
    QTest::newRow("low: zero in exponent form") << 0 << "0"
                                                << "0.00E00";
    QTest::newRow("low: negative") << 0 << "-7.5"
                                   << "-7.500";
    QTest::newRow("low: from 1E8 in exponent form") << 0 << "250000000"
                                                    << "2.50E08";
    QTest::newRow("low: bound 10 is strict") << 0 << "10"
                                             << "10.00";
    QTest::newRow("low: bound 1000 is strict") << 0 << "1000"
                                               << "1000.0";
    QTest::newRow("low: exponent text input") << 0 << "1.23456789012346E+15"
                                              << "1.235E15";
    // A value just below a power of ten whose 15-digit text is that power takes its pattern.
    QTest::newRow("low: 16.4-6.4 reads back as 10") << 0 << "9.999999999999998"
                                                    << "10.00";
    QTest::newRow("low: 110/1.1 reads back as 100") << 0 << "99.99999999999999"
                                                    << "100.0";
    QTest::newRow("low: 1E8-1E-8 reads back as 1E8") << 0 << "99999999.99999999"
                                                     << "1.00E08";
    QTest::newRow("high: below 10") << 1 << "0.5"
                                    << "0.5000";
    QTest::newRow("high: below 0.001") << 1 << "0.00012"
                                       << "0.00012";
    QTest::newRow("high: five decimals") << 1 << "1.23456789"
                                         << "1.23457";
    QTest::newRow("high: below 1E8") << 1 << "12345678"
                                     << "12345678.0";
    QTest::newRow("high: up to 1E10 plain") << 1 << "9999999999"
                                            << "9999999999.0";
    QTest::newRow("high: from 1E10 in exponent form") << 1 << "20000000000"
                                                      << "2.000E10";
    QTest::newRow("high: zero") << 1 << "0"
                                << "0.000E00";
    QTest::newRow("high: tiny in exponent form") << 1 << "0.000000012345"
                                                 << "1.2345E-08";
    QTest::newRow("high: reads back as 10") << 1 << "9.999999999999998"
                                            << "10.000";
    QTest::newRow("high: reads back as 1E10") << 1 << "9999999999.999998"
                                              << "1.000E10";
    QTest::newRow("four decimals: third") << 2 << "0.333333333333333"
                                          << "0.3333";
    QTest::newRow("four decimals: fixed three") << 2 << "5"
                                                << "5.000";
    QTest::newRow("four decimals: small in exponent form") << 2 << "0.00002"
                                                           << "2.00E-05";
    QTest::newRow("four decimals: 1E8 in exponent form") << 2 << "100000000"
                                                         << "1.00E08";
    QTest::newRow("four decimals: reads back as 0.0001") << 2 << "9.999999999999999E-05"
                                                         << "0.0001";
    QTest::newRow("four decimals: reads back as 1E8") << 2 << "99999999.99999999"
                                                      << "1.00E08";
    QTest::newRow("exponent: thousands") << 3 << "1234"
                                         << "1.234E03";
    QTest::newRow("exponent: half") << 3 << "0.5"
                                    << "5.000E-01";
    QTest::newRow("exponent: mantissa rounds to ten") << 3 << "9.99996"
                                                      << "1.000E01";
    QTest::newRow("exponent: reads back as 10") << 3 << "9.999999999999998"
                                                << "1.000E01";
    QTest::newRow("exponent: non-number unchanged") << 3 << "abc"
                                                    << "abc";
    QTest::newRow("exponent: empty unchanged") << 3 << ""
                                               << "";
    QTest::newRow("unprocessed: third") << 4 << "0.333333333333333"
                                        << "0.333333333333333";
    QTest::newRow("unprocessed: exponent text") << 4 << "1E-05"
                                                << "1E-05";
    QTest::newRow("unprocessed: empty") << 4 << ""
                                        << "";
    QTest::newRow("unknown mode behaves as low") << 7 << "0.5"
                                                 << "0.500";
}

void TestJingDu::modes()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    const Outcome<QString> outcome = JingDu(text, static_cast<PrecisionMode>(mode));
    QVERIFY(!outcome.error);
    QCOMPARE(outcome.value.value_or(QStringLiteral("(none)")), shown);
    // The calculator hands its value over as a number: formatting that number must show the
    // same as formatting the text the calculator would have written for it.
    const std::optional<double> value = readNumberStrict(text);
    if (value && doubleText(*value) == text)
        QCOMPARE(JingDu(*value, static_cast<PrecisionMode>(mode)), shown);
}

void TestJingDu::nonNumbers_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    for (int mode : {0, 1, 2}) {
        QTest::addRow("mode %d empty fails", mode) << mode << "";
        QTest::addRow("mode %d letters fail", mode) << mode << "abc";
        QTest::addRow("mode %d decimal comma fails", mode) << mode << "1,5";
    }
}

void TestJingDu::nonNumbers()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    const Outcome<QString> outcome = JingDu(text, static_cast<PrecisionMode>(mode));
    QVERIFY(!outcome.value);
    QVERIFY(outcome.error);
    QCOMPARE(outcome.error->number(), 13);
}

void TestJingDu::patterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");
    QTest::newRow("exponent small") << "0.00001234"
                                    << "0.00#E-00"
                                    << "1.234E-05";
    QTest::newRow("exponent large rounds mantissa") << "123456789012"
                                                    << "0.00#E-00"
                                                    << "1.235E11";
    QTest::newRow("exponent zero") << "0"
                                   << "0.00#E-00"
                                   << "0.00E00";
    QTest::newRow("exponent negative value") << "-0.5"
                                             << "0.000#E-00"
                                             << "-5.000E-01";
    QTest::newRow("three digit exponent") << "1E-300"
                                          << "0.00#E-00"
                                          << "1.00E-300";
    QTest::newRow("fixed half away from zero negative") << "-2.0005"
                                                        << "0.000"
                                                        << "-2.001";
    QTest::newRow("optional decimals dropped to last non-zero") << "1.5"
                                                                << "0.0##"
                                                                << "1.5";
}

void TestJingDu::patterns()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    QCOMPARE(formatWithPattern(text, pattern), shown);
}

void TestJingDu::decimalCommaLocaleChangesNothing()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    setlocale(LC_ALL, "de_DE.UTF-8");
    QCOMPARE(JingDu(QStringLiteral("1234.56"), PrecisionMode::SmartLow).value, QStringLiteral("1234.6"));
    QCOMPARE(JingDu(0.5, PrecisionMode::ExponentFour), QStringLiteral("5.000E-01"));
    QVERIFY(JingDu(QStringLiteral("1234,56"), PrecisionMode::SmartLow).error);
    setlocale(LC_ALL, "C");
    QLocale::setDefault(saved);
}

// The largest double written with 15 digits reads back beyond the double range; formatting the
// number itself must still show it (through its text it failed with 6 and the box stayed empty).
void TestJingDu::largestValueIsShown()
{
    const double largest = std::numeric_limits<double>::max();
    QCOMPARE(JingDu(largest, PrecisionMode::SmartLow), QStringLiteral("1.798E308"));
    QCOMPARE(JingDu(largest, PrecisionMode::Unprocessed), QStringLiteral("1.79769313486232E+308"));
    QCOMPARE(JingDu(doubleText(largest), PrecisionMode::SmartLow).error->number(), 6);
}

QTEST_GUILESS_MAIN(TestJingDu)
#include "tst_jingdu.moc"
