#include "ui/frmmain.h"

#include "expression/errorvalue.h"
#include "expression/jingdu.h"
#include "expression/numbertext.h"
#include "platform/prompts.h"
#include "ui/frmmain_helpers.h"
#include "ui/frmmain_texts.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

QString FrmMain::JingDu(const QString &text) const
{
    return ::JingDu(text, m_precisionMode);
}

QString FrmMain::expressionText() const
{
    return CombKJSR->currentText();
}

void FrmMain::CmdOK_Click()
{
    const int type = m_catalogue.CurrentType;
    bool completed = true;
    if (type == 0)
        completed = runExpressionBranch();
    else if (type >= 1 && type < CalculationTypeCount)
        completed = runWeightBranch();
    if (completed && MnuS_FZ->isChecked())
        CmdFZ_Click();
}

bool FrmMain::runExpressionBranch()
{
    QString text = expressionText();
    text.remove(u' ');
    if (text != expressionText()) {
        CombKJSR->setEditText(text);
        text = expressionText(); // the change handler may have turned a "du" into "°"
    }
    if (trimBlanks(text).isEmpty())
        return false;

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

    // A failing step is skipped: the result box keeps what the last edit left (empty).
    try {
        const QString value = BDSJS(expressionText(), m_expression, *this, m_prompts);
        TxtJieGuo->setText(JingDu(value));
    } catch (const ErrorValue &) {
    }

    if (CombKJSR->count() > m_historyLimit) {
        const QSignalBlocker quiet(CombKJSR);
        CombKJSR->removeItem(m_historyLimit);
    }
    return true;
}

void FrmMain::removeNewestHistoryEntry()
{
    if (CombKJSR->count() == 0)
        return;
    const QSignalBlocker quiet(CombKJSR);
    const QString text = expressionText();
    CombKJSR->removeItem(0);
    if (expressionText() != text)
        CombKJSR->setEditText(text);
}

void FrmMain::CombKJSR_Change()
{
    QLineEdit *edit = CombKJSR->lineEdit();
    const QString text = edit->text();
    if (m_catalogue.CurrentType == 0)
        CmdOK->setEnabled(!trimBlanks(text).isEmpty());
    TxtJieGuo->clear();
    const int caret = edit->cursorPosition();
    QString replaced = text;
    replaced.replace(QStringLiteral("du"), QStringLiteral("°"), Qt::CaseInsensitive);
    if (replaced != text) {
        // Raises this handler once more; the text then holds no "du" and the chain ends.
        CombKJSR->setEditText(replaced);
        edit->setCursorPosition(std::min(caret, static_cast<int>(replaced.size())));
    }
    setPanelText(1, trimBlanks(edit->text()));
}

void FrmMain::CombKJSR_Click()
{
    TxtJieGuo->clear();
    CombKJSR_Change();
}

bool FrmMain::CombKJSR_KeyPress(int key)
{
    if (key != 13)
        return false;
    if (!trimBlanks(expressionText()).isEmpty())
        CmdOK_Click();
    // The box itself does nothing with Enter; keeping the key from it keeps the result.
    return true;
}

void FrmMain::CombKJSR_Validate()
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

void FrmMain::CmdHanShu_Click(int index)
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

void FrmMain::CmdZT_Click()
{
    CombKJSR->setEditText(QGuiApplication::clipboard()->text());
    CmdOK_Click();
    CombKJSR->setFocus();
}

void FrmMain::CmdQK_Click()
{
    CombKJSR->setEditText(QString());
    TxtJieGuo->clear();
    CombKJSR->setFocus();
}

void FrmMain::MSBDSSL_Click(int index)
{
    QAction *item = MSBDSSL[static_cast<std::size_t>(index)];
    item->setChecked(true);
    m_historyLimit = static_cast<int>(readNumberPrefix(item->text()));
    m_rwini.SetIniS(FrmMainText::SectionExpression, FrmMainText::KeyHistorySize, QString::number(index));
    setPanelText(1, FrmMainText::HistorySizeStatus + item->text());
}

void FrmMain::MSjddw_Click(int index)
{
    MSjddw[static_cast<std::size_t>(index)]->setChecked(true);
    m_expression.ToHDu = index == 1 ? 1.0f : 0.0174532925f;
    const QString unit = MSjddw[0]->isChecked() ? MSjddw[0]->text() : MSjddw[1]->text();
    if (m_catalogue.CurrentType == 0) {
        setPanelText(2, unit);
        m_panels[1]->setToolTip(FrmMainText::AngleUnitToolTip);
    }
    setPanelText(1, FrmMainText::AngleUnitStatus + unit);
}

void FrmMain::MSJingDu_Click(int index)
{
    MSJingDu[static_cast<std::size_t>(index)]->setChecked(true);
    m_precisionMode = index;
    CmdOK_Click();
    setPanelText(1, FrmMainText::PrecisionStatus + MSJingDu[static_cast<std::size_t>(index)]->text());
}

void FrmMain::TxtJieGuo_Change()
{
    CmdFZ->setEnabled(TxtJieGuo->text().size() >= 2);
}

void FrmMain::CmdFZ_Click()
{
    const QString result = TxtJieGuo->text();
    if (trimBlanks(result).size() < 2)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(result);
    setPanelText(1, FrmMainText::CopiedStatus);
}

void FrmMain::MnuS_FZ_Click()
{
    // The action has toggled its own check mark.
    CmdFZ->setText(MnuS_FZ->isChecked() ? FrmMainText::CmdFZAuto : FrmMainText::CmdFZManual);
}

void FrmMain::LabBDS_DblClick()
{
    m_prompts.message(MessageIcon::Information, FrmMainText::ExpressionHelpTitle,
                      FrmMainText::ExpressionHelpLines.join(FrmMainText::Crlf));
}
