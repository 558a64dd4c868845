#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The hand-over between two starts of the program: the first start listens on a local
// channel private to the user; a second start hands its command ("Normal") to it and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static QString defaultChannelName() { return QStringLiteral("FrmMain_pelvo"); }

    explicit SingleInstance(QString channelName = defaultChannelName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Hands `command` to a running first instance; true when one answered and took it.
    bool sendToRunningInstance(const QString &command);

    // Becomes the first instance; a stale channel left by a crashed instance is replaced.
    bool listen();

Q_SIGNALS:
    void commandReceived(const QString &command);

private:
    QString m_channelName;
    QLocalServer *m_server = nullptr;
};
