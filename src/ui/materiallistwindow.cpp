#include "ui/materiallistwindow.h"

#include "materiallist/materiallistcsv.h"
#include "materiallist/materiallistfile.h"
#include "materiallist/materiallistreport.h"
#include "platform/prompts.h"
#include "ui/materiallistmodel.h"
#include "ui/materiallistprint.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using Column = MaterialListCsv::Column;

namespace {

const QString ClearTitle = QStringLiteral("注意");
const QString ErrorTitle = QStringLiteral("错误！");
const QString ExportTitle = QStringLiteral("导出CSV");
const QString ExportFilter = QStringLiteral("CSV 文件 (*.csv);;所有文件(*)");
const QString PdfTitle = QStringLiteral("导出PDF");
const QString PdfFilter = QStringLiteral("PDF 文件 (*.pdf);;所有文件(*)");
const QString PrintTitle = QStringLiteral("打印");

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QPushButton *button(const QString &caption, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

QString MaterialListWindow::windowCaption()
{
    return QStringLiteral("材料清单");
}

MaterialListWindow::MaterialListWindow(MaterialListModel &model, Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_model(model), m_prompts(prompts)
{
    setObjectName(QStringLiteral("MaterialListWindow"));
    setWindowTitle(windowCaption());
    resize(830, 400);
    setMinimumSize(460, 260);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("materialTable"));
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    QHeaderView *header = m_table->horizontalHeader();
    const QList<int> widths{40, 72, 96, 64, 104, 56, 64, 52, 80};
    for (int i = 0; i < widths.size(); ++i)
        header->resizeSection(i, widths.at(i));
    header->setStretchLastSection(true);
    // 规格 follows its longest text (HW200×200×8×12) up to a limit; the tooltip has the rest.
    // Sized on the rows near the view, so that a long list opens as fast as a short one.
    header->setResizeContentsPrecision(200);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &MaterialListWindow::fitSizeColumn);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &MaterialListWindow::fitSizeColumn);

    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("totalLabel"));
    m_total->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_materialTotals = new QLabel(this);
    m_materialTotals->setObjectName(QStringLiteral("materialTotalsLabel"));
    m_materialTotals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_materialTotals->setWordWrap(true);

    m_delete = button(QStringLiteral("删除"), QStringLiteral("deleteButton"), this);
    m_delete->setToolTip(QStringLiteral("删除选中的行 (Del)"));
    m_clear = button(QStringLiteral("清空"), QStringLiteral("clearButton"), this);
    // Mnemonics other than the main window's (Alt+C is its Cos): Qt treats a tool window's
    // shortcuts together with its parent's, and one key on two buttons clicks neither.
    m_copy = button(QStringLiteral("复制表格(&B)"), QStringLiteral("copyButton"), this);
    m_copy->setToolTip(QStringLiteral("以制表符分隔复制到剪贴板，可直接粘贴到 Excel 或 WPS"));
    m_export = button(QStringLiteral("导出CSV…(&E)"), QStringLiteral("exportButton"), this);
    m_print = button(QStringLiteral("打印…(&P)"), QStringLiteral("printButton"), this);
    m_print->setToolTip(QStringLiteral("打印材料清单 (Ctrl+P)"));
    m_pdf = button(QStringLiteral("导出PDF…(&D)"), QStringLiteral("pdfButton"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    buttons->addWidget(m_copy);
    buttons->addWidget(m_export);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("statusBar"));
    m_status->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_total);
    layout->addWidget(m_materialTotals);
    layout->addLayout(buttons);
    layout->addWidget(m_status);

    auto *del = new QShortcut(QKeySequence::Delete, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    del->setObjectName(QStringLiteral("deleteShortcut"));
    connect(del, &QShortcut::activated, this, &MaterialListWindow::deleteSelected);
    connect(m_delete, &QPushButton::clicked, this, &MaterialListWindow::deleteSelected);
    connect(m_clear, &QPushButton::clicked, this, &MaterialListWindow::clearAll);
    connect(m_copy, &QPushButton::clicked, this, &MaterialListWindow::copyTable);
    connect(m_export, &QPushButton::clicked, this, &MaterialListWindow::exportCsv);
    connect(m_print, &QPushButton::clicked, this, &MaterialListWindow::printList);
    connect(m_pdf, &QPushButton::clicked, this, &MaterialListWindow::exportPdf);
    auto *print = new QShortcut(QKeySequence::Print, this);
    print->setObjectName(QStringLiteral("printShortcut"));
    connect(print, &QShortcut::activated, this, &MaterialListWindow::printList);
    connect(&m_model, &MaterialListModel::statusMessage, this, &MaterialListWindow::showStatus);
    connect(&m_model, &MaterialListModel::totalsChanged, this, &MaterialListWindow::updateTotals);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MaterialListWindow::updateButtons);
    updateTotals();
    fitSizeColumn();
}

void MaterialListWindow::fitSizeColumn()
{
    constexpr int MaxWidth = 220;
    const int column = static_cast<int>(Column::Size);
    m_table->resizeColumnToContents(column);
    QHeaderView *header = m_table->horizontalHeader();
    header->resizeSection(column, std::min(std::max(header->sectionSize(column), 72), MaxWidth));
}

void MaterialListWindow::deleteSelected()
{
    // The rows of the selection's ranges (whole rows: the view selects rows); asking for the
    // selected rows one by one takes long for a selection of many rows.
    QList<int> rows;
    for (const QItemSelectionRange &range : m_table->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    if (rows.isEmpty())
        return;
    const int next = *std::min_element(rows.begin(), rows.end());
    m_model.removeListRows(rows);
    if (m_model.rowCount() > 0)
        m_table->selectRow(std::min(next, m_model.rowCount() - 1));
    showStatus(QStringLiteral("已删除 %1 行").arg(rows.size()));
}

void MaterialListWindow::clearAll()
{
    const int rows = m_model.rowCount();
    if (rows == 0)
        return;
    const QString question = QStringLiteral("清空材料清单中的全部 %1 行？\r\n此操作不能撤销。").arg(rows);
    if (m_prompts.message(MessageIcon::Exclamation, ClearTitle, question, MessageButtons::YesNoDefaultNo) !=
        MessageAnswer::Yes)
        return;
    m_model.clearList();
    showStatus(QStringLiteral("材料清单已清空"));
}

void MaterialListWindow::copyTable()
{
    if (m_model.list().isEmpty())
        return;
    QGuiApplication::clipboard()->setText(MaterialListCsv::clipboardText(m_model.list()));
    showStatus(QStringLiteral("已复制 %1 行到剪贴板").arg(m_model.rowCount()));
}

void MaterialListWindow::exportCsv()
{
    if (m_model.list().isEmpty())
        return;
    // The dialog adds ".csv" to a bare name itself, before it asks about replacing a file.
    const QString path = m_prompts.chooseSaveFile(
        ExportTitle, QDir(documentsFolder()).filePath(MaterialListFile::fileName()), ExportFilter);
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = MaterialListFile::writeCsv(path, m_model.list())) {
        m_prompts.message(MessageIcon::Critical, ErrorTitle,
                          QStringLiteral("导出CSV失败：") + QDir::toNativeSeparators(path) +
                              QStringLiteral("\r\n") + *error);
        return;
    }
    showStatus(QStringLiteral("已导出：") + QDir::toNativeSeparators(path));
}

void MaterialListWindow::printList()
{
    if (m_model.list().isEmpty())
        return;
    QString error;
    const MaterialListPrint::PrintResult result =
        MaterialListPrint::print(this, MaterialListReport::html(m_model.list(), QDate::currentDate()),
                                 MaterialListReport::title(), &error);
    if (result == MaterialListPrint::PrintResult::Unavailable) {
        m_prompts.message(MessageIcon::Critical, ErrorTitle,
                          QStringLiteral("无法打印：打印模块未能载入。\r\n") + error);
        return;
    }
    if (result == MaterialListPrint::PrintResult::NoPrinter) {
        m_prompts.message(
            MessageIcon::Exclamation, PrintTitle,
            QStringLiteral("无法打印：系统中没有打印机。\r\n请先添加打印机，或导出PDF后再打印。"));
        return;
    }
    if (result == MaterialListPrint::PrintResult::Printed)
        showStatus(QStringLiteral("已发送到打印机"));
}

void MaterialListWindow::exportPdf()
{
    if (m_model.list().isEmpty())
        return;
    const QString path = m_prompts.chooseSaveFile(
        PdfTitle, QDir(documentsFolder()).filePath(MaterialListReport::title() + QStringLiteral(".pdf")),
        PdfFilter);
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error =
            MaterialListPrint::writePdf(path, MaterialListReport::html(m_model.list(), QDate::currentDate()),
                                        MaterialListReport::title())) {
        m_prompts.message(MessageIcon::Critical, ErrorTitle,
                          QStringLiteral("导出PDF失败：") + QDir::toNativeSeparators(path) +
                              QStringLiteral("\r\n") + *error);
        return;
    }
    showStatus(QStringLiteral("已导出：") + QDir::toNativeSeparators(path));
}

void MaterialListWindow::showStatus(const QString &text)
{
    m_status->showMessage(text);
}

void MaterialListWindow::updateTotals()
{
    const MaterialTotals totals = m_model.list().totals();
    m_total->setText(MaterialListReport::totalLine(totals));
    m_materialTotals->setText(MaterialListReport::perMaterialLine(totals));
    m_materialTotals->setVisible(totals.perMaterial.size() > 1);
    updateButtons();
}

void MaterialListWindow::updateButtons()
{
    const bool any = m_model.rowCount() > 0;
    m_delete->setEnabled(m_table->selectionModel()->hasSelection());
    m_clear->setEnabled(any);
    m_copy->setEnabled(any);
    m_export->setEnabled(any);
    m_print->setEnabled(any);
    m_pdf->setEnabled(any);
}
