#include "platform/qtshell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool QtShell::open(const QString &target, const QString &workingDirectory)
{
    if (target.trimmed().isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(target, workingDirectory, QUrl::AssumeLocalFile);
    if (!url.isValid() || url.isEmpty())
        return false;
    // The desktop's opener starts happily on a missing file and fails out of sight; a missing
    // file is the caller's "not found".
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool QtShell::startCommand(const QString &commandLine)
{
    // Quotes group words as a shell would, but nothing else of the line has a meaning:
    // no variables, no command substitution, no ";" or "&&".
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}
