#include "platform/qtshell.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class TestQtShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shellCharactersAreNeverInterpreted_data()
    {
        // %1 stands for the temporary folder; no row may create the file "X" in it.
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("started");
        QTest::newRow("command substitution as the program") << QStringLiteral("$(touch %1/X)") << false;
        QTest::newRow("backticks as the program") << QStringLiteral("`touch %1/X`") << false;
        QTest::newRow("command substitution as an argument") << QStringLiteral("echo $(touch %1/X)") << true;
        QTest::newRow("a second command after a semicolon") << QStringLiteral("true ; touch %1/X") << true;
        QTest::newRow("a second command after &&") << QStringLiteral("true && touch %1/X") << true;
        QTest::newRow("a pipe") << QStringLiteral("echo a | touch %1/X") << true;
        QTest::newRow("a redirection") << QStringLiteral("echo a > %1/X") << true;
        QTest::newRow("quoted substitution") << QStringLiteral("echo \"$(touch %1/X)\" 'a b'") << true;
    }

    void shellCharactersAreNeverInterpreted()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, started);
        QTemporaryDir dir;
        QtShell shell;
        QCOMPARE(shell.startCommand(commandLine.arg(dir.path())), started);
        // A started program is detached: give a wrongly spawned shell time to act.
        QThread::msleep(300);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("X"))));
    }

    void quotedWordsReachTheProgramWhole()
    {
        // Double quotes group words; three double quotes stand for one quote character.
        QTemporaryDir dir;
        QtShell shell;
        QVERIFY(shell.startCommand(
            QStringLiteral("touch \"%1/with blank\" \"%1/say \"\"\"hi\"\"\"\" %1/plain").arg(dir.path())));
        for (const char *name : {"with blank", "say \"hi\"", "plain"})
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath(QString::fromLatin1(name))), 3000);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }

    void nothingToStartIsAFailure_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::newRow("empty line") << QString();
        QTest::newRow("only blanks") << QStringLiteral("   ");
        QTest::newRow("program not on the PATH") << QStringLiteral("vardeko-no-such-program --help");
        QTest::newRow("missing absolute program") << QStringLiteral("/nonexistent/folder/program");
        QTest::newRow("a folder is no program") << QDir::tempPath();
    }

    void nothingToStartIsAFailure()
    {
        QFETCH(QString, commandLine);
        QtShell shell;
        QVERIFY(!shell.startCommand(commandLine));
    }

    void openingNothingOrAMissingFileFails_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("workingDirectory");
        QTest::newRow("empty target") << QString() << QString();
        QTest::newRow("blank target") << QStringLiteral("  ") << QString();
        QTest::newRow("missing absolute file")
            << QStringLiteral("/nonexistent/folder/drawing.dwg") << QString();
        QTest::newRow("missing file relative to the program folder")
            << QStringLiteral("no such drawing.dwg") << QDir::tempPath();
    }

    void openingNothingOrAMissingFileFails()
    {
        QFETCH(QString, target);
        QFETCH(QString, workingDirectory);
        QtShell shell;
        QVERIFY(!shell.open(target, workingDirectory));
    }
};

QTEST_GUILESS_MAIN(TestQtShell)
#include "tst_qtshell.moc"
