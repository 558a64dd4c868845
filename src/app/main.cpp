#include "platform/desktop.h"
#include "platform/qtprompts.h"
#include "platform/qtshell.h"
#include "platform/qttranslation.h"
#include "platform/singleinstance.h"
#include "ui/frmmain.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    if (!Desktop::displayAvailable())
        return EXIT_FAILURE;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardeko"));
    installQtChineseTranslation();

    // A second start brings the running window back and ends before the settings file is
    // touched. When no first instance answers, this start runs as the first one.
    SingleInstance instance;
    if (instance.claim(QStringLiteral("Normal")) == SingleInstance::Role::HandedOver)
        return EXIT_SUCCESS;

    Desktop::applyLook();
    QtPrompts prompts;
    QtShell shell;
    bool ended = false;
    FrmMain window(prompts, shell, QCoreApplication::applicationDirPath(), [&ended] {
        ended = true;
        QCoreApplication::exit(EXIT_SUCCESS);
    });
    prompts.setParent(&window);
    QObject::connect(&instance, &SingleInstance::commandReceived, &window, &FrmMain::Form_LinkExecute);

    if (!window.Form_Load() || ended)
        return EXIT_SUCCESS;
    window.show();
    return QApplication::exec();
}
