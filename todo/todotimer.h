#pragma once

#include "todo/todolist.h"

#include <QObject>

class QTimer;
class TClock;

// Watches the ToDo items and raises the deadline alarm and the advance notice.
// What it has raised is remembered in the items themselves (AlarmedDateTime,
// PrevAlert.LastAlerted), which todo.dat keeps across a restart.
class TToDoTimer : public QObject
{
    Q_OBJECT
public:
    // The internal timer starts enabled at 10000 ms; the owner sets both.
    explicit TToDoTimer(const TClock &clock, QObject *parent = nullptr);
    ~TToDoTimer() override;

    bool Enabled() const;
    void SetEnabled(bool enabled);
    unsigned Interval() const;
    void SetInterval(unsigned milliseconds);

    // The items to watch; this list owns them.
    TToDoList &Items() { return m_items; }
    const TToDoList &Items() const { return m_items; }

    // One check at `now`. A failure, also one thrown by a handler, ends this
    // tick; the next starts again from the first item.
    virtual void TimerTick(const QDateTime &now);

Q_SIGNALS:
    void OnToDoAlarm(TToDo *ToDoItem);
    void OnToDoAlert(TToDo *ToDoItem, double AlarmDate);

protected:
    virtual void DoToDoAlarm(TToDo *item);
    virtual void DoToDoAlert(TToDo *item);

private:
    void checkItem(int index, const QDateTime &now);

    const TClock &m_clock;
    QTimer *m_timer = nullptr;
    TToDoList m_items;
};
