#pragma once

#include "ui/linkrecords.h"

#include <QString>

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

    static QString webSearchAddress() { return QStringLiteral("https://www.baidu.com/"); }

    // What a built-in link does on this platform (linklauncher_unix.cpp, linklauncher_win.cpp):
    // a target to open or a command line to start; an empty target when the desktop has
    // nothing for it.
    struct BuiltInAction
    {
        enum Kind { Open, Start } kind;
        QString target;
    };
    static BuiltInAction builtInAction(BuiltIn link);

private:
    void showError(int number, const QString &description);

    RWini &m_settings;
    Prompts &m_prompts;
    Shell &m_shell;
    QString m_programDirectory;
};
