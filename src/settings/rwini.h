#pragma once

#include "settings/profilefile.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The settings file beside the program and the four procedures every other part of the
// program reads and writes it through. Once the window runs, a write that fails (read-only
// file or file system, full disk, folder gone) leaves the file as it was and never stops the
// program: what it holds stays in use, and the first failure of the run is handed to
// `showNotice` as "设置未能保存：" + the reason, for the status bar.
class RWini
{
public:
    explicit RWini(std::function<void(const QString &notice)> showNotice = {});

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
    QString GetIniS(const QString &section, const QString &key, const QString &defaultValue);
    // The integer at the start of the stored value; the default is written back whenever the
    // value read equals it.
    int GetIniN(const QString &section, const QString &key, short defaultValue);
    // A count of numbered entries, as GetIniN reads it. Counts are kept as 16-bit integers; a
    // stored count beyond that range (a hand edit) falls back to the number of entries the file
    // really holds, from entry 0 up to the first one `present` does not find, and that number is
    // written back instead of keeping the program from starting.
    int GetIniCount(const QString &section, const QString &key, const std::function<bool(int)> &present);
    // Whether the key holds a non-empty value; reads only.
    bool hasIniValue(const QString &section, const QString &key) const;
    // Store a value (SetIniN its decimal text). None of the four throws.
    void SetIniS(const QString &section, const QString &key, const QString &value);
    void SetIniN(const QString &section, const QString &key, int value);

    static QString fileName() { return QStringLiteral("QOMBRA_Config.ini"); }

private:
    std::optional<QString> stored(const QString &section, const QString &key) const;
    void write(const QString &section, const QString &key, const QString &value);

    std::function<void(const QString &notice)> m_showNotice;
    QString m_iniPath;
    bool m_writeFailureShown = false;
    bool m_starting = false;
    QList<Profile::ProfileEntry> m_startupWrites;
    QHash<QString, QString> m_startupValues; // the latest of them by section + "\n" + key
    bool m_startupWriteFailed = false;
    bool m_unwritable = false;
};
