#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

// The hand-over between two starts of the program: the first start listens on a local
// channel private to the user; a second start hands its command ("Normal") to it and ends.
// A command is complete when its sender disconnects; it is at most MaxCommandBytes long.
//
// Each platform has its own channel (singleinstance_unix.cpp, singleinstance_win.cpp):
// - Linux: a Unix-domain stream socket named after the channel in the user's runtime
//   directory ($XDG_RUNTIME_DIR; a name beginning with "/" is used as the socket path as it
//   stands), watched by the event loop, so no networking library is needed. Beside it lies
//   "<name>.lock": the first instance holds an advisory lock on it while it listens.
// - Windows: a named mutex in the session's namespace decides the first instance, which
//   listens on a named pipe; both names carry the session and the user's SID, and both
//   objects admit the user alone.
// The system drops the lock or mutex when the process ends in any way, so a channel left by
// a crashed instance is recognised as stale and replaced, and of several starts at the same
// moment exactly one becomes the first instance.
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

    // Longest command accepted; a longer one is dropped rather than held in memory.
    static constexpr qsizetype MaxCommandBytes = 64 * 1024;

Q_SIGNALS:
    // One complete command, emitted when its sender has disconnected.
    void commandReceived(const QString &command);

private:
    // False when the channel name can never be a channel on this platform (too long, say).
    bool channelNameUsable() const;
    // Emits a complete command; an empty or oversized one is dropped.
    void deliver(const QByteArray &command);

    // The platform's channel: its lock, the listening end and the senders being read.
    class Channel;
    std::unique_ptr<Channel> m_channel;
};
