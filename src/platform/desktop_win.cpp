#include "platform/desktop.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace Desktop {

// A Windows session always has its desktop.
bool displayAvailable()
{
    return true;
}

// Qt takes the system's message font, which is Segoe UI on a Windows not set up in Chinese;
// its fallback for Han characters may then pick a Japanese face. The Chinese UI font of
// Windows (Microsoft YaHei UI since Windows 8, SimSun before) draws every caption, at the
// size the system chose.
void applyLook()
{
    const QStringList installed = QFontDatabase::families();
    for (const char *family : {"Microsoft YaHei UI", "Microsoft YaHei", "SimSun"}) {
        if (installed.contains(QLatin1String(family), Qt::CaseInsensitive)) {
            QFont font = QApplication::font();
            font.setFamilies({QString::fromLatin1(family)});
            QApplication::setFont(font);
            return;
        }
    }
}

} // namespace Desktop
