#include "weight/weightcomputation.h"

#include "common/errorvalue.h"
#include "common/numbertext.h"
#include "expression/jingdu.h"
#include "weight/sectionweight.h"
#include "weight/weightboxcheck.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString Crlf = QStringLiteral("\r\n");
const QString EntryCheckCaption = QStringLiteral("◆ 「参数」 必须大于0 ◆");
const QString AngleCheckCaption = QStringLiteral("◆ 边宽 > 边厚 ◆");
const QString AngleCheckResult = QStringLiteral("边宽 > 边厚");
const QString PipeCheckCaption = QStringLiteral("◆ 外径 > 2×壁厚 ◆");
const QString PipeCheckResult = QStringLiteral("外径 > 2×壁厚");
const QString UnitWeightLabel = QStringLiteral("※ 单重: ");
const QString PerPiece = QStringLiteral(" kg/个");
const QString PerMetre = QStringLiteral(" kg/m");
const QString SizeLabel = QStringLiteral("※ 规格: ");
const QString ProductNoteArea = QStringLiteral("※ [面积] 可进行乘法运算");
const QString ProductNoteLength = QStringLiteral("※ [长度] 可进行乘法运算");
const QString TooLarge = QStringLiteral("数值过大");
const QString CannotCalculate = QStringLiteral("无法计算");
// Size texts of the material list for the types typed by dimension.
const QString DiameterSign = QStringLiteral("φ");
const QString ThicknessSign = QStringLiteral("δ");
const QString Times = QStringLiteral("×");

// Reserved foundation holes of the anchor bolts, by row (M10* .. M48).
const QString ReservedHoleSizes =
    QStringLiteral("80×80;80×80;100×100;120×120;140×140;140×140;180×180;180×180;220×220");

// Round bar: 3.1416 / 4 × 7.85 / 1000; pipe: 3.1416 × 7.85 / 1000 kept to seven digits.
constexpr double RoundBarFactor = 0.00616539;
constexpr double PipeFactor = 0.0246615;
constexpr double SteelDensity = 7.85;

// Each step either produces its value or fails; a failing step leaves its target alone.
using Step = std::optional<double>;

Step finite(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// Storing into a single overflows beyond its range, as any numeric overflow the step fails.
std::optional<float> toSingle(Step value)
{
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}

Step strictValue(const QString &text)
{
    const std::optional<double> value = readNumberStrict(text);
    if (!value)
        return std::nullopt;
    return finite(*value);
}

std::optional<QString> formatted(Step value, PrecisionMode precisionMode)
{
    if (!value)
        return std::nullopt;
    return JingDu(*value, precisionMode);
}

class WeightRun
{
public:
    WeightRun(const WeightInputs &inputs, const WeightDisplay &previous)
        : m_in(inputs), m_record(typeRecord(inputs.type))
    {
        m_out.display = previous;
    }

    WeightOutcome run();

private:
    double prefix(int box) const { return readNumberPrefix(m_in.boxTexts[box]); }
    double quantity() const { return prefix(3); }
    // A dimension counts by the number its text begins with, as the entry check read it
    // ("3abc" is 3 mm); nothing when that number lies beyond the double range.
    Step dimension(int box) const { return finite(prefix(box)); }
    double factor() const { return static_cast<double>(m_in.DensityFactor); }
    double unit() const { return static_cast<double>(m_out.display.UnitWeight); }

    const PartRow *row() const
    {
        if (!m_in.catalogue || m_row < 0 || m_row >= static_cast<int>(m_in.catalogue->PartTable.size()))
            return nullptr;
        return &m_in.catalogue->PartTable[static_cast<std::size_t>(m_row)];
    }
    Step t1() const { return row() ? strictValue(row()->value1) : std::nullopt; }
    Step t2() const { return row() ? strictValue(row()->value2) : std::nullopt; }
    std::optional<QString> t2Text() const
    {
        if (!row())
            return std::nullopt;
        return row()->value2;
    }

    bool storeUnitWeight(Step value)
    {
        const std::optional<float> single = toSingle(value);
        if (single)
            m_out.display.UnitWeight = *single;
        return single.has_value();
    }

    // The type's formula step; only a unit weight computed in this run goes on a list line.
    bool computeUnitWeight(Step value) { return m_unitComputed = storeUnitWeight(value); }

    // The unit weight becomes the single value of its F3 or F4 text.
    void roundUnitWeight(bool alwaysThree)
    {
        const float u = m_out.display.UnitWeight;
        const int decimals = alwaysThree ? 3 : unitWeightDecimals(u);
        storeUnitWeight(strictValue(unitWeightText(u, decimals)));
    }

    QString unitText(bool alwaysThree = false) const
    {
        const float u = m_out.display.UnitWeight;
        return unitWeightText(u, alwaysThree ? 3 : unitWeightDecimals(u));
    }

    void setCaption(const QStringList &lines) { m_out.display.caption = lines.join(Crlf); }

    bool setTotal(Step total)
    {
        const std::optional<QString> text = formatted(total, m_in.precisionMode);
        if (text)
            m_out.display.resultText = *text;
        return m_totalSet = text.has_value();
    }

    // The piece weight text P of types 7 to 10 and the section types.
    bool setPiece(Step piece)
    {
        const std::optional<QString> text = formatted(piece, m_in.precisionMode);
        m_piece = text.value_or(QString());
        return text.has_value();
    }

    Step pieceTotal() const
    {
        const Step piece = strictValue(m_piece);
        return piece ? finite(*piece * quantity()) : std::nullopt;
    }

    Step evaluated(int box)
    {
        if (!m_in.evaluate)
            return std::nullopt;
        const Step value = strictValue(m_in.evaluate(m_in.boxTexts[static_cast<std::size_t>(box)]));
        m_evaluated[static_cast<std::size_t>(box)] = value;
        return value;
    }

    // A product still being typed ("6000*", "*2") ends the run with an empty result.
    bool incompleteProduct(int box)
    {
        const QString text = m_in.boxTexts[box].trimmed();
        if (text.startsWith(QLatin1Char('*')) || text.endsWith(QLatin1Char('*'))) {
            m_out.display.resultText.clear();
            return true;
        }
        return false;
    }

    WeightOutcome refuse(const QString &caption, const QString &result)
    {
        m_out.captionRed = true;
        m_out.display.caption = Crlf + caption;
        m_out.display.resultText = result;
        return m_out;
    }

    // A step failed on what box `box` holds: no result, no line, and the box is named in red.
    WeightOutcome faultAt(int box, const QString &what)
    {
        const QString caption = m_record.rows[static_cast<std::size_t>(box)].caption.toString();
        const QString name = u'「' + caption.left(caption.size() - 1) + u'」';
        m_out.faultBox = box;
        m_out.faultStatus = name + what + u'！';
        m_out.captionRed = true;
        m_out.display.caption = Crlf + QStringLiteral("◆ ") + name + u' ' + what + QStringLiteral(" ◆");
        m_out.display.resultText.clear();
        m_out.line.reset();
        m_out.completed = false;
        return m_out;
    }

    // A product the evaluator refused; it has shown its own message why.
    WeightOutcome unevaluated(int box) { return faultAt(box, CannotCalculate); }

    // A step whose arithmetic overflowed: of the boxes it read, the one of the largest value.
    WeightOutcome overflow(std::initializer_list<int> boxes)
    {
        int blamed = *boxes.begin();
        double largest = -1;
        for (const int box : boxes) {
            const std::optional<double> evaluatedValue = m_evaluated[static_cast<std::size_t>(box)];
            const double value = std::fabs(evaluatedValue ? *evaluatedValue : prefix(box));
            if (value > largest) {
                largest = value;
                blamed = box;
            }
        }
        return faultAt(blamed, TooLarge);
    }

    WeightOutcome completed()
    {
        m_out.completed = true;
        return m_out;
    }

    // A completed run whose unit weight and total both came from this run's inputs offers
    // its line to the material list.
    WeightOutcome completed(const QString &sizeText, double lengthOrArea, double quantity, float unitWeight,
                            UnitBasis basis)
    {
        if (m_unitComputed && m_totalSet) {
            CalculatorLine line;
            line.typeCaption = m_record.caption.toString();
            line.sizeText = sizeText.trimmed();
            line.lengthOrArea = lengthOrArea;
            line.quantity = quantity;
            line.unitWeight = m_lineUnitWeight.value_or(unitWeightOfSingle(unitWeight));
            line.basis = basis;
            m_out.line = line;
        }
        return completed();
    }

    // The size as the size box shows it: the type's prefix and the row's label ("Ⅰ12.6").
    QString entryText() const { return row() ? m_record.entryPrefix.toString() + row()->label : QString(); }

    WeightOutcome anchorBolt();
    WeightOutcome hexBolt();
    WeightOutcome piecePart();
    WeightOutcome beam();
    WeightOutcome roundBar();
    WeightOutcome plate();
    WeightOutcome angle();
    WeightOutcome pipe();
    WeightOutcome sectionTable();
    WeightOutcome sectionFormula();
    WeightOutcome sectionPieceAndTotal(const SectionUnitWeight &unitWeight, const QString &sizeText,
                                       const QString &listedAs);

    QString standardLine(std::size_t k) const { return m_record.standardLines[k].toString(); }

    const WeightInputs &m_in;
    const CalculationTypeRecord &m_record;
    WeightOutcome m_out;
    int m_row = -1;
    QString m_piece;
    bool m_unitComputed = false;
    bool m_totalSet = false;
    std::array<Step, 4> m_evaluated{}; // the values of the boxes the evaluator read
    Step m_lineUnitWeight;             // the unit weight of the section types, kept in double
};

WeightOutcome WeightRun::run()
{
    if (!weightEntriesPositive(m_in.boxTexts, m_record.section.typedSizeBox)) {
        m_out.captionRed = true;
        m_out.disableCmdOK = true;
        m_out.display.caption = Crlf + EntryCheckCaption;
        return m_out;
    }
    // Types whose size box is CombSR(0) read their row from it.
    if (m_record.sizeBoxIndex == 0)
        m_row = m_in.listIndex[0];

    switch (m_record.weightRule) {
    case WeightRule::None:
        return completed();
    case WeightRule::AnchorBolt:
        return anchorBolt();
    case WeightRule::HexBolt:
        return hexBolt();
    case WeightRule::PiecePart:
        return piecePart();
    case WeightRule::Beam:
        return beam();
    case WeightRule::RoundBar:
        return roundBar();
    case WeightRule::Plate:
        return plate();
    case WeightRule::Angle:
        return angle();
    case WeightRule::Pipe:
        return pipe();
    case WeightRule::SectionTable:
        return sectionTable();
    case WeightRule::SectionFormula:
        return sectionFormula();
    }
    return completed();
}

WeightOutcome WeightRun::anchorBolt()
{
    // T1 in kg per bolt, T2 in kg per metre of length.
    const Step length = dimension(2);
    if (!length)
        return overflow({2});
    const Step a = t1();
    const Step b = t2();
    if (a && b && !computeUnitWeight(finite((*a + *b * *length / 1000) * factor())))
        return overflow({2});
    roundUnitWeight(true);

    const QStringList holes = ReservedHoleSizes.split(QLatin1Char(';'));
    if (m_row >= 0 && m_row < holes.size()) {
        setCaption({UnitWeightLabel + unitText(true) + QStringLiteral(" kg/个；"),
                    QStringLiteral("※ 预留孔尺寸: ") + holes[m_row], standardLine(0)});
    }
    if (!setTotal(finite(unit() * quantity())))
        return overflow({3});
    return completed(entryText(), *length, quantity(), m_out.display.UnitWeight, UnitBasis::PerPiece);
}

WeightOutcome WeightRun::hexBolt()
{
    // T1 in g per bolt (head), T2 in g per mm of length; the unit weight is the formatted
    // text read back, so a coarse precision mode rounds the unit weight itself.
    const Step length = dimension(2);
    if (!length)
        return overflow({2});
    const Step a = t1();
    const Step b = t2();
    if (a && b) {
        const std::optional<QString> text =
            formatted(finite((*b * *length + *a) * factor() / 1000), m_in.precisionMode);
        if (!text || !computeUnitWeight(strictValue(*text)))
            return overflow({2});
    }
    setCaption({UnitWeightLabel + unitText() + PerPiece, standardLine(0), standardLine(1)});
    if (!setTotal(finite(unit() * quantity())))
        return overflow({3});
    return completed(entryText(), *length, quantity(), m_out.display.UnitWeight, UnitBasis::PerPiece);
}

WeightOutcome WeightRun::piecePart()
{
    // Nuts and washers: T1 in g per piece; T2, where the table has it, is the size text.
    if (const Step a = t1())
        computeUnitWeight(finite(*a * factor() / 1000));
    roundUnitWeight(false);

    QStringList lines{UnitWeightLabel + unitText() + PerPiece};
    // A washer is known by the dimensions its caption shows, a nut by its size.
    QString listSize = entryText();
    const PartLists *table = partTableOf(m_record, m_in.subType);
    if (table && !table->column2.isNull()) {
        const std::optional<QString> sizeText = t2Text();
        if (!sizeText) {
            if (!setTotal(finite(unit() * quantity())))
                return overflow({3});
            return completed();
        }
        lines.append(SizeLabel + *sizeText);
        listSize = *sizeText;
    }
    if (m_record.subTypes.empty()) {
        for (std::size_t k = 0; k < m_record.standardLines.size(); ++k) {
            if (!m_record.standardLines[k].isEmpty())
                lines.append(standardLine(k));
        }
    } else {
        // Without a selected series or kind the record's own line stands in.
        const bool picked = m_in.subType >= 0 && m_in.subType < static_cast<int>(m_record.subTypes.size());
        lines.append(picked
                         ? m_record.subTypes[static_cast<std::size_t>(m_in.subType)].standardLine.toString()
                         : standardLine(0));
    }
    setCaption(lines);
    if (!setTotal(finite(unit() * quantity())))
        return overflow({3});
    return completed(listSize, 0, quantity(), m_out.display.UnitWeight, UnitBasis::PerPiece);
}

WeightOutcome WeightRun::beam()
{
    // T1 in kg/m; the unit weight is shown as its single text, unrounded.
    if (const Step a = t1())
        computeUnitWeight(finite(*a * factor()));
    if (!setPiece(finite(unit() * prefix(2) / 1000)))
        return overflow({2});

    if (const std::optional<QString> sizeText = t2Text()) {
        // Rows 0 to 2 of the I-beam table are the mining I-beams, with a standard of their own.
        const bool mining = m_row < 3 && !m_record.standardLines[1].isEmpty();
        const QString standard = standardLine(mining ? 1 : 0);
        setCaption({UnitWeightLabel + singleText(m_out.display.UnitWeight) + QStringLiteral(" kg/m；") +
                        m_piece + QStringLiteral("kg/根"),
                    SizeLabel + *sizeText, standard});
    }
    if (!setTotal(pieceTotal()))
        return overflow({2, 3});
    return completed(entryText(), prefix(2), quantity(), m_out.display.UnitWeight, UnitBasis::PerMetre);
}

WeightOutcome WeightRun::roundBar()
{
    const Step d = dimension(1);
    if (!d)
        return overflow({1});
    if (!computeUnitWeight(finite(*d * *d * factor() * RoundBarFactor)))
        return overflow({1});
    // The piece weight comes from the unrounded unit weight, and so does the list's weight.
    const float unrounded = m_out.display.UnitWeight;
    if (!setPiece(finite(unit() * prefix(2) / 1000)))
        return overflow({2});
    roundUnitWeight(false);
    setCaption({UnitWeightLabel + unitText() + QStringLiteral(" kg/m；") + m_piece + QStringLiteral("kg/根"),
                standardLine(0)});
    if (!setTotal(pieceTotal()))
        return overflow({2, 3});
    return completed(DiameterSign + doubleText(*d), prefix(2), quantity(), unrounded, UnitBasis::PerMetre);
}

WeightOutcome WeightRun::plate()
{
    const double thickness = prefix(1);
    if (!computeUnitWeight(finite(thickness * factor() * SteelDensity)))
        return overflow({1});
    // The piece weight is computed from the unrounded unit weight, and so is the list's weight.
    const float unrounded = m_out.display.UnitWeight;
    roundUnitWeight(false);
    if (incompleteProduct(2))
        return m_out;

    // Area in mm², possibly a product such as 1000*2000.
    const Step area = evaluated(2);
    if (!area)
        return unevaluated(2);
    if (!setPiece(finite(*area * thickness * SteelDensity * factor() / 1000000)))
        return overflow({1, 2});
    setCaption(
        {UnitWeightLabel + unitText() + QStringLiteral(" kg/m^2；") + m_piece + QStringLiteral(" kg/块"),
         standardLine(0), ProductNoteArea});
    if (!setTotal(pieceTotal()))
        return overflow({2, 3});
    return completed(ThicknessSign + doubleText(thickness), *area, quantity(), unrounded,
                     UnitBasis::PerSquareMetre);
}

WeightOutcome WeightRun::angle()
{
    const double width = prefix(1);
    const double thickness = prefix(2);
    if (!(width > thickness))
        return refuse(AngleCheckCaption, AngleCheckResult);

    m_row = angleRow(m_in);
    // Section in mm²: two legs less the shared square, plus the fillet of radius R.
    if (const Step radius = t2()) {
        const double section = 2 * width * thickness - thickness * thickness + *radius * *radius / 5;
        if (!computeUnitWeight(finite(section * SteelDensity / 1000 * factor())))
            return overflow({1, 2});
    }
    roundUnitWeight(false);
    setCaption({UnitWeightLabel + unitText() + PerMetre, standardLine(0), ProductNoteLength});
    if (incompleteProduct(3))
        return m_out;
    // No quantity box: a length typed as a product (6000*4) is the total length of one row.
    const Step length = evaluated(3);
    if (!length)
        return unevaluated(3);
    if (!setTotal(finite(*length * unit() / 1000)))
        return overflow({3});
    return completed(doubleText(width) + Times + doubleText(thickness), *length, 1, m_out.display.UnitWeight,
                     UnitBasis::PerMetre);
}

WeightOutcome WeightRun::pipe()
{
    if (!(2 * prefix(2) < prefix(1)))
        return refuse(PipeCheckCaption, PipeCheckResult);

    const Step diameter = dimension(1);
    const Step wall = dimension(2);
    if (!diameter || !wall)
        return overflow({1, 2});
    if (!computeUnitWeight(finite(*wall * (*diameter - *wall) * factor() * PipeFactor)))
        return overflow({1, 2});
    roundUnitWeight(false);
    setCaption({UnitWeightLabel + unitText() + PerMetre, standardLine(0), ProductNoteLength});
    if (incompleteProduct(3))
        return m_out;
    const Step length = evaluated(3);
    if (!length)
        return unevaluated(3);
    if (!setTotal(finite(*length * unit() / 1000)))
        return overflow({3});
    return completed(DiameterSign + doubleText(*diameter) + Times + doubleText(*wall), *length, 1,
                     m_out.display.UnitWeight, UnitBasis::PerMetre);
}

WeightOutcome WeightRun::sectionTable()
{
    // The row is the picked size and, where the size has several, the typed wall or leg
    // thickness; the unit weight is the printed kg/m, never rounded.
    const SectionType section = *m_record.section.type;
    const int dependentBox = m_record.section.dependentBox;
    const double second = dependentBox >= 0 ? prefix(dependentBox) : 0;
    const std::optional<int> row = sectionRow(section, m_in.listIndex[0], second);
    m_out.notes = sectionNotes(section, row.value_or(-1));
    if (!row) {
        // A size is picked but has no such wall or thickness: say so rather than keep a weight
        // that belongs to another row.
        if (dependentBox >= 0 && m_in.listIndex[0] >= 0) {
            const QString missing = m_record.section.missingRow.toString();
            return refuse(QStringLiteral("◆ ") + missing + QStringLiteral(" ◆"), missing);
        }
        return m_out;
    }
    m_out.sectionRow = *row;
    const std::optional<SectionUnitWeight> unitWeight =
        tableUnitWeight(section, *row, m_in.exactDensityFactor);
    if (!unitWeight) {
        // Only a density beyond all reason gets here: no box to name, but no stale total either.
        m_out.display.resultText.clear();
        return m_out;
    }
    return sectionPieceAndTotal(
        *unitWeight, sectionSizeText(section, *row),
        // An H-beam is listed by its designation with the series
        // ("HW200×200×8×12"); the other sections by their dimensions.
        dependentBox < 0 ? m_in.boxTexts[static_cast<std::size_t>(m_record.sizeBoxIndex)] : QString());
}

WeightOutcome WeightRun::sectionFormula()
{
    // The dimensions are the size box and, for a flat bar, the thickness box after it; square
    // and hexagon bar use only the first.
    const SectionType section = *m_record.section.type;
    const int firstBox = m_record.sizeBoxIndex;
    const bool flat = section == SectionType::FlatBar;
    const double first = prefix(firstBox);
    const double second = flat ? prefix(firstBox + 1) : 0;
    m_out.notes = sectionNotes(section);
    const std::optional<SectionUnitWeight> unitWeight =
        formulaUnitWeight(section, first, second, m_in.exactDensityFactor);
    if (!unitWeight)
        return flat ? overflow({firstBox, firstBox + 1}) : overflow({firstBox});
    return sectionPieceAndTotal(*unitWeight, formulaSizeText(section, first, second), QString());
}

// The section types in double from the unit weight to the total: the piece weight from the
// unrounded unit weight, the total from the piece weight as shown, as for round bar.
WeightOutcome WeightRun::sectionPieceAndTotal(const SectionUnitWeight &unitWeight, const QString &sizeText,
                                              const QString &listedAs)
{
    m_out.display.UnitWeight = static_cast<float>(unitWeight.value);
    m_unitComputed = true;
    if (!setPiece(finite(unitWeight.unrounded * prefix(2) / 1000)))
        return overflow({2});
    setCaption(sectionCaptionLines(*m_record.section.type, unitWeight, m_piece, sizeText));
    if (!setTotal(pieceTotal()))
        return overflow({2, 3});
    m_lineUnitWeight = unitWeight.unrounded;
    return completed(listedAs.isEmpty() ? sizeText : listedAs, prefix(2), quantity(),
                     m_out.display.UnitWeight, UnitBasis::PerMetre);
}

} // namespace

int angleRow(const WeightInputs &inputs)
{
    int r = inputs.listIndex[1];
    if (r == -1 && !inputs.sizeBoxEntries.isEmpty()) {
        // A typed width takes the first entry at least as wide; numbers, not texts, are
        // compared, so "100" does not match "20".
        const double width = readNumberPrefix(inputs.boxTexts[1]);
        r = static_cast<int>(inputs.sizeBoxEntries.size()) - 1;
        for (int i = 0; i < inputs.sizeBoxEntries.size(); ++i) {
            if (readNumberPrefix(inputs.sizeBoxEntries[i]) >= width) {
                r = i;
                break;
            }
        }
    }
    return r < 0 ? 0 : r;
}

int unitWeightDecimals(float unitWeight)
{
    return unitWeight > 0.001f ? 3 : 4;
}

QString unitWeightText(float unitWeight, int decimals)
{
    // Round on the single's own decimal value (7 digits), the value the user reads.
    const std::optional<double> value = readNumberStrict(singleText(unitWeight));
    return fixedText(value.value_or(static_cast<double>(unitWeight)), decimals);
}

WeightOutcome computeWeight(const WeightInputs &inputs, const WeightDisplay &previous)
{
    return WeightRun(inputs, previous).run();
}
