#include "platform/qtshell.h"

#include <QDir>
#include <QFileInfo>

#include <string>

#include <windows.h>

#include <shellapi.h>

namespace {

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// A relative target names a file in the working directory when one is there; anything else
// (a web address, a program the shell finds itself) goes to the shell as it stands.
QString resolved(const QString &target, const QString &workingDirectory)
{
    if (workingDirectory.isEmpty() || !QDir::isRelativePath(target))
        return target;
    const QString inFolder = QDir(workingDirectory).filePath(target);
    return QFileInfo::exists(inFolder) ? QDir::toNativeSeparators(inFolder) : target;
}

bool isLocalPath(const QString &target)
{
    // "C:\..." or "\\server\share\...", not "https://..." or "mailto:...".
    return (target.size() > 2 && target.at(1) == u':' && (target.at(2) == u'\\' || target.at(2) == u'/')) ||
           target.startsWith(QStringLiteral("\\\\"));
}

} // namespace

bool QtShell::open(const QString &target, const QString &workingDirectory)
{
    const QString file = resolved(target.trimmed(), workingDirectory);
    if (file.isEmpty())
        return false;
    // The shell would show its own message for a missing file; the caller reports "not found".
    if (isLocalPath(file) && !QFileInfo::exists(file))
        return false;
    const QString directory = QDir::toNativeSeparators(workingDirectory);
    // As Explorer opens it: a document in its program, a folder in a window, a program run, a
    // web address in the default browser. Failures come back to the caller, without the
    // shell's own dialogs.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = wide(file);
    info.lpDirectory = directory.isEmpty() ? nullptr : wide(directory);
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

bool QtShell::startCommand(const QString &commandLine)
{
    QString line = commandLine.trimmed();
    if (line.isEmpty())
        return false;
    // A whole line that names a program file is that program, blanks and all; otherwise the
    // system splits the line as for any command line: the program first, then its arguments
    // as the program itself reads them. No command interpreter sees the line.
    if (QFileInfo(line).isFile())
        line = u'"' + line + u'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = line.toStdWString(); // CreateProcessW may write into it
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
