#include "platform/recordingprompts.h"
#include "ui/frmcgggkk.h"
#include "ui/gaugewindows.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

namespace {

const char *const kLists[3] = {"LstCG", "LstGZG", "LstJG"};
const char *const kValues[3] = {"LabCG", "LabGG", "LabJG"};

QString indexed(const char *name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

template <typename T> T *child(QWidget *window, const QString &name)
{
    auto *found = window->findChild<T *>(name);
    if (!found)
        qWarning("no child %s", qPrintable(name));
    return found;
}

QStringList valueTexts(QWidget *window, int kind)
{
    QStringList texts;
    for (int k = 0; k < 4; ++k)
        texts << child<QLabel>(window, indexed(kValues[kind], k))->text();
    return texts;
}

void clickRow(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void clickOption(QWidget *window, int kind)
{
    auto *option = child<QRadioButton>(window, indexed("OptXG", kind));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

// Which panel shows and which option button is bold, as one text such as "1:1".
QString shownKind(QWidget *window)
{
    QString visible, bold;
    for (int kind = 0; kind < 3; ++kind) {
        if (child<QWidget>(window, indexed("PicXG", kind))->isVisible())
            visible += QString::number(kind);
        if (child<QRadioButton>(window, indexed("OptXG", kind))->font().bold())
            bold += QString::number(kind);
    }
    return visible + QLatin1Char(':') + bold;
}

} // namespace

class TestGaugeWindow : public QObject
{
    Q_OBJECT

private slots:
    void loadsAsAnIndependentWindow();
    void optionButtonsSwitchPanels_data();
    void optionButtonsSwitchPanels();
    void rowClickFillsLabels_data();
    void rowClickFillsLabels();
    void switchingKeepsListsAndLabels();
    void rowsLineUp_data();
    void rowsLineUp();
    void notesLabels_data();
    void notesLabels();
    void labelsStayInsideTheirPanel_data();
    void labelsStayInsideTheirPanel();

    void sameKindOnlyBringsTheWindowForward();
    void otherKindReloadsTheWindow();
    void optionButtonChoiceIsRemembered();
    void closedWindowOpensAgain();
    void closeAllAndInvalidKinds();
};

void TestGaugeWindow::loadsAsAnIndependentWindow()
{
    RecordingPrompts prompts;
    quint8 index = 2;
    FrmCGGGKK window(prompts, index);
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("槽钢、工字钢、角钢螺钉连接开孔尺寸"));
    QVERIFY(window.isWindow());
    QCOMPARE(window.parentWidget(), nullptr);
    QCOMPARE(window.windowModality(), Qt::NonModal);
    QVERIFY(!window.isModal());
    QCOMPARE(window.size(), QSize(6580 / 15, 3950 / 15));
    QCOMPARE(shownKind(&window), QStringLiteral("2:2"));
    QVERIFY(child<QRadioButton>(&window, QStringLiteral("OptXG(2)"))->isChecked());
    for (int kind = 0; kind < 3; ++kind) {
        QCOMPARE(child<QWidget>(&window, indexed("PicXG", kind))->y(), 480 / 15);
        QCOMPARE(valueTexts(&window, kind), QStringList(4, QString()));
    }
    QCOMPARE(child<QListWidget>(&window, QStringLiteral("LstCG"))->count(), 15);
    QCOMPARE(child<QListWidget>(&window, QStringLiteral("LstGZG"))->count(), 16);
    QCOMPARE(child<QListWidget>(&window, QStringLiteral("LstJG"))->count(), 20);
    QCOMPARE(child<QListWidget>(&window, QStringLiteral("LstCG"))->item(0)->text(),
             QStringLiteral(" 5  | 21 | — | 12 |"));
    QCOMPARE(prompts.calls.size(), 0);
}

void TestGaugeWindow::optionButtonsSwitchPanels_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("clicked");
    for (int start = 0; start < 3; ++start)
        for (int clicked = 0; clicked < 3; ++clicked)
            QTest::addRow("from %d to %d", start, clicked) << start << clicked;
}

void TestGaugeWindow::optionButtonsSwitchPanels()
{
    QFETCH(int, start);
    QFETCH(int, clicked);
    RecordingPrompts prompts;
    quint8 index = quint8(start);
    FrmCGGGKK window(prompts, index);
    window.show();
    clickOption(&window, clicked);
    const QString expected = QStringLiteral("%1:%1").arg(clicked);
    QCOMPARE(shownKind(&window), expected);
    QCOMPARE(int(index), clicked);
}

void TestGaugeWindow::rowClickFillsLabels_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("labels");
    QTest::addRow("channel 12.6: model in brackets, cells led by =")
        << 0 << 4 << QStringList{"[12.6#", "=30", "=34", "=18"};
    QTest::addRow("channel 5: missing a1 shows = and the dash")
        << 0 << 0 << QStringList{"[5#", "=21", "=—", "=12"};
    QTest::addRow("channel 40: last row") << 0 << 14 << QStringList{"[40#", "=60", "=59", "=30"};
    QTest::addRow("I-beam 10: missing a1 shows = and the dash")
        << 1 << 0 << QStringList{"工10#", "=36", "=—", "=12"};
    QTest::addRow("I-beam 12.6: decimal model") << 1 << 1 << QStringList{"工12.6#", "=40", "=—", "=12"};
    QTest::addRow("I-beam 63: last row") << 1 << 15 << QStringList{"工63#", "=95", "=75", "=26"};
    QTest::addRow("angle 50: leg width repeated as b") << 2 << 6 << QStringList{"∠50#", "=50", "=30", "=13"};
    QTest::addRow("angle 20: decimal hole") << 2 << 0 << QStringList{"∠20#", "=20", "=13", "=4.5"};
    QTest::addRow("angle 200: three-digit cells") << 2 << 19 << QStringList{"∠200#", "=200", "=110", "=32"};
}

void TestGaugeWindow::rowClickFillsLabels()
{
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(QStringList, labels);
    RecordingPrompts prompts;
    quint8 index = quint8(kind);
    FrmCGGGKK window(prompts, index);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    clickRow(child<QListWidget>(&window, QLatin1String(kLists[kind])), row);
    QCOMPARE(valueTexts(&window, kind), labels);
    // The other panels are untouched.
    for (int other = 0; other < 3; ++other)
        if (other != kind)
            QCOMPARE(valueTexts(&window, other), QStringList(4, QString()));
}

void TestGaugeWindow::switchingKeepsListsAndLabels()
{
    RecordingPrompts prompts;
    quint8 index = 0;
    FrmCGGGKK window(prompts, index);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    clickRow(child<QListWidget>(&window, QStringLiteral("LstCG")), 4);
    clickOption(&window, 1);
    clickRow(child<QListWidget>(&window, QStringLiteral("LstGZG")), 0);
    clickOption(&window, 0);
    QCOMPARE(valueTexts(&window, 0), (QStringList{"[12.6#", "=30", "=34", "=18"}));
    QCOMPARE(valueTexts(&window, 1), (QStringList{"工10#", "=36", "=—", "=12"}));
    QCOMPARE(child<QListWidget>(&window, QStringLiteral("LstCG"))->currentRow(), 4);
}

void TestGaugeWindow::rowsLineUp_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("closingBar");
    QTest::addRow("channel rows end with a bar") << FrmCGGGKK::channelRows() << true;
    QTest::addRow("I-beam rows end with a value") << FrmCGGGKK::iBeamRows() << false;
    QTest::addRow("angle rows end with a value") << FrmCGGGKK::angleRows() << false;
}

// In a fixed-pitch font (the full-width dash two columns wide) every bar of a list stands in
// the same column.
void TestGaugeWindow::rowsLineUp()
{
    QFETCH(QStringList, rows);
    QFETCH(bool, closingBar);
    auto barColumns = [](const QString &row) {
        QList<int> columns;
        int column = 0;
        for (QChar ch : row) {
            if (ch == QLatin1Char('|'))
                columns << column;
            column += ch == QChar(0x2014) ? 2 : 1;
        }
        return columns;
    };
    const QList<int> first = barColumns(rows.first());
    for (const QString &row : rows) {
        QCOMPARE(barColumns(row), first);
        QCOMPARE(row.endsWith(QLatin1Char('|')), closingBar);
    }
}

void TestGaugeWindow::notesLabels_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("label");
    QTest::addColumn<QString>("firstLine");
    const QString none;
    QTest::addRow("channel +") << 0 << 8
                               << "  ① 槽钢 螺栓、铆钉连接规线，摘自《机械设计手册》第五版 第一卷 1-355。";
    QTest::addRow("I-beam +") << 1 << 9
                              << "  ① 工字钢 螺栓、铆钉连接规线，摘自《机械设计手册》第五版 第一卷 1-356。";
    QTest::addRow("angle +") << 2 << 14
                             << "  ① 角钢 螺栓、铆钉连接规线，摘自《机械设计手册》第五版 第一卷 1-353。";
    const int captions[3][4] = {{0, 1, 2, 3}, {7, 6, 5, 4}, {13, 12, 10, -1}};
    for (int kind = 0; kind < 3; ++kind)
        for (int label : captions[kind])
            if (label >= 0)
                QTest::addRow("caption %d shows nothing", label) << kind << label << none;
}

void TestGaugeWindow::notesLabels()
{
    QFETCH(int, kind);
    QFETCH(int, label);
    QFETCH(QString, firstLine);
    RecordingPrompts prompts;
    quint8 index = quint8(kind);
    FrmCGGGKK window(prompts, index);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *caption = child<QLabel>(&window, indexed("Lab_BS", label));
    QVERIFY(caption->isVisible());
    QTest::mouseClick(caption, Qt::LeftButton, {}, caption->rect().center());
    if (firstLine.isEmpty()) {
        QCOMPARE(prompts.calls.size(), 0);
        return;
    }
    QCOMPARE(prompts.calls.size(), 1);
    const RecordingPrompts::Call &call = prompts.calls.first();
    QCOMPARE(call.kind, RecordingPrompts::Kind::Message);
    QCOMPARE(call.icon, MessageIcon::Information);
    QCOMPARE(call.title, QStringLiteral("说明"));
    QCOMPARE(call.buttons, MessageButtons::Ok);
    QCOMPARE(call.text, firstLine + "\r\n\r\n" + "  ② 尺寸、参数仅摘录了一部分，具体查看手册。");
}

void TestGaugeWindow::labelsStayInsideTheirPanel_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addRow("channel, widest model") << 0 << 4;
    QTest::addRow("I-beam, widest model") << 1 << 1;
    QTest::addRow("angle, widest values") << 2 << 14;
    QTest::addRow("angle, last row") << 2 << 19;
}

// Every caption and value stays whole inside its panel and clear of the list and of the
// other texts, whatever row is chosen.
void TestGaugeWindow::labelsStayInsideTheirPanel()
{
    QFETCH(int, kind);
    QFETCH(int, row);
    RecordingPrompts prompts;
    quint8 index = quint8(kind);
    FrmCGGGKK window(prompts, index);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = child<QListWidget>(&window, QLatin1String(kLists[kind]));
    clickRow(list, row);
    QWidget *panel = child<QWidget>(&window, indexed("PicXG", kind));
    QList<QLabel *> labels;
    for (QLabel *label : panel->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        if (!label->text().isEmpty() && label->isVisible())
            labels << label;
    QVERIFY(labels.size() >= 8);
    for (QLabel *label : labels) {
        const QRect g = label->geometry();
        QVERIFY2(panel->rect().contains(g), qPrintable(label->objectName()));
        QVERIFY2(g.width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        QVERIFY2(!g.intersects(list->geometry()), qPrintable(label->objectName()));
        for (QLabel *other : labels)
            if (other != label)
                QVERIFY2(!g.intersects(other->geometry()),
                         qPrintable(label->objectName() + " overlaps " + other->objectName()));
    }
}

void TestGaugeWindow::sameKindOnlyBringsTheWindowForward()
{
    RecordingPrompts prompts;
    GaugeWindows gauges(prompts);
    QCOMPARE(gauges.gaugeTableIndex(), quint8(0));
    QCOMPARE(gauges.window(), nullptr);
    gauges.show(0);
    QPointer<FrmCGGGKK> first = gauges.window();
    QVERIFY(first && first->isVisible());
    QCOMPARE(shownKind(first), QStringLiteral("0:0"));
    QVERIFY(QTest::qWaitForWindowExposed(first.data()));
    clickRow(child<QListWidget>(first, QStringLiteral("LstCG")), 4);
    first->showMinimized();
    gauges.show(0);
    QCOMPARE(gauges.window(), first.data());
    QVERIFY(!(first->windowState() & Qt::WindowMinimized));
    // Not reloaded: the chosen row still shows.
    QCOMPARE(valueTexts(first, 0).first(), QStringLiteral("[12.6#"));
}

void TestGaugeWindow::otherKindReloadsTheWindow()
{
    RecordingPrompts prompts;
    GaugeWindows gauges(prompts);
    gauges.show(0);
    QPointer<FrmCGGGKK> channel = gauges.window();
    QVERIFY(QTest::qWaitForWindowExposed(channel.data()));
    clickRow(child<QListWidget>(channel, QStringLiteral("LstCG")), 4);
    gauges.show(1);
    QVERIFY(channel.isNull()); // closed and gone, not merely hidden
    FrmCGGGKK *beam = gauges.window();
    QVERIFY(beam && beam->isVisible());
    QCOMPARE(shownKind(beam), QStringLiteral("1:1"));
    QCOMPARE(gauges.gaugeTableIndex(), quint8(1));
    QCOMPARE(valueTexts(beam, 0), QStringList(4, QString()));
    QCOMPARE(QApplication::topLevelWidgets().count(QWidgetList::value_type(beam)), 1);
}

void TestGaugeWindow::optionButtonChoiceIsRemembered()
{
    RecordingPrompts prompts;
    GaugeWindows gauges(prompts);
    gauges.show(0);
    QPointer<FrmCGGGKK> window = gauges.window();
    clickOption(window, 2);
    QCOMPARE(gauges.gaugeTableIndex(), quint8(2));
    gauges.show(2);
    QCOMPARE(gauges.window(), window.data());
    QCOMPARE(shownKind(window), QStringLiteral("2:2"));
    gauges.show(0);
    QVERIFY(window.isNull());
    QCOMPARE(shownKind(gauges.window()), QStringLiteral("0:0"));
}

void TestGaugeWindow::closedWindowOpensAgain()
{
    RecordingPrompts prompts;
    GaugeWindows gauges(prompts);
    gauges.show(1);
    QPointer<FrmCGGGKK> window = gauges.window();
    window->close();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(gauges.window(), nullptr);
    gauges.show(1);
    QVERIFY(gauges.window() && gauges.window()->isVisible());
    QCOMPARE(shownKind(gauges.window()), QStringLiteral("1:1"));
}

void TestGaugeWindow::closeAllAndInvalidKinds()
{
    RecordingPrompts prompts;
    GaugeWindows gauges(prompts);
    gauges.show(2);
    QPointer<FrmCGGGKK> window = gauges.window();
    gauges.show(3);
    gauges.show(-1);
    QCOMPARE(gauges.window(), window.data());
    QCOMPARE(gauges.gaugeTableIndex(), quint8(2));
    gauges.closeAll();
    QVERIFY(window.isNull());
    QCOMPARE(gauges.window(), nullptr);
    gauges.closeAll(); // closing nothing is harmless
}

QTEST_MAIN(TestGaugeWindow)
#include "test_gaugewindow.moc"
