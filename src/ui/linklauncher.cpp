#include "ui/linklauncher.h"

#include "common/errorvalue.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "settings/rwini.h"

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
    const BuiltInAction action = builtInAction(link);
    bool started = false;
    if (!action.target.isEmpty())
        started = action.kind == BuiltInAction::Open ? m_shell.open(action.target, m_programDirectory)
                                                     : m_shell.startCommand(action.target);
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

void LinkLauncher::showError(int number, const QString &description)
{
    m_prompts.message(MessageIcon::Critical, LinkTexts::ErrorTitle, linkErrorText(number, description));
}
