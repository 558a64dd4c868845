#include "catalogue/catalogue.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");
} // namespace

QStringList calculationTypeCaptions()
{
    QStringList captions;
    for (const CalculationTypeRecord &record : TypeRecords)
        captions.append(record.caption.toString());
    return captions;
}

QString loadingName(CalculationType type)
{
    return typeRecord(type).loadingName.toString();
}

QString notesText(const std::array<QString, 3> &notes)
{
    return notes[0] + CRLF + CRLF + notes[1] + CRLF + CRLF + notes[2];
}

Notice notesNotice(const std::array<QString, 3> &notes)
{
    return {MessageIcon::Information, QStringLiteral("说明"), notesText(notes)};
}
