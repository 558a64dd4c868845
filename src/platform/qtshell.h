#pragma once

#include "platform/shell.h"

// Opens targets through the desktop (QDesktopServices) and starts programs with QProcess,
// never through a shell, so no character of a target is ever interpreted.
class QtShell : public Shell
{
public:
    bool open(const QString &target, const QString &workingDirectory = QString()) override;
    bool startCommand(const QString &commandLine) override;
};
