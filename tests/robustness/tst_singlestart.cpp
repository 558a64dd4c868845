// Ten starts of the real program at the same moment end with exactly one running window: the
// other nine hand over to it through the single-instance channel and end. A start after the
// running one was killed takes the channel over.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

class TstSingleStart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tenStartsLeaveOneRunning();
};

namespace {

int runningCount(const std::vector<std::unique_ptr<QProcess>> &processes)
{
    int running = 0;
    for (const auto &process : processes)
        running += process->state() != QProcess::NotRunning ? 1 : 0;
    return running;
}

} // namespace

void TstSingleStart::tenStartsLeaveOneRunning()
{
    // The program keeps its settings beside itself: run a copy in a folder of its own, with
    // a runtime folder of its own so no other test or desktop session shares the channel.
    QTemporaryDir programFolder;
    QTemporaryDir runtimeFolder;
    QVERIFY(programFolder.isValid() && runtimeFolder.isValid());
    QVERIFY(QFile::setPermissions(runtimeFolder.path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QString program = programFolder.filePath(QStringLiteral("vardeko"));
    QVERIFY(QFile::copy(QStringLiteral(VARDEKO_PROGRAM_PATH), program));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < 10; ++i) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processes.push_back(std::move(process));
    }
    for (auto &process : processes)
        process->start(program, {});
    for (auto &process : processes)
        QVERIFY2(process->waitForStarted(10000), qPrintable(process->errorString()));

    // The nine that hand over end on their own; the first runs until it is told to end.
    QElapsedTimer clock;
    clock.start();
    while (runningCount(processes) > 1 && clock.elapsed() < 60000)
        QTest::qWait(50);
    QCOMPARE(runningCount(processes), 1);
    QTest::qWait(500);
    QCOMPARE(runningCount(processes), 1);

    QProcess *first = nullptr;
    for (auto &process : processes) {
        if (process->state() != QProcess::NotRunning) {
            first = process.get();
            continue;
        }
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
    }
    QVERIFY(first);
    QVERIFY(QFileInfo::exists(programFolder.filePath(QStringLiteral("QOMBRA_Config.ini"))));

    // A start after the running window died without a word replaces its stale channel.
    first->kill();
    QVERIFY(first->waitForFinished(10000));
    QProcess next;
    next.setProcessEnvironment(environment);
    next.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    next.start(program, {});
    QVERIFY(next.waitForStarted(10000));
    QVERIFY2(!next.waitForFinished(3000), "a start after a killed first instance did not stay running");
    next.kill();
    QVERIFY(next.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TstSingleStart)
#include "tst_singlestart.moc"
