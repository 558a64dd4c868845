#pragma once

#include <QMainWindow>

// The main window of the calculator.
class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmMain(QWidget *parent = nullptr);
};
