#pragma once

#include "catalogue/sectiontables.h" // PrintedNumber

#include <QList>
#include <QString>

// A metric screw thread of GB/T 193 / ISO 261 with its basic dimensions of GB/T 196 / ISO 724
// and its tap drill, lengths in mm as the table prints them.
struct ThreadRow
{
    QString designation; // "M12" for coarse, "M12x1.25" for fine
    PrintedNumber d;     // nominal diameter d = D
    PrintedNumber pitch;
    bool coarse = false;
    int choice = 1;              // the standard's column 1, 2 or 3 of the diameter
    PrintedNumber d2;            // pitch diameter d2 = D2
    PrintedNumber d1;            // minor diameter d1 = D1
    PrintedNumber d3;            // minor diameter of the external thread
    PrintedNumber tapDrill;      // d − P
    PrintedNumber practiceDrill; // the common-practice (ISO 2306) drill of coarse rows; may be empty
    QString note;
};

// The table built into the program, read from its resources on the first call.
const QList<ThreadRow> &metricThreads();
