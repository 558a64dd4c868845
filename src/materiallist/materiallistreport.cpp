#include "materiallist/materiallistreport.h"

#include "materiallist/listnumbers.h"
#include "materiallist/materiallistcsv.h"

namespace MaterialListReport {
namespace {

using Column = MaterialListCsv::Column;

QString escaped(const QString &text)
{
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return html;
}

bool numeric(Column column)
{
    return column == Column::Number || column == Column::LengthOrArea || column == Column::Quantity ||
           column == Column::UnitWeight || column == Column::Weight;
}

} // namespace

QString title()
{
    return QStringLiteral("材料清单");
}

QString totalLine(const MaterialTotals &totals)
{
    return QStringLiteral("合计：%1 kg（%2 t）")
        .arg(ListNumbers::kgText(totals.grams), ListNumbers::tonnesText(totals.grams));
}

QString perMaterialLine(const MaterialTotals &totals)
{
    QStringList perMaterial;
    for (const MaterialTotal &total : totals.perMaterial)
        perMaterial.append((total.material.isEmpty() ? QStringLiteral("（未填材质）") : total.material) +
                           QStringLiteral("：") + ListNumbers::kgText(total.grams) + QStringLiteral(" kg"));
    return QStringLiteral("按材质：") + perMaterial.join(QStringLiteral("；"));
}

QString html(const MaterialList &list, const QDate &date)
{
    constexpr int Columns = static_cast<int>(Column::Count);
    QString out;
    out.reserve(200 * (list.size() + 4));
    out += QStringLiteral("<html><body style=\"font-size:9pt\">");
    out += QStringLiteral("<h2 align=\"center\">") + title() + QStringLiteral("</h2>");
    out += QStringLiteral("<p align=\"right\">日期：") + date.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral("</p>");
    out += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                          "style=\"border-collapse:collapse\"><thead><tr>");
    for (const QString &caption : MaterialListCsv::columnTitles())
        out += QStringLiteral("<th bgcolor=\"#e8e8e8\">") + escaped(caption) + QStringLiteral("</th>");
    out += QStringLiteral("</tr></thead>");
    for (int row = 0; row < list.size(); ++row) {
        out += QStringLiteral("<tr>");
        for (int c = 0; c < Columns; ++c) {
            const Column column = static_cast<Column>(c);
            out += numeric(column) ? QStringLiteral("<td align=\"right\">") : QStringLiteral("<td>");
            out += escaped(MaterialListCsv::cellText(list, row, column));
            out += QStringLiteral("</td>");
        }
        out += QStringLiteral("</tr>");
    }
    out += QStringLiteral("</table>");
    const MaterialTotals totals = list.totals();
    out += QStringLiteral("<p><b>") + escaped(totalLine(totals)) + QStringLiteral("</b></p>");
    if (totals.perMaterial.size() > 1)
        out += QStringLiteral("<p>") + escaped(perMaterialLine(totals)) + QStringLiteral("</p>");
    out += QStringLiteral("</body></html>");
    return out;
}

} // namespace MaterialListReport
