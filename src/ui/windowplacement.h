#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Where a tool window goes beside the main window, in frame coordinates (title bar and border
// counted): right of the main window where the available screen area has room for it at
// least at `minimum` size, else left of it, else below, else above, shrunk to the room there;
// with room nowhere, at the place inside the area where it covers the least of the main
// window. The result always lies inside `available`.
QRect placedBeside(const QRect &mainFrame, const QSize &wanted, const QSize &minimum, const QRect &available);

// Places and sizes `window` (not shown yet) beside `mainWindow` on the main window's screen.
// Its frame is taken to be as thick as the main window's, which the desktop has drawn already.
void placeBeside(QWidget *window, const QWidget *mainWindow);
