#pragma once

#include "platform/prompts.h"

#include <QList>
#include <QString>

// A Prompts for tests: records every dialog in the order shown and answers from a script.
// Unscripted message boxes answer Ok (or No for a Yes/No box), input boxes answer the empty
// text as Cancel would, and the file dialogs answer the empty text.
class RecordingPrompts : public Prompts
{
public:
    enum class Kind { Message, Input, ChooseFile, ChooseSaveFile };

    struct Call
    {
        Kind kind = Kind::Message;
        MessageIcon icon = MessageIcon::Information;
        QString title;
        QString text; // message text, or the input box's prompt
        MessageButtons buttons = MessageButtons::Ok;
        QString defaultText; // input boxes; the filter of a save-file dialog
    };

    MessageAnswer message(MessageIcon icon, const QString &title, const QString &text,
                          MessageButtons buttons = MessageButtons::Ok) override;
    QString input(const QString &prompt, const QString &title,
                  const QString &defaultText = QString()) override;
    QString chooseFile() override;
    QString chooseSaveFile(const QString &title, const QString &suggestedPath,
                           const QString &filter) override;

    // Answers used in order by the next message boxes, input boxes and file dialogs.
    QList<MessageAnswer> messageAnswers;
    QList<QString> inputAnswers;
    QList<QString> fileAnswers;
    QList<QString> saveFileAnswers; // save-file dialogs (the suggested path is recorded as text)

    QList<Call> calls;

    // Convenience for assertions: the texts of the recorded message boxes, in order.
    QStringList messageTexts() const;
    void clear() { calls.clear(); }
};
