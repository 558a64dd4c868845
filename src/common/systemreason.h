#pragma once

#include <QString>

#include <optional>

// Why a file operation failed, in the user's language. Qt's file error texts carry the C
// library's message, which is English on most desktops ("No space left on device"); the common
// ones are given in Chinese (磁盘已满). Nothing for a text that holds none of them.
std::optional<QString> chineseSystemReason(const QString &errorText);

// Reasons the program tells itself, for failures it finds before the system would.
namespace SystemReason {
inline const QString IsFolder = QStringLiteral("是一个文件夹");
inline const QString NotAFile = QStringLiteral("不是普通文件");
inline const QString ReadOnlyFile = QStringLiteral("文件为只读");
} // namespace SystemReason
