#include "settings/profilefile.h"

#include "common/errorvalue.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

#include <sys/stat.h>
#include <unistd.h>

using namespace Profile;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The file's inode: a rewrite through a temporary file and a rename gives a new one.
ino_t inodeOf(const QString &path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray gb18030(const QString &text)
{
    QStringEncoder encoder("GB18030");
    QByteArray bytes = encoder(text);
    return bytes;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("test.ini"));
        QFile::remove(m_path);
    }

    void readString_data();
    void readString();
    void readNothingFromMissingFileOrFolder();
    void readInt_data();
    void readInt();
    void write_data();
    void write();
    void roundTrip_data();
    void roundTrip();
    void newFileIsUtf8WithLineFeeds();
    void legacyFileStaysGb18030();
    void longValueIsCut_data();
    void longValueIsCut();
    void failedWriteRaisesAndKeepsFile_data();
    void failedWriteRaisesAndKeepsFile();
    void writeKeepsPermissions();
    void unchangedTextLeavesFileAlone_data();
    void unchangedTextLeavesFileAlone();
    void unchangedTextInUnwritableFolderStillFails();
    void severalWritesAtOnceEqualOneByOne_data();
    void severalWritesAtOnceEqualOneByOne();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestProfileFile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("expected");

    QTest::newRow("section name ignores ASCII case") << QByteArray("[Abc]\nkey=1\n") << "aBC"
                                                     << "key" << true << "1";
    QTest::newRow("key ignores ASCII case") << QByteArray("[s]\nMyKey=1\n") << "s"
                                            << "MYKEY" << true << "1";
    QTest::newRow("non-ASCII letters keep their case")
        << QByteArray("[\xC3\x84]\nk=1\n") << QString::fromUtf8("\xC3\xA4") << "k" << false << "";
    QTest::newRow("first matching key wins") << QByteArray("[s]\nk=1\nK=2\n") << "s"
                                             << "k" << true << "1";
    QTest::newRow("first matching section wins") << QByteArray("[s]\na=1\n[S]\nb=2\n") << "s"
                                                 << "b" << false << "";
    QTest::newRow("blanks around section name ignored") << QByteArray("  [  s \t]\nk=v\n") << "s"
                                                        << "k" << true << "v";
    QTest::newRow("blanks around key and value ignored") << QByteArray("[s]\n \t k  =  v  v \t \n") << "s"
                                                         << "k" << true << "v  v";
    QTest::newRow("blanks around requested names ignored") << QByteArray("[s]\nk=v\n") << " s "
                                                           << " k " << true << "v";
    QTest::newRow("one pair of quotes removed") << QByteArray("[s]\nk=  \"  v  \"  \n") << "s"
                                                << "k" << true << "  v  ";
    QTest::newRow("only the outer pair of quotes removed") << QByteArray("[s]\nk=\"\"v\"\"\n") << "s"
                                                           << "k" << true << "\"v\"";
    QTest::newRow("an unmatched quote is kept") << QByteArray("[s]\nk=\"v\n") << "s"
                                                << "k" << true << "\"v";
    QTest::newRow("a lone quote is kept") << QByteArray("[s]\nk=\"\n") << "s"
                                          << "k" << true << "\"";
    QTest::newRow("comment line is not a key") << QByteArray("[s]\n;k=1\n  ; k=3\nk=2\n") << "s"
                                               << "k" << true << "2";
    QTest::newRow("commented section is not a section") << QByteArray(";[s]\nk=1\n") << "s"
                                                        << "k" << false << "";
    QTest::newRow("key before any section belongs to none") << QByteArray("k=1\n[s]\n") << "s"
                                                            << "k" << false << "";
    QTest::newRow("key of the next section is not found") << QByteArray("[s]\n[t]\nk=1\n") << "s"
                                                          << "k" << false << "";
    QTest::newRow("empty value is found and empty") << QByteArray("[s]\nk=\n") << "s"
                                                    << "k" << true << "";
    QTest::newRow("CRLF line ends are not part of the value") << QByteArray("[s]\r\nk=v\r\n") << "s"
                                                              << "k" << true << "v";
    QTest::newRow("last line without line end") << QByteArray("[s]\nk=v") << "s"
                                                << "k" << true << "v";
    QTest::newRow("value keeps further equals signs") << QByteArray("[s]\nk = a=b\n") << "s"
                                                      << "k" << true << "a=b";
    QTest::newRow("inline semicolon belongs to the value") << QByteArray("[s]\nk=a ;b\n") << "s"
                                                           << "k" << true << "a ;b";
    QTest::newRow("full-width blank is part of the value")
        << QByteArray("[s]\nk=\xE3\x80\x80v\n") << "s"
        << "k" << true << QString::fromUtf8("\xE3\x80\x80v");
    QTest::newRow("line without equals sign is no key") << QByteArray("[s]\nk\n") << "s"
                                                        << "k" << false << "";
    QTest::newRow("UTF-8 byte-order mark skipped") << QByteArray("\xEF\xBB\xBF[s]\nk=v\n") << "s"
                                                   << "k" << true << "v";
    QTest::newRow("Chinese section and key")
        << QString::fromUtf8("[链接]\n链接0名称=计算器\n").toUtf8() << QString::fromUtf8("链接")
        << QString::fromUtf8("链接0名称") << true << QString::fromUtf8("计算器");
}

void TestProfileFile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, expected);

    writeBytes(m_path, content);
    const std::optional<QString> value = profileString(m_path, section, key);
    QCOMPARE(value.has_value(), found);
    if (found)
        QCOMPARE(*value, expected);
}

void TestProfileFile::readNothingFromMissingFileOrFolder()
{
    QVERIFY(!profileString(m_path, QStringLiteral("s"), QStringLiteral("k")).has_value());
    QCOMPARE(profileInt(m_path, QStringLiteral("s"), QStringLiteral("k"), 9), 9);
    QVERIFY(!QFileInfo::exists(m_path));

    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.ini")));
    QVERIFY(
        !profileString(m_dir.filePath(QStringLiteral("folder.ini")), QStringLiteral("s"), QStringLiteral("k"))
             .has_value());
}

void TestProfileFile::readInt_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("expected");

    QTest::newRow("digits then letters read the digits") << QByteArray("k=12abc") << 12;
    QTest::newRow("no leading digit reads 0") << QByteArray("k=abc") << 0;
    QTest::newRow("minus sign") << QByteArray("k=-5x") << -5;
    QTest::newRow("blanks around the number") << QByteArray("k=  42  ") << 42;
    QTest::newRow("quoted number") << QByteArray("k=\"15\"") << 15;
    QTest::newRow("leading zeros") << QByteArray("k=0012") << 12;
    QTest::newRow("decimal point ends the number") << QByteArray("k=3.9") << 3;
    QTest::newRow("lone minus reads 0") << QByteArray("k=-") << 0;
    QTest::newRow("plus sign is no number") << QByteArray("k=+3") << 0;
    QTest::newRow("too large clamps") << QByteArray("k=99999999999") << std::numeric_limits<int>::max();
    QTest::newRow("too small clamps") << QByteArray("k=-99999999999") << std::numeric_limits<int>::min();
    QTest::newRow("missing key gives the default") << QByteArray("other=1") << 7;
    QTest::newRow("empty value gives the default") << QByteArray("k=") << 7;
}

void TestProfileFile::readInt()
{
    QFETCH(QByteArray, line);
    QFETCH(int, expected);

    writeBytes(m_path, "[s]\n" + line + "\n");
    QCOMPARE(profileInt(m_path, QStringLiteral("s"), QStringLiteral("k"), 7), expected);
}

void TestProfileFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("value replaced in place, key spelling and blanks before the value kept")
        << QByteArray("[s]\n  KEY = old  \nz=1\n") << "s"
        << "key"
        << "new" << QByteArray("[s]\n  KEY = new\nz=1\n");
    QTest::newRow("new key after the last key line of its section")
        << QByteArray("[s]\na=1\n\n; note\n[t]\nb=2\n") << "s"
        << "k"
        << "v" << QByteArray("[s]\na=1\nk=v\n\n; note\n[t]\nb=2\n");
    QTest::newRow("new key right after the line of a section without keys")
        << QByteArray("[s]\n; c\n\n[t]\n") << "s"
        << "k"
        << "v" << QByteArray("[s]\nk=v\n; c\n\n[t]\n");
    QTest::newRow("new section appended at the end") << QByteArray("; top\n[a]\nx=1\n\n") << "s"
                                                     << "k"
                                                     << "v" << QByteArray("; top\n[a]\nx=1\n\n[s]\nk=v\n");
    QTest::newRow("line end added to a last line without one") << QByteArray("[a]\nx=1") << "s"
                                                               << "k"
                                                               << "v" << QByteArray("[a]\nx=1\n[s]\nk=v\n");
    QTest::newRow("new key after a last key line without line end") << QByteArray("[s]\na=1") << "s"
                                                                    << "k"
                                                                    << "v" << QByteArray("[s]\na=1\nk=v\n");
    QTest::newRow("replaced value on a last line without line end") << QByteArray("[s]\nk=1") << "s"
                                                                    << "k"
                                                                    << "2" << QByteArray("[s]\nk=2");
    QTest::newRow("empty file gets the section") << QByteArray() << "s"
                                                 << "k"
                                                 << "v" << QByteArray("[s]\nk=v\n");
    QTest::newRow("CRLF file stays CRLF") << QByteArray("[s]\r\na=1\r\n[t]\r\n") << "s"
                                          << "k"
                                          << "v" << QByteArray("[s]\r\na=1\r\nk=v\r\n[t]\r\n");
    QTest::newRow("CRLF file gets a CRLF section") << QByteArray("[a]\r\nx=1") << "s"
                                                   << "k"
                                                   << "v" << QByteArray("[a]\r\nx=1\r\n[s]\r\nk=v\r\n");
    QTest::newRow("only the first matching section is written")
        << QByteArray("[s]\na=1\n[S]\nk=old\n") << "s"
        << "k"
        << "v" << QByteArray("[s]\na=1\nk=v\n[S]\nk=old\n");
    QTest::newRow("only the first matching key is replaced") << QByteArray("[s]\nK=1\nk=2\n") << "s"
                                                             << "k"
                                                             << "3" << QByteArray("[s]\nK=3\nk=2\n");
    QTest::newRow("comments, unknown keys and odd spacing kept byte for byte")
        << QByteArray("; c1 \t\n[Other]  \n x = \"1\" \n[s]\n\t;k=9\nk=1\njunk line\r\n\n") << "s"
        << "k"
        << "2" << QByteArray("; c1 \t\n[Other]  \n x = \"1\" \n[s]\n\t;k=9\nk=2\njunk line\r\n\n");
    QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[s]\nk=1\n") << "s"
                                          << "k"
                                          << "2" << QByteArray("\xEF\xBB\xBF[s]\nk=2\n");
    QTest::newRow("blanks around written names dropped") << QByteArray("[s]\n") << " s "
                                                         << " k "
                                                         << "v" << QByteArray("[s]\nk=v\n");
    QTest::newRow("empty value written as nothing after the equals sign") << QByteArray("[s]\nk=1\n") << "s"
                                                                          << "k"
                                                                          << "" << QByteArray("[s]\nk=\n");
    QTest::newRow("value with blanks at its ends is quoted") << QByteArray("[s]\n") << "s"
                                                             << "k"
                                                             << "  x " << QByteArray("[s]\nk=\"  x \"\n");
    QTest::newRow("value in quotes is quoted again") << QByteArray("[s]\n") << "s"
                                                     << "k"
                                                     << "\"q\"" << QByteArray("[s]\nk=\"\"q\"\"\n");
    QTest::newRow("line breaks in a value cannot add lines")
        << QByteArray("[s]\n") << "s"
        << "k"
        << "a\r\n[t]\nb" << QByteArray("[s]\nk=a  [t] b\n");
}

void TestProfileFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    writeBytes(m_path, before);
    writeProfileString(m_path, section, key, value);
    QCOMPARE(readBytes(m_path), after);
}

void TestProfileFile::roundTrip_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "abc";
    QTest::newRow("Chinese") << QString::fromUtf8("【无名】");
    QTest::newRow("leading and trailing blanks") << "  a b  ";
    QTest::newRow("only blanks") << "   ";
    QTest::newRow("enclosed in quotes") << "\"x\"";
    QTest::newRow("quote at one end only") << "\"x";
    QTest::newRow("equals and semicolon") << "a=b;c";
    QTest::newRow("brackets") << "[s]";
    QTest::newRow("empty") << "";
}

void TestProfileFile::roundTrip()
{
    QFETCH(QString, value);

    writeBytes(m_path, "[s]\nk=old\n");
    writeProfileString(m_path, QStringLiteral("s"), QStringLiteral("k"), value);
    QCOMPARE(
        profileString(m_path, QStringLiteral("s"), QStringLiteral("k")).value_or(QStringLiteral("<missing>")),
        value);
    writeProfileString(m_path, QStringLiteral("s"), QStringLiteral("after"), QStringLiteral("1"));
    QCOMPARE(
        profileString(m_path, QStringLiteral("s"), QStringLiteral("k")).value_or(QStringLiteral("<missing>")),
        value);
}

void TestProfileFile::newFileIsUtf8WithLineFeeds()
{
    writeProfileString(m_path, QStringLiteral("链接"), QStringLiteral("数量"), QStringLiteral("0"));
    writeProfileString(m_path, QStringLiteral("表达式"), QStringLiteral("记录0"), QStringLiteral("π×2"));
    QCOMPARE(readBytes(m_path), QStringLiteral("[链接]\n数量=0\n[表达式]\n记录0=π×2\n").toUtf8());
}

void TestProfileFile::legacyFileStaysGb18030()
{
    const QString before = QStringLiteral("; 旧版本写的注释\r\n[链接]\r\n数量=2\r\n链接0名称=计算器\r\n"
                                          "链接0地址=C:\\程序\\calc.exe\r\n[表达式]\r\n记录=1\r\n");
    const QByteArray legacyBytes = gb18030(before);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString decoded = utf8(legacyBytes);
    Q_UNUSED(decoded);
    QVERIFY2(utf8.hasError(), "the legacy sample must not be valid UTF-8");
    writeBytes(m_path, legacyBytes);

    QCOMPARE(profileString(m_path, QStringLiteral("链接"), QStringLiteral("链接0名称")),
             QStringLiteral("计算器"));
    QCOMPARE(profileString(m_path, QStringLiteral("链接"), QStringLiteral("链接0地址")),
             QStringLiteral("C:\\程序\\calc.exe"));

    writeProfileString(m_path, QStringLiteral("链接"), QStringLiteral("链接1名称"), QStringLiteral("记事本"));
    writeProfileString(m_path, QStringLiteral("链接"), QStringLiteral("数量"), QStringLiteral("3"));
    writeProfileString(m_path, QStringLiteral("表达式"), QStringLiteral("记录0"), QStringLiteral("5×π"));
    const QString after = QStringLiteral("; 旧版本写的注释\r\n[链接]\r\n数量=3\r\n链接0名称=计算器\r\n"
                                         "链接0地址=C:\\程序\\calc.exe\r\n链接1名称=记事本\r\n[表达式]\r\n"
                                         "记录=1\r\n记录0=5×π\r\n");
    QCOMPARE(readBytes(m_path), gb18030(after));
    QCOMPARE(profileString(m_path, QStringLiteral("表达式"), QStringLiteral("记录0")), QStringLiteral("5×π"));
}

void TestProfileFile::longValueIsCut_data()
{
    QTest::addColumn<bool>("legacy");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    const QString ascii(70000, QLatin1Char('a'));
    QTest::newRow("ASCII cut at 65535 bytes") << false << ascii << ascii.left(65535);
    QTest::newRow("exactly 65535 bytes kept") << false << ascii.left(65535) << ascii.left(65535);
    const QString chinese = QStringLiteral("中").repeated(30000); // 3 bytes each in UTF-8
    QTest::newRow("UTF-8 cut between characters") << false << chinese << chinese.left(21845);
    QTest::newRow("GB18030 cut between characters") << true << chinese << chinese.left(32767);
    const QString emoji = QStringLiteral("a") + QString::fromUtf8("\xF0\x9F\x98\x80").repeated(20000);
    QTest::newRow("surrogate pair never split") << false << emoji << emoji.left(1 + 2 * 16383);
}

void TestProfileFile::longValueIsCut()
{
    QFETCH(bool, legacy);
    QFETCH(QString, value);
    QFETCH(QString, expected);

    // A legacy file is recognised by a non-UTF-8 line before the value.
    writeBytes(m_path, legacy ? gb18030(QStringLiteral("[旧]\n")) : QByteArray());
    writeProfileString(m_path, QStringLiteral("s"), QStringLiteral("k"), value);
    const QString read = profileString(m_path, QStringLiteral("s"), QStringLiteral("k")).value_or(QString());
    QCOMPARE(read.size(), expected.size());
    QCOMPARE(read, expected);
}

void TestProfileFile::failedWriteRaisesAndKeepsFile_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("number");

    QTest::newRow("parent of the file is a regular file: path not found") << "parent-file"
                                                                          << "s"
                                                                          << "k" << 76;
    QTest::newRow("missing folder: path not found") << "missing-folder"
                                                    << "s"
                                                    << "k" << 76;
    QTest::newRow("file is a folder: access error") << "folder"
                                                    << "s"
                                                    << "k" << 75;
    QTest::newRow("file is a pipe: access error") << "pipe"
                                                  << "s"
                                                  << "k" << 75;
    QTest::newRow("read-only file: access error") << "read-only"
                                                  << "s"
                                                  << "k" << 75;
    QTest::newRow("empty path: bad file name") << "empty-path"
                                               << "s"
                                               << "k" << 52;
    QTest::newRow("path ending in a slash: bad file name") << "slash"
                                                           << "s"
                                                           << "k" << 52;
    QTest::newRow("empty key: invalid argument") << "plain"
                                                 << "s"
                                                 << "  " << 5;
    QTest::newRow("equals sign in a key: invalid argument") << "plain"
                                                            << "s"
                                                            << "a=b" << 5;
    QTest::newRow("line break in a key: invalid argument") << "plain"
                                                           << "s"
                                                           << "a\nb" << 5;
    QTest::newRow("key that reads as a section: invalid argument") << "plain"
                                                                   << "s"
                                                                   << "[t]" << 5;
    QTest::newRow("key that reads as a comment: invalid argument") << "plain"
                                                                   << "s"
                                                                   << ";k" << 5;
    QTest::newRow("closing bracket in a section: invalid argument") << "plain"
                                                                    << "a]b"
                                                                    << "k" << 5;
    QTest::newRow("empty section: invalid argument") << "plain"
                                                     << ""
                                                     << "k" << 5;
}

void TestProfileFile::failedWriteRaisesAndKeepsFile()
{
    QFETCH(QString, setup);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, number);

    const QByteArray old("; keep me\n[s]\nk=old\n");
    writeBytes(m_path, old);
    QString target = m_path;
    if (setup == QLatin1String("parent-file"))
        target = m_path + QStringLiteral("/inner.ini");
    else if (setup == QLatin1String("missing-folder"))
        target = m_dir.filePath(QStringLiteral("no/such/folder.ini"));
    else if (setup == QLatin1String("folder")) {
        target = m_dir.filePath(QStringLiteral("folder.ini"));
        QVERIFY(QDir().mkpath(target));
    } else if (setup == QLatin1String("pipe")) {
        target = m_dir.filePath(QStringLiteral("pipe.ini"));
        QVERIFY(::mkfifo(QFile::encodeName(target).constData(), 0600) == 0);
        // Reading must not wait for a writer either.
        QVERIFY(!profileString(target, section, key).has_value());
    } else if (setup == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    else if (setup == QLatin1String("empty-path"))
        target.clear();
    else if (setup == QLatin1String("slash"))
        target = m_dir.path() + QLatin1Char('/');

    int raised = 0;
    try {
        writeProfileString(target, section, key, QStringLiteral("new"));
    } catch (const ErrorValue &error) {
        raised = error.number();
        QVERIFY(!error.description().isEmpty());
    }
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(raised, number);
    QCOMPARE(readBytes(m_path), old);
    QVERIFY(QFileInfo(m_dir.path()).isDir());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("test.ini")});
}

void TestProfileFile::writeKeepsPermissions()
{
    writeBytes(m_path, "[s]\nk=1\n");
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(m_path, permissions));
    writeProfileString(m_path, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2"));
    QCOMPARE(readBytes(m_path), QByteArray("[s]\nk=2\n"));
    QCOMPARE(QFile::permissions(m_path) & QFileDevice::Permissions(0x7077), permissions);
}

void TestProfileFile::unchangedTextLeavesFileAlone_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("rewritten");

    QTest::newRow("same value: not rewritten")
        << QByteArray("; c\n[s]\nk=1\n") << "1" << QByteArray("; c\n[s]\nk=1\n") << false;
    QTest::newRow("names in other letter case, CRLF: not rewritten")
        << QByteArray("[S]\r\nK = 1\r\n") << "1" << QByteArray("[S]\r\nK = 1\r\n") << false;
    QTest::newRow("padded value stored in quotes: not rewritten")
        << QByteArray("[s]\nk=\" a \"\n") << " a " << QByteArray("[s]\nk=\" a \"\n") << false;
    QTest::newRow("legacy encoding, same Chinese value: not rewritten")
        << (QByteArray("[s]\nk=") + gb18030(QStringLiteral("钢管")) + '\n') << "钢管"
        << (QByteArray("[s]\nk=") + gb18030(QStringLiteral("钢管")) + '\n') << false;
    QTest::newRow("other value: rewritten")
        << QByteArray("[s]\nk=1\n") << "2" << QByteArray("[s]\nk=2\n") << true;
    QTest::newRow("same value read through trailing blanks: rewritten without them")
        << QByteArray("[s]\nk=1  \n") << "1" << QByteArray("[s]\nk=1\n") << true;
    QTest::newRow("same value as a later duplicate key: first key rewritten")
        << QByteArray("[s]\nk=1\nk=2\n") << "2" << QByteArray("[s]\nk=2\nk=2\n") << true;
    QTest::newRow("missing key: rewritten") << QByteArray("[s]\n") << "" << QByteArray("[s]\nk=\n") << true;
}

void TestProfileFile::unchangedTextLeavesFileAlone()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QFETCH(bool, rewritten);

    writeBytes(m_path, before);
    const ino_t inode = inodeOf(m_path);
    QVERIFY(inode != 0);
    writeProfileString(m_path, QStringLiteral("s"), QStringLiteral("k"), value);
    QCOMPARE(readBytes(m_path), after);
    QCOMPARE(inodeOf(m_path) != inode, rewritten);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("test.ini")});
}

void TestProfileFile::unchangedTextInUnwritableFolderStillFails()
{
    if (::geteuid() == 0)
        QSKIP("folder permissions do not bind the superuser");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.ini"));
    writeBytes(path, "[s]\nk=1\n");
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    int raised = 0;
    try {
        writeProfileString(path, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("1"));
    } catch (const ErrorValue &error) {
        raised = error.number();
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(raised, 75);
}

void TestProfileFile::severalWritesAtOnceEqualOneByOne_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("no file yet: sections and keys made by earlier writes are found again")
        << QByteArray("<missing>");
    QTest::newRow("keys added after the last key of an existing section, CRLF kept")
        << QByteArray("; kept\r\n[链接]\r\n数量=2\r\n\r\n[other]\r\nx=1\r\n");
    QTest::newRow("existing values replaced in place, letter case of names ignored")
        << QByteArray("[表达式]\nRECORD=5\n数量=3\n记录0=1+1\n");
    QTest::newRow("a legacy file stays in its code page")
        << QByteArray("[\xb1\xed]\nk=v\n[\xc1\xb4\xbd\xd3]\n");
}

void TestProfileFile::severalWritesAtOnceEqualOneByOne()
{
    QFETCH(QByteArray, before);
    const QList<ProfileEntry> entries = {
        {QStringLiteral("链接"), QStringLiteral("数量"), QStringLiteral("0")},
        {QStringLiteral("表达式"), QStringLiteral("record"), QStringLiteral("1")},
        {QStringLiteral("表达式"), QStringLiteral("记录0"), QString()},
        {QStringLiteral("表达式"), QStringLiteral("记录1"), QStringLiteral("  padded  ")},
        {QStringLiteral("表达式"), QStringLiteral("记录0"), QStringLiteral("2*3")},
        {QStringLiteral("new"), QStringLiteral("a"), QStringLiteral("1")},
        {QStringLiteral("NEW"), QStringLiteral("b"), QStringLiteral("2")},
    };
    const auto start = [&] {
        QFile::remove(m_path);
        if (before != "<missing>")
            writeBytes(m_path, before);
    };

    start();
    for (const ProfileEntry &entry : entries)
        writeProfileString(m_path, entry.section, entry.key, entry.value);
    const QByteArray oneByOne = readBytes(m_path);

    start();
    writeProfileStrings(m_path, entries);
    QCOMPARE(readBytes(m_path), oneByOne);
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
