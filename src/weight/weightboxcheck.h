#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The entry check of a weight run: the prefix values of CombSR(1), CombSR(2) and CombSR(3)
// are all positive, and that of CombSR(0) too where it takes a typed number. A box the type
// does not use holds the "1" the type switch left in it.
bool weightEntriesPositive(const std::array<QString, 4> &boxTexts, bool typedSizeBox = false);

// What the window knows when the text of input box `index` (0..3) changes.
struct WeightBoxChange
{
    int index = 0;
    std::array<QString, 4> boxTexts; // CombSR(0..3)
    QStringList sizeListEntries;     // the list entries of CombSR(1); empty when it has none
    QString caption;                 // LabSM(index), "长度(mm):"
    bool weightType = true;          // false in the expression calculator
    bool typedSizeBox = false;       // CombSR(0) holds a typed number (flat bar width), no pick
};

// How the window answers that change, before any weight is computed.
struct WeightBoxVerdict
{
    QString statusText;            // status panel 1
    std::optional<bool> boxMarked; // the changed box turns red (true) or black (false)
    bool refused = false;          // the box holds no positive value: red caption, no result, CmdOK off
    QString caption;               // LabDanZhong when refused
    bool calculate = false;        // every entry is positive: CmdOK on, caption blue, calculate
};

// One rule for a keystroke in a weight box: the changed box must hold a positive value (the
// size box excepted); a size marked "*" or a mining beam shows red, and so does a number in
// CombSR(1) that no list entry has.
WeightBoxVerdict checkWeightBox(const WeightBoxChange &change);
