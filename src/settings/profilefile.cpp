#include "settings/profilefile.h"

#include "common/errorvalue.h"
#include "common/legacytext.h"
#include "common/systemreason.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

#include <limits>

namespace Profile {
namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

QString errorSource()
{
    return QStringLiteral("WritePrivateProfileString");
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\v') || c == QLatin1Char('\f');
}

// Only ASCII blanks count: a full-width blank is part of a Chinese value.
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QChar asciiLower(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + ('a' - 'A')) : c;
}

bool sameName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"'))
        return value.mid(1, value.size() - 2);
    return value;
}

struct Line
{
    enum class Kind { Other, Section, Key };

    QByteArray raw;        // the bytes of the line without its ending
    QByteArray terminator; // "\r\n", "\n", or empty for a last line without one
    QString text;          // `raw` decoded
    Kind kind = Kind::Other;
    QString name;             // section name or key, blanks removed
    qsizetype valueStart = 0; // Key: index in `text` of the first character after "="
};

enum class Encoding { Utf8, Legacy };

// The lines of one INI file as read from disk, able to write itself back with every
// untouched line unchanged.
class Document
{
public:
    enum class Load { Missing, Loaded, Unreadable };

    Load load(const QString &path);

    // Index of the first line of the section, or -1.
    qsizetype findSection(QStringView section) const;
    // Index of the first key line of the section starting at `sectionLine`, or -1; also the
    // index of the section's last key line (or of its section line) in `lastKeyLine`.
    qsizetype findKey(qsizetype sectionLine, QStringView key, qsizetype *lastKeyLine = nullptr) const;

    QString valueOf(qsizetype keyLine) const;

    void replaceValue(qsizetype keyLine, const QString &value);
    void insertLine(qsizetype before, const QString &text);
    void appendLine(const QString &text);

    QByteArray bytes() const;
    // The file as it was read; empty for a missing file.
    const QByteArray &originalBytes() const { return m_original; }
    // A file in the legacy encoding whose lines all happen to be UTF-8 after a write would be
    // read as UTF-8 next time, and any of its other characters would read differently: such
    // a file is written in UTF-8 instead, every line keeping its text.
    void keepReadable();
    QByteArray encode(const QString &text) const;
    int encodedLength(QStringView text) const;

private:
    void parse(const QByteArray &body);
    QString decode(const QByteArray &raw) const;
    static void classify(Line &line);

    QList<Line> m_lines;
    QByteArray m_original;
    QByteArray m_bom;
    QByteArray m_eol = "\n";
    Encoding m_encoding = Encoding::Utf8;
};

// UTF-8 when every line is UTF-8; a character cut off at the end of a line (a file cut short
// by an older writer) does not count against it. Lines are judged one by one because a write
// only ever adds or replaces whole lines: a file judged UTF-8 stays UTF-8 after it.
Encoding detectEncoding(const QByteArray &body)
{
    qsizetype start = 0;
    while (start < body.size()) {
        qsizetype end = body.indexOf('\n', start);
        if (end < 0)
            end = body.size();
        const qsizetype next = end + 1;
        if (end > start && body.at(end - 1) == '\r')
            --end;
        QStringDecoder utf8(QStringConverter::Utf8); // keeps a cut-off tail as state, no error
        const QString decoded = utf8(QByteArrayView(body).sliced(start, end - start));
        Q_UNUSED(decoded);
        if (utf8.hasError())
            return Encoding::Legacy;
        start = next;
    }
    return Encoding::Utf8;
}

Document::Load Document::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Load::Missing;
    // A folder, a pipe or a device is no settings file (and reading a pipe could block).
    if (!info.isFile())
        return Load::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Load::Unreadable;
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Load::Unreadable;

    m_original = all;
    QByteArray body = all;
    if (body.startsWith(Utf8Bom)) {
        m_bom = Utf8Bom;
        body.remove(0, Utf8Bom.size());
    }
    m_encoding = detectEncoding(body);
    parse(body);
    return Load::Loaded;
}

void Document::parse(const QByteArray &body)
{
    // "\n" never occurs inside a multi-byte character of UTF-8 or GB18030, so the bytes can be
    // split into lines before they are decoded.
    qsizetype start = 0;
    while (start < body.size()) {
        const qsizetype newline = body.indexOf('\n', start);
        Line line;
        if (newline < 0) {
            line.raw = body.mid(start);
            start = body.size();
        } else {
            qsizetype end = newline;
            if (end > start && body.at(end - 1) == '\r')
                --end;
            line.raw = body.mid(start, end - start);
            line.terminator = body.mid(end, newline + 1 - end);
            start = newline + 1;
        }
        line.text = decode(line.raw);
        classify(line);
        m_lines.append(line);
    }
    if (!m_lines.isEmpty() && !m_lines.first().terminator.isEmpty())
        m_eol = m_lines.first().terminator;
}

void Document::classify(Line &line)
{
    const QStringView trimmed = trimBlanks(line.text);
    if (trimmed.startsWith(QLatin1Char(';')))
        return;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = trimBlanks(trimmed.mid(1, close - 1)).toString();
        }
        return;
    }
    const qsizetype equals = line.text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return;
    line.kind = Line::Kind::Key;
    line.name = trimBlanks(QStringView(line.text).left(equals)).toString();
    line.valueStart = equals + 1;
}

QString Document::decode(const QByteArray &raw) const
{
    if (m_encoding == Encoding::Utf8)
        return QString::fromUtf8(raw);
    return LegacyText::decode(raw);
}

QByteArray Document::encode(const QString &text) const
{
    if (m_encoding == Encoding::Utf8)
        return text.toUtf8();
    return LegacyText::encode(text);
}

int Document::encodedLength(QStringView text) const
{
    if (m_encoding == Encoding::Utf8)
        return int(text.toUtf8().size());
    return int(LegacyText::encode(text).size());
}

qsizetype Document::findSection(QStringView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (m_lines.at(i).kind == Line::Kind::Section && sameName(m_lines.at(i).name, section))
            return i;
    return -1;
}

qsizetype Document::findKey(qsizetype sectionLine, QStringView key, qsizetype *lastKeyLine) const
{
    qsizetype found = -1;
    qsizetype last = sectionLine;
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        const Line &current = m_lines.at(i);
        if (current.kind == Line::Kind::Section)
            break;
        if (current.kind != Line::Kind::Key)
            continue;
        last = i;
        if (found < 0 && sameName(current.name, key)) {
            found = i;
            if (!lastKeyLine)
                break;
        }
    }
    if (lastKeyLine)
        *lastKeyLine = last;
    return found;
}

QString Document::valueOf(qsizetype keyLine) const
{
    const Line &keyText = m_lines.at(keyLine);
    return unquoted(trimBlanks(QStringView(keyText.text).mid(keyText.valueStart))).toString();
}

void Document::replaceValue(qsizetype keyLine, const QString &value)
{
    Line &target = m_lines[keyLine];
    // Keep the key as it is spelled in the file, the "=" and any blanks after it.
    // A blank-only old value leaves no blanks behind.
    qsizetype start = target.valueStart;
    while (start < target.text.size() && isBlank(target.text.at(start)))
        ++start;
    if (start == target.text.size())
        start = target.valueStart;
    target.text = target.text.left(start) + value;
    target.raw = encode(target.text);
}

void Document::insertLine(qsizetype before, const QString &text)
{
    Line line;
    line.text = text;
    line.raw = encode(text);
    line.terminator = m_eol;
    classify(line); // later writes of the same rewrite find the new section or key
    if (before > 0 && m_lines.at(before - 1).terminator.isEmpty())
        m_lines[before - 1].terminator = m_eol;
    m_lines.insert(before, line);
}

void Document::appendLine(const QString &text)
{
    insertLine(m_lines.size(), text);
}

void Document::keepReadable()
{
    if (m_encoding != Encoding::Legacy || detectEncoding(bytes().mid(m_bom.size())) != Encoding::Utf8)
        return;
    m_encoding = Encoding::Utf8;
    for (Line &line : m_lines)
        line.raw = line.text.toUtf8();
}

QByteArray Document::bytes() const
{
    QByteArray out = m_bom;
    for (const Line &line : m_lines) {
        out += line.raw;
        out += line.terminator;
    }
    return out;
}

// The value cut to at most `maxBytes` bytes of the file's encoding, never inside a character.
QString cutToBytes(const Document &document, const QString &value, int maxBytes)
{
    // Both encodings need at most 4 bytes per UTF-16 code unit, so short values need no count.
    if (value.size() * 4 <= maxBytes)
        return value;
    int used = 0;
    qsizetype i = 0;
    while (i < value.size()) {
        const qsizetype width = (value.at(i).isHighSurrogate() && i + 1 < value.size()) ? 2 : 1;
        const int bytes = document.encodedLength(QStringView(value).mid(i, width));
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += width;
    }
    return value.left(i);
}

void checkName(const QString &section, const QString &key)
{
    const auto hasBreak = [](QStringView text) {
        return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
               text.contains(QChar(u'\0'));
    };
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    const bool badSection = sectionName.isEmpty() || hasBreak(section) || section.contains(QLatin1Char(']'));
    const bool badKey = keyName.isEmpty() || hasBreak(key) || key.contains(QLatin1Char('=')) ||
                        keyName.startsWith(QLatin1Char('[')) || keyName.startsWith(QLatin1Char(';'));
    if (badSection || badKey)
        throw ErrorValue(ErrorNumber::InvalidCall, errorSource());
}

void checkPath(const QString &path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || path.contains(QChar(u'\0')))
        throw ErrorValue(ErrorNumber::BadFileName, errorSource());
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists() || !folder.isDir())
        throw ErrorValue(ErrorNumber::PathNotFound, errorSource());
    if (info.exists() && !info.isFile())
        throw ErrorValue(ErrorNumber::PathFileAccess, errorSource(),
                         info.isDir() ? SystemReason::IsFolder : SystemReason::NotAFile);
    if (info.exists()) {
        const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!info.isWritable() || !(info.permissions() & anyWrite))
            throw ErrorValue(ErrorNumber::PathFileAccess, errorSource(), SystemReason::ReadOnlyFile);
    }
}

// What is stored for `value` so that reading it gives `value` back as far as one line allows.
QString storedValue(const QString &value)
{
    QString stored = value.left(value.indexOf(QChar(u'\0')));
    stored.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool padded = !stored.isEmpty() && (isBlank(stored.front()) || isBlank(stored.back()));
    const bool quoted = unquoted(stored).size() != stored.size();
    if (padded || quoted)
        stored = QLatin1Char('"') + stored + QLatin1Char('"');
    return stored;
}

} // namespace

bool keepsWhole(const QString &value)
{
    // Both encodings need at most 4 bytes per UTF-16 code unit, so short values need no count.
    if (value.size() * 4 <= MaxValueBytes)
        return true;
    if (value.toUtf8().size() > MaxValueBytes)
        return false;
    return LegacyText::encode(value).size() <= MaxValueBytes;
}

std::optional<QString> profileString(const QString &path, const QString &section, const QString &key)
{
    Document document;
    if (document.load(path) != Document::Load::Loaded)
        return std::nullopt;
    const qsizetype sectionLine = document.findSection(trimBlanks(section));
    if (sectionLine < 0)
        return std::nullopt;
    const qsizetype keyLine = document.findKey(sectionLine, trimBlanks(key));
    if (keyLine < 0)
        return std::nullopt;
    return cutToBytes(document, document.valueOf(keyLine), MaxValueBytes);
}

int profileInt(const QString &path, const QString &section, const QString &key, int defaultValue)
{
    return integerAt(profileString(path, section, key), defaultValue);
}

int integerAt(const std::optional<QString> &value, int defaultValue)
{
    if (!value || value->isEmpty())
        return defaultValue;
    const QString &text = *value;
    const bool negative = text.startsWith(QLatin1Char('-'));
    long long magnitude = 0;
    for (qsizetype i = negative ? 1 : 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        magnitude = std::min<long long>(magnitude * 10 + (c.unicode() - '0'),
                                        static_cast<long long>(std::numeric_limits<int>::max()) + 1);
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(signedValue);
}

void writeProfileString(const QString &path, const QString &section, const QString &key, const QString &value)
{
    writeProfileStrings(path, {ProfileEntry{section, key, value}});
}

void writeProfileStrings(const QString &path, const QList<ProfileEntry> &entries)
{
    if (entries.isEmpty())
        return;
    for (const ProfileEntry &entry : entries)
        checkName(entry.section, entry.key);
    checkPath(path);

    Document document;
    if (document.load(path) == Document::Load::Unreadable) {
        // Writing would replace a file whose content was never seen: refuse instead.
        throw ErrorValue(ErrorNumber::PathFileAccess, errorSource());
    }

    for (const ProfileEntry &entry : entries) {
        const QString sectionName = trimBlanks(entry.section).toString();
        const QString keyName = trimBlanks(entry.key).toString();
        const QString stored = storedValue(entry.value);
        const qsizetype sectionLine = document.findSection(sectionName);
        if (sectionLine < 0) {
            document.appendLine(QLatin1Char('[') + sectionName + QLatin1Char(']'));
            document.appendLine(keyName + QLatin1Char('=') + stored);
        } else {
            qsizetype lastKeyLine = sectionLine;
            const qsizetype keyLine = document.findKey(sectionLine, keyName, &lastKeyLine);
            if (keyLine >= 0)
                document.replaceValue(keyLine, stored);
            else
                document.insertLine(lastKeyLine + 1, keyName + QLatin1Char('=') + stored);
        }
        document.keepReadable();
    }

    const QByteArray bytes = document.bytes();
    // Storing the text a key already holds changes no byte: leave the file alone rather than
    // rewrite and sync it. Only where a rewrite could succeed, so that a folder the program
    // cannot write is still reported on the first write, whatever the value.
    if (bytes == document.originalBytes() && QFileInfo(QFileInfo(path).absolutePath()).isWritable())
        return;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const bool folderGone = !QFileInfo(QFileInfo(path).absolutePath()).isDir();
        throw ErrorValue(folderGone ? ErrorNumber::PathNotFound : ErrorNumber::PathFileAccess, errorSource(),
                         folderGone ? QString()
                                    : chineseSystemReason(file.errorString()).value_or(QString()));
    }
    // The write is buffered: a full disk shows only when the buffer is flushed, and commit()
    // would not see that failure and put an empty file in place of the settings. So flush
    // first and give up (the old file stays) when it fails.
    // The system's reason (a full disk, a read-only file system) says more than error 75's text.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        throw ErrorValue(ErrorNumber::PathFileAccess, errorSource(),
                         chineseSystemReason(file.errorString()).value_or(QString()));
}

} // namespace Profile
