#pragma once

#include "lookup/fittables.h"

#include <QString>
#include <QStringList>

#include <array>

// What one lookup gives the window: the lines under the boxes, the result, the notes box.
struct LookupAnswer
{
    QStringList lines;            // shown under the boxes, at most three
    bool failed = false;          // something asked for is not defined: the lines show in red, no result
    QString result;               // the result box; empty when the lookup failed
    QString status;               // status panel 1
    std::array<QString, 3> notes; // the notes box: standard, rules used, the data's notes
};

// A length in mm: "+0.021", "-0.0105", "0" with `signed`; "25.021", "25.000" without. At least
// three decimals (as a drawing writes them), more where the value has them; zero as "0" when signed.
QString millimetreText(Hundredths value, bool withSign);
// A typed size back as the shortest text: 25, 25.5.
QString sizeText(Hundredths size);
