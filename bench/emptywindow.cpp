// The yardstick for the program's start-up: a bare main window that ends at
// its first paint and leaves at once, exactly as the program does under
// QUILLMERE_EXIT_AFTER_FIRST_PAINT. With --text it shows two short lines of
// Japanese, one of them bold: the least a window with words in it pays
// (the font set-up and the two font faces), for comparison.
#include <QApplication>
#include <QLabel>
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
    if (app.arguments().contains(QStringLiteral("--text")))
        w.setCentralWidget(new QLabel(QStringLiteral("<b>予定とメモ</b><br>今日の予定")));
    w.show();
    return app.exec();
}
