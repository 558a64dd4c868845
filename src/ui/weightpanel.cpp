#include "ui/frmmain.h"

#include "catalogue/tableloader.h"
#include "catalogue/typelayout.h"
#include "expression/errorvalue.h"
#include "expression/numbertext.h"
#include "ui/frmmain_texts.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

void FrmMain::connectWeightInputs()
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
    connect(CombLeiXing, &QComboBox::activated, this, &FrmMain::CombLeiXing_Click);
}

void FrmMain::layOutWeightType(int type)
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

void FrmMain::fillSizeBox(const LoadedTable &loaded, const TypeLayout &layout)
{
    QComboBox *sizeBox = CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)];
    sizeBox->clear();
    for (const TypeLayout::RowText &text : layout.defaultTexts)
        CombSR[static_cast<std::size_t>(text.row)]->setEditText(text.text);
    for (const QString &loadingText : loaded.loadingTexts)
        setPanelText(1, loadingText);
    sizeBox->addItems(loaded.sizeEntries);
    sizeBox->setCurrentIndex(loaded.defaultEntry);
}

void FrmMain::CombLeiXing_Click()
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

void FrmMain::CombSR_Change(int index)
{
    if (m_switchingType)
        return;
    QComboBox *box = CombSR[static_cast<std::size_t>(index)];
    const QString text = box->currentText();
    if (index == 0 || boxValue(box) > 0) {
        setPanelText(1, text);
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
            CmdOK->setEnabled(true);
            CmdOK_Click();
        } else {
            CmdOK->setEnabled(false);
        }
        return;
    }
    setTextColour(LabDanZhong, Red);
    LabDanZhong->setText(FrmMainText::Crlf + FrmMainText::PositiveValueCaption);
    const QString caption = LabSM[static_cast<std::size_t>(index)]->text();
    setPanelText(1,
                 QStringLiteral("「") + caption.left(caption.size() - 1) + FrmMainText::PositiveValueStatus);
    CmdOK->setEnabled(false);
    TxtJieGuo->clear();
}

bool FrmMain::CombSR_KeyPress(int index, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextWeightBox(index);
        return true;
    }
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

void FrmMain::focusNextWeightBox(int index)
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

bool FrmMain::weightEventFilter(QObject *watched, QEvent *event)
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
    return false;
}

bool FrmMain::runWeightBranch()
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
    inputs.DensityFactor = m_material.DensityFactor();
    inputs.precisionMode = m_precisionMode;
    inputs.evaluate = [this](const QString &text) {
        try {
            return BDSJS(text, m_expression, *this, m_prompts);
        } catch (const ErrorValue &) {
            return QString(); // a box of "=" only is no number
        }
    };

    const WeightOutcome outcome = computeWeight(inputs, m_weight);
    m_weight = outcome.display;
    if (outcome.captionRed)
        setTextColour(LabDanZhong, Red);
    if (outcome.disableCmdOK)
        CmdOK->setEnabled(false);
    LabDanZhong->setText(outcome.display.caption);
    if (TxtJieGuo->text() != outcome.display.resultText)
        TxtJieGuo->setText(outcome.display.resultText);
    return outcome.completed;
}

void FrmMain::MSCaiZhi_Click(int index)
{
    const MaterialChoice choice = m_material.apply(index, m_prompts);
    for (int i = 0; i < MaterialIndex::Count; ++i)
        MSCaiZhi[static_cast<std::size_t>(i)]->setChecked(i == choice.checkedIndex);
    MSCaiZhi[MaterialIndex::Custom]->setText(m_material.caption(MaterialIndex::Custom));
    setPanelText(2, choice.panel2Text);
    m_panels[1]->setVisible(choice.panel2Visible);
    CmdOK_Click();
    setPanelText(1, choice.panel1Text);
}

void FrmMain::setMaterialPanel()
{
    m_panels[1]->setVisible(!MSCaiZhi[MaterialIndex::Steel]->isChecked());
    setPanelText(2, m_material.panel2TextOnTypeSwitch());
}
