#include "platform/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {
constexpr int ConnectTimeoutMs = 500;
constexpr int WriteTimeoutMs = 500;
} // namespace

SingleInstance::SingleInstance(QString channelName, QObject *parent)
    : QObject(parent), m_channelName(std::move(channelName))
{}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::sendToRunningInstance(const QString &command)
{
    QLocalSocket socket;
    socket.connectToServer(m_channelName);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(command.toUtf8());
    const bool written = socket.waitForBytesWritten(WriteTimeoutMs);
    socket.disconnectFromServer();
    return written;
}

bool SingleInstance::listen()
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        // Only this user may hand commands to the window.
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *socket = m_server->nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QLocalSocket::readyRead, this,
                        [this, socket] { Q_EMIT commandReceived(QString::fromUtf8(socket->readAll())); });
            }
        });
    }
    if (m_server->listen(m_channelName))
        return true;
    // Nobody answered before, so the channel is left over from an instance that ended
    // without closing it.
    QLocalServer::removeServer(m_channelName);
    return m_server->listen(m_channelName);
}
