#include "platform/qtshell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Links open as Explorer opens them: programs with their arguments, documents in the program
// registered for them, all in folders with Chinese names and blanks.
class TestQtShellWin : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_folder; // "图纸 工具" in the temporary folder, holding a copy of the probe
    QString m_probe;

    QString outPath() const { return m_folder + QStringLiteral("/probe-out.txt"); }

    // What the probe wrote, waiting for it to run; nothing when it did not run.
    QStringList probeOutput() const
    {
        QFile out(outPath());
        for (int i = 0; i < 100 && !out.exists(); ++i)
            QTest::qWait(50);
        QTest::qWait(100); // the probe may still be writing
        if (!out.open(QIODevice::ReadOnly))
            return {QStringLiteral("<not run>")};
        const QString text = QString::fromUtf8(out.readAll());
        return text.isEmpty() ? QStringList() : text.split(u'\n');
    }

    static QString native(const QString &path) { return QDir::toNativeSeparators(path); }

    static QStringList classRoots()
    {
        return {QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QStringLiteral("HKEY_CLASSES_ROOT")};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_folder = m_root.filePath(QStringLiteral("图纸 工具"));
        QVERIFY(QDir().mkpath(m_folder));
        m_probe = m_folder + QStringLiteral("/探针.exe");
        QVERIFY(QFile::copy(QStringLiteral(SHELLPROBE), m_probe));
        // A document type of our own, registered for this user as an installer would (Wine's
        // shell reads the merged classes root only, so it goes there too).
        for (const QString &root : classRoots()) {
            QSettings classes(root, QSettings::NativeFormat);
            classes.setValue(QStringLiteral(".vardekoprobe/."), QStringLiteral("Vardeko.Probe"));
            classes.setValue(QStringLiteral("Vardeko.Probe/shell/open/command/."),
                             QStringLiteral("\"%1\" \"%2\"").arg(native(m_probe), QStringLiteral("%1")));
        }
    }

    void cleanupTestCase()
    {
        for (const QString &root : classRoots()) {
            QSettings classes(root, QSettings::NativeFormat);
            classes.remove(QStringLiteral(".vardekoprobe"));
            classes.remove(QStringLiteral("Vardeko.Probe"));
        }
    }

    void init() { QFile::remove(outPath()); }

    void programsStartWithTheirArguments_data()
    {
        // %1 stands for the probe's full path.
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("quoted program, plain and quoted arguments")
            << QStringLiteral("\"%1\" 甲 \"乙 丙\"")
            << QStringList{QStringLiteral("甲"), QStringLiteral("乙 丙")};
        QTest::newRow("the bare path of a program, blanks and all") << QStringLiteral("%1") << QStringList();
        QTest::newRow("no command interpreter: & and > are arguments")
            << QStringLiteral("\"%1\" a&b >x") << QStringList{QStringLiteral("a&b"), QStringLiteral(">x")};
    }

    void programsStartWithTheirArguments()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, arguments);
        QtShell shell;
        QVERIFY(shell.startCommand(commandLine.arg(native(m_probe))));
        QCOMPARE(probeOutput(), arguments);
        QVERIFY(!QFileInfo::exists(m_folder + QStringLiteral("/x")));
    }

    void openedTargetsReachTheirProgram()
    {
        QtShell shell;
        // A program is run.
        QVERIFY(shell.open(native(m_probe)));
        QCOMPARE(probeOutput(), QStringList());
        QFile::remove(outPath());
        // A document goes to the program registered for its type, relative to the folder given.
        const QString document = m_folder + QStringLiteral("/零件 图.vardekoprobe");
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(shell.open(QStringLiteral("零件 图.vardekoprobe"), m_folder));
        QCOMPARE(probeOutput(), QStringList{native(document)});
    }

    void nothingToOpenOrStartIsAFailure()
    {
        QtShell shell;
        QVERIFY(!shell.open(QString()));
        QVERIFY(!shell.open(QStringLiteral("  ")));
        QVERIFY(!shell.open(native(m_folder + QStringLiteral("/没有此图.dwg"))));
        QVERIFY(!shell.startCommand(QString()));
        QVERIFY(!shell.startCommand(QStringLiteral("vardeko-no-such-program.exe --help")));
        QCOMPARE(probeOutput(), QStringList{QStringLiteral("<not run>")});
    }
};

QTEST_GUILESS_MAIN(TestQtShellWin)
#include "tst_qtshell_win.moc"
