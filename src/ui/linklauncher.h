#pragma once

#include "ui/linkrecords.h"

#include <QString>
#include <QStringList>

#include <optional>

class Prompts;
class RWini;
class Shell;

// Opens the built-in and the user-defined links and asks the user for a new one. Every
// target goes to the desktop as it stands (Shell::open or Shell::startCommand), never
// through a command interpreter. Failures are shown as the link error dialogs.
class LinkLauncher
{
public:
    enum BuiltIn { MyComputer, Calculator, WebSearch };

    LinkLauncher(RWini &settings, Prompts &prompts, Shell &shell, QString programDirectory);

    // Opens user-defined link `index`, whose target is always read from the settings file.
    // Returns false when the link could not be opened (a dialog has told the user why).
    bool openUserLink(int index);
    // Returns false when the built-in link could not be started (a dialog has told why).
    bool openBuiltIn(BuiltIn link);

    // The file dialog, then the name box with the file's base name as default. Nothing when
    // the file dialog is cancelled; a name left empty or blank becomes the base name.
    std::optional<LinkRecord> askNewLink();

    // The calculators tried in this order; the first one found on the PATH is started.
    static QStringList calculatorPrograms();
    static QString webSearchAddress() { return QStringLiteral("https://www.baidu.com/"); }
    static QString myComputerFolder() { return QStringLiteral("/"); }

private:
    void showError(int number, const QString &description);

    RWini &m_settings;
    Prompts &m_prompts;
    Shell &m_shell;
    QString m_programDirectory;
};
