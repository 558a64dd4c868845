#include "ui/lookuppanel.h"

#include "catalogue/catalogue.h"
#include "lookup/fitlookup.h"
#include "lookup/threadlookup.h"
#include "platform/prompts.h"
#include "ui/frmmain_texts.h"
#include "ui/windowhelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace {

// Common nominal sizes offered in the size box; any size may be typed.
const QStringList SizeEntries = {u"3"_qs,  u"6"_qs,  u"10"_qs, u"12"_qs, u"16"_qs, u"20"_qs,  u"25"_qs,
                                 u"30"_qs, u"40"_qs, u"50"_qs, u"60"_qs, u"80"_qs, u"100"_qs, u"120"_qs};

// The box widths, narrow enough that the boxes and the standard fit the window's one width.
constexpr int FitBoxWidth = twips(1000);
constexpr int ThreadBoxWidth = twips(1500);

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

} // namespace

LookupPanel::LookupPanel(Prompts &prompts, QWidget *parent) : QObject(parent), m_prompts(prompts)
{
    build(parent);
}

void LookupPanel::build(QWidget *parent)
{
    m_inputArea = new QWidget(parent);
    m_inputArea->setObjectName(QStringLiteral("LookupInputRow"));
    auto *inputs = new QHBoxLayout(m_inputArea);
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->setSpacing(4);
    for (std::size_t k = 0; k < m_boxes.size(); ++k) {
        auto *label = new QLabel(m_inputArea);
        label->setObjectName(QStringLiteral("LookupLabel(%1)").arg(k));
        auto *box = new QComboBox(m_inputArea);
        box->setObjectName(QStringLiteral("LookupBox(%1)").arg(k));
        box->setEditable(true);
        box->lineEdit()->setMaxLength(TypedTextMaxLength);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        box->setMaxVisibleItems(20);
        label->setBuddy(box);
        inputs->addWidget(label);
        inputs->addWidget(box);
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
        // Every keystroke and every pick looks the boxes up again.
        connect(box, &QComboBox::editTextChanged, this, [this] {
            if (!m_filling)
                Q_EMIT calculateRequested();
        });
        m_labels[k] = label;
        m_boxes[k] = box;
    }
    // The standard stands in the row after the boxes: the three lines below hold the answer.
    m_standard = new QLabel(m_inputArea);
    m_standard->setObjectName(QStringLiteral("LookupStandard"));
    m_standard->setTextFormat(Qt::PlainText);
    m_standard->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    inputs->addSpacing(12);
    inputs->addWidget(m_standard, 1);
    m_labels[0]->installEventFilter(this);
    m_labels[0]->setToolTip(FrmMainText::LabSizeToolTip);

    m_lines = new QLabel(parent);
    m_lines->setObjectName(QStringLiteral("LookupLines"));
    m_lines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lines->setTextFormat(Qt::PlainText);
    // A long line is cut at the window's edge instead of widening the window.
    m_lines->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_lines->installEventFilter(this);
    m_inputArea->hide();
    m_lines->hide();
}

void LookupPanel::placeIn(QBoxLayout *inputRow, QBoxLayout *lowerRow, QWidget *previous)
{
    // The row's free width goes to the standard after the boxes.
    inputRow->insertWidget(0, m_inputArea, 1);
    lowerRow->insertWidget(0, m_lines, 1);
    QWidget *last = previous;
    for (QComboBox *box : m_boxes) {
        QWidget::setTabOrder(last, box);
        last = box;
    }
}

void LookupPanel::setShown(bool shown)
{
    m_inputArea->setVisible(shown);
    m_lines->setVisible(shown);
}

void LookupPanel::layOut(CalculationType type)
{
    m_type = type;
    const CalculationTypeRecord &record = typeRecord(type);
    const bool fit = record.lookup == LookupKind::Fit;
    {
        const QScopedValueRollback<bool> filling(m_filling, true);
        const std::array<QStringList, 3> lists =
            fit ? std::array<QStringList, 3>{SizeEntries, classEntries(FitMember::Hole),
                                             classEntries(FitMember::Shaft)}
                : std::array<QStringList, 3>{threadEntries(), {}, {}};
        for (std::size_t k = 0; k < m_boxes.size(); ++k) {
            const InputRow &row = record.rows[k];
            m_labels[k]->setVisible(!row.caption.isNull());
            m_boxes[k]->setVisible(!row.caption.isNull());
            m_labels[k]->setText(row.caption.toString());
            m_boxes[k]->clear();
            m_boxes[k]->addItems(lists[k]);
            m_boxes[k]->setCurrentIndex(static_cast<int>(lists[k].indexOf(row.defaultText.toString())));
            m_boxes[k]->setEditText(row.defaultText.toString());
            m_boxes[k]->setFixedWidth(fit ? FitBoxWidth : ThreadBoxWidth);
        }
        m_standard->setText(record.standardLines[0].toString());
        m_boxes[0]->setToolTip(record.sizeBoxToolTip.toString());
        m_lines->setToolTip(record.unitWeightToolTip.toString());
    }
    m_boxes[0]->setFocus();
    m_boxes[0]->lineEdit()->selectAll();
    Q_EMIT calculateRequested();
}

LookupAnswer LookupPanel::calculate()
{
    const LookupAnswer answer =
        typeRecord(m_type).lookup == LookupKind::Fit
            ? lookUpFit(m_boxes[0]->currentText(), m_boxes[1]->currentText(), m_boxes[2]->currentText())
            : lookUpThread(m_boxes[0]->currentText());
    setTextColour(m_lines, answer.failed ? Red : Blue);
    m_lines->setText(answer.lines.join(u'\n'));
    m_notes = answer.notes;
    return answer;
}

bool LookupPanel::boxKeyPress(std::size_t index, QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The next visible box; after the last one the first again.
        for (std::size_t next = index + 1; next <= m_boxes.size(); ++next) {
            QComboBox *box = m_boxes[next % m_boxes.size()];
            if (!box->isHidden()) {
                box->setFocus();
                box->lineEdit()->selectAll();
                break;
            }
        }
        return true;
    }
    return false;
}

bool LookupPanel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    for (std::size_t k = 0; k < m_boxes.size(); ++k) {
        if (type == QEvent::KeyPress && (watched == m_boxes[k] || watched == m_boxes[k]->lineEdit()))
            return boxKeyPress(k, static_cast<QKeyEvent *>(event));
    }
    if ((watched == m_labels[0] && type == QEvent::MouseButtonDblClick) ||
        (watched == m_lines && type == QEvent::MouseButtonRelease)) {
        showNotices(m_prompts, {notesNotice(m_notes)});
        return true;
    }
    return QObject::eventFilter(watched, event);
}
