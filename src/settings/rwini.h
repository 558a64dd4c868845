#pragma once

#include "settings/profilefile.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class ErrorValue;
class Prompts;
class Shell;

// The mailto link offered after a failed settings write: the author's address with a
// subject naming the program's version and the error, percent-encoded.
QString writeErrorMailLink(const ErrorValue &error);

// The settings file beside the program and the four procedures every other part of the
// program reads and writes it through. A failing write shows the two error dialogs, offers
// the mail to the author, and ends the program through `endProgram`.
class RWini
{
public:
    RWini(Prompts &prompts, Shell &shell, std::function<void()> endProgram);

    // Sets IniPath to the settings file in `programDirectory`.
    void setProgramDirectory(const QString &programDirectory);
    const QString &IniPath() const { return m_iniPath; }

    // While the window starts, writes are collected and stored with one rewrite of the file
    // by finishStartup(), however many defaults the reads write back. A failure is not
    // reported at once, so that a program folder the user cannot write still opens a complete
    // window: finishStartup() then throws ErrorValue 53 (no settings file) or 75 (a file that
    // cannot be written), and from then on nothing is written, since the user has been told
    // that nothing can be kept.
    void beginStartup();
    void finishStartup();
    bool settingsUnwritable() const { return m_unwritable; }

    // The stored value, or `defaultValue` written back when the key is missing or empty.
    // Outside start-up, throws ErrorValue when the file cannot be written back.
    QString GetIniS(const QString &section, const QString &key, const QString &defaultValue);
    // The integer at the start of the stored value; the default is written back whenever the
    // value read equals it. Outside start-up, throws ErrorValue when it cannot be written back.
    int GetIniN(const QString &section, const QString &key, short defaultValue);
    // Store a value (SetIniN its decimal text). A failed write shows the error dialogs and
    // calls `endProgram`; these two never throw.
    void SetIniS(const QString &section, const QString &key, const QString &value);
    void SetIniN(const QString &section, const QString &key, int value);

    static QString fileName() { return QStringLiteral("QOMBRA_Config.ini"); }

private:
    std::optional<QString> stored(const QString &section, const QString &key) const;
    enum class OnFailure { Throw, Report };
    void write(const QString &section, const QString &key, const QString &value, const QString &procedure,
               OnFailure onFailure);
    void reportWriteError(const QString &procedure, const ErrorValue &error);

    Prompts &m_prompts;
    Shell &m_shell;
    std::function<void()> m_endProgram;
    QString m_iniPath;
    bool m_writeFailed = false;
    bool m_starting = false;
    QList<Profile::ProfileEntry> m_startupWrites;
    QHash<QString, QString> m_startupValues; // the latest of them by section + "\n" + key
    bool m_startupWriteFailed = false;
    bool m_unwritable = false;
};
