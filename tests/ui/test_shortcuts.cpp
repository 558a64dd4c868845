// Every window in every state: no key may reach two visible controls. Qt treats a tool
// window's shortcuts together with its parent's, and a key held by two controls activates
// neither (Alt+C pressed in the list window only moved the focus between two buttons).

#include "test_frmmain_harness.h"

#include "catalogue/calculationtype.h"
#include "ui/materiallistwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

struct Holder
{
    QKeySequence key;
    QString owner;
};

QString nameOf(const QObject *object, const QString &text)
{
    return (object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                           : object->objectName()) +
           QStringLiteral(" \"") + text + QLatin1Char('"');
}

void addMnemonic(QList<Holder> &keys, const QObject *owner, const QString &text)
{
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (!key.isEmpty())
        keys.append({key, nameOf(owner, text)});
}

bool shownIn(const QWidget *widget, const QWidget *window)
{
    return widget->window() == window && widget->isVisible();
}

// The keys that reach something in `window` while it is active: mnemonics of visible buttons,
// labels and group boxes, the menu titles, the shortcuts of actions in its menus and
// widgets, and its window-wide shortcuts.
QList<Holder> keysOf(QWidget *window)
{
    QList<Holder> keys;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!shownIn(widget, window) || !widget->isEnabled())
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            // A button's mnemonic is its shortcut, unless it was given another one.
            addMnemonic(keys, button, button->text());
            if (!button->shortcut().isEmpty() && button->shortcut() != QKeySequence::mnemonic(button->text()))
                keys.append({button->shortcut(), nameOf(button, button->text())});
        } else if (auto *label = qobject_cast<QLabel *>(widget); label && label->buddy()) {
            addMnemonic(keys, label, label->text());
        } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
            addMnemonic(keys, group, group->title());
        } else if (auto *bar = qobject_cast<QMenuBar *>(widget)) {
            for (QAction *title : bar->actions())
                if (title->isVisible())
                    addMnemonic(keys, title, title->text());
        }
    }
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->shortcut().isEmpty() || !action->isVisible() ||
            action->shortcutContext() == Qt::WidgetShortcut)
            continue;
        for (QObject *place : action->associatedObjects()) {
            auto *widget = qobject_cast<QWidget *>(place);
            if (widget && (qobject_cast<QMenu *>(widget) || shownIn(widget, window))) {
                keys.append({action->shortcut(), nameOf(action, action->text())});
                break;
            }
        }
    }
    for (QShortcut *shortcut : window->findChildren<QShortcut *>())
        if (shortcut->isEnabled() && shortcut->context() != Qt::WidgetShortcut &&
            shownIn(qobject_cast<QWidget *>(shortcut->parent()), window))
            keys.append({shortcut->key(), nameOf(shortcut, shortcut->key().toString())});
    return keys;
}

// The keys of a window and of its visible tool windows, which Qt treats together.
QList<Holder> keysTogether(QWidget *window)
{
    QList<Holder> keys = keysOf(window);
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != window && top->isVisible() && top->windowType() == Qt::Tool && top->parentWidget() &&
            top->parentWidget()->window() == window)
            keys += keysOf(top);
    return keys;
}

QString duplicates(const QList<Holder> &keys)
{
    QStringList found;
    for (qsizetype i = 0; i < keys.size(); ++i)
        for (qsizetype j = i + 1; j < keys.size(); ++j)
            if (keys.at(i).key == keys.at(j).key)
                found.append(keys.at(i).key.toString() + QStringLiteral(": ") + keys.at(i).owner +
                             QStringLiteral(" / ") + keys.at(j).owner);
    return found.join(QStringLiteral("; "));
}

// Mnemonics inside each menu: a letter twice only moves between the items.
QString menuDuplicates(QWidget *window)
{
    QStringList found;
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        QList<Holder> keys;
        for (QAction *item : menu->actions())
            if (item->isVisible())
                addMnemonic(keys, item, item->text());
        const QString inMenu = duplicates(keys);
        if (!inMenu.isEmpty())
            found.append(menu->title() + QStringLiteral(": ") + inMenu);
    }
    return found.join(QStringLiteral("; "));
}

} // namespace

class TestShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void noKeyReachesTwoControls_data();
    void noKeyReachesTwoControls();
};

void TestShortcuts::noKeyReachesTwoControls_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("linkEditor");
    for (int type = 0; type < CalculationTypeCount; ++type)
        QTest::addRow("type %d with the list and gauge windows open", type) << type << false;
    QTest::newRow("link editor") << 0 << true;
}

void TestShortcuts::noKeyReachesTwoControls()
{
    QFETCH(int, type);
    QFETCH(bool, linkEditor);
    Harness h;
    h.startShown();
    // A row in the list, so that its window's buttons are enabled (a disabled button's key
    // reaches nothing).
    h.window->MnuJS_Click(7);
    h.button(QStringLiteral("CmdAddToList"))->click();
    h.action(QStringLiteral("MnuMaterialList"))->trigger();
    h.action(QStringLiteral("MnuQT(0)"))->trigger();
    h.window->activateWindow();
    h.window->MnuJS_Click(type);
    if (linkEditor)
        h.action(QStringLiteral("MnuBJLJ"))->trigger();
    QVERIFY(h.window->findChild<MaterialListWindow *>()->isVisible());

    const QString inMain = duplicates(keysTogether(h.window.get()));
    QVERIFY2(inMain.isEmpty(), qPrintable(inMain));
    const QString inMenus = menuDuplicates(h.window.get());
    QVERIFY2(inMenus.isEmpty(), qPrintable(inMenus));
    // The gauge window is a window of its own.
    int gaugeWindows = 0;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top == h.window.get() || !top->isVisible() || top->windowType() != Qt::Window)
            continue;
        ++gaugeWindows;
        const QString inTop = duplicates(keysTogether(top));
        QVERIFY2(inTop.isEmpty(), qPrintable(top->objectName() + QStringLiteral(": ") + inTop));
    }
    QCOMPARE(gaugeWindows, 1);
}

QTEST_MAIN(TestShortcuts)
#include "test_shortcuts.moc"
