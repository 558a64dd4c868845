#pragma once

// Helpers shared by the program's windows.

#include <QColor>
#include <QLayout>
#include <QPalette>
#include <QString>
#include <QWidget>

// What an editable box takes: a typed or pasted text is never cut short (a line edit cuts at
// 32,767 characters by default, and the value of a cut expression is silently another).
inline constexpr int TypedTextMaxLength = 1 << 20;

// Window lengths are designed in twips; 15 twips make one device-independent pixel.
constexpr int twips(int value)
{
    return value / 15;
}

// Multi-line texts of message boxes and captions join their lines with CR LF.
inline const QString Crlf = QStringLiteral("\r\n");

// The angle factor for degrees: one degree in radians.
inline constexpr float DegreeFactor = 0.0174532925f;

// The text without the blanks (" ") at both ends; other white space stays, as in the
// stored expressions.
inline QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

// Lays out `widget` and every widget above it up to its window now, as the event loop would
// later: a size hint of the window read right after its widgets changed is then up to date.
inline void layOutUpToWindow(QWidget *widget)
{
    for (; widget && !widget->isWindow(); widget = widget->parentWidget()) {
        if (QLayout *layout = widget->layout())
            layout->activate();
    }
}

// Red marks what is wrong, blue a valid answer: the text of a label or a box in that colour.
inline void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}
