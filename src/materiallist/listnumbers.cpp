#include "materiallist/listnumbers.h"

#include <QLocale>

#include <cmath>

namespace ListNumbers {

std::optional<double> readPositive(const QString &text)
{
    // Digits and point typed in full width by a Chinese input method count as their ASCII forms.
    QString ascii = text.trimmed();
    for (QChar &c : ascii) {
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(u'0' + (c.unicode() - 0xFF10));
        else if (c.unicode() == 0xFF0E)
            c = QLatin1Char('.');
    }
    bool ok = false;
    const double value = ascii.toDouble(&ok); // C locale, whatever the desktop's
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

QString plainText(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString kgText(qint64 grams)
{
    const QString sign = grams < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = grams < 0 ? -grams : grams;
    return sign + QString::number(magnitude / 1000) + QLatin1Char('.') +
           QStringLiteral("%1").arg(magnitude % 1000, 3, 10, QLatin1Char('0'));
}

QString tonnesText(qint64 grams)
{
    const qint64 magnitude = grams < 0 ? -grams : grams;
    const qint64 kilograms = (magnitude + 500) / 1000;
    return kgText(grams < 0 ? -kilograms : kilograms);
}

QString unitText(UnitBasis basis)
{
    switch (basis) {
    case UnitBasis::PerPiece:
        return QStringLiteral("kg/个");
    case UnitBasis::PerMetre:
        return QStringLiteral("kg/m");
    case UnitBasis::PerSquareMetre:
        return QStringLiteral("kg/m²");
    }
    return QString();
}

std::optional<UnitBasis> basisOfUnit(const QString &unit)
{
    QString key = unit.trimmed().toLower();
    key.remove(QLatin1Char(' '));
    if (key == QStringLiteral("kg/个") || key == QStringLiteral("kg/件") || key == QStringLiteral("kg/pc"))
        return UnitBasis::PerPiece;
    if (key == QStringLiteral("kg/m"))
        return UnitBasis::PerMetre;
    if (key == QStringLiteral("kg/m²") || key == QStringLiteral("kg/m2") || key == QStringLiteral("kg/m^2") ||
        key == QStringLiteral("kg/㎡"))
        return UnitBasis::PerSquareMetre;
    return std::nullopt;
}

} // namespace ListNumbers
