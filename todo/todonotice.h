#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

class TToDo;
class TToDoTimer;
class TClock;

// What the notification window shows for an item.
struct TToDoNotice
{
    enum Style
    {
        nsAlarm,
        nsAlert
    };
    Style style = nsAlarm;
    QString caption;
    QString title;
    QString text; // the item's text, the only line of the window
};

// The advance notice's heading, e.g. "明日は下記の備忘録の期限です。"; empty for
// an item without a notice (nothing is shown then).
QString ToDoAlertTitle(int kind, int amount, double alarmDate, const QDate &today);

// The owner's answer to the timer's two events: the stamps, the notice texts,
// showing, and saving todo.dat so that the stamps persist.
class TToDoNotifier
{
public:
    // Shows the notification; it is not called for an item with a blank text
    // or before start-up has finished.
    std::function<void(const TToDoNotice &)> Show;
    // Writes todo.dat.
    std::function<void()> Save;
    bool StartupFinished = true;

    void HandleAlarm(TToDo &item, const QDateTime &now);
    void HandleAlert(TToDo &item, double alarmDate, const QDateTime &now);

    // Routes the timer's events here, with the moment from `clock`.
    void Attach(TToDoTimer &timer, const TClock &clock);

private:
    void show(const TToDo &item, TToDoNotice notice);
};
