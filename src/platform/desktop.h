#pragma once

// What start-up needs of the desktop session, one file per platform (desktop_unix.cpp,
// desktop_win.cpp).
namespace Desktop {

// Whether there is a display to show the window on; when there is none, a one-line message
// on standard error has said so (QApplication would abort with a long diagnostic).
bool displayAvailable();

// Gives the running application the desktop's look where Qt's default differs from it:
// on Windows the system's Chinese UI font.
void applyLook();

} // namespace Desktop
