#include "platform/qttranslation.h"

#include <QCoreApplication>
#include <QTranslator>

bool installQtChineseTranslation()
{
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto *loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QStringLiteral(":/vardeko/translations/qtbase_zh_CN.qm")) ||
        !QCoreApplication::installTranslator(loaded)) {
        delete loaded;
        return false;
    }
    translator = loaded;
    return true;
}
