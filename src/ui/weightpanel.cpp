#include "ui/weightpanel.h"

#include "catalogue/catalogue.h"
#include "catalogue/tableloader.h"
#include "catalogue/typelayout.h"
#include "expression/numbertext.h"
#include "ui/frmmain_texts.h"
#include "ui/windowhelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Black(0, 0, 0);

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

double boxValue(const QComboBox *box)
{
    return readNumberPrefix(box->currentText());
}

// The list entry the box shows; a typed text is no entry even when it reads the same.
int listIndexOf(const QComboBox *box)
{
    const int index = box->currentIndex();
    return index >= 0 && box->itemText(index) == box->currentText() ? index : -1;
}

} // namespace

WeightPanel::WeightPanel(CatalogueState &catalogue, Prompts &prompts, QWidget *parent)
    : QObject(parent), m_catalogue(catalogue), m_prompts(prompts)
{
    build(parent);
    connectWeightInputs();
}

void WeightPanel::build(QWidget *parent)
{
    using namespace FrmMainText;
    m_inputArea = new QWidget(parent);
    m_inputArea->setObjectName(QStringLiteral("WeightInputRow"));
    const QStringList rowCaptions = {LabSizeCaption, LabSizeCaption, LabSM2, LabSM3};
    for (int k = 0; k < 4; ++k) {
        auto *label = new QLabel(rowCaptions.at(k), m_inputArea);
        label->setObjectName(QStringLiteral("LabSM(%1)").arg(k));
        auto *box = new QComboBox(m_inputArea);
        box->setObjectName(QStringLiteral("CombSR(%1)").arg(k));
        box->setEditable(k > 0); // the size box of the part types is a pick-only list
        if (k > 0) {
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setCompleter(nullptr);
            box->setMinimumContentsLength(4);
        }
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        label->setBuddy(box);
        label->hide();
        box->hide();
        LabSM[static_cast<std::size_t>(k)] = label;
        CombSR[static_cast<std::size_t>(k)] = box;
    }
    LabSM[0]->setToolTip(LabSizeToolTip);
    LabSM[1]->setToolTip(LabSizeToolTip);
    LabSM[0]->installEventFilter(this);
    LabSM[1]->installEventFilter(this);
    for (int preset : {30, 50, 80, 100, 200, 500, 1000, 3000})
        CombSR[2]->addItem(QString::number(preset));
    for (int preset : {30, 50, 100, 200, 500, 1000, 2000})
        CombSR[3]->addItem(QString::number(preset));
    CombSR[2]->setCurrentIndex(-1);
    CombSR[3]->setCurrentIndex(-1);

    CombLeiXing = new QComboBox(m_inputArea);
    CombLeiXing->setObjectName(QStringLiteral("CombLeiXing"));
    CombLeiXing->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    CombLeiXing->hide();

    // The same spacing as the window's rows, so the boxes sit where they would sit in the row.
    auto *inputs = new QHBoxLayout(m_inputArea);
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->setSpacing(4);
    for (int k = 0; k < 4; ++k) {
        inputs->addWidget(LabSM[static_cast<std::size_t>(k)]);
        inputs->addWidget(CombSR[static_cast<std::size_t>(k)]);
        if (k == 1)
            inputs->addWidget(CombLeiXing);
    }

    LabDanZhong = new QLabel(FrmMainText::LabDanZhong, parent);
    LabDanZhong->setObjectName(QStringLiteral("LabDanZhong"));
    LabDanZhong->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabDanZhong->setTextFormat(Qt::PlainText);
    LabDanZhong->installEventFilter(this);
    LabDanZhong->hide();
}

void WeightPanel::placeIn(QBoxLayout *inputRow, QBoxLayout *lowerRow)
{
    inputRow->insertWidget(0, m_inputArea);
    lowerRow->insertWidget(0, LabDanZhong, 1);
}

void WeightPanel::chainFocusAfter(QWidget *previous)
{
    QWidget *last = previous;
    for (QComboBox *box : CombSR) {
        QWidget::setTabOrder(last, box);
        last = box;
    }
    QWidget::setTabOrder(last, CombLeiXing);
}

void WeightPanel::setShown(bool shown)
{
    m_inputArea->setVisible(shown);
    LabDanZhong->setVisible(shown);
    if (!shown)
        return;
    CombSR[0]->setFixedWidth(twips(1300));
    LabDanZhong->clear();
}

void WeightPanel::clearRows()
{
    const QScopedValueRollback<bool> holdBack(m_switchingType, true);
    for (std::size_t k = 0; k < 4; ++k) {
        LabSM[k]->hide();
        CombSR[k]->hide();
    }
    CombLeiXing->hide();
    for (std::size_t k = 1; k < 4; ++k)
        CombSR[k]->setEditText(QStringLiteral("1"));
}

void WeightPanel::connectWeightInputs()
{
    for (int k = 0; k < 4; ++k) {
        QComboBox *box = CombSR[static_cast<std::size_t>(k)];
        box->installEventFilter(this);
        if (box->isEditable()) {
            box->lineEdit()->installEventFilter(this);
            connect(box, &QComboBox::editTextChanged, this, [this, k] { CombSR_Change(k); });
            connect(box, &QComboBox::activated, this, [this, k] { CombSR_Change(k); });
        } else {
            connect(box, &QComboBox::currentIndexChanged, this, [this, k] { CombSR_Change(k); });
        }
    }
    connect(CombLeiXing, &QComboBox::activated, this, &WeightPanel::CombLeiXing_Click);
}

void WeightPanel::layOut(int type)
{
    const TypeLayout &layout = typeLayout(type);
    {
        // The boxes are filled in one go; the change handler runs once at the end.
        const QScopedValueRollback<bool> holdBack(m_switchingType, true);
        for (const TypeLayout::RowCaption &row : layout.shownRows) {
            LabSM[static_cast<std::size_t>(row.row)]->setText(row.caption);
            LabSM[static_cast<std::size_t>(row.row)]->show();
            CombSR[static_cast<std::size_t>(row.row)]->show();
        }
        CombSR[static_cast<std::size_t>(layout.sizeBoxIndex)]->setToolTip(layout.sizeBoxToolTip);
        LabDanZhong->setToolTip(layout.unitWeightToolTip);
        {
            const QSignalBlocker quiet(CombLeiXing);
            CombLeiXing->clear();
            CombLeiXing->addItems(layout.subTypes);
            CombLeiXing->setCurrentIndex(layout.selectedSubType);
            CombLeiXing->setVisible(!layout.subTypes.isEmpty());
        }
        const LoadedTable loaded = selectCatalogueType(m_catalogue, type, m_prompts);
        fillSizeBox(loaded, layout);
    }
    CombSR_Change(m_catalogue.SizeBoxIndex);
    CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)]->setFocus();
}

void WeightPanel::fillSizeBox(const LoadedTable &loaded, const TypeLayout &layout)
{
    QComboBox *sizeBox = CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)];
    sizeBox->clear();
    for (const TypeLayout::RowText &text : layout.defaultTexts)
        CombSR[static_cast<std::size_t>(text.row)]->setEditText(text.text);
    for (const QString &loadingText : loaded.loadingTexts)
        Q_EMIT statusMessage(loadingText);
    sizeBox->addItems(loaded.sizeEntries);
    sizeBox->setCurrentIndex(loaded.defaultEntry);
}

void WeightPanel::CombLeiXing_Click()
{
    const int type = m_catalogue.CurrentType;
    if (type != 5 && type != 6)
        return;
    {
        const QScopedValueRollback<bool> holdBack(m_switchingType, true);
        const LoadedTable loaded = loadTable(m_catalogue, type, CombLeiXing->currentIndex(), m_prompts);
        CombSR[3]->setEditText(QStringLiteral("1"));
        fillSizeBox(loaded, typeLayout(type));
    }
    CombSR_Change(m_catalogue.SizeBoxIndex);
}

void WeightPanel::CombSR_Change(int index)
{
    if (m_switchingType)
        return;
    QComboBox *box = CombSR[static_cast<std::size_t>(index)];
    const QString text = box->currentText();
    if (index == 0 || boxValue(box) > 0) {
        Q_EMIT statusMessage(text);
        if (index == 0) {
            const bool marked = text.contains(u'*') || text.contains(QStringLiteral("矿"));
            setTextColour(box, marked ? Red : Black);
        } else if (index == 1 && box->count() > 0) {
            // Red until an entry of the same value is found: a size outside the list.
            const double value = boxValue(box);
            QColor colour = Red;
            for (int i = 0; i < box->count(); ++i) {
                if (readNumberPrefix(box->itemText(i)) == value) {
                    colour = Black;
                    break;
                }
            }
            setTextColour(box, colour);
        }
        if (boxValue(CombSR[1]) > 0 && boxValue(CombSR[2]) > 0 && boxValue(CombSR[3]) > 0 &&
            m_catalogue.CurrentType != 0) {
            setTextColour(LabDanZhong, Blue);
            Q_EMIT calculableChanged(true);
            Q_EMIT calculateRequested();
        } else {
            Q_EMIT calculableChanged(false);
        }
        return;
    }
    setTextColour(LabDanZhong, Red);
    LabDanZhong->setText(Crlf + FrmMainText::PositiveValueCaption);
    const QString caption = LabSM[static_cast<std::size_t>(index)]->text();
    Q_EMIT statusMessage(QStringLiteral("「") + caption.left(caption.size() - 1) +
                         FrmMainText::PositiveValueStatus);
    Q_EMIT calculableChanged(false);
    Q_EMIT resultStale();
}

bool WeightPanel::CombSR_KeyPress(int index, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextWeightBox(index);
        return true;
    }
    // Tab moves the focus on as everywhere in the window; it is no character of a box.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    // Selecting and copying type nothing; every other control key (paste, cut, undo) is refused.
    if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy))
        return false;
    if (event->matches(QKeySequence::Paste))
        return true;
    const QString text = event->text();
    if (text.isEmpty())
        return false; // caret movement and deletion are no typed characters
    const QChar c = text.at(0);
    if ((c >= u'0' && c <= u'9') || c == u'.' || c.unicode() == 8 || c.unicode() == 16)
        return false;
    if (c == u'*') {
        const int type = m_catalogue.CurrentType;
        const bool allowed = index <= 1 || (index == 2 && type == 10) || (index == 3 && type >= 10);
        return !allowed;
    }
    return true;
}

void WeightPanel::focusNextWeightBox(int index)
{
    // The next visible box; after the last one the size box again.
    for (int next = index + 1; next < 4; ++next) {
        if (!CombSR[static_cast<std::size_t>(next)]->isHidden()) {
            CombSR[static_cast<std::size_t>(next)]->setFocus();
            return;
        }
    }
    CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)]->setFocus();
}

bool WeightPanel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    for (int k = 0; k < 4; ++k) {
        QComboBox *box = CombSR[static_cast<std::size_t>(k)];
        if (watched != box && watched != box->lineEdit())
            continue;
        if (type == QEvent::KeyPress)
            return CombSR_KeyPress(k, static_cast<QKeyEvent *>(event));
        return false;
    }
    const bool notesLabel = watched == LabSM[0] || watched == LabSM[1];
    if ((notesLabel && type == QEvent::MouseButtonDblClick) ||
        (watched == LabDanZhong && type == QEvent::MouseButtonRelease)) {
        showNotes(m_catalogue.TypeNotes, m_prompts);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

WeightOutcome WeightPanel::calculate(float densityFactor, int precisionMode,
                                     std::function<QString(const QString &)> evaluate)
{
    WeightInputs inputs;
    inputs.type = m_catalogue.CurrentType;
    for (std::size_t k = 0; k < 4; ++k)
        inputs.boxTexts[k] = CombSR[k]->currentText();
    inputs.listIndex = {listIndexOf(CombSR[0]), listIndexOf(CombSR[1])};
    for (int i = 0; i < CombSR[1]->count(); ++i)
        inputs.sizeBoxEntries << CombSR[1]->itemText(i);
    inputs.subType = CombLeiXing->currentIndex();
    inputs.catalogue = &m_catalogue;
    inputs.DensityFactor = densityFactor;
    inputs.precisionMode = precisionMode;
    inputs.evaluate = std::move(evaluate);

    const WeightOutcome outcome = computeWeight(inputs, m_weight);
    m_weight = outcome.display;
    if (outcome.captionRed)
        setTextColour(LabDanZhong, Red);
    LabDanZhong->setText(outcome.display.caption);
    return outcome;
}
