// The tables of limits and fits and of metric threads the program carries, each cell
// recomputed from the rule of the standard that produced it: a digit mistyped into a copy shows
// up as a cell that disagrees with its rule and carries no note saying why it may.

#include "lookup/fitlookup.h"
#include "lookup/fittables.h"
#include "lookup/threadtables.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTest>

#include <cmath>
#include <map>
#include <span>
#include <tuple>
#include <utility>

namespace {

// What the rule says of a printed cell: the cells a rule reproduces, and those it does not (the
// standard prints them so; each must carry a note).
enum class Witness { Exact, Range, Identity, NoFormula, Rounding, Irregular };

const std::array<SizeStep, 21> MainSteps = {
    {{0, 3},     {3, 6},      {6, 10},      {10, 18},     {18, 30},     {30, 50},     {50, 80},
     {80, 120},  {120, 180},  {180, 250},   {250, 315},   {315, 400},   {400, 500},   {500, 630},
     {630, 800}, {800, 1000}, {1000, 1250}, {1250, 1600}, {1600, 2000}, {2000, 2500}, {2500, 3150}}};

SizeStep mainStepOf(const SizeStep &step)
{
    for (const SizeStep &m : MainSteps) {
        if (m.over <= step.over && step.upto <= m.upto)
            return m;
    }
    return {};
}

// D of the standard's formulas: the geometric mean of the step, the first step from 1 mm.
double geometricMean(const SizeStep &s)
{
    return std::sqrt((s.over > 0 ? s.over : 1) * double(s.upto));
}

double micrometres(Hundredths value)
{
    return double(value) / 100.0;
}

// The nearest multiple of `step`, halves away from zero.
double roundTo(double value, double step)
{
    return std::copysign(std::round(std::abs(value) / step + 1e-9) * step, value);
}

Witness classify(double printed, double raw, double step)
{
    if (std::abs(roundTo(raw, step) - printed) < 1e-9)
        return Witness::Exact;
    return std::abs(printed - raw) < step ? Witness::Rounding : Witness::Irregular;
}

// The rounding steps of the calculated standard tolerances and fundamental deviations.
double toleranceStep(double value, int upto, int grade)
{
    const double v = std::abs(value);
    if (upto <= 500 && grade <= 4)
        return v < 1 ? 0.1 : (v < 3 ? 0.5 : 1);
    const std::pair<double, double> limits[] = {
        {60, 1},     {100, upto <= 500 ? 1 : 2}, {200, 5}, {500, 10}, {1000, 20}, {2000, 50}, {5000, 100},
        {10000, 200}};
    for (const auto &[limit, step] : limits) {
        if (v <= limit)
            return step;
    }
    return 500;
}

double deviationStep(double value, const QString &letter)
{
    static const QSet<QString> upper = {u"a"_qs,  u"b"_qs, u"c"_qs,  u"cd"_qs, u"d"_qs, u"e"_qs,
                                        u"ef"_qs, u"f"_qs, u"fg"_qs, u"g"_qs,  u"h"_qs, u"j"_qs};
    const double v = std::abs(value);
    const std::pair<double, double> aToJ[] = {{45, 1},    {60, 2},    {200, 5},   {560, 10},
                                              {1000, 20}, {2000, 50}, {5000, 100}};
    const std::pair<double, double> kToZc[] = {{100, 1},   {300, 2},   {600, 5},   {800, 10},
                                               {1000, 20}, {2000, 50}, {5000, 100}};
    for (const auto &[limit, step] : upper.contains(letter) ? std::span(aToJ) : std::span(kToZc)) {
        if (v <= limit)
            return step;
    }
    return 200;
}

struct Tables
{
    std::map<std::tuple<int, int, int>, double> it;                 // over, upto, grade
    std::map<std::tuple<int, int, QString, QString>, double> shaft; // over, upto, letter, grades
    std::map<std::tuple<int, int, int>, double> delta;

    double IT(const SizeStep &step, int grade) const
    {
        const SizeStep m = mainStepOf(step);
        const auto found = it.find({m.over, m.upto, grade});
        return found == it.end() ? NAN : found->second;
    }
    std::optional<double> shaftValue(const SizeStep &s, const QString &letter,
                                     const QString &grades = u"all"_qs) const
    {
        const auto found = shaft.find({s.over, s.upto, letter, grades});
        return found == shaft.end() ? std::nullopt : std::optional<double>(found->second);
    }
};

Tables tablesByKey()
{
    const FitTables &f = fitTables();
    Tables t;
    for (const StandardToleranceRow &r : f.tolerances)
        t.it[{r.step.over, r.step.upto, r.grade}] = micrometres(r.value);
    for (const DeviationRow &r : f.shafts)
        t.shaft[{r.step.over, r.step.upto, r.letter, r.grades}] = micrometres(r.value);
    for (const DeltaRow &r : f.deltas)
        t.delta[{r.step.over, r.step.upto, r.grade}] = micrometres(r.value);
    return t;
}

Witness toleranceWitness(const Tables &t, const StandardToleranceRow &r)
{
    const int n = r.grade;
    const double printed = micrometres(r.value);
    const double D = geometricMean(r.step);
    if (n >= 12)
        return std::abs(printed - 10 * t.IT(r.step, n - 5)) < 1e-9 ? Witness::Identity : Witness::Irregular;
    double raw = 0;
    if (r.step.upto <= 500) {
        if (n <= 1) {
            const double a = n == GradeIT01 ? 0.3 : (n == 0 ? 0.5 : 0.8);
            const double b = n == GradeIT01 ? 0.008 : (n == 0 ? 0.012 : 0.020);
            raw = a + b * D;
        } else if (n <= 4) {
            const double it1 = t.IT(r.step, 1);
            raw = it1 * std::pow(t.IT(r.step, 5) / it1, (n - 1) / 4.0);
        } else {
            static const double factor[] = {7, 10, 16, 25, 40, 64, 100};
            raw = factor[n - 5] * (0.45 * std::cbrt(D) + 0.001 * D);
        }
    } else {
        static const double factor[] = {2, 2.7, 3.7, 5, 7, 10, 16, 25, 40, 64, 100};
        raw = factor[n - 1] * (0.004 * D + 2.1);
    }
    return classify(printed, raw, toleranceStep(raw, r.step.upto, n));
}

Witness shaftWitness(const Tables &t, const DeviationRow &r)
{
    static const QSet<QString> intermediate = {u"a"_qs, u"b"_qs,  u"c"_qs,  u"r"_qs, u"s"_qs,
                                               u"t"_qs, u"u"_qs,  u"v"_qs,  u"x"_qs, u"y"_qs,
                                               u"z"_qs, u"za"_qs, u"zb"_qs, u"zc"_qs};
    const QString &l = r.letter;
    const double p = micrometres(r.value);
    const bool big = r.step.upto > 500;
    const double D = geometricMean(intermediate.contains(l) ? r.step : mainStepOf(r.step));
    const auto IT = [&](int n) { return t.IT(r.step, n); };
    if (l == u"j")
        return Witness::NoFormula;
    if (l == u"h" || (l == u"k" && (r.grades != u"4-7" || big)))
        return p == 0 ? Witness::Identity : Witness::Irregular;
    if (l == u"m" && !big)
        return p == IT(7) - IT(6) ? Witness::Identity : Witness::Irregular;
    if (l == u"p" && !big)
        return p - IT(7) >= 0 && p - IT(7) <= 5 ? Witness::Range : Witness::Irregular;
    if (l == u"s" && !big && D <= 50)
        return p - IT(8) >= 1 && p - IT(8) <= 4 ? Witness::Range : Witness::Irregular;
    static const QHash<QString, std::pair<QString, QString>> meanOf = {{u"cd"_qs, {u"c"_qs, u"d"_qs}},
                                                                       {u"ef"_qs, {u"e"_qs, u"f"_qs}},
                                                                       {u"fg"_qs, {u"f"_qs, u"g"_qs}},
                                                                       {u"r"_qs, {u"p"_qs, u"s"_qs}}};
    double raw = 0;
    if (meanOf.contains(l)) {
        const auto x = t.shaftValue(r.step, meanOf[l].first);
        const auto y = t.shaftValue(r.step, meanOf[l].second);
        if (!x || !y)
            return Witness::Irregular;
        raw = std::copysign(std::sqrt(*x * *y), p != 0 ? p : 1);
    } else if (l == u"a") {
        raw = D <= 120 ? -(265 + 1.3 * D) : -3.5 * D;
    } else if (l == u"b") {
        raw = D <= 160 ? -(140 + 0.85 * D) : -1.8 * D;
    } else if (l == u"c") {
        raw = D <= 40 ? -52 * std::pow(D, 0.2) : -(95 + 0.8 * D);
    } else if (l == u"d") {
        raw = -16 * std::pow(D, 0.44);
    } else if (l == u"e") {
        raw = -11 * std::pow(D, 0.41);
    } else if (l == u"f") {
        raw = -5.5 * std::pow(D, 0.41);
    } else if (l == u"g") {
        raw = -2.5 * std::pow(D, 0.34);
    } else if (l == u"k") {
        raw = 0.6 * std::cbrt(D);
    } else if (l == u"m") {
        raw = 0.024 * D + 12.6;
    } else if (l == u"n") {
        raw = big ? 0.04 * D + 21 : 5 * std::pow(D, 0.34);
    } else if (l == u"p") {
        raw = 0.072 * D + 37.8;
    } else {
        static const QHash<QString, std::pair<int, double>> aboveIT = {
            {u"s"_qs, {7, 0.4}}, {u"t"_qs, {7, 0.63}}, {u"u"_qs, {7, 1}},   {u"v"_qs, {7, 1.25}},
            {u"x"_qs, {7, 1.6}}, {u"y"_qs, {7, 2}},    {u"z"_qs, {7, 2.5}}, {u"za"_qs, {8, 3.15}},
            {u"zb"_qs, {9, 4}},  {u"zc"_qs, {10, 5}}};
        if (!aboveIT.contains(l))
            return Witness::Irregular;
        raw = IT(aboveIT[l].first) + aboveIT[l].second * D;
    }
    return classify(p, raw, deviationStep(raw, l));
}

// The hole cell the shaft table implies: EI = −es, ES = −ei, with Δ where the standard adds it.
std::optional<std::pair<double, bool>> holeRule(const Tables &t, const DeviationRow &r)
{
    const bool withDelta = r.step.upto > 3 && r.step.upto <= 500;
    const QString shaft = r.letter.toLower();
    if (r.deviation == u"EI") {
        const auto v = t.shaftValue(r.step, shaft);
        return v ? std::optional(std::pair(-*v, false)) : std::nullopt;
    }
    if (r.letter == u"K" && r.grades == u"<=8") {
        const auto v = t.shaftValue(r.step, u"k"_qs, u"4-7"_qs);
        return v ? std::optional(std::pair(-*v, withDelta)) : std::nullopt;
    }
    const auto v = t.shaftValue(r.step, shaft);
    if (!v || r.grades == u"6" || r.letter == u"K")
        return std::nullopt;
    if (r.letter == u"N" && r.grades == u">8")
        return std::pair(withDelta ? 0.0 : -*v, false);
    const bool lowGrades = r.grades == u"<=8" || r.grades == u"<=7";
    return std::pair(-*v, withDelta && lowGrades);
}

Witness holeWitness(const Tables &t, const DeviationRow &r)
{
    if (r.letter == u"J" || (r.letter == u"K" && r.grades == u">8"))
        return Witness::NoFormula;
    const auto rule = holeRule(t, r);
    return rule && std::abs(rule->first - micrometres(r.value)) < 1e-9 && rule->second == r.plusDelta
               ? Witness::Identity
               : Witness::Irregular;
}

Witness deltaWitness(const Tables &t, const DeltaRow &r)
{
    const double rule = r.step.upto <= 3 ? 0 : t.IT(r.step, r.grade) - t.IT(r.step, r.grade - 1);
    return std::abs(micrometres(r.value) - rule) < 1e-9 ? Witness::Identity : Witness::Irregular;
}

struct Tally
{
    QHash<Witness, int> counts;
    QStringList unexplained;

    void add(Witness witness, const QString &note, const QString &cell)
    {
        ++counts[witness];
        if ((witness == Witness::Rounding || witness == Witness::Irregular) && note.isEmpty())
            unexplained.append(cell);
    }
};

QString cellName(const SizeStep &s, const QString &what)
{
    return QStringLiteral("%1-%2 %3").arg(s.over).arg(s.upto).arg(what);
}

QByteArray resource(const QString &path)
{
    fitTables(); // registers the resources
    QFile file(u":/vardeko/lookups/"_qs + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestLookupTables : public QObject
{
    Q_OBJECT

private slots:
    void tablesHoldEveryRow_data();
    void tablesHoldEveryRow();
    void everyFitCellFollowsItsRuleOrIsNoted_data();
    void everyFitCellFollowsItsRuleOrIsNoted();
    void everyThreadRowFollowsTheBasicProfile();
    void everyListedFitHasItsKindAtEveryStep();
};

void TestLookupTables::tablesHoldEveryRow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qsizetype>("rows");
    QTest::addColumn<qsizetype>("loaded");
    QTest::addColumn<QByteArray>("sha256");
    const FitTables &f = fitTables();
    // The fingerprints of the verified tables: an edit of a copy fails here until the tables
    // have been checked again and the fingerprint renewed.
    const auto row = [](const char *name, qsizetype rows, qsizetype loaded, const char *sha256) {
        QTest::newRow(name) << QString::fromLatin1(name) << rows << loaded << QByteArray(sha256);
    };
    row("fits/it_grades.csv", 404, f.tolerances.size(),
        "638253100b980549f2872622882416625269cd546bfe3ff3b8e64a264c1846d7");
    row("fits/shaft_deviations.csv", 887, f.shafts.size(),
        "ef8cbe40260c2b59b9c61d1754d2c0b40df8692c3df1af5ef99e1ea5f92b802f");
    row("fits/hole_deviations.csv", 1320, f.holes.size(),
        "1630b7a83b1f05563595a20a69b6d0225446d9398d479ffcbd5e95c2b35f04ba");
    row("fits/delta.csv", 78, f.deltas.size(),
        "160ac633e93785ff2feae4383377ccba07fa671fbddb867ae5bbfe9a0f81e610");
    row("fits/preferred_fits.csv", 78, f.fits.size(),
        "3237fa6cbc755813b7e6de660f65d553f9716b66489da7db1621ed966066cfaa");
    row("fits/preferred_classes.csv", 34, f.classes.size(),
        "82488fe3fdbbded90ead800e240b6048447a68702897973898b1d899beefb12a");
    row("threads/metric_threads.csv", 171, metricThreads().size(),
        "09ab4c6d1a17757c50a3c8907ac00fee512cdb42f595ae02f3ff5a1ae40ac18e");
}

void TestLookupTables::tablesHoldEveryRow()
{
    QFETCH(QString, file);
    QFETCH(qsizetype, rows);
    QFETCH(qsizetype, loaded);
    QFETCH(QByteArray, sha256);
    QCOMPARE(loaded, rows);
    QCOMPARE(QCryptographicHash::hash(resource(file), QCryptographicHash::Sha256).toHex(), sha256);
}

void TestLookupTables::everyFitCellFollowsItsRuleOrIsNoted_data()
{
    // Per table, how many cells the rules reproduce and how many the standard prints otherwise
    // (every one noted): a cell edited to another value moves between these.
    QTest::addColumn<QString>("table");
    QTest::addColumn<QList<int>>("counts"); // exact, range, identity, no formula, rounding, irregular
    QTest::newRow("standard tolerances") << u"it"_qs << QList<int>{197, 0, 147, 0, 44, 16};
    QTest::newRow("shaft deviations") << u"shaft"_qs << QList<int>{518, 32, 122, 51, 101, 63};
    QTest::newRow("hole deviations from the shaft table") << u"hole"_qs << QList<int>{0, 0, 1242, 76, 0, 2};
    QTest::newRow("delta = ITn - ITn-1") << u"delta"_qs << QList<int>{0, 0, 78, 0, 0, 0};
}

void TestLookupTables::everyFitCellFollowsItsRuleOrIsNoted()
{
    QFETCH(QString, table);
    QFETCH(QList<int>, counts);
    const FitTables &f = fitTables();
    const Tables t = tablesByKey();
    Tally tally;
    if (table == u"it") {
        for (const StandardToleranceRow &r : f.tolerances)
            tally.add(toleranceWitness(t, r), r.note, cellName(r.step, QStringLiteral("IT%1").arg(r.grade)));
    } else if (table == u"delta") {
        for (const DeltaRow &r : f.deltas)
            tally.add(deltaWitness(t, r), r.note, cellName(r.step, QStringLiteral("Δ IT%1").arg(r.grade)));
    } else {
        const bool hole = table == u"hole";
        for (const DeviationRow &r : hole ? f.holes : f.shafts) {
            tally.add(hole ? holeWitness(t, r) : shaftWitness(t, r), r.note,
                      cellName(r.step, r.letter + u' ' + r.grades));
        }
    }
    QVERIFY2(tally.unexplained.isEmpty(), qPrintable(tally.unexplained.join(u", "_qs)));
    const QList<int> found = {tally.counts[Witness::Exact],    tally.counts[Witness::Range],
                              tally.counts[Witness::Identity], tally.counts[Witness::NoFormula],
                              tally.counts[Witness::Rounding], tally.counts[Witness::Irregular]};
    QCOMPARE(found, counts);
}

void TestLookupTables::everyThreadRowFollowsTheBasicProfile()
{
    // d2, D1 and d3 of the basic profile (H = √3/2 · P) at the printed three decimals, the tap
    // drill d − P, a note wherever the common-practice drill differs, one coarse pitch a diameter.
    const double H = std::sqrt(3.0) / 2;
    QStringList wrong;
    QSet<QString> designations;
    QSet<double> coarse;
    int practice = 0;
    for (const ThreadRow &r : metricThreads()) {
        const double d = r.d.value;
        const double P = r.pitch.value;
        const auto third = [](double v) { return QString::number(std::round(v * 1000) / 1000, 'f', 3); };
        if (r.d2.text != third(d - 0.75 * H * P) || r.d1.text != third(d - 1.25 * H * P) ||
            r.d3.text != third(d - 17.0 / 12 * H * P))
            wrong.append(r.designation + u" d2/D1/d3"_qs);
        if (std::abs(r.tapDrill.value - (d - P)) > 1e-9)
            wrong.append(r.designation + u" d - P"_qs);
        if (!r.practiceDrill.text.isEmpty() && std::abs(r.practiceDrill.value - r.tapDrill.value) > 1e-9) {
            ++practice;
            if (!r.note.contains(r.practiceDrill.text))
                wrong.append(r.designation + u" practice drill without its note"_qs);
        }
        if (r.coarse && (coarse.contains(d) || r.designation.contains(u'x')))
            wrong.append(r.designation + u" second coarse pitch"_qs);
        if (r.coarse)
            coarse.insert(d);
        if (designations.contains(r.designation))
            wrong.append(r.designation + u" twice"_qs);
        designations.insert(r.designation);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u", "_qs)));
    QCOMPARE(coarse.size(), 40);
    QCOMPARE(practice, 4); // M4.5, M8, M9, M12
}

void TestLookupTables::everyListedFitHasItsKindAtEveryStep()
{
    // The lookup's own arithmetic against the kind the standard's figure gives each fit; a step
    // of another kind must be named in the fit's note (H6/n5 and H7/p6 at 0-3 mm).
    static const QHash<QString, FitKind> kinds = {{u"clearance"_qs, FitKind::Clearance},
                                                  {u"transition"_qs, FitKind::Transition},
                                                  {u"interference"_qs, FitKind::Interference}};
    QStringList unexplained;
    int checked = 0;
    for (const FitRow &fit : fitTables().fits) {
        const ToleranceClass hole = *parseToleranceClass(fit.hole, FitMember::Hole).toleranceClass;
        const ToleranceClass shaft = *parseToleranceClass(fit.shaft, FitMember::Shaft).toleranceClass;
        // The largest size of every step up to 500 mm, intermediate steps included.
        int over = 0;
        for (const int upto : {3,   6,   10,  14,  18,  24,  30,  40,  50,  65,  80,  100, 120,
                               140, 160, 180, 200, 225, 250, 280, 315, 355, 400, 450, 500}) {
            const QString step = QStringLiteral("%1-%2").arg(std::exchange(over, upto)).arg(upto);
            const ClassLookup h = classLimits(hole, upto * HundredthsPerMm);
            const ClassLookup s = classLimits(shaft, upto * HundredthsPerMm);
            if (!h.limits || !s.limits)
                continue;
            ++checked;
            if (fitExtremes(*h.limits, *s.limits).kind != kinds.value(fit.kind) && !fit.note.contains(step))
                unexplained.append(fit.hole + u'/' + fit.shaft + u" at "_qs + QString::number(upto));
        }
    }
    QVERIFY2(unexplained.isEmpty(), qPrintable(unexplained.join(u", "_qs)));
    QCOMPARE(checked, 78 * 25 - 2 * 6); // t and T begin above 24 mm (H7/t6, T7/h6)
}

QTEST_APPLESS_MAIN(TestLookupTables)
#include "tst_lookuptables.moc"
