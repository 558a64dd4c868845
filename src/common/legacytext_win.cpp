#include "common/legacytext.h"

#include <limits>

#include <windows.h>

namespace LegacyText {
namespace {

// Qt is built without ICU for Windows, so the system converts. GB18030 (code page 54936)
// keeps every character; a system without it (Wine) falls back to GBK, the code page the
// older programs wrote in.
UINT codePage()
{
    static const UINT page = IsValidCodePage(54936) ? 54936 : 936;
    return page;
}

bool fitsInt(qsizetype size)
{
    return size <= std::numeric_limits<int>::max() / 2;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    if (bytes.isEmpty() || !fitsInt(bytes.size()))
        return QString();
    const int length = MultiByteToWideChar(codePage(), 0, bytes.data(), int(bytes.size()), nullptr, 0);
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(codePage(), 0, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

std::optional<QString> decodeStrict(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (!fitsInt(bytes.size()))
        return std::nullopt;
    const int length =
        MultiByteToWideChar(codePage(), MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
    if (length == 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(codePage(), MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

QByteArray encode(QStringView text)
{
    if (text.isEmpty() || !fitsInt(text.size()))
        return QByteArray();
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length =
        WideCharToMultiByte(codePage(), 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(codePage(), 0, wide, int(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}

} // namespace LegacyText
