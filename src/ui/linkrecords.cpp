#include "ui/linkrecords.h"

#include "common/errorvalue.h"
#include "settings/rwini.h"

#include <QFileInfo>

#include <utility>

QString linkNameKey(int index)
{
    return LinkTexts::Section + QString::number(index) + QStringLiteral("名称");
}

QString linkTargetKey(int index)
{
    return LinkTexts::Section + QString::number(index) + QStringLiteral("地址");
}

QString joinLinkRow(const LinkRecord &record)
{
    return record.name + QString(LinkTexts::RowGap, QLatin1Char(' ')) + record.target;
}

LinkRecord splitLinkRow(const QString &row)
{
    const qsizetype gap = row.indexOf(QString(LinkTexts::RowGap, QLatin1Char(' ')));
    if (gap < 0)
        return {row, QString()};
    return {row.left(gap), row.mid(gap + LinkTexts::RowGap)};
}

int readLinkCount(RWini &settings)
{
    return settings.GetIniCount(LinkTexts::Section, LinkTexts::CountKey, [&settings](int i) {
        return settings.hasIniValue(LinkTexts::Section, linkNameKey(i)) ||
               settings.hasIniValue(LinkTexts::Section, linkTargetKey(i));
    });
}

QStringList readLinkNames(RWini &settings)
{
    const int count = readLinkCount(settings);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(settings.GetIniS(LinkTexts::Section, linkNameKey(i), LinkTexts::NoName));
    return names;
}

QList<LinkRecord> readLinkRecords(RWini &settings)
{
    const int count = readLinkCount(settings);
    QList<LinkRecord> records;
    for (int i = 0; i < count; ++i) {
        LinkRecord record;
        record.name = settings.GetIniS(LinkTexts::Section, linkNameKey(i), LinkTexts::NoName);
        record.target = settings.GetIniS(LinkTexts::Section, linkTargetKey(i), LinkTexts::BadTarget);
        records.append(record);
    }
    return records;
}

void writeLinkRecords(RWini &settings, const QList<LinkRecord> &records)
{
    settings.SetIniN(LinkTexts::Section, LinkTexts::CountKey, int(records.size()));
    for (int i = 0; i < records.size(); ++i) {
        settings.SetIniS(LinkTexts::Section, linkNameKey(i), records.at(i).name);
        settings.SetIniS(LinkTexts::Section, linkTargetKey(i), records.at(i).target);
    }
}

bool isCommandTarget(const QString &target)
{
    return target.endsWith(QLatin1String("exe"), Qt::CaseSensitive);
}

QString linkBaseName(const QString &path)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    return base.isEmpty() ? info.fileName() : base;
}

QString cutAtNul(const QString &path)
{
    const qsizetype nul = path.indexOf(QChar(u'\0'));
    return nul < 0 ? path : path.left(nul);
}

QString linkErrorText(int number, const QString &description)
{
    const QString n = QString::number(number);
    switch (number) {
    case ErrorNumber::InvalidCall:
    case ErrorNumber::BadFileName:
    case ErrorNumber::FileNotFound:
    case ErrorNumber::PathNotFound:
        return QStringLiteral("  错误：") + n + QStringLiteral("—") + description +
               QStringLiteral("\r\n\r\n可能是由错误的路径引起的，请重新设置路径！");
    case ErrorNumber::FileAlreadyExists:
        return QStringLiteral("  错误：") + n + QStringLiteral("——") + description +
               QStringLiteral("\r\n\r\n目录内具有同名文件，请重新设置参数！");
    case ErrorNumber::PathFileAccess:
        return QStringLiteral("  错误：") + n + QStringLiteral("——") + description +
               QStringLiteral("\r\n\r\n请确认文件未被使用，稍候重试！");
    default:
        return QStringLiteral("  未知错误：") + n + QStringLiteral("——") + description +
               QStringLiteral("\r\n\r\n请重新设置合法参数！");
    }
}

void LinkEditorModel::setRecords(QList<LinkRecord> records)
{
    m_records = std::move(records);
    m_selected = -1;
}

QStringList LinkEditorModel::rowTexts() const
{
    QStringList rows;
    for (const LinkRecord &record : m_records)
        rows.append(joinLinkRow(record));
    return rows;
}

void LinkEditorModel::select(int row)
{
    m_selected = row >= 0 && row < rowCount() ? row : -1;
}

LinkEditorModel::ButtonStates LinkEditorModel::buttonStates() const
{
    ButtonStates states{};
    states[Add] = true;
    states[Close] = true;
    if (!hasSelection())
        return states;
    states[Delete] = true;
    states[EditName] = true;
    states[EditTarget] = true;
    states[MoveUp] = m_selected > 0;
    states[MoveDown] = m_selected < rowCount() - 1;
    return states;
}

bool LinkEditorModel::removeSelected()
{
    if (!hasSelection())
        return false;
    m_records.removeAt(m_selected);
    m_selected = -1;
    return true;
}

void LinkEditorModel::append(const LinkRecord &record)
{
    m_records.append(record);
}

bool LinkEditorModel::moveSelectedUp()
{
    if (!hasSelection() || m_selected == 0)
        return false;
    m_records.move(m_selected, m_selected - 1);
    m_selected = -1;
    return true;
}

bool LinkEditorModel::moveSelectedDown()
{
    if (!hasSelection() || m_selected == rowCount() - 1)
        return false;
    m_records.move(m_selected, m_selected + 1);
    m_selected = -1;
    return true;
}

bool LinkEditorModel::renameSelected(const QString &answer)
{
    const QString name = answer.trimmed();
    if (!hasSelection() || name.isEmpty())
        return false;
    m_records[m_selected].name = name;
    m_selected = -1;
    return true;
}

bool LinkEditorModel::retargetSelected(const QString &answer)
{
    const QString target = answer.trimmed();
    if (!hasSelection() || target.isEmpty())
        return false;
    m_records[m_selected].target = target;
    m_selected = -1;
    return true;
}
