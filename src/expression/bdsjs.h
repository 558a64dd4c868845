#pragma once

#include "common/choices.h"
#include "common/outcome.h"

#include <QString>

// The state of the expression calculator that lives as long as the window.
struct ExpressionState
{
    float ToHDu = 0.0174532925f; // angle factor: degrees to radians, or 1 for radians
    bool TrigNoteShown = false;  // the trigonometry note is shown once per run
};

// A typed expression's value, or why there is none, with every message to show in order (a
// failed evaluation's error message is the last). No value and no error: the text was refused
// by a check (nothing typed, "**"), and a notice says so. errorPosition counts in the prepared
// text (blanks dropped, typed forms rewritten).
struct ExpressionOutcome : Outcome<double>
{
    // The error lies in the typed text itself (a bracket, a division by zero, an unreadable
    // operand): the expression window drops that text from the top of its history.
    bool textAtFault = false;
};

// Prepares, checks and evaluates a typed expression. `angleUnit` decides what a typed degree
// sign does: nothing in degrees, the conversion to radians in radians. Never throws.
ExpressionOutcome BDSJS(QString text, ExpressionState &state, AngleUnit angleUnit);
