#include "common/systemreason.h"

#include <cerrno>
#include <cstring>

namespace {

struct Reason
{
    int number;
    const char16_t *text;
};

// The failures a user can do something about, and the few others files commonly meet.
constexpr Reason Reasons[] = {
    {ENOSPC, u"磁盘已满"},
#ifdef EDQUOT
    {EDQUOT, u"磁盘配额已用完"},
#endif
    {EROFS, u"文件系统为只读"},    {EACCES, u"权限不足"},           {EPERM, u"不允许的操作"},
    {EISDIR, u"是一个文件夹"},     {ENOENT, u"文件或文件夹不存在"}, {ENOTDIR, u"路径中有一项不是文件夹"},
    {ENAMETOOLONG, u"文件名过长"}, {EEXIST, u"文件已存在"},         {EBUSY, u"设备或资源忙"},
    {EMFILE, u"打开的文件过多"},   {ENFILE, u"打开的文件过多"},     {EIO, u"输入/输出错误"},
};

// Windows gives its own texts (FormatMessage), not the C library's: on an English system
// these, in the wording of Windows and of Wine. A Chinese Windows already gives Chinese.
struct WindowsReason
{
    const char *fragment;
    const char16_t *text;
};

constexpr WindowsReason WindowsReasons[] = {
    {"not enough space on the disk", u"磁盘已满"},
    {"disk full", u"磁盘已满"},
    {"access is denied", u"权限不足"},
    {"access denied", u"权限不足"},
    {"write protected", u"文件系统为只读"},
    {"cannot find the path", u"文件或文件夹不存在"},
    {"path not found", u"文件或文件夹不存在"},
    {"cannot find the file", u"文件或文件夹不存在"},
    {"file not found", u"文件或文件夹不存在"},
    {"being used by another process", u"文件正被另一程序使用"},
    {"sharing violation", u"文件正被另一程序使用"},
};

} // namespace

std::optional<QString> chineseSystemReason(const QString &errorText)
{
    for (const Reason &reason : Reasons) {
        const QString message = QString::fromLocal8Bit(std::strerror(reason.number));
        if (!message.isEmpty() && errorText.contains(message, Qt::CaseInsensitive))
            return QString::fromUtf16(reason.text);
    }
    for (const WindowsReason &reason : WindowsReasons) {
        if (errorText.contains(QLatin1String(reason.fragment), Qt::CaseInsensitive))
            return QString::fromUtf16(reason.text);
    }
    return std::nullopt;
}
