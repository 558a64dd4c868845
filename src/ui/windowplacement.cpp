#include "ui/windowplacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {

constexpr int Gap = 4;

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// `frame` moved (not resized) into `area` as far as it fits.
QRect clampedInto(QRect frame, const QRect &area)
{
    frame.moveLeft(
        std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())));
    frame.moveTop(
        std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    return frame;
}

} // namespace

QRect placedBeside(const QRect &mainFrame, const QSize &wanted, const QSize &minimum, const QRect &available)
{
    const QSize whole = wanted.boundedTo(available.size());
    // The room on each side of the main window, in the order they are tried.
    const std::array<QRect, 4> rooms{
        QRect(QPoint(mainFrame.right() + 1 + Gap, available.top()), available.bottomRight()),
        QRect(available.topLeft(), QPoint(mainFrame.left() - 1 - Gap, available.bottom())),
        QRect(QPoint(available.left(), mainFrame.bottom() + 1 + Gap), available.bottomRight()),
        QRect(available.topLeft(), QPoint(available.right(), mainFrame.top() - 1 - Gap)),
    };
    for (std::size_t side = 0; side < rooms.size(); ++side) {
        const QRect &room = rooms[side];
        if (room.width() < std::min(minimum.width(), whole.width()) ||
            room.height() < std::min(minimum.height(), whole.height()))
            continue;
        QRect frame(QPoint(), whole.boundedTo(room.size()));
        switch (side) {
        case 0:
            frame.moveTopLeft(QPoint(room.left(), mainFrame.top()));
            break;
        case 1:
            frame.moveTopLeft(QPoint(room.right() + 1 - frame.width(), mainFrame.top()));
            break;
        case 2:
            frame.moveTopLeft(QPoint(mainFrame.left(), room.top()));
            break;
        default:
            frame.moveTopLeft(QPoint(mainFrame.left(), room.bottom() + 1 - frame.height()));
            break;
        }
        return clampedInto(frame, room);
    }
    // No side has room: the place inside the area that covers the least of the main window.
    QRect best;
    qint64 bestOverlap = -1;
    const QRect frame(QPoint(), whole);
    const std::array<QPoint, 8> places{
        QPoint(mainFrame.right() + 1 + Gap, mainFrame.top()),
        QPoint(mainFrame.left() - Gap - whole.width(), mainFrame.top()),
        QPoint(mainFrame.left(), mainFrame.bottom() + 1 + Gap),
        QPoint(mainFrame.left(), mainFrame.top() - Gap - whole.height()),
        available.topLeft(),
        QPoint(available.right() + 1 - whole.width(), available.top()),
        QPoint(available.left(), available.bottom() + 1 - whole.height()),
        QPoint(available.right() + 1 - whole.width(), available.bottom() + 1 - whole.height()),
    };
    for (const QPoint &place : places) {
        const QRect candidate = clampedInto(frame.translated(place), available);
        const qint64 covered = overlap(candidate, mainFrame);
        if (bestOverlap < 0 || covered < bestOverlap) {
            best = candidate;
            bestOverlap = covered;
        }
    }
    return best;
}

void placeBeside(QWidget *window, const QWidget *mainWindow)
{
    const QScreen *screen = mainWindow->screen();
    if (!screen)
        return;
    const QRect mainFrame = mainWindow->frameGeometry();
    const QRect mainInner = mainWindow->geometry();
    const QMargins frame(mainInner.left() - mainFrame.left(), mainInner.top() - mainFrame.top(),
                         mainFrame.right() - mainInner.right(), mainFrame.bottom() - mainInner.bottom());
    const QSize extra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize()) + extra;
    const QRect placed =
        placedBeside(mainFrame, window->size() + extra, minimum, screen->availableGeometry());
    window->resize(placed.size() - extra);
    window->move(placed.topLeft());
}
