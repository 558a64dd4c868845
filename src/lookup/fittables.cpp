#include "lookup/fittables.h"

#include "catalogue/csvtable.h"

#include <QFile>

// Outside any namespace, as the resource's initialiser is declared where this is used.
static void registerLookupData()
{
    Q_INIT_RESOURCE(lookupdata);
}

namespace {

CsvTable resourceTable(const QString &name)
{
    registerLookupData();
    QFile file(QStringLiteral(":/vardeko/lookups/fits/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return CsvTable(QStringView());
    return CsvTable(QString::fromUtf8(file.readAll()));
}

SizeStep stepOf(const CsvTable &t, qsizetype row)
{
    return {t.field(row, u"over_mm").toInt(), t.field(row, u"upto_mm").toInt()};
}

QList<DeviationRow> deviations(const QString &name)
{
    const CsvTable t = resourceTable(name);
    QList<DeviationRow> rows;
    rows.reserve(t.rowCount());
    for (qsizetype i = 0; i < t.rowCount(); ++i) {
        rows.append({stepOf(t, i), t.field(i, u"letter"), t.field(i, u"grades"), t.field(i, u"deviation"),
                     hundredthsOf(t.field(i, u"value_um")), t.field(i, u"plus_delta") == u"1",
                     t.field(i, u"note")});
    }
    return rows;
}

FitTables loadFitTables()
{
    FitTables tables;
    const CsvTable it = resourceTable(QStringLiteral("it_grades.csv"));
    for (qsizetype i = 0; i < it.rowCount(); ++i) {
        tables.tolerances.append({stepOf(it, i), gradeNumber(it.field(i, u"grade")),
                                  hundredthsOf(it.field(i, u"value_um")), it.field(i, u"note")});
    }
    tables.shafts = deviations(QStringLiteral("shaft_deviations.csv"));
    tables.holes = deviations(QStringLiteral("hole_deviations.csv"));
    const CsvTable delta = resourceTable(QStringLiteral("delta.csv"));
    for (qsizetype i = 0; i < delta.rowCount(); ++i) {
        tables.deltas.append({stepOf(delta, i), gradeNumber(delta.field(i, u"grade")),
                              hundredthsOf(delta.field(i, u"delta_um")), delta.field(i, u"note")});
    }
    const CsvTable fits = resourceTable(QStringLiteral("preferred_fits.csv"));
    for (qsizetype i = 0; i < fits.rowCount(); ++i) {
        const QString fit = fits.field(i, u"fit");
        const qsizetype slash = fit.indexOf(u'/');
        tables.fits.append({fits.field(i, u"system"), fit.left(slash), fit.mid(slash + 1),
                            fits.field(i, u"kind"), fits.field(i, u"preferred") == u"yes",
                            fits.field(i, u"note")});
    }
    const CsvTable classes = resourceTable(QStringLiteral("preferred_classes.csv"));
    for (qsizetype i = 0; i < classes.rowCount(); ++i) {
        tables.classes.append({classes.field(i, u"kind") == u"hole", classes.field(i, u"class"),
                               classes.field(i, u"in_preferred_fits") == u"yes", classes.field(i, u"note")});
    }
    return tables;
}

} // namespace

bool DeviationRow::provisional() const
{
    return note.contains(u"PROVISIONAL");
}

const FitTables &fitTables()
{
    static const FitTables tables = loadFitTables();
    return tables;
}

std::optional<Hundredths> scaledNumber(QStringView text, int scale)
{
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || fraction.size() > scale || whole.size() > 9)
        return std::nullopt;
    Hundredths value = 0;
    for (const QChar c : whole) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + c.digitValue();
    }
    for (qsizetype i = 0; i < scale; ++i) {
        const QChar c = i < fraction.size() ? fraction[i] : QChar(u'0');
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + c.digitValue();
    }
    return negative ? -value : value;
}

Hundredths hundredthsOf(QStringView micrometres)
{
    return scaledNumber(micrometres, 2).value_or(0);
}

int gradeNumber(QStringView text)
{
    if (!text.startsWith(u"IT"))
        return -2;
    const QStringView number = text.mid(2);
    if (number == u"01")
        return GradeIT01;
    bool ok = false;
    const int grade = number.toInt(&ok);
    return ok && grade >= 0 && grade <= 18 ? grade : -2;
}

bool gradesInclude(QStringView grades, int grade)
{
    for (QStringView part : grades.split(u',')) {
        part = part.trimmed();
        bool ok = true;
        bool holds = false;
        if (part == u"all") {
            holds = true;
        } else if (part.startsWith(u"<=")) {
            holds = grade <= part.mid(2).toInt(&ok);
        } else if (part.startsWith(u">=")) {
            holds = grade >= part.mid(2).toInt(&ok);
        } else if (part.startsWith(u'>')) {
            holds = grade > part.mid(1).toInt(&ok);
        } else if (part.startsWith(u'<')) {
            holds = grade < part.mid(1).toInt(&ok);
        } else if (const qsizetype dash = part.indexOf(u'-'); dash > 0) {
            bool ok2 = false;
            holds = grade >= part.left(dash).toInt(&ok) && grade <= part.mid(dash + 1).toInt(&ok2);
            ok = ok && ok2;
        } else {
            holds = grade == part.toInt(&ok);
        }
        if (ok && holds)
            return true;
    }
    return false;
}
