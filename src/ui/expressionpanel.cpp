#include "ui/expressionpanel.h"

#include "platform/prompts.h"
#include "ui/frmmain_texts.h"
#include "ui/windowhelpers.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

ExpressionPanel::ExpressionPanel(Prompts &prompts, const QFont &numberFont, QWidget *parent)
    : QObject(parent), m_prompts(prompts)
{
    build(numberFont, parent);
}

void ExpressionPanel::build(const QFont &numberFont, QWidget *parent)
{
    using namespace FrmMainText;
    m_inputArea = new QWidget(parent);
    m_inputArea->setObjectName(QStringLiteral("ExpressionInputRow"));
    LabBDS = new QLabel(FrmMainText::LabBDS, m_inputArea);
    LabBDS->setObjectName(QStringLiteral("LabBDS"));
    LabBDS->installEventFilter(this);
    CombKJSR = new QComboBox(m_inputArea);
    CombKJSR->setObjectName(QStringLiteral("CombKJSR"));
    CombKJSR->setEditable(true);
    CombKJSR->lineEdit()->setMaxLength(TypedTextMaxLength);
    CombKJSR->setInsertPolicy(QComboBox::NoInsert); // the calculate command keeps the history itself
    CombKJSR->setCompleter(nullptr);                // no inline completion from the history
    CombKJSR->setMaxVisibleItems(24);
    CombKJSR->setFont(numberFont);
    CombKJSR->setToolTip(CombKJSRToolTip);
    CombKJSR->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The box takes the room the row leaves it; a long history entry scrolls inside it
    // instead of widening the window.
    CombKJSR->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CombKJSR->setMinimumContentsLength(12);
    CombKJSR->installEventFilter(this);
    CombKJSR->lineEdit()->installEventFilter(this);
    LabBDS->setBuddy(CombKJSR);
    connect(CombKJSR, &QComboBox::editTextChanged, this, &ExpressionPanel::CombKJSR_Change);
    connect(CombKJSR, &QComboBox::activated, this, &ExpressionPanel::CombKJSR_Click);
    // The same spacing as the window's rows, so the box sits where it would sit in the row.
    auto *inputs = new QHBoxLayout(m_inputArea);
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->setSpacing(4);
    inputs->addWidget(LabBDS);
    inputs->addWidget(CombKJSR, 1);

    PicBDSCmd = new QWidget(parent);
    PicBDSCmd->setObjectName(QStringLiteral("PicBDSCmd"));
    auto *quick = new QHBoxLayout(PicBDSCmd);
    // The buttons start under the box, not under its label.
    quick->setContentsMargins(LabBDS->sizeHint().width() + inputs->spacing(), 0, 0, 0);
    quick->setSpacing(2);
    CmdZT = new QPushButton(FrmMainText::CmdZT, PicBDSCmd);
    CmdZT->setObjectName(QStringLiteral("CmdZT"));
    connect(CmdZT, &QPushButton::clicked, this, &ExpressionPanel::CmdZT_Click);
    CmdQK = new QPushButton(FrmMainText::CmdQK, PicBDSCmd);
    CmdQK->setObjectName(QStringLiteral("CmdQK"));
    connect(CmdQK, &QPushButton::clicked, this, &ExpressionPanel::CmdQK_Click);
    quick->addWidget(CmdZT);
    quick->addWidget(CmdQK);
    quick->addSpacing(4);
    for (int i = 0; i < 5; ++i) {
        auto *button = new QPushButton(FrmMainText::CmdHanShu.at(i), PicBDSCmd);
        button->setObjectName(QStringLiteral("CmdHanShu(%1)").arg(i));
        button->setToolTip(CmdHanShuToolTip.at(i));
        button->setFixedWidth(38);
        connect(button, &QPushButton::clicked, this, [this, i] { CmdHanShu_Click(i); });
        quick->addWidget(button);
        CmdHanShu[static_cast<std::size_t>(i)] = button;
    }
}

void ExpressionPanel::placeIn(QBoxLayout *inputRow, QBoxLayout *lowerRow)
{
    inputRow->insertWidget(0, m_inputArea, 1);
    lowerRow->insertWidget(0, PicBDSCmd);
}

void ExpressionPanel::setShown(bool shown)
{
    PicBDSCmd->setVisible(shown);
    m_inputArea->setVisible(shown);
}

void ExpressionPanel::focusExpression()
{
    CombKJSR->setFocus();
}

QWidget *ExpressionPanel::expressionBox() const
{
    return CombKJSR;
}

bool ExpressionPanel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The box has the focus and hands keys on to its line edit; either may see an event first.
    if (watched == CombKJSR || watched == CombKJSR->lineEdit()) {
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return CombKJSR_KeyPress(13);
        } else if (type == QEvent::FocusOut) {
            CombKJSR_Validate();
        }
        return false;
    }
    if (watched == LabBDS && type == QEvent::MouseButtonDblClick) {
        LabBDS_DblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QString ExpressionPanel::expressionText() const
{
    return CombKJSR->currentText();
}

std::optional<QString> ExpressionPanel::enterIntoHistory()
{
    QString text = expressionText();
    text.remove(u' ');
    if (text != expressionText()) {
        CombKJSR->setEditText(text);
        text = expressionText(); // the change handler may have turned a "du" into "°"
    }
    if (trimBlanks(text).isEmpty())
        return std::nullopt;

    {
        // Keeping the list is no edit of the text: the change handler stays quiet.
        const QSignalBlocker quiet(CombKJSR);
        CombKJSR->insertItem(0, text);
        // Older copies go; the index is deliberately not adjusted after a removal, so the
        // entry that moves up is not compared in this pass.
        const int count = CombKJSR->count();
        for (int i = 1; i <= count; ++i) {
            if (i < CombKJSR->count() && CombKJSR->itemText(i) == text)
                CombKJSR->removeItem(i);
        }
        // No list entry is current, so list changes never rewrite the typed text.
        CombKJSR->setCurrentIndex(-1);
        CombKJSR->setEditText(CombKJSR->itemText(0));
    }
    return expressionText();
}

void ExpressionPanel::trimHistory(int limit)
{
    if (CombKJSR->count() > limit) {
        const QSignalBlocker quiet(CombKJSR);
        CombKJSR->removeItem(limit);
    }
}

void ExpressionPanel::removeNewestHistoryEntry()
{
    if (CombKJSR->count() == 0)
        return;
    const QSignalBlocker quiet(CombKJSR);
    const QString text = expressionText();
    CombKJSR->removeItem(0);
    if (expressionText() != text)
        CombKJSR->setEditText(text);
}

void ExpressionPanel::appendHistoryEntry(const QString &entry)
{
    CombKJSR->addItem(entry);
}

void ExpressionPanel::openEmpty()
{
    // The first item added becomes the current one in an editable combo box; the loaded
    // history belongs in the drop-down list, and the box opens empty.
    const QSignalBlocker blocker(CombKJSR);
    CombKJSR->setCurrentIndex(-1);
    CombKJSR->clearEditText();
}

QStringList ExpressionPanel::historyEntries() const
{
    QStringList entries;
    for (int i = 0; i < CombKJSR->count(); ++i)
        entries << CombKJSR->itemText(i);
    return entries;
}

void ExpressionPanel::CombKJSR_Change()
{
    QLineEdit *edit = CombKJSR->lineEdit();
    const QString text = edit->text();
    Q_EMIT expressionChanged(!trimBlanks(text).isEmpty());
    const int caret = edit->cursorPosition();
    QString replaced = text;
    replaced.replace(QStringLiteral("du"), QStringLiteral("°"), Qt::CaseInsensitive);
    if (replaced != text) {
        // Raises this handler once more; the text then holds no "du" and the chain ends.
        CombKJSR->setEditText(replaced);
        edit->setCursorPosition(std::min(caret, static_cast<int>(replaced.size())));
    }
    Q_EMIT statusMessage(trimBlanks(edit->text()));
}

void ExpressionPanel::CombKJSR_Click()
{
    Q_EMIT resultStale();
    CombKJSR_Change();
}

bool ExpressionPanel::CombKJSR_KeyPress(int key)
{
    if (key != 13)
        return false;
    if (!trimBlanks(expressionText()).isEmpty())
        Q_EMIT calculateRequested();
    // The box itself does nothing with Enter; keeping the key from it keeps the result.
    return true;
}

void ExpressionPanel::CombKJSR_Validate()
{
    QLineEdit *edit = CombKJSR->lineEdit();
    QString text = edit->text();
    int start = edit->hasSelectedText() ? static_cast<int>(edit->selectionStart()) : edit->cursorPosition();
    int length = edit->hasSelectedText() ? static_cast<int>(edit->selectedText().size()) : 0;
    const QString trimmed = trimBlanks(text);
    if (trimmed != text) {
        const int leading = static_cast<int>(text.indexOf(trimmed.isEmpty() ? text : trimmed));
        const int size = static_cast<int>(trimmed.size());
        start = std::clamp(start - std::max(leading, 0), 0, size);
        length = std::clamp(length, 0, size - start);
        CombKJSR->setEditText(trimmed);
        text = trimmed;
    }
    m_selectionSplit.Before = text.left(start);
    m_selectionSplit.Selected = text.mid(start, length);
    m_selectionSplit.After = text.right(text.size() - start - length);
}

void ExpressionPanel::CmdHanShu_Click(int index)
{
    // A press while the box has the focus works on its current text and selection.
    if (CombKJSR->lineEdit()->hasFocus())
        CombKJSR_Validate();
    SelectionSplitText &split = m_selectionSplit;
    split.Before += FrmMainText::FunctionPrefix.at(index);
    split.After = QStringLiteral(")") + split.After;
    CombKJSR->setEditText(split.Before + split.Selected + split.After);
    CombKJSR->setFocus();
    QLineEdit *edit = CombKJSR->lineEdit();
    if (split.Selected.isEmpty())
        edit->setCursorPosition(static_cast<int>(split.Before.size()));
    else
        edit->setSelection(static_cast<int>(split.Before.size()), static_cast<int>(split.Selected.size()));
}

void ExpressionPanel::CmdZT_Click()
{
    CombKJSR->setEditText(QGuiApplication::clipboard()->text());
    Q_EMIT calculateRequested();
    CombKJSR->setFocus();
}

void ExpressionPanel::CmdQK_Click()
{
    CombKJSR->setEditText(QString());
    Q_EMIT resultStale();
    CombKJSR->setFocus();
}

void ExpressionPanel::LabBDS_DblClick()
{
    m_prompts.message(MessageIcon::Information, FrmMainText::ExpressionHelpTitle,
                      FrmMainText::ExpressionHelpLines.join(Crlf));
}
