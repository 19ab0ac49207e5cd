#pragma once

#include <QMainWindow>

class TfrmQuillmereMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmQuillmereMainWindow(QWidget *parent = nullptr);
};
