#include "ui/linklauncher.h"

#include <QStandardPaths>
#include <QStringList>

// 我的电脑 opens the root folder in the file manager; 计算器 starts the first desktop
// calculator found on the PATH.
LinkLauncher::BuiltInAction LinkLauncher::builtInAction(BuiltIn link)
{
    switch (link) {
    case MyComputer:
        return {BuiltInAction::Open, QStringLiteral("/")};
    case Calculator:
        for (const char *program : {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "xcalc"}) {
            if (!QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                return {BuiltInAction::Start, QString::fromLatin1(program)};
        }
        return {BuiltInAction::Start, QString()};
    case WebSearch:
        break;
    }
    return {BuiltInAction::Open, webSearchAddress()};
}
