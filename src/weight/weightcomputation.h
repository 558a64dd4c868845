#pragma once

#include "catalogue/catalogue.h"
#include "common/choices.h"
#include "common/calculatorline.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

// Everything the weight computation of one run reads. The window owns these values; the
// computation never reads the window.
struct WeightInputs
{
    CalculationType type = CalculationType::AnchorBolt;
    std::array<QString, 4> boxTexts;           // texts of the input boxes CombSR(0..3)
    std::array<int, 2> listIndex{-1, -1};      // ListIndex of CombSR(0) and CombSR(1); -1 for none
    QStringList sizeBoxEntries;                // list entries of CombSR(1) (leg widths for the angle)
    int subType = -1;                          // CombLeiXing.ListIndex of a type with sub-types; -1 for none
    const CatalogueState *catalogue = nullptr; // PartTable of the loaded type
    float DensityFactor = 1.0f;
    double exactDensityFactor = 1.0; // the same factor unnarrowed, for the section types
    PrecisionMode precisionMode = PrecisionMode::SmartLow; // for JingDu
    // Evaluates an expression text (area, length) and returns its value as text, or the
    // empty text when the expression is refused or fails; shows its own messages.
    std::function<QString(const QString &)> evaluate;
};

// What the weight computation writes and keeps between runs. A step that fails for want of a
// table row leaves its part as the previous run left it; one that fails on what a box holds
// ends the run with no result (see WeightOutcome::faultBox).
struct WeightDisplay
{
    float UnitWeight = 0.0f; // kg per piece (types 1-6), kg/m (7-9, 11, 12), kg/m² (10)
    QString caption;         // LabDanZhong.Caption, lines joined by CR LF
    QString resultText;      // TxtJieGuo.Text
};

struct WeightOutcome
{
    WeightDisplay display;
    bool captionRed = false;   // a check failed: the caption colour becomes red
    bool disableCmdOK = false; // the entry check failed: CmdOK becomes disabled
    bool completed = false;    // the run got through: the automatic copy follows
    // The box whose value made a step fail (a number too large for the computation, a text that
    // is no number): the caption names it in red, the result is empty and there is no line.
    // -1 when no box is at fault.
    int faultBox = -1;
    QString faultStatus; // names that box, for status panel 1
    // Section types: the section-table row the boxes pick (-1 for none) and the notes box of
    // that pick, which tells where a printed value differs from the section formula.
    int sectionRow = -1;
    std::optional<std::array<QString, 3>> notes;
    // The line this run shows, for the material list: type caption, size text, length or area,
    // quantity and the unit weight the total was computed from. The material is the window's
    // to fill in. Nothing when the run ended early or a step failed, since the window then
    // still shows values of an earlier run.
    std::optional<CalculatorLine> line;
};

// One run of the calculate command in weight mode. `previous` is what the last run left.
WeightOutcome computeWeight(const WeightInputs &inputs, const WeightDisplay &previous);

// The row of PartTable for the angle: the picked entry, or for a typed width the first entry
// whose number is at least the width; beyond the last entry the last row; no entries: row 0.
int angleRow(const WeightInputs &inputs);

// The F3 / F4 choice for a unit weight: 3 decimals above 0.001, else 4.
int unitWeightDecimals(float unitWeight);

// A single as fixed text with 3 or 4 decimals, rounded half away from zero on its decimal value.
QString unitWeightText(float unitWeight, int decimals);
