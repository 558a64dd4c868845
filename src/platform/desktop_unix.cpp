#include "platform/desktop.h"

#include <QtGlobal>

#include <cstdio>

namespace Desktop {

bool displayAvailable()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    std::fputs("vardeko: no graphical display (DISPLAY and WAYLAND_DISPLAY are not set); "
               "start it from a desktop session or under xvfb-run.\n",
               stderr);
    return false;
}

// The desktop's own font: the font configuration picks the CJK face for Chinese text.
void applyLook() {}

} // namespace Desktop
