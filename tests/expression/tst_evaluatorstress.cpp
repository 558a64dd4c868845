#include "expression/evaluator.h"

#include "common/errorvalue.h"
#include "platform/recordingprompts.h"
#include "referencesplitter.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <random>

namespace {

struct RunResult
{
    bool failed = false;
    double value = 0;
    int number = 0;
    QString source;
    QString description;
    QStringList prompts;
    float toHDu = 0;
};

QString shown(MessageIcon icon, const QString &title, const QString &text)
{
    return QString::number(int(icon)) + title + text;
}

// The recursive splitter of the tests, which shows its warnings through a recording Prompts.
RunResult runReference(const QString &text, float toHDu)
{
    RunResult outcome;
    RecordingPrompts prompts;
    try {
        outcome.value = referenceEvaluate(text, toHDu, prompts);
    } catch (const ErrorValue &error) {
        outcome.failed = true;
        outcome.number = error.number();
        outcome.source = error.source();
        outcome.description = error.description();
    }
    for (const RecordingPrompts::Call &call : prompts.calls)
        outcome.prompts.append(shown(call.icon, call.title, call.text));
    outcome.toHDu = toHDu;
    return outcome;
}

RunResult runEvaluator(const QString &text, float toHDu)
{
    RunResult outcome;
    const Evaluation evaluation = EvaluateExpr(text, toHDu);
    if (evaluation.error) {
        outcome.failed = true;
        outcome.number = evaluation.error->number();
        outcome.source = evaluation.error->source();
        outcome.description = evaluation.error->description();
    } else {
        outcome.value = *evaluation.value;
    }
    for (const Notice &notice : evaluation.notices)
        outcome.prompts.append(shown(notice.icon, notice.title, notice.text));
    outcome.toHDu = toHDu;
    return outcome;
}

// Texts as the preparation step hands them on: round brackets only, π already a number, no
// degree signs, an "=" only inside. A sign stands only before a plain unsigned number, where
// the signed-group rule and a prefix reading agree.
class Generator
{
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    QString expression(int depth)
    {
        QString text;
        const int operands = 1 + pick(4);
        bool previousMissing = false;
        for (int i = 0; i < operands; ++i) {
            QString operand;
            if (i > 0) {
                const QChar op = QStringLiteral("+-*/\\%^")[pick(7)];
                text += blank() + op;
                // After a missing operand the + or - is a sign, which must stand right before a
                // plain number.
                if (previousMissing && (op == QLatin1Char('+') || op == QLatin1Char('-')))
                    operand = plainNumber();
                else
                    text += blank();
            }
            if (operand.isEmpty())
                operand = this->operand(depth);
            previousMissing = operand.isEmpty();
            text += operand;
        }
        return text;
    }

    QString text()
    {
        QString t = expression(0);
        // A few texts with a bracket too many or too few, doubled next to an existing one so
        // that no sign comes to stand before a bracket.
        if (pick(20) == 0) {
            const QChar bracket = pick(2) ? QLatin1Char('(') : QLatin1Char(')');
            QList<qsizetype> at;
            for (qsizetype i = 0; i < t.size(); ++i)
                if (t[i] == bracket)
                    at.append(i);
            if (!at.isEmpty())
                t.insert(at[pick(int(at.size()))], bracket);
        }
        return t;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    QString blank()
    {
        const int r = pick(20);
        return r == 0 ? QStringLiteral(" ") : r == 1 ? QStringLiteral("\u3000") : QString();
    }

    QString plainNumber()
    {
        QString n = QString::number(pick(1000));
        switch (pick(5)) {
        case 0:
            n += QLatin1Char('.') + QString::number(pick(100));
            break;
        case 1:
            n = QStringLiteral(".") + QString::number(pick(100));
            break;
        default:
            break;
        }
        return n;
    }

    QString functionName()
    {
        static const char *names[] = {"sin(", "cos(", "tan(", "atn(", "asin(", "foo("};
        QString name = QLatin1String(names[pick(20) == 0 ? 4 + pick(2) : pick(4)]);
        for (QChar &c : name)
            if (pick(2) == 0)
                c = c.toUpper();
        return name;
    }

    QString operand(int depth)
    {
        const int r = pick(100);
        if (r < 3)
            return QString(); // a missing operand
        if (r < 30)
            return plainNumber();
        if (r < 40)
            return QLatin1Char(pick(2) ? '-' : '+') + plainNumber();
        if (r < 45) {
            static const char *exponents[] = {"1.5E3", "2d2", "3e0", "7D1", "4E", "1E400", "3.1416"};
            return QLatin1String(exponents[pick(7)]);
        }
        if (r < 48) {
            static const char *invalid[] = {"abc", "x", "3=4", "2(3)", "1.2.3", "sin()"};
            return QLatin1String(invalid[pick(6)]);
        }
        if (depth >= 5)
            return plainNumber();
        if (r < 75)
            return QLatin1Char('(') + blank() + expression(depth + 1) + blank() + QLatin1Char(')');
        return functionName() + expression(depth + 1) + QLatin1Char(')');
    }

    std::mt19937 m_random;
};

bool sameValue(double a, double b)
{
    return a == b || std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestEvaluatorStress : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithRecursiveSplitter();
    void longTextsEndWithValueOrError_data();
    void longTextsEndWithValueOrError();
    void randomUtf16EndsWithValueOrError();
};

void TestEvaluatorStress::agreesWithRecursiveSplitter()
{
    const unsigned seed = std::random_device()();
    Generator generator(seed);
    const float factors[] = {0.0174532925f, 1.0f, 0.0f};
    int failures = 0, values = 0;
    for (int i = 0; i < 100000; ++i) {
        const QString text = generator.text();
        const float factor = factors[i % 7 == 0 ? 2 : i % 2];
        const RunResult expected = runReference(text, factor);
        const RunResult actual = runEvaluator(text, factor);
        const bool same =
            expected.failed == actual.failed &&
            (expected.failed ? expected.number == actual.number && expected.source == actual.source &&
                                   expected.description == actual.description
                             : sameValue(expected.value, actual.value)) &&
            expected.prompts == actual.prompts && expected.toHDu == actual.toHDu;
        if (!same) {
            qWarning() << "seed" << seed << "text" << text << "expected" << expected.failed << expected.value
                       << expected.number << expected.prompts.size() << "actual" << actual.failed
                       << actual.value << actual.number << actual.prompts.size();
            QFAIL("the evaluator and the recursive splitter disagree");
        }
        (expected.failed ? failures : values) += 1;
    }
    // The generated texts must exercise both outcomes to mean anything.
    QVERIFY(failures > 10000);
    QVERIFY(values > 10000);
}

void TestEvaluatorStress::longTextsEndWithValueOrError_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("number");
    const qsizetype mb = 1 << 20;
    const QString sum = QStringLiteral("1+").repeated(mb / 4) + QLatin1Char('1');
    QTest::newRow("long flat sum") << sum << false << double(mb / 4 + 1) << 0;
    QTest::newRow("long left-first chain")
        << QStringLiteral("7%").repeated(mb / 4) + QLatin1Char('5') << false << 0.0 << 0;
    QTest::newRow("long difference") << QStringLiteral("1-").repeated(mb / 4) + QLatin1Char('1') << false
                                     << double(1 - mb / 4) << 0;
    QTest::newRow("long mixed chain") << QLatin1Char('0') + QStringLiteral("+2*3-4/2+1^5").repeated(mb / 12)
                                      << false << double(mb / 12 * 5) << 0;
    QTest::newRow("nesting at the bound")
        << QString(1000, QLatin1Char('(')) + QLatin1Char('1') + QString(1000, QLatin1Char(')')) << false
        << 1.0 << 0;
    QTest::newRow("deep balanced nesting")
        << QString(mb / 2, QLatin1Char('(')) + QString(mb / 2, QLatin1Char(')')) << true << 0.0 << 28;
    QTest::newRow("deep signed groups")
        << QStringLiteral("-(").repeated(mb / 4) + QString(mb / 4, QLatin1Char(')')) << true << 0.0 << 28;
    QTest::newRow("deep functions") << QStringLiteral("Sin(").repeated(mb / 5) +
                                           QString(mb / 5, QLatin1Char(')'))
                                    << true << 0.0 << 28;
    QTest::newRow("open brackets only") << QString(mb, QLatin1Char('(')) << true << 0.0 << -2147220502;
    QTest::newRow("closing brackets only") << QString(mb, QLatin1Char(')')) << true << 0.0 << -2147220503;
    QTest::newRow("adjacent groups") << QStringLiteral("()").repeated(mb / 2) << true << 0.0 << -2147220503;
    QTest::newRow("long sign run") << QStringLiteral("-+").repeated(mb / 2) + QLatin1Char('3') << false << 3.0
                                   << 0;
    QTest::newRow("long number") << QString(mb, QLatin1Char('1')) << true << 0.0 << 6;
    QTest::newRow("many missing operands") << QString(mb, QLatin1Char('^')) << false << 1.0 << 0;
    QTest::newRow("nested sums within the bound")
        << QStringLiteral("1+(").repeated(999) + QLatin1Char('1') + QString(999, QLatin1Char(')')) << false
        << 1000.0 << 0;
}

void TestEvaluatorStress::longTextsEndWithValueOrError()
{
    QFETCH(QString, text);
    QFETCH(bool, failed);
    QFETCH(double, value);
    QFETCH(int, number);
    float toHDu = 0.0174532925f;
    const Evaluation evaluation = EvaluateExpr(text, toHDu);
    QCOMPARE(evaluation.error.has_value(), failed);
    if (evaluation.error)
        QCOMPARE(evaluation.error->number(), number);
    else
        QCOMPARE(*evaluation.value, value);
}

void TestEvaluatorStress::randomUtf16EndsWithValueOrError()
{
    std::mt19937 random(12345);
    // Random code units, surrogate halves and NULs included, with the characters the evaluator
    // reacts to made frequent enough to matter.
    const char16_t special[] = {u'(', u')', u'+', u'-', u'*', u'/', u'\\',
                                u'%', u'^', u' ', u'1', u'.', u'E', 0};
    for (qsizetype size : {qsizetype(1) << 10, qsizetype(1) << 16, qsizetype(1) << 20}) {
        for (int round = 0; round < 3; ++round) {
            QString text(size, Qt::Uninitialized);
            for (QChar &c : text) {
                const auto r = random();
                c = QChar(r % 4 == 0 ? special[(r >> 8) % 14] : char16_t(r >> 16));
            }
            float toHDu = 0.0f;
            const Evaluation evaluation = EvaluateExpr(text, toHDu);
            QVERIFY(evaluation.value.has_value() != evaluation.error.has_value());
            if (evaluation.value)
                QVERIFY(std::isfinite(*evaluation.value));
            else
                QVERIFY(evaluation.error->number() != 0);
        }
    }
}

QTEST_GUILESS_MAIN(TestEvaluatorStress)
#include "tst_evaluatorstress.moc"
