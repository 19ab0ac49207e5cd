#include "ui/application.h"

#include "core/appglobal.h"
#include "core/cp932.h"
#include "core/errors.h"
#include "ui/qtprompter.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

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

// The overflow arrow of the bars, drawn rather than read: the style's
// picture costs an icon-theme lookup and a probe of every image plugin on
// each start, and the general bar overflows at the window's first size.
class TChevronIcon : public QIconEngine
{
public:
    // `turn`: degrees clockwise from pointing right.
    explicit TChevronIcon(qreal turn) : m_turn(turn) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette palette = QGuiApplication::palette();
        const QColor color = palette.color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active,
                                           QPalette::WindowText);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(color, qMax(1.0, rect.height() / 12.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->translate(QRectF(rect).center());
        const qreal unit = qMin(rect.width(), rect.height()) / 16.0;
        painter->scale(unit, unit);
        painter->rotate(m_turn);
        for (const qreal x : {-3.5, 0.5})
            painter->drawPolyline(QPolygonF({QPointF(x, -3.5), QPointF(x + 3.5, 0), QPointF(x, 3.5)}));
        painter->restore();
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pm;
    }
    QIconEngine *clone() const override { return new TChevronIcon(m_turn); }

private:
    qreal m_turn;
};

class TQuillmereStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        const Qt::LayoutDirection layout = option ? option->direction
                                           : widget ? widget->layoutDirection()
                                                    : QGuiApplication::layoutDirection();
        if (which == SP_ToolBarHorizontalExtensionButton)
            return QIcon(new TChevronIcon(layout == Qt::RightToLeft ? 180 : 0));
        if (which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new TChevronIcon(90));
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
