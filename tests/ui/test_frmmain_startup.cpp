#include "test_frmmain_harness.h"

#include "platform/contact.h"
#include "platform/version.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

const QString Crlf = QStringLiteral("\r\n");

QString expectedVersion()
{
    return FrmMain::makeVersionText(VardekoVersionMajor, VardekoVersionMinor, VardekoVersionRevision);
}

} // namespace

class TestFrmMainStartup : public QObject
{
    Q_OBJECT

private slots:
    void versionText_data();
    void versionText();
    void startWithoutSettingsFile();
    void damagedHistoryCountStartsAndWritesEveryDefault();
    void historyIsLoaded_data();
    void historyIsLoaded();
    void storedHistorySizeIsApplied();
    void badStoredHistorySizeFallsBack_data();
    void badStoredHistorySizeFallsBack();
    void titleForms();
    void topMostFollowsTheMenu();
    void aboutBox();
    void closeStoresTheHistory_data();
    void closeStoresTheHistory();
    void closeWithoutHistoryWritesNothing_data();
    void closeWithoutHistoryWritesNothing();
    void endMenuAndButtonClose();
    void typeSwitchLaysOutOncePerChoice();
    void choosingTheShownTypeChangesNothing();
    void failedSettingsWriteIsNotedOnce();
    void handOverRestoresTheWindow_data();
    void handOverRestoresTheWindow();
    void handOverDuringAStartUpBoxKeepsTheWindowHidden();
    void statusBarHasClockPanels();
    void linkEditorTakesThePanelsPlace();
    void tabOrderFollowsTheRows_data();
    void tabOrderFollowsTheRows();
    void quickButtonsStartUnderTheExpressionBox();
};

void TestFrmMainStartup::versionText_data()
{
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("expected");
    QTest::newRow("revision 0 gets one zero") << 0 << QStringLiteral("1.0.00");
    QTest::newRow("one digit gets one zero") << 5 << QStringLiteral("1.0.05");
    QTest::newRow("three digits get one zero") << 345 << QStringLiteral("1.0.0345");
    QTest::newRow("999 is still padded") << 999 << QStringLiteral("1.0.0999");
    QTest::newRow("four digits stay") << 1234 << QStringLiteral("1.0.1234");
}

void TestFrmMainStartup::versionText()
{
    QFETCH(int, revision);
    QFETCH(QString, expected);
    QCOMPARE(FrmMain::makeVersionText(1, 0, revision), expected);
}

void TestFrmMainStartup::damagedHistoryCountStartsAndWritesEveryDefault()
{
    // A hand-edited count far beyond any history size: every missing entry gets its empty
    // default written back, all in one rewrite instead of one rewrite per key.
    Harness h;
    h.writeIni(QStringLiteral("[表达式]\n记录=3\n数量=20000\n记录7=1+1\n"));
    h.create();
    h.load();
    QVERIFY(h.loaded);
    QVERIFY(h.prompts.calls.isEmpty());
    QCOMPARE(h.history(), QStringList{QStringLiteral("1+1")});
    const QStringList lines = h.iniLines();
    QCOMPARE(lines.size(), 4 + 19999 + 2); // 记录7 was there already
    QVERIFY(lines.contains(QStringLiteral("记录19999=")));
    QCOMPARE(lines.count(QStringLiteral("记录7=1+1")), 1);
}

void TestFrmMainStartup::startWithoutSettingsFile()
{
    Harness h;
    FrmMain &w = h.start();
    QVERIFY(h.loaded);
    QCOMPARE(h.endCalls, 0);
    QVERIFY(h.prompts.calls.isEmpty());
    QCOMPARE(h.iniLines(),
             (QStringList{QStringLiteral("[链接]"), QStringLiteral("数量=0"), QStringLiteral("[表达式]"),
                          QStringLiteral("记录=1"), QStringLiteral("数量=0")}));
    QVERIFY(h.action(QStringLiteral("MSBDSSL(1)"))->isChecked());
    QCOMPARE(w.HistoryLimit(), 8);
    QCOMPARE(h.expressionBox()->count(), 0);
    QVERIFY(!h.action(QStringLiteral("MnuLJ_ZDY(0)"))->isVisible());
    // Every menu and control of the window is there under its own name.
    for (int i = 0; i < 21; ++i)
        QVERIFY(h.action(QStringLiteral("MnuJS(%1)").arg(i)));
    QCOMPARE(h.action(QStringLiteral("MnuJS(12)"))->text(), QStringLiteral("钢管"));
    QCOMPARE(h.action(QStringLiteral("MnuJS(18)"))->text(), QStringLiteral("六角钢"));
    QCOMPARE(h.action(QStringLiteral("MnuJS(19)"))->text(), QStringLiteral("公差配合"));
    QCOMPARE(h.action(QStringLiteral("MnuJS(20)"))->text(), QStringLiteral("普通螺纹"));
    QCOMPARE(h.action(QStringLiteral("Toolbar.Buttons(1)"))->toolTip(), QStringLiteral("表达式"));
    QCOMPARE(h.action(QStringLiteral("Toolbar.Buttons(13)"))->toolTip(), QStringLiteral("钢管"));
    QVERIFY(!w.findChild<QAction *>(QStringLiteral("Toolbar.Buttons(14)")));
    // The section types follow a separator below 钢管, the lookups one below 六角钢, in the menu
    // and in the type list alike.
    const QList<QAction *> typeItems = h.find<QMenu>(QStringLiteral("MnuF"))->actions();
    const auto *typeList = h.find<QComboBox>(QStringLiteral("CombJS"));
    QCOMPARE(typeList->count(), 21 + 2);
    for (const int first : {13, 19}) {
        const qsizetype item = typeItems.indexOf(h.action(QStringLiteral("MnuJS(%1)").arg(first)));
        QVERIFY(typeItems.at(item - 1)->isSeparator());
        QCOMPARE(typeItems.at(item - 2), h.action(QStringLiteral("MnuJS(%1)").arg(first - 1)));
        const int place = typeList->findData(first);
        QCOMPARE(typeList->itemData(place - 2).toInt(), first - 1);
        QCOMPARE(typeList->itemText(place), h.action(QStringLiteral("MnuJS(%1)").arg(first))->text());
    }
    QVERIFY(h.action(QStringLiteral("MSjddw(0)"))->isChecked());
    QVERIFY(h.action(QStringLiteral("MSJingDu(0)"))->isChecked());
    QVERIFY(h.action(QStringLiteral("MSCaiZhi(0)"))->isChecked());
    QCOMPARE(h.action(QStringLiteral("MSCaiZhi(1)"))->text(), QStringLiteral("铜  8.92g/cm3"));
    QVERIFY(h.action(QStringLiteral("MnuS_FZ"))->isChecked());
    QVERIFY(h.action(QStringLiteral("MnuS_Top"))->isChecked());
    QCOMPARE(h.action(QStringLiteral("MnuQT(0)"))->text(), QStringLiteral("槽   钢 "));
    // Start-up measures the weight rows for the window's width and leaves them hidden; the link
    // editor comes with its first use.
    const QComboBox *sizeBox = w.findChild<QComboBox *>(QStringLiteral("CombSR(0)"));
    QVERIFY(sizeBox && !sizeBox->isVisibleTo(&w));
    QVERIFY(!w.findChild<QWidget *>(QStringLiteral("PicSet")));
    QCOMPARE(h.button(QStringLiteral("CmdHanShu(4)"))->toolTip(), QStringLiteral("Atn( ▇ )"));
    QVERIFY(h.find<QLabel>(QStringLiteral("LabDDE")));
    QCOMPARE(w.ToHDu(), 0.0174532925f);
    QCOMPARE(w.DensityFactor(), 1.0f);
    QCOMPARE(w.CustomDensity(), 7.85f);
    QCOMPARE(w.currentType(), 0);
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(w.panelText(2), QStringLiteral("度 °"));
    QCOMPARE(w.panelText(3), QStringLiteral("表达式 "));
}

void TestFrmMainStartup::historyIsLoaded_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("status");
    QTest::newRow("entries in stored order")
        << QStringLiteral("数量=3\n记录0=1+2\n记录1=Sin(30°)\n记录2=7\\2\n")
        << QStringList{QStringLiteral("1+2"), QStringLiteral("Sin(30°)"), QStringLiteral("7\\2")}
        << QStringLiteral("载入表达式2:7\\2");
    QTest::newRow("blank and empty entries are skipped")
        << QStringLiteral("数量=4\n记录0=  4*5  \n记录1=   \n记录2=2^3\n记录3=\n")
        << QStringList{QStringLiteral("4*5"), QStringLiteral("2^3")} << QStringLiteral("载入表达式2:2^3");
    QTest::newRow("only the stored count is loaded")
        << QStringLiteral("数量=1\n记录0=1\n记录1=2\n") << QStringList{QStringLiteral("1")}
        << QStringLiteral("载入表达式0:1");
    QTest::newRow("a negative count loads nothing")
        << QStringLiteral("数量=-2\n记录0=1\n") << QStringList{} << QStringLiteral("表达式记录：8 个");
    QTest::newRow("a count beyond 16 bits loads the entries held and is written back")
        << QStringLiteral("数量=40000\n记录0=1\n记录1=2\n记录3=4\n")
        << QStringList{QStringLiteral("1"), QStringLiteral("2")} << QStringLiteral("载入表达式1:2");
    const QString longEntry = QStringLiteral("1+").repeated(150) + QStringLiteral("1");
    QTest::newRow("a long entry scrolls in the box")
        << QStringLiteral("数量=1\n记录0=") + longEntry + QStringLiteral("\n") << QStringList{longEntry}
        << QStringLiteral("载入表达式0:") + longEntry;
}

void TestFrmMainStartup::historyIsLoaded()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, expected);
    QFETCH(QString, status);
    QStringList messages;
    Harness h;
    h.writeIni(QStringLiteral("[表达式]\n记录=1\n") + stored);
    h.create();
    QObject::connect(h.window.get(), &FrmMain::panelTextChanged, [&messages](int panel, const QString &text) {
        if (panel == 1)
            messages << text;
    });
    h.load();
    QVERIFY(h.loaded);
    QCOMPARE(h.history(), expected);
    // The type switch at the end of start-up writes the type; the load text comes before it.
    QCOMPARE(messages.last(), QStringLiteral("表达式"));
    QCOMPARE(messages.at(messages.size() - 2), status);
    // The history waits in the drop-down list; the box itself opens empty, with 确定 disabled.
    QCOMPARE(h.expressionBox()->currentText(), QString());
    QVERIFY(!h.window->findChild<QPushButton *>(QStringLiteral("CmdOK"))->isEnabled());
    QVERIFY(h.prompts.calls.isEmpty());
    QVERIFY(!h.iniLines().contains(QStringLiteral("数量=40000")));
    // The window opens as wide as without a history, and what it shows fits.
    Harness plain;
    plain.startShown();
    h.window->show();
    QCOMPARE(settledWidth(*h.window), settledWidth(*plain.window));
    QVERIFY(h.window->minimumSizeHint().width() <= h.window->width());
}

void TestFrmMainStartup::storedHistorySizeIsApplied()
{
    Harness h;
    h.writeIni(QStringLiteral("[表达式]\n记录=2\n数量=1\n记录0=5*5\n"));
    FrmMain &w = h.start();
    QVERIFY(h.action(QStringLiteral("MSBDSSL(2)"))->isChecked());
    QVERIFY(!h.action(QStringLiteral("MSBDSSL(1)"))->isChecked());
    QCOMPARE(w.HistoryLimit(), 16);

    Harness none;
    none.writeIni(QStringLiteral("[表达式]\n记录=0\n数量=2\n记录0=1\n记录1=2\n"));
    FrmMain &w0 = none.start();
    QCOMPARE(w0.HistoryLimit(), 0);
    QCOMPARE(none.expressionBox()->count(), 0); // "不记录" loads nothing
}

void TestFrmMainStartup::badStoredHistorySizeFallsBack_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("size 4 names no menu item") << QStringLiteral("4");
    QTest::newRow("size 7 names no menu item") << QStringLiteral("7");
    QTest::newRow("negative size names no menu item") << QStringLiteral("-1");
    QTest::newRow("size beyond 16 bits") << QStringLiteral("70000");
}

void TestFrmMainStartup::badStoredHistorySizeFallsBack()
{
    QFETCH(QString, stored);
    Harness h;
    h.writeIni(QStringLiteral("[表达式]\n记录=%1\n数量=1\n记录0=2*3\n").arg(stored));
    h.start();
    QVERIFY(h.loaded);
    QCOMPARE(h.endCalls, 0);
    QVERIFY(h.prompts.calls.isEmpty());
    QVERIFY(h.action(QStringLiteral("MSBDSSL(1)"))->isChecked());
    QCOMPARE(h.history(), QStringList{QStringLiteral("2*3")});
    QVERIFY(h.iniLines().contains(QStringLiteral("记录=1")));
}

void TestFrmMainStartup::titleForms()
{
    Harness h;
    FrmMain &w = h.start();
    const QString version = expectedVersion();
    QCOMPARE(w.windowTitle(), QStringLiteral("Vardeko→表达式 _") + version + QStringLiteral("-[置顶]"));
    h.action(QStringLiteral("MnuJS(9)"))->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Vardeko →圆钢 _") + version + QStringLiteral("-[置顶]"));
    h.action(QStringLiteral("MnuS_Top"))->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Vardeko →圆钢 _") + version);
    h.action(QStringLiteral("MnuJS(0)"))->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Vardeko →表达式 _") + version);
    QCOMPARE(w.panelText(1), QStringLiteral("表达式"));
    QCOMPARE(w.panelText(3), QStringLiteral("表达式 "));
}

void TestFrmMainStartup::topMostFollowsTheMenu()
{
    Harness h;
    FrmMain &w = h.startShown();
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    h.action(QStringLiteral("MnuS_Top"))->trigger();
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible()); // shown again after the flag changed
    h.action(QStringLiteral("MnuS_Top"))->trigger();
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible());
}

void TestFrmMainStartup::aboutBox()
{
    Harness h;
    h.start();
    h.action(QStringLiteral("MnuH_About"))->trigger();
    QCOMPARE(h.prompts.calls.size(), 1);
    const RecordingPrompts::Call &call = h.prompts.calls.first();
    QCOMPARE(call.icon, MessageIcon::Information);
    QCOMPARE(call.buttons, MessageButtons::Ok);
    QCOMPARE(call.title, QStringLiteral("说明    E-mail:") + contactAddress());
    const QStringList lines = call.text.split(Crlf);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(
        lines.at(0),
        QStringLiteral("    ①.这个小程序是我做机械设计的时候用的，功能不大，主要是计算一些型材的重量。"));
    QCOMPARE(lines.at(3),
             QStringLiteral("    ④.螺栓、螺母、垫圈仅选取了部分型号（六角头 C级 螺母/螺栓），重量计算不精确，"
                            "如需精确数据请查阅相关手册。"));
}

void TestFrmMainStartup::closeStoresTheHistory_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("sizeItem");
    QTest::addColumn<int>("storedCount");
    QTest::newRow("limit lowered below the list: count is the limit, all entries written")
        << 24 << QStringLiteral("MSBDSSL(1)") << 8;
    QTest::newRow("list shorter than the limit: count is the list") << 3 << QStringLiteral("MSBDSSL(2)") << 3;
}

void TestFrmMainStartup::closeStoresTheHistory()
{
    QFETCH(int, entries);
    QFETCH(QString, sizeItem);
    QFETCH(int, storedCount);
    Harness h;
    h.startShown();
    h.action(QStringLiteral("MSBDSSL(3)"))->trigger();
    for (int i = 0; i < entries; ++i)
        h.enter(QStringLiteral("%1+1").arg(i));
    QCOMPARE(h.expressionBox()->count(), entries);
    h.action(sizeItem)->trigger();
    h.window->close();
    QCOMPARE(h.endCalls, 1);
    const QStringList lines = h.iniLines();
    QVERIFY(lines.contains(QStringLiteral("数量=%1").arg(storedCount)));
    for (int i = 0; i < entries; ++i)
        QVERIFY2(lines.contains(QStringLiteral("记录%1=%2+1").arg(i).arg(entries - 1 - i)),
                 qPrintable(h.iniText()));
    QVERIFY(!lines.contains(QStringLiteral("记录%1=0+1").arg(entries)));

    // The next start loads only the stored count, newest first.
    h.restart();
    QCOMPARE(h.expressionBox()->count(), storedCount);
    QCOMPARE(h.expressionBox()->itemText(0), QStringLiteral("%1+1").arg(entries - 1));
}

void TestFrmMainStartup::closeWithoutHistoryWritesNothing_data()
{
    QTest::addColumn<bool>("noHistory");
    QTest::newRow("history size 不记录 keeps the stored history") << true;
    QTest::newRow("an empty list keeps the stored history") << false;
}

void TestFrmMainStartup::closeWithoutHistoryWritesNothing()
{
    QFETCH(bool, noHistory);
    Harness h;
    h.writeIni(QStringLiteral("[表达式]\n记录=1\n数量=1\n记录0=9*9\n"));
    h.startShown();
    if (noHistory) {
        h.action(QStringLiteral("MSBDSSL(0)"))->trigger();
        h.enter(QStringLiteral("2+2"));
    } else {
        h.expressionBox()->clear();
    }
    const QString before = h.iniText();
    h.window->close();
    QCOMPARE(h.iniText(), before);
    QCOMPARE(h.endCalls, 1);
}

void TestFrmMainStartup::endMenuAndButtonClose()
{
    for (const QString &name : {QStringLiteral("MnuEnd"), QStringLiteral("CmdEnd")}) {
        Harness h;
        h.startShown();
        h.enter(QStringLiteral("6*7"));
        if (name == QStringLiteral("MnuEnd"))
            h.action(name)->trigger();
        else
            h.button(name)->click();
        QVERIFY(!h.window->isVisible());
        QCOMPARE(h.endCalls, 1);
        QVERIFY(h.iniLines().contains(QStringLiteral("记录0=6*7")));
    }
}

void TestFrmMainStartup::typeSwitchLaysOutOncePerChoice()
{
    Harness h;
    FrmMain &w = h.startShown();
    QSignalSpy laidOut(&w, &FrmMain::calculationTypeChanged);
    auto *types = h.find<QComboBox>(QStringLiteral("CombJS"));

    // Through the combo: the switch selects the same entry again without a second layout.
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(laidOut.count(), 1);
    QCOMPARE(w.currentType(), 1);
    QVERIFY(h.action(QStringLiteral("MnuJS(1)"))->isChecked());
    QVERIFY(h.action(QStringLiteral("Toolbar.Buttons(2)"))->isChecked());

    // Through the menu.
    h.action(QStringLiteral("MnuJS(4)"))->trigger();
    QCOMPARE(laidOut.count(), 2);
    QCOMPARE(types->currentIndex(), 4);
    QVERIFY(h.action(QStringLiteral("Toolbar.Buttons(5)"))->isChecked());

    // Through the toolbar.
    h.action(QStringLiteral("Toolbar.Buttons(1)"))->trigger();
    QCOMPARE(laidOut.count(), 3);
    QCOMPARE(w.currentType(), 0);
    QCOMPARE(types->currentIndex(), 0);
    QVERIFY(h.action(QStringLiteral("MnuJS(0)"))->isChecked());
    QVERIFY(!h.action(QStringLiteral("MnuJS(4)"))->isChecked());
    QCOMPARE(laidOut.at(2).at(0).toInt(), 0);
}

void TestFrmMainStartup::choosingTheShownTypeChangesNothing()
{
    Harness h;
    FrmMain &w = h.startShown();
    h.expressionBox()->setEditText(QStringLiteral("8/2"));
    QSignalSpy laidOut(&w, &FrmMain::calculationTypeChanged);
    h.action(QStringLiteral("MnuJS(0)"))->trigger();
    h.action(QStringLiteral("Toolbar.Buttons(1)"))->trigger();
    QCOMPARE(laidOut.count(), 0);
    QCOMPARE(h.expressionBox()->currentText(), QStringLiteral("8/2"));
}

void TestFrmMainStartup::failedSettingsWriteIsNotedOnce()
{
    Harness h;
    FrmMain &w = h.startShown();
    const QString before = h.iniText();
    QVERIFY(QFile::setPermissions(h.iniPath(), QFileDevice::ReadOwner));
    h.action(QStringLiteral("MSBDSSL(2)"))->trigger();
    QTRY_COMPARE(w.panelText(1), QStringLiteral("设置未能保存：文件为只读"));
    h.action(QStringLiteral("MSBDSSL(3)"))->trigger();
    QTest::qWait(20);
    QCOMPARE(w.panelText(1), QStringLiteral("表达式记录：24 个"));
    h.enter(QStringLiteral("1+1"));
    h.window->close();
    QFile::setPermissions(h.iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(h.prompts.calls.isEmpty());
    QCOMPARE(h.endCalls, 1); // the close itself, nothing before it
    QCOMPARE(h.iniText(), before);
}

void TestFrmMainStartup::handOverRestoresTheWindow_data()
{
    QTest::addColumn<bool>("maximised");
    QTest::newRow("from minimised") << false;
    QTest::newRow("from maximised") << true;
}

void TestFrmMainStartup::handOverRestoresTheWindow()
{
    QFETCH(bool, maximised);
    const Qt::WindowState state = maximised ? Qt::WindowMaximized : Qt::WindowMinimized;
    Harness h;
    FrmMain &w = h.startShown();
    w.setWindowState(state);
    QTRY_VERIFY(w.windowState().testFlag(state));
    w.Form_LinkExecute(QStringLiteral("Other"));
    QVERIFY(w.windowState().testFlag(state));
    w.Form_LinkExecute(QStringLiteral("Normal"));
    QCOMPARE(w.windowState(), Qt::WindowNoState);
    QVERIFY(w.isVisible());
    QTRY_VERIFY(w.isActiveWindow());
}

// A second start while a start-up box waits for the user: the box's event loop runs the
// hand-over, which must not show the window that start-up has not finished.
void TestFrmMainStartup::handOverDuringAStartUpBoxKeepsTheWindowHidden()
{
    struct HandOverDuringBox : RecordingPrompts
    {
        std::function<void()> duringBox;
        MessageAnswer message(MessageIcon icon, const QString &title, const QString &text,
                              MessageButtons buttons) override
        {
            duringBox();
            return RecordingPrompts::message(icon, title, text, buttons);
        }
    };
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(RWini::fileName())); // a folder where the settings file goes
    HandOverDuringBox prompts;
    RecordingShell shell;
    FrmMain w(prompts, shell, dir.path(), [] {});
    bool shownDuringBox = false;
    prompts.duringBox = [&] {
        w.Form_LinkExecute(QStringLiteral("Normal"));
        shownDuringBox = w.isVisible();
    };
    w.Form_Load();
    QCOMPARE(prompts.calls.size(), 1);
    QVERIFY(!shownDuringBox);
}

void TestFrmMainStartup::statusBarHasClockPanels()
{
    Harness h;
    FrmMain &w = h.start();
    auto *time = h.find<QLabel>(QStringLiteral("StatBar.Panels(4)"));
    auto *date = h.find<QLabel>(QStringLiteral("StatBar.Panels(5)"));
    QCOMPARE(time->toolTip(), QStringLiteral("时间"));
    QCOMPARE(date->toolTip(), QStringLiteral("日期"));
    QVERIFY(QTime::fromString(w.panelText(4), QStringLiteral("HH:mm")).isValid());
    QCOMPARE(w.panelText(5), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void TestFrmMainStartup::linkEditorTakesThePanelsPlace()
{
    Harness h;
    h.writeIni(QStringLiteral("[链接]\n数量=2\n链接0名称=甲\n链接0地址=/a\n链接1名称=乙\n链接1地址=/b\n"));
    h.startShown();
    auto *calculator = h.find<QWidget>(QStringLiteral("PicMain"));
    QAction *typeMenu = h.find<QMenu>(QStringLiteral("MnuF"))->menuAction();
    h.action(QStringLiteral("MnuBJLJ"))->trigger();
    QVERIFY(!calculator->isVisible());
    QVERIFY(h.find<QWidget>(QStringLiteral("PicSet"))->isVisible());
    QVERIFY(!typeMenu->isEnabled());
    // The list takes the focus in the window, but no row is picked: only 添加 and 关  闭 work,
    // so 删除 at once deletes nothing.
    QApplication::processEvents();
    QCOMPARE(h.find<QListWidget>(QStringLiteral("ListLJ"))->selectedItems().size(), 0);
    QString enabled;
    for (int i = 0; i < 7; ++i)
        enabled += h.button(QStringLiteral("CmdLianJie(%1)").arg(i))->isEnabled() ? u'1' : u'0';
    QCOMPARE(enabled, QStringLiteral("0100001"));
    h.button(QStringLiteral("CmdLianJie(6)"))->click();
    QVERIFY(calculator->isVisible());
    QVERIFY(!h.find<QWidget>(QStringLiteral("PicSet"))->isVisible());
    QVERIFY(typeMenu->isEnabled());
}

void TestFrmMainStartup::tabOrderFollowsTheRows_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<bool>("backwards"); // Shift+Tab
    // With the box empty, 确定 and 复制 are disabled and take no focus.
    QTest::newRow("expression: the box, the commands, the quick buttons, the result")
        << 0 << QStringList{"CombKJSR",     "CmdEnd",       "CmdZT",        "CmdQK",
                            "CmdHanShu(0)", "CmdHanShu(1)", "CmdHanShu(2)", "CmdHanShu(3)",
                            "CmdHanShu(4)", "TxtJieGuo",    "CombKJSR"}
        << false;
    QTest::newRow("weight: the input boxes left to right, then the commands and the result")
        << 12 << QStringList{"CombSR(1)", "CombSR(2)", "CombSR(3)",    "CmdOK",    "CmdEnd",
                             "TxtJieGuo", "CmdFZ",     "CmdAddToList", "CombSR(1)"}
        << false;
    QTest::newRow("weight with a sub-type list: the list where the row shows it, after the size box")
        << 5 << QStringList{"CombSR(0)", "CombLeiXing", "CombSR(3)",    "CmdOK",    "CmdEnd",
                            "TxtJieGuo", "CmdFZ",       "CmdAddToList", "CombSR(0)"}
        << false;
    QTest::newRow("weight, Shift+Tab: the same way back")
        << 6 << QStringList{"CombSR(3)", "CombLeiXing", "CombSR(0)", "CmdAddToList", "CmdFZ",
                            "TxtJieGuo", "CmdEnd",      "CmdOK",     "CombSR(3)"}
        << true;
}

void TestFrmMainStartup::tabOrderFollowsTheRows()
{
    // Tab walks the shown controls row by row, also through the weight panel built on first
    // use; in a weight box it moves on instead of being refused as a typed character.
    QFETCH(int, type);
    QFETCH(QStringList, order);
    QFETCH(bool, backwards);
    Harness h;
    h.startShown();
    h.action(QStringLiteral("MnuJS(%1)").arg(type))->trigger();
    QWidget *first = h.find<QWidget>(order.first());
    first->setFocus();
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        QWidget *focused = QApplication::focusWidget();
        // An editable box hands its focus to its line edit.
        while (focused && focused->objectName().isEmpty())
            focused = focused->parentWidget();
        visited << (focused ? focused->objectName() : QString());
        if (backwards)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, order);
}

void TestFrmMainStartup::quickButtonsStartUnderTheExpressionBox()
{
    Harness h;
    FrmMain &w = h.startShown();
    QCOMPARE(w.height(), 2720 / 15);
    QVERIFY(w.width() >= 8330 / 15);
    QWidget *box = h.expressionBox();
    QWidget *firstButton = h.button(QStringLiteral("CmdZT"));
    QCOMPARE(firstButton->mapTo(&w, QPoint()).x(), box->mapTo(&w, QPoint()).x());
    QVERIFY(firstButton->mapTo(&w, QPoint()).y() > box->mapTo(&w, QPoint()).y());
}

QTEST_MAIN(TestFrmMainStartup)
#include "test_frmmain_startup.moc"
