#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The settings files that the writer helper produces, one per version number.
namespace SettingsVersions {

inline const QString Section = QStringLiteral("表达式");
inline const QString Key = QStringLiteral("记录0");

// Long enough that a write takes a while and a kill can land inside it.
inline QString historyEntry(long long version)
{
    const QString number = QString::number(version);
    return number + QStringLiteral(":") + QStringLiteral("Sin(30°)*2+1.5^2/(3-1)+").repeated(2000) + number;
}

// The file of one version: lines before and after the stored expression never change.
inline QByteArray fileOf(long long version)
{
    return QByteArray("; kept as it is\r\n[链接]\r\n数量=0\r\n[表达式]\r\n记录=1\r\n数量=1\r\n记录0=") +
           historyEntry(version).toUtf8() + QByteArray("\r\n[其他]\r\n末行=最后一行\r\n");
}

// The version a file holds when it is one of the files above.
inline std::optional<long long> versionOf(const QByteArray &file)
{
    const QByteArray marker("记录0=");
    const qsizetype start = file.indexOf(marker);
    if (start < 0)
        return std::nullopt;
    const qsizetype colon = file.indexOf(':', start);
    if (colon < 0)
        return std::nullopt;
    bool ok = false;
    const long long version = file.mid(start + marker.size(), colon - start - marker.size()).toLongLong(&ok);
    if (!ok || fileOf(version) != file)
        return std::nullopt;
    return version;
}

} // namespace SettingsVersions
