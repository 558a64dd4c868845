#pragma once

#include "common/notice.h"

#include <QString>

// The dialogs the program shows. The core calls them through this interface so that it
// never links a widget: the program passes QtPrompts, tests pass RecordingPrompts.
// YesNo has Yes as its default button (Enter); YesNoDefaultNo is for a question whose Yes
// cannot be undone, so that a hasty Enter keeps everything.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

class Prompts
{
public:
    virtual ~Prompts() = default;

    // A modal message box; returns the button the user pressed.
    virtual MessageAnswer message(MessageIcon icon, const QString &title, const QString &text,
                                  MessageButtons buttons = MessageButtons::Ok) = 0;

    // A modal input box with one line of text; Cancel gives the empty text.
    virtual QString input(const QString &prompt, const QString &title,
                          const QString &defaultText = QString()) = 0;

    // The open-file dialog; the chosen file's full path, or the empty text when cancelled.
    virtual QString chooseFile() = 0;

    // The save-file dialog (it asks before replacing a file); the chosen full path, or the
    // empty text when cancelled. A name typed without a suffix gets the first suffix of
    // `filter` ("*.csv") before the dialog checks for a file to replace. An implementation without one
    // answers as if cancelled.
    virtual QString chooseSaveFile(const QString &title, const QString &suggestedPath, const QString &filter)
    {
        (void)title;
        (void)suggestedPath;
        (void)filter;
        return QString();
    }
};

// Shows the core's notices one after the other, in their order.
inline void showNotices(Prompts &prompts, const Notices &notices)
{
    for (const Notice &notice : notices)
        prompts.message(notice.icon, notice.title, notice.text);
}
