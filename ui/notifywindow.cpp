#include "ui/notifywindow.h"

#include "core/appglobal.h"
#include "core/settingskeys.h"
#include "ui/fontconv.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

TfrmNotify::TfrmNotify(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TfrmNotify"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    // The icon is drawn when the first notice comes: loading it costs the
    // program's start several milliseconds for a window that may never open.
    m_icon = new QLabel(this);
    m_icon->setFixedSize(32, 32);
    m_lblTitle = new QLabel(QStringLiteral("予定の時間です"), this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    top->addWidget(m_icon);
    top->addWidget(m_lblTitle, 1);
    layout->addLayout(top);
    m_memMemo = new QPlainTextEdit(this);
    m_memMemo->setObjectName(QStringLiteral("memMemo"));
    m_memMemo->setReadOnly(true);
    layout->addWidget(m_memMemo, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_btnClose = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setDefault(true);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_btnClose);
    layout->addLayout(buttons);
    setFixedSize(360, 220);
}

void TfrmNotify::Enqueue(const TNotice &notice)
{
    m_queue.enqueue(notice);
    if (!isVisible())
        showNext();
}

void TfrmNotify::showNext()
{
    if (m_queue.isEmpty())
        return;
    m_current = m_queue.dequeue();
    if (m_icon->pixmap().isNull())
        m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    const bool alarm = m_current.kind == TNotice::nkAlarm;
    setWindowTitle(m_current.caption.isEmpty() ? Global().AppTitle : m_current.caption);
    m_lblTitle->setText(m_current.title);
    m_memMemo->setPlainText(m_current.text);
    QPalette pal = m_memMemo->palette();
    pal.setColor(QPalette::Base, ColorToQColor(ReadSetting(sk::COLORS, alarm ? "BkColorAlarm" : "BkColorAlert")));
    m_memMemo->setPalette(pal);
    QFont font = m_memMemo->font();
    QColor color = pal.color(QPalette::Text);
    if (ReadFontSetting(QString::fromLatin1(alarm ? "AlarmFont" : "AlertFont"), font, color)) {
        m_memMemo->setFont(font);
        pal.setColor(QPalette::Text, color);
        m_memMemo->setPalette(pal);
    }
    show();
    raise();
    activateWindow();
    m_btnClose->setFocus();
    PlayNotificationSound();
}

void TfrmNotify::done(int result)
{
    QDialog::done(result);
    // The next notice waits until this one is out of the way.
    if (!m_queue.isEmpty())
        QTimer::singleShot(0, this, &TfrmNotify::showNext);
}

void TfrmNotify::PlayNotificationSound()
{
    if (!ReadSettingBool(sk::SETTINGS, "DoSound"))
        return;
    const QString file = ReadSettingString(sk::SETTINGS, "AlarmSoundFileName");
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
        // Played by the desktop's own player so nothing here waits on it.
        for (const char *player : {"pw-play", "paplay", "aplay"}) {
            const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(player));
            if (!exe.isEmpty() && QProcess::startDetached(exe, {file}))
                return;
        }
    }
    QApplication::beep();
}
