// Writes the settings file in a loop, as the program stores its history, until it is killed.
//   settingswriter <program folder> <first version>
// Version n stores historyEntry(n) as expression 0; every other line of the file stays as it
// is, so the whole file is known for every version and a check can tell a complete file from
// a truncated or mixed one.

#include "settingsversions.h"

#include "settings/rwini.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: settingswriter <program folder> <first version>\n", stderr);
        return 2;
    }
    RWini settings([](const QString &) { std::_Exit(3); }); // a failed write ends the run
    settings.setProgramDirectory(args.at(1));
    for (long long version = args.at(2).toLongLong();; ++version)
        settings.SetIniS(SettingsVersions::Section, SettingsVersions::Key,
                         SettingsVersions::historyEntry(version));
}
