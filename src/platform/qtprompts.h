#pragma once

#include "platform/prompts.h"

class QWidget;

// The real dialogs: QMessageBox, QInputDialog and QFileDialog, modal for the application.
class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget *parent) { m_parent = parent; }

    MessageAnswer message(MessageIcon icon, const QString &title, const QString &text,
                          MessageButtons buttons = MessageButtons::Ok) override;
    QString input(const QString &prompt, const QString &title,
                  const QString &defaultText = QString()) override;
    QString chooseFile() override;
    QString chooseSaveFile(const QString &title, const QString &suggestedPath,
                           const QString &filter) override;

private:
    QWidget *m_parent = nullptr;
};
