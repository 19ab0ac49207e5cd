#include "ui/mainwindow.h"

TfrmQuillmereMainWindow::TfrmQuillmereMainWindow(QWidget *parent) : QMainWindow(parent) {}
