#include "platform/qtprompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

#include <algorithm>

namespace {

// An answer typed or pasted into an input box is never cut short.
constexpr int InputMaxLength = 1 << 20;

} // namespace

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
    const bool yesNo = buttons != MessageButtons::Ok;
    const QMessageBox::StandardButtons standardButtons =
        yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    QMessageBox box(boxIcon, title, text, standardButtons, m_parent);
    // Texts quote what the user typed ("<b>1</b>*"): never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if (yesNo)
        box.setDefaultButton(buttons == MessageButtons::YesNo ? QMessageBox::Yes : QMessageBox::No);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtPrompts::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMaxLength(std::max(InputMaxLength, int(defaultText.size())));
    dialog.setTextValue(defaultText); // again, now that the box takes all of it
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtPrompts::chooseFile()
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("选择文件"), QString(),
                                        QStringLiteral("所有文件(*)"));
}

QString QtPrompts::chooseSaveFile(const QString &title, const QString &suggestedPath, const QString &filter)
{
    QFileDialog dialog(m_parent, title, suggestedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds the suffix itself, so that its question before replacing a file also
    // covers "foo" when "foo.csv" exists.
    static const QRegularExpression firstSuffix(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = firstSuffix.match(filter);
    if (match.hasMatch())
        dialog.setDefaultSuffix(match.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
