// What the section tables cost on first use (reading the four CSV resources and building the
// list entries) and what a pick costs afterwards. Prints microseconds.
#include "catalogue/sectiontables.h"
#include "catalogue/sectiontypes.h"

#include <QElapsedTimer>

#include <cstdio>

int main()
{
    QElapsedTimer timer;
    timer.start();
    const SectionTables &tables = sectionTables();
    const double parse = static_cast<double>(timer.nsecsElapsed()) / 1000.0;
    timer.restart();
    const qsizetype entries = sectionSizeEntries(SectionType::HBeam).size();
    const double index = static_cast<double>(timer.nsecsElapsed()) / 1000.0;

    constexpr int Runs = 100000;
    timer.restart();
    int found = 0;
    for (int i = 0; i < Runs; ++i) {
        const QStringList walls = sectionSecondEntries(SectionType::HollowSection, i % 60);
        found += sectionRow(SectionType::HollowSection, i % 60, 3.0).has_value() ? 1 : 0;
        found += static_cast<int>(walls.size());
    }
    const double pick = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / Runs;

    const qsizetype rows = tables.hBeams.size() + tables.hollowSections.size() + tables.unequalAngles.size() +
                           tables.barSizes.size();
    std::printf("first read of the %lld rows: %.0f us\n", static_cast<long long>(rows), parse);
    std::printf("list entries (%lld H-beams, ...): %.0f us\n", static_cast<long long>(entries), index);
    std::printf("hollow-section walls and row of one size: %.3f us (%d)\n", pick, found);
    return 0;
}
