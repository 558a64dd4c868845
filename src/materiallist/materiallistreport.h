#pragma once

#include "materiallist/materiallist.h"

#include <QDate>
#include <QString>

// The list as a printed page: the title 材料清单 and the date, the table with the columns of
// the file (the unit weight as the window shows it, 单位 in its column) and a header row that
// a paginated document repeats on every page, then the total in kg and t and the total per
// material. Rich text for QTextDocument; every text of the list is escaped.
namespace MaterialListReport {

QString title(); // "材料清单"

// "合计：289.226 kg（0.289 t）", as the window and the page show it.
QString totalLine(const MaterialTotals &totals);
// "按材质：钢：289.226 kg；铜：2.800 kg"
QString perMaterialLine(const MaterialTotals &totals);

QString html(const MaterialList &list, const QDate &date);

} // namespace MaterialListReport
