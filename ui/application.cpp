#include "ui/application.h"

#include "core/appglobal.h"
#include "core/cp932.h"
#include "core/errors.h"
#include "ui/qtprompter.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>

#include <cstdio>

QString GeneralErrorText(const QString &message)
{
    if (message.isEmpty())
        return message;
    const QByteArray last = cp932::encodeLossy(message.right(message.at(message.size() - 1).isLowSurrogate() ? 2 : 1));
    if (!last.isEmpty() && static_cast<unsigned char>(last[0]) > static_cast<unsigned char>('.'))
        return message + QLatin1Char('.');
    return message;
}

namespace {

// Draws a style's standard icon, looked up the first time it is drawn.
class TDeferredStyleIcon : public QIconEngine
{
public:
    TDeferredStyleIcon(const QStyle *style, QStyle::StandardPixmap which) : m_style(style), m_which(which) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QIconEngine *clone() const override { return new TDeferredStyleIcon(m_style, m_which); }
    bool isNull() override { return false; }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull())
            m_icon = m_style->standardIcon(m_which);
        return m_icon;
    }

    const QStyle *m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
};

// Every tool bar and the menu bar make an icon for their overflow button, which
// shows only when the window is too narrow for the bar. Looking those up
// reads the icon theme and probes every image plugin, on each start; they
// are now looked up when first drawn.
class TQuillmereStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new TDeferredStyleIcon(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

TQuillmereApplication::TQuillmereApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setStyle(new TQuillmereStyle);
    // A Latin desktop font takes Japanese glyphs from a fallback, so digits
    // and kana of one line come from two fonts of different widths: prefer
    // a Japanese family for the whole program where one is installed.
    QFont base = font();
    QStringList families = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")};
    families += base.families().isEmpty() ? QStringList{base.family()} : base.families();
    base.setFamilies(families);
    setFont(base);
}

void TQuillmereApplication::showGeneralError(const QString &message)
{
    const QString text = GeneralErrorText(message);
    // An error raised while its own box is up would stack boxes without end.
    if (m_inErrorDisplay) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return;
    }
    m_inErrorDisplay = true;
    if (m_errorPrompter) {
        m_errorPrompter->Error(text, Global().AppTitle);
    } else {
        TMessageBoxPrompter prompter;
        prompter.Error(text, Global().AppTitle);
    }
    m_inErrorDisplay = false;
}

bool TQuillmereApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EQuillmereError &e) {
        showGeneralError(e.message());
    } catch (const std::exception &e) {
        showGeneralError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showGeneralError(QStringLiteral("不明なエラーが発生しました"));
    }
    return false;
}
