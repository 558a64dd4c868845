#pragma once

#include "platform/shell.h"

// Opens targets through the desktop and starts programs, never through a command interpreter,
// so no character of a target is ever interpreted by one. Linux (qtshell_unix.cpp): the
// desktop services and QProcess; Windows (qtshell_win.cpp): the shell's open verb and
// CreateProcess, as Explorer opens a file and starts a command line.
class QtShell : public Shell
{
public:
    bool open(const QString &target, const QString &workingDirectory = QString()) override;
    bool startCommand(const QString &commandLine) override;
};
