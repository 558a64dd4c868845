// A stand-in for the program's start-up, for the tests of the single-instance channel: it
// either hands its command to a running first instance or becomes the first instance itself
// and prints each command it receives.
//
// Usage: singleinstancepeer [--channel NAME] [--command TEXT] [--quit-after N] [--serve-ms MS]
// Prints one of "first", "handed-over", "alone", then for a first instance one line
// "received:<command>" per command; a first instance ends after N commands or MS ms.

#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {
void say(const QString &line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString channel = SingleInstance::defaultChannelName();
    QString command = QStringLiteral("Normal");
    int quitAfter = 1;
    int serveMs = 5000;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--channel")
            channel = args[i + 1];
        else if (args[i] == u"--command")
            command = args[i + 1];
        else if (args[i] == u"--quit-after")
            quitAfter = args[i + 1].toInt();
        else if (args[i] == u"--serve-ms")
            serveMs = args[i + 1].toInt();
    }

    SingleInstance instance(channel);
    switch (instance.claim(command)) {
    case SingleInstance::Role::HandedOver:
        say(QStringLiteral("handed-over"));
        return 0;
    case SingleInstance::Role::Alone:
        say(QStringLiteral("alone"));
        return 2;
    case SingleInstance::Role::First:
        say(QStringLiteral("first"));
        break;
    }
    int received = 0;
    QObject::connect(&instance, &SingleInstance::commandReceived, &app, [&](const QString &text) {
        say(QStringLiteral("received:") + text);
        if (++received >= quitAfter)
            QCoreApplication::quit();
    });
    QTimer::singleShot(serveMs, &app, &QCoreApplication::quit);
    return app.exec();
}
