#include "ui/weightpanel.h"

#include "catalogue/catalogue.h"
#include "catalogue/tableloader.h"
#include "common/numbertext.h"
#include "platform/prompts.h"
#include "ui/elidedlinelabel.h"
#include "ui/frmmain_texts.h"
#include "ui/windowhelpers.h"
#include "weight/weightboxcheck.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <algorithm>

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Black(0, 0, 0);

QStringList entriesOf(const QComboBox *box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}

// The list entry the box shows; a typed text is no entry even when it reads the same.
int listIndexOf(const QComboBox *box)
{
    const int index = box->currentIndex();
    return index >= 0 && box->itemText(index) == box->currentText() ? index : -1;
}

// A box that takes typed numbers: no length limit that would cut a pasted text, no
// completion, and a typed text never joins the list.
void prepareTypedBox(QComboBox *box)
{
    box->lineEdit()->setMaxLength(TypedTextMaxLength);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
}

// At least the designed width, and as wide as the longest entry needs.
void widenToEntries(QComboBox *box)
{
    const QComboBox::SizeAdjustPolicy policy = box->sizeAdjustPolicy();
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int needed = box->sizeHint().width();
    box->setSizeAdjustPolicy(policy);
    box->setFixedWidth(std::max(twips(1300), needed));
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
            prepareTypedBox(box);
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

    LabDanZhong = new ElidedLineLabel(FrmMainText::LabDanZhong, parent);
    LabDanZhong->setObjectName(QStringLiteral("LabDanZhong"));
    LabDanZhong->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabDanZhong->setTextFormat(Qt::PlainText);
    // A line made long by what was typed (a size or piece weight of many digits) ends in "…" at
    // the window's edge instead of widening the window.
    LabDanZhong->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
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
    // The order the row shows them in: the sub-type list stands after CombSR(1).
    QWidget *const order[] = {CombSR[0], CombSR[1], CombLeiXing, CombSR[2], CombSR[3]};
    QWidget *last = previous;
    for (QWidget *widget : order) {
        QWidget::setTabOrder(last, widget);
        last = widget;
    }
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
            connect(box, &QComboBox::editTextChanged, this, [this, k] { textOrEntryChanged(k); });
            // Leaving a box whose typed text reads like a list entry would make the combo box
            // select that entry and report it as picked: the text stays typed, as it was.
            disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
        } else {
            // The size box is a pick-only list, except where a type makes it take a number.
            connect(box, &QComboBox::currentIndexChanged, this, [this, box, k] {
                if (!box->isEditable())
                    textOrEntryChanged(k);
            });
            connect(box, &QComboBox::editTextChanged, this, [this, k] { textOrEntryChanged(k); });
        }
        connect(box, &QComboBox::activated, this, [this, k] { entryPicked(k); });
    }
    connect(CombLeiXing, &QComboBox::activated, this, &WeightPanel::CombLeiXing_Click);
}

void WeightPanel::showRowsOf(const CalculationTypeRecord &record)
{
    for (std::size_t k = 0; k < record.rows.size(); ++k) {
        if (record.rows[k].caption.isNull())
            continue;
        LabSM[k]->setText(record.rows[k].caption.toString());
        LabSM[k]->show();
        CombSR[k]->show();
    }
    CombSR[static_cast<std::size_t>(record.sizeBoxIndex)]->setToolTip(record.sizeBoxToolTip.toString());
    LabDanZhong->setToolTip(record.unitWeightToolTip.toString());
    const QSignalBlocker quiet(CombLeiXing);
    CombLeiXing->clear();
    for (const SubTypeRecord &subType : record.subTypes)
        CombLeiXing->addItem(subType.caption.toString());
    CombLeiXing->setCurrentIndex(record.selectedSubType);
    CombLeiXing->setVisible(!record.subTypes.empty());
}

int WeightPanel::widestTypeLayout(const std::function<int()> &windowWidth)
{
    // The types differ only in their input row: the window is measured once, on the widest.
    const QScopedValueRollback<bool> holdBack(m_switchingType, true);
    setShown(true);
    const CalculationTypeRecord *widest = nullptr;
    int widestRow = -1;
    for (const CalculationTypeRecord &record : TypeRecords) {
        if (record.type == CalculationType::Expression || isLookup(record))
            continue;
        clearRows();
        showRowsOf(record);
        const int row = m_inputArea->minimumSizeHint().width();
        if (row > widestRow) {
            widestRow = row;
            widest = &record;
        }
    }
    int width = 0;
    if (widest) {
        clearRows();
        showRowsOf(*widest);
        layOutUpToWindow(m_inputArea);
        width = windowWidth();
    }
    clearRows();
    setShown(false);
    return width;
}

void WeightPanel::layOut(CalculationType type)
{
    const CalculationTypeRecord &record = typeRecord(type);
    {
        // The boxes are filled in one go; the change handler runs once at the end.
        const QScopedValueRollback<bool> holdBack(m_switchingType, true);
        setSizeBoxTyped(record.section.typedSizeBox);
        showRowsOf(record);
        const LoadedTable loaded = selectCatalogueType(m_catalogue, type);
        showNotices(m_prompts, loaded.notices);
        fillSizeBox(loaded, record);
        // Section model names are long ("HW200×200×8×12"): the pick-only box shows them whole,
        // which its row has room for within the window's one width.
        if (record.section.type && !record.section.typedSizeBox)
            widenToEntries(CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)]);
    }
    CombSR_Change(m_catalogue.SizeBoxIndex);
    CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)]->setFocus();
}

void WeightPanel::fillSizeBox(const LoadedTable &loaded, const CalculationTypeRecord &record)
{
    QComboBox *sizeBox = CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)];
    sizeBox->clear();
    const int dependentBox = record.section.dependentBox;
    if (m_catalogue.SizeBoxIndex != 1 && dependentBox != 1) {
        // Where box 1 takes a plain number (the flat bar's thickness) it keeps no list of an
        // earlier type, which would offer wrong values and mark good ones red.
        const QString text = CombSR[1]->currentText();
        CombSR[1]->clear();
        CombSR[1]->setEditText(text);
    }
    if (dependentBox >= 0) {
        CombSR[static_cast<std::size_t>(dependentBox)]->clear();
        CombSR[static_cast<std::size_t>(dependentBox)]->addItems(loaded.dependentEntries);
    }
    for (std::size_t k = 0; k < record.rows.size(); ++k) {
        if (!record.rows[k].defaultText.isNull())
            CombSR[k]->setEditText(record.rows[k].defaultText.toString());
    }
    if (dependentBox >= 0) {
        QComboBox *box = CombSR[static_cast<std::size_t>(dependentBox)];
        box->setCurrentIndex(box->findText(box->currentText()));
        setTextColour(box, Black);
    }
    for (const QString &loadingText : loaded.loadingTexts)
        Q_EMIT statusMessage(loadingText);
    sizeBox->addItems(loaded.sizeEntries);
    // A typed size box keeps its default text; a list shows its default entry.
    if (!sizeBox->isEditable() || loaded.defaultEntry >= 0)
        sizeBox->setCurrentIndex(loaded.defaultEntry);
    if (sizeBox->isEditable())
        setTextColour(sizeBox, Black);
}

void WeightPanel::setSizeBoxTyped(bool typed)
{
    QComboBox *box = CombSR[0];
    if (box->isEditable() == typed)
        return;
    box->setEditable(typed);
    if (typed) {
        prepareTypedBox(box);
        box->lineEdit()->installEventFilter(this);
        // As in the other typed boxes: leaving the box never turns the typed text into a pick.
        disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    }
}

void WeightPanel::followPickedSize()
{
    // The walls (leg thicknesses) of the size just picked; the box keeps its value where the
    // size has it and otherwise moves to the nearest.
    const int dependentBox = typeRecord(m_catalogue.CurrentType).section.dependentBox;
    if (dependentBox < 0)
        return;
    QComboBox *box = CombSR[static_cast<std::size_t>(dependentBox)];
    const QStringList entries = dependentEntries(m_catalogue.CurrentType, CombSR[0]->currentIndex());
    const int pick = dependentEntryFor(entries, readNumberPrefix(box->currentText()));
    const QScopedValueRollback<bool> holdBack(m_switchingType, true);
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(pick);
    setTextColour(box, Black);
}

void WeightPanel::CombLeiXing_Click()
{
    const CalculationTypeRecord &record = typeRecord(m_catalogue.CurrentType);
    if (record.subTypes.empty())
        return;
    {
        const QScopedValueRollback<bool> holdBack(m_switchingType, true);
        const LoadedTable loaded = loadTable(m_catalogue, record.type, CombLeiXing->currentIndex());
        showNotices(m_prompts, loaded.notices);
        CombSR[3]->setEditText(QStringLiteral("1"));
        fillSizeBox(loaded, record);
    }
    CombSR_Change(m_catalogue.SizeBoxIndex);
}

void WeightPanel::textOrEntryChanged(int index)
{
    if (m_switchingType)
        return;
    m_changedSinceUserAction[static_cast<std::size_t>(index)] = true;
    CombSR_Change(index);
}

void WeightPanel::entryPicked(int index)
{
    // A pick that changed the box has run the handler with its change; picking the entry the
    // box shows already still runs it, once.
    if (!m_changedSinceUserAction[static_cast<std::size_t>(index)])
        CombSR_Change(index);
}

void WeightPanel::CombSR_Change(int index)
{
    if (m_switchingType)
        return;
    if (index == 0)
        followPickedSize();
    WeightBoxChange change;
    change.index = index;
    for (std::size_t k = 0; k < 4; ++k)
        change.boxTexts[k] = CombSR[k]->currentText();
    // Square and hexagon bar list common sizes only; any other is typed as rightly.
    if (typeRecord(m_catalogue.CurrentType).weightRule != WeightRule::SectionFormula)
        change.sizeListEntries = entriesOf(CombSR[1]);
    change.caption = LabSM[static_cast<std::size_t>(index)]->text();
    change.weightType = m_catalogue.CurrentType != CalculationType::Expression;
    change.typedSizeBox = typeRecord(m_catalogue.CurrentType).section.typedSizeBox;
    const WeightBoxVerdict verdict = checkWeightBox(change);

    Q_EMIT statusMessage(verdict.statusText);
    if (verdict.refused) {
        setTextColour(LabDanZhong, Red);
        LabDanZhong->setText(verdict.caption);
        Q_EMIT calculableChanged(false);
        Q_EMIT resultStale();
        return;
    }
    if (verdict.boxMarked)
        setTextColour(CombSR[static_cast<std::size_t>(index)], *verdict.boxMarked ? Red : Black);
    Q_EMIT calculableChanged(verdict.calculate);
    if (verdict.calculate) {
        setTextColour(LabDanZhong, Blue);
        Q_EMIT calculateRequested();
    }
}

bool WeightPanel::CombSR_KeyPress(int index, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextWeightBox(index);
        return true;
    }
    // Only typed characters are filtered. Editing and caret keys, Tab, and the shortcuts for
    // the clipboard, undo and select-all work as in any text box: their key texts are control
    // characters, or they are pressed with Ctrl, as a text box itself tells them apart.
    const QString text = event->text();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (text.isEmpty() || !text.at(0).isPrint() || modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const QChar c = text.at(0);
    if ((c >= u'0' && c <= u'9') || c == u'.')
        return false;
    if (c == u'*') {
        // Size texts may carry "*"; other boxes only where the type takes a product.
        const bool allowed =
            index <= 1 || typeRecord(m_catalogue.CurrentType).rows[static_cast<std::size_t>(index)].takesStar;
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
        if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::Wheel)
            m_changedSinceUserAction[static_cast<std::size_t>(k)] = false;
        if (type == QEvent::KeyPress)
            return CombSR_KeyPress(k, static_cast<QKeyEvent *>(event));
        return false;
    }
    const bool notesLabel = watched == LabSM[0] || watched == LabSM[1];
    if ((notesLabel && type == QEvent::MouseButtonDblClick) ||
        (watched == LabDanZhong && type == QEvent::MouseButtonRelease)) {
        showNotices(m_prompts, {notesNotice(m_catalogue.TypeNotes)});
        return true;
    }
    return QObject::eventFilter(watched, event);
}

WeightOutcome WeightPanel::calculate(float densityFactor, double exactDensityFactor,
                                     PrecisionMode precisionMode,
                                     std::function<QString(const QString &)> evaluate,
                                     const QString &shownResult)
{
    WeightInputs inputs;
    inputs.type = m_catalogue.CurrentType;
    for (std::size_t k = 0; k < 4; ++k)
        inputs.boxTexts[k] = CombSR[k]->currentText();
    inputs.listIndex = {listIndexOf(CombSR[0]), listIndexOf(CombSR[1])};
    inputs.sizeBoxEntries = entriesOf(CombSR[1]);
    inputs.subType = CombLeiXing->currentIndex();
    inputs.catalogue = &m_catalogue;
    inputs.DensityFactor = densityFactor;
    inputs.exactDensityFactor = exactDensityFactor;
    inputs.precisionMode = precisionMode;
    inputs.evaluate = std::move(evaluate);

    // A failing step keeps what the window shows now, which the change handler may have
    // emptied or replaced since the last run.
    const WeightOutcome outcome = computeWeight(inputs, {m_unitWeight, LabDanZhong->text(), shownResult});
    m_unitWeight = outcome.display.UnitWeight;
    if (outcome.notes) {
        m_catalogue.PickedRow = outcome.sectionRow;
        m_catalogue.TypeNotes = *outcome.notes;
    }
    if (outcome.captionRed)
        setTextColour(LabDanZhong, Red);
    LabDanZhong->setText(outcome.display.caption);
    if (outcome.faultBox >= 0)
        Q_EMIT statusMessage(outcome.faultStatus);
    return outcome;
}
