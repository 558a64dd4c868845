#pragma once

#include "common/choices.h"
#include "common/notice.h"

#include <QString>

// The material menu: steel, copper, aluminium or a density typed by the user. All built-in
// weights are for steel; the chosen material turns into DensityFactor, by which every unit
// weight is scaled.

// What one choice in the material menu leaves behind, for the window to show.
struct MaterialChoice
{
    Material checked = Material::Steel; // the one checked item after the choice
    float DensityFactor = 1.0f;
    float CustomDensity = 7.85f; // g/cm3, the last accepted custom density
    QString customCaption;       // caption of the custom menu item
    QString panel2Text;          // status panel 2 (material)
    bool panel2Visible = false;  // shown exactly when steel is not checked
    QString panel1Text;          // status panel 1: "材质密度：" + caption of the clicked item
    Notices notices;             // to show before the window takes the choice
};

class MaterialDensity
{
public:
    // Chooses `material`. For the custom material `typedDensity` is the answer of the density
    // dialog (customPrompt, customTitle, customDensityText; the empty text when cancelled): a
    // text that is not a positive number falls back to steel with a note. A value outside the
    // menu changes nothing. The caller then runs the calculate command.
    MaterialChoice apply(Material material, const QString &typedDensity = QString());

    // The current state, as the last apply() left it (steel at start).
    MaterialChoice current() const;

    Material checked() const { return m_checked; }
    float DensityFactor() const { return m_densityFactor; }
    // The same factor in double, for the weights that are computed in double throughout: the
    // stored factor as written (1.1363), or the custom density as shown over 7.85.
    double exactDensityFactor() const;
    float CustomDensity() const { return m_customDensity; }

    // Menu caption of `material`; the custom item's caption follows the last entry.
    QString caption(Material material) const;

    // The density the density dialog proposes: the last accepted one, 7.85 at first.
    QString customDensityText() const;

    // The material as the material list names it: "钢", "铜", "铝" or "自定义 8.5".
    QString listName() const;

    // Text of status panel 2 when the window switches to a weight type (the custom material
    // shows its menu caption there).
    QString panel2TextOnTypeSwitch() const;

    // The fixed texts of the menu and its dialogs.
    static QString menuTitle();
    static QString customPrompt();
    static QString customTitle();
    static QString refusalTitle();
    static QString refusalText();

private:
    QString panel2Text() const;

    Material m_checked = Material::Steel;
    float m_densityFactor = 1.0f;
    float m_customDensity = 7.85f;
    QString m_customCaption;
};
