#pragma once

#include <QList>
#include <QString>

#include <optional>

// Reading and writing one value of an INI file ("[section]" lines, then "key=value" lines).
//
// Matching: section and key names compare without regard to ASCII letter case, the first
// matching section and within it the first matching key win. Blanks (space, tab) around
// section names, keys and values are ignored, and a value enclosed in one pair of double
// quotes is read without them. Lines whose first non-blank character is ";" are comments.
//
// Writing touches at most two lines: the value of the first matching key is replaced in
// place, a new key goes after the last key line of its section (right after the section
// line when the section holds no key yet), and a new section is appended at the end. Every
// other line stays byte for byte as it was. The file is replaced atomically, so a failed or
// interrupted write leaves the previous file whole.
//
// Encoding: a file that is valid UTF-8 (with or without a byte-order mark) is read and
// written as UTF-8, any other file as GB18030, the code page of older copies of the file.
// New files are UTF-8. The line ending of an existing file ("\r\n" or "\n", taken from its
// first line) is used for lines added to it; new files use "\n".
namespace Profile {

// The most bytes (in the file's encoding) of a value that profileString returns.
inline constexpr int MaxValueBytes = 65535;

// True when `value`, once stored, reads back whole: at most MaxValueBytes in either encoding.
bool keepsWhole(const QString &value);

// The value of `key` in `section`, cut to MaxValueBytes; nullopt when the file, the
// section or the key does not exist, or the file cannot be read (a folder, a pipe, no access).
// A key present with an empty value gives the empty text.
std::optional<QString> profileString(const QString &path, const QString &section, const QString &key);

// The integer written at the start of the value: an optional "-" followed by decimal
// digits ("12abc" gives 12, "abc" gives 0); values beyond the range of int are clamped.
// `defaultValue` when the key is missing or its value is empty.
int profileInt(const QString &path, const QString &section, const QString &key, int defaultValue);
// The same reading of a value already at hand.
int integerAt(const std::optional<QString> &value, int defaultValue);

// Stores `value` as the value of `key` in `section`, creating the file, the section and
// the key as needed. A value that would not read back unchanged (blanks at either end, or
// enclosed in double quotes) is stored in double quotes; line breaks become blanks and the
// value ends at a NUL character, since a value is one line of the file.
//
// Throws ErrorValue (source "WritePrivateProfileString") when the value cannot be stored;
// the file is then unchanged:
//   5  the section or key cannot be written as an INI name (empty, a line break, "=" in a
//      key, "]" in a section, a key that would read as a section line or a comment);
//   52 the path names no usable file (empty, ends in "/", holds a NUL);
//   76 the folder of the file does not exist, or a part of its path is not a folder;
//   75 the file or its folder cannot be read or written: no permission, a read-only file
//      (no write permission bit), the path is a folder, pipe or device, or the write failed.
// Error 53 is never raised here: a missing file is created, not reported.
void writeProfileString(const QString &path, const QString &section, const QString &key,
                        const QString &value);

struct ProfileEntry
{
    QString section;
    QString key;
    QString value;
};

// Stores several values with one rewrite of the file; the file ends as writing them one by
// one in this order would leave it. On an error nothing of them is stored.
void writeProfileStrings(const QString &path, const QList<ProfileEntry> &entries);

} // namespace Profile
