// Time of one weight computation (what one keystroke in an input box costs), per type,
// through the built-in tables. Prints microseconds per run.
#include "catalogue/tableloader.h"
#include "common/numbertext.h"
#include "weight/weightcomputation.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

namespace {

// A product of plain numbers, standing in for the expression evaluator of the window.
QString product(const QString &text)
{
    double value = 1;
    for (const QString &factor : text.split(QLatin1Char('*'))) {
        const std::optional<double> number = readNumberStrict(factor);
        if (!number)
            return QString();
        value *= *number;
    }
    return doubleText(value);
}

struct Setup
{
    int type;
    int subType;
    int entry;
    QStringList texts;
};

} // namespace

int main()
{
    const Setup setups[] = {
        {1, -1, 4, {"", "1", "400", "1"}},       {2, -1, 8, {"", "1", "60", "1"}},
        {3, -1, 11, {"", "1", "1", "100"}},      {4, -1, 10, {"", "1", "1", "1"}},
        {5, 1, 10, {"", "1", "1", "1"}},         {6, 0, 4, {"", "1", "1", "1"}},
        {7, -1, 4, {"", "1", "1000", "1"}},      {8, -1, 4, {"", "1", "1000", "1"}},
        {9, -1, 12, {"", "16", "1000", "1"}},    {10, -1, 31, {"", "10", "1000*2000", "1"}},
        {11, -1, -1, {"", "52", "5", "6000*2"}}, {12, -1, 10, {"", "159", "5", "1000"}},
    };
    constexpr int Runs = 20000;

    std::printf("type  runs   us/run\n");
    for (const Setup &setup : setups) {
        CatalogueState catalogue;
        const LoadedTable loaded = loadTable(catalogue, calculationTypeAt(setup.type), setup.subType);

        WeightInputs in;
        in.type = calculationTypeAt(setup.type);
        in.subType = setup.subType;
        in.catalogue = &catalogue;
        for (int k = 0; k < 4; ++k)
            in.boxTexts[static_cast<std::size_t>(k)] = setup.texts[k];
        in.listIndex[setup.type <= 8 ? 0 : 1] = setup.entry;
        in.sizeBoxEntries = loaded.sizeEntries;
        in.evaluate = product;

        WeightDisplay display;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Runs; ++i)
            display = computeWeight(in, display).display;
        const double micros = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / Runs;
        std::printf("%4d  %5d  %7.2f   %s\n", setup.type, Runs, micros, qPrintable(display.resultText));
    }
    return 0;
}
