#include "ui/splash.h"

#include "core/appglobal.h"
#include "core/settingskeys.h"
#include "ui/aboutbox.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

TfrmSprash::TfrmSprash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(318, 196);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    auto *timer = new QTimer(this);
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &QWidget::close);
    timer->start();
}

void TfrmSprash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    QLinearGradient band(0, 0, width(), 0);
    band.setColorAt(0, QColor(0x00, 0x00, 0x80));
    band.setColorAt(1, QColor(0xE8, 0xE8, 0xFF));
    p.fillRect(QRect(0, 0, width(), 56), band);
    QFont title = font();
    title.setPointSize(20);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(16, 0, width() - 32, 56), Qt::AlignVCenter | Qt::AlignLeft, Global().AppTitle);
    QFont body = font();
    body.setPointSize(10);
    p.setFont(body);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(QRect(16, 70, width() - 32, 60), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("予定・メモ・備忘録・ノートを\n一つのカレンダーで"));
    // The version as the about box writes it.
    p.drawText(QRect(16, height() - 36, width() - 32, 24), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Version ") + VersionNumberText(ParseFileVersion(Global().VersionInfo)).trimmed());
    p.setPen(QColor(0xA0, 0xA0, 0xC0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TfrmSprash *ShowSplashOnFirstStart()
{
    const bool show = ReadSettingBool(sk::SETTINGS, "ShowSprash");
    SettingsFile().writeBool(QString::fromLatin1(sk::SETTINGS), QStringLiteral("ShowSprash"), false);
    if (!show)
        return nullptr;
    auto *splash = new TfrmSprash;
    splash->show();
    splash->repaint();
    return splash;
}
