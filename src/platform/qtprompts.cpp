#include "platform/qtprompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

MessageAnswer QtPrompts::message(MessageIcon icon, const QString &title, const QString &text,
                                 MessageButtons buttons)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
    case MessageIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MessageIcon::Exclamation:
        boxIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Critical:
        boxIcon = QMessageBox::Critical;
        break;
    }
    const QMessageBox::StandardButtons standardButtons =
        buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    QMessageBox box(boxIcon, title, text, standardButtons, m_parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons == MessageButtons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtPrompts::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool accepted = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

QString QtPrompts::chooseFile()
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("选择文件"), QString(),
                                        QStringLiteral("所有文件(*.*)"));
}

QString QtPrompts::chooseSaveFile(const QString &title, const QString &suggestedPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, suggestedPath, filter);
}
