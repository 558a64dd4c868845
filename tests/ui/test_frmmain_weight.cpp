#include "test_frmmain_harness.h"

#include "common/numbertext.h"
#include "expression/jingdu.h"
#include "ui/elidedlinelabel.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString Crlf = QStringLiteral("\r\n");

enum class Route { Menu, Combo, Toolbar };

void choose(Harness &h, int type, Route route)
{
    switch (route) {
    case Route::Menu:
        h.action(QStringLiteral("MnuJS(%1)").arg(type))->trigger();
        break;
    case Route::Combo: {
        // The list's separators take places of their own: an entry carries its type as data.
        auto *types = h.find<QComboBox>(QStringLiteral("CombJS"));
        const int place = types->findData(type);
        types->setCurrentIndex(place);
        Q_EMIT types->activated(place);
        break;
    }
    case Route::Toolbar:
        h.action(QStringLiteral("Toolbar.Buttons(%1)").arg(type + 1))->trigger();
        break;
    }
}

QComboBox *box(Harness &h, int k)
{
    return h.find<QComboBox>(QStringLiteral("CombSR(%1)").arg(k));
}

QLabel *label(Harness &h, const QString &name)
{
    return h.find<QLabel>(name);
}

QStringList entriesOf(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

void retype(QComboBox *combo, const QString &text)
{
    QLineEdit *edit = combo->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Presses the keys of `keys` one by one with the texts an X11 keyboard gives them: Delete,
// Backspace and Ctrl with a letter carry control characters.
void press(QWidget *widget, const QString &keys)
{
    const QKeySequence sequence = QKeySequence::fromString(keys);
    for (int i = 0; i < sequence.count(); ++i) {
        const Qt::Key key = sequence[i].key();
        const Qt::KeyboardModifiers modifiers = sequence[i].keyboardModifiers();
        QString text;
        if (key == Qt::Key_Delete)
            text = QChar(0x7f);
        else if (key == Qt::Key_Backspace)
            text = QChar(0x08);
        else if (modifiers == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z)
            text = QChar(key - Qt::Key_A + 1);
        QTest::sendKeyEvent(QTest::Click, widget, key, text, modifiers);
    }
}

// Picks entry `text` from the list of `combo` as a user does: F4 opens the list, a click
// takes the entry.
void pick(QComboBox *combo, const QString &text)
{
    QWidget *keys = combo->isEditable() ? static_cast<QWidget *>(combo->lineEdit()) : combo;
    keys->setFocus();
    QTest::keyClick(keys, Qt::Key_F4);
    QAbstractItemView *list = combo->view();
    const QModelIndex entry = list->model()->index(combo->findText(text), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
}

} // namespace

class TestFrmMainWeight : public QObject
{
    Q_OBJECT

private slots:
    void everyTypeByEveryRoute_data();
    void everyTypeByEveryRoute();
    void loadingCountsUpBeforeTheDefaultItem();
    void typingRecomputesAtEveryDigit();
    void deletingTheQuantity();
    void hexNutQuantity();
    void materialMenu();
    void customDensity_data();
    void customDensity();
    void notesBox();
    void subTypeSwitchKeepsSize16();
    void keyFilter_data();
    void keyFilter();
    void editingKeysWorkAsInAnyTextBox_data();
    void editingKeysWorkAsInAnyTextBox();
    void pickRunsTheChangeHandlerOnce_data();
    void pickRunsTheChangeHandlerOnce();
    void failingStepShowsNoResult_data();
    void failingStepShowsNoResult();
    void enterMovesToTheNextVisibleBox();
    void markedEntriesShowRed();
    void backToTheExpressionCalculator();
    void sectionTypes_data();
    void sectionTypes();
    void longSizeEndsInsideTheWindow();
};

void TestFrmMainWeight::everyTypeByEveryRoute_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("route");
    QTest::addColumn<QString>("firstCaption");
    QTest::addColumn<QString>("sizeText");
    struct Expected
    {
        int type;
        const char16_t *caption;
        const char16_t *size;
    };
    const Expected rows[] = {{1, u"选择规格:", u"M24"},
                             {2, u"选择规格:", u"M20"},
                             {3, u"选择规格:", u"M20"},
                             {4, u"选择规格:", u"20"},
                             {5, u"选择规格:", u"16"},
                             {6, u"选择规格:", u"16"},
                             {7, u"选择型号:", u"Ⅰ12.6"},
                             {8, u"选择型号:", u"[12.6"},
                             {9, u"直径(mm):", u"16"},
                             {10, u"厚度(mm):", u"10"},
                             {11, u"边宽(mm):", u"50"},
                             {12, u"外径(mm):", u"159"},
                             {13, u"选择型号:", u"HW200×200×8×12"},
                             {14, u"规格:", u"50×50"},
                             {15, u"选择型号:", u"7.5/5"},
                             {16, u"宽度(mm):", u"50"},
                             {17, u"边长(mm):", u"20"},
                             {18, u"对边(mm):", u"20"}};
    const char *routeNames[] = {"menu", "combo", "toolbar"};
    for (const Expected &row : rows) {
        // The section types have no toolbar button.
        const int routes = row.type < ToolbarButtonCount ? 3 : 2;
        for (int route = 0; route < routes; ++route)
            QTest::addRow("type %d by %s shows its default item", row.type, routeNames[route])
                << row.type << route << QString::fromUtf16(row.caption) << QString::fromUtf16(row.size);
    }
}

void TestFrmMainWeight::everyTypeByEveryRoute()
{
    QFETCH(int, type);
    QFETCH(int, route);
    QFETCH(QString, firstCaption);
    QFETCH(QString, sizeText);
    Harness h;
    FrmMain &w = h.startShown();
    const int startWidth = settledWidth(w);
    QSignalSpy laidOut(&w, &FrmMain::calculationTypeChanged);
    choose(h, type, static_cast<Route>(route));
    QCOMPARE(laidOut.count(), 1);
    // Every type fits the width the window starts with.
    QCOMPARE(settledWidth(w), startWidth);
    QVERIFY(w.minimumSizeHint().width() <= startWidth);
    QCOMPARE(w.currentType(), type);
    const QString caption = h.action(QStringLiteral("MnuJS(%1)").arg(type))->text();
    QVERIFY(h.action(QStringLiteral("MnuJS(%1)").arg(type))->isChecked());
    QCOMPARE(h.find<QComboBox>(QStringLiteral("CombJS"))->currentData().toInt(), type);
    for (int button = 1; button <= ToolbarButtonCount; ++button)
        QCOMPARE(h.action(QStringLiteral("Toolbar.Buttons(%1)").arg(button))->isChecked(),
                 button == type + 1);
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("Vardeko →") + caption + QStringLiteral(" _")));
    QCOMPARE(w.panelText(3), caption + QStringLiteral(" "));

    const int sizeBox = w.catalogue().SizeBoxIndex;
    QCOMPARE(label(h, QStringLiteral("LabSM(%1)").arg(sizeBox))->text(), firstCaption);
    QVERIFY(label(h, QStringLiteral("LabSM(%1)").arg(sizeBox))->isVisible());
    QCOMPARE(box(h, sizeBox)->currentText(), sizeText);
    QCOMPARE(w.panelText(1), QStringLiteral("已将 结果 复制到剪贴板。"));
    QVERIFY(box(h, 3)->isVisible());
    QVERIFY(!h.expressionBox()->isVisible());
    QVERIFY(!h.find<QWidget>(QStringLiteral("PicBDSCmd"))->isVisible());
    // The weight of the default item is shown at once, and copied.
    QVERIFY2(label(h, QStringLiteral("LabDanZhong"))->text().startsWith(QStringLiteral("※ 单重: ")),
             qPrintable(label(h, QStringLiteral("LabDanZhong"))->text()));
    QVERIFY(!h.resultBox()->text().isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), h.resultBox()->text());
    QVERIFY(h.button(QStringLiteral("CmdOK"))->isEnabled());
    QVERIFY(!h.find<QLabel>(QStringLiteral("StatBar.Panels(2)"))->isVisible()); // steel
    QVERIFY(h.prompts.calls.isEmpty());
}

void TestFrmMainWeight::loadingCountsUpBeforeTheDefaultItem()
{
    QStringList messages;
    Harness h;
    FrmMain &w = h.startShown();
    connect(&w, &FrmMain::panelTextChanged, [&messages](int panel, const QString &text) {
        if (panel == 1)
            messages << text;
    });
    choose(h, 1, Route::Menu);
    QVERIFY(messages.contains(QStringLiteral("正在载入 地脚螺栓 数据:0/8")));
    const qsizetype last = messages.indexOf(QStringLiteral("正在载入 地脚螺栓 数据:8/8"));
    QVERIFY(last > 0);
    QCOMPARE(messages.at(last + 1), QStringLiteral("M24"));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("1.530"));
    QVERIFY(label(h, QStringLiteral("LabDanZhong"))->text().contains(QStringLiteral("140×140")));
}

void TestFrmMainWeight::typingRecomputesAtEveryDigit()
{
    QStringList results;
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, 11, Route::Menu);
    QCOMPARE(box(h, 1)->currentText(), QStringLiteral("50"));
    QCOMPARE(box(h, 2)->currentText(), QStringLiteral("5"));
    QVERIFY(label(h, QStringLiteral("LabDanZhong"))->text().startsWith(QStringLiteral("※ 单重: 3.776 kg/m")));
    connect(h.resultBox(), &QLineEdit::textChanged, [&results](const QString &text) {
        if (!text.isEmpty())
            results << text;
    });
    retype(box(h, 3), QStringLiteral("6000"));
    QCOMPARE(results, (QStringList{QStringLiteral("0.023"), QStringLiteral("0.227"), QStringLiteral("2.266"),
                                   QStringLiteral("22.66")}));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("22.66"));
    QCOMPARE(w.UnitWeight(), 3.776f);
}

void TestFrmMainWeight::deletingTheQuantity()
{
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, 2, Route::Menu);
    QLineEdit *quantity = box(h, 3)->lineEdit();
    quantity->setFocus();
    quantity->selectAll();
    QTest::keyClick(quantity, Qt::Key_Backspace);
    QCOMPARE(w.panelText(1), QStringLiteral("「数量」参数 必须大于0！"));
    QCOMPARE(label(h, QStringLiteral("LabDanZhong"))->text(),
             Crlf + QStringLiteral("◆ 「参数」 必须大于0 ◆"));
    QCOMPARE(label(h, QStringLiteral("LabDanZhong"))->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    QCOMPARE(h.resultBox()->text(), QString());
    QVERIFY(!h.button(QStringLiteral("CmdOK"))->isEnabled());
    QTest::keyClicks(quantity, QStringLiteral("2"));
    QVERIFY(h.button(QStringLiteral("CmdOK"))->isEnabled());
    QVERIFY(!h.resultBox()->text().isEmpty());
    QCOMPARE(label(h, QStringLiteral("LabDanZhong"))->palette().color(QPalette::WindowText),
             QColor(0, 0, 255));
}

void TestFrmMainWeight::hexNutQuantity()
{
    Harness h;
    h.startShown();
    choose(h, 3, Route::Toolbar);
    QComboBox *sizes = box(h, 0);
    sizes->setCurrentIndex(sizes->findText(QStringLiteral("M10")));
    retype(box(h, 3), QStringLiteral("100"));
    QCOMPARE(h.resultBox()->text(), QStringLiteral("0.800"));
    QVERIFY(
        label(h, QStringLiteral("LabDanZhong"))->text().startsWith(QStringLiteral("※ 单重: 0.008 kg/个")));
}

void TestFrmMainWeight::materialMenu()
{
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, 1, Route::Menu);
    h.action(QStringLiteral("MSCaiZhi(1)"))->trigger();
    QCOMPARE(w.DensityFactor(), 1.1363f);
    QCOMPARE(h.resultBox()->text(), QStringLiteral("1.739")); // 1.53 kg of steel in copper
    QCOMPARE(w.panelText(2), QStringLiteral("铜 8.92"));
    QVERIFY(h.find<QLabel>(QStringLiteral("StatBar.Panels(2)"))->isVisible());
    QCOMPARE(w.panelText(1), QStringLiteral("材质密度：铜  8.92g/cm3"));
    QVERIFY(!h.action(QStringLiteral("MSCaiZhi(0)"))->isChecked());
    // A later switch keeps the material and shows it again.
    choose(h, 9, Route::Menu);
    QCOMPARE(w.panelText(2), QStringLiteral("铜 8.92"));
    h.action(QStringLiteral("MSCaiZhi(0)"))->trigger();
    QVERIFY(!h.find<QLabel>(QStringLiteral("StatBar.Panels(2)"))->isVisible());
}

void TestFrmMainWeight::customDensity_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("caption");
    QTest::newRow("a positive density is taken")
        << QStringLiteral("8.5") << true << QStringLiteral("自定义 8.5g/cm3");
    QTest::newRow("letters after the number are ignored")
        << QStringLiteral(" 8.9kg ") << true << QStringLiteral("自定义 8.9g/cm3");
    QTest::newRow("zero falls back to steel")
        << QStringLiteral("0") << false << QStringLiteral("自定义 7.85g/cm3");
    QTest::newRow("cancel falls back to steel") << QString() << false << QStringLiteral("自定义 7.85g/cm3");
}

void TestFrmMainWeight::customDensity()
{
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    QFETCH(QString, caption);
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, 10, Route::Menu);
    h.prompts.inputAnswers << answer;
    h.action(QStringLiteral("MSCaiZhi(3)"))->trigger();
    QCOMPARE(h.prompts.calls.first().kind, RecordingPrompts::Kind::Input);
    QCOMPARE(h.prompts.calls.first().title, QStringLiteral("自定义材质"));
    QCOMPARE(h.prompts.calls.first().defaultText, QStringLiteral("7.85"));
    QCOMPARE(h.action(QStringLiteral("MSCaiZhi(3)"))->text(), caption);
    QCOMPARE(w.panelText(1), QStringLiteral("材质密度：") + caption);
    QCOMPARE(h.action(QStringLiteral("MSCaiZhi(0)"))->isChecked(), !accepted);
    QCOMPARE(h.find<QLabel>(QStringLiteral("StatBar.Panels(2)"))->isVisible(), accepted);
    if (accepted) {
        QCOMPARE(h.prompts.calls.size(), 1);
        QVERIFY(w.DensityFactor() == static_cast<float>(static_cast<double>(w.CustomDensity()) / 7.85));
    } else {
        QCOMPARE(h.prompts.calls.size(), 2);
        QCOMPARE(h.prompts.calls.at(1).icon, MessageIcon::Information);
        QCOMPARE(h.prompts.calls.at(1).title, QStringLiteral("注意"));
        QCOMPARE(h.prompts.calls.at(1).text, QStringLiteral("  密度值不正确 或 取消自定义，") + Crlf +
                                                 QStringLiteral("材质恢复为默认（钢）。"));
        QCOMPARE(w.DensityFactor(), 1.0f);
    }
}

void TestFrmMainWeight::notesBox()
{
    Harness h;
    h.startShown();
    choose(h, 9, Route::Menu);
    QTest::mouseDClick(label(h, QStringLiteral("LabSM(2)")), Qt::LeftButton);
    QTest::mouseDClick(label(h, QStringLiteral("LabSM(3)")), Qt::LeftButton);
    QVERIFY(h.prompts.calls.isEmpty());
    QTest::mouseDClick(label(h, QStringLiteral("LabSM(1)")), Qt::LeftButton);
    QCOMPARE(h.prompts.calls.size(), 1);
    QCOMPARE(h.prompts.calls.first().title, QStringLiteral("说明"));
    QCOMPARE(h.prompts.calls.first().icon, MessageIcon::Information);
    QCOMPARE(h.prompts.calls.first().text,
             QStringLiteral("  ① 热轧圆钢,代号：GB/T 702-2004。") + Crlf + Crlf +
                 QStringLiteral("  ② 参数仅摘录了一部分，具体查看手册。") + Crlf + Crlf);
    QTest::mouseClick(label(h, QStringLiteral("LabDanZhong")), Qt::LeftButton);
    QCOMPARE(h.prompts.calls.size(), 2);
}

void TestFrmMainWeight::subTypeSwitchKeepsSize16()
{
    Harness h;
    h.startShown();
    choose(h, 5, Route::Menu);
    auto *subTypes = h.find<QComboBox>(QStringLiteral("CombLeiXing"));
    QVERIFY(subTypes->isVisible());
    QCOMPARE(subTypes->currentText(), QStringLiteral("标准 GB/T 93-1987"));
    retype(box(h, 3), QStringLiteral("7"));
    subTypes->setCurrentIndex(0);
    Q_EMIT subTypes->activated(0);
    QCOMPARE(box(h, 0)->count(), 15);
    QCOMPARE(box(h, 0)->currentText(), QStringLiteral("16"));
    QCOMPARE(box(h, 3)->currentText(), QStringLiteral("1"));
    QVERIFY(label(h, QStringLiteral("LabDanZhong"))->text().contains(QStringLiteral("GB/T 859-1987(轻型)")));
}

void TestFrmMainWeight::keyFilter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits and point pass") << 9 << 2 << QStringLiteral("12.5") << QStringLiteral("12.5");
    QTest::newRow("letters, signs and blanks are refused")
        << 9 << 2 << QStringLiteral("a-1 +b2") << QStringLiteral("12");
    QTest::newRow("round bar refuses * in the length")
        << 9 << 2 << QStringLiteral("6*2") << QStringLiteral("62");
    QTest::newRow("round bar refuses * in the quantity")
        << 9 << 3 << QStringLiteral("3*") << QStringLiteral("3");
    QTest::newRow("the size box takes *") << 9 << 1 << QStringLiteral("2*") << QStringLiteral("2*");
    QTest::newRow("plate area takes *")
        << 10 << 2 << QStringLiteral("1000*2000") << QStringLiteral("1000*2000");
    QTest::newRow("pipe length takes *") << 12 << 3 << QStringLiteral("6000*2") << QStringLiteral("6000*2");
    const QString longLength = QStringLiteral("1").repeated(200);
    QTest::newRow("a long length scrolls in its box") << 7 << 2 << longLength << longLength;
}

void TestFrmMainWeight::keyFilter()
{
    QFETCH(int, type);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, type, Route::Menu);
    const int width = settledWidth(w);
    retype(box(h, row), typed);
    QCOMPARE(box(h, row)->currentText(), expected);
    QCOMPARE(settledWidth(w), width); // what is typed never widens the window
}

void TestFrmMainWeight::editingKeysWorkAsInAnyTextBox_data()
{
    // The hex bolt's length box, which opens on "60" with the caret at its end: keys, then
    // typed text.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("clipboard"); // before and after
    struct Row
    {
        const char *name;
        const char *keys;
        const char *typed;
        const char *expected;
        const char *clipboard;
    };
    const Row rows[] = {
        {"Delete removes the digit after the caret", "Home, Del", "", "0", ""},
        {"Backspace removes the digit before it", "Backspace", "", "6", ""},
        {"the arrows move the caret", "Left", "5", "650", ""},
        {"a refused letter leaves the caret where it was", "Home, Right", "a7", "670", ""},
        {"Ctrl+V pastes, other characters too", "Ctrl+A, Ctrl+V", "", "3abc", "3abc"},
        {"Shift+Insert pastes", "Shift+Ins", "", "6075", "75"},
        {"Ctrl+X cuts", "Ctrl+A, Ctrl+X", "", "", "60"},
        {"Ctrl+C copies", "Ctrl+A, Ctrl+C, End", "5", "605", "60"},
        {"Ctrl+Z undoes", "Backspace, Ctrl+Z", "", "60", ""},
    };
    for (const Row &row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.keys) << QString::fromLatin1(row.typed)
                                << QString::fromLatin1(row.expected) << QString::fromLatin1(row.clipboard);
}

void TestFrmMainWeight::editingKeysWorkAsInAnyTextBox()
{
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QString, clipboard);
    Harness h;
    h.startShown();
    choose(h, 2, Route::Menu);
    h.action(QStringLiteral("MnuS_FZ"))->trigger(); // no automatic copy into the clipboard
    QGuiApplication::clipboard()->setText(clipboard.isEmpty() ? QStringLiteral("-") : clipboard);
    QLineEdit *length = box(h, 2)->lineEdit();
    length->setFocus();
    length->end(false);
    press(length, keys);
    QTest::keyClicks(length, typed);
    QCOMPARE(length->text(), expected);
    if (!clipboard.isEmpty())
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    // The text counts by its leading number, as typed: "3abc" is 3 mm.
    if (readNumberPrefix(expected) > 0) {
        // M20: 73.419 g of head and 2.218 g a millimetre; the unit weight is its shown text.
        const QString unit =
            JingDu((2.218 * readNumberPrefix(expected) + 73.419) / 1000, PrecisionMode::SmartLow);
        QCOMPARE(h.resultBox()->text(), JingDu(readNumberPrefix(unit), PrecisionMode::SmartLow));
    }
}

void TestFrmMainWeight::pickRunsTheChangeHandlerOnce_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("notices"); // message boxes of the run: the plate's area is at fault
    QTest::addColumn<bool>("typed");  // typed and left with Tab instead of picked
    QTest::newRow("a new entry of an editable box") << 9 << 3 << "50" << 0 << false;
    QTest::newRow("the entry an editable box shows already") << 9 << 2 << "1000" << 0 << false;
    QTest::newRow("a new entry of the pick-only size list") << 1 << 0 << "M30" << 0 << false;
    QTest::newRow("the entry the size list shows already") << 1 << 0 << "M24" << 0 << false;
    QTest::newRow("a message of the run shows once") << 10 << 3 << "50" << 1 << false;
    QTest::newRow("leaving a box that holds an entry's text is no pick") << 9 << 3 << "50" << 0 << true;
}

void TestFrmMainWeight::pickRunsTheChangeHandlerOnce()
{
    QFETCH(int, type);
    QFETCH(int, row);
    QFETCH(QString, entry);
    QFETCH(int, notices);
    QFETCH(bool, typed);
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, type, Route::Menu);
    if (notices > 0)
        retype(box(h, 2), QStringLiteral("1000**2"));
    h.prompts.clear();
    int runs = 0;
    connect(&w, &FrmMain::panelTextChanged, [&runs, &entry](int panel, const QString &text) {
        if (panel == 1 && text == entry)
            ++runs;
    });
    if (typed) {
        retype(box(h, row), entry);
        QTest::keyClick(box(h, row)->lineEdit(), Qt::Key_Tab);
        QVERIFY(!box(h, row)->lineEdit()->hasFocus());
    } else {
        pick(box(h, row), entry);
    }
    QCOMPARE(box(h, row)->currentText(), entry);
    QCOMPARE(runs, 1);
    QCOMPARE(h.prompts.calls.size(), notices);
}

void TestFrmMainWeight::failingStepShowsNoResult_data()
{
    // The box gets a tail whose run fails and then, at its start, a digit: the run has a positive
    // entry whose step fails. Nothing of the earlier run may stay or be copied again.
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("status"); // empty: the run ends before any step
    QTest::newRow("plate: an area that does not calculate") << 10 << 2 << ".."
                                                            << "◆ 「面积(mm^2)」 无法计算 ◆"
                                                            << "「面积(mm^2)」无法计算！";
    QTest::newRow("angle: a length that does not calculate") << 11 << 3 << ".."
                                                             << "◆ 「长度(mm)」 无法计算 ◆"
                                                             << "「长度(mm)」无法计算！";
    QTest::newRow("channel: a length of 400 nines")
        << 8 << 2 << QString(400, u'9') << "◆ 「长度(mm)」 数值过大 ◆"
        << "「长度(mm)」数值过大！";
    QTest::newRow("square bar: a side too large for the unit weight")
        << 17 << 1 << "1" + QString(21, u'0') << "◆ 「边长(mm)」 数值过大 ◆"
        << "「边长(mm)」数值过大！";
    QTest::newRow("plate: an unfinished product keeps the caption shown")
        << 10 << 2 << "*"
        << "◆ 「参数」 必须大于0 ◆" << QString();
}

void TestFrmMainWeight::failingStepShowsNoResult()
{
    QFETCH(int, type);
    QFETCH(int, row);
    QFETCH(QString, tail);
    QFETCH(QString, caption);
    QFETCH(QString, status);
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, type, Route::Menu);
    QVERIFY(!h.resultBox()->text().isEmpty());
    QVERIFY(h.button(QStringLiteral("CmdAddToList"))->isEnabled());
    QLineEdit *edit = box(h, row)->lineEdit();
    retype(box(h, row), tail);
    QCOMPARE(h.resultBox()->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, QStringLiteral("5"));
    QCOMPARE(edit->text(), QStringLiteral("5") + tail);
    QCOMPARE(h.resultBox()->text(), QString());
    QCOMPARE(label(h, QStringLiteral("LabDanZhong"))->text(), Crlf + caption);
    QVERIFY(!h.button(QStringLiteral("CmdAddToList"))->isEnabled());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    if (status.isEmpty())
        return;
    QCOMPARE(w.panelText(1), status);
    QCOMPARE(label(h, QStringLiteral("LabDanZhong"))->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
}

void TestFrmMainWeight::enterMovesToTheNextVisibleBox()
{
    Harness h;
    h.startShown();
    choose(h, 3, Route::Menu); // rows 0 and 3 only
    box(h, 0)->setFocus();
    QTest::keyClick(box(h, 0), Qt::Key_Return);
    QVERIFY(box(h, 3)->hasFocus());
    QTest::keyClick(box(h, 3)->lineEdit(), Qt::Key_Return);
    QVERIFY(box(h, 0)->hasFocus());

    choose(h, 12, Route::Menu); // rows 1, 2, 3
    QTest::keyClick(box(h, 1)->lineEdit(), Qt::Key_Return);
    QVERIFY(box(h, 2)->hasFocus());
    QTest::keyClick(box(h, 2)->lineEdit(), Qt::Key_Return);
    QVERIFY(box(h, 3)->hasFocus());
    QTest::keyClick(box(h, 3)->lineEdit(), Qt::Key_Return);
    QVERIFY(box(h, 1)->hasFocus());
}

void TestFrmMainWeight::markedEntriesShowRed()
{
    Harness h;
    h.startShown();
    choose(h, 7, Route::Menu);
    QComboBox *models = box(h, 0);
    QCOMPARE(models->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    models->setCurrentIndex(0); // a mining I-beam
    QCOMPARE(models->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    QVERIFY(label(h, QStringLiteral("LabDanZhong"))
                ->text()
                .contains(QStringLiteral("● 标准: YB/T 24-1986 (矿用工字钢)")));
    // The flat bar's first box takes its width typed, in black, until a list type takes it back.
    choose(h, 16, Route::Menu);
    QVERIFY(box(h, 0)->isEditable());
    QCOMPARE(box(h, 0)->palette().color(QPalette::Text), QColor(0, 0, 0));
    retype(box(h, 0), QStringLiteral("0"));
    QCOMPARE(h.resultBox()->text(), QString());
    choose(h, 7, Route::Menu);
    QVERIFY(!box(h, 0)->isEditable());
    QCOMPARE(box(h, 0)->currentText(), QStringLiteral("Ⅰ12.6"));

    choose(h, 9, Route::Menu);
    retype(box(h, 1), QStringLiteral("21.3"));
    QCOMPARE(box(h, 1)->palette().color(QPalette::Text), QColor(255, 0, 0)); // not a listed diameter
    retype(box(h, 1), QStringLiteral("20"));
    QCOMPARE(box(h, 1)->palette().color(QPalette::Text), QColor(0, 0, 0));
    QVERIFY(label(h, QStringLiteral("LabDanZhong"))->text().startsWith(QStringLiteral("※ 单重: 2.466 kg/m")));
    // The flat bar's thickness box keeps no diameters of the round bar: 7.5 is no unlisted size.
    choose(h, 16, Route::Menu);
    QCOMPARE(box(h, 1)->count(), 0);
    retype(box(h, 1), QStringLiteral("7.5"));
    QCOMPARE(box(h, 1)->palette().color(QPalette::Text), QColor(0, 0, 0));
    QVERIFY(label(h, QStringLiteral("LabDanZhong"))->text().startsWith(QStringLiteral("※ 单重: 2.944 kg/m")));
}

void TestFrmMainWeight::backToTheExpressionCalculator()
{
    Harness h;
    FrmMain &w = h.startShown();
    const QSize shownSize = w.size();
    choose(h, 8, Route::Menu);
    QVERIFY(!h.resultBox()->text().isEmpty());
    choose(h, 0, Route::Combo);
    // The panels take turns without both being shown at once, which would widen the window.
    QCOMPARE(w.size(), shownSize);
    QCOMPARE(h.resultBox()->text(), QString());
    QVERIFY(h.expressionBox()->isVisible());
    QVERIFY(!h.button(QStringLiteral("CmdOK"))->isEnabled());
    QCOMPARE(w.panelText(2), QStringLiteral("度 °"));
    QVERIFY(h.find<QLabel>(QStringLiteral("StatBar.Panels(2)"))->isVisible());
    // The loaded table stays for the weight computation.
    QCOMPARE(w.catalogue().PartTable[4].label, QStringLiteral("12.6"));
}

void TestFrmMainWeight::sectionTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("opening");   // the result right after the switch
    QTest::addColumn<QString>("size");      // picked from the size list, or typed where it takes a number
    QTest::addColumn<QStringList>("walls"); // the dependent list after the pick; its first... picked last
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("unitLine"); // in copper
    QTest::addColumn<QString>("sizeLine");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("printedDiffers"); // the notes box says the row is off its formula

    QTest::newRow("H-beam HN400×150 2 m") << 13 << "49.90"
                                          << "HN400×150×8×13" << QStringList() << "2000"
                                          << "※ 单重: 62.72376 kg/m；125.45kg/根"
                                          << "※ 规格: 400×150×8×13×13"
                                          << "125.45" << false;
    QTest::newRow("hollow 100×50 keeps the 3 mm wall, a row printed off its formula")
        << 14 << "4.245"
        << "100×50" << QStringList{"3", "4", "5", "3"} << "3000"
        << "※ 单重: 7.601847 kg/m；22.81kg/根"
        << "※ 规格: 100×50×3"
        << "22.81" << true;
    QTest::newRow("unequal angle 10/8, the 8 mm leg picked")
        << 15 << "5.699"
        << "10/8" << QStringList{"6", "7", "8", "10", "8"} << "1500"
        << "※ 单重: 12.43794 kg/m；18.66kg/根"
        << "※ 规格: 100×80×8×10"
        << "18.66" << false;
    QTest::newRow("flat bar 60 typed into the first box") << 16 << "1.963"
                                                          << "60" << QStringList() << "2500"
                                                          << "※ 单重: 2.676 kg/m；6.690kg/根"
                                                          << "※ 规格: 60×5"
                                                          << "6.690" << false;
    QTest::newRow("square bar 25 from its list") << 17 << "3.140"
                                                 << "25" << QStringList() << "1000"
                                                 << "※ 单重: 5.575 kg/m；5.575kg/根"
                                                 << "※ 规格: 25×25"
                                                 << "5.575" << false;
    QTest::newRow("square bar 23.7 typed, not in the list and not wrong") << 17 << "3.140"
                                                                          << "23.7" << QStringList() << "1000"
                                                                          << "※ 单重: 5.010 kg/m；5.010kg/根"
                                                                          << "※ 规格: 23.7×23.7"
                                                                          << "5.010" << false;
    QTest::newRow("hexagon bar 30 from its list") << 18 << "2.719"
                                                  << "30" << QStringList() << "1200"
                                                  << "※ 单重: 6.952 kg/m；8.343kg/根"
                                                  << "※ 规格: S30"
                                                  << "8.343" << false;
}

void TestFrmMainWeight::sectionTypes()
{
    QFETCH(int, type);
    QFETCH(QString, opening);
    QFETCH(QString, size);
    QFETCH(QStringList, walls);
    QFETCH(QString, length);
    QFETCH(QString, unitLine);
    QFETCH(QString, sizeLine);
    QFETCH(QString, result);
    QFETCH(bool, printedDiffers);
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, type, Route::Menu);
    QCOMPARE(h.resultBox()->text(), opening);
    QCOMPARE(QGuiApplication::clipboard()->text(), opening);
    // One metre of one piece: the unit weight, the piece weight and the total are one value.
    const QString openingLine = label(h, QStringLiteral("LabDanZhong"))->text().section(Crlf, 0, 0);
    QCOMPARE(readNumberPrefix(openingLine.section(u' ', 2)), readNumberPrefix(opening));
    QCOMPARE(readNumberPrefix(openingLine.section(u'；', 1)), readNumberPrefix(opening));

    QComboBox *sizes = box(h, w.catalogue().SizeBoxIndex);
    const int entry = sizes->findText(size);
    if (entry >= 0)
        sizes->setCurrentIndex(entry);
    else
        retype(sizes, size);
    QCOMPARE(sizes->currentText(), size);
    QCOMPARE(sizes->palette().color(QPalette::Text), QColor(0, 0, 0));
    if (!sizes->isEditable()) // a picked model shows whole, not cut by the box
        QVERIFY(sizes->width() > sizes->fontMetrics().horizontalAdvance(size));
    if (!walls.isEmpty()) {
        // The dependent list follows the size and keeps the value where the size has it.
        const QString kept = walls.takeLast();
        QCOMPARE(entriesOf(box(h, 1)), walls);
        if (box(h, 1)->currentText() != kept)
            box(h, 1)->setCurrentIndex(box(h, 1)->findText(kept));
        QCOMPARE(box(h, 1)->currentText(), kept);
        QCOMPARE(box(h, 1)->palette().color(QPalette::Text), QColor(0, 0, 0));
    }
    retype(box(h, 2), length);
    h.action(QStringLiteral("MSCaiZhi(1)"))->trigger();

    const QStringList lines = label(h, QStringLiteral("LabDanZhong"))->text().split(Crlf);
    QCOMPARE(lines.value(0), unitLine);
    QCOMPARE(lines.value(1), sizeLine);
    QCOMPARE(lines.value(2), QStringLiteral("※ 标准: ") + box(h, w.catalogue().SizeBoxIndex)->toolTip());
    QCOMPARE(h.resultBox()->text(), result);
    QCOMPARE(QGuiApplication::clipboard()->text(), result);

    QTest::mouseDClick(label(h, QStringLiteral("LabSM(%1)").arg(w.catalogue().SizeBoxIndex)), Qt::LeftButton);
    QCOMPARE(h.prompts.calls.size(), 1);
    QCOMPARE(h.prompts.calls.first().title, QStringLiteral("说明"));
    QCOMPARE(h.prompts.calls.first().text.contains(QStringLiteral("与截面公式不符")), printedDiffers);

    // Enter goes round the shown boxes back to the size box.
    QLineEdit *quantity = box(h, 3)->lineEdit();
    quantity->setFocus();
    QTest::keyClick(quantity, Qt::Key_Return);
    QVERIFY(sizes->hasFocus());
}

void TestFrmMainWeight::longSizeEndsInsideTheWindow()
{
    Harness h;
    FrmMain &w = h.startShown();
    choose(h, 17, Route::Menu);
    retype(box(h, 1), QStringLiteral("123456789012345678"));
    auto *unitLines = w.findChild<ElidedLineLabel *>(QStringLiteral("LabDanZhong"));
    QVERIFY(unitLines->text().contains(QStringLiteral("※ 规格: 1.23456789012346E+17×1.23456789012346E+17")));
    QVERIFY(unitLines->mapTo(&w, QPoint(unitLines->width(), 0)).x() <= w.width());
    const QStringList shown = unitLines->shownLines();
    QVERIFY(shown.at(0).endsWith(u'…'));
    for (const QString &line : shown)
        QVERIFY(unitLines->fontMetrics().horizontalAdvance(line) <= unitLines->contentsRect().width());
}

QTEST_MAIN(TestFrmMainWeight)
#include "test_frmmain_weight.moc"
