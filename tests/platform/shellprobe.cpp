// Started by the shell tests: writes the arguments it was given, one a line in UTF-8, to
// "probe-out.txt" beside itself, so that the test sees what reached the program.

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QFile out(QCoreApplication::applicationDirPath() + QStringLiteral("/probe-out.txt"));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(QCoreApplication::arguments().mid(1).join(u'\n').toUtf8());
    return 0;
}
