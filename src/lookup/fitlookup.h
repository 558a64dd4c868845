#pragma once

#include "lookup/fittables.h"
#include "lookup/lookupanswer.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

enum class FitMember { Hole, Shaft };

// A tolerance class such as H7 or js6: a fundamental-deviation letter and a grade.
struct ToleranceClass
{
    FitMember member = FitMember::Hole;
    QString letter; // upper case for a hole, lower case for a shaft
    int grade = 0;  // GradeIT01 for IT01

    QString text() const; // "H7", "h01"
};

// What a typed class is; either the class, or why the text is none ("孔的基本偏差没有 Q").
// Letters take the case of the member, so "h7" in the hole box is H7.
struct ParsedClass
{
    std::optional<ToleranceClass> toleranceClass;
    QString problem;
};
ParsedClass parseToleranceClass(QStringView text, FitMember member);

// The limit deviations of a class at one size, or what the standard does not define.
struct ClassLimits
{
    Hundredths upper = 0; // es or ES
    Hundredths lower = 0; // ei or EI
    QString rule;         // how they were found, for the notes box
    QStringList notes;    // the notes of the table cells used
};
struct ClassLookup
{
    std::optional<ClassLimits> limits;
    QString missing; // names what the standard does not give
};
ClassLookup classLimits(const ToleranceClass &toleranceClass, Hundredths size);

enum class FitKind { Clearance, Transition, Interference };

// A pair's kind with its two extremes: the largest and smallest clearance, the largest
// clearance and largest interference, or the largest and smallest interference (negative).
struct FitExtremes
{
    FitKind kind = FitKind::Clearance;
    Hundredths first = 0;
    Hundredths second = 0;
};
FitExtremes fitExtremes(const ClassLimits &hole, const ClassLimits &shaft);

// Whether hole/shaft is one of the standard's fits and framed as preferred there.
enum class FitStanding { Preferred, Listed, NotListed };
FitStanding fitStanding(const QString &hole, const QString &shaft);

// The whole lookup of the window: a size (mm, over 0 up to 3150) and a hole class and a shaft
// class, either of which may be empty.
LookupAnswer lookUpFit(QStringView size, QStringView hole, QStringView shaft);

// The class lists of the boxes: the preferred classes, then the other classes of the
// standard's fits.
QStringList classEntries(FitMember member);
