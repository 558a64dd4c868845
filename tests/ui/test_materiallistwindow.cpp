// The material list window driven as a user drives it: editing cells, Del, 清空 with its
// question, Alt+B and 导出CSV….

#include "materiallist/materiallistcsv.h"
#include "materiallist/materiallistfile.h"
#include "platform/recordingprompts.h"
#include "ui/materiallistmodel.h"
#include "ui/materiallistprint.h"
#include "ui/materiallistwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestMaterialListWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void editingACell_data();
    void editingACell();
    void delKeyDeletesSelectedRows();
    void clearAsksFirst();
    void selectAllAndDelIsOneChange();
    void longListIsSavedInTheBackgroundAndToTheLastChange();
    void shownCells_data();
    void shownCells();
    void altBCopiesTheTable();
    void exportWritesTheChosenFile();
    void pdfHasTheListOnNumberedPagesEachWithItsHeader();
    void printLoadsItsModuleAtFirstUse();
    void totalsPerMaterialOnlyForSeveralMaterials();
    void failedSaveShowsInTheStatusBarOnce();

private:
    QTableView *table() const { return m_window->findChild<QTableView *>("materialTable"); }
    QString label(const char *name) const { return m_window->findChild<QLabel *>(name)->text(); }
    QString status() const { return m_window->findChild<QStatusBar *>("statusBar")->currentMessage(); }
    QByteArray fileBytes() const
    {
        QFile file(m_file->path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir *m_folder = nullptr;
    MaterialList *m_list = nullptr;
    MaterialListFile *m_file = nullptr;
    MaterialListModel *m_model = nullptr;
    RecordingPrompts *m_prompts = nullptr;
    MaterialListWindow *m_window = nullptr;
};

void TestMaterialListWindow::init()
{
    m_folder = new QTemporaryDir;
    m_list = new MaterialList;
    m_file = new MaterialListFile(m_folder->filePath(MaterialListFile::fileName()));
    m_model = new MaterialListModel(*m_list, *m_file);
    m_prompts = new RecordingPrompts;
    m_model->addLine({"工字钢", "Ⅰ12.6", "钢", 6000, 2, 14.223, UnitBasis::PerMetre});    // 170.676
    m_model->addLine({"六角螺母", "M10", "钢", 0, 100, 0.008, UnitBasis::PerPiece});      // 0.800
    m_model->addLine({"钢板", "δ10", "钢", 1500000, 1, 78.5, UnitBasis::PerSquareMetre}); // 117.750
    m_window = new MaterialListWindow(*m_model, *m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestMaterialListWindow::cleanup()
{
    if (m_window && qEnvironmentVariableIsSet("VARDEKO_SHOT_DIR"))
        m_window->grab().save(qEnvironmentVariable("VARDEKO_SHOT_DIR") + "/materiallist-" +
                              QTest::currentTestFunction() + ".png");
    delete m_window;
    delete m_prompts;
    delete m_model;
    delete m_file;
    delete m_list;
    delete m_folder;
}

void TestMaterialListWindow::editingACell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("status");

    const int quantity = int(MaterialListCsv::Column::Quantity);
    const int length = int(MaterialListCsv::Column::LengthOrArea);
    const int note = int(MaterialListCsv::Column::Note);
    QTest::newRow("quantity: weight and total follow") << 0 << quantity << "3"
                                                       << "256.014"
                                                       << "合计：374.564 kg（0.375 t）"
                                                       << "";
    QTest::newRow("length: weight and total follow") << 0 << length << "3000"
                                                     << "85.338"
                                                     << "合计：203.888 kg（0.204 t）"
                                                     << "";
    QTest::newRow("area of the plate follows") << 2 << length << "1000000"
                                               << "78.500"
                                               << "合计：249.976 kg（0.250 t）"
                                               << "";
    QTest::newRow("refused quantity keeps the row and says why") << 0 << quantity << "abc"
                                                                 << "170.676"
                                                                 << "合计：289.226 kg（0.289 t）"
                                                                 << "数量必须是大于0的数：abc";
    QTest::newRow("note with comma and quotes is kept") << 1 << note << "柱脚, \"A\""
                                                        << "0.800"
                                                        << "合计：289.226 kg（0.289 t）"
                                                        << "";
}

void TestMaterialListWindow::editingACell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, weight);
    QFETCH(QString, total);
    QFETCH(QString, status);

    const QModelIndex index = m_model->index(row, column);
    table()->setCurrentIndex(index);
    table()->edit(index);
    auto *editor = table()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText(typed); // QTest types Latin-1 only
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!table()->findChild<QLineEdit *>()); // the view commits after the key press

    QCOMPARE(m_model->index(row, int(MaterialListCsv::Column::Weight)).data().toString(), weight);
    QCOMPARE(label("totalLabel"), total);
    QCOMPARE(this->status(), status);
    // The file follows every accepted edit and reads back as the list.
    QCOMPARE(fileBytes(), MaterialListCsv::write(*m_list));
    if (column == int(MaterialListCsv::Column::Note))
        QCOMPARE(m_list->row(row).note, typed);
}

void TestMaterialListWindow::delKeyDeletesSelectedRows()
{
    table()->setFocus();
    table()->selectionModel()->select(m_model->index(0, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table()->selectionModel()->select(m_model->index(2, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(table(), Qt::Key_Delete);
    QCOMPARE(m_list->size(), 1);
    QCOMPARE(m_list->row(0).line.typeCaption, QStringLiteral("六角螺母"));
    QCOMPARE(label("totalLabel"), QStringLiteral("合计：0.800 kg（0.001 t）"));
    QCOMPARE(MaterialListCsv::read(fileBytes()).rows.size(), 1);
}

void TestMaterialListWindow::clearAsksFirst()
{
    auto *clear = m_window->findChild<QPushButton *>("clearButton");
    m_prompts->messageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    clear->click();
    QCOMPARE(m_list->size(), 3);
    QCOMPARE(m_prompts->calls.size(), 1);
    QCOMPARE(m_prompts->calls.at(0).text, QStringLiteral("清空材料清单中的全部 3 行？\r\n此操作不能撤销。"));
    QCOMPARE(m_prompts->calls.at(0).buttons, MessageButtons::YesNoDefaultNo); // Enter keeps the list
    clear->click();
    QCOMPARE(m_list->size(), 0);
    QCOMPARE(label("totalLabel"), QStringLiteral("合计：0.000 kg（0.000 t）"));
    QVERIFY(!clear->isEnabled());
    QCOMPARE(MaterialListCsv::read(fileBytes()).rows.size(), 0);
}

void TestMaterialListWindow::selectAllAndDelIsOneChange()
{
    // Rows removed one by one took seconds at a hundred thousand rows.
    QSignalSpy removals(m_model, &QAbstractItemModel::rowsAboutToBeRemoved);
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(table(), Qt::Key_Delete);
    QCOMPARE(m_list->size(), 0);
    QCOMPARE(removals.size(), 1);
    QCOMPARE(status(), QStringLiteral("已删除 3 行"));
}

void TestMaterialListWindow::longListIsSavedInTheBackgroundAndToTheLastChange()
{
    // Under Wine a process that ran this save's thread hangs now and then while it ends, after
    // its cases passed: already terminating, so that not even Wine's debugger may attach. It
    // never did on Linux. Wine is known by its ntdll.
    if (QLibrary::resolve(QStringLiteral("ntdll"), "wine_get_version"))
        QSKIP("under Wine a process that ran a background save's thread hangs now and then as it ends");
    delete m_window; // the rows join behind the model's back: no view may look at them
    m_window = nullptr;
    for (int i = 0; i < MaterialListModel::BackgroundSaveRows; ++i)
        m_list->append({"角钢", "50×5", "钢", 1000.0 + i, 1, 3.776, UnitBasis::PerMetre}, QString());
    const QModelIndex quantity = m_model->index(7, int(MaterialListCsv::Column::Quantity));
    QVERIFY(m_model->setData(quantity, "3"));
    QTRY_COMPARE(fileBytes(), MaterialListCsv::write(*m_list));
    // Changes while a save runs: the last one reaches the file, also when the model goes
    // at once (the program closes).
    for (int n = 4; n < 9; ++n)
        QVERIFY(m_model->setData(quantity, QString::number(n)));
    delete m_model;
    m_model = nullptr;
    QCOMPARE(fileBytes(), MaterialListCsv::write(*m_list));
    QCOMPARE(m_list->row(7).line.quantity, 8.0);
}

void TestMaterialListWindow::shownCells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("toolTip");

    const int size = int(MaterialListCsv::Column::Size);
    const int length = int(MaterialListCsv::Column::LengthOrArea);
    const int unitWeight = int(MaterialListCsv::Column::UnitWeight);
    const int unit = int(MaterialListCsv::Column::Unit);
    const int note = int(MaterialListCsv::Column::Note);
    QTest::newRow("length says mm") << 0 << length << "6000 mm"
                                    << "长度，单位 mm";
    QTest::newRow("area says mm²") << 2 << length << "1500000 mm²"
                                   << "面积，单位 mm²";
    QTest::newRow("unit weight as the calculator shows it, in full in the tooltip")
        << 3 << unitWeight << "1.578"
        << "1.5783398 kg/m";
    QTest::newRow("the unit in its own column") << 3 << unit << "kg/m"
                                                << "";
    QTest::newRow("a long size in full in the tooltip") << 3 << size << "HW200×200×8×12"
                                                        << "HW200×200×8×12";
    QTest::newRow("a note of several lines on one") << 3 << note << "第一行 ↵ 第二行"
                                                    << "第一行\n第二行";
}

void TestMaterialListWindow::shownCells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, shown);
    QFETCH(QString, toolTip);
    m_model->addLine({"H型钢", "HW200×200×8×12", "钢", 1000, 1, 1.5783398, UnitBasis::PerMetre});
    m_model->setData(m_model->index(3, int(MaterialListCsv::Column::Note)), QStringLiteral("第一行\n第二行"));
    const QModelIndex index = m_model->index(row, column);
    QCOMPARE(index.data().toString(), shown);
    QCOMPARE(index.data(Qt::ToolTipRole).toString(), toolTip);
    // The editor gets the plain value, the row keeps its full precision.
    QCOMPARE(m_list->row(3).line.unitWeight, 1.5783398);
    if (column == int(MaterialListCsv::Column::Size)) {
        // The column is as wide as the longest size.
        const int needed = table()->fontMetrics().horizontalAdvance(shown);
        QVERIFY2(table()->columnWidth(column) > needed,
                 qPrintable(QStringLiteral("%1 <= %2").arg(table()->columnWidth(column)).arg(needed)));
    }
}

void TestMaterialListWindow::altBCopiesTheTable()
{
    QApplication::clipboard()->clear();
    QTest::keyClick(m_window, Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(!QApplication::clipboard()->text().isEmpty()); // a mnemonic clicks a moment later
    const QString text = QApplication::clipboard()->text();
    QCOMPARE(text, MaterialListCsv::clipboardText(*m_list));
    QVERIFY(text.endsWith(QStringLiteral("合计\t\t\t\t\t\t\t\t289.226\t\n")));
    QCOMPARE(status(), QStringLiteral("已复制 3 行到剪贴板"));
}

void TestMaterialListWindow::exportWritesTheChosenFile()
{
    // The dialog adds ".csv" to a bare name (before it asks about replacing a file): the
    // window writes the path it answers, as it is.
    const QString target = m_folder->filePath("导出.csv");
    m_prompts->saveFileAnswers = {target, m_folder->filePath("gone/x.csv")};
    QTest::keyClick(m_window, Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(m_prompts->calls.size(), 1);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), MaterialListCsv::write(*m_list));
    QCOMPARE(m_prompts->calls.at(0).kind, RecordingPrompts::Kind::ChooseSaveFile);
    QVERIFY(m_prompts->calls.at(0).defaultText.startsWith(QStringLiteral("CSV 文件 (*.csv)")));

    QTest::keyClick(m_window, Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(m_prompts->calls.size(), 3);
    QCOMPARE(m_prompts->calls.at(2).icon, MessageIcon::Critical);
    QVERIFY(m_prompts->calls.at(2).text.startsWith(QStringLiteral("导出CSV失败：")));
}

void TestMaterialListWindow::pdfHasTheListOnNumberedPagesEachWithItsHeader()
{
    for (int i = 1; i <= 70; ++i) // lengths of their own: 73 rows, more than one page
        m_model->addLine({"角钢", "50×5", "钢", 1000.0 + i, 1, 3.776, UnitBasis::PerMetre});
    const QString pdf = m_folder->filePath("清单.pdf");
    m_prompts->saveFileAnswers = {pdf};
    QTest::keyClick(m_window, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(m_prompts->calls.size(), 1);
    QCOMPARE(m_prompts->calls.at(0).defaultText, QStringLiteral("PDF 文件 (*.pdf);;所有文件(*)"));
    QCOMPARE(status(), QStringLiteral("已导出：") + QDir::toNativeSeparators(pdf));

    // The page as a reader of the file gets it: its text, read back by pdftotext.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) && pdftotext.error() == QProcess::FailedToStart)
        QSKIP("pdftotext cannot be started: no poppler-utils, or Wine, which starts no Linux program");
    const QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size()))); // two pages or more, then ""
    const int count = int(pages.size()) - 1;
    const QString first = pages.at(0);
    QVERIFY(first.contains(QStringLiteral("材料清单")));
    QVERIFY(first.contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    QVERIFY(first.contains(QStringLiteral("工字钢")) && first.contains(QStringLiteral("kg/m²")));
    for (int i = 0; i < count; ++i) {
        QVERIFY2(pages.at(i).contains(QStringLiteral("单位")) &&
                     pages.at(i).contains(QStringLiteral("重量(kg)")),
                 qPrintable(QStringLiteral("page %1 has no header row").arg(i + 1)));
        QVERIFY(pages.at(i).contains(QStringLiteral("第 %1 页，共 %2 页").arg(i + 1).arg(count)));
    }
    const QString last = pages.at(count - 1);
    QVERIFY(last.contains(QStringLiteral("1070")));
    if (qEnvironmentVariableIsSet("VARDEKO_SHOT_DIR"))
        QFile::copy(pdf, qEnvironmentVariable("VARDEKO_SHOT_DIR") + "/materiallist.pdf");
    QVERIFY(last.contains(label("totalLabel")));
}

void TestMaterialListWindow::printLoadsItsModuleAtFirstUse()
{
    auto loaded = [](const char *library) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
    };
    // Linux lists the libraries a process mapped; Wine copies a program's DLLs in, unlisted.
    const bool listed = loaded("Qt6Core");
    QVERIFY(!listed || !loaded("Qt6PrintSupport")); // the window alone does not load it
    MaterialListPrint::setModuleFolder(QStringLiteral(VARDEKO_PRINT_MODULE_DIR));
    QString dialog;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            dialog = modal->objectName();
            modal->close();
        }
    });
    poll.start(20);
    QTest::keyClick(m_window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!listed || loaded("Qt6PrintSupport"));
    if (QSysInfo::kernelType() == QLatin1String("winnt")) {
        // Windows' own dialog, which does not open without a printer (none under Wine).
        QCOMPARE(dialog, QString());
        QCOMPARE(m_prompts->calls.size(), 1);
        QCOMPARE(m_prompts->calls.at(0).text,
                 QStringLiteral("无法打印：系统中没有打印机。\r\n请先添加打印机，或导出PDF后再打印。"));
    } else {
        QCOMPARE(dialog, QStringLiteral("printDialog")); // Qt's own, also without a printer
        QVERIFY(m_prompts->calls.isEmpty());
    }
}

void TestMaterialListWindow::totalsPerMaterialOnlyForSeveralMaterials()
{
    auto *perMaterial = m_window->findChild<QLabel *>("materialTotalsLabel");
    QVERIFY(!perMaterial->isVisible());
    m_model->addLine({"圆钢", "φ20", "铜", 1000, 1, 2.8, UnitBasis::PerMetre});
    QVERIFY(perMaterial->isVisible());
    QCOMPARE(perMaterial->text(), QStringLiteral("按材质：钢：289.226 kg；铜：2.800 kg"));
    QCOMPARE(label("totalLabel"), QStringLiteral("合计：292.026 kg（0.292 t）"));
}

void TestMaterialListWindow::failedSaveShowsInTheStatusBarOnce()
{
    MaterialListFile unwritable(m_folder->filePath("gone/" + MaterialListFile::fileName()));
    MaterialListModel model(*m_list, unwritable);
    MaterialListWindow window(model, *m_prompts);
    auto *status = window.findChild<QStatusBar *>("statusBar");
    model.setData(model.index(0, int(MaterialListCsv::Column::Quantity)), "5");
    QVERIFY2(status->currentMessage().startsWith(QStringLiteral("材料清单未能保存：")),
             qPrintable(status->currentMessage()));
    window.copyTable();
    model.setData(model.index(0, int(MaterialListCsv::Column::Quantity)), "6");
    QCOMPARE(status->currentMessage(), QStringLiteral("已复制 3 行到剪贴板")); // not said again
    QCOMPARE(m_list->row(0).line.quantity, 6.0);                               // kept in memory
}

QTEST_MAIN(TestMaterialListWindow)
#include "test_materiallistwindow.moc"
