#pragma once

#include <QString>

class Prompts;

// What the expression calculator reads from and does to its window.
class ExpressionHost
{
public:
    virtual ~ExpressionHost() = default;
    virtual bool anglesInRadians() const = 0;
    virtual int currentType() const = 0;         // 0 is the expression calculator
    virtual void removeNewestHistoryEntry() = 0; // entry 0 of the expression history
};

// The state of the expression calculator that lives as long as the window.
struct ExpressionState
{
    float ToHDu = 0.0174532925f; // angle factor: degrees to radians, or 1 for radians
    bool TrigNoteShown = false;  // the trigonometry note is shown once per run
};

// Prepares, checks and evaluates a typed expression and returns its value as text
// (doubleText), or the empty text when it is refused or fails; shows its own messages.
// The one failure it passes on is ErrorValue 5 for a text made only of "=".
QString BDSJS(QString text, ExpressionState &state, ExpressionHost &host, Prompts &prompts);
