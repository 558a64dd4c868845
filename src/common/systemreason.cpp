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

} // namespace

std::optional<QString> chineseSystemReason(const QString &errorText)
{
    for (const Reason &reason : Reasons) {
        const QString message = QString::fromLocal8Bit(std::strerror(reason.number));
        if (!message.isEmpty() && errorText.contains(message, Qt::CaseInsensitive))
            return QString::fromUtf16(reason.text);
    }
    return std::nullopt;
}
