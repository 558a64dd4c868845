#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

// Every wait is bounded: a hanging channel fails the test instead of freezing it.
namespace {
constexpr int StartMs = 3000;
constexpr int FinishMs = 5000;

using Peer = std::unique_ptr<QProcess>;
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    // Each test gets its own runtime directory, as another user would.
    std::unique_ptr<QTemporaryDir> m_runtime;

    QString channelPath() const { return m_runtime->path() + QStringLiteral("/FrmMain_pelvo"); }

    Peer startPeer(const QStringList &args = {}, const QString &runtimeDir = QString())
    {
        auto peer = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.isEmpty() ? m_runtime->path() : runtimeDir);
        peer->setProcessEnvironment(env);
        peer->setProcessChannelMode(QProcess::SeparateChannels);
        peer->start(QStringLiteral(SINGLEINSTANCE_PEER), args);
        return peer;
    }

    // Reads the peer's next line of output, waiting at most `ms`.
    static QString nextLine(QProcess &peer, int ms = StartMs)
    {
        QDeadlineTimer deadline(ms);
        while (!peer.canReadLine() && !deadline.hasExpired())
            if (!peer.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                break;
        return QString::fromUtf8(peer.readLine()).chopped(0).trimmed();
    }

    static QStringList allLines(QProcess &peer)
    {
        return QString::fromUtf8(peer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

    // Writes the command through a raw socket, piece by piece, pausing between pieces.
    void sendInPieces(const QList<QByteArray> &pieces)
    {
        QLocalSocket socket;
        socket.connectToServer(channelPath());
        QVERIFY(socket.waitForConnected(StartMs));
        for (const QByteArray &piece : pieces) {
            socket.write(piece);
            QVERIFY(socket.waitForBytesWritten(StartMs));
            QThread::msleep(60);
        }
        socket.disconnectFromServer();
    }

private Q_SLOTS:
    void init()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        QVERIFY(m_runtime->isValid());
    }

    void secondStartHandsOverAndEnds()
    {
        Peer first = startPeer({QStringLiteral("--quit-after"), QStringLiteral("1")});
        QCOMPARE(nextLine(*first), QStringLiteral("first"));

        Peer second = startPeer();
        QVERIFY(second->waitForFinished(FinishMs));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(allLines(*second), QStringList{QStringLiteral("handed-over")});

        QVERIFY(first->waitForFinished(FinishMs));
        QCOMPARE(allLines(*first), QStringList{QStringLiteral("received:Normal")});
    }

    void channelIsPrivateToTheUser()
    {
        Peer first = startPeer();
        QCOMPARE(nextLine(*first), QStringLiteral("first"));
        const QFileInfo socket(channelPath());
        QVERIFY2(socket.exists(), "the channel lives in the user's runtime directory");
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(socket.permissions() & others, QFile::Permissions());
        first->kill();
        first->waitForFinished(FinishMs);
    }

    void channelsOfTwoUsersDoNotMeet()
    {
        QTemporaryDir otherUser;
        Peer mine = startPeer();
        QCOMPARE(nextLine(*mine), QStringLiteral("first"));
        Peer theirs = startPeer({}, otherUser.path());
        QCOMPARE(nextLine(*theirs), QStringLiteral("first"));
        for (QProcess *peer : {mine.get(), theirs.get()}) {
            peer->kill();
            peer->waitForFinished(FinishMs);
        }
    }

    void staleChannelIsReplaced_data()
    {
        QTest::addColumn<QString>("leftover");
        QTest::newRow("socket of a killed first instance") << QStringLiteral("killed");
        QTest::newRow("plain file at the channel path") << QStringLiteral("file");
        QTest::newRow("lock file without a holder") << QStringLiteral("lock");
    }

    void staleChannelIsReplaced()
    {
        QFETCH(QString, leftover);
        if (leftover == u"killed") {
            Peer crashed = startPeer();
            QCOMPARE(nextLine(*crashed), QStringLiteral("first"));
            crashed->kill(); // SIGKILL: no chance to remove the socket file
            QVERIFY(crashed->waitForFinished(FinishMs));
            QVERIFY(QFileInfo::exists(channelPath()));
        } else {
            QFile file(channelPath() + (leftover == u"lock" ? QStringLiteral(".lock") : QString()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("left over");
        }

        Peer first = startPeer({QStringLiteral("--quit-after"), QStringLiteral("1")});
        QCOMPARE(nextLine(*first), QStringLiteral("first"));
        Peer second = startPeer();
        QVERIFY(second->waitForFinished(FinishMs));
        QCOMPARE(allLines(*second), QStringList{QStringLiteral("handed-over")});
        QVERIFY(first->waitForFinished(FinishMs));
        QCOMPARE(allLines(*first), QStringList{QStringLiteral("received:Normal")});
    }

    void commandIsAssembledUntilDisconnect_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two pieces make one command")
            << QList<QByteArray>{"Nor", "mal"} << QStringLiteral("Normal");
        QTest::newRow("one byte at a time")
            << QList<QByteArray>{"N", "o", "r", "m", "a", "l"} << QStringLiteral("Normal");
        const QByteArray wide = QStringLiteral("正常").toUtf8();
        QTest::newRow("a character split between pieces")
            << QList<QByteArray>{wide.left(2), wide.mid(2)} << QStringLiteral("正常");
    }

    void commandIsAssembledUntilDisconnect()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QString, expected);
        Peer first = startPeer({QStringLiteral("--quit-after"), QStringLiteral("1")});
        QCOMPARE(nextLine(*first), QStringLiteral("first"));
        sendInPieces(pieces);
        QVERIFY(first->waitForFinished(FinishMs));
        QCOMPARE(allLines(*first), QStringList{QStringLiteral("received:") + expected});
    }

    void oversizedOrEmptyCommandsAreDroppedAndTheChannelGoesOn()
    {
        Peer first = startPeer({QStringLiteral("--quit-after"), QStringLiteral("1")});
        QCOMPARE(nextLine(*first), QStringLiteral("first"));
        sendInPieces({QByteArray(SingleInstance::MaxCommandBytes + 1, 'x')});
        sendInPieces({});
        Peer second = startPeer();
        QVERIFY(second->waitForFinished(FinishMs));
        QVERIFY(first->waitForFinished(FinishMs));
        QCOMPARE(allLines(*first), QStringList{QStringLiteral("received:Normal")});
    }

    void tenStartsAtOnceLeaveExactlyOneFirstInstance()
    {
        constexpr int Starts = 10;
        std::vector<Peer> peers;
        for (int i = 0; i < Starts; ++i)
            peers.push_back(startPeer({QStringLiteral("--quit-after"), QString::number(Starts - 1),
                                       QStringLiteral("--serve-ms"), QStringLiteral("8000")}));
        int firsts = 0;
        int handedOver = 0;
        QStringList received;
        for (Peer &peer : peers) {
            QVERIFY(peer->waitForFinished(10000));
            QCOMPARE(peer->exitCode(), 0);
            const QStringList lines = allLines(*peer);
            QVERIFY(!lines.isEmpty());
            if (lines.first() == u"first") {
                ++firsts;
                received = lines.mid(1);
            } else if (lines.first() == u"handed-over") {
                ++handedOver;
            }
        }
        QCOMPARE(firsts, 1);
        QCOMPARE(handedOver, Starts - 1);
        QCOMPARE(received, QStringList(Starts - 1, QStringLiteral("received:Normal")));
    }

    // A socket address holds 107 bytes of path and a NUL: a longer path is refused, never cut
    // short into another file's name.
    void socketPathLengthIsChecked_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<SingleInstance::Role>("secondStart");
        QTest::newRow("longest path that fits") << 107 << SingleInstance::Role::HandedOver;
        QTest::newRow("one byte too long") << 108 << SingleInstance::Role::Alone;
        QTest::newRow("far too long") << 200 << SingleInstance::Role::Alone;
    }

    void socketPathLengthIsChecked()
    {
        QFETCH(int, length);
        QFETCH(SingleInstance::Role, secondStart);
        const QString dir = m_runtime->path() + u'/';
        if (dir.size() >= 100)
            QSKIP("the temporary folder's path is too long for this test");
        const QString path = dir + QString(length - dir.size(), u'c');
        SingleInstance first(path);
        QCOMPARE(first.listen(), secondStart == SingleInstance::Role::HandedOver);
        SingleInstance second(path);
        QCOMPARE(second.claim(QStringLiteral("Normal"), 200), secondStart);
        QCOMPARE(QDir(m_runtime->path()).entryList(QDir::System | QDir::Files).size(),
                 first.isListening() ? 2 : 0);
    }

    void endedFirstInstanceFreesTheChannel()
    {
        {
            SingleInstance instance(channelPath());
            QVERIFY(instance.listen());
            SingleInstance rival(channelPath());
            QVERIFY2(!rival.listen(), "a second listener while the first lives");
        }
        QVERIFY2(!QFileInfo::exists(channelPath()), "the socket file goes with its instance");
        SingleInstance next(channelPath());
        QVERIFY(!next.sendToRunningInstance(QStringLiteral("Normal")));
        QVERIFY(next.listen());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
