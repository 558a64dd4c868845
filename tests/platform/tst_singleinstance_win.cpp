#include "platform/singleinstance.h"

#include <QProcess>
#include <QTest>
#include <QThread>
#include <QUuid>

#include <memory>
#include <vector>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

// The Windows channel, with real processes: a named mutex decides the first instance and a
// named pipe, private to the user and the session, carries the command.
namespace {
constexpr int StartMs = 5000;
constexpr int FinishMs = 10000;

using Peer = std::unique_ptr<QProcess>;

QString currentUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return QString();
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<char> buffer(size);
    QString result;
    wchar_t *text = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid, &text)) {
        result = QString::fromWCharArray(text);
        LocalFree(text);
    }
    CloseHandle(token);
    return result;
}
} // namespace

class TestSingleInstanceWin : public QObject
{
    Q_OBJECT

private:
    // Each test gets a channel of its own, so that no test meets another's leftovers.
    QString m_channel;

    // The pipe as another program of the user would name it: channel, session, user.
    QString pipeName() const
    {
        DWORD session = 0;
        ProcessIdToSessionId(GetCurrentProcessId(), &session);
        return QStringLiteral("\\\\.\\pipe\\%1-%2-%3").arg(m_channel).arg(session).arg(currentUserSid());
    }

    Peer startPeer(const QStringList &args = {})
    {
        auto peer = std::make_unique<QProcess>();
        peer->setProcessChannelMode(QProcess::SeparateChannels);
        peer->start(QStringLiteral(SINGLEINSTANCE_PEER),
                    QStringList{QStringLiteral("--channel"), m_channel} + args);
        return peer;
    }

    static QString nextLine(QProcess &peer, int ms = StartMs)
    {
        QDeadlineTimer deadline(ms);
        while (!peer.canReadLine() && !deadline.hasExpired())
            if (!peer.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                break;
        return QString::fromUtf8(peer.readLine()).trimmed();
    }

    static QStringList allLines(QProcess &peer)
    {
        return QString::fromUtf8(peer.readAllStandardOutput())
            .split(u'\n', Qt::SkipEmptyParts)
            .replaceInStrings(QStringLiteral("\r"), QString());
    }

    // Writes the command through the raw pipe, piece by piece, pausing between pieces.
    void sendInPieces(const QList<QByteArray> &pieces)
    {
        const std::wstring name = pipeName().toStdWString();
        HANDLE pipe = INVALID_HANDLE_VALUE;
        for (int attempt = 0; attempt < 50 && pipe == INVALID_HANDLE_VALUE; ++attempt) {
            pipe = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (pipe == INVALID_HANDLE_VALUE)
                QThread::msleep(50);
        }
        QVERIFY(pipe != INVALID_HANDLE_VALUE);
        for (const QByteArray &piece : pieces) {
            DWORD written = 0;
            QVERIFY(WriteFile(pipe, piece.constData(), DWORD(piece.size()), &written, nullptr));
            QCOMPARE(qsizetype(written), piece.size());
            QThread::msleep(60);
        }
        CloseHandle(pipe);
    }

private Q_SLOTS:
    void init()
    {
        m_channel = QStringLiteral("FrmMain_pelvo-test-") + QUuid::createUuid().toString(QUuid::Id128);
    }

    void secondStartHandsOverAndEnds()
    {
        Peer first = startPeer({QStringLiteral("--quit-after"), QStringLiteral("1")});
        QCOMPARE(nextLine(*first), QStringLiteral("first"));

        Peer second = startPeer();
        QVERIFY(second->waitForFinished(FinishMs));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(allLines(*second), QStringList{QStringLiteral("handed-over")});

        QVERIFY(first->waitForFinished(FinishMs));
        QCOMPARE(allLines(*first), QStringList{QStringLiteral("received:Normal")});
    }

    void killedFirstInstanceLeavesNoStaleChannel()
    {
        Peer crashed = startPeer();
        QCOMPARE(nextLine(*crashed), QStringLiteral("first"));
        crashed->kill(); // TerminateProcess: no chance to close anything itself
        QVERIFY(crashed->waitForFinished(FinishMs));

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
                                       QStringLiteral("--serve-ms"), QStringLiteral("15000")}));
        int firsts = 0;
        int handedOver = 0;
        QStringList received;
        for (Peer &peer : peers) {
            QVERIFY(peer->waitForFinished(20000));
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

    // The pipe admits this user alone: its access list holds one entry, for the user's SID.
    void pipeAdmitsTheUserAlone()
    {
        SingleInstance instance(m_channel);
        QVERIFY(instance.listen());
        const std::wstring name = pipeName().toStdWString();
        HANDLE pipe = CreateFileW(name.c_str(), READ_CONTROL, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        QVERIFY(pipe != INVALID_HANDLE_VALUE);
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        const DWORD result = GetSecurityInfo(pipe, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                             nullptr, &dacl, nullptr, &descriptor);
        CloseHandle(pipe);
        QCOMPARE(result, DWORD(ERROR_SUCCESS));
        QVERIFY(dacl);
        QCOMPARE(int(dacl->AceCount), 1);
        void *ace = nullptr;
        QVERIFY(GetAce(dacl, 0, &ace));
        auto *allowed = static_cast<ACCESS_ALLOWED_ACE *>(ace);
        QCOMPARE(int(allowed->Header.AceType), int(ACCESS_ALLOWED_ACE_TYPE));
        wchar_t *sid = nullptr;
        QVERIFY(ConvertSidToStringSidW(&allowed->SidStart, &sid));
        const QString sidText = QString::fromWCharArray(sid);
        LocalFree(sid);
        LocalFree(descriptor);
        QCOMPARE(sidText, currentUserSid());
    }

    void endedFirstInstanceFreesTheChannel()
    {
        {
            SingleInstance instance(m_channel);
            QVERIFY(instance.listen());
            SingleInstance rival(m_channel);
            QVERIFY2(!rival.listen(), "a second listener while the first lives");
        }
        SingleInstance next(m_channel);
        QVERIFY(!next.sendToRunningInstance(QStringLiteral("Normal")));
        QVERIFY(next.listen());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstanceWin)
#include "tst_singleinstance_win.moc"
