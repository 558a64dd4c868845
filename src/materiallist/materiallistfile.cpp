#include "materiallist/materiallistfile.h"

#include "common/systemreason.h"

#include "materiallist/materiallistcsv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

// The system's reason in Chinese where it is a common one (磁盘已满), else as Qt gives it.
// Windows refuses to open a folder as "access denied"; the folder is the reason that helps.
QString reasonOf(const QFileDevice &file)
{
    if (QFileInfo(file.fileName()).isDir())
        return SystemReason::IsFolder;
    return chineseSystemReason(file.errorString()).value_or(file.errorString());
}

const QString SaveFailedPrefix = QStringLiteral("材料清单未能保存：");
constexpr int ListedLineNumbers = 10;

QString lineList(const QList<int> &lines)
{
    QStringList numbers;
    for (qsizetype i = 0; i < lines.size() && i < ListedLineNumbers; ++i)
        numbers.append(QString::number(lines.at(i)));
    QString text = numbers.join(QStringLiteral("、"));
    if (lines.size() > ListedLineNumbers)
        text += QStringLiteral("…");
    return text;
}

// The copy of a damaged file, beside it; an existing copy of the same second is never replaced.
std::optional<QString> copyAside(const QString &path, const QDateTime &now, QString *error)
{
    const QFileInfo info(path);
    const QString stem = QStringLiteral("材料清单.损坏-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 1; attempt < 100; ++attempt) {
        const QString name =
            stem + (attempt > 1 ? QStringLiteral("-%1").arg(attempt) : QString()) + QStringLiteral(".csv");
        const QString target = info.dir().filePath(name);
        if (QFileInfo::exists(target))
            continue;
        QFile source(path);
        if (source.copy(target))
            return target;
        *error = reasonOf(source);
        return std::nullopt;
    }
    *error = QStringLiteral("同名文件过多");
    return std::nullopt;
}

} // namespace

QString MaterialListFile::fileName()
{
    return QStringLiteral("材料清单.csv");
}

QString MaterialListFile::noticeTitle()
{
    return QStringLiteral("材料清单");
}

MaterialListFile::Loaded MaterialListFile::load(MaterialList &list, const QDateTime &now)
{
    Loaded loaded;
    list.clear();
    QFile file(m_path);
    if (!file.exists())
        return loaded;
    if (!file.open(QIODevice::ReadOnly)) {
        m_writeBlocked = true;
        loaded.notices.append({MessageIcon::Exclamation, noticeTitle(),
                               QStringLiteral("材料清单文件无法读取：") + reasonOf(file) +
                                   QStringLiteral("\r\n文件保持原样；本次运行中清单的修改不会保存。")});
        return loaded;
    }
    const MaterialListCsv::ReadResult read = MaterialListCsv::read(file.readAll());
    file.close();
    list.reserve(read.rows.size());
    list.setExtraColumns(read.extraColumns);
    for (const MaterialListCsv::ReadRow &row : read.rows)
        list.append(row.line, row.note, row.extraCells);
    if (read.unreadableLines.isEmpty() && !read.undecodable)
        return loaded;

    QString error;
    const std::optional<QString> copy = copyAside(m_path, now, &error);
    QStringList faults;
    if (read.undecodable)
        faults.append(QStringLiteral("含有无法识别的字符（既不是有效的 UTF-8 也不是 GB18030 文本）"));
    if (!read.unreadableLines.isEmpty())
        faults.append((faults.isEmpty() ? QStringLiteral("中有") : QStringLiteral("且有")) +
                      QStringLiteral(" %1 行无法读取（第 %2 行）")
                          .arg(read.unreadableLines.size())
                          .arg(lineList(read.unreadableLines)));
    const QString kept = QStringLiteral("材料清单文件") + faults.join(QStringLiteral("，")) +
                         QStringLiteral("，已保留可读的 %1 行。").arg(list.size());
    if (!copy) {
        m_writeBlocked = true;
        loaded.notices.append({MessageIcon::Exclamation, noticeTitle(),
                               kept + QStringLiteral("\r\n原文件未能另存（") + error +
                                   QStringLiteral("），因此保持原样；本次运行中清单的修改不会保存。")});
        return loaded;
    }
    loaded.notices.append({MessageIcon::Exclamation, noticeTitle(),
                           kept + QStringLiteral("\r\n原文件已另存为：") + QFileInfo(*copy).fileName()});
    if (const std::optional<QString> status = save(list))
        loaded.statusText = *status;
    return loaded;
}

std::optional<QString> MaterialListFile::writeCsv(const QString &path, const MaterialList &list)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return reasonOf(file);
    const QByteArray bytes = MaterialListCsv::write(list);
    if (file.write(bytes) != bytes.size()) {
        const QString error = reasonOf(file);
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return reasonOf(file);
    return std::nullopt;
}

int MaterialListFile::removeLeftovers(const QString &folder)
{
    // QSaveFile's temporary name: the file's name, a dot and six letters or digits.
    static const QRegularExpression temporaryName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDir dir(folder);
    int removed = 0;
    for (const QString &name :
         dir.entryList({fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::System))
        if (temporaryName.match(name).hasMatch() && QFile::remove(dir.filePath(name)))
            ++removed;
    return removed;
}

std::optional<QString> MaterialListFile::save(const MaterialList &list)
{
    if (m_writeBlocked)
        return std::nullopt; // the user was told at loading that changes are not saved
    const std::optional<QString> error = writeCsv(m_path, list);
    m_lastSaveFailed = error.has_value();
    if (!error || m_failureReported)
        return std::nullopt;
    m_failureReported = true;
    return SaveFailedPrefix + *error;
}
