#pragma once

#include <QDialog>
#include <QQueue>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// One notification: an alarm or an advance notice, of a schedule or a ToDo item.
struct TNotice
{
    enum Kind { nkAlarm, nkAlert };
    Kind kind = nkAlarm;
    QString caption;
    QString title;
    QString text;
};

// The small always-on-top window that tells the user about alarms and notices.
// Notices that arrive while one is shown wait their turn, so none is lost and
// no timer tick ever waits on the user.
class TfrmNotify : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmNotify(QWidget *parent = nullptr);

    void Enqueue(const TNotice &notice);
    int pending() const { return static_cast<int>(m_queue.size()); }
    const TNotice &current() const { return m_current; }

    // Plays the sound of a notification: the chosen file, or the system beep.
    static void PlayNotificationSound();

protected:
    void done(int result) override;

private:
    void showNext();

    QLabel *m_icon = nullptr;
    QLabel *m_lblTitle;
    QPlainTextEdit *m_memMemo;
    QPushButton *m_btnClose;
    QQueue<TNotice> m_queue;
    TNotice m_current;
};
