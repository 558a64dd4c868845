#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// Bounds both the connect (while the first instance's queue of waiting starts is full) and
// each write of the command.
constexpr int SendTimeoutMs = 500;
// A sender that neither finishes nor disconnects is cut off after this long.
constexpr int ReadTimeoutMs = 5000;
// Out of descriptors, accepting pauses this long instead of spinning on the ready socket.
constexpr int AcceptRetryMs = 100;

QString socketPathFor(const QString &channelName)
{
    if (channelName.startsWith(u'/'))
        return channelName;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        // No runtime directory could be made: keep the name per user in the shared temp folder.
        dir = QDir::tempPath();
        return dir + u'/' + channelName + u'-' + QString::number(::getuid());
    }
    return dir + u'/' + channelName;
}

struct SocketAddress
{
    sockaddr_un address{};
    socklen_t length = 0;
};

// The socket address of `path`; false when the path cannot be one (too long for sun_path,
// or holding a NUL that would cut it short), so that it is never silently truncated.
bool socketAddressFor(const QString &path, SocketAddress &result)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0') || name.size() >= qsizetype(sizeof result.address.sun_path))
        return false;
    result.address = {};
    result.address.sun_family = AF_UNIX;
    std::memcpy(result.address.sun_path, name.constData(), size_t(name.size()));
    result.length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size()) + 1);
    return true;
}

const sockaddr *asSockaddr(const SocketAddress &address)
{
    return reinterpret_cast<const sockaddr *>(&address.address);
}

// True when the process at the other end of `fd` runs as this user: neither end of the
// channel talks to another user's process, even where the socket lies in a shared folder.
bool peerIsThisUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

bool connectTo(int fd, const SocketAddress &address)
{
    for (;;) {
        if (::connect(fd, asSockaddr(address), address.length) == 0)
            return true;
        if (errno == EISCONN)
            return true; // an attempt interrupted by a signal went through after all
        if (errno != EINTR)
            return false; // no socket (ENOENT) or no listener (ECONNREFUSED) fail at once
    }
}

// Writes all of `bytes`, however the kernel splits it up; a vanished reader is an error,
// never a SIGPIPE.
bool sendAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += qsizetype(sent);
    }
    return true;
}

void closeDescriptor(int fd)
{
    // Linux releases the descriptor even when close is interrupted: never retry.
    ::close(fd);
}
} // namespace

class SingleInstance::Channel
{
public:
    Channel(SingleInstance &owner, const QString &channelName)
        : m_owner(owner), m_socketPath(socketPathFor(channelName)),
          m_lockPath(m_socketPath + QStringLiteral(".lock"))
    {}
    ~Channel();

    bool addressUsable() const
    {
        SocketAddress address;
        return socketAddressFor(m_socketPath, address);
    }
    bool send(const QString &command) const;
    bool listen();
    bool isListening() const { return m_listenFd >= 0; }

private:
    bool takeLock();
    void releaseLock();
    void acceptConnections();
    void readConnection(QSocketNotifier *connection);
    void finishConnection(QSocketNotifier *connection, bool deliver);

    SingleInstance &m_owner; // parent of the notifiers, emits the commands
    QString m_socketPath;
    QString m_lockPath;
    int m_lockFd = -1;
    int m_listenFd = -1;
    QSocketNotifier *m_listener = nullptr;
    // The senders being read, each watched by its notifier, with what has arrived so far.
    QHash<QSocketNotifier *, QByteArray> m_pending;
};

SingleInstance::SingleInstance(QString channelName, QObject *parent)
    : QObject(parent), m_channel(std::make_unique<Channel>(*this, channelName))
{}

// The channel goes first: its notifiers, children of this object, stop watching before their
// descriptors close.
SingleInstance::~SingleInstance() = default;

bool SingleInstance::sendToRunningInstance(const QString &command)
{
    return m_channel->send(command);
}

bool SingleInstance::listen()
{
    return m_channel->listen();
}

bool SingleInstance::isListening() const
{
    return m_channel->isListening();
}

bool SingleInstance::channelNameUsable() const
{
    return m_channel->addressUsable();
}

SingleInstance::Channel::~Channel()
{
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        it.key()->setEnabled(false);
        closeDescriptor(int(it.key()->socket()));
    }
    m_pending.clear();
    if (m_listenFd >= 0) {
        m_listener->setEnabled(false);
        // Removed while the lock is still held, so no newer instance's socket is touched.
        ::unlink(QFile::encodeName(m_socketPath).constData());
        closeDescriptor(m_listenFd);
        m_listenFd = -1;
    }
    releaseLock();
}

bool SingleInstance::Channel::send(const QString &command) const
{
    SocketAddress address;
    if (!socketAddressFor(m_socketPath, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const timeval limit{0, SendTimeoutMs * 1000};
    bool sent = ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) == 0 &&
                connectTo(fd, address) && peerIsThisUser(fd) && sendAll(fd, command.toUtf8());
    // Closing is the end of the command: what was written stays queued for the reader.
    closeDescriptor(fd);
    return sent;
}

bool SingleInstance::Channel::takeLock()
{
    if (m_lockFd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_lockPath);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        closeDescriptor(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

void SingleInstance::Channel::releaseLock()
{
    if (m_lockFd < 0)
        return;
    // The lock file itself stays: removing it would let two starts lock two different files.
    closeDescriptor(m_lockFd);
    m_lockFd = -1;
}

bool SingleInstance::Channel::listen()
{
    if (isListening())
        return true;
    SocketAddress address;
    if (!socketAddressFor(m_socketPath, address))
        return false;
    if (!takeLock())
        return false;
    const QByteArray path = QFile::encodeName(m_socketPath);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // Only this user may hand commands to the window. Linux gives the socket file the mode
    // of the socket being bound (less the umask), so the file is private from the moment it
    // appears; the umask, shared by every thread, is left alone.
    bool listening = fd >= 0 && ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    if (listening) {
        // Holding the lock, any file at the path was left by an instance that has ended.
        ::unlink(path.constData());
        listening = ::bind(fd, asSockaddr(address), address.length) == 0;
    }
    if (listening) {
        // Never listen on a socket others could reach, should the kernel not have kept the mode.
        struct stat file
        {
        };
        listening = ::lstat(path.constData(), &file) == 0 && S_ISSOCK(file.st_mode) &&
                    (file.st_mode & (S_IRWXG | S_IRWXO)) == 0 && ::listen(fd, SOMAXCONN) == 0;
        if (!listening)
            ::unlink(path.constData());
    }
    if (!listening) {
        if (fd >= 0)
            closeDescriptor(fd);
        releaseLock();
        return false;
    }
    m_listenFd = fd;
    m_listener = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, &m_owner);
    QObject::connect(m_listener, &QSocketNotifier::activated, &m_owner, [this] { acceptConnections(); });
    return true;
}

void SingleInstance::Channel::acceptConnections()
{
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors or memory: the sender stays queued; try again shortly.
                m_listener->setEnabled(false);
                QTimer::singleShot(AcceptRetryMs, m_listener,
                                   [listener = m_listener] { listener->setEnabled(true); });
            }
            return;
        }
        if (!peerIsThisUser(fd)) {
            closeDescriptor(fd);
            continue;
        }
        auto *connection = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, &m_owner);
        m_pending.insert(connection, QByteArray());
        // A command may arrive in pieces; it is complete when the sender disconnects.
        QObject::connect(connection, &QSocketNotifier::activated, &m_owner,
                         [this, connection] { readConnection(connection); });
        auto *timer = new QTimer(connection);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, &m_owner,
                         [this, connection] { finishConnection(connection, false); });
        timer->start(ReadTimeoutMs);
    }
}

void SingleInstance::Channel::readConnection(QSocketNotifier *connection)
{
    const auto it = m_pending.find(connection);
    if (it == m_pending.end())
        return;
    const int fd = int(connection->socket());
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got > 0) {
            it->append(chunk, qsizetype(got));
            if (it->size() > MaxCommandBytes)
                return finishConnection(connection, false);
        } else if (got == 0) {
            return finishConnection(connection, true);
        } else if (errno != EINTR) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return; // the rest comes later
            return finishConnection(connection, false);
        }
    }
}

void SingleInstance::Channel::finishConnection(QSocketNotifier *connection, bool deliver)
{
    const auto it = m_pending.find(connection);
    if (it == m_pending.end())
        return; // already finished: a timer or notifier event was still on its way
    const QByteArray command = std::move(*it);
    m_pending.erase(it);
    connection->setEnabled(false);
    closeDescriptor(int(connection->socket()));
    // Deleted later: this may run inside the notifier's own signal. Its timer goes with it.
    connection->deleteLater();
    if (deliver)
        m_owner.deliver(command);
}
