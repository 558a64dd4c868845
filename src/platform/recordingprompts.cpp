#include "platform/recordingprompts.h"

MessageAnswer RecordingPrompts::message(MessageIcon icon, const QString &title, const QString &text,
                                        MessageButtons buttons)
{
    calls.append({Kind::Message, icon, title, text, buttons, QString()});
    if (!messageAnswers.isEmpty())
        return messageAnswers.takeFirst();
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

QString RecordingPrompts::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    calls.append({Kind::Input, MessageIcon::Information, title, prompt, MessageButtons::Ok, defaultText});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
}

QString RecordingPrompts::chooseFile()
{
    calls.append(
        {Kind::ChooseFile, MessageIcon::Information, QString(), QString(), MessageButtons::Ok, QString()});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString RecordingPrompts::chooseSaveFile(const QString &title, const QString &suggestedPath,
                                         const QString &filter)
{
    calls.append(
        {Kind::ChooseSaveFile, MessageIcon::Information, title, suggestedPath, MessageButtons::Ok, filter});
    return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
}

QStringList RecordingPrompts::messageTexts() const
{
    QStringList texts;
    for (const Call &call : calls)
        if (call.kind == Kind::Message)
            texts.append(call.text);
    return texts;
}
