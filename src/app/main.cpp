#include "ui/frmmain.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// QApplication aborts with a long diagnostic when there is no display; say it in one line.
bool displayAvailable()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("vardeko: no graphical display (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    FrmMain window;
    window.show();
    return app.exec();
}
