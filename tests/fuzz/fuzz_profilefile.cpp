// Feeds arbitrary file bytes to the settings file reader and writer, then a sequence of reads
// and writes decoded from the rest of the input. Checked after every write: the lines it did
// not touch are still there byte for byte and in order, the value written reads back, and
// every other value read before reads the same after. A write that is refused leaves the
// file unchanged.
//
// Input: <file bytes> "\0OPS" <script>. Without the marker the whole input is the file and
// the script reads every key of the file and writes one value to each.

#include "common/errorvalue.h"
#include "settings/profilefile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &before, const QString &detail = QString())
{
    std::fprintf(stderr, "property broken: %s\n%s\nfile before:\n%s\n", what, qUtf8Printable(detail),
                 before.toHex(' ').constData());
    std::abort();
}

QString scratchPath()
{
    // tmpfs when there is one: every write ends in an fsync.
    static const QString path = [] {
        const QString base =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString folder = base + QStringLiteral("/vardeko-fuzz-ini-") + QString::number(getpid());
        QDir().mkpath(folder);
        return folder + QStringLiteral("/QOMBRA_Config.ini");
    }();
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

// The file cut after every "\n"; the last piece may lack it.
QList<QByteArray> pieces(const QByteArray &bytes)
{
    QList<QByteArray> out;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        out.append(bytes.mid(start, end - start));
        start = end;
    }
    return out;
}

bool sameLine(const QByteArray &oldPiece, const QByteArray &newPiece, bool oldIsLast)
{
    if (oldPiece == newPiece)
        return true;
    // The last line of a file without a final line break gets one when a line follows it.
    return oldIsLast && !oldPiece.endsWith('\n') && newPiece.startsWith(oldPiece) &&
           (newPiece.mid(oldPiece.size()) == "\n" || newPiece.mid(oldPiece.size()) == "\r\n");
}

// Whether every line is UTF-8, a character cut off at a line's end aside.
bool linesAreUtf8(const QByteArray &bytes)
{
    for (QByteArray line : pieces(bytes)) {
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        QStringDecoder utf8(QStringConverter::Utf8);
        const QString decoded = utf8(line);
        if (utf8.hasError())
            return false;
    }
    return true;
}

// A write changes at most one line and adds at most two; everything else stays in order.
// The one exception: a legacy file that would read as UTF-8 after the write is converted.
void checkUntouchedLines(const QByteArray &before, const QByteArray &after)
{
    if (!linesAreUtf8(before) && linesAreUtf8(after))
        return;
    const QList<QByteArray> oldLines = pieces(before);
    const QList<QByteArray> newLines = pieces(after);
    const qsizetype n = oldLines.size();
    const qsizetype m = newLines.size();
    if (m < n || m > n + 2)
        fail("a write removed lines or added more than two", before, QString::fromUtf8(after.toHex(' ')));
    qsizetype prefix = 0;
    while (prefix < n && prefix < m && sameLine(oldLines[prefix], newLines[prefix], prefix == n - 1))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < n - prefix && suffix < m - prefix &&
           sameLine(oldLines[n - 1 - suffix], newLines[m - 1 - suffix], suffix == 0))
        ++suffix;
    if (n - prefix - suffix > 1)
        fail("a write changed more than one line", before, QString::fromUtf8(after.toHex(' ')));
    if (m - prefix - suffix > 2)
        fail("a write touched lines it should have left alone", before, QString::fromUtf8(after.toHex(' ')));
}

// What reading gives back for a stored value: one line ends at a NUL, line breaks become blanks.
QString expectedReadBack(const QString &value)
{
    QString expected = value.left(value.indexOf(QChar(u'\0')));
    expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return expected;
}

bool hasLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return true;
    }
    return false;
}

bool isIniBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\v') || c == QLatin1Char('\f');
}

QString trimmedName(const QString &name)
{
    qsizetype b = 0, e = name.size();
    while (b < e && isIniBlank(name.at(b)))
        ++b;
    while (e > b && isIniBlank(name.at(e - 1)))
        --e;
    return name.mid(b, e - b);
}

// A section and key that fit one INI line each.
bool writableNames(const QString &section, const QString &key)
{
    const auto oneLine = [](const QString &s) {
        return !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r')) && !s.contains(QChar(u'\0'));
    };
    const QString sectionName = trimmedName(section);
    const QString keyName = trimmedName(key);
    return oneLine(section) && oneLine(key) && !sectionName.isEmpty() && !keyName.isEmpty() &&
           !section.contains(QLatin1Char(']')) && !key.contains(QLatin1Char('=')) &&
           !keyName.startsWith(QLatin1Char('[')) && !keyName.startsWith(QLatin1Char(';'));
}

// Reads a script byte by byte; past its end every read gives 0.
class Script
{
public:
    Script(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    QString text()
    {
        const std::uint8_t head = byte();
        const std::size_t length = std::min<std::size_t>(head & 0x3f, m_size - std::min(m_pos, m_size));
        const auto *start = m_data + m_pos;
        m_pos += length;
        if (head & 0x40) { // raw UTF-16: lone surrogates and every code unit
            QString out;
            for (std::size_t i = 0; i + 1 < length; i += 2)
                out.append(QChar(char16_t(start[i] | (start[i + 1] << 8))));
            return out;
        }
        return QString::fromUtf8(reinterpret_cast<const char *>(start), qsizetype(length));
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

struct Fuzzer
{
    QString path;
    QByteArray original;
    QStringList names{QStringLiteral("链接"),      QStringLiteral("表达式"), QStringLiteral("数量"),
                      QStringLiteral("记录"),      QStringLiteral("记录0"),  QStringLiteral("链接0名称"),
                      QStringLiteral("链接0地址"), QStringLiteral(" 链接 "), QStringLiteral("Key"),
                      QStringLiteral("KEY")};
    QList<QPair<QString, QString>> seen; // pairs read so far, compared across every write

    QString pickName(Script &script)
    {
        const std::uint8_t choice = script.byte();
        if (choice & 0x80)
            return script.text();
        return names.at(choice % names.size());
    }

    QMap<int, std::optional<QString>> snapshot() const
    {
        QMap<int, std::optional<QString>> values;
        for (int i = 0; i < seen.size(); ++i)
            values.insert(i, Profile::profileString(path, seen[i].first, seen[i].second));
        return values;
    }

    void read(const QString &section, const QString &key)
    {
        const std::optional<QString> value = Profile::profileString(path, section, key);
        const int number = Profile::profileInt(path, section, key, -7);
        if (!value || value->isEmpty()) {
            if (number != -7)
                fail("profileInt of a missing or empty key is not the default", original);
        } else {
            // Up to nine digits the leading integer is exact.
            QString digits;
            const bool negative = value->startsWith(QLatin1Char('-'));
            for (qsizetype i = negative ? 1 : 0; i < value->size() && digits.size() < 10; ++i) {
                if (!value->at(i).isDigit() || value->at(i).unicode() > '9')
                    break;
                digits.append(value->at(i));
            }
            if (digits.size() < 10) {
                const int expected = digits.isEmpty() ? 0 : (negative ? -1 : 1) * digits.toInt();
                if (number != expected)
                    fail("profileInt disagrees with the leading digits of the value", original, *value);
            }
        }
        if (seen.size() < 16)
            seen.append({section, key});
    }

    void write(const QString &section, const QString &key, const QString &value)
    {
        const QByteArray before = readAll(path);
        const auto others = snapshot();
        // A lone surrogate has no encoding: such a name may be stored or refused, and what it
        // names cannot be read back.
        const bool encodable = !hasLoneSurrogate(section) && !hasLoneSurrogate(key);
        try {
            Profile::writeProfileString(path, section, key, value);
        } catch (const ErrorValue &error) {
            if (readAll(path) != before)
                fail("a refused write changed the file", original);
            if (error.number() != ErrorNumber::InvalidCall || (encodable && writableNames(section, key)))
                fail("a write was refused that should have been stored", original,
                     section + QLatin1Char('|') + key + QLatin1Char('|') + QString::number(error.number()));
            return;
        }
        if (!writableNames(section, key))
            fail("a write was stored under a name that cannot be written", original,
                 section + QLatin1Char('|') + key);
        const QByteArray after = readAll(path);
        checkUntouchedLines(before, after);
        if (!encodable || hasLoneSurrogate(value))
            return;
        const std::optional<QString> back = Profile::profileString(path, section, key);
        if (back != expectedReadBack(value))
            fail("a written value does not read back", original,
                 section + QLatin1Char('|') + key + QLatin1Char('|') + value + QLatin1Char('|') +
                     back.value_or(QStringLiteral("<missing>")));
        const auto othersAfter = snapshot();
        for (auto it = others.cbegin(); it != others.cend(); ++it) {
            const auto &[otherSection, otherKey] = seen[it.key()];
            const bool sameKey =
                trimmedName(otherSection).compare(trimmedName(section), Qt::CaseInsensitive) == 0 &&
                trimmedName(otherKey).compare(trimmedName(key), Qt::CaseInsensitive) == 0;
            // Names that differ only beyond ASCII case may still be the same key; skip those.
            if (!sameKey && othersAfter.value(it.key()) != it.value())
                fail("a write changed another value", original,
                     otherSection + QLatin1Char('|') + otherKey + QLatin1Char('|') +
                         it.value().value_or(QStringLiteral("<missing>")) + QLatin1Char('|') +
                         othersAfter.value(it.key()).value_or(QStringLiteral("<missing>")));
        }
        if (seen.size() < 16)
            seen.append({section, key});
    }

    void run(Script &script)
    {
        for (int step = 0; step < 64 && !script.atEnd(); ++step) {
            const std::uint8_t op = script.byte();
            const QString section = pickName(script);
            const QString key = pickName(script);
            if (op % 3 == 0) {
                read(section, key);
            } else {
                QString value = script.text();
                if (op & 0x80)
                    value = QLatin1Char(' ') + value + QLatin1Char('"'); // forms that need quoting
                write(section, key, value);
            }
        }
    }

    // The names of every section and key of the file, as the scan of a reader finds them.
    QList<QPair<QString, QString>> keysOf(const QByteArray &bytes)
    {
        QList<QPair<QString, QString>> keys;
        QString section;
        for (const QByteArray &piece : pieces(bytes)) {
            const QString line = QString::fromUtf8(piece).trimmed();
            if (line.startsWith(QLatin1Char('[')) && line.contains(QLatin1Char(']'))) {
                section = line.mid(1, line.lastIndexOf(QLatin1Char(']')) - 1);
                names.append(section);
            } else if (!section.isEmpty() && line.contains(QLatin1Char('=')) && keys.size() < 16) {
                keys.append({section, line.left(line.indexOf(QLatin1Char('=')))});
                names.append(keys.last().second);
            }
        }
        return keys;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype marker = input.lastIndexOf(QByteArray("\0OPS", 4));
    const QByteArray file = QByteArray(marker < 0 ? input : input.left(marker));

    Fuzzer fuzzer;
    fuzzer.path = scratchPath();
    fuzzer.original = file;
    writeAll(fuzzer.path, file);
    const auto keys = fuzzer.keysOf(file);

    if (marker >= 0) {
        Script script(data + marker + 4, size - std::size_t(marker) - 4);
        fuzzer.run(script);
    } else {
        for (const auto &[section, key] : keys)
            fuzzer.read(section, key);
        int i = 0;
        for (const auto &[section, key] : keys)
            fuzzer.write(section, key, QStringLiteral("值 %1").arg(++i));
        fuzzer.write(QStringLiteral("新节"), QStringLiteral("新键"), QStringLiteral(" \"quoted\" "));
    }
    return 0;
}
