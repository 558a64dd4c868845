#pragma once

#include "common/calculatorline.h"

#include <QString>

#include <optional>

// Number texts of the material list. They never depend on the desktop's locale: "." is the
// decimal point and no digit grouping appears, so a list copies into any spreadsheet alike.
namespace ListNumbers {

// A positive finite number, blanks around it allowed, full-width digits read as digits;
// anything else (also "1,5") is refused,
// since guessing a decimal comma could silently change a quantity.
std::optional<double> readPositive(const QString &text);

// The shortest plain text that reads back as the same double: 6000, 2.466156, 1000000.
QString plainText(double value);

// Grams as kilograms with three decimals (12345 g -> "12.345").
QString kgText(qint64 grams);

// Grams as tonnes with three decimals, rounded half away from zero (12345678 g -> "12.346").
QString tonnesText(qint64 grams);

// The unit of a unit weight as the list shows it: "kg/个", "kg/m", "kg/m²".
QString unitText(UnitBasis basis);

// The basis named by a unit text, also in the forms a spreadsheet user may type
// ("kg/m2", "KG/M^2", "kg/㎡", "kg/件"); std::nullopt for anything else.
std::optional<UnitBasis> basisOfUnit(const QString &unit);

} // namespace ListNumbers
