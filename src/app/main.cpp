#include "platform/qtprompts.h"
#include "platform/qtshell.h"
#include "platform/qttranslation.h"
#include "platform/singleinstance.h"
#include "ui/frmmain.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// QApplication aborts with a long diagnostic when there is no display; say it in one line.
bool displayAvailable()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("vardeko: no graphical display (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardeko"));
    installQtChineseTranslation();

    // A second start brings the running window back and ends before the settings file is
    // touched. When no first instance answers, this start runs as the first one.
    SingleInstance instance;
    if (instance.claim(QStringLiteral("Normal")) == SingleInstance::Role::HandedOver)
        return EXIT_SUCCESS;

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
