#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class RWini;

// One user-defined link: the caption of its menu item and what it opens (a program, a
// document, a folder or a web address).
struct LinkRecord
{
    QString name;
    QString target;

    friend bool operator==(const LinkRecord &, const LinkRecord &) = default;
};

namespace LinkTexts {
inline const QString Section = QStringLiteral("链接");
inline const QString CountKey = QStringLiteral("数量");
inline const QString NoName = QStringLiteral("【无名】");
inline const QString BadTarget = QStringLiteral("【错误】");
inline const QString UserLinkCaption = QStringLiteral("自定义链接");
inline const QString NamePrompt = QStringLiteral("请输入菜单名称：");
inline const QString NameTitle = QStringLiteral("菜单名称");
inline const QString ErrorTitle = QStringLiteral("错误！");
inline const QString OpenFailed =
    QStringLiteral("  未能成功打开链接。\r\n\r\n可能是由错误的路径引起的，请重新设置路径！");
// Name and target of a row of the editor's list are joined by exactly this many blanks.
inline constexpr int RowGap = 30;
} // namespace LinkTexts

// Keys of link `index` in the settings section.
QString linkNameKey(int index);
QString linkTargetKey(int index);

// The editor's row text: name, 30 blanks, target.
QString joinLinkRow(const LinkRecord &record);
// Splits a row text at its first run of 30 blanks: the part before is the name, the part
// after that run the target. A text without such a run is all name.
LinkRecord splitLinkRow(const QString &row);

// The stored number of links, narrowed to the 16-bit range the file format allows; a value
// outside it raises the overflow error. A missing count is written back as 0.
int readLinkCount(RWini &settings);
// The names of the stored links, "【无名】" written back for a missing one.
QStringList readLinkNames(RWini &settings);
// Names and targets of the stored links; missing ones are written back with their defaults.
QList<LinkRecord> readLinkRecords(RWini &settings);
// Stores the count, then every name and target. Keys of links beyond the count are left as
// they are: readers stop at the count.
void writeLinkRecords(RWini &settings, const QList<LinkRecord> &records);

// A target whose last three characters are "exe" (lower case only) is started as a command
// line rather than opened by the desktop.
bool isCommandTarget(const QString &target);
// The file name of `path` without its folder and last extension; the whole file name when
// that would leave nothing (".profile").
QString linkBaseName(const QString &path);
// The path the file dialog handed back, cut at the first NUL character.
QString cutAtNul(const QString &path);

// The text of the error dialog for an error raised while a link is being opened.
QString linkErrorText(int number, const QString &description);

// The working copy of the links while the editor is open. Nothing here touches the
// settings file: the caller stores `records()` when the editor is closed.
class LinkEditorModel
{
public:
    enum Button { Delete, Add, MoveUp, MoveDown, EditName, EditTarget, Close, ButtonCount };
    using ButtonStates = std::array<bool, ButtonCount>;

    void setRecords(QList<LinkRecord> records);
    const QList<LinkRecord> &records() const { return m_records; }
    int rowCount() const { return int(m_records.size()); }
    QStringList rowTexts() const;

    // The selected row, or -1.
    int selected() const { return m_selected; }
    void select(int row);

    // Which of the seven buttons may be pressed for the current selection.
    ButtonStates buttonStates() const;

    // Each returns false when it changed nothing. Rows removed, moved or replaced lose the
    // selection; appending keeps it.
    bool removeSelected();
    void append(const LinkRecord &record);
    bool moveSelectedUp();
    bool moveSelectedDown();
    // An answer of blanks only leaves the row as it is.
    bool renameSelected(const QString &answer);
    bool retargetSelected(const QString &answer);

private:
    bool hasSelection() const { return m_selected >= 0 && m_selected < rowCount(); }

    QList<LinkRecord> m_records;
    int m_selected = -1;
};
