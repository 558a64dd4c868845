#include "ui/linklauncher.h"

#include "common/errorvalue.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "settings/rwini.h"

#include <QStandardPaths>

#include <utility>

LinkLauncher::LinkLauncher(RWini &settings, Prompts &prompts, Shell &shell, QString programDirectory)
    : m_settings(settings), m_prompts(prompts), m_shell(shell),
      m_programDirectory(std::move(programDirectory))
{}

bool LinkLauncher::openUserLink(int index)
{
    try {
        const QString target =
            m_settings.GetIniS(LinkTexts::Section, linkTargetKey(index), LinkTexts::BadTarget).trimmed();
        if (isCommandTarget(target)) {
            if (!m_shell.startCommand(target))
                throw ErrorValue(ErrorNumber::FileNotFound, target);
            return true;
        }
        if (!m_shell.open(target, m_programDirectory)) {
            m_prompts.message(MessageIcon::Critical, LinkTexts::ErrorTitle, LinkTexts::OpenFailed);
            return false;
        }
        return true;
    } catch (const ErrorValue &error) {
        showError(error.number(), error.description());
        return false;
    }
}

bool LinkLauncher::openBuiltIn(BuiltIn link)
{
    bool started = false;
    switch (link) {
    case MyComputer:
        started = m_shell.open(myComputerFolder(), m_programDirectory);
        break;
    case Calculator:
        for (const QString &program : calculatorPrograms()) {
            if (!QStandardPaths::findExecutable(program).isEmpty()) {
                started = m_shell.startCommand(program);
                break;
            }
        }
        break;
    case WebSearch:
        started = m_shell.open(webSearchAddress(), m_programDirectory);
        break;
    }
    // A desktop without a file manager, calculator or browser is told so rather than
    // leaving the click without an answer.
    if (!started)
        showError(ErrorNumber::FileNotFound, standardErrorDescription(ErrorNumber::FileNotFound));
    return started;
}

std::optional<LinkRecord> LinkLauncher::askNewLink()
{
    const QString path = cutAtNul(m_prompts.chooseFile());
    if (path.isEmpty())
        return std::nullopt;
    const QString baseName = linkBaseName(path);
    QString name = m_prompts.input(LinkTexts::NamePrompt, LinkTexts::NameTitle, baseName).trimmed();
    if (name.isEmpty())
        name = baseName;
    return LinkRecord{name.trimmed(), path.trimmed()};
}

QStringList LinkLauncher::calculatorPrograms()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
            QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

void LinkLauncher::showError(int number, const QString &description)
{
    m_prompts.message(MessageIcon::Critical, LinkTexts::ErrorTitle, linkErrorText(number, description));
}
