#include "ui/frmmain.h"

FrmMain::FrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Vardeko"));
    resize(555, 181);
}
