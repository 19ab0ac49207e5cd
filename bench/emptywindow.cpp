// The yardstick for the program's start-up: a bare main window that ends at
// its first paint and leaves at once, exactly as the program does under
// QUILLMERE_EXIT_AFTER_FIRST_PAINT.
#include <QApplication>
#include <QMainWindow>
#include <QPaintEvent>
#include <QTimer>

#include "ui/firstpaint.h"

namespace {
class TEmptyWindow : public QMainWindow
{
protected:
    void paintEvent(QPaintEvent *event) override
    {
        QMainWindow::paintEvent(event);
        QTimer::singleShot(0, qApp, [] { ReportFirstPaintAndExit(); });
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TEmptyWindow w;
    w.resize(628, 443);
    w.show();
    return app.exec();
}
