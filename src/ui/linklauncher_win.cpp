#include "ui/linklauncher.h"

// 我的电脑 opens This PC in a new Explorer window; 计算器 starts the Windows calculator.
LinkLauncher::BuiltInAction LinkLauncher::builtInAction(BuiltIn link)
{
    switch (link) {
    case MyComputer:
        return {BuiltInAction::Start,
                QStringLiteral("explorer.exe /n,/e,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}")};
    case Calculator:
        return {BuiltInAction::Start, QStringLiteral("calc.exe")};
    case WebSearch:
        break;
    }
    return {BuiltInAction::Open, webSearchAddress()};
}
