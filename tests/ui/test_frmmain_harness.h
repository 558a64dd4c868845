#pragma once

#include "platform/recordingprompts.h"
#include "platform/recordingshell.h"
#include "settings/rwini.h"
#include "ui/frmmain.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The width of a window once it has carried out its pending layout requests.
inline int settledWidth(const QWidget &window)
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    return window.width();
}

// One main window on fakes and a temporary program directory, as the tests drive it.
class Harness
{
public:
    Harness() { QVERIFY(m_dir.isValid()); }

    QString iniPath() const { return m_dir.filePath(RWini::fileName()); }

    void writeIni(const QString &content)
    {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content.toUtf8());
    }

    QString iniText() const
    {
        QFile file(iniPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll());
    }

    // The non-empty lines of the settings file.
    QStringList iniLines() const
    {
        QStringList lines;
        for (const QString &line : iniText().split(QLatin1Char('\n'))) {
            const QString trimmed = line.trimmed();
            if (!trimmed.isEmpty())
                lines << trimmed;
        }
        return lines;
    }

    void create()
    {
        window = std::make_unique<FrmMain>(prompts, shell, m_dir.path(), [this] { ++endCalls; });
    }
    void load() { loaded = window->Form_Load(); }

    FrmMain &start()
    {
        create();
        load();
        return *window;
    }

    // A new run of the program on the same program directory.
    FrmMain &restart()
    {
        window.reset();
        prompts.clear();
        endCalls = 0;
        return start();
    }

    // Starts and shows the window, ready for typing.
    FrmMain &startShown()
    {
        start();
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("window did not become active");
        return *window;
    }

    template <typename T> T *find(const QString &name) const
    {
        T *object = window->findChild<T *>(name);
        if (!object)
            qWarning("no child named %s", qPrintable(name));
        return object;
    }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    QComboBox *expressionBox() const { return find<QComboBox>(QStringLiteral("CombKJSR")); }
    QLineEdit *resultBox() const { return find<QLineEdit>(QStringLiteral("TxtJieGuo")); }
    QPushButton *button(const QString &name) const { return find<QPushButton>(name); }

    QStringList history() const
    {
        QStringList entries;
        for (int i = 0; i < expressionBox()->count(); ++i)
            entries << expressionBox()->itemText(i);
        return entries;
    }

    // Types into the expression box as a user does and presses Enter.
    void enter(const QString &text)
    {
        QLineEdit *edit = expressionBox()->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    RecordingPrompts prompts;
    RecordingShell shell;
    int endCalls = 0;
    bool loaded = false;
    std::unique_ptr<FrmMain> window;

private:
    QTemporaryDir m_dir;
};
