// The material list window with long lists (offscreen): from Ctrl+L to the window shown with
// 10,000 rows in the list file (loading included), select-all and Del at 100,000 rows, and the
// time one save of the file holds the window at 10,000 and 100,000 rows. Prints milliseconds;
// asserts nothing.
#include "materiallist/materiallist.h"
#include "materiallist/materiallistfile.h"
#include "platform/recordingprompts.h"
#include "ui/materiallistcontroller.h"
#include "ui/materiallistmodel.h"
#include "ui/materiallistwindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

MaterialList listOf(int rows)
{
    MaterialList list;
    list.reserve(rows);
    for (int i = 0; i < rows; ++i)
        list.append({QStringLiteral("工字钢"), QStringLiteral("Ⅰ%1").arg(10 + i % 50), QStringLiteral("钢"),
                     double(1000 + i), double(1 + i % 7), 14.223, UnitBasis::PerMetre},
                    i % 5 == 0 ? QStringLiteral("备注 %1").arg(i) : QString());
    return list;
}

double ms(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The process's CPU time, which a machine busy with other work inflates less than wall time.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void ctrlL(int rows)
{
    QTemporaryDir folder;
    MaterialListFile file(folder.filePath(MaterialListFile::fileName()));
    file.save(listOf(rows));
    QWidget mainWindow;
    mainWindow.resize(520, 300);
    mainWindow.show();
    QMenu menu;
    RecordingPrompts prompts;
    MaterialListController controller(&menu, &mainWindow, &mainWindow, prompts, folder.path());
    QElapsedTimer timer;
    const double cpu = cpuMs();
    timer.start();
    controller.menuItem()->trigger();
    auto *window = mainWindow.findChild<MaterialListWindow *>();
    QCoreApplication::processEvents(); // the first paint
    std::printf("Ctrl+L to the window shown, %6d rows in the file: %8.1f ms wall, %8.1f ms cpu (%s)\n", rows,
                ms(timer), cpuMs() - cpu, window && window->isVisible() ? "shown" : "NOT shown");
}

void selectAllAndDelete(int rows)
{
    QTemporaryDir folder;
    MaterialList list = listOf(rows);
    MaterialListFile file(folder.filePath(MaterialListFile::fileName()));
    MaterialListModel model(list, file);
    RecordingPrompts prompts;
    MaterialListWindow window(model, prompts);
    window.show();
    QCoreApplication::processEvents();
    auto *table = window.findChild<QTableView *>();
    table->setFocus();
    QElapsedTimer timer;
    const double cpu = cpuMs();
    timer.start();
    table->selectAll();
    QTest::keyClick(table, Qt::Key_Delete);
    QCoreApplication::processEvents();
    std::printf("select-all and Del, %6d rows:             %8.1f ms wall, %8.1f ms cpu, %d rows left\n", rows,
                ms(timer), cpuMs() - cpu, list.size());
}

void saveHolds(int rows)
{
    QTemporaryDir folder;
    const MaterialList list = listOf(rows);
    MaterialListFile file(folder.filePath(MaterialListFile::fileName()));
    double best = 1e9;
    double bestCpu = 1e9;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        const double cpu = cpuMs();
        timer.start();
        file.save(list);
        best = std::min(best, ms(timer));
        bestCpu = std::min(bestCpu, cpuMs() - cpu);
    }
    std::printf("one save of the list file, %6d rows:      %8.1f ms wall, %8.1f ms cpu (best of 5)\n", rows,
                best, bestCpu);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ctrlL(10000);
    ctrlL(10000); // the second time with warm caches
    selectAllAndDelete(100000);
    saveHolds(10000);
    saveHolds(100000);
    return 0;
}
