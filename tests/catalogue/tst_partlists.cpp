// Arithmetic checks of the built-in tables against their own dimensions: a typo in a
// transcribed weight shows up as a row that disagrees with the section it describes.

#include "catalogue/partlists.h"
#include "catalogue/tableloader.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {
CalculationType typeOf(int index)
{
    return calculationTypeAt(index);
}

constexpr double SteelDensity = 7.85; // g/cm3

struct LoadedRows
{
    CatalogueState state;
    int rows = 0;
};

LoadedRows load(int type, int subType)
{
    LoadedRows loaded;
    loadTable(loaded.state, typeOf(type), subType);
    loaded.rows = loaded.state.LastRow + 1;
    return loaded;
}

double number(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        qFatal("not a number: %s", qPrintable(text));
    return value;
}

// The numbers of a size text such as "200×100×7.0×11.4" or "φ22×φ37×3".
QList<double> dimensions(const QString &sizeText)
{
    QList<double> values;
    static const QRegularExpression numberPattern(QStringLiteral("\\d+(?:\\.\\d+)?"));
    for (const QRegularExpressionMatch &m : numberPattern.globalMatch(sizeText))
        values << m.captured().toDouble();
    return values;
}
} // namespace

class TestPartLists : public QObject
{
    Q_OBJECT

private slots:
    void listItemCountCountsSeparators();
    void beamsWeighWhatTheirSectionsDo_data();
    void beamsWeighWhatTheirSectionsDo();
    void heavierVariantsDifferByTheirThickerWeb_data();
    void heavierVariantsDifferByTheirThickerWeb();
    void fastenerWeightsNeverFallWithSize_data();
    void fastenerWeightsNeverFallWithSize();
    void washersWeighWhatTheirRingsDo();
};

void TestPartLists::listItemCountCountsSeparators()
{
    static_assert(listItemCount(u"") == 1);
    static_assert(listItemCount(u"a;b;;c") == 4);
    QCOMPARE(listItemCount(IBeamTable.sizes), 37);
}

void TestPartLists::beamsWeighWhatTheirSectionsDo_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("I-beams") << 7;
    QTest::newRow("channels") << 8;
}

// Web plus two flanges, (h·d + 2·t·(b − d)) mm², underestimates a rolled section only by its
// fillets: the stored unit weight lies between 1.00 and 1.03 times that estimate.
void TestPartLists::beamsWeighWhatTheirSectionsDo()
{
    QFETCH(int, type);
    const LoadedRows loaded = load(type, 0);
    QVERIFY(loaded.rows > 0);
    for (int r = 0; r < loaded.rows; ++r) {
        const PartRow &row = loaded.state.PartTable[static_cast<std::size_t>(r)];
        const QList<double> hbdt = dimensions(row.value2);
        QCOMPARE(hbdt.size(), 4);
        const double h = hbdt[0], b = hbdt[1], d = hbdt[2], t = hbdt[3];
        const double estimate = (h * d + 2 * t * (b - d)) * SteelDensity / 1000;
        const double ratio = number(row.value1) / estimate;
        QVERIFY2(
            ratio >= 1.0 && ratio <= 1.03,
            qPrintable(
                QStringLiteral("%1: %2 kg/m is %3 × the section").arg(row.label, row.value1).arg(ratio)));
    }
}

void TestPartLists::heavierVariantsDifferByTheirThickerWeb_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("variants");
    QTest::newRow("I-beams") << 7 << 18;
    QTest::newRow("channels, 16 18 20 22 being the heavier 16a 18a 20a 22a") << 8 << 15;
}

// Within a model the b and c variants (and the channels 16, 18, 20, 22 beside 16a ... 22a)
// share height and flange thickness and only have a thicker web: the unit weight grows by
// h × Δd × 7.85 / 1000 kg/m, to the gram.
void TestPartLists::heavierVariantsDifferByTheirThickerWeb()
{
    QFETCH(int, type);
    QFETCH(int, variants);
    const LoadedRows loaded = load(type, 0);
    static const QRegularExpression modelPattern(QStringLiteral("^(\\d+(?:\\.\\d+)?)([abc]?)$"));
    QHash<QString, int> firstOfModel;
    int compared = 0;
    for (int r = 0; r < loaded.rows; ++r) {
        const PartRow &row = loaded.state.PartTable[static_cast<std::size_t>(r)];
        const QRegularExpressionMatch m = modelPattern.match(row.label);
        if (!m.hasMatch())
            continue; // the mine I-beams stand alone
        const QString model = m.captured(1);
        if (!firstOfModel.contains(model)) {
            firstOfModel.insert(model, r);
            continue;
        }
        const PartRow &base = loaded.state.PartTable[static_cast<std::size_t>(firstOfModel.value(model))];
        const QList<double> mine = dimensions(row.value2);
        const QList<double> theirs = dimensions(base.value2);
        QCOMPARE(mine[0], theirs[0]);
        QCOMPARE(mine[3], theirs[3]);
        const double expected = mine[0] * (mine[2] - theirs[2]) * SteelDensity / 1000;
        const double difference = number(row.value1) - number(base.value1);
        QVERIFY2(std::abs(difference - expected) < 0.0005 + 1e-9,
                 qPrintable(QStringLiteral("%1 - %2: %3 kg/m, the web gives %4")
                                .arg(row.label, base.label)
                                .arg(difference)
                                .arg(expected)));
        ++compared;
    }
    QCOMPARE(compared, variants);
}

void TestPartLists::fastenerWeightsNeverFallWithSize_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("subType");
    QTest::addColumn<int>("column");

    QTest::newRow("anchor bolt, fixed mass") << 1 << 0 << 1;
    QTest::newRow("anchor bolt, mass per metre") << 1 << 0 << 2;
    QTest::newRow("hexagon bolt, head") << 2 << 0 << 1;
    QTest::newRow("hexagon bolt, mass per mm") << 2 << 0 << 2;
    QTest::newRow("hexagon nut") << 3 << 0 << 1;
    QTest::newRow("washer") << 4 << 0 << 1;
    QTest::newRow("spring washer, light") << 5 << 0 << 1;
    QTest::newRow("spring washer, standard") << 5 << 1 << 1;
    QTest::newRow("spring washer, heavy") << 5 << 2 << 1;
    QTest::newRow("bevel washer for I-beams") << 6 << 0 << 1;
    QTest::newRow("bevel washer for channels") << 6 << 1 << 1;
}

void TestPartLists::fastenerWeightsNeverFallWithSize()
{
    QFETCH(int, type);
    QFETCH(int, subType);
    QFETCH(int, column);
    const LoadedRows loaded = load(type, subType);
    const auto cell = [&](int r) {
        const PartRow &row = loaded.state.PartTable[static_cast<std::size_t>(r)];
        return number(column == 1 ? row.value1 : row.value2);
    };
    for (int r = 1; r < loaded.rows; ++r) {
        const QString &label = loaded.state.PartTable[static_cast<std::size_t>(r)].label;
        QVERIFY2(cell(r) >= cell(r - 1), qPrintable(label));
        QVERIFY2(cell(r) > 0, qPrintable(label));
    }
}

// A plain washer is a flat ring: π/4 × (D² − d²) × h mm³ of steel, as its size text says.
void TestPartLists::washersWeighWhatTheirRingsDo()
{
    const LoadedRows loaded = load(4, 0);
    for (int r = 0; r < loaded.rows; ++r) {
        const PartRow &row = loaded.state.PartTable[static_cast<std::size_t>(r)];
        const QList<double> dDh = dimensions(row.value2);
        QCOMPARE(dDh.size(), 3);
        const double d = dDh[0], D = dDh[1], h = dDh[2];
        const double ring = std::numbers::pi / 4 * (D * D - d * d) * h * SteelDensity / 1000;
        // Stored to two decimals; the smallest washer is rounded up by 0.005 g.
        QVERIFY2(
            std::abs(number(row.value1) - ring) <= std::max(0.005, ring * 0.001),
            qPrintable(QStringLiteral("%1: %2 g, the ring gives %3").arg(row.label, row.value1).arg(ring)));
    }
}

QTEST_GUILESS_MAIN(TestPartLists)
#include "tst_partlists.moc"
