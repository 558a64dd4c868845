#pragma once

#include "expression/bdsjs.h"

// An ExpressionHost for tests, fuzzing and benchmarks: the angle unit and the calculation
// type are plain fields, and it counts how often the newest history entry was removed.
class RecordingExpressionHost : public ExpressionHost
{
public:
    bool radians = false;
    int type = 0;
    int removed = 0;

    bool anglesInRadians() const override { return radians; }
    int currentType() const override { return type; }
    void removeNewestHistoryEntry() override { ++removed; }
};
