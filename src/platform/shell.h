#pragma once

#include <QString>

// What the program asks of the desktop: open a document, folder, web page or mailto link
// the way the desktop opens it, or start a program from a command line (never through a
// shell). Both return false when the desktop refuses or the program cannot be started.
class Shell
{
public:
    virtual ~Shell() = default;

    // Opens `target`; a relative path is taken relative to `workingDirectory`.
    virtual bool open(const QString &target, const QString &workingDirectory = QString()) = 0;

    // Starts the program named by the first word of `commandLine` with the rest as arguments.
    virtual bool startCommand(const QString &commandLine) = 0;
};
