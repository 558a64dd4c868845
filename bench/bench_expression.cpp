// Time per evaluation of the expression calculator (preparation, evaluation, formatting) for a
// typical expression and for generated texts of growing size.
//
// `bench_expression once typical|flat` runs a single evaluation of the typical expression or of
// the 1 MB flat sum and prints nothing else, for instruction counting under callgrind
// (valgrind --tool=callgrind --toggle-collect=runOnce ...), which is repeatable on a busy machine.
#include "expression/bdsjs.h"
#include "expression/jingdu.h"

#include <QElapsedTimer>
#include <QString>

#include <cstdio>
#include <cstring>

namespace {

// Kept out of line so that callgrind can count exactly one evaluation.
[[gnu::noinline]] QString runOnce(const QString &text)
{
    ExpressionState state;
    state.TrigNoteShown = true;
    const ExpressionOutcome outcome = BDSJS(text, state, AngleUnit::Degrees);
    return outcome.value ? JingDu(*outcome.value, PrecisionMode::SmartLow) : QStringLiteral("(error)");
}

// Nanoseconds per run of BDSJS and JingDu (the notices are made but not shown) on `text`, repeated until at
// least `minimumNs` have passed (at least one run).
double nanosecondsPerRun(const QString &text, QString &shown, qint64 minimumNs = 200000000)
{
    ExpressionState state;
    state.TrigNoteShown = true;
    QElapsedTimer timer;
    timer.start();
    long runs = 0;
    do {
        const ExpressionOutcome outcome = BDSJS(text, state, AngleUnit::Degrees);
        shown = outcome.value ? JingDu(*outcome.value, PrecisionMode::SmartLow) : QStringLiteral("(error)");
        ++runs;
    } while (timer.nsecsElapsed() < minimumNs);
    return double(timer.nsecsElapsed()) / double(runs);
}

QString repeatTo(const QString &unit, const QString &head, const QString &tail, qsizetype size)
{
    const qsizetype count = qMax<qsizetype>(1, (size - head.size() - tail.size()) / unit.size());
    return head + unit.repeated(count) + tail;
}

QString flatSum(qsizetype size)
{
    return repeatTo(QStringLiteral("+1"), QStringLiteral("1"), QString(), size);
}

QString nested(qsizetype size)
{
    // Sums nested up to 1000 levels deep, repeated side by side to fill the size.
    const QString block =
        QStringLiteral("1+(").repeated(999) + QLatin1Char('1') + QString(999, QLatin1Char(')'));
    return repeatTo(QLatin1Char('+') + block, QStringLiteral("0"), QString(), size);
}

} // namespace

int main(int argc, char **argv)
{
    QString shown;
    const QString typical = QStringLiteral("Sin(30)*2+1.5^2/(3-1)");
    if (argc == 3 && std::strcmp(argv[1], "once") == 0) {
        const bool flat = std::strcmp(argv[2], "flat") == 0;
        const QString text = flat ? flatSum(qsizetype(1) << 20) : typical;
        // A first evaluation outside the counted call binds the shared-library symbols.
        QString warm;
        nanosecondsPerRun(typical, warm, 0);
        std::printf("%s\n", qPrintable(runOnce(text)));
        return 0;
    }
    const double typicalNs = nanosecondsPerRun(typical, shown);
    std::printf("%-28s %10.3f us  -> %s\n", "typical", typicalNs / 1000.0, qPrintable(shown));

    struct Kind
    {
        const char *name;
        QString (*make)(qsizetype);
    };
    const Kind kinds[] = {
        {"flat sum", flatSum},
        {"mixed operators",
         [](qsizetype n) {
             return repeatTo(QStringLiteral("+2*3-4/2+1^5-7%3"), QStringLiteral("0"), QString(), n);
         }},
        {"nested brackets", nested},
    };
    for (const Kind &kind : kinds) {
        double previous = 0;
        qsizetype previousSize = 0;
        for (qsizetype size : {qsizetype(1) << 10, qsizetype(1) << 16, qsizetype(1) << 20}) {
            const QString text = kind.make(size);
            const double ns = nanosecondsPerRun(text, shown);
            std::printf("%-16s %8lld chars %12.3f ms", kind.name, static_cast<long long>(text.size()),
                        ns / 1e6);
            if (previous > 0)
                std::printf("  x%.1f for x%.0f size", ns / previous,
                            double(text.size()) / double(previousSize));
            std::printf("  -> %s\n", qPrintable(shown));
            previous = ns;
            previousSize = text.size();
        }
    }
    return 0;
}
