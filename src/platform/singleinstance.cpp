#include "platform/singleinstance.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
constexpr int ClaimRetryMs = 50;
} // namespace

SingleInstance::Role SingleInstance::claim(const QString &command, int timeoutMs)
{
    // A name that cannot be a channel never becomes one: no use waiting for it.
    if (!channelNameUsable())
        return Role::Alone;
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

void SingleInstance::deliver(const QByteArray &command)
{
    if (!command.isEmpty() && command.size() <= MaxCommandBytes)
        Q_EMIT commandReceived(QString::fromUtf8(command));
}
