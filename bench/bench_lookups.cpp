// What the lookup tables cost on first use (reading the CSV resources and building the box
// lists) and what one keystroke's lookup costs afterwards: the lookup alone, and a keystroke in
// the real window (offscreen), which also shows the lines and the result and copies it. Prints
// microseconds. Run with QT_QPA_PLATFORM=offscreen.
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

namespace {

template <typename Lookup> double microsecondsPerRun(int runs, Lookup lookup)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype sink = 0;
    for (int i = 0; i < runs; ++i)
        sink += lookup(i).result.size();
    const double each = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / runs;
    return sink >= 0 ? each : 0.0;
}

} // namespace

// Types two texts in turn into a box of lookup type `type` in a real window.
double windowKeystroke(int type, const char *boxName, const QString &first, const QString &second)
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
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Runs; ++i)
        box->setEditText(i % 2 ? first : second);
    return static_cast<double>(timer.nsecsElapsed()) / 1000.0 / Runs;
}

int main(int argc, char *argv[])
{
    QElapsedTimer timer;
    timer.start();
    const qsizetype fitRows = fitTables().tolerances.size() + fitTables().shafts.size() +
                              fitTables().holes.size() + fitTables().deltas.size();
    const double fitsRead = static_cast<double>(timer.nsecsElapsed()) / 1000.0;
    timer.restart();
    const qsizetype threadRows = metricThreads().size();
    const double threadsRead = static_cast<double>(timer.nsecsElapsed()) / 1000.0;
    timer.restart();
    const qsizetype entries =
        classEntries(FitMember::Hole).size() + classEntries(FitMember::Shaft).size() + threadEntries().size();
    const double lists = static_cast<double>(timer.nsecsElapsed()) / 1000.0;

    constexpr int Runs = 20000;
    // A pair near the end of the tables (the rows are searched in order) and a fit at a small size.
    const double largeFit =
        microsecondsPerRun(Runs, [](int) { return lookUpFit(u"2900", u"ZC11", u"zc11"); });
    const double smallFit = microsecondsPerRun(Runs, [](int) { return lookUpFit(u"25", u"H7", u"g6"); });
    const double missing = microsecondsPerRun(Runs, [](int) { return lookUpFit(u"25", u"K9", u"t6"); });
    const double thread = microsecondsPerRun(Runs, [](int) { return lookUpThread(u"M68x4"); });

    std::printf("first read of the fit tables (%lld cells): %.0f us\n", static_cast<long long>(fitRows),
                fitsRead);
    std::printf("first read of the thread table (%lld rows): %.0f us\n", static_cast<long long>(threadRows),
                threadsRead);
    std::printf("box lists (%lld entries): %.0f us\n", static_cast<long long>(entries), lists);
    std::printf(
        "one keystroke: fit 2900 ZC11/zc11 %.1f us, fit 25 H7/g6 %.1f us, two undefined classes %.1f us, "
        "thread M68x4 %.1f us\n",
        largeFit, smallFit, missing, thread);

    QApplication app(argc, argv);
    std::printf("one keystroke in the window: fits %.1f us, threads %.1f us\n",
                windowKeystroke(19, "LookupBox(1)", QStringLiteral("H7"), QStringLiteral("K7")),
                windowKeystroke(20, "LookupBox(0)", QStringLiteral("M12"), QStringLiteral("M12x1.25")));
    return 0;
}
