// Time to load each type's table (what one type switch costs besides the widgets), per type
// and sub-type. Prints microseconds per load.
#include "catalogue/tableloader.h"

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

namespace {
struct Load
{
    int type;
    int subType;
    const char *name;
};
} // namespace

int main()
{
    const Load loads[] = {
        {1, 0, "anchor bolt"},
        {2, 0, "hexagon bolt"},
        {3, 0, "hexagon nut"},
        {4, 0, "washer"},
        {5, 0, "spring washer light"},
        {5, 1, "spring washer standard"},
        {5, 2, "spring washer heavy"},
        {6, 0, "bevel washer I-beam"},
        {6, 1, "bevel washer channel"},
        {7, 0, "I-beam"},
        {8, 0, "channel"},
        {9, 0, "round bar"},
        {10, 0, "plate"},
        {11, 0, "angle"},
        {12, 0, "pipe"},
    };
    constexpr int Runs = 2000;

    std::printf("%-24s %8s %8s %12s\n", "table", "entries", "texts", "us per load");
    for (const Load &load : loads) {
        CatalogueState state;
        qsizetype entries = 0;
        qsizetype texts = 0;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Runs; ++i) {
            const LoadedTable loaded = loadTable(state, calculationTypeAt(load.type), load.subType);
            entries = loaded.sizeEntries.size();
            texts = loaded.loadingTexts.size();
        }
        const double microseconds = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / Runs;
        std::printf("%-24s %8lld %8lld %12.2f\n", load.name, static_cast<long long>(entries),
                    static_cast<long long>(texts), microseconds);
    }
    return 0;
}
