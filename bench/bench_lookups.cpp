// What the lookup tables cost on first use (reading the CSV resources and building the box
// lists) and what one keystroke's lookup costs afterwards: the lookup alone, and a keystroke in
// the real window (offscreen), which also shows the lines and the result and copies it. Prints
// microseconds of wall time and, in brackets, of the process's CPU time: on a busy machine the
// wall time also counts the waits for a core. Run with QT_QPA_PLATFORM=offscreen.
#include "lookup/fitlookup.h"
#include "lookup/threadlookup.h"
#include "platform/recordingprompts.h"
#include "platform/recordingshell.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <utility>

namespace {

// Wall and CPU time since the last lap, in microseconds, divided by `runs`.
class Stopwatch
{
public:
    Stopwatch() { m_wall.start(); }
    QString lap(int runs = 1)
    {
        const double wall = static_cast<double>(m_wall.nsecsElapsed()) / 1000.0 / runs;
        m_wall.restart();
        const std::clock_t now = std::clock();
        const double cpu = static_cast<double>(now - std::exchange(m_cpu, now)) * 1e6 / CLOCKS_PER_SEC / runs;
        return QStringLiteral("%1 us (%2)").arg(wall, 0, 'f', 1).arg(cpu, 0, 'f', 1);
    }

private:
    QElapsedTimer m_wall;
    std::clock_t m_cpu = std::clock();
};

template <typename Lookup> QString perRun(int runs, Lookup lookup)
{
    Stopwatch watch;
    qsizetype sink = 0;
    for (int i = 0; i < runs; ++i)
        sink += lookup().result.size();
    return sink >= 0 ? watch.lap(runs) : QString();
}

} // namespace

// Types two texts in turn into a box of lookup type `type` in a real window.
QString windowKeystroke(int type, const char *boxName, const QString &first, const QString &second)
{
    RecordingPrompts prompts;
    RecordingShell shell;
    QTemporaryDir folder;
    FrmMain window(prompts, shell, folder.path(), [] {});
    window.Form_Load();
    window.show();
    window.MnuJS_Click(type);
    auto *box = window.findChild<QComboBox *>(QString::fromLatin1(boxName));
    constexpr int Runs = 2000;
    Stopwatch watch;
    for (int i = 0; i < Runs; ++i)
        box->setEditText(i % 2 ? first : second);
    return watch.lap(Runs);
}

int main(int argc, char *argv[])
{
    Stopwatch watch;
    const qsizetype fitRows = fitTables().tolerances.size() + fitTables().shafts.size() +
                              fitTables().holes.size() + fitTables().deltas.size();
    const QString fitsRead = watch.lap();
    const qsizetype threadRows = metricThreads().size();
    const QString threadsRead = watch.lap();
    const qsizetype entries =
        classEntries(FitMember::Hole).size() + classEntries(FitMember::Shaft).size() + threadEntries().size();
    const QString lists = watch.lap();
    std::printf("first read of the fit tables (%lld cells): %s\n", static_cast<long long>(fitRows),
                qPrintable(fitsRead));
    std::printf("first read of the thread table (%lld rows): %s\n", static_cast<long long>(threadRows),
                qPrintable(threadsRead));
    std::printf("box lists (%lld entries): %s\n", static_cast<long long>(entries), qPrintable(lists));

    // One keystroke's lookup: a pair near the end of the tables (the rows are searched in order),
    // a common fit, two classes the standard does not define, and a thread.
    constexpr int Runs = 20000;
    std::printf(
        "one lookup: fit 2900 ZC11/zc11 %s, fit 25 H7/g6 %s, two undefined classes %s, thread M68x4 %s\n",
        qPrintable(perRun(Runs, [] { return lookUpFit(u"2900", u"ZC11", u"zc11"); })),
        qPrintable(perRun(Runs, [] { return lookUpFit(u"25", u"H7", u"g6"); })),
        qPrintable(perRun(Runs, [] { return lookUpFit(u"25", u"K9", u"t6"); })),
        qPrintable(perRun(Runs, [] { return lookUpThread(u"M68x4"); })));

    QApplication app(argc, argv);
    std::printf(
        "one keystroke in the window: fits %s, threads %s\n",
        qPrintable(windowKeystroke(19, "LookupBox(1)", QStringLiteral("H7"), QStringLiteral("K7"))),
        qPrintable(windowKeystroke(20, "LookupBox(0)", QStringLiteral("M12"), QStringLiteral("M12x1.25"))));
    return 0;
}
