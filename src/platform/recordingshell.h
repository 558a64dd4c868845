#pragma once

#include "platform/shell.h"

#include <QList>
#include <QString>

// A Shell for tests: records what would have been opened or started and answers from a
// script (true when nothing is scripted).
class RecordingShell : public Shell
{
public:
    struct Call
    {
        enum class Kind { Open, StartCommand } kind = Kind::Open;
        QString target; // the target, or the command line
        QString workingDirectory;
    };

    bool open(const QString &target, const QString &workingDirectory = QString()) override;
    bool startCommand(const QString &commandLine) override;

    QList<bool> answers;
    QList<Call> calls;
};
