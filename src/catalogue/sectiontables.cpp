#include "catalogue/sectiontables.h"

#include "catalogue/csvtable.h"

#include <QFile>

// Outside any namespace, as the resource's initialiser is declared where this is used.
static void registerSectionData()
{
    Q_INIT_RESOURCE(sectiondata);
}

namespace {

CsvTable resourceTable(const QString &name)
{
    QFile file(QStringLiteral(":/vardeko/sections/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return CsvTable(QStringView());
    return CsvTable(QString::fromUtf8(file.readAll()));
}

QList<HBeamRow> hBeams()
{
    const CsvTable t = resourceTable(QStringLiteral("h_beams.csv"));
    QList<HBeamRow> rows;
    for (qsizetype i = 0; i < t.rowCount(); ++i) {
        rows.append({t.field(i, u"series"), t.field(i, u"designation"), printedNumber(t, i, u"H"),
                     printedNumber(t, i, u"B"), printedNumber(t, i, u"t1"), printedNumber(t, i, u"t2"),
                     printedNumber(t, i, u"r"), printedNumber(t, i, u"area_cm2"),
                     printedNumber(t, i, u"mass_kg_per_m"), t.field(i, u"note"), t.field(i, u"sources")});
    }
    return rows;
}

QList<HollowSectionRow> hollowSections()
{
    const CsvTable t = resourceTable(QStringLiteral("hollow_sections.csv"));
    QList<HollowSectionRow> rows;
    for (qsizetype i = 0; i < t.rowCount(); ++i) {
        rows.append({t.field(i, u"shape") == u"square", printedNumber(t, i, u"H"), printedNumber(t, i, u"B"),
                     printedNumber(t, i, u"t"), printedNumber(t, i, u"area_cm2"),
                     printedNumber(t, i, u"mass_kg_per_m"), t.field(i, u"note"), t.field(i, u"sources")});
    }
    return rows;
}

QList<UnequalAngleRow> unequalAngles()
{
    const CsvTable t = resourceTable(QStringLiteral("unequal_angles.csv"));
    QList<UnequalAngleRow> rows;
    for (qsizetype i = 0; i < t.rowCount(); ++i) {
        rows.append({t.field(i, u"designation"), printedNumber(t, i, u"B"), printedNumber(t, i, u"b"),
                     printedNumber(t, i, u"d"), printedNumber(t, i, u"r"), printedNumber(t, i, u"area_cm2"),
                     printedNumber(t, i, u"mass_kg_per_m"), printedNumber(t, i, u"mass_2016_kg_per_m"),
                     t.field(i, u"note"), t.field(i, u"sources")});
    }
    return rows;
}

BarShape barShape(QStringView name)
{
    if (name == u"hexagon")
        return BarShape::Hexagon;
    if (name == u"flat")
        return BarShape::Flat;
    return BarShape::Square;
}

QList<BarSizeRow> barSizes()
{
    const CsvTable t = resourceTable(QStringLiteral("bar_sizes.csv"));
    QList<BarSizeRow> rows;
    for (qsizetype i = 0; i < t.rowCount(); ++i) {
        rows.append({barShape(t.field(i, u"shape")), printedNumber(t, i, u"size_mm"),
                     printedNumber(t, i, u"width_mm"), printedNumber(t, i, u"thickness_mm"),
                     printedNumber(t, i, u"area_cm2"), printedNumber(t, i, u"mass_kg_per_m"),
                     t.field(i, u"note"), t.field(i, u"sources")});
    }
    return rows;
}

SectionTables loadSectionTables()
{
    // The tables are compiled into the catalogue library; make sure a program that links it
    // statically has them registered before the first read.
    registerSectionData();
    return {hBeams(), hollowSections(), unequalAngles(), barSizes()};
}

} // namespace

PrintedNumber printedNumber(const CsvTable &table, qsizetype row, QStringView column)
{
    PrintedNumber number;
    number.text = table.field(row, column).trimmed();
    bool ok = false;
    const double value = number.text.toDouble(&ok); // never depends on the locale
    number.value = ok ? value : 0.0;
    return number;
}

int PrintedNumber::decimals() const
{
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
}

const SectionTables &sectionTables()
{
    static const SectionTables tables = loadSectionTables();
    return tables;
}
