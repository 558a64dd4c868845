#include "settings/rwini.h"

#include "common/errorvalue.h"
#include "platform/contact.h"
#include "platform/recordingprompts.h"
#include "platform/recordingshell.h"
#include "platform/version.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QByteArray NoFile("<missing>");

} // namespace

class TestRWini : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void iniPath_data();
    void iniPath();
    void getIniS_data();
    void getIniS();
    void getIniN_data();
    void getIniN();
    void firstStartWritesTheDefaults();
    void setKeepsLeftoverKeys();
    void writeErrorDialogs_data();
    void writeErrorDialogs();
    void mailLinkEncodesTheSubject();
    void programEndsWhenTheMailCannotBeOpened();
    void nothingIsWrittenAfterAFailedWrite();
    void readerWriteBackErrorPropagates();
    void unwritableSettingsAreReportedOnceAtTheEndOfStartup_data();
    void unwritableSettingsAreReportedOnceAtTheEndOfStartup();

private:
    QString programDirectory() const { return m_dir.path(); }

    QTemporaryDir m_dir;
    RecordingPrompts m_prompts;
    RecordingShell m_shell;
    int m_ends = 0;
};

void TestRWini::init()
{
    QVERIFY(m_dir.isValid());
    QFile::remove(m_dir.filePath(RWini::fileName()));
    m_prompts.calls.clear();
    m_prompts.messageAnswers.clear();
    m_shell.calls.clear();
    m_shell.answers.clear();
    m_ends = 0;
}

void TestRWini::iniPath_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("expected");

    QTest::newRow("separator added") << "/opt/vardeko"
                                     << "/opt/vardeko/QOMBRA_Config.ini";
    QTest::newRow("no doubled separator") << "/opt/vardeko/"
                                          << "/opt/vardeko/QOMBRA_Config.ini";
    QTest::newRow("root folder") << "/"
                                 << "/QOMBRA_Config.ini";
}

void TestRWini::iniPath()
{
    QFETCH(QString, directory);
    QFETCH(QString, expected);

    RWini ini(m_prompts, m_shell, [] {});
    ini.setProgramDirectory(directory);
    QCOMPARE(ini.IniPath(), expected);
}

void TestRWini::getIniS_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QByteArray>("after");

    const QString noName = QStringLiteral("【无名】");
    QTest::newRow("missing file is created with the default")
        << NoFile << noName << noName << QStringLiteral("[链接]\n链接0名称=【无名】\n").toUtf8();
    QTest::newRow("missing key gets the default")
        << QStringLiteral("[链接]\n数量=1\n").toUtf8() << noName << noName
        << QStringLiteral("[链接]\n数量=1\n链接0名称=【无名】\n").toUtf8();
    QTest::newRow("empty value reads as missing and gets the default")
        << QStringLiteral("[链接]\n链接0名称=\n").toUtf8() << noName << noName
        << QStringLiteral("[链接]\n链接0名称=【无名】\n").toUtf8();
    QTest::newRow("blank value reads as missing")
        << QStringLiteral("[链接]\n链接0名称=   \n").toUtf8() << noName << noName
        << QStringLiteral("[链接]\n链接0名称=【无名】\n").toUtf8();
    QTest::newRow("empty default is written back as an empty value")
        << QStringLiteral("[链接]\n").toUtf8() << QString() << QString()
        << QStringLiteral("[链接]\n链接0名称=\n").toUtf8();
    QTest::newRow("stored value returned, file untouched")
        << QStringLiteral("[链接]\n链接0名称 =  计算器  \n").toUtf8() << noName << QStringLiteral("计算器")
        << QStringLiteral("[链接]\n链接0名称 =  计算器  \n").toUtf8();
}

void TestRWini::getIniS()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, defaultValue);
    QFETCH(QString, expected);
    QFETCH(QByteArray, after);

    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    ini.setProgramDirectory(programDirectory());
    if (before != NoFile)
        writeBytes(ini.IniPath(), before);
    QCOMPARE(ini.GetIniS(QStringLiteral("链接"), QStringLiteral("链接0名称"), defaultValue), expected);
    QCOMPARE(readBytes(ini.IniPath()), after);
    QVERIFY(m_prompts.calls.isEmpty());
}

void TestRWini::getIniN_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<short>("defaultValue");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("missing file is created with the default")
        << NoFile << short(1) << 1 << QStringLiteral("[表达式]\n记录=1\n").toUtf8();
    QTest::newRow("missing key gets the default")
        << QStringLiteral("[表达式]\n数量=3\n").toUtf8() << short(1) << 1
        << QStringLiteral("[表达式]\n数量=3\n记录=1\n").toUtf8();
    // The trailing blanks vanish only if the line is written again.
    QTest::newRow("value equal to the default is rewritten")
        << QStringLiteral("[表达式]\n记录=1   \n").toUtf8() << short(1) << 1
        << QStringLiteral("[表达式]\n记录=1\n").toUtf8();
    QTest::newRow("other value is not written")
        << QStringLiteral("[表达式]\n记录=2   \n").toUtf8() << short(1) << 2
        << QStringLiteral("[表达式]\n记录=2   \n").toUtf8();
    QTest::newRow("12abc reads 12 and is not written")
        << QStringLiteral("[表达式]\n记录=12abc\n").toUtf8() << short(0) << 12
        << QStringLiteral("[表达式]\n记录=12abc\n").toUtf8();
    QTest::newRow("abc reads 0 and is written back as the default 0")
        << QStringLiteral("[表达式]\n记录=abc\n").toUtf8() << short(0) << 0
        << QStringLiteral("[表达式]\n记录=0\n").toUtf8();
    QTest::newRow("abc reads 0 and stays when the default is 1")
        << QStringLiteral("[表达式]\n记录=abc\n").toUtf8() << short(1) << 0
        << QStringLiteral("[表达式]\n记录=abc\n").toUtf8();
    QTest::newRow("empty value gets the default") << QStringLiteral("[表达式]\n记录=\n").toUtf8() << short(1)
                                                  << 1 << QStringLiteral("[表达式]\n记录=1\n").toUtf8();
    QTest::newRow("negative default written as its decimal text")
        << NoFile << short(-3) << -3 << QStringLiteral("[表达式]\n记录=-3\n").toUtf8();
    QTest::newRow("value beyond 16 bits returned whole")
        << QStringLiteral("[表达式]\n记录=70000\n").toUtf8() << short(1) << 70000
        << QStringLiteral("[表达式]\n记录=70000\n").toUtf8();
}

void TestRWini::getIniN()
{
    QFETCH(QByteArray, before);
    QFETCH(short, defaultValue);
    QFETCH(int, expected);
    QFETCH(QByteArray, after);

    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    ini.setProgramDirectory(programDirectory());
    if (before != NoFile)
        writeBytes(ini.IniPath(), before);
    QCOMPARE(ini.GetIniN(QStringLiteral("表达式"), QStringLiteral("记录"), defaultValue), expected);
    QCOMPARE(readBytes(ini.IniPath()), after);
}

void TestRWini::firstStartWritesTheDefaults()
{
    // The reads and writes a first start makes, in its order.
    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    ini.setProgramDirectory(programDirectory());
    QCOMPARE(ini.GetIniN(QStringLiteral("链接"), QStringLiteral("数量"), 0), 0);
    QCOMPARE(ini.GetIniN(QStringLiteral("表达式"), QStringLiteral("记录"), 1), 1);
    ini.SetIniN(QStringLiteral("表达式"), QStringLiteral("记录"), 1);
    QCOMPARE(ini.GetIniN(QStringLiteral("表达式"), QStringLiteral("数量"), 0), 0);
    QCOMPARE(readBytes(ini.IniPath()), QStringLiteral("[链接]\n数量=0\n[表达式]\n记录=1\n数量=0\n").toUtf8());
    QCOMPARE(m_ends, 0);
    QVERIFY(m_prompts.calls.isEmpty());
}

void TestRWini::setKeepsLeftoverKeys()
{
    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    ini.setProgramDirectory(programDirectory());
    QByteArray before = "[链接]\n数量=10\n";
    for (int i = 0; i < 10; ++i)
        before += QStringLiteral("链接%1名称=n%1\n链接%1地址=t%1\n").arg(i).toUtf8();
    writeBytes(ini.IniPath(), before);

    ini.SetIniN(QStringLiteral("链接"), QStringLiteral("数量"), 5);
    for (int i = 0; i < 5; ++i)
        ini.SetIniS(QStringLiteral("链接"), QStringLiteral("链接%1名称").arg(i),
                    QStringLiteral("m%1").arg(i));

    QByteArray after = "[链接]\n数量=5\n";
    for (int i = 0; i < 10; ++i)
        after += QStringLiteral("链接%1名称=%2%1\n链接%1地址=t%1\n")
                     .arg(QString::number(i), QString(QChar(i < 5 ? u'm' : u'n')))
                     .toUtf8();
    QCOMPARE(readBytes(ini.IniPath()), after);
}

void TestRWini::writeErrorDialogs_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");

    const QString crlf = QStringLiteral("\r\n");
    const QString contact =
        crlf + crlf + QStringLiteral("    若问题仍不能解决，请更新软件或与我联系E-Mail:") + contactAddress() +
        QStringLiteral("。") + crlf + crlf + QStringLiteral("    是否与我联系？");
    const QString accessText =
        QStringLiteral("    运行时遇到错误，错误号：75——路径/文件访问错误") + crlf + crlf +
        QStringLiteral("    这可能是程序所在位置无法顺利读写数据而导致的，") + crlf +
        QStringLiteral("请确认程序所在位置能够进行数据读写(程序磁盘未写保护)。") + contact;
    const QString pathText =
        QStringLiteral("    运行时遇到错误，错误号：76未知错误，错误号:76  （路径未找到 ）") + crlf + crlf +
        QStringLiteral("    请重新运行。") + contact;
    const QString nameText =
        QStringLiteral("    运行时遇到错误，错误号：52——文件名或文件号错误(错误的文件名或号码)") + crlf +
        crlf + QStringLiteral("    这可能是使用了错误的文件名或文件号而导致的，请检查后重新运行。") + contact;

    QTest::newRow("SetIniS, settings file is a folder: 75, Yes")
        << "folder" << false << true << 75 << accessText;
    QTest::newRow("SetIniN, settings file is a folder: 75, No")
        << "folder" << true << false << 75 << accessText;
    QTest::newRow("SetIniS, read-only settings file: 75, No")
        << "read-only" << false << false << 75 << accessText;
    QTest::newRow("SetIniN, program folder is a file: 76 as unknown, Yes")
        << "parent-file" << true << true << 76 << pathText;
    QTest::newRow("SetIniS, program folder is a file: 76 as unknown, No")
        << "parent-file" << false << false << 76 << pathText;
    QTest::newRow("SetIniS, unusable file name: 52, Yes") << "bad-name" << false << true << 52 << nameText;
}

void TestRWini::writeErrorDialogs()
{
    QFETCH(QString, setup);
    QFETCH(bool, integer);
    QFETCH(bool, answerYes);
    QFETCH(int, number);
    QFETCH(QString, text);

    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    const QString oldFile = m_dir.filePath(RWini::fileName());
    const QByteArray old("[表达式]\n记录=1\n");
    writeBytes(oldFile, old);
    ini.setProgramDirectory(programDirectory());
    if (setup == QLatin1String("folder")) {
        ini.setProgramDirectory(m_dir.filePath(QStringLiteral("sub")));
        QVERIFY(QDir().mkpath(ini.IniPath()));
    } else if (setup == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(oldFile, QFileDevice::ReadOwner));
    } else if (setup == QLatin1String("parent-file")) {
        ini.setProgramDirectory(oldFile);
    } else if (setup == QLatin1String("bad-name")) {
        ini.setProgramDirectory(m_dir.path() + QChar(u'\0'));
    }
    m_prompts.messageAnswers = {MessageAnswer::Ok, answerYes ? MessageAnswer::Yes : MessageAnswer::No};

    if (integer)
        ini.SetIniN(QStringLiteral("表达式"), QStringLiteral("记录"), 2);
    else
        ini.SetIniS(QStringLiteral("表达式"), QStringLiteral("记录0"), QStringLiteral("1+1"));
    QFile::setPermissions(oldFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QCOMPARE(m_prompts.calls.size(), 2);
    const RecordingPrompts::Call &first = m_prompts.calls.at(0);
    const RecordingPrompts::Call &second = m_prompts.calls.at(1);
    QCOMPARE(first.icon, MessageIcon::Critical);
    QCOMPARE(first.title, QStringLiteral("错误！"));
    QCOMPARE(first.text, integer ? QStringLiteral("  错误：Public Sub SetIniN")
                                 : QStringLiteral("  错误：Public Sub SetIniS"));
    QCOMPARE(first.buttons, MessageButtons::Ok);
    QCOMPARE(second.icon, MessageIcon::Critical);
    QCOMPARE(second.title, QStringLiteral("错误！"));
    QCOMPARE(second.text, text);
    QCOMPARE(second.buttons, MessageButtons::YesNo);

    QCOMPARE(m_shell.calls.size(), answerYes ? 1 : 0);
    if (answerYes) {
        const QUrl link(m_shell.calls.at(0).target);
        QCOMPARE(QUrlQuery(link).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Lumeth(版本:%1.%2.%3) 错误号：%4  （%5 ）")
                     .arg(VardekoVersionMajor)
                     .arg(VardekoVersionMinor)
                     .arg(VardekoVersionRevision)
                     .arg(number)
                     .arg(standardErrorDescription(number)));
    }
    QCOMPARE(m_ends, 1);
    QCOMPARE(readBytes(oldFile), old);
}

void TestRWini::mailLinkEncodesTheSubject()
{
    const ErrorValue error(1234, QString(), QStringLiteral("a&b=c+d #e?f"));
    const QString link = writeErrorMailLink(error);
    QVERIFY2(!link.contains(QLatin1Char(' ')), qPrintable(link));
    for (const QChar c : link)
        QVERIFY2(c.unicode() < 0x80, qPrintable(link));
    QVERIFY(link.startsWith(QStringLiteral("mailto:") + contactAddress() + QStringLiteral("?subject=")));

    const QUrl url(link);
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(), contactAddress());
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 1);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("Lumeth(版本:%1.%2.%3) 错误号：1234  （a&b=c+d #e?f ）")
                 .arg(VardekoVersionMajor)
                 .arg(VardekoVersionMinor)
                 .arg(VardekoVersionRevision));
}

void TestRWini::programEndsWhenTheMailCannotBeOpened()
{
    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    ini.setProgramDirectory(m_dir.filePath(QStringLiteral("missing")));
    m_prompts.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Yes};
    m_shell.answers = {false};
    ini.SetIniS(QStringLiteral("链接"), QStringLiteral("数量"), QStringLiteral("1"));
    QCOMPARE(m_shell.calls.size(), 1);
    QCOMPARE(m_prompts.calls.size(), 2);
    QCOMPARE(m_ends, 1);
}

void TestRWini::nothingIsWrittenAfterAFailedWrite()
{
    // The program is ending after the first failure; a caller still storing further keys
    // must not produce a half-written file or a second round of dialogs.
    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    ini.setProgramDirectory(m_dir.filePath(QStringLiteral("missing")));
    ini.SetIniN(QStringLiteral("表达式"), QStringLiteral("数量"), 2);
    ini.setProgramDirectory(programDirectory());
    ini.SetIniS(QStringLiteral("表达式"), QStringLiteral("记录0"), QStringLiteral("1+1"));
    ini.SetIniN(QStringLiteral("表达式"), QStringLiteral("数量"), 1);
    QCOMPARE(m_prompts.calls.size(), 2);
    QCOMPARE(m_ends, 1);
    QVERIFY(!QFile::exists(ini.IniPath()));
}

void TestRWini::readerWriteBackErrorPropagates()
{
    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    ini.setProgramDirectory(m_dir.filePath(QStringLiteral("missing")));
    int stringError = 0;
    int integerError = 0;
    try {
        ini.GetIniS(QStringLiteral("链接"), QStringLiteral("链接0名称"), QStringLiteral("【无名】"));
    } catch (const ErrorValue &error) {
        stringError = error.number();
    }
    try {
        ini.GetIniN(QStringLiteral("链接"), QStringLiteral("数量"), 0);
    } catch (const ErrorValue &error) {
        integerError = error.number();
    }
    QCOMPARE(stringError, 76);
    QCOMPARE(integerError, 76);
    QVERIFY(m_prompts.calls.isEmpty());
    QCOMPARE(m_ends, 0);
}

void TestRWini::unwritableSettingsAreReportedOnceAtTheEndOfStartup_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<int>("number");
    QTest::newRow("a folder that cannot hold the file ends start-up with 53") << false << 53;
    QTest::newRow("a read-only file ends start-up with 75 and keeps its bytes") << true << 75;
}

void TestRWini::unwritableSettingsAreReportedOnceAtTheEndOfStartup()
{
    QFETCH(bool, fileExists);
    QFETCH(int, number);

    RWini ini(m_prompts, m_shell, [this] { ++m_ends; });
    const QByteArray stored("[表达式]\n记录=2\n");
    if (fileExists) {
        ini.setProgramDirectory(programDirectory());
        writeBytes(ini.IniPath(), stored);
        // The permission bits are honoured for root too.
        QVERIFY(QFile::setPermissions(ini.IniPath(), QFileDevice::ReadOwner));
    } else {
        ini.setProgramDirectory(m_dir.filePath(QStringLiteral("missing")));
    }

    // Start-up reads with write-backs and stores the history size; none of it may stop the
    // window from opening completely.
    ini.beginStartup();
    QCOMPARE(ini.GetIniN(QStringLiteral("链接"), QStringLiteral("数量"), 0), 0);
    QCOMPARE(ini.GetIniS(QStringLiteral("链接"), QStringLiteral("链接0名称"), QStringLiteral("【无名】")),
             QStringLiteral("【无名】"));
    ini.SetIniS(QStringLiteral("表达式"), QStringLiteral("记录"), QStringLiteral("1"));
    QVERIFY(m_prompts.calls.isEmpty());

    int reported = 0;
    try {
        ini.finishStartup();
    } catch (const ErrorValue &error) {
        reported = error.number();
    }
    QCOMPARE(reported, number);
    QVERIFY(ini.settingsUnwritable());

    // The user has been told that nothing can be kept: storing later (the history at exit)
    // neither shows the write-error dialogs nor ends the program.
    ini.SetIniN(QStringLiteral("表达式"), QStringLiteral("数量"), 1);
    QVERIFY(m_prompts.calls.isEmpty());
    QCOMPARE(m_ends, 0);
    QCOMPARE(readBytes(ini.IniPath()), fileExists ? stored : NoFile);
    if (fileExists)
        QFile::setPermissions(ini.IniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_GUILESS_MAIN(TestRWini)
#include "tst_rwini.moc"
