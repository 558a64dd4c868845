#include "catalogue/catalogue.h"

#include "platform/prompts.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");

// Indexed like CalculationTypeList; the expression type loads nothing.
constexpr std::array<QStringView, CalculationTypeCount> LoadingNames{
    u"",       u"地脚螺栓", u"螺栓", u"螺母", u"垫片", u"弹簧垫圈", u"方斜垫",
    u"工字钢", u"槽钢",     u"圆钢", u"钢板", u"角钢", u"钢管"};
} // namespace

QStringList calculationTypeCaptions()
{
    return CalculationTypeList.toString().split(u'；');
}

QString loadingName(int type)
{
    if (type < 0 || type >= CalculationTypeCount)
        return QString();
    return LoadingNames[static_cast<std::size_t>(type)].toString();
}

QString notesText(const std::array<QString, 3> &notes)
{
    return notes[0] + CRLF + CRLF + notes[1] + CRLF + CRLF + notes[2];
}

void showNotes(const std::array<QString, 3> &notes, Prompts &prompts)
{
    prompts.message(MessageIcon::Information, QStringLiteral("说明"), notesText(notes));
}
