#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The Chinese legacy code page of files written by older programs on a Chinese Windows
// desktop (settings files, spreadsheet CSV): GBK, read and written as its superset GB18030
// so that every character survives a round trip. Each platform converts with its own
// library (legacytext_unix.cpp, legacytext_win.cpp).
namespace LegacyText {
QString decode(QByteArrayView bytes);
// The text only where every byte is valid in the code page; std::nullopt otherwise.
std::optional<QString> decodeStrict(QByteArrayView bytes);
QByteArray encode(QStringView text);
} // namespace LegacyText
