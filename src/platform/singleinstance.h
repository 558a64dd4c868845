#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The hand-over between two starts of the program: the first start listens on a local
// channel private to the user; a second start hands its command ("Normal") to it and ends.
// The channel is a plain Unix-domain stream socket watched by the event loop, so the
// program needs no networking library for it.
//
// A plain channel name is placed in the user's runtime directory ($XDG_RUNTIME_DIR), so the
// channels of two users never meet and no other user can reach them; a name beginning with
// "/" is used as the socket path as it stands. Beside the socket lies "<name>.lock": the
// first instance holds an advisory lock on it for as long as it listens. The kernel drops
// that lock when the process ends in any way, so a socket left by a crashed instance is
// recognised as stale and replaced, and of several starts at the same moment exactly one
// becomes the first instance.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role {
        First,      // this process listens; commands of later starts arrive as commandReceived
        HandedOver, // a running first instance took the command; this process should end
        Alone,      // no first instance answered and the channel could not be taken
    };

    static QString defaultChannelName() { return QStringLiteral("FrmMain_pelvo"); }

    explicit SingleInstance(QString channelName = defaultChannelName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Hands `command` to a running first instance; true when one answered and took it.
    bool sendToRunningInstance(const QString &command);

    // Becomes the first instance; a stale channel left by a crashed instance is replaced.
    // False when another instance holds the channel (it may still be starting: hand over
    // to it) or the channel cannot be created.
    bool listen();

    // The whole start-up decision: hands `command` over when a first instance answers,
    // otherwise becomes the first instance. While another start holds the channel but does
    // not answer yet, tries again until `timeoutMs` has passed, then gives up with Alone.
    Role claim(const QString &command, int timeoutMs = 3000);

    bool isListening() const;

    // The socket path the channel name stands for.
    QString socketPath() const { return m_socketPath; }

    // Longest command accepted; a longer one is dropped rather than held in memory.
    static constexpr qsizetype MaxCommandBytes = 64 * 1024;

Q_SIGNALS:
    // One complete command, emitted when its sender has disconnected.
    void commandReceived(const QString &command);

private:
    bool takeLock();
    void releaseLock();
    void acceptConnections();
    void readConnection(QSocketNotifier *connection);
    void finishConnection(QSocketNotifier *connection, bool deliver);

    QString m_socketPath;
    QString m_lockPath;
    int m_lockFd = -1;
    int m_listenFd = -1;
    QSocketNotifier *m_listener = nullptr;
    // The senders being read, each watched by its notifier, with what has arrived so far.
    QHash<QSocketNotifier *, QByteArray> m_pending;
};
