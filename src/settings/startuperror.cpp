#include "settings/startuperror.h"

#include "common/errorvalue.h"
#include "platform/prompts.h"

#include <QFile>
#include <QFileInfo>

namespace {

namespace Texts {
const QString Crlf = QStringLiteral("\r\n");
const QString Title = QStringLiteral("错误！");
const QString ErrorPrefix = QStringLiteral("  错误：");
const QString UnknownPrefix = QStringLiteral("  未知错误：");
const QString Dash = QStringLiteral("——");
const QString BadName = QStringLiteral("可能是由错误的文件名或号码引起的，请调整后再运行！");
const QString ForbiddenCharacters = QStringLiteral("文件名中不可出现 \\ / : * ? < > | \" 等字符");
const QString Unwritable = QStringLiteral("这可能是由于配置文件正被使用或程序所在位置不可读写引起的。");
const QString NothingKept = QStringLiteral("程序不能保存表达式记录、链接等信息。");
const QString SameName = QStringLiteral("目录内具有同名文件，请调整后再运行！");
const QString RuntimeError = QStringLiteral("    运行时遇到错误，错误号：");
const QString DamagedFile =
    QStringLiteral("    这可能是使用了错误的配置文件Tarvexini(隐藏类型文件)而导致的，");
const QString DeleteAdvice = QStringLiteral("请将与程序同目录内的配置文件删除后重新运行。");
const QString AskDelete = QStringLiteral("    是否删除配置文件？");
const QString AdjustAndRerun = QStringLiteral("请调整后重新运行。");
} // namespace Texts

} // namespace

StartupErrorOutcome handleStartupError(const ErrorValue &error, Prompts &prompts, const QString &iniPath)
{
    const QString &crlf = Texts::Crlf;
    const QString number = QString::number(error.number());
    const QString headline = number + Texts::Dash + error.description();
    const auto show = [&](const QString &text) {
        prompts.message(MessageIcon::Critical, Texts::Title, text);
    };

    switch (error.number()) {
    case ErrorNumber::InvalidCall:
    case ErrorNumber::BadFileName:
        show(Texts::ErrorPrefix + headline + crlf + crlf + Texts::BadName + crlf + crlf +
             Texts::ForbiddenCharacters);
        return StartupErrorOutcome::EndProgram;
    case ErrorNumber::FileNotFound:
    case ErrorNumber::PathFileAccess:
        show(Texts::ErrorPrefix + headline + crlf + crlf + Texts::Unwritable + crlf + crlf +
             Texts::NothingKept);
        return StartupErrorOutcome::KeepRunning;
    case ErrorNumber::FileAlreadyExists:
        show(Texts::ErrorPrefix + headline + crlf + crlf + Texts::SameName);
        return StartupErrorOutcome::EndProgram;
    case ErrorNumber::InvalidPropertyValue: {
        const QString text = Texts::RuntimeError + number + QStringLiteral(" (") + error.description() +
                             QStringLiteral(")") + crlf + crlf + Texts::DamagedFile + crlf +
                             Texts::DeleteAdvice + crlf + crlf + Texts::AskDelete;
        if (prompts.message(MessageIcon::Critical, Texts::Title, text, MessageButtons::YesNo) ==
            MessageAnswer::Yes) {
            // Linux has no file attributes to clear; a file that cannot be removed stays and the
            // next start shows this dialog again.
            QFile::remove(iniPath);
        }
        return StartupErrorOutcome::EndProgram;
    }
    default:
        show(Texts::UnknownPrefix + headline + crlf + crlf + Texts::AdjustAndRerun);
        return StartupErrorOutcome::EndProgram;
    }
}

void hideSettingsFile(const QString &iniPath)
{
    if (!QFileInfo::exists(iniPath))
        throw ErrorValue(ErrorNumber::FileNotFound, QStringLiteral("hideSettingsFile"));
}
