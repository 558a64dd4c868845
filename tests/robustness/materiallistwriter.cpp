// Saves the material list in a loop, as the list window does after each change, until it is
// killed.
//   materiallistwriter <list file> <first version>

#include "materiallistversions.h"

#include "materiallist/materiallistfile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: materiallistwriter <list file> <first version>\n", stderr);
        return 2;
    }
    MaterialListFile file(args.at(1));
    for (long long version = args.at(2).toLongLong();; ++version) {
        if (file.save(MaterialListVersions::listOf(version)))
            return 3; // a failed write ends the run
    }
}
