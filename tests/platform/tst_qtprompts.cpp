#include "platform/qtprompts.h"
#include "platform/qttranslation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageAnswer)

// Runs `act` on the first modal dialog that opens; a dialog that never opens, or one the
// action leaves open, is closed after a few seconds so that no test can hang on it.
class DialogDriver : public QObject
{
public:
    explicit DialogDriver(std::function<void(QWidget *)> act) : m_act(std::move(act))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            m_poll.stop();
            found = true;
            m_act(dialog);
        });
        m_poll.start(20);
        QTimer::singleShot(5000, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                dialog->close();
        });
    }

    bool found = false;

private:
    std::function<void(QWidget *)> m_act;
    QTimer m_poll;
};

class TestQtPrompts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messageBoxShowsAndAnswers_data()
    {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<int>("boxIcon");
        QTest::addColumn<int>("boxButtons");
        QTest::addColumn<int>("click");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<int>("defaultButton"); // what Enter presses
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("note with OK")
            << MessageIcon::Information << MessageButtons::Ok << int(QMessageBox::Information)
            << int(QMessageBox::Ok) << int(QMessageBox::Ok) << MessageAnswer::Ok << int(QMessageBox::Ok);
        QTest::newRow("error with OK")
            << MessageIcon::Critical << MessageButtons::Ok << int(QMessageBox::Critical)
            << int(QMessageBox::Ok) << int(QMessageBox::Ok) << MessageAnswer::Ok << int(QMessageBox::Ok);
        QTest::newRow("warning answered Yes")
            << MessageIcon::Exclamation << MessageButtons::YesNo << int(QMessageBox::Warning) << yesNo
            << int(QMessageBox::Yes) << MessageAnswer::Yes << int(QMessageBox::Yes);
        QTest::newRow("error answered No")
            << MessageIcon::Critical << MessageButtons::YesNo << int(QMessageBox::Critical) << yesNo
            << int(QMessageBox::No) << MessageAnswer::No << int(QMessageBox::Yes);
        QTest::newRow("a question that cannot be undone defaults to No")
            << MessageIcon::Exclamation << MessageButtons::YesNoDefaultNo << int(QMessageBox::Warning)
            << yesNo << int(QMessageBox::Yes) << MessageAnswer::Yes << int(QMessageBox::No);
    }

    void messageBoxShowsAndAnswers()
    {
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(int, boxIcon);
        QFETCH(int, boxButtons);
        QFETCH(int, click);
        QFETCH(MessageAnswer, answer);
        QFETCH(int, defaultButton);
        const QString title = QStringLiteral("错误！");
        const QString text = QStringLiteral("第一行 <b>1</b>*\r\n第二行");

        QString seenTitle;
        QString seenText;
        int seenIcon = -1;
        int seenButtons = -1;
        int seenDefault = -1;
        bool modal = false;
        bool plain = false;
        DialogDriver driver([&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = int(box->icon());
            seenButtons = int(box->standardButtons());
            if (box->defaultButton())
                seenDefault = int(box->standardButton(box->defaultButton()));
            modal = box->windowModality() == Qt::ApplicationModal;
            plain = box->textFormat() == Qt::PlainText; // typed text is never read as markup
            box->button(QMessageBox::StandardButton(click))->click();
        });
        QtPrompts prompts;
        const MessageAnswer got = prompts.message(icon, title, text, buttons);
        QVERIFY(driver.found);
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenText, text);
        QCOMPARE(seenIcon, boxIcon);
        QCOMPARE(seenButtons, boxButtons);
        // A box with one button has no default of its own; Enter presses that one.
        if (buttons != MessageButtons::Ok)
            QCOMPARE(seenDefault, defaultButton);
        QVERIFY(modal);
        QVERIFY(plain);
        QCOMPARE(got, answer);
    }

    // Qt's own texts come in Chinese, as the program installs them at start-up.
    void standardButtonsAreChinese()
    {
        QVERIFY(installQtChineseTranslation());
        QStringList seen;
        DialogDriver driver([&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY(box);
            seen << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        QtPrompts prompts;
        prompts.message(MessageIcon::Exclamation, QStringLiteral("清空"), QStringLiteral("清空清单？"),
                        MessageButtons::YesNo);
        QCOMPARE(seen, QStringList({QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")}));
        QCOMPARE(QMessageBox(QMessageBox::Information, {}, {}, QMessageBox::Ok | QMessageBox::Cancel)
                     .button(QMessageBox::Ok)
                     ->text(),
                 QStringLiteral("确定"));
    }

    void inputBoxReturnsTypedTextOrEmptyOnCancel_data()
    {
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typed text is returned")
            << QString() << QStringLiteral("我的链接") << true << QStringLiteral("我的链接");
        QTest::newRow("default kept when nothing is typed")
            << QStringLiteral("默认") << QString() << true << QStringLiteral("默认");
        QTest::newRow("blanks are kept as typed")
            << QString() << QStringLiteral("  a  b ") << true << QStringLiteral("  a  b ");
        QTest::newRow("markup is shown and returned as typed")
            << QStringLiteral("<b>1</b>*") << QString() << true << QStringLiteral("<b>1</b>*");
        QTest::newRow("a long paste is not cut")
            << QString() << QStringLiteral("1+").repeated(30000) + QStringLiteral("1") << true
            << QStringLiteral("1+").repeated(30000) + QStringLiteral("1");
        QTest::newRow("cancel gives the empty text")
            << QStringLiteral("默认") << QStringLiteral("typed") << false << QString();
    }

    void inputBoxReturnsTypedTextOrEmptyOnCancel()
    {
        QFETCH(QString, defaultText);
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        QString seenTitle;
        QString seenLabel;
        QString seenDefault;
        bool plainLabel = false;
        DialogDriver driver([&](QWidget *dialog) {
            auto *box = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(box);
            seenTitle = box->windowTitle();
            plainLabel = box->findChild<QLabel *>()->textFormat() == Qt::PlainText;
            seenLabel = box->labelText();
            seenDefault = box->textValue();
            auto *edit = box->findChild<QLineEdit *>();
            QVERIFY(edit);
            if (!typed.isEmpty()) {
                edit->selectAll();
                edit->insert(typed); // as typed: the dialog follows the edit's changes
            }
            if (accept)
                box->accept();
            else
                box->reject();
        });
        QtPrompts prompts;
        const QString got =
            prompts.input(QStringLiteral("请输入<i>名称</i>"), QStringLiteral("添加链接"), defaultText);
        QVERIFY(driver.found);
        QCOMPARE(seenTitle, QStringLiteral("添加链接"));
        QCOMPARE(seenLabel, QStringLiteral("请输入<i>名称</i>"));
        QVERIFY(plainLabel);
        QCOMPARE(seenDefault, defaultText);
        QCOMPARE(got, expected);
    }

    void fileDialogListsEveryFile()
    {
        // "*.*" would hide every file without an extension, which on Linux is most programs.
        QString title;
        QStringList filters;
        DialogDriver driver([&](QWidget *dialog) {
            auto *box = qobject_cast<QFileDialog *>(dialog);
            QVERIFY(box);
            title = box->windowTitle();
            filters = box->nameFilters();
            box->reject();
        });
        QtPrompts prompts;
        QCOMPARE(prompts.chooseFile(), QString());
        QVERIFY(driver.found);
        QCOMPARE(title, QStringLiteral("选择文件"));
        QCOMPARE(filters, QStringList{QStringLiteral("所有文件(*)")});
    }

    void saveDialogAddsTheSuffixBeforeAskingToReplace()
    {
        // "foo" typed where "foo.csv" exists: the dialog makes it "foo.csv" and asks first.
        QTemporaryDir folder;
        QFile existing(folder.filePath(QStringLiteral("foo.csv")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        // Qt's own dialog on every platform: Windows' native one has no name box to type into.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        bool asked = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
                // Typed as a user types it; the line edit is what the dialog reads on accept.
                auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                QVERIFY(name);
                name->selectAll();
                QTest::keyClicks(name, QStringLiteral("foo"));
                QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
            } else if (auto *question = qobject_cast<QMessageBox *>(dialog)) {
                asked = true;
                question->button(QMessageBox::Yes)->click();
            }
        });
        poll.start(20);
        QTimer::singleShot(5000, this, [] {
            while (QWidget *dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        QtPrompts prompts;
        const QString chosen =
            prompts.chooseSaveFile(QStringLiteral("导出CSV"), folder.filePath(QStringLiteral("材料清单.csv")),
                                   QStringLiteral("CSV 文件 (*.csv);;所有文件(*)"));
        QVERIFY(asked);
        QCOMPARE(chosen, folder.filePath(QStringLiteral("foo.csv")));
    }
};

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
