#include "ui/numberfont.h"

#include <QFontDatabase>
#include <QStringList>

QFont numberFont()
{
    QFont font;
    const QStringList installed = QFontDatabase::families();
    for (const char *family : {"Arial", "Liberation Sans", "Arimo"}) {
        if (installed.contains(QLatin1String(family), Qt::CaseInsensitive)) {
            font.setFamilies({QString::fromLatin1(family)});
            break;
        }
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    return font;
}
