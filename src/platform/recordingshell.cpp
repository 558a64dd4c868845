#include "platform/recordingshell.h"

bool RecordingShell::open(const QString &target, const QString &workingDirectory)
{
    calls.append({Call::Kind::Open, target, workingDirectory});
    return answers.isEmpty() ? true : answers.takeFirst();
}

bool RecordingShell::startCommand(const QString &commandLine)
{
    calls.append({Call::Kind::StartCommand, commandLine, QString()});
    return answers.isEmpty() ? true : answers.takeFirst();
}
