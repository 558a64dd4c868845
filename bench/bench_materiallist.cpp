// The material list at 10,000 rows: loading the list file, recomputing the totals after an
// edit, saving the file and building the clipboard text. Prints milliseconds (best and median
// of several runs); asserts nothing.
#include "materiallist/materiallist.h"
#include "materiallist/materiallistcsv.h"
#include "materiallist/materiallistfile.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <ctime>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Rows = 10000;

MaterialList bigList()
{
    const QStringList materials{QStringLiteral("钢"), QStringLiteral("铜"), QStringLiteral("铝"),
                                QStringLiteral("自定义 8.5")};
    MaterialList list;
    for (int i = 0; i < Rows; ++i) {
        CalculatorLine line;
        line.material = materials.at(i % materials.size());
        line.quantity = 1 + i % 7;
        switch (i % 3) {
        case 0:
            line = {QStringLiteral("工字钢"),
                    QStringLiteral("Ⅰ%1").arg(10 + i % 50),
                    line.material,
                    double(1000 + i),
                    line.quantity,
                    14.223,
                    UnitBasis::PerMetre};
            break;
        case 1:
            line = {QStringLiteral("钢板"),
                    QStringLiteral("δ%1").arg(1 + i % 40),
                    line.material,
                    double(100000 + i),
                    line.quantity,
                    78.5,
                    UnitBasis::PerSquareMetre};
            break;
        default:
            line = {QStringLiteral("六角螺栓"),
                    QStringLiteral("M%1×%2").arg(8 + i % 20).arg(i),
                    line.material,
                    double(i % 200 + 20),
                    line.quantity,
                    0.2136,
                    UnitBasis::PerPiece};
        }
        list.append(line, i % 5 == 0 ? QStringLiteral("备注, 含\"引号\"\n与换行 %1").arg(i) : QString());
    }
    return list;
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall time, and the process's CPU time, which a machine busy with other work inflates less.
void report(const char *what, int runs, const std::function<void()> &run)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double cpuStart = cpuMs();
        timer.start();
        run();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-44s wall best %8.3f median %8.3f ms | cpu best %8.3f median %8.3f ms (%d runs)\n", what,
                wall.front(), wall[wall.size() / 2], cpu.front(), cpu[cpu.size() / 2], runs);
}

} // namespace

int main()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(MaterialListFile::fileName());
    MaterialList list = bigList();
    MaterialListFile file(path);
    if (file.save(list)) {
        std::fputs("cannot write the list file\n", stderr);
        return 1;
    }
    std::printf("%d rows, list file %lld bytes\n", Rows, static_cast<long long>(QFile(path).size()));

    report("load the list file (read, decode, parse)", 15, [&] {
        MaterialList loaded;
        MaterialListFile(path).load(loaded, QDateTime::currentDateTime());
        if (loaded.size() != Rows)
            std::fputs("rows lost\n", stderr);
    });

    int row = 0;
    qint64 sink = 0;
    report("edit one quantity and recompute the totals", 200, [&] {
        row = (row + 3797) % Rows;
        list.setQuantity(row, QString::number(1 + row % 11));
        const MaterialTotals totals = list.totals();
        sink += totals.grams + totals.perMaterial.size();
    });

    report("save the list file (QSaveFile, whole file)", 15, [&] { file.save(list); });
    report("clipboard text", 15, [&] { sink += MaterialListCsv::clipboardText(list).size(); });
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    return 0;
}
