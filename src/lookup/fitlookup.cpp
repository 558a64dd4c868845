#include "lookup/fitlookup.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

namespace Text {
const QString Hole = QStringLiteral("孔");
const QString Shaft = QStringLiteral("轴");
const QString Note1 =
    QStringLiteral("  ① 公差配合，标准：GB/T 1800.1-2020（等同 ISO 286-1:2010），标准公差 IT01～IT18，"
                   "基本偏差 a～zc、A～ZC，基本尺寸至 3150 mm。");
const QString Note2 =
    QStringLiteral("  ② 另一极限偏差 = 基本偏差 ± IT；js、JS = ±IT/2；孔 A～H：EI = −es，K～ZC：ES = −ei，"
                   "K、M、N ≤ IT8 与 P～ZC ≤ IT7 在 3～500 mm 另加 Δ；J6、J7、J8 为表列值；"
                   "M6 在 250～315 mm 为 ES = −9 µm；N 在 IT8 以上于 3～500 mm 为 0。");
const QString Note3 = QStringLiteral("  ③ 数据注释：");
const QString NoDataNotes = QStringLiteral("所用数值均与标准公式一致，无注释。");
const QString SizeMissing = QStringLiteral("请输入基本尺寸(mm)");
const QString SizeRange = QStringLiteral("基本尺寸须大于 0 且不大于 3150 mm");
const QString NoClass = QStringLiteral("请输入孔或轴的公差带代号，如 H7、g6");
const QString Clearance = QStringLiteral("间隙配合：最大间隙 %1，最小间隙 %2");
const QString Transition = QStringLiteral("过渡配合：最大间隙 %1，最大过盈 %2");
const QString Interference = QStringLiteral("过盈配合：最大过盈 %1，最小过盈 %2");
const QString Preferred = QStringLiteral("；优先配合");
const QString NotPreferred = QStringLiteral("；非优先配合");
const QString Found = QStringLiteral("已查得：");
} // namespace Text

constexpr Hundredths MaxSize = 3150 * HundredthsPerMm;
constexpr Hundredths OneMm = HundredthsPerMm;

const std::array<QStringView, 28> ShaftLetters = {
    u"a", u"b", u"c", u"cd", u"d", u"e", u"ef", u"f", u"fg", u"g", u"h", u"j",  u"js", u"k",
    u"m", u"n", u"p", u"r",  u"s", u"t", u"u",  u"v", u"x",  u"y", u"z", u"za", u"zb", u"zc"};

QString gradeText(int grade)
{
    return grade == GradeIT01 ? QStringLiteral("01") : QString::number(grade);
}

QString memberName(FitMember member)
{
    return member == FitMember::Hole ? Text::Hole : Text::Shaft;
}

const StandardToleranceRow *standardTolerance(int grade, Hundredths size)
{
    for (const StandardToleranceRow &row : fitTables().tolerances) {
        if (row.grade == grade && row.step.holds(size))
            return &row;
    }
    return nullptr;
}

// The cell of a letter for a grade at a size; a cell for the grade alone (M6) before one for a
// range of grades.
const DeviationRow *deviationCell(const QList<DeviationRow> &rows, const QString &letter, int grade,
                                  Hundredths size)
{
    const DeviationRow *found = nullptr;
    for (const DeviationRow &row : rows) {
        if (row.letter != letter || !row.step.holds(size) || !gradesInclude(row.grades, grade))
            continue;
        bool single = false;
        row.grades.toInt(&single);
        if (single)
            return &row;
        if (!found)
            found = &row;
    }
    return found;
}

// Where the table of a letter has cells for a grade: "24～3150 mm", or empty when it has none.
QString coveredSizes(const QList<DeviationRow> &rows, const QString &letter, int grade)
{
    int over = -1;
    int upto = -1;
    for (const DeviationRow &row : rows) {
        if (row.letter != letter || !gradesInclude(row.grades, grade) || row.provisional())
            continue;
        over = over < 0 ? row.step.over : std::min(over, row.step.over);
        upto = std::max(upto, row.step.upto);
    }
    return over < 0 ? QString() : QStringLiteral("%1～%2 mm").arg(over).arg(upto);
}

// What the standard leaves out for sizes up to 1 mm (its footnotes to the tables).
QString excludedUpToOneMm(const ToleranceClass &c)
{
    const QString letter = c.letter.toLower();
    if (letter == u"a" || letter == u"b")
        return QStringLiteral("基本尺寸 ≤ 1 mm 不用基本偏差 %1").arg(c.letter);
    if (c.grade >= 14)
        return QStringLiteral("基本尺寸 ≤ 1 mm 不用 IT14～IT18");
    if (c.letter == u"N" && c.grade > 8)
        return QStringLiteral("基本尺寸 ≤ 1 mm 不用 IT8 以上的 N");
    return {};
}

QStringList withNote(QStringList notes, const QString &what, const QString &note)
{
    if (!note.isEmpty())
        notes.append(what + QStringLiteral("：") + note);
    return notes;
}

QString classLine(const ToleranceClass &c, Hundredths size, const ClassLimits &limits)
{
    return QStringLiteral("%1 Φ%2%3：%4 / %5，极限尺寸 %6 / %7")
        .arg(memberName(c.member), sizeText(size), c.text(), millimetreText(limits.upper, true),
             millimetreText(limits.lower, true), millimetreText(size + limits.upper, false),
             millimetreText(size + limits.lower, false));
}

QString drawingText(const ToleranceClass &c, const ClassLimits &limits)
{
    return QStringLiteral("%1(%2/%3)")
        .arg(c.text(), millimetreText(limits.upper, true), millimetreText(limits.lower, true));
}

} // namespace

QString ToleranceClass::text() const
{
    return letter + gradeText(grade);
}

ParsedClass parseToleranceClass(QStringView text, FitMember member)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z]{1,2})(\\d{0,2})$"));
    const QString trimmed = text.trimmed().toString();
    const QRegularExpressionMatch match = pattern.match(trimmed);
    const QString name = memberName(member);
    if (!match.hasMatch())
        return {std::nullopt,
                QStringLiteral("%1的公差带代号应为字母加公差等级，如 %2")
                    .arg(name, member == FitMember::Hole ? QStringLiteral("H7") : QStringLiteral("g6"))};
    const QString lower = match.captured(1).toLower();
    if (std::find(ShaftLetters.begin(), ShaftLetters.end(), lower) == ShaftLetters.end())
        return {std::nullopt, QStringLiteral("%1的基本偏差没有 %2").arg(name, match.captured(1))};
    const QString digits = match.captured(2);
    if (digits.isEmpty())
        return {std::nullopt, QStringLiteral("请输入%1的公差等级（01、0、1～18）").arg(name)};
    const int grade = digits == u"01" ? GradeIT01 : digits.toInt();
    if (grade > 18 || (digits.size() == 2 && digits.startsWith(u'0') && digits != u"01"))
        return {std::nullopt, QStringLiteral("没有公差等级 IT%1（IT01、IT0、IT1～IT18）").arg(digits)};
    ToleranceClass c{member, member == FitMember::Hole ? lower.toUpper() : lower, grade};
    return {c, {}};
}

ClassLookup classLimits(const ToleranceClass &c, Hundredths size)
{
    const QString name = memberName(c.member) + u' ' + c.text();
    if (size <= OneMm) {
        if (const QString excluded = excludedUpToOneMm(c); !excluded.isEmpty())
            return {std::nullopt, name + QStringLiteral("：") + excluded};
    }
    const StandardToleranceRow *it = standardTolerance(c.grade, size);
    if (!it) {
        return {
            std::nullopt,
            c.grade <= 0
                ? QStringLiteral("%1：标准只给出 500 mm 以内的 IT%2").arg(name, gradeText(c.grade))
                : QStringLiteral("%1：标准未给出 Φ%2 的 IT%3").arg(name, sizeText(size), gradeText(c.grade))};
    }
    ClassLimits limits;
    limits.notes = withNote({}, QStringLiteral("IT%1").arg(gradeText(c.grade)), it->note);
    const QString itName =
        QStringLiteral("IT%1 = %2").arg(gradeText(c.grade), millimetreText(it->value, false));
    if (c.letter.compare(u"js", Qt::CaseInsensitive) == 0) {
        limits.upper = it->value / 2;
        limits.lower = -limits.upper;
        limits.rule = QStringLiteral("%1：±IT/2，%2").arg(c.text(), itName);
        return {limits, {}};
    }
    const bool hole = c.member == FitMember::Hole;
    const QList<DeviationRow> &rows = hole ? fitTables().holes : fitTables().shafts;
    const DeviationRow *cell = deviationCell(rows, c.letter, c.grade, size);
    if (!cell) {
        const QString covered = coveredSizes(rows, c.letter, c.grade);
        return {std::nullopt, covered.isEmpty()
                                  ? QStringLiteral("%1：标准未给出此公差等级的基本偏差").arg(name)
                                  : QStringLiteral("%1：标准在 Φ%2 未给出基本偏差（只有 %3）")
                                        .arg(name, sizeText(size), covered)};
    }
    if (cell->provisional()) {
        int from = cell->step.over;
        for (const DeviationRow &row : rows) {
            if (row.letter == c.letter && row.provisional())
                from = std::min(from, row.step.over);
        }
        return {std::nullopt,
                QStringLiteral("%1：%2 mm 以上的基本偏差尚待核对，暂不提供").arg(name).arg(from)};
    }
    limits.notes = withNote(limits.notes, cell->letter + QStringLiteral(" 基本偏差"), cell->note);
    Hundredths deviation = cell->value;
    QString how = QStringLiteral("%1 = %2").arg(cell->deviation, millimetreText(cell->value, true));
    if (cell->plusDelta) {
        const auto delta =
            std::find_if(fitTables().deltas.begin(), fitTables().deltas.end(),
                         [&](const DeltaRow &d) { return d.grade == c.grade && d.step.holds(size); });
        if (delta == fitTables().deltas.end())
            return {std::nullopt,
                    QStringLiteral("%1：标准未给出 IT%2 的 Δ 值").arg(name, gradeText(c.grade))};
        deviation += delta->value;
        how = QStringLiteral("%1 = %2 + Δ(%3) = %4")
                  .arg(cell->deviation, millimetreText(cell->value, true),
                       millimetreText(delta->value, false), millimetreText(deviation, true));
        limits.notes = withNote(limits.notes, QStringLiteral("Δ"), delta->note);
    }
    // The printed deviation is es (a…h) or EI (A…H), the upper or lower limit; the other limit
    // lies one IT away.
    const bool upper = cell->deviation == u"es" || cell->deviation == u"ES";
    limits.upper = upper ? deviation : deviation + it->value;
    limits.lower = upper ? deviation - it->value : deviation;
    const QString other = upper ? (hole ? QStringLiteral("EI") : QStringLiteral("ei"))
                                : (hole ? QStringLiteral("ES") : QStringLiteral("es"));
    limits.rule =
        QStringLiteral("%1：%2，%3 = %4 %5 IT%6 = %7（%8）")
            .arg(c.text(), how, other, cell->deviation, upper ? QStringLiteral("−") : QStringLiteral("+"),
                 gradeText(c.grade), millimetreText(upper ? limits.lower : limits.upper, true), itName);
    return {limits, {}};
}

FitExtremes fitExtremes(const ClassLimits &hole, const ClassLimits &shaft)
{
    const Hundredths most = hole.upper - shaft.lower;  // largest clearance (or smallest interference)
    const Hundredths least = hole.lower - shaft.upper; // smallest clearance (or largest interference)
    if (least >= 0)
        return {FitKind::Clearance, most, least};
    if (most <= 0)
        return {FitKind::Interference, least, most};
    return {FitKind::Transition, most, least};
}

FitStanding fitStanding(const QString &hole, const QString &shaft)
{
    FitStanding standing = FitStanding::NotListed;
    for (const FitRow &fit : fitTables().fits) {
        if (fit.hole == hole && fit.shaft == shaft) {
            if (fit.preferred)
                return FitStanding::Preferred;
            standing = FitStanding::Listed;
        }
    }
    return standing;
}

LookupAnswer lookUpFit(QStringView sizeBox, QStringView holeBox, QStringView shaftBox)
{
    LookupAnswer answer;
    answer.notes = {Text::Note1, Text::Note2, Text::Note3 + Text::NoDataNotes};
    const auto fail = [&answer](const QString &why) {
        answer.lines.append(why);
        answer.failed = true;
        answer.status = why;
        return answer;
    };
    if (sizeBox.trimmed().isEmpty())
        return fail(Text::SizeMissing);
    const std::optional<Hundredths> size = scaledNumber(sizeBox, 5);
    if (!size || *size <= 0 || *size > MaxSize)
        return fail(Text::SizeRange);

    struct Side
    {
        ToleranceClass c;
        ClassLimits limits;
    };
    std::array<std::optional<Side>, 2> sides;
    QStringList missing;
    QStringList rules;
    QStringList notes;
    const std::array<QStringView, 2> boxes = {holeBox, shaftBox};
    for (std::size_t i = 0; i < 2; ++i) {
        if (boxes[i].trimmed().isEmpty())
            continue;
        const FitMember member = i == 0 ? FitMember::Hole : FitMember::Shaft;
        const ParsedClass parsed = parseToleranceClass(boxes[i], member);
        if (!parsed.toleranceClass) {
            missing.append(parsed.problem);
            continue;
        }
        const ClassLookup found = classLimits(*parsed.toleranceClass, *size);
        if (!found.limits) {
            missing.append(found.missing);
            continue;
        }
        sides[i] = Side{*parsed.toleranceClass, *found.limits};
        answer.lines.append(classLine(sides[i]->c, *size, sides[i]->limits));
        rules.append(found.limits->rule);
        notes.append(found.limits->notes);
    }
    if (!rules.isEmpty())
        answer.notes[1] = Text::Note2 + QStringLiteral("\r\n      本次：") + rules.join(QStringLiteral("；"));
    if (!notes.isEmpty())
        answer.notes[2] = Text::Note3 + notes.join(QStringLiteral("；"));
    if (!missing.isEmpty()) {
        answer.lines.append(missing);
        answer.failed = true;
        answer.status = missing.join(QStringLiteral("；"));
        return answer;
    }
    if (!sides[0] && !sides[1])
        return fail(Text::NoClass);

    QStringList drawing;
    for (const std::optional<Side> &side : sides) {
        if (side)
            drawing.append(drawingText(side->c, side->limits));
    }
    answer.result = drawing.join(u' ');
    if (sides[0] && sides[1]) {
        const FitExtremes fit = fitExtremes(sides[0]->limits, sides[1]->limits);
        const QString &pattern = fit.kind == FitKind::Clearance    ? Text::Clearance
                                 : fit.kind == FitKind::Transition ? Text::Transition
                                                                   : Text::Interference;
        const FitStanding standing = fitStanding(sides[0]->c.text(), sides[1]->c.text());
        answer.lines.append(pattern.arg(millimetreText(fit.first, true), millimetreText(fit.second, true)) +
                            (standing == FitStanding::Preferred ? Text::Preferred : Text::NotPreferred));
    }
    answer.status = Text::Found + answer.result;
    return answer;
}

QStringList classEntries(FitMember member)
{
    const bool hole = member == FitMember::Hole;
    QStringList entries;
    for (const PreferredClassRow &row : fitTables().classes) {
        if (row.hole == hole && !entries.contains(row.toleranceClass))
            entries.append(row.toleranceClass);
    }
    for (const FitRow &fit : fitTables().fits) {
        const QString &c = hole ? fit.hole : fit.shaft;
        if (!entries.contains(c))
            entries.append(c);
    }
    return entries;
}
