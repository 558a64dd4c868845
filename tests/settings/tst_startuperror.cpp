#include "settings/startuperror.h"

#include "common/errorvalue.h"
#include "platform/recordingprompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(StartupErrorOutcome)

namespace {

const QString Crlf = QStringLiteral("\r\n");

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestStartupError : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void okDialogs_data();
    void okDialogs();
    void damagedFile_data();
    void damagedFile();
    void hideSettingsFile();

private:
    QTemporaryDir m_dir;
    QString m_iniPath;
};

void TestStartupError::init()
{
    QVERIFY(m_dir.isValid());
    m_iniPath = m_dir.filePath(QStringLiteral("QOMBRA_Config.ini"));
    writeBytes(m_iniPath, "[链接]\n数量=0\n");
}

void TestStartupError::okDialogs_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("text");
    QTest::addColumn<StartupErrorOutcome>("outcome");

    const auto badName = [](const QString &headline) {
        return QStringLiteral("  错误：") + headline + Crlf + Crlf +
               QStringLiteral("可能是由错误的文件名或号码引起的，请调整后再运行！") + Crlf + Crlf +
               QStringLiteral("文件名中不可出现 \\ / : * ? < > | \" 等字符");
    };
    const auto unwritable = [](const QString &headline) {
        return QStringLiteral("  错误：") + headline + Crlf + Crlf +
               QStringLiteral("这可能是由于配置文件正被使用或程序所在位置不可读写引起的。") + Crlf + Crlf +
               QStringLiteral("程序不能保存表达式记录、链接等信息。");
    };
    const auto unknown = [](const QString &headline) {
        return QStringLiteral("  未知错误：") + headline + Crlf + Crlf + QStringLiteral("请调整后重新运行。");
    };
    const auto end = StartupErrorOutcome::EndProgram;
    const auto run = StartupErrorOutcome::KeepRunning;

    QTest::newRow("5 is a bad name and ends")
        << 5 << QString() << badName(QStringLiteral("5——无效的过程调用或参数")) << end;
    QTest::newRow("52 is a bad name and ends")
        << 52 << QString() << badName(QStringLiteral("52——错误的文件名或号码")) << end;
    QTest::newRow("53 keeps the program running")
        << 53 << QString() << unwritable(QStringLiteral("53——文件未找到")) << run;
    QTest::newRow("75 keeps the program running")
        << 75 << QString() << unwritable(QStringLiteral("75——路径/文件访问错误")) << run;
    QTest::newRow("58 names the file of the same name and ends")
        << 58 << QString()
        << QStringLiteral("  错误：58——文件已存在") + Crlf + Crlf +
               QStringLiteral("目录内具有同名文件，请调整后再运行！")
        << end;
    QTest::newRow("340 is unknown and ends")
        << 340 << QString() << unknown(QStringLiteral("340——控件数组元素不存在")) << end;
    QTest::newRow("76 is unknown and ends")
        << 76 << QString() << unknown(QStringLiteral("76——路径未找到")) << end;
    QTest::newRow("own description is shown")
        << 6 << QStringLiteral("数量太大") << unknown(QStringLiteral("6——数量太大")) << end;
    QTest::newRow("negative number shown with its sign")
        << -2147220503 << QStringLiteral("x") << unknown(QStringLiteral("-2147220503——x")) << end;
}

void TestStartupError::okDialogs()
{
    QFETCH(int, number);
    QFETCH(QString, description);
    QFETCH(QString, text);
    QFETCH(StartupErrorOutcome, outcome);

    RecordingPrompts prompts;
    QCOMPARE(handleStartupError(ErrorValue(number, QStringLiteral("test"), description), prompts, m_iniPath),
             outcome);
    QCOMPARE(prompts.calls.size(), 1);
    QCOMPARE(prompts.calls.at(0).icon, MessageIcon::Critical);
    QCOMPARE(prompts.calls.at(0).title, QStringLiteral("错误！"));
    QCOMPARE(prompts.calls.at(0).text, text);
    QCOMPARE(prompts.calls.at(0).buttons, MessageButtons::Ok);
    QVERIFY(QFile::exists(m_iniPath));
}

void TestStartupError::damagedFile_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes deletes the settings file") << true;
    QTest::newRow("No keeps the settings file") << false;
}

void TestStartupError::damagedFile()
{
    QFETCH(bool, answerYes);

    RecordingPrompts prompts;
    prompts.messageAnswers = {answerYes ? MessageAnswer::Yes : MessageAnswer::No};
    QCOMPARE(handleStartupError(ErrorValue(380), prompts, m_iniPath), StartupErrorOutcome::EndProgram);
    QCOMPARE(prompts.calls.size(), 1);
    const RecordingPrompts::Call &call = prompts.calls.at(0);
    QCOMPARE(call.icon, MessageIcon::Critical);
    QCOMPARE(call.title, QStringLiteral("错误！"));
    QCOMPARE(call.buttons, MessageButtons::YesNo);
    QCOMPARE(call.text,
             QStringLiteral("    运行时遇到错误，错误号：380 (无效的属性值)") + Crlf + Crlf +
                 QStringLiteral("    这可能是使用了错误的配置文件Tarvexini(隐藏类型文件)而导致的，") + Crlf +
                 QStringLiteral("请将与程序同目录内的配置文件删除后重新运行。") + Crlf + Crlf +
                 QStringLiteral("    是否删除配置文件？"));
    QCOMPARE(QFile::exists(m_iniPath), !answerYes);
}

void TestStartupError::hideSettingsFile()
{
    ::hideSettingsFile(m_iniPath);
    QFile file(m_iniPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QStringLiteral("[链接]\n数量=0\n").toUtf8());

    int raised = 0;
    try {
        ::hideSettingsFile(m_dir.filePath(QStringLiteral("absent.ini")));
    } catch (const ErrorValue &error) {
        raised = error.number();
    }
    QCOMPARE(raised, 53);
}

QTEST_GUILESS_MAIN(TestStartupError)
#include "tst_startuperror.moc"
