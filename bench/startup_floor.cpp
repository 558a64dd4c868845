// The floor for the start-up benchmark: a plain Qt Widgets window with the same furniture
// as the main window (menus, a 13-button toolbar with drawn images, a 5-panel status bar,
// combo boxes, buttons) and nothing behind it: no settings file, no tables, no channel.

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace {
QIcon drawnIcon(int index)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromHsv((index * 27) % 360, 160, 200));
    painter.drawRoundedRect(2, 2, 20, 20, 4, 4);
    painter.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, QString::number(index));
    return QIcon(pixmap);
}

void addMenu(QMenuBar *bar, const QString &title, int items)
{
    QMenu *menu = bar->addMenu(title);
    for (int i = 0; i < items; ++i) {
        QAction *action = menu->addAction(QStringLiteral("项目 %1").arg(i));
        action->setCheckable(true);
        if (i % 4 == 3)
            menu->addSeparator();
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("StartupFloor"));

    QMenuBar *bar = window.menuBar();
    addMenu(bar, QStringLiteral("计算类型(&F)"), 14);
    addMenu(bar, QStringLiteral("设置(&O)"), 17);
    addMenu(bar, QStringLiteral("链接(&L)"), 6);
    addMenu(bar, QStringLiteral("其它"), 3);
    bar->addAction(QStringLiteral("关于"));

    QToolBar *toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    for (int i = 0; i < 13; ++i)
        toolbar->addAction(drawnIcon(i), QStringLiteral("类型 %1").arg(i));

    for (int i = 0; i < 5; ++i)
        window.statusBar()->addWidget(new QLabel(QStringLiteral("面板 %1").arg(i)), i == 0 ? 1 : 0);

    auto *central = new QWidget;
    auto *grid = new QGridLayout(central);
    auto *types = new QComboBox;
    for (int i = 0; i < 13; ++i)
        types->addItem(QStringLiteral("类型 %1").arg(i));
    grid->addWidget(types, 0, 0);
    grid->addWidget(new QComboBox, 0, 1);
    for (int k = 0; k < 4; ++k) {
        grid->addWidget(new QLabel(QStringLiteral("规格:")), 1 + k, 0);
        auto *input = new QComboBox;
        input->setEditable(k > 0);
        input->addItems({QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("100")});
        grid->addWidget(input, 1 + k, 1);
    }
    auto *expression = new QComboBox;
    expression->setEditable(true);
    grid->addWidget(expression, 5, 0, 1, 2);
    grid->addWidget(new QPushButton(QStringLiteral("确定")), 6, 0);
    grid->addWidget(new QPushButton(QStringLiteral("复制(自动)")), 6, 1);
    window.setCentralWidget(central);

    window.show();
    return app.exec();
}
