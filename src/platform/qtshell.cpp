#include "platform/qtshell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool QtShell::open(const QString &target, const QString &workingDirectory)
{
    const QUrl url = QUrl::fromUserInput(target, workingDirectory, QUrl::AssumeLocalFile);
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool QtShell::startCommand(const QString &commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}
