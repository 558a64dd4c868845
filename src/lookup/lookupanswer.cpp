#include "lookup/lookupanswer.h"

QString millimetreText(Hundredths value, bool withSign)
{
    if (value == 0 && withSign)
        return QStringLiteral("0");
    const Hundredths magnitude = value < 0 ? -value : value;
    QString fraction = QString::number(magnitude % HundredthsPerMm).rightJustified(5, u'0');
    while (fraction.size() > 3 && fraction.endsWith(u'0'))
        fraction.chop(1);
    const QString sign = value < 0 ? QStringLiteral("-") : (withSign ? QStringLiteral("+") : QString());
    return sign + QString::number(magnitude / HundredthsPerMm) + u'.' + fraction;
}

QString sizeText(Hundredths size)
{
    QString text = millimetreText(size, false);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}
