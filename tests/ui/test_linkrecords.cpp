#include "ui/linkrecords.h"

#include "common/errorvalue.h"
#include "platform/recordingprompts.h"
#include "platform/recordingshell.h"
#include "settings/profilefile.h"
#include "settings/rwini.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Blanks30 = QString(30, QLatin1Char(' '));

QList<LinkRecord> threeLinks()
{
    return {{QStringLiteral("甲"), QStringLiteral("/a")},
            {QStringLiteral("乙"), QStringLiteral("/b")},
            {QStringLiteral("丙"), QStringLiteral("/c")}};
}

QString names(const QList<LinkRecord> &records)
{
    QStringList list;
    for (const LinkRecord &record : records)
        list.append(record.name + QLatin1Char('=') + record.target);
    return list.join(QLatin1Char(','));
}

// Which buttons are enabled, as a string of 7 flags in button order: "0110001".
QString flags(const LinkEditorModel::ButtonStates &states)
{
    QString text;
    for (bool on : states)
        text.append(on ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

} // namespace

class TestLinkRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void rowSplit_data();
    void rowSplit();
    void rowJoinKeepsBlanksInsideNameAndTarget();

    void buttonStates_data();
    void buttonStates();

    void editorOperations_data();
    void editorOperations();

    void commandTarget_data();
    void commandTarget();
    void baseName_data();
    void baseName();
    void errorText_data();
    void errorText();

    void readWritesBackMissingNameAndTarget();
    void writeLeavesKeysBeyondTheCount();
    void countOutsideSixteenBitsFallsBack_data();
    void countOutsideSixteenBitsFallsBack();

private:
    QString value(const QString &key) const
    {
        return Profile::profileString(m_settings->IniPath(), LinkTexts::Section, key)
            .value_or(QStringLiteral("<missing>"));
    }
    void store(const QString &key, const QString &text)
    {
        Profile::writeProfileString(m_settings->IniPath(), LinkTexts::Section, key, text);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingPrompts m_prompts;
    RecordingShell m_shell;
    std::unique_ptr<RWini> m_settings;
    bool m_writeFailed = false;
};

void TestLinkRecords::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_prompts = RecordingPrompts();
    m_writeFailed = false;
    m_settings = std::make_unique<RWini>([this](const QString &) { m_writeFailed = true; });
    m_settings->setProgramDirectory(m_dir->path());
}

void TestLinkRecords::rowSplit_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");

    QTest::newRow("name and target around exactly 30 blanks")
        << QStringLiteral("abc") + Blanks30 + QStringLiteral("/x/abc.exe") << "abc"
        << "/x/abc.exe";
    QTest::newRow("29 blanks inside the name do not split")
        << QStringLiteral("a") + QString(29, u' ') + QStringLiteral("b") + Blanks30 + QStringLiteral("t")
        << QStringLiteral("a") + QString(29, u' ') + QStringLiteral("b") << "t";
    QTest::newRow("a longer run splits at its start, the rest belongs to the target")
        << QStringLiteral("n") + QString(32, u' ') + QStringLiteral("t") << "n"
        << "  t";
    QTest::newRow("the first run of 30 splits when the target holds another")
        << QStringLiteral("n") + Blanks30 + QStringLiteral("t") + Blanks30 + QStringLiteral("u") << "n"
        << QStringLiteral("t") + Blanks30 + QStringLiteral("u");
    QTest::newRow("no run of 30 blanks is all name") << "name only"
                                                     << "name only"
                                                     << "";
    QTest::newRow("empty target") << QStringLiteral("n") + Blanks30 << "n"
                                  << "";
}

void TestLinkRecords::rowSplit()
{
    QFETCH(QString, row);
    QFETCH(QString, name);
    QFETCH(QString, target);
    const LinkRecord record = splitLinkRow(row);
    QCOMPARE(record.name, name);
    QCOMPARE(record.target, target);
}

void TestLinkRecords::rowJoinKeepsBlanksInsideNameAndTarget()
{
    // The editor keeps records, not row texts, so a name holding a run of 30 blanks
    // survives being shown, moved and stored.
    const LinkRecord odd{QStringLiteral("a") + Blanks30 + QStringLiteral("b"), QStringLiteral("/p q")};
    QCOMPARE(joinLinkRow(odd), odd.name + Blanks30 + odd.target);
    LinkEditorModel model;
    model.setRecords({{QStringLiteral("x"), QStringLiteral("/x")}, odd});
    model.select(1);
    QVERIFY(model.moveSelectedUp());
    QCOMPARE(model.records().first(), odd);
}

void TestLinkRecords::buttonStates_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("enabled"); // 删除 添加 上移 下移 编辑名称 编辑路径 关闭

    QTest::newRow("empty list: only add and close") << 0 << -1 << "0100001";
    QTest::newRow("no selection: only add and close") << 3 << -1 << "0100001";
    QTest::newRow("the only row: no moves") << 1 << 0 << "1100111";
    QTest::newRow("first of three: down but not up") << 3 << 0 << "1101111";
    QTest::newRow("middle of three: both moves") << 3 << 1 << "1111111";
    QTest::newRow("last of three: up but not down") << 3 << 2 << "1110111";
    QTest::newRow("selection beyond the list counts as none") << 3 << 3 << "0100001";
}

void TestLinkRecords::buttonStates()
{
    QFETCH(int, rows);
    QFETCH(int, selected);
    QFETCH(QString, enabled);
    LinkEditorModel model;
    model.setRecords(threeLinks().mid(0, rows));
    model.select(selected);
    QCOMPARE(flags(model.buttonStates()), enabled);
}

void TestLinkRecords::editorOperations_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("selectedAfter");

    const QString original = QStringLiteral("甲=/a,乙=/b,丙=/c");
    QTest::newRow("second of three up becomes first, selection lost")
        << 1 << "up"
        << "" << true << "乙=/b,甲=/a,丙=/c" << -1;
    QTest::newRow("first row down becomes second, selection lost") << 0 << "down"
                                                                   << "" << true << "乙=/b,甲=/a,丙=/c" << -1;
    QTest::newRow("first row cannot move up") << 0 << "up"
                                              << "" << false << original << 0;
    QTest::newRow("last row cannot move down") << 2 << "down"
                                               << "" << false << original << 2;
    QTest::newRow("nothing selected moves nothing") << -1 << "up"
                                                    << "" << false << original << -1;
    QTest::newRow("delete removes the selected row only") << 1 << "delete"
                                                          << "" << true << "甲=/a,丙=/c" << -1;
    QTest::newRow("delete without selection removes nothing") << -1 << "delete"
                                                              << "" << false << original << -1;
    QTest::newRow("rename is trimmed and keeps the target")
        << 2 << "rename"
        << "  新名  " << true << "甲=/a,乙=/b,新名=/c" << -1;
    QTest::newRow("rename to an empty answer changes nothing") << 2 << "rename"
                                                               << "" << false << original << 2;
    QTest::newRow("rename to blanks changes nothing") << 2 << "rename"
                                                      << "   " << false << original << 2;
    QTest::newRow("retarget is trimmed and keeps the name")
        << 0 << "retarget"
        << " /new path " << true << "甲=/new path,乙=/b,丙=/c" << -1;
    QTest::newRow("retarget to an empty answer changes nothing") << 0 << "retarget"
                                                                 << "" << false << original << 0;
    QTest::newRow("append goes last and keeps the selection")
        << 1 << "append"
        << "丁" << true << "甲=/a,乙=/b,丙=/c,丁=/d" << 1;
}

void TestLinkRecords::editorOperations()
{
    QFETCH(int, selected);
    QFETCH(QString, operation);
    QFETCH(QString, answer);
    QFETCH(bool, changed);
    QFETCH(QString, result);
    QFETCH(int, selectedAfter);

    LinkEditorModel model;
    model.setRecords(threeLinks());
    model.select(selected);
    bool didChange = false;
    if (operation == QLatin1String("up"))
        didChange = model.moveSelectedUp();
    else if (operation == QLatin1String("down"))
        didChange = model.moveSelectedDown();
    else if (operation == QLatin1String("delete"))
        didChange = model.removeSelected();
    else if (operation == QLatin1String("rename"))
        didChange = model.renameSelected(answer);
    else if (operation == QLatin1String("retarget"))
        didChange = model.retargetSelected(answer);
    else if (operation == QLatin1String("append")) {
        model.append({answer, QStringLiteral("/d")});
        didChange = true;
    }
    QCOMPARE(didChange, changed);
    QCOMPARE(names(model.records()), result);
    QCOMPARE(model.selected(), selectedAfter);
}

void TestLinkRecords::commandTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("command");
    QTest::newRow("lower-case exe") << "/opt/tools/abc.exe" << true;
    QTest::newRow("upper-case EXE is a document for the desktop") << "/opt/tools/ABC.EXE" << false;
    QTest::newRow("mixed-case Exe is a document for the desktop") << "/opt/tools/abc.Exe" << false;
    QTest::newRow("the last three characters count, not the extension") << "notepadexe" << true;
    QTest::newRow("document") << "/home/u/plan.pdf" << false;
    QTest::newRow("exe elsewhere in the name") << "/home/u/exe.txt" << false;
    QTest::newRow("web address") << "https://example.org/" << false;
    QTest::newRow("empty") << "" << false;
}

void TestLinkRecords::commandTarget()
{
    QFETCH(QString, target);
    QFETCH(bool, command);
    QCOMPARE(isCommandTarget(target), command);
}

void TestLinkRecords::baseName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::newRow("folder and extension removed") << "/opt/tools/abc.exe"
                                                  << "abc";
    QTest::newRow("only the last extension removed") << "/home/u/data.tar.gz"
                                                     << "data.tar";
    QTest::newRow("no extension") << "/usr/bin/kcalc"
                                  << "kcalc";
    QTest::newRow("a dot file keeps its whole name") << "/home/u/.profile"
                                                     << ".profile";
    QTest::newRow("blanks inside kept") << "/home/u/my plan.pdf"
                                        << "my plan";
}

void TestLinkRecords::baseName()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    QCOMPARE(linkBaseName(path), base);
}

void TestLinkRecords::errorText_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    const QString pathHint = QStringLiteral("\r\n\r\n可能是由错误的路径引起的，请重新设置路径！");
    QTest::newRow("5 single dash, path hint")
        << 5 << QStringLiteral("  错误：5—无效的过程调用或参数") + pathHint;
    QTest::newRow("52 single dash, path hint")
        << 52 << QStringLiteral("  错误：52—错误的文件名或号码") + pathHint;
    QTest::newRow("53 single dash, path hint") << 53 << QStringLiteral("  错误：53—文件未找到") + pathHint;
    QTest::newRow("76 single dash, path hint") << 76 << QStringLiteral("  错误：76—路径未找到") + pathHint;
    QTest::newRow("58 double dash, same-name hint")
        << 58 << QStringLiteral("  错误：58——文件已存在\r\n\r\n目录内具有同名文件，请重新设置参数！");
    QTest::newRow("75 double dash, file-in-use hint")
        << 75 << QStringLiteral("  错误：75——路径/文件访问错误\r\n\r\n请确认文件未被使用，稍候重试！");
    QTest::newRow("any other number is unknown")
        << 6 << QStringLiteral("  未知错误：6——溢出\r\n\r\n请重新设置合法参数！");
}

void TestLinkRecords::errorText()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(linkErrorText(number, standardErrorDescription(number)), text);
}

void TestLinkRecords::readWritesBackMissingNameAndTarget()
{
    store(LinkTexts::CountKey, QStringLiteral("3"));
    store(linkNameKey(0), QStringLiteral("甲"));
    store(linkTargetKey(0), QStringLiteral("/a"));
    store(linkTargetKey(1), QStringLiteral("/b"));
    store(linkNameKey(2), QStringLiteral("丙"));

    const QList<LinkRecord> records = readLinkRecords(*m_settings);
    QCOMPARE(names(records), QStringLiteral("甲=/a,【无名】=/b,丙=【错误】"));
    QCOMPARE(value(linkNameKey(1)), QStringLiteral("【无名】"));
    QCOMPARE(value(linkTargetKey(2)), QStringLiteral("【错误】"));
    QCOMPARE(readLinkNames(*m_settings), QStringList({"甲", "【无名】", "丙"}));
    QVERIFY(m_prompts.calls.isEmpty());
}

void TestLinkRecords::writeLeavesKeysBeyondTheCount()
{
    QList<LinkRecord> ten;
    for (int i = 0; i < 10; ++i)
        ten.append({QStringLiteral("n%1").arg(i), QStringLiteral("/t%1").arg(i)});
    writeLinkRecords(*m_settings, ten);
    writeLinkRecords(*m_settings, ten.mid(5, 5));

    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("5"));
    QCOMPARE(value(linkNameKey(0)), QStringLiteral("n5"));
    QCOMPARE(value(linkTargetKey(4)), QStringLiteral("/t9"));
    for (int i = 5; i < 10; ++i) {
        QCOMPARE(value(linkNameKey(i)), QStringLiteral("n%1").arg(i));
        QCOMPARE(value(linkTargetKey(i)), QStringLiteral("/t%1").arg(i));
    }
    QCOMPARE(readLinkRecords(*m_settings), ten.mid(5, 5));
}

void TestLinkRecords::countOutsideSixteenBitsFallsBack_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("written"); // what the key holds afterwards
    QTest::newRow("largest 16-bit count is read") << "32767" << 32767 << "32767";
    QTest::newRow("one more falls back to the links held") << "32768" << 1 << "1";
    QTest::newRow("a negative count is read as is") << "-3" << -3 << "-3";
    QTest::newRow("below the 16-bit range falls back too") << "-32769" << 1 << "1";
    QTest::newRow("text reads as 0") << "abc" << 0 << "0";
}

void TestLinkRecords::countOutsideSixteenBitsFallsBack()
{
    QFETCH(QString, stored);
    QFETCH(int, count);
    QFETCH(QString, written);
    store(LinkTexts::CountKey, stored);
    store(linkTargetKey(0), QStringLiteral("/a"));
    QCOMPARE(readLinkCount(*m_settings), count);
    QCOMPARE(value(LinkTexts::CountKey), written);
}

QTEST_GUILESS_MAIN(TestLinkRecords)
#include "test_linkrecords.moc"
