#include "weight/sectionweight.h"

#include "common/numbertext.h"

#include <cmath>
#include <limits>

namespace {

constexpr double SteelDensity = 7.85;       // g/cm³
constexpr double HexagonAreaFactor = 0.866; // across-flats s → area 0.866·s²

// Finite and within the single range the window keeps its unit weight in.
std::optional<double> inRange(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return value;
}

// 3 decimals above 0.001, else 4, as for round bar.
QString roundedText(double value)
{
    return fixedText(value, value > 0.001 ? 3 : 4);
}

} // namespace

std::optional<SectionUnitWeight> tableUnitWeight(SectionType type, int row, double densityFactor)
{
    const std::optional<double> mass = printedUnitWeight(type, row);
    if (!mass)
        return std::nullopt;
    const std::optional<double> value = inRange(*mass * densityFactor);
    if (!value)
        return std::nullopt;
    const QString text = densityFactor == 1.0 ? printedUnitWeightText(type, row) : significantText(*value, 7);
    return SectionUnitWeight{*value, *value, text};
}

double formulaSteelMass(SectionType type, double first, double second)
{
    switch (type) {
    case SectionType::FlatBar:
        return first * second * SteelDensity / 1000;
    case SectionType::SquareBar:
        return first * first * SteelDensity / 1000;
    case SectionType::HexagonBar:
        return HexagonAreaFactor * first * first * SteelDensity / 1000;
    default:
        return 0;
    }
}

std::optional<SectionUnitWeight> formulaUnitWeight(SectionType type, double first, double second,
                                                   double densityFactor)
{
    const std::optional<double> unrounded = inRange(formulaSteelMass(type, first, second) * densityFactor);
    if (!unrounded)
        return std::nullopt;
    const std::optional<double> rounded = readNumberStrict(roundedText(*unrounded));
    if (!rounded)
        return std::nullopt;
    // The text is made again from the rounded value: 0.0005 rounds to 0.001 in three decimals
    // and is then shown in four, 0.0010.
    return SectionUnitWeight{*unrounded, *rounded, roundedText(*rounded)};
}

QString formulaSizeText(SectionType type, double first, double second)
{
    const QString times = QStringLiteral("×");
    switch (type) {
    case SectionType::FlatBar:
        return doubleText(first) + times + doubleText(second);
    case SectionType::SquareBar:
        return doubleText(first) + times + doubleText(first);
    case SectionType::HexagonBar:
        return QStringLiteral("S") + doubleText(first);
    default:
        return {};
    }
}

QStringList sectionCaptionLines(SectionType type, const SectionUnitWeight &unitWeight,
                                const QString &pieceText, const QString &sizeText)
{
    return {QStringLiteral("※ 单重: ") + unitWeight.text + QStringLiteral(" kg/m；") + pieceText +
                QStringLiteral("kg/根"),
            QStringLiteral("※ 规格: ") + sizeText, sectionTypeFacts(type).standardLine};
}
