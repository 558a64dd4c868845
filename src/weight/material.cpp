#include "weight/material.h"

#include "common/numbertext.h"

#include <cmath>
#include <limits>

namespace {

const QString Crlf = QStringLiteral("\r\n");
const QString MenuTitle = QStringLiteral("材  质");
const QString SteelCaption = QStringLiteral("钢  7.85g/cm3");
const QString CopperCaption = QStringLiteral("铜  8.92g/cm3");
const QString AluminiumCaption = QStringLiteral("铝  2.70g/cm3");
const QString CustomCaptionAtStart = QStringLiteral("自定义");
const QString CustomPrefix = QStringLiteral("自定义 ");
const QString DensityUnit = QStringLiteral("g/cm3");
const QString SteelPanel = QStringLiteral("钢 7.85");
const QString CopperPanel = QStringLiteral("铜 8.92");
const QString AluminiumPanel = QStringLiteral("铝 2.70");
const QString Panel1Prefix = QStringLiteral("材质密度：");
const QString CustomTitle = QStringLiteral("自定义材质");
const QString RefusalTitle = QStringLiteral("注意");

// The stored factors, not the quotients of the densities (8.92 / 7.85 would be 1.136306...).
constexpr float CopperFactor = 1.1363f;
constexpr float AluminiumFactor = 0.34395f;
constexpr float SteelDensity = 7.85f;
constexpr double SteelDensityDivisor = 7.85; // the factor is the density over this, in double

} // namespace

QString MaterialDensity::menuTitle()
{
    return MenuTitle;
}

QString MaterialDensity::customPrompt()
{
    return QStringLiteral("请输入材质密度：") + Crlf + Crlf + QStringLiteral("单位：g/cm3");
}

QString MaterialDensity::customTitle()
{
    return CustomTitle;
}

QString MaterialDensity::refusalTitle()
{
    return RefusalTitle;
}

QString MaterialDensity::refusalText()
{
    return QStringLiteral("  密度值不正确 或 取消自定义，") + Crlf + QStringLiteral("材质恢复为默认（钢）。");
}

QString MaterialDensity::customDensityText() const
{
    return singleText(m_customDensity);
}

QString MaterialDensity::caption(Material material) const
{
    switch (material) {
    case Material::Steel:
        return SteelCaption;
    case Material::Copper:
        return CopperCaption;
    case Material::Aluminium:
        return AluminiumCaption;
    case Material::Custom:
        return m_customCaption.isEmpty() ? CustomCaptionAtStart : m_customCaption;
    }
    return QString();
}

QString MaterialDensity::panel2Text() const
{
    switch (m_checked) {
    case Material::Copper:
        return CopperPanel;
    case Material::Aluminium:
        return AluminiumPanel;
    case Material::Custom:
        return CustomPrefix + singleText(m_customDensity);
    default:
        return SteelPanel;
    }
}

QString MaterialDensity::listName() const
{
    switch (m_checked) {
    case Material::Copper:
        return QStringLiteral("铜");
    case Material::Aluminium:
        return QStringLiteral("铝");
    case Material::Custom:
        return CustomPrefix + singleText(m_customDensity);
    default:
        return QStringLiteral("钢");
    }
}

QString MaterialDensity::panel2TextOnTypeSwitch() const
{
    return m_checked == Material::Custom ? caption(Material::Custom) : panel2Text();
}

MaterialChoice MaterialDensity::current() const
{
    MaterialChoice choice;
    choice.checked = m_checked;
    choice.DensityFactor = m_densityFactor;
    choice.CustomDensity = m_customDensity;
    choice.customCaption = caption(Material::Custom);
    choice.panel2Text = panel2Text();
    choice.panel2Visible = m_checked != Material::Steel;
    return choice;
}

double MaterialDensity::exactDensityFactor() const
{
    const float factor = m_checked == Material::Custom ? m_customDensity : m_densityFactor;
    const double value = readNumberStrict(singleText(factor)).value_or(static_cast<double>(factor));
    return m_checked == Material::Custom ? value / SteelDensityDivisor : value;
}

MaterialChoice MaterialDensity::apply(Material material, const QString &typedDensity)
{
    Notices notices;
    QString panel2;
    switch (material) {
    case Material::Steel:
        m_checked = material;
        m_densityFactor = 1.0f;
        panel2 = SteelPanel;
        break;
    case Material::Copper:
        m_checked = material;
        m_densityFactor = CopperFactor;
        panel2 = CopperPanel;
        break;
    case Material::Aluminium:
        m_checked = material;
        m_densityFactor = AluminiumFactor;
        panel2 = AluminiumPanel;
        break;
    case Material::Custom: {
        const QString answer = typedDensity.trimmed();
        const double value = answer.isEmpty() ? 0.0 : readNumberPrefix(answer);
        // A density must also fit a single and stay positive there: 1E+39 or 1E-50 would
        // otherwise give an infinite or zero factor.
        const bool fitsSingle = std::isfinite(value) && value <= std::numeric_limits<float>::max();
        const float density = fitsSingle ? static_cast<float>(value) : 0.0f;
        if (value > 0.0 && fitsSingle && density > 0.0f) {
            m_checked = Material::Custom;
            m_customDensity = density;
            // Divided in double and only then narrowed: a single-precision quotient is off by
            // one unit in the fifth decimal of some weights (8.4 with I-beam 12.6).
            m_densityFactor = static_cast<float>(static_cast<double>(m_customDensity) / SteelDensityDivisor);
        } else {
            notices.append(Notice{MessageIcon::Information, RefusalTitle, refusalText()});
            m_checked = Material::Steel;
            m_customDensity = SteelDensity;
            m_densityFactor = 1.0f;
        }
        m_customCaption = CustomPrefix + singleText(m_customDensity) + DensityUnit;
        panel2 = CustomPrefix + singleText(m_customDensity);
        break;
    }
    default:
        return current();
    }

    MaterialChoice choice = current();
    choice.panel2Text = panel2;
    choice.panel1Text = Panel1Prefix + caption(material);
    choice.notices = notices;
    return choice;
}
