#include "platform/qtprompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
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
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("note with OK")
            << MessageIcon::Information << MessageButtons::Ok << int(QMessageBox::Information)
            << int(QMessageBox::Ok) << int(QMessageBox::Ok) << MessageAnswer::Ok;
        QTest::newRow("error with OK")
            << MessageIcon::Critical << MessageButtons::Ok << int(QMessageBox::Critical)
            << int(QMessageBox::Ok) << int(QMessageBox::Ok) << MessageAnswer::Ok;
        QTest::newRow("warning answered Yes")
            << MessageIcon::Exclamation << MessageButtons::YesNo << int(QMessageBox::Warning) << yesNo
            << int(QMessageBox::Yes) << MessageAnswer::Yes;
        QTest::newRow("error answered No")
            << MessageIcon::Critical << MessageButtons::YesNo << int(QMessageBox::Critical) << yesNo
            << int(QMessageBox::No) << MessageAnswer::No;
    }

    void messageBoxShowsAndAnswers()
    {
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(int, boxIcon);
        QFETCH(int, boxButtons);
        QFETCH(int, click);
        QFETCH(MessageAnswer, answer);
        const QString title = QStringLiteral("错误！");
        const QString text = QStringLiteral("第一行\r\n第二行");

        QString seenTitle;
        QString seenText;
        int seenIcon = -1;
        int seenButtons = -1;
        bool modal = false;
        DialogDriver driver([&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = int(box->icon());
            seenButtons = int(box->standardButtons());
            modal = box->windowModality() == Qt::ApplicationModal;
            box->button(QMessageBox::StandardButton(click))->click();
        });
        QtPrompts prompts;
        const MessageAnswer got = prompts.message(icon, title, text, buttons);
        QVERIFY(driver.found);
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenText, text);
        QCOMPARE(seenIcon, boxIcon);
        QCOMPARE(seenButtons, boxButtons);
        QVERIFY(modal);
        QCOMPARE(got, answer);
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
        DialogDriver driver([&](QWidget *dialog) {
            auto *box = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(box);
            seenTitle = box->windowTitle();
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
            prompts.input(QStringLiteral("请输入名称"), QStringLiteral("添加链接"), defaultText);
        QVERIFY(driver.found);
        QCOMPARE(seenTitle, QStringLiteral("添加链接"));
        QCOMPARE(seenLabel, QStringLiteral("请输入名称"));
        QCOMPARE(seenDefault, defaultText);
        QCOMPARE(got, expected);
    }
};

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
