// The material list reached from the main window: 加入清单 (Alt+J) in the weight types, the
// list window on Ctrl+L, and the list file beside the settings file.

#include "test_frmmain_harness.h"

#include "materiallist/materiallist.h"
#include "materiallist/materiallistfile.h"
#include "ui/materiallistmodel.h"
#include "ui/materiallistwindow.h"
#include "ui/windowplacement.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTableView>

namespace {

QComboBox *box(Harness &h, int k)
{
    return h.find<QComboBox>(QStringLiteral("CombSR(%1)").arg(k));
}

void retype(QComboBox *combo, const QString &text)
{
    QLineEdit *edit = combo->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// A mnemonic clicks its button after a short animation: waits for the click, if one comes.
bool altJ(Harness &h)
{
    QSignalSpy clicked(h.button(QStringLiteral("CmdAddToList")), &QPushButton::clicked);
    QTest::keyClick(h.window.get(), Qt::Key_J, Qt::AltModifier);
    return clicked.wait(400);
}

void ctrlL(Harness &h)
{
    QTest::keyClick(h.window.get(), Qt::Key_L, Qt::ControlModifier);
}

QString folderOf(const Harness &h)
{
    return QFileInfo(h.iniPath()).absolutePath();
}

QString listPath(const Harness &h)
{
    return QDir(folderOf(h)).filePath(MaterialListFile::fileName());
}

// The rows of the list file as the program reads it back.
QList<MaterialRow> rowsOnDisk(const Harness &h)
{
    MaterialList list;
    MaterialListFile file(listPath(h));
    file.load(list, QDateTime::currentDateTime());
    return list.rows();
}

MaterialListWindow *listWindow(Harness &h)
{
    return h.window->findChild<MaterialListWindow *>();
}

} // namespace

class TestFrmMainMaterialList : public QObject
{
    Q_OBJECT

private slots:
    void altJAddsTheShownLine_data();
    void altJAddsTheShownLine();
    void secondAltJMergesAndTheWindowShowsIt();
    void nothingToAdd_data();
    void nothingToAdd();
    void listSurvivesARestart();
    void nothingLoadedBeforeFirstUse();
    void unwritableListStaysInMemory();
    void tooHeavyALineIsRefusedWithItsReason();
    void buttonKeepsTheWindowWidth();
    void listWindowFitsBesideTheMainWindow_data();
    void listWindowFitsBesideTheMainWindow();
};

void TestFrmMainMaterialList::altJAddsTheShownLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("weight"); // 重量(kg) of the row on disk

    // Each type's default entry, steel: the size text the calculator shows, the length or area
    // (none for a nut or washer), the quantity; the weight from the unit weight the total uses.
    QTest::newRow("anchor bolt: size entry, length in the unit weight")
        << 1 << "已加入清单：地脚螺栓 M24 钢 400 × 1"
        << "1.530";
    QTest::newRow("washer: the dimensions of its caption") << 4 << "已加入清单：垫圈 φ22×φ37×3 钢 × 1"
                                                           << "0.016";
    QTest::newRow("I-beam: the model as the box shows it") << 7 << "已加入清单：工字钢 Ⅰ12.6 钢 1000 × 1"
                                                           << "14.223";
    QTest::newRow("round bar: diameter, weight from the unrounded unit weight")
        << 9 << "已加入清单：圆钢 φ16 钢 1000 × 1"
        << "1.578";
    QTest::newRow("plate: thickness and area") << 10 << "已加入清单：钢板 δ10 钢 1000000 × 1"
                                               << "78.500";
    QTest::newRow("angle: width × thickness, no quantity") << 11 << "已加入清单：角钢 50×5 钢 1000 × 1"
                                                           << "3.776";
    QTest::newRow("pipe: diameter × wall") << 12 << "已加入清单：钢管 φ159×5 钢 1000 × 1"
                                           << "18.989";
}

void TestFrmMainMaterialList::altJAddsTheShownLine()
{
    QFETCH(int, type);
    QFETCH(QString, status);
    QFETCH(QString, weight);

    Harness h;
    h.startShown();
    h.window->MnuJS_Click(type);
    QVERIFY(h.button(QStringLiteral("CmdAddToList"))->isEnabled());
    QVERIFY(altJ(h));
    QCOMPARE(h.window->panelText(1), status);
    const QList<MaterialRow> rows = rowsOnDisk(h);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).line.material, QStringLiteral("钢"));
    QCOMPARE(QString::number(static_cast<double>(rows.at(0).grams) / 1000, 'f', 3), weight);
}

void TestFrmMainMaterialList::secondAltJMergesAndTheWindowShowsIt()
{
    Harness h;
    h.startShown();
    h.window->MnuJS_Click(7);
    QVERIFY(altJ(h));
    QVERIFY(altJ(h));
    retype(box(h, 3), QStringLiteral("3"));
    QVERIFY(altJ(h));
    h.action(QStringLiteral("MSCaiZhi(1)"))->trigger(); // copper: another material, another row
    QVERIFY(altJ(h));
    QCOMPARE(h.window->panelText(1), QStringLiteral("已加入清单：工字钢 Ⅰ12.6 铜 1000 × 3"));

    const QList<MaterialRow> rows = rowsOnDisk(h);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).line.quantity, 5.0);
    QCOMPARE(rows.at(1).line.quantity, 3.0);
    QCOMPARE(rows.at(1).line.material, QStringLiteral("铜"));

    QVERIFY(!listWindow(h));
    ctrlL(h);
    MaterialListWindow *window = listWindow(h);
    QVERIFY(window && window->isVisible());
    QVERIFY(window->windowFlags().testFlag(Qt::Tool));
    QCOMPARE(window->parentWidget(), h.window.get());
    QCOMPARE(window->findChild<QTableView *>(QStringLiteral("materialTable"))->model()->rowCount(), 2);
    // A line added while the window is open shows there at once.
    h.window->activateWindow();
    h.window->MnuJS_Click(3);
    QVERIFY(altJ(h));
    QCOMPARE(window->findChild<QTableView *>(QStringLiteral("materialTable"))->model()->rowCount(), 3);
}

void TestFrmMainMaterialList::nothingToAdd_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("boxIndex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("validText"); // typed afterwards: the line is offered again

    QTest::newRow("expression calculator") << 0 << -1 << ""
                                           << "";
    QTest::newRow("quantity 0 fails the entry check") << 3 << 3 << "0"
                                                      << "2";
    QTest::newRow("empty diameter box") << 9 << 1 << ""
                                        << "16";
    QTest::newRow("pipe wall too thick for its diameter") << 12 << 2 << "80"
                                                          << "4.5";
    QTest::newRow("angle length still being typed") << 11 << 3 << "6000*"
                                                    << "6000*2";
    QTest::newRow("refused length expression: a failing step") << 11 << 3 << "6000**2"
                                                               << "6000";
}

void TestFrmMainMaterialList::nothingToAdd()
{
    QFETCH(int, type);
    QFETCH(int, boxIndex);
    QFETCH(QString, text);
    QFETCH(QString, validText);

    Harness h;
    h.startShown();
    h.window->MnuJS_Click(type);
    if (boxIndex >= 0)
        retype(box(h, boxIndex), text);
    const QString before = h.window->panelText(1);
    QVERIFY(!h.button(QStringLiteral("CmdAddToList"))->isEnabled());
    QVERIFY(!altJ(h));
    QCOMPARE(h.window->panelText(1), before);
    QVERIFY(!QFile::exists(listPath(h)));
    if (boxIndex < 0)
        return;
    // A valid entry again offers its line.
    retype(box(h, boxIndex), validText);
    QVERIFY(h.button(QStringLiteral("CmdAddToList"))->isEnabled());
}

void TestFrmMainMaterialList::listSurvivesARestart()
{
    Harness h;
    h.startShown();
    h.window->MnuJS_Click(11);
    QVERIFY(altJ(h));
    h.restart();
    h.window->show();
    h.action(QStringLiteral("MnuMaterialList"))->trigger();
    MaterialListWindow *window = listWindow(h);
    QVERIFY(window);
    const QAbstractItemModel *model =
        window->findChild<QTableView *>(QStringLiteral("materialTable"))->model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("50×5"));
}

void TestFrmMainMaterialList::nothingLoadedBeforeFirstUse()
{
    Harness h;
    {
        // A damaged list: its notice belongs to the first use, not to the start.
        QFile file(listPath(h));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "序号,名称,规格,材质,长度/面积,数量,单重,重量(kg),备注\n1,工字钢,Ⅰ14,钢,x,1,16.89 kg/m,,\n");
        // What a save killed half-way left: tidied away at the start.
        QFile leftover(listPath(h) + QStringLiteral(".Ab12Cd"));
        QVERIFY(leftover.open(QIODevice::WriteOnly));
    }
    h.startShown();
    QVERIFY(!QFile::exists(listPath(h) + QStringLiteral(".Ab12Cd")));
    h.window->MnuJS_Click(7);
    QVERIFY(!h.window->findChild<MaterialListModel *>());
    QVERIFY(h.prompts.calls.isEmpty());
    ctrlL(h);
    QVERIFY(h.window->findChild<MaterialListModel *>());
    QCOMPARE(h.prompts.calls.size(), 1);
    QCOMPARE(h.prompts.calls.at(0).title, MaterialListFile::noticeTitle());
}

void TestFrmMainMaterialList::unwritableListStaysInMemory()
{
    Harness h;
    h.startShown();
    h.window->MnuJS_Click(7);
    // The folder goes away after start-up: the list cannot be written any more.
    const QString folder = folderOf(h);
    const QString moved = folder + QStringLiteral("-moved");
    QVERIFY(QDir().rename(folder, moved));
    QVERIFY(altJ(h));
    const QString failed = h.window->panelText(1);
    QVERIFY(altJ(h));
    const QString second = h.window->panelText(1);
    QVERIFY(QDir().rename(moved, folder));
    QVERIFY2(failed.startsWith(QStringLiteral("材料清单未能保存：")), qPrintable(failed));
    QCOMPARE(second, QStringLiteral("已加入清单：工字钢 Ⅰ12.6 钢 1000 × 1")); // said once
    ctrlL(h);
    const QAbstractItemModel *model =
        listWindow(h)->findChild<QTableView *>(QStringLiteral("materialTable"))->model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 5).data().toString(), QStringLiteral("2"));
}

void TestFrmMainMaterialList::tooHeavyALineIsRefusedWithItsReason()
{
    Harness h;
    h.startShown();
    h.window->MnuJS_Click(10);
    retype(box(h, 2), QStringLiteral("1000000*1000000*1000000")); // the calculator still weighs it
    QVERIFY(altJ(h));
    QCOMPARE(h.window->panelText(1), QStringLiteral("未能加入清单：重量过大"));
    QVERIFY(rowsOnDisk(h).isEmpty());
}

void TestFrmMainMaterialList::buttonKeepsTheWindowWidth()
{
    // The button sits in the result row; it must never be what makes the window wider.
    Harness h;
    h.startShown();
    QPushButton *button = h.button(QStringLiteral("CmdAddToList"));
    for (int type = 0; type < CalculationTypeCount; ++type) {
        h.window->MnuJS_Click(type);
        const int shown = h.window->minimumSizeHint().width();
        const bool visible = button->isVisible();
        button->hide();
        const int hidden = h.window->minimumSizeHint().width();
        button->setVisible(visible);
        QVERIFY2(shown <= hidden,
                 qPrintable(QStringLiteral("type %1: %2 > %3").arg(type).arg(shown).arg(hidden)));
    }
}

void TestFrmMainMaterialList::listWindowFitsBesideTheMainWindow_data()
{
    QTest::addColumn<QRect>("screen"); // the available area: the screen less a 32-pixel panel
    QTest::addColumn<QRect>("main");   // the main window's frame
    QTest::addColumn<QString>("side"); // where the list window goes

    // The list window wants 838 × 420 with its frame and needs at least 460 × 260.
    const QRect wide(0, 0, 1366, 736);
    const QRect narrow(0, 0, 1024, 736);
    QTest::newRow("1366×768, main window at the left: right of it")
        << wide << QRect(0, 0, 520, 300) << "right";
    QTest::newRow("1366×768, main window in the middle, high: below it, shrunk to the room")
        << wide << QRect(423, 100, 520, 300) << "below";
    QTest::newRow("1366×768, main window centred: covers least")
        << wide << QRect(423, 218, 520, 300) << "least";
    QTest::newRow("1366×768, main window at the right: left of it")
        << wide << QRect(846, 0, 520, 300) << "left";
    QTest::newRow("1024×768, main window centred: below it")
        << narrow << QRect(252, 160, 520, 300) << "below";
    QTest::newRow("1024×768, main window low: above it") << narrow << QRect(252, 430, 520, 300) << "above";
    QTest::newRow("1024×768, main window tall in the middle: covers least")
        << narrow << QRect(252, 100, 520, 560) << "least";
}

void TestFrmMainMaterialList::listWindowFitsBesideTheMainWindow()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, main);
    QFETCH(QString, side);
    const QSize wanted(838, 420);
    const QSize minimum(460, 260);
    const QRect placed = placedBeside(main, wanted, minimum, screen);
    QVERIFY2(screen.contains(placed), qPrintable(QStringLiteral("%1,%2 %3×%4")
                                                     .arg(placed.x())
                                                     .arg(placed.y())
                                                     .arg(placed.width())
                                                     .arg(placed.height())));
    QVERIFY(placed.width() >= minimum.width() && placed.height() >= minimum.height());
    if (side == "least") {
        // No side has room: it covers less of the main window than where it was put before
        // (below, pushed up into the screen), and never its bottom rows.
        QVERIFY(!placed.intersects(QRect(main.left(), main.bottom() - 80, main.width(), 80)) ||
                !placed.intersects(QRect(main.left(), main.top(), main.width(), 80)));
        return;
    }
    QVERIFY(!placed.intersects(main));
    if (side == "right")
        QVERIFY(placed.left() > main.right());
    else if (side == "left")
        QVERIFY(placed.right() < main.left());
    else if (side == "below")
        QVERIFY(placed.top() > main.bottom());
    else
        QVERIFY(placed.bottom() < main.top());
}

QTEST_MAIN(TestFrmMainMaterialList)
#include "test_frmmain_materiallist.moc"
