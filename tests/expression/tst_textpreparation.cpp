#include "expression/textpreparation.h"

#include "common/errorvalue.h"
#include "common/numbertext.h"
#include "expression/bdsjs.h"
#include "expression/evaluator.h"

#include <QTest>

#include <random>
#include <utility>

namespace {

// The typed forms as rewritten one rule after the other over the whole text: the reference the
// single pass must equal.
const std::pair<QString, QString> kSequentialRules[] = {
    {QStringLiteral(" "), QString()},
    {QStringLiteral("×"), QStringLiteral("*")},
    {QStringLiteral("÷"), QStringLiteral("/")},
    {QStringLiteral("（"), QStringLiteral("(")},
    {QStringLiteral("["), QStringLiteral("(")},
    {QStringLiteral("{"), QStringLiteral("(")},
    {QStringLiteral("【"), QStringLiteral("(")},
    {QStringLiteral("｛"), QStringLiteral("(")},
    {QStringLiteral("）"), QStringLiteral(")")},
    {QStringLiteral("]"), QStringLiteral(")")},
    {QStringLiteral("}"), QStringLiteral(")")},
    {QStringLiteral("】"), QStringLiteral(")")},
    {QStringLiteral("｝"), QStringLiteral(")")},
    {QStringLiteral("π"), QStringLiteral("3.1416")},
};

QString rewrittenSequentially(QString text)
{
    for (const auto &[find, replacement] : kSequentialRules)
        text.replace(find, replacement);
    return text;
}

bool mentionsTrigonometryBySearch(const QString &text)
{
    for (const char *name : {"Sin", "Cos", "Tan", "Atn"})
        if (text.contains(QLatin1String(name), Qt::CaseInsensitive))
            return true;
    return false;
}

// The calculator's preparation written as plain sequential searches and replacements over the
// whole text, ahead of the same evaluator.
ExpressionOutcome referenceCalculator(QString text, ExpressionState &state, AngleUnit angleUnit)
{
    ExpressionOutcome outcome;
    const auto note = [&](MessageIcon icon, const char *title) {
        outcome.notices.append(Notice{icon, QString::fromLatin1(title), QString()});
    };
    text = rewrittenSequentially(text);
    if (text.trimmed().isEmpty()) {
        note(MessageIcon::Exclamation, "no expression");
        return outcome;
    }
    while (text.startsWith(QLatin1Char('=')))
        text.remove(0, 1);
    if (text.isEmpty()) {
        outcome.error = ErrorValue(ErrorNumber::InvalidCall);
        return outcome;
    }
    while (text.endsWith(QLatin1Char('=')))
        text.chop(1);
    for (const char *pair : {"*/", "**", "//", "/*"}) {
        if (text.contains(QLatin1String(pair))) {
            note(MessageIcon::Critical, "consecutive");
            return outcome;
        }
    }
    if (text.contains(QLatin1Char('\\')))
        note(MessageIcon::Exclamation, "integer division");
    if (!state.TrigNoteShown && mentionsTrigonometryBySearch(text)) {
        note(MessageIcon::Information, "trigonometry");
        state.TrigNoteShown = true;
    }
    text.replace(QStringLiteral("°"),
                 angleUnit == AngleUnit::Radians ? QStringLiteral("*0.0174532925") : QString());
    const Evaluation evaluation = EvaluateExpr(text, state.ToHDu);
    outcome.notices += evaluation.notices;
    outcome.value = evaluation.value;
    outcome.error = evaluation.error;
    if (evaluation.error) {
        note(MessageIcon::Critical, "error");
        const int n = evaluation.error->number();
        outcome.textAtFault = n == ErrorNumber::DivisionByZero || n == ErrorNumber::TypeMismatch ||
                              n == ErrorNumber::ExcessClosingBracket ||
                              n == ErrorNumber::MissingClosingBracket;
    }
    return outcome;
}

// What a run of the calculator showed and gave, for comparing two runs: the message boxes by
// icon (titles and texts of the reference are its own), the history removals and the result
// (the value as text, or the error number).
struct RunSummary
{
    QList<int> icons;
    bool textAtFault = false;
    bool failed = false;
    QString result;
    bool trigNoteShown = false;

    bool operator==(const RunSummary &) const = default;
};

template <typename Calculator>
RunSummary run(Calculator calculator, const QString &text, bool radians, bool trigNoteShown)
{
    ExpressionState state;
    state.TrigNoteShown = trigNoteShown;
    const ExpressionOutcome outcome =
        calculator(text, state, radians ? AngleUnit::Radians : AngleUnit::Degrees);
    RunSummary summary;
    if (outcome.error) {
        summary.failed = true;
        summary.result = QString::number(outcome.error->number());
    } else if (outcome.value) {
        summary.result = doubleText(*outcome.value);
    }
    for (const Notice &notice : outcome.notices)
        summary.icons.append(int(notice.icon));
    summary.textAtFault = outcome.textAtFault;
    summary.trigNoteShown = state.TrigNoteShown;
    return summary;
}

QString describe(const RunSummary &o)
{
    QStringList icons;
    for (int icon : o.icons)
        icons << QString::number(icon);
    return QStringLiteral("[%1] at fault %2 failed %3 result \"%4\" note %5")
        .arg(icons.join(QLatin1Char(',')))
        .arg(o.textAtFault)
        .arg(o.failed)
        .arg(o.result)
        .arg(o.trigNoteShown);
}

QString randomText(std::mt19937 &random, const QString &alphabet, int maxLength)
{
    const int length = std::uniform_int_distribution<int>(0, maxLength)(random);
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    QString text;
    for (int i = 0; i < length; ++i)
        text += alphabet[pick(random)];
    return text;
}

const int kTextsPerRow = 3000;

} // namespace

class TestTextPreparation : public QObject
{
    Q_OBJECT

private slots:
    void onePassEqualsSequentialRules_data();
    void onePassEqualsSequentialRules();
    void trigonometryNames_data();
    void trigonometryNames();
    void calculatorEqualsSequentialPreparation_data();
    void calculatorEqualsSequentialPreparation();
};

void TestTextPreparation::onePassEqualsSequentialRules_data()
{
    QTest::addColumn<QString>("alphabet");
    // Every rewritten character, the characters the checks look for, and neighbours that must
    // be left alone.
    QTest::newRow("rewritten forms next to operators") << QStringLiteral(" ×÷（[{【｛）]}】｝π*/\\()+-=1.");
    QTest::newRow("white space other than the blank is kept") << QStringLiteral(" \t\r\n\u3000\u00a0×π=*");
    QTest::newRow("letters that fold to ASCII and surrogates")
        << QStringLiteral("SsIiNnCcOoTtAa\u017f\u212a\u0130\u0131") +
               QString::fromUcs4(U"\U0001F600\U00010400") + QStringLiteral(" π(");
    QTest::newRow("degree signs and equal signs") << QStringLiteral("°=× π1sin(");
}

void TestTextPreparation::onePassEqualsSequentialRules()
{
    QFETCH(QString, alphabet);
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    for (int i = 0; i < kTextsPerRow; ++i) {
        const QString typed = randomText(random, alphabet, 24);
        const QString expected = rewrittenSequentially(typed);
        const PreparedText prepared = prepareTypedText(typed);
        const QByteArray where = QStringLiteral("seed %1 text \"%2\"").arg(seed).arg(typed).toUtf8();
        QVERIFY2(prepared.text == expected, where.constData());
        QVERIFY2(prepared.blank == expected.trimmed().isEmpty(), where.constData());
        const bool consecutive =
            expected.contains(QLatin1String("**")) || expected.contains(QLatin1String("*/")) ||
            expected.contains(QLatin1String("/*")) || expected.contains(QLatin1String("//"));
        QVERIFY2(prepared.consecutiveMultiplicative == consecutive, where.constData());
        QVERIFY2(prepared.integerDivision == expected.contains(QLatin1Char('\\')), where.constData());
        QVERIFY2(prepared.degreeSign == expected.contains(QStringLiteral("°")), where.constData());
        QVERIFY2(mentionsTrigonometry(expected) == mentionsTrigonometryBySearch(expected), where.constData());
    }
}

void TestTextPreparation::trigonometryNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mentions");
    QTest::newRow("each name in any letter case") << QStringLiteral("1+sIN(2)") << true;
    QTest::newRow("arc tangent") << QStringLiteral("ATN(1)") << true;
    QTest::newRow("name at the very end") << QStringLiteral("2*cos") << true;
    QTest::newRow("name inside a word") << QStringLiteral("basin") << true;
    QTest::newRow("split name") << QStringLiteral("si(n)") << false;
    QTest::newRow("two letters only") << QStringLiteral("ta") << false;
    QTest::newRow("long s folds to s") << QStringLiteral("\u017fin(30)") << true;
    QTest::newRow("full-width letters do not fold to ASCII") << QStringLiteral("ｓｉｎ(30)") << false;
    QTest::newRow("non-ASCII text without a name") << QStringLiteral("30°×2") << false;
    QTest::newRow("non-ASCII text with a name") << QStringLiteral("tan(30°)") << true;
}

void TestTextPreparation::trigonometryNames()
{
    QFETCH(QString, text);
    QFETCH(bool, mentions);
    QCOMPARE(mentionsTrigonometry(text), mentions);
}

void TestTextPreparation::calculatorEqualsSequentialPreparation_data()
{
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<bool>("radians");
    QTest::addColumn<bool>("trigNoteShown");
    const QString typed = QStringLiteral("12 .+-*/\\^%×÷（）[]{}π°=");
    QTest::newRow("typed forms in degrees") << typed << false << false;
    QTest::newRow("typed forms in radians") << typed << true << false;
    QTest::newRow("functions before the note") << QStringLiteral("1 2+*(）sinCOS°=π") << false << false;
    QTest::newRow("functions after the note") << QStringLiteral("1 2+*(）sinCOS°=π") << true << true;
    QTest::newRow("equal signs, blanks and degrees only") << QStringLiteral("= °\t") << false << false;
}

void TestTextPreparation::calculatorEqualsSequentialPreparation()
{
    QFETCH(QString, alphabet);
    QFETCH(bool, radians);
    QFETCH(bool, trigNoteShown);
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    for (int i = 0; i < kTextsPerRow; ++i) {
        const QString typed = randomText(random, alphabet, 12);
        const RunSummary expected = run(referenceCalculator, typed, radians, trigNoteShown);
        const RunSummary actual = run(BDSJS, typed, radians, trigNoteShown);
        const QByteArray where = QStringLiteral("seed %1 text \"%2\": %3 instead of %4")
                                     .arg(seed)
                                     .arg(typed, describe(actual), describe(expected))
                                     .toUtf8();
        QVERIFY2(actual == expected, where.constData());
    }
}

QTEST_GUILESS_MAIN(TestTextPreparation)
#include "tst_textpreparation.moc"
