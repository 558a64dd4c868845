#include "ui/linkscontroller.h"

#include "common/errorvalue.h"
#include "platform/recordingprompts.h"
#include "platform/recordingshell.h"
#include "settings/profilefile.h"
#include "settings/rwini.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QOperatingSystemVersion>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

const QString Blanks30 = QString(30, QLatin1Char(' '));
using ShellKind = RecordingShell::Call::Kind;

} // namespace

class TestLinksController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuHoldsBuiltInsUserLinksAndCommands();

    void addLinkFromMenu_data();
    void addLinkFromMenu();
    void addedLinksSurviveARestart();
    void startUpShowsMissingNameAndWritesItBack();
    void startUpFallsBackFromACountBeyond16Bits();

    void openUserLink_data();
    void openUserLink();
    void failedOpenShowsTheDialog_data();
    void failedOpenShowsTheDialog();
    void missingTargetIsWrittenBackAndReported();

    void builtInLinks_data();
    void builtInLinks();

    void editorEditsAWorkingCopyUntilClosed();
    void editorCancelledAddLeavesButtonsAsTheyAre();
    void closingAnEmptyEditorHidesTheUserItem();
    void closingWithFewerRowsKeepsLeftOverKeys();
    void failedWriteOnCloseIsNotedOnce();
    void settingsFolderInPlaceOfTheFileIsNoted();

private:
    void makeController();
    void store(const QString &key, const QString &text)
    {
        Profile::writeProfileString(m_settings->IniPath(), LinkTexts::Section, key, text);
    }
    QString value(const QString &key) const
    {
        return Profile::profileString(m_settings->IniPath(), LinkTexts::Section, key)
            .value_or(QStringLiteral("<missing>"));
    }
    void storeLinks(const QList<LinkRecord> &links)
    {
        store(LinkTexts::CountKey, QString::number(links.size()));
        for (int i = 0; i < links.size(); ++i) {
            store(linkNameKey(i), links.at(i).name);
            store(linkTargetKey(i), links.at(i).target);
        }
    }
    QByteArray fileBytes() const
    {
        QFile file(m_settings->IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }
    // Captions of the visible user-defined link items, in menu order.
    QStringList userCaptions() const
    {
        QStringList captions;
        for (QAction *action : m_menu->actions())
            if (action->objectName().startsWith(QLatin1String("MnuLJ_ZDY(")) && action->isVisible())
                captions.append(action->text());
        return captions;
    }
    QStringList rows() const
    {
        QStringList texts;
        for (int i = 0; i < m_links->ListLJ()->count(); ++i)
            texts.append(m_links->ListLJ()->item(i)->text());
        return texts;
    }
    QString enabledButtons() const
    {
        QString text;
        for (int i = 0; i < LinkEditorModel::ButtonCount; ++i)
            text.append(m_links->CmdLianJie(i)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0'));
        return text;
    }
    void click(int button) { QTest::mouseClick(m_links->CmdLianJie(button), Qt::LeftButton); }
    void selectRow(int row) { m_links->ListLJ()->setCurrentRow(row); }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingPrompts m_prompts;
    RecordingShell m_shell;
    std::unique_ptr<RWini> m_settings;
    std::unique_ptr<QWidget> m_window;
    QMenu *m_menu = nullptr;
    LinksController *m_links = nullptr;
    QByteArray m_savedPath;
    QStringList m_notices; // what the settings store handed to the status bar
};

void TestLinksController::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_prompts = RecordingPrompts();
    m_shell = RecordingShell();
    m_notices.clear();
    m_settings = std::make_unique<RWini>([this](const QString &notice) { m_notices << notice; });
    m_settings->setProgramDirectory(m_dir->path());
    makeController();
    m_savedPath = qgetenv("PATH");
}

void TestLinksController::cleanup()
{
    qputenv("PATH", m_savedPath);
    m_window.reset();
    const QLatin1String test(QTest::currentTestFunction());
    if (test != QLatin1String("failedWriteOnCloseIsNotedOnce") &&
        test != QLatin1String("settingsFolderInPlaceOfTheFileIsNoted"))
        QVERIFY(m_notices.isEmpty());
}

void TestLinksController::makeController()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(555, 181);
    m_menu = new QMenu(QStringLiteral("链接(&L)"), m_window.get());
    m_links = new LinksController(m_menu, m_window.get(), *m_settings, m_prompts, m_shell, m_dir->path(),
                                  m_window.get());
    m_window->show();
}

void TestLinksController::menuHoldsBuiltInsUserLinksAndCommands()
{
    QStringList layout;
    for (QAction *action : m_menu->actions())
        layout.append(action->isSeparator() ? QStringLiteral("-")
                                            : action->objectName() + QLatin1Char(' ') + action->text());
    QCOMPARE(layout,
             QStringList({"MnuLJ_LJie(0) 我的电脑", "MnuLJ_LJie(1) 计算器", "MnuLJ_LJie(2) 百度一下", "-",
                          "MnuLJ_ZDY(0) 自定义链接", "-", "MnuTJLJ 添加链接", "MnuBJLJ 编辑链接"}));
    QVERIFY(!m_links->MnuLJ_ZDY(0)->isVisible());
    QVERIFY(!m_links->PicSet()); // built when the editor first opens
    m_links->MnuBJLJ()->trigger();
    QVERIFY(m_links->PicSet()->isVisible());
    QCOMPARE(m_links->PicSet()->objectName(), QStringLiteral("PicSet"));
    QCOMPARE(m_links->ListLJ()->objectName(), QStringLiteral("ListLJ"));
    const QStringList captions = {"删除", "添加", "上移", "下移", "编辑名称", "编辑路径", "关  闭"};
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = m_links->PicSet()->findChild<QPushButton *>(QStringLiteral("CmdLianJie(%1)").arg(i));
        QVERIFY(button);
        QCOMPARE(button->text(), captions.at(i));
    }
    // Laid out in twips at 15 per pixel: the list at 960/50, "关  闭" at 5640/1320, 975 x 375.
    QCOMPARE(m_links->ListLJ()->geometry(), QRect(64, 3, 225, 114));
    QCOMPARE(m_links->CmdLianJie(6)->geometry(), QRect(376, 88, 65, 25));
}

void TestLinksController::addLinkFromMenu_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");

    QTest::newRow("typed name is trimmed") << "/opt/tools/abc.exe"
                                           << "  计算  "
                                           << "计算"
                                           << "/opt/tools/abc.exe";
    QTest::newRow("cancelled name box gives the base name") << "/opt/tools/abc.exe"
                                                            << ""
                                                            << "abc"
                                                            << "/opt/tools/abc.exe";
    QTest::newRow("name of blanks gives the base name") << "/home/u/plan.pdf"
                                                        << "    "
                                                        << "plan"
                                                        << "/home/u/plan.pdf";
    QTest::newRow("path with blanks around is stored trimmed") << " /home/u/plan.pdf "
                                                               << "P"
                                                               << "P"
                                                               << "/home/u/plan.pdf";
    QTest::newRow("path is cut at a NUL character") << QStringLiteral("/home/u/a.txt") + QChar(u'\0') + "junk"
                                                    << ""
                                                    << "a"
                                                    << "/home/u/a.txt";
}

void TestLinksController::addLinkFromMenu()
{
    QFETCH(QString, chosen);
    QFETCH(QString, answer);
    QFETCH(QString, name);
    QFETCH(QString, target);

    m_prompts.fileAnswers = {chosen};
    m_prompts.inputAnswers = {answer};
    m_links->MnuTJLJ()->trigger();

    QCOMPARE(m_prompts.calls.size(), 2);
    const RecordingPrompts::Call &box = m_prompts.calls.at(1);
    QCOMPARE(box.kind, RecordingPrompts::Kind::Input);
    QCOMPARE(box.text, QStringLiteral("请输入菜单名称："));
    QCOMPARE(box.title, QStringLiteral("菜单名称"));
    QCOMPARE(box.defaultText, linkBaseName(cutAtNul(chosen)));

    QCOMPARE(userCaptions(), QStringList{name});
    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("1"));
    QCOMPARE(value(QStringLiteral("链接0名称")), name);
    QCOMPARE(value(QStringLiteral("链接0地址")), target);
}

void TestLinksController::addedLinksSurviveARestart()
{
    m_prompts.fileAnswers = {QStringLiteral("")};
    m_links->MnuTJLJ()->trigger();
    QCOMPARE(m_prompts.calls.size(), 1); // the file dialog only: no name box after a cancel
    QVERIFY(userCaptions().isEmpty());
    QVERIFY(!QFile::exists(m_settings->IniPath()));

    m_prompts.fileAnswers = {QStringLiteral("/opt/a/first.exe"), QStringLiteral("/home/u/second.pdf")};
    m_prompts.inputAnswers = {QStringLiteral("一"), QStringLiteral("二")};
    m_links->MnuTJLJ()->trigger();
    m_links->MnuTJLJ()->trigger();
    QCOMPARE(userCaptions(), QStringList({"一", "二"}));
    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("2"));
    QCOMPARE(m_menu->findChild<QAction *>(QStringLiteral("MnuLJ_ZDY(1)"))->text(), QStringLiteral("二"));

    makeController();
    QVERIFY(userCaptions().isEmpty());
    m_links->createUserLinkItems();
    QCOMPARE(userCaptions(), QStringList({"一", "二"}));
    m_links->MnuLJ_ZDY(1)->trigger();
    QCOMPARE(m_shell.calls.last().target, QStringLiteral("/home/u/second.pdf"));
}

void TestLinksController::startUpShowsMissingNameAndWritesItBack()
{
    store(LinkTexts::CountKey, QStringLiteral("3"));
    store(linkNameKey(0), QStringLiteral("甲"));
    store(linkNameKey(2), QStringLiteral("丙"));
    m_links->createUserLinkItems();
    QCOMPARE(userCaptions(), QStringList({"甲", "【无名】", "丙"}));
    QCOMPARE(value(linkNameKey(1)), QStringLiteral("【无名】"));

    // Running the step again (or after an edit) leaves one item per link.
    m_links->createUserLinkItems();
    QCOMPARE(userCaptions().size(), 3);
}

void TestLinksController::startUpFallsBackFromACountBeyond16Bits()
{
    // Counts are 16-bit: a larger one edited by hand is what the file holds, written back.
    store(LinkTexts::CountKey, QStringLiteral("40000"));
    store(linkNameKey(0), QStringLiteral("甲"));
    store(linkTargetKey(1), QStringLiteral("/b"));
    store(linkNameKey(3), QStringLiteral("丁"));
    m_links->createUserLinkItems();
    QCOMPARE(userCaptions(), QStringList({"甲", "【无名】"}));
    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("2"));
    QVERIFY(m_prompts.calls.isEmpty());
}

void TestLinksController::openUserLink_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("command");
    QTest::addColumn<QString>("handedOver");

    QTest::newRow("target ending in exe is started") << "/opt/a/tool.exe" << true << "/opt/a/tool.exe";
    QTest::newRow("target ending in EXE is opened by the desktop")
        << "/opt/a/TOOL.EXE" << false << "/opt/a/TOOL.EXE";
    QTest::newRow("document is opened") << "/home/u/plan.pdf" << false << "/home/u/plan.pdf";
    QTest::newRow("web address is opened")
        << "https://example.org/a?b=c&d" << false << "https://example.org/a?b=c&d";
    QTest::newRow("blanks around the stored target are removed")
        << "  /home/u/plan.pdf  " << false << "/home/u/plan.pdf";
    QTest::newRow("blanks inside a document path stay")
        << "/home/u/my docs/a  b.pdf" << false << "/home/u/my docs/a  b.pdf";
    QTest::newRow("semicolon and substitution reach the desktop verbatim")
        << "/tmp/x; rm -rf ~ $(reboot) `id`.txt" << false << "/tmp/x; rm -rf ~ $(reboot) `id`.txt";
    QTest::newRow("quotes reach the desktop verbatim")
        << "/tmp/\"q\" 'r'.odt" << false << "/tmp/\"q\" 'r'.odt";
    QTest::newRow("odd command line is handed over whole")
        << "/opt/a b/run; $(id) \"x\".exe" << true << "/opt/a b/run; $(id) \"x\".exe";
}

void TestLinksController::openUserLink()
{
    QFETCH(QString, stored);
    QFETCH(bool, command);
    QFETCH(QString, handedOver);

    storeLinks({{QStringLiteral("a"), QStringLiteral("/unused")}, {QStringLiteral("b"), stored}});
    m_links->createUserLinkItems();
    m_links->MnuLJ_ZDY(1)->trigger();

    QCOMPARE(m_shell.calls.size(), 1);
    const RecordingShell::Call &call = m_shell.calls.first();
    QCOMPARE(call.kind, command ? ShellKind::StartCommand : ShellKind::Open);
    QCOMPARE(call.target, handedOver);
    if (!command)
        QCOMPARE(call.workingDirectory, m_dir->path());
    QVERIFY(m_prompts.calls.isEmpty());
}

void TestLinksController::failedOpenShowsTheDialog_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("document the desktop cannot open")
        << "/home/u/gone.pdf"
        << QStringLiteral("  未能成功打开链接。\r\n\r\n可能是由错误的路径引起的，请重新设置路径！");
    QTest::newRow("program that cannot be started raises 53")
        << "/opt/gone.exe"
        << QStringLiteral("  错误：53—文件未找到\r\n\r\n可能是由错误的路径引起的，请重新设置路径！");
}

void TestLinksController::failedOpenShowsTheDialog()
{
    QFETCH(QString, stored);
    QFETCH(QString, text);
    storeLinks({{QStringLiteral("a"), stored}});
    m_links->createUserLinkItems();
    m_shell.answers = {false};
    m_links->MnuLJ_ZDY(0)->trigger();

    QCOMPARE(m_shell.calls.size(), 1);
    QCOMPARE(m_prompts.calls.size(), 1);
    const RecordingPrompts::Call &box = m_prompts.calls.first();
    QCOMPARE(box.kind, RecordingPrompts::Kind::Message);
    QCOMPARE(box.icon, MessageIcon::Critical);
    QCOMPARE(box.title, QStringLiteral("错误！"));
    QCOMPARE(box.buttons, MessageButtons::Ok);
    QCOMPARE(box.text, text);
}

void TestLinksController::missingTargetIsWrittenBackAndReported()
{
    store(LinkTexts::CountKey, QStringLiteral("1"));
    store(linkNameKey(0), QStringLiteral("a"));
    m_links->createUserLinkItems();
    m_shell.answers = {false};
    m_links->MnuLJ_ZDY(0)->trigger();
    QCOMPARE(m_shell.calls.first().target, QStringLiteral("【错误】"));
    QCOMPARE(value(linkTargetKey(0)), QStringLiteral("【错误】"));
    QCOMPARE(m_prompts.messageTexts(), QStringList{LinkTexts::OpenFailed});
}

void TestLinksController::builtInLinks_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("onPath");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("expected"); // "open <target>" / "start <line>" / "" for none
    QTest::addColumn<bool>("error53");

    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows) {
        const QString explorer =
            QStringLiteral("start explorer.exe /n,/e,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
        QTest::newRow("my computer opens This PC in Explorer")
            << 0 << QStringList() << true << explorer << false;
        QTest::newRow("my computer that cannot be opened is reported")
            << 0 << QStringList() << false << explorer << true;
        QTest::newRow("calculator starts the Windows calculator")
            << 1 << QStringList() << true << "start calc.exe" << false;
        QTest::newRow("calculator that fails to start is reported")
            << 1 << QStringList() << false << "start calc.exe" << true;
    } else {
        QTest::newRow("my computer opens the root folder") << 0 << QStringList() << true << "open /" << false;
        QTest::newRow("my computer that cannot be opened is reported")
            << 0 << QStringList() << false << "open /" << true;
        QTest::newRow("calculator: the first one on the PATH wins")
            << 1 << QStringList({"xcalc", "galculator"}) << true << "start galculator" << false;
        QTest::newRow("calculator: gnome-calculator comes first")
            << 1 << QStringList({"kcalc", "gnome-calculator"}) << true << "start gnome-calculator" << false;
        QTest::newRow("calculator: none on the PATH is reported") << 1 << QStringList() << true << "" << true;
        QTest::newRow("calculator that fails to start is reported")
            << 1 << QStringList({"xcalc"}) << false << "start xcalc" << true;
    }
    QTest::newRow("web search opens the portal")
        << 2 << QStringList() << true << "open https://www.baidu.com/" << false;
}

void TestLinksController::builtInLinks()
{
    QFETCH(int, item);
    QFETCH(QStringList, onPath);
    QFETCH(bool, answer);
    QFETCH(QString, expected);
    QFETCH(bool, error53);

    QTemporaryDir bin;
    for (const QString &program : onPath) {
        QFile file(bin.filePath(program));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", bin.path().toLocal8Bit());
    m_shell.answers = {answer};
    m_links->MnuLJ_LJie(item)->trigger();

    QStringList calls;
    for (const RecordingShell::Call &call : m_shell.calls)
        calls.append((call.kind == ShellKind::Open ? QStringLiteral("open ") : QStringLiteral("start ")) +
                     call.target);
    QCOMPARE(calls, expected.isEmpty() ? QStringList() : QStringList{expected});
    QCOMPARE(m_prompts.messageTexts(),
             error53 ? QStringList{QStringLiteral(
                           "  错误：53—文件未找到\r\n\r\n可能是由错误的路径引起的，请重新设置路径！")}
                     : QStringList());
}

void TestLinksController::editorEditsAWorkingCopyUntilClosed()
{
    storeLinks({{QStringLiteral("甲"), QStringLiteral("/a")},
                {QStringLiteral("乙"), QStringLiteral("/b")},
                {QStringLiteral("丙"), QStringLiteral("/c")}});
    m_links->createUserLinkItems();
    const QByteArray before = fileBytes();
    QSignalSpy shown(m_links, &LinksController::editorShown);
    QSignalSpy hidden(m_links, &LinksController::editorHidden);

    m_links->MnuBJLJ()->trigger();
    QCOMPARE(shown.size(), 1);
    QVERIFY(m_links->isEditing());
    QVERIFY(m_links->PicSet()->isVisible());
    QVERIFY(!m_menu->menuAction()->isEnabled());
    QCOMPARE(rows(), QStringList({"甲" + Blanks30 + "/a", "乙" + Blanks30 + "/b", "丙" + Blanks30 + "/c"}));
    QCOMPARE(m_links->ListLJ()->currentRow(), -1);
    QCOMPARE(enabledButtons(), QStringLiteral("0100001"));

    selectRow(1);
    QCOMPARE(enabledButtons(), QStringLiteral("1111111"));
    click(LinkEditorModel::MoveUp);
    QCOMPARE(rows().first(), "乙" + Blanks30 + "/b");
    QCOMPARE(m_links->ListLJ()->currentRow(), -1); // a moved row loses the selection
    QCOMPARE(enabledButtons(), QStringLiteral("0100001"));

    selectRow(0);
    QCOMPARE(enabledButtons(), QStringLiteral("1101111"));
    m_prompts.inputAnswers = {QStringLiteral("  新名  ")};
    click(LinkEditorModel::EditName);
    QCOMPARE(m_prompts.calls.last().defaultText, QStringLiteral("乙"));
    QCOMPARE(rows().first(), "新名" + Blanks30 + "/b");

    selectRow(2);
    QCOMPARE(enabledButtons(), QStringLiteral("1110111"));
    m_prompts.inputAnswers = {QStringLiteral("/x y/$(z);.pdf")};
    click(LinkEditorModel::EditTarget);
    const RecordingPrompts::Call &box = m_prompts.calls.last();
    QCOMPARE(box.text, QStringLiteral("请输入菜单名称："));
    QCOMPARE(box.title, QStringLiteral("菜单名称"));
    QCOMPARE(box.defaultText, QStringLiteral("/c"));
    QCOMPARE(rows().last(), "丙" + Blanks30 + "/x y/$(z);.pdf");

    selectRow(1);
    click(LinkEditorModel::Delete);
    QCOMPARE(rows().size(), 2);

    m_prompts.fileAnswers = {QStringLiteral("/home/u/new.odt")};
    m_prompts.inputAnswers = {QString()};
    click(LinkEditorModel::Add);
    QCOMPARE(rows().last(), "new" + Blanks30 + "/home/u/new.odt");

    // Everything so far is only in the editor: a crash now loses no stored link.
    QCOMPARE(fileBytes(), before);
    QCOMPARE(userCaptions(), QStringList({"甲", "乙", "丙"}));

    click(LinkEditorModel::Close);
    QCOMPARE(hidden.size(), 1);
    QVERIFY(!m_links->isEditing());
    QVERIFY(m_menu->menuAction()->isEnabled());
    QCOMPARE(userCaptions(), QStringList({"新名", "丙", "new"}));
    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("3"));
    QCOMPARE(value(linkTargetKey(1)), QStringLiteral("/x y/$(z);.pdf"));
    QCOMPARE(value(linkTargetKey(2)), QStringLiteral("/home/u/new.odt"));

    m_links->MnuLJ_ZDY(1)->trigger();
    QCOMPARE(m_shell.calls.last().target, QStringLiteral("/x y/$(z);.pdf"));
}

void TestLinksController::editorCancelledAddLeavesButtonsAsTheyAre()
{
    storeLinks({{QStringLiteral("甲"), QStringLiteral("/a")}, {QStringLiteral("乙"), QStringLiteral("/b")}});
    m_links->MnuBJLJ()->trigger();
    selectRow(1);
    click(LinkEditorModel::Add); // file dialog cancelled
    QCOMPARE(rows().size(), 2);
    QCOMPARE(enabledButtons(), QStringLiteral("1110111"));

    // An added row goes last; the selected row keeps its place and can now move down.
    m_prompts.fileAnswers = {QStringLiteral("/c.txt")};
    m_prompts.inputAnswers = {QStringLiteral("   ")};
    click(LinkEditorModel::Add);
    QCOMPARE(rows().last(), "c" + Blanks30 + "/c.txt");
    QCOMPARE(m_links->ListLJ()->currentRow(), 1);
    QCOMPARE(enabledButtons(), QStringLiteral("1111111"));

    // A name answered empty leaves the row and its selection.
    m_prompts.inputAnswers = {QString()};
    click(LinkEditorModel::EditName);
    QCOMPARE(rows().at(1), "乙" + Blanks30 + "/b");
    QCOMPARE(m_links->ListLJ()->currentRow(), 1);
}

void TestLinksController::closingAnEmptyEditorHidesTheUserItem()
{
    storeLinks({{QStringLiteral("甲"), QStringLiteral("/a")}, {QStringLiteral("乙"), QStringLiteral("/b")}});
    m_links->createUserLinkItems();
    m_links->MnuBJLJ()->trigger();
    for (int i = 0; i < 2; ++i) {
        selectRow(0);
        click(LinkEditorModel::Delete);
    }
    QVERIFY(rows().isEmpty());
    click(LinkEditorModel::Close);

    QVERIFY(userCaptions().isEmpty());
    QCOMPARE(m_links->userLinkCount(), 0);
    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("0"));
    QCOMPARE(value(linkNameKey(1)), QStringLiteral("乙"));

    // The next link added from the menu takes the place of the first one.
    m_prompts.fileAnswers = {QStringLiteral("/d.txt")};
    m_links->MnuTJLJ()->trigger();
    QCOMPARE(userCaptions(), QStringList{"d"});
    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("1"));
    QCOMPARE(value(linkTargetKey(0)), QStringLiteral("/d.txt"));
}

void TestLinksController::closingWithFewerRowsKeepsLeftOverKeys()
{
    QList<LinkRecord> ten;
    for (int i = 0; i < 10; ++i)
        ten.append({QStringLiteral("n%1").arg(i), QStringLiteral("/t%1").arg(i)});
    storeLinks(ten);
    m_links->createUserLinkItems();
    QCOMPARE(userCaptions().size(), 10);

    m_links->MnuBJLJ()->trigger();
    for (int i = 0; i < 5; ++i) {
        selectRow(5);
        click(LinkEditorModel::Delete);
    }
    click(LinkEditorModel::Close);

    QCOMPARE(userCaptions(), QStringList({"n0", "n1", "n2", "n3", "n4"}));
    QVERIFY(!m_menu->findChild<QAction *>(QStringLiteral("MnuLJ_ZDY(5)")));
    QCOMPARE(value(LinkTexts::CountKey), QStringLiteral("5"));
    for (int i = 5; i < 10; ++i)
        QCOMPARE(value(linkNameKey(i)), QStringLiteral("n%1").arg(i));
}

void TestLinksController::failedWriteOnCloseIsNotedOnce()
{
    storeLinks({{QStringLiteral("甲"), QStringLiteral("/a")}, {QStringLiteral("乙"), QStringLiteral("/b")}});
    m_links->MnuBJLJ()->trigger();
    QVERIFY(m_dir->remove()); // the program's folder disappears while the editor is open
    click(LinkEditorModel::Close);

    // The program goes on with the links it holds; the status bar hears of it once.
    QVERIFY(m_prompts.messageTexts().isEmpty());
    QCOMPARE(m_notices, QStringList{QStringLiteral("设置未能保存：路径未找到")});
    QVERIFY(!m_links->isEditing());
    QCOMPARE(userCaptions(), QStringList({"甲", "乙"}));
    QVERIFY(!QFile::exists(m_settings->IniPath()));
}

void TestLinksController::settingsFolderInPlaceOfTheFileIsNoted()
{
    // A settings path that is a folder cannot take the written-back count.
    QVERIFY(QDir(m_dir->path()).mkdir(RWini::fileName()));
    m_links->MnuBJLJ()->trigger();
    QVERIFY(m_links->isEditing());
    QVERIFY(m_prompts.messageTexts().isEmpty());
    QCOMPARE(m_notices, QStringList{QStringLiteral("设置未能保存：是一个文件夹")});
}

QTEST_MAIN(TestLinksController)
#include "test_linkscontroller.moc"
