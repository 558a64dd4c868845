#include "platform/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int ConnectTimeoutMs = 500;
constexpr int WriteTimeoutMs = 500;
// A sender that neither finishes nor disconnects is cut off after this long.
constexpr int ReadTimeoutMs = 5000;
constexpr int ClaimRetryMs = 50;

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
} // namespace

SingleInstance::SingleInstance(QString channelName, QObject *parent)
    : QObject(parent), m_socketPath(socketPathFor(channelName)),
      m_lockPath(m_socketPath + QStringLiteral(".lock"))
{}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close(); // removes the socket file while the lock is still held
    releaseLock();
}

bool SingleInstance::sendToRunningInstance(const QString &command)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    const QByteArray bytes = command.toUtf8();
    if (socket.write(bytes) != bytes.size())
        return false;
    bool written = true;
    while (written && socket.bytesToWrite() > 0)
        written = socket.waitForBytesWritten(WriteTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(WriteTimeoutMs);
    return written;
}

bool SingleInstance::takeLock()
{
    if (m_lockFd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_lockPath);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

void SingleInstance::releaseLock()
{
    if (m_lockFd < 0)
        return;
    // The lock file itself stays: removing it would let two starts lock two different files.
    ::close(m_lockFd);
    m_lockFd = -1;
}

bool SingleInstance::listen()
{
    if (isListening())
        return true;
    if (!takeLock())
        return false;
    if (!m_server) {
        m_server = new QLocalServer(this);
        // Only this user may hand commands to the window.
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    }
    // Holding the lock, any socket file at the path was left by an instance that has ended.
    QLocalServer::removeServer(m_socketPath);
    if (m_server->listen(m_socketPath))
        return true;
    releaseLock();
    return false;
}

SingleInstance::Role SingleInstance::claim(const QString &command, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (sendToRunningInstance(command))
            return Role::HandedOver;
        if (listen())
            return Role::First;
        if (deadline.hasExpired())
            return Role::Alone;
        QThread::msleep(ClaimRetryMs);
    }
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        m_pending.insert(socket, QByteArray());
        // A command may arrive in pieces; it is complete when the sender disconnects.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QByteArray &buffer = m_pending[socket];
            buffer += socket->readAll();
            if (buffer.size() > MaxCommandBytes)
                finishConnection(socket, false);
        });
        connect(socket, &QLocalSocket::disconnected, this,
                [this, socket] { finishConnection(socket, true); });
        auto *timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, socket] { finishConnection(socket, false); });
        timer->start(ReadTimeoutMs);
        if (socket->state() != QLocalSocket::ConnectedState)
            finishConnection(socket, true);
    }
}

void SingleInstance::finishConnection(QLocalSocket *socket, bool deliver)
{
    const auto it = m_pending.find(socket);
    if (it == m_pending.end())
        return; // already finished: abort() below reports the disconnect once more
    QByteArray command = std::move(*it);
    m_pending.erase(it);
    if (deliver)
        command += socket->readAll();
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    if (deliver && !command.isEmpty() && command.size() <= MaxCommandBytes)
        Q_EMIT commandReceived(QString::fromUtf8(command));
}
