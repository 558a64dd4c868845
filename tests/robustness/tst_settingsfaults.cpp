// The window starts on settings files and folders that are broken in the ways a desktop
// produces: a settings path that is a folder or a pipe, a read-only file, a folder that cannot be
// written, a file of random bytes, a file of 10 MB. Each start ends in the specified dialog
// or none, the file is not damaged further, and the window calculates afterwards.

#include "platform/recordingprompts.h"
#include "platform/recordingshell.h"
#include "settings/profilefile.h"
#include "settings/rwini.h"
#include "ui/frmmain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TstSettingsFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsOnBrokenSettings_data();
    void startsOnBrokenSettings();
};

namespace {

enum class Fault { PathIsFolder, PathIsPipe, ReadOnlyFile, UnwritableFolder, RandomBytes, HugeFile };

// The start-up dialog for a settings file the program cannot write (53 and 75 share it).
const QString CannotKeepSettings =
    QStringLiteral("这可能是由于配置文件正被使用或程序所在位置不可读写引起的。\r\n\r\n"
                   "程序不能保存表达式记录、链接等信息。");

const QByteArray FreshFile("[链接]\n数量=0\n[表达式]\n记录=1\n数量=0\n");

QByteArray randomBytes(qsizetype size)
{
    QRandomGenerator random(20240501); // fixed: the same bytes on every run
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// A settings file whose first history entry is far longer than a value may be.
QByteArray hugeFile()
{
    QByteArray file("[链接]\r\n数量=0\r\n[表达式]\r\n记录=1\r\n数量=1\r\n记录0=");
    file += QByteArray("1+").repeated(5 * 1024 * 1024);
    file += "1\r\n";
    return file;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TstSettingsFaults::startsOnBrokenSettings_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("cannotWrite"); // the start-up reports that nothing can be kept

    QTest::newRow("a settings path that is a folder is reported and the window runs")
        << int(Fault::PathIsFolder) << true;
    QTest::newRow("a settings path that is a pipe is never read (no start-up hangs on it)")
        << int(Fault::PathIsPipe) << true;
    QTest::newRow("a read-only settings file is reported, kept unchanged, and the window runs")
        << int(Fault::ReadOnlyFile) << true;
    QTest::newRow("a folder that cannot be written is reported and no file appears")
        << int(Fault::UnwritableFolder) << true;
    QTest::newRow("a file of random bytes keeps its bytes and gains the settings")
        << int(Fault::RandomBytes) << false;
    QTest::newRow("a 10 MB file starts with its history entry cut to the value limit")
        << int(Fault::HugeFile) << false;
}

void TstSettingsFaults::startsOnBrokenSettings()
{
    QFETCH(int, fault);
    QFETCH(bool, cannotWrite);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    QString folder = temporary.path();
    QString iniPath = QDir(folder).filePath(RWini::fileName());
    QByteArray before;

    switch (Fault(fault)) {
    case Fault::PathIsFolder:
        QVERIFY(QDir().mkpath(iniPath));
        break;
    case Fault::PathIsPipe:
        QCOMPARE(::mkfifo(QFile::encodeName(iniPath).constData(), 0600), 0);
        break;
    case Fault::ReadOnlyFile:
        // The write permission bits are honoured even for root, who could write anyway.
        before = FreshFile;
        QVERIFY(writeFile(iniPath, before));
        QVERIFY(QFile::setPermissions(iniPath, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        break;
    case Fault::UnwritableFolder:
        if (::geteuid() == 0) {
            // Root writes through permission bits; the kernel's process folder refuses new
            // files to everyone.
            folder = QDir(QStringLiteral("/proc/self")).canonicalPath();
            iniPath = QDir(folder).filePath(RWini::fileName());
        } else {
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        break;
    case Fault::RandomBytes:
        before = randomBytes(64 * 1024);
        QVERIFY(writeFile(iniPath, before));
        break;
    case Fault::HugeFile:
        before = hugeFile();
        QVERIFY(writeFile(iniPath, before));
        break;
    }

    RecordingPrompts prompts;
    RecordingShell shell;
    int ended = 0;
    bool started = false;
    {
        FrmMain window(prompts, shell, folder, [&ended] { ++ended; });
        started = window.Form_Load();
        QVERIFY(started);
        QCOMPARE(ended, 0);

        if (cannotWrite) {
            QCOMPARE(prompts.calls.size(), 1);
            const RecordingPrompts::Call &call = prompts.calls.first();
            QCOMPARE(call.icon, MessageIcon::Critical);
            QCOMPARE(call.title, QStringLiteral("错误！"));
            QCOMPARE(call.buttons, MessageButtons::Ok);
            QVERIFY2(call.text.startsWith(QStringLiteral("  错误：75——")) ||
                         call.text.startsWith(QStringLiteral("  错误：53——")),
                     qPrintable(call.text));
            QVERIFY2(call.text.endsWith(CannotKeepSettings), qPrintable(call.text));
        } else {
            QVERIFY2(prompts.calls.isEmpty(), qPrintable(prompts.messageTexts().join(QLatin1Char('\n'))));
        }

        if (Fault(fault) == Fault::HugeFile) {
            auto *history = window.findChild<QComboBox *>(QStringLiteral("CombKJSR"));
            QVERIFY(history);
            QCOMPARE(history->count(), 1);
            QCOMPARE(history->itemText(0).size(), qsizetype(Profile::MaxValueBytes));
        }

        // The window still calculates.
        prompts.clear();
        auto *expression = window.findChild<QComboBox *>(QStringLiteral("CombKJSR"));
        auto *result = window.findChild<QLineEdit *>(QStringLiteral("TxtJieGuo"));
        QVERIFY(expression);
        QVERIFY(result);
        expression->setEditText(QStringLiteral("(1+2)*3"));
        window.CmdOK_Click();
        QCOMPARE(result->text(), QStringLiteral("9.000"));
        QVERIFY(prompts.calls.isEmpty());
    }

    switch (Fault(fault)) {
    case Fault::PathIsFolder:
        QVERIFY(QFileInfo(iniPath).isDir());
        break;
    case Fault::PathIsPipe:
        QVERIFY(QFileInfo(iniPath).exists() && !QFileInfo(iniPath).isFile()); // still the pipe
        break;
    case Fault::ReadOnlyFile:
        QCOMPARE(readFile(iniPath), before);
        break;
    case Fault::UnwritableFolder:
        QVERIFY(!QFileInfo::exists(iniPath));
        QFile::setPermissions(temporary.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        break;
    case Fault::RandomBytes:
    case Fault::HugeFile: {
        // Every byte that was there is still there; the settings were added or read.
        const QByteArray after = readFile(iniPath);
        QVERIFY(after.startsWith(before));
        QCOMPARE(Profile::profileInt(iniPath, QStringLiteral("表达式"), QStringLiteral("记录"), -1), 1);
        QCOMPARE(Profile::profileInt(iniPath, QStringLiteral("链接"), QStringLiteral("数量"), -1), 0);
        break;
    }
    }
}

QTEST_MAIN(TstSettingsFaults)
#include "tst_settingsfaults.moc"
