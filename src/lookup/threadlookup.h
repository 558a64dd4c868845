#pragma once

#include "lookup/lookupanswer.h"
#include "lookup/threadtables.h"

#include <QStringList>
#include <QStringView>

#include <optional>

// A typed designation read as diameter and pitch: "M12", "m12x1.25", "M12×1.25", "12*1.25".
// No pitch means the coarse thread; none at all when the text is no designation.
struct ThreadDesignation
{
    double d = 0;
    std::optional<double> pitch;
};
std::optional<ThreadDesignation> parseThreadDesignation(QStringView text);

// The table row a designation names, or none.
const ThreadRow *findThread(const ThreadDesignation &designation);

// The tensile stress area As = π/4 · ((d2 + d3)/2)², mm².
double stressArea(const ThreadRow &row);

// The drill the result gives: the common-practice value where it differs from d − P, else d − P.
const PrintedNumber &drillToUse(const ThreadRow &row);

LookupAnswer lookUpThread(QStringView designation);

// The list of the box: the coarse threads, then the fine ones ("M12×1.25").
QStringList threadEntries();
