#pragma once

#include "common/notice.h"
#include "materiallist/materiallist.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The list file "材料清单.csv" beside the settings file, in the CSV form of the export. It is
// rewritten whole and atomically at each change (QSaveFile), so a killed program leaves the
// old or the new file, never a mix.
class MaterialListFile
{
public:
    explicit MaterialListFile(QString path) : m_path(std::move(path)) {}

    static QString fileName(); // "材料清单.csv"
    QString path() const { return m_path; }

    struct Loaded
    {
        Notices notices;    // to show once, in order (a damaged or unreadable file)
        QString statusText; // for the status bar: the repaired file could not be written
    };

    // Replaces `list` with the rows of the file; no file is an empty list. When some records
    // cannot be read the file is first copied aside as "材料清单.损坏-<date-time>.csv" (named
    // by `now`), then rewritten with the rows that were kept, and a notice says what was kept
    // and where the copy is. A file that cannot be read or copied aside is never written
    // during this run: the list works in memory and a notice says so.
    Loaded load(MaterialList &list, const QDateTime &now);

    // Writes the list. Returns the status text to show when this write failed and no failure
    // was reported before in this run ("材料清单未能保存：" and the reason); the list stays in
    // memory either way.
    std::optional<QString> save(const MaterialList &list);

    bool lastSaveFailed() const { return m_lastSaveFailed; }

    // Writes the list's CSV to any path atomically (the export); the reason on failure.
    static std::optional<QString> writeCsv(const QString &path, const MaterialList &list);

    static QString noticeTitle(); // "材料清单"

    // Removes what a save killed half-way left in `folder`: the temporary files
    // "材料清单.csv.XXXXXX" the atomic rewrite writes before it renames. Returns how many.
    static int removeLeftovers(const QString &folder);

private:
    QString m_path;
    bool m_writeBlocked = false;
    bool m_failureReported = false;
    bool m_lastSaveFailed = false;
};
