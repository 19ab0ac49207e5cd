#pragma once

#include <QWidget>

// The first-start splash: borderless, 318 x 196, centred; it releases itself at
// the first tick of its one-second timer, which comes only once the event loop
// runs, i.e. after the main window has loaded.
class TfrmSprash : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmSprash(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Reads ShowSprash and writes 0 at once; shows the splash when it was on.
// Returns the splash (it deletes itself) or nullptr.
TfrmSprash *ShowSplashOnFirstStart();
