#pragma once

#include <QString>

class Prompts;

// The material menu: steel, copper, aluminium or a density typed by the user. All built-in
// weights are for steel; the chosen material turns into DensityFactor, by which every unit
// weight is scaled.
namespace MaterialIndex {
inline constexpr int Steel = 0;
inline constexpr int Copper = 1;
inline constexpr int Aluminium = 2;
inline constexpr int Custom = 3;
inline constexpr int Count = 4;
} // namespace MaterialIndex

// What one choice in the material menu leaves behind, for the window to show.
struct MaterialChoice
{
    int checkedIndex = MaterialIndex::Steel; // the one checked item after the choice
    float DensityFactor = 1.0f;
    float CustomDensity = 7.85f; // g/cm3, the last accepted custom density
    QString customCaption;       // caption of the custom menu item
    QString panel2Text;          // status panel 2 (material)
    bool panel2Visible = false;  // shown exactly when steel is not checked
    QString panel1Text;          // status panel 1: "材质密度：" + caption of the clicked item
};

class MaterialDensity
{
public:
    // Chooses menu item `index` (0..3); item 3 asks for a density through `prompts` and falls
    // back to steel, with a note, when the answer is not a positive number. An index outside
    // 0..3 changes nothing. The caller then runs the calculate command.
    MaterialChoice apply(int index, Prompts &prompts);

    // The current state, as the last apply() left it (steel at start).
    MaterialChoice current() const;

    int checkedIndex() const { return m_checked; }
    float DensityFactor() const { return m_densityFactor; }
    float CustomDensity() const { return m_customDensity; }

    // Menu caption of item `index` (0..3); the custom item's caption follows the last entry.
    QString caption(int index) const;

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

    int m_checked = MaterialIndex::Steel;
    float m_densityFactor = 1.0f;
    float m_customDensity = 7.85f;
    QString m_customCaption;
};
