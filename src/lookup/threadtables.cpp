#include "lookup/threadtables.h"

#include "catalogue/csvtable.h"

#include <QFile>

// Outside any namespace, as the resource's initialiser is declared where this is used.
static void registerThreadData()
{
    Q_INIT_RESOURCE(lookupdata);
}

namespace {

QList<ThreadRow> loadThreads()
{
    registerThreadData();
    QFile file(QStringLiteral(":/vardeko/lookups/threads/metric_threads.csv"));
    const CsvTable t(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
    QList<ThreadRow> rows;
    rows.reserve(t.rowCount());
    for (qsizetype i = 0; i < t.rowCount(); ++i) {
        rows.append({t.field(i, u"designation"), printedNumber(t, i, u"d_mm"),
                     printedNumber(t, i, u"pitch_mm"), t.field(i, u"series") == u"coarse",
                     t.field(i, u"choice").toInt(), printedNumber(t, i, u"d2_mm"),
                     printedNumber(t, i, u"d1_mm"), printedNumber(t, i, u"d3_mm"),
                     printedNumber(t, i, u"tap_drill_mm"), printedNumber(t, i, u"tap_drill_iso2306_mm"),
                     t.field(i, u"note")});
    }
    return rows;
}

} // namespace

const QList<ThreadRow> &metricThreads()
{
    static const QList<ThreadRow> rows = loadThreads();
    return rows;
}
