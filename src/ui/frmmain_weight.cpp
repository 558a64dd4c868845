#include "ui/frmmain.h"

#include "catalogue/tableloader.h"
#include "common/numbertext.h"
#include "platform/prompts.h"
#include "ui/frmmain_texts.h"
#include "weight/weightboxcheck.h"

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

void FrmMain::layOutWeightType(CalculationType type)
{
    const CalculationTypeRecord &record = typeRecord(type);
    {
        // The boxes are filled in one go; the change handler runs once at the end.
        const QScopedValueRollback<bool> holdBack(m_switchingType, true);
        for (std::size_t k = 0; k < record.rows.size(); ++k) {
            if (record.rows[k].caption.isNull())
                continue;
            LabSM[k]->setText(record.rows[k].caption.toString());
            LabSM[k]->show();
            CombSR[k]->show();
        }
        CombSR[static_cast<std::size_t>(record.sizeBoxIndex)]->setToolTip(record.sizeBoxToolTip.toString());
        LabDanZhong->setToolTip(record.unitWeightToolTip.toString());
        {
            const QSignalBlocker quiet(CombLeiXing);
            CombLeiXing->clear();
            for (const SubTypeRecord &subType : record.subTypes)
                CombLeiXing->addItem(subType.caption.toString());
            CombLeiXing->setCurrentIndex(record.selectedSubType);
            CombLeiXing->setVisible(!record.subTypes.empty());
        }
        const LoadedTable loaded = selectCatalogueType(m_catalogue, type);
        showNotices(m_prompts, loaded.notices);
        fillSizeBox(loaded, record);
    }
    CombSR_Change(m_catalogue.SizeBoxIndex);
    CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)]->setFocus();
}

void FrmMain::fillSizeBox(const LoadedTable &loaded, const CalculationTypeRecord &record)
{
    QComboBox *sizeBox = CombSR[static_cast<std::size_t>(m_catalogue.SizeBoxIndex)];
    sizeBox->clear();
    for (std::size_t k = 0; k < record.rows.size(); ++k) {
        if (!record.rows[k].defaultText.isNull())
            CombSR[k]->setEditText(record.rows[k].defaultText.toString());
    }
    for (const QString &loadingText : loaded.loadingTexts)
        setPanelText(1, loadingText);
    sizeBox->addItems(loaded.sizeEntries);
    sizeBox->setCurrentIndex(loaded.defaultEntry);
}

void FrmMain::CombLeiXing_Click()
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

void FrmMain::CombSR_Change(int index)
{
    if (m_switchingType)
        return;
    WeightBoxChange change;
    change.index = index;
    for (std::size_t k = 0; k < 4; ++k)
        change.boxTexts[k] = CombSR[k]->currentText();
    change.sizeListEntries = entriesOf(CombSR[1]);
    change.caption = LabSM[static_cast<std::size_t>(index)]->text();
    change.weightType = m_catalogue.CurrentType != CalculationType::Expression;
    const WeightBoxVerdict verdict = checkWeightBox(change);

    setPanelText(1, verdict.statusText);
    if (verdict.refused) {
        setTextColour(LabDanZhong, Red);
        LabDanZhong->setText(verdict.caption);
        CmdOK->setEnabled(false);
        TxtJieGuo->clear();
        return;
    }
    if (verdict.boxMarked)
        setTextColour(CombSR[static_cast<std::size_t>(index)], *verdict.boxMarked ? Red : Black);
    CmdOK->setEnabled(verdict.calculate);
    if (verdict.calculate) {
        setTextColour(LabDanZhong, Blue);
        CmdOK_Click();
    }
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
        // Size texts may carry "*"; other boxes only where the type takes a product.
        const bool allowed =
            index <= 1 || typeRecord(m_catalogue.CurrentType).rows[static_cast<std::size_t>(index)].takesStar;
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
        showNotices(m_prompts, {notesNotice(m_catalogue.TypeNotes)});
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
    inputs.sizeBoxEntries = entriesOf(CombSR[1]);
    inputs.subType = CombLeiXing->currentIndex();
    inputs.catalogue = &m_catalogue;
    inputs.DensityFactor = m_material.DensityFactor();
    inputs.precisionMode = m_precisionMode;
    inputs.evaluate = [this](const QString &text) {
        // The weight boxes keep no history: a text at fault only gets its messages.
        const ExpressionOutcome outcome = BDSJS(text, m_expression, angleUnit());
        showNotices(m_prompts, outcome.notices);
        return outcome.value ? doubleText(*outcome.value) : QString();
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
    const auto material = static_cast<Material>(index);
    QString typedDensity;
    if (material == Material::Custom)
        typedDensity = m_prompts.input(MaterialDensity::customPrompt(), MaterialDensity::customTitle(),
                                       m_material.customDensityText());
    const MaterialChoice choice = m_material.apply(material, typedDensity);
    showNotices(m_prompts, choice.notices);
    for (int i = 0; i < MaterialCount; ++i)
        MSCaiZhi[static_cast<std::size_t>(i)]->setChecked(static_cast<Material>(i) == choice.checked);
    MSCaiZhi[static_cast<std::size_t>(Material::Custom)]->setText(m_material.caption(Material::Custom));
    setPanelText(2, choice.panel2Text);
    m_panels[1]->setVisible(choice.panel2Visible);
    CmdOK_Click();
    setPanelText(1, choice.panel1Text);
}

void FrmMain::setMaterialPanel()
{
    m_panels[1]->setVisible(!MSCaiZhi[static_cast<std::size_t>(Material::Steel)]->isChecked());
    setPanelText(2, m_material.panel2TextOnTypeSwitch());
}
