#include "settings/rwini.h"

#include "common/errorvalue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/mount.h>

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

// A small tmpfs on `folder`, unmounted again at the end of the test: a file system that
// really refuses a write, which permission bits do not do for root.
struct TmpfsMount
{
    explicit TmpfsMount(const QString &folder) : path(QFile::encodeName(folder))
    {
        mounted = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~TmpfsMount()
    {
        if (mounted)
            ::umount2(path.constData(), MNT_DETACH);
    }
    bool remountReadOnly()
    {
        return ::mount("tmpfs", path.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0;
    }
    // Takes every free block, so that no rewrite of a file finds room.
    void fill()
    {
        QFile filler(QString::fromLocal8Bit(path) + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
    QByteArray path;
    bool mounted = false;
};

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
    void failedWritesKeepTheFileAndAreNotedOnce_data();
    void failedWritesKeepTheFileAndAreNotedOnce();
    void unwritableSettingsAreReportedOnceAtTheEndOfStartup_data();
    void unwritableSettingsAreReportedOnceAtTheEndOfStartup();

private:
    QString programDirectory() const { return m_dir.path(); }

    QTemporaryDir m_dir;
    QStringList m_notices; // what the settings store handed to the status bar
};

void TestRWini::init()
{
    QVERIFY(m_dir.isValid());
    QFile::remove(m_dir.filePath(RWini::fileName()));
    m_notices.clear();
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

    RWini ini([this](const QString &notice) { m_notices << notice; });
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

    RWini ini([this](const QString &notice) { m_notices << notice; });
    ini.setProgramDirectory(programDirectory());
    if (before != NoFile)
        writeBytes(ini.IniPath(), before);
    QCOMPARE(ini.GetIniS(QStringLiteral("链接"), QStringLiteral("链接0名称"), defaultValue), expected);
    QCOMPARE(readBytes(ini.IniPath()), after);
    QVERIFY(m_notices.isEmpty());
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

    RWini ini([this](const QString &notice) { m_notices << notice; });
    ini.setProgramDirectory(programDirectory());
    if (before != NoFile)
        writeBytes(ini.IniPath(), before);
    QCOMPARE(ini.GetIniN(QStringLiteral("表达式"), QStringLiteral("记录"), defaultValue), expected);
    QCOMPARE(readBytes(ini.IniPath()), after);
}

void TestRWini::firstStartWritesTheDefaults()
{
    // The reads and writes a first start makes, in its order.
    RWini ini([this](const QString &notice) { m_notices << notice; });
    ini.setProgramDirectory(programDirectory());
    QCOMPARE(ini.GetIniN(QStringLiteral("链接"), QStringLiteral("数量"), 0), 0);
    QCOMPARE(ini.GetIniN(QStringLiteral("表达式"), QStringLiteral("记录"), 1), 1);
    ini.SetIniN(QStringLiteral("表达式"), QStringLiteral("记录"), 1);
    QCOMPARE(ini.GetIniN(QStringLiteral("表达式"), QStringLiteral("数量"), 0), 0);
    QCOMPARE(readBytes(ini.IniPath()), QStringLiteral("[链接]\n数量=0\n[表达式]\n记录=1\n数量=0\n").toUtf8());
    QVERIFY(m_notices.isEmpty());
}

void TestRWini::setKeepsLeftoverKeys()
{
    RWini ini([this](const QString &notice) { m_notices << notice; });
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

void TestRWini::failedWritesKeepTheFileAndAreNotedOnce_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");
    // The system's reason where there is one, in Chinese.
    QTest::newRow("settings file is a folder") << "folder" << QStringLiteral("是一个文件夹");
    QTest::newRow("read-only settings file") << "read-only" << QStringLiteral("文件为只读");
    QTest::newRow("program folder is a file") << "parent-file" << QStringLiteral("路径未找到");
    QTest::newRow("program folder gone") << "missing" << QStringLiteral("路径未找到");
    QTest::newRow("unusable file name") << "bad-name" << QStringLiteral("错误的文件名或号码");
    QTest::newRow("read-only file system") << "read-only-mount" << QStringLiteral("文件为只读");
    QTest::newRow("full disk") << "full-mount" << QStringLiteral("磁盘已满");
}

// Stores, reads with a write-back, and stores again where the file cannot be written: none of
// it throws, the file keeps its bytes, and one notice names the reason.
void TestRWini::failedWritesKeepTheFileAndAreNotedOnce()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);

    RWini ini([this](const QString &notice) { m_notices << notice; });
    QString folder = programDirectory();
    std::unique_ptr<TmpfsMount> mount;
    if (setup.endsWith(QLatin1String("-mount"))) {
        folder = m_dir.filePath(QStringLiteral("mnt"));
        QVERIFY(QDir().mkpath(folder));
        mount = std::make_unique<TmpfsMount>(folder);
        if (!mount->mounted)
            QSKIP("mounting a tmpfs is not permitted here");
    }
    const QString oldFile = QDir(folder).filePath(RWini::fileName());
    const QByteArray old("[表达式]\n记录=1\n");
    writeBytes(oldFile, old);
    ini.setProgramDirectory(folder);
    if (setup == QLatin1String("folder")) {
        ini.setProgramDirectory(m_dir.filePath(QStringLiteral("sub")));
        QVERIFY(QDir().mkpath(ini.IniPath()));
    } else if (setup == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(oldFile, QFileDevice::ReadOwner));
    } else if (setup == QLatin1String("parent-file")) {
        ini.setProgramDirectory(oldFile);
    } else if (setup == QLatin1String("missing")) {
        ini.setProgramDirectory(m_dir.filePath(QStringLiteral("missing")));
    } else if (setup == QLatin1String("bad-name")) {
        ini.setProgramDirectory(m_dir.path() + QChar(u'\0'));
    } else if (setup == QLatin1String("read-only-mount")) {
        QVERIFY(mount->remountReadOnly());
    } else if (setup == QLatin1String("full-mount")) {
        mount->fill();
    }

    ini.SetIniS(QStringLiteral("表达式"), QStringLiteral("记录0"), QStringLiteral("1+1"));
    QCOMPARE(ini.GetIniS(QStringLiteral("链接"), QStringLiteral("链接0名称"), QStringLiteral("【无名】")),
             QStringLiteral("【无名】"));
    QCOMPARE(ini.GetIniN(QStringLiteral("链接"), QStringLiteral("数量"), 0), 0);
    ini.SetIniN(QStringLiteral("表达式"), QStringLiteral("数量"), 1);
    QFile::setPermissions(oldFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QCOMPARE(m_notices, QStringList{QStringLiteral("设置未能保存：") + reason});
    QCOMPARE(readBytes(oldFile), old);
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

    RWini ini([this](const QString &notice) { m_notices << notice; });
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
    QVERIFY(m_notices.isEmpty());

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
    QVERIFY(m_notices.isEmpty());
    QCOMPARE(readBytes(ini.IniPath()), fileExists ? stored : NoFile);
    if (fileExists)
        QFile::setPermissions(ini.IniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_GUILESS_MAIN(TestRWini)
#include "tst_rwini.moc"
