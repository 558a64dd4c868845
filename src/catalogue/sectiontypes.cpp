#include "catalogue/sectiontypes.h"

#include "catalogue/sectionformulas.h"
#include "catalogue/sectiontables.h"
#include "common/numbertext.h"

#include <QList>

namespace {

const QString Times = QStringLiteral("×");
const QString PrintedMassNote = QStringLiteral("  ③ 单重为标准表所印理论重量，其它参数请查阅相关手册。");
const QString TypedSizeNote = QStringLiteral("  ③ 列表为常用尺寸，可输入任意尺寸；其它参数请查阅相关手册。");

std::array<SectionTypeFacts, AllSectionTypes.size()> buildFacts()
{
    std::array<SectionTypeFacts, AllSectionTypes.size()> all{};

    SectionTypeFacts &h = all[static_cast<std::size_t>(SectionType::HBeam)];
    h.standard = QStringLiteral("GB/T 11263-2017");
    h.notes = {QStringLiteral("  ① 热轧H型钢,代号：GB/T 11263-2017。"),
               QStringLiteral("  ② 理论重量 = 截面面积 × 7.85/1000 (kg/m)，截面面积 A = t1(H－2t2) + 2B·t2 + "
                              "0.858r² (mm²)。"),
               PrintedMassNote};

    SectionTypeFacts &tube = all[static_cast<std::size_t>(SectionType::HollowSection)];
    tube.standard = QStringLiteral("GB/T 6728-2017");
    tube.notes = {
        QStringLiteral("  ① 结构用冷弯空心型钢(方管、矩形管),代号：GB/T 6728-2017。"),
        QStringLiteral("  ② 理论重量 = 截面面积 × 7.85/1000 (kg/m)，截面面积 A = 2t(H+B－2t) － "
                       "(4－π)(R²－r²) (mm²)，") +
            QStringLiteral("\r\n") +
            QStringLiteral("      外圆角 R = 2t (t≤6)、2.5t (6<t≤10)、3t (t>10)，内圆角 r = R－t。"),
        PrintedMassNote};

    SectionTypeFacts &angle = all[static_cast<std::size_t>(SectionType::UnequalAngle)];
    angle.standard = QStringLiteral("GB/T 706-2008");
    angle.notes = {QStringLiteral("  ① 热轧不等边角钢,代号：GB/T 706-2008，单重为该版所印理论重量。"),
                   QStringLiteral("  ② 理论重量 = 截面面积 × 7.85/1000 (kg/m)，截面面积 A = d(B+b－d) + "
                                  "0.215(r²－2r1²) (mm²)，边端圆弧 r1 = d/3。"),
                   PrintedMassNote};

    SectionTypeFacts &flat = all[static_cast<std::size_t>(SectionType::FlatBar)];
    flat.standard = QStringLiteral("GB/T 702-2017");
    flat.notes = {QStringLiteral("  ① 热轧扁钢,代号：GB/T 702-2017。"),
                  QStringLiteral("  ② 理论重量 = b × t × 7.85/1000 (kg/m)，b 宽度、t 厚度 (mm)，未计圆角。"),
                  QStringLiteral("  ③ 其它参数请查阅相关手册。")};

    SectionTypeFacts &square = all[static_cast<std::size_t>(SectionType::SquareBar)];
    square.standard = QStringLiteral("GB/T 702-2017");
    square.notes = {QStringLiteral("  ① 热轧方钢,代号：GB/T 702-2017。"),
                    QStringLiteral("  ② 理论重量 = a² × 7.85/1000 (kg/m)，a 边长 (mm)。"), TypedSizeNote};

    SectionTypeFacts &hexagon = all[static_cast<std::size_t>(SectionType::HexagonBar)];
    hexagon.standard = QStringLiteral("GB/T 702-2017");
    hexagon.notes = {QStringLiteral("  ① 热轧六角钢,代号：GB/T 702-2017。"),
                     QStringLiteral("  ② 理论重量 = 0.866 × s² × 7.85/1000 (kg/m)，s 对边距离 (mm)。"),
                     TypedSizeNote};

    for (SectionTypeFacts &facts : all)
        facts.standardLine = QStringLiteral("※ 标准: ") + facts.standard;
    return all;
}

// The list entries, and which table rows stand behind each, built once from the tables.
struct EntryIndex
{
    QStringList hBeams;
    QStringList hollowSizes;
    QList<QList<int>> hollowRows; // rows of each size, in table order
    QStringList angleModels;
    QList<QList<int>> angleRows;
    QStringList squareBars;
    QStringList hexagonBars;
};

template <typename Row, typename Key>
void group(const QList<Row> &rows, Key key, QStringList &entries, QList<QList<int>> &rowsOfEntry)
{
    for (int i = 0; i < rows.size(); ++i) {
        const QString k = key(rows[i]);
        qsizetype e = entries.indexOf(k);
        if (e < 0) {
            entries.append(k);
            rowsOfEntry.append(QList<int>());
            e = entries.size() - 1;
        }
        rowsOfEntry[e].append(i);
    }
}

EntryIndex buildIndex()
{
    const SectionTables &tables = sectionTables();
    EntryIndex index;
    for (const HBeamRow &row : tables.hBeams) {
        index.hBeams.append(row.series + row.H.text + Times + row.B.text + Times + row.t1.text + Times +
                            row.t2.text);
    }
    group(
        tables.hollowSections, [](const HollowSectionRow &row) { return row.H.text + Times + row.B.text; },
        index.hollowSizes, index.hollowRows);
    group(
        tables.unequalAngles, [](const UnequalAngleRow &row) { return row.designation; }, index.angleModels,
        index.angleRows);
    for (const BarSizeRow &row : tables.barSizes) {
        if (row.shape == BarShape::Square)
            index.squareBars.append(row.size.text);
        else if (row.shape == BarShape::Hexagon)
            index.hexagonBars.append(row.size.text);
    }
    return index;
}

const EntryIndex &entryIndex()
{
    static const EntryIndex index = buildIndex();
    return index;
}

const QList<int> *rowsOfEntry(SectionType type, int sizeEntry)
{
    const EntryIndex &index = entryIndex();
    const QList<QList<int>> *groups = nullptr;
    if (type == SectionType::HollowSection)
        groups = &index.hollowRows;
    else if (type == SectionType::UnequalAngle)
        groups = &index.angleRows;
    if (!groups || sizeEntry < 0 || sizeEntry >= groups->size())
        return nullptr;
    return &(*groups)[sizeEntry];
}

bool validRow(SectionType type, int row)
{
    const SectionTables &tables = sectionTables();
    switch (type) {
    case SectionType::HBeam:
        return row >= 0 && row < tables.hBeams.size();
    case SectionType::HollowSection:
        return row >= 0 && row < tables.hollowSections.size();
    case SectionType::UnequalAngle:
        return row >= 0 && row < tables.unequalAngles.size();
    default:
        return false;
    }
}

const PrintedNumber *printedMass(SectionType type, int row)
{
    if (!validRow(type, row))
        return nullptr;
    const SectionTables &tables = sectionTables();
    if (type == SectionType::HBeam)
        return &tables.hBeams[row].mass;
    if (type == SectionType::HollowSection)
        return &tables.hollowSections[row].mass;
    return &tables.unequalAngles[row].mass;
}

struct PrintedAndFormula
{
    PrintedNumber area;
    PrintedNumber mass;
    double formulaArea = 0; // mm²
};

PrintedAndFormula printedAndFormula(SectionType type, int row)
{
    const SectionTables &tables = sectionTables();
    if (type == SectionType::HBeam) {
        const HBeamRow &r = tables.hBeams[row];
        return {r.area, r.mass, hBeamArea(r)};
    }
    if (type == SectionType::HollowSection) {
        const HollowSectionRow &r = tables.hollowSections[row];
        return {r.area, r.mass, hollowSectionArea(r)};
    }
    const UnequalAngleRow &r = tables.unequalAngles[row];
    return {r.area, r.mass, unequalAngleArea(r)};
}

// "理论重量印 26.84 kg/m，公式 26.409 kg/m": the formula value at least one decimal finer than
// printed, and as many more as it takes not to round to the printed value: 10.5497 against a
// printed 10.6, where 10.55 would read as no difference at all.
QString difference(const QString &what, const PrintedNumber &printed, double formula, const QString &unit)
{
    const int decimals = printed.decimals();
    const QString printedRounded = fixedText(printed.value, decimals);
    QString shown;
    for (int finer = decimals + 1; finer <= decimals + 6; ++finer) {
        shown = fixedText(formula, finer);
        if (fixedText(readNumberPrefix(shown), decimals) != printedRounded)
            break;
    }
    return what + QStringLiteral("印 ") + printed.text + unit + QStringLiteral("，公式 ") + shown + unit;
}

} // namespace

const SectionTypeFacts &sectionTypeFacts(SectionType type)
{
    static const std::array<SectionTypeFacts, AllSectionTypes.size()> facts = buildFacts();
    return facts[static_cast<std::size_t>(type)];
}

QStringList sectionSizeEntries(SectionType type)
{
    const EntryIndex &index = entryIndex();
    switch (type) {
    case SectionType::HBeam:
        return index.hBeams;
    case SectionType::HollowSection:
        return index.hollowSizes;
    case SectionType::UnequalAngle:
        return index.angleModels;
    case SectionType::SquareBar:
        return index.squareBars;
    case SectionType::HexagonBar:
        return index.hexagonBars;
    case SectionType::FlatBar:
        break;
    }
    return {};
}

QStringList sectionSecondEntries(SectionType type, int sizeEntry)
{
    const QList<int> *rows = rowsOfEntry(type, sizeEntry);
    if (!rows)
        return {};
    const SectionTables &tables = sectionTables();
    QStringList entries;
    for (const int row : *rows) {
        entries.append(type == SectionType::HollowSection ? tables.hollowSections[row].t.text
                                                          : tables.unequalAngles[row].d.text);
    }
    return entries;
}

std::optional<int> sectionRow(SectionType type, int sizeEntry, double secondValue)
{
    if (type == SectionType::HBeam) {
        if (!validRow(type, sizeEntry))
            return std::nullopt;
        return sizeEntry;
    }
    const QList<int> *rows = rowsOfEntry(type, sizeEntry);
    if (!rows)
        return std::nullopt;
    const SectionTables &tables = sectionTables();
    for (const int row : *rows) {
        const double value = type == SectionType::HollowSection ? tables.hollowSections[row].t.value
                                                                : tables.unequalAngles[row].d.value;
        if (value == secondValue)
            return row;
    }
    return std::nullopt;
}

std::optional<double> printedUnitWeight(SectionType type, int row)
{
    if (const PrintedNumber *mass = printedMass(type, row))
        return mass->value;
    return std::nullopt;
}

QString printedUnitWeightText(SectionType type, int row)
{
    const PrintedNumber *mass = printedMass(type, row);
    return mass ? mass->text : QString();
}

QString sectionSizeText(SectionType type, int row)
{
    if (!validRow(type, row))
        return {};
    const SectionTables &tables = sectionTables();
    QStringList parts;
    if (type == SectionType::HBeam) {
        const HBeamRow &r = tables.hBeams[row];
        parts = {r.H.text, r.B.text, r.t1.text, r.t2.text, r.r.text};
    } else if (type == SectionType::HollowSection) {
        const HollowSectionRow &r = tables.hollowSections[row];
        parts = {r.H.text, r.B.text, r.t.text};
    } else {
        const UnequalAngleRow &r = tables.unequalAngles[row];
        parts = {r.B.text, r.b.text, r.d.text, r.r.text};
    }
    return parts.join(Times);
}

std::array<QString, 3> sectionNotes(SectionType type, int row)
{
    std::array<QString, 3> notes = sectionTypeFacts(type).notes;
    if (!validRow(type, row))
        return notes;
    const PrintedAndFormula values = printedAndFormula(type, row);
    QStringList differences;
    const double mass = massPerMetre(values.formulaArea);
    if (printedMatch(values.mass, mass) == PrintedMatch::Differs)
        differences.append(
            difference(QStringLiteral("理论重量"), values.mass, mass, QStringLiteral(" kg/m")));
    const double area = areaCm2(values.formulaArea);
    if (printedMatch(values.area, area) == PrintedMatch::Differs)
        differences.append(difference(QStringLiteral("截面面积"), values.area, area, QStringLiteral(" cm²")));
    if (!differences.isEmpty()) {
        notes[2] = QStringLiteral("  ③ 此规格标准表所印数值与截面公式不符：") +
                   differences.join(QStringLiteral("；")) + QStringLiteral("。单重按所印理论重量计算。");
    }
    return notes;
}
