#include "ui/daypopup.h"

#include "core/settingskeys.h"
#include "ui/fontconv.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QTextLayout>
#include <QToolTip>

namespace {

QStringList Paragraphs(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (plain.endsWith(QLatin1Char('\n')))
        plain.chop(1);
    return plain.split(QLatin1Char('\n'));
}

QPainterPath RoundedBody(const QRectF &rect, int roundRectWidth)
{
    // The stored value is the width of the corner ellipse, as the classic
    // round-rectangle region takes it; the painter wants the radius.
    const qreal radius = qMax(0, roundRectWidth) / 2.0;
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

TDayPopup::TDayPopup(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
    LeftButtonHeld = [] { return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0; };
    WorkArea = [](const QPoint &pos) {
        QScreen *screen = QGuiApplication::screenAt(pos);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    };
}

bool TDayPopup::Popup(const QString &text, const QPoint &globalPos)
{
    Close();
    m_roundRectWidth = qMax(0, ReadSetting(sk::SETTINGS, "PopupWindowRoundRectWidth"));
    m_background = ColorToQColor(static_cast<TColor>(ReadSetting(sk::COLORS, "BkColorPopupWindow")));
    if (!ReadSettingBool(sk::SETTINGS, "ShowContentsOnCalendarClick"))
        return false;
    // The button may have gone up while the text was being built.
    if (LeftButtonHeld && !LeftButtonHeld())
        return false;
    const QRect workArea = WorkArea ? WorkArea(globalPos) : QRect(0, 0, 800, 600);
    layoutText(text, workArea);
    const QFontMetrics fm(font());
    int textWidth = 0;
    for (const QString &line : std::as_const(m_lines))
        textWidth = qMax(textWidth, fm.horizontalAdvance(line));
    const QSize size(textWidth + 2 * fm.averageCharWidth() + ShadowSize,
                     int(m_lines.size()) * fm.lineSpacing() + fm.lineSpacing() + ShadowSize);
    setGeometry(PlaceInside(size, globalPos, workArea));

    const QSizeF body(size.width() - ShadowSize, size.height() - ShadowSize);
    const QRegion bodyRegion(RoundedBody(QRectF(QPointF(0, 0), body), m_roundRectWidth).toFillPolygon().toPolygon());
    // A mask, not translucency: the shape stays right without a compositor.
    setMask(bodyRegion.united(bodyRegion.translated(ShadowSize, ShadowSize)));
    show();
    update();
    return true;
}

void TDayPopup::Close()
{
    if (isVisible())
        hide();
}

void TDayPopup::layoutText(const QString &text, const QRect &workArea)
{
    const QFontMetrics fm(font());
    int widest = 0;
    const QStringList paragraphs = Paragraphs(text);
    for (const QString &p : paragraphs)
        widest = qMax(widest, fm.horizontalAdvance(p));
    const int margins = 2 * fm.averageCharWidth() + ShadowSize;
    const int width = widest + margins > workArea.width() ? qMax(1, workArea.width() - margins) : widest;
    m_lines = WrapText(text, font(), width);
}

QStringList TDayPopup::WrapText(const QString &text, const QFont &font, int width)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : Paragraphs(text)) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(qMax(1, width));
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            // A break at a blank leaves the blank at the end of the line.
            while (!piece.isEmpty() && piece.back().isSpace())
                piece.chop(1);
            lines << piece;
        }
        layout.endLayout();
    }
    return lines;
}

QRect TDayPopup::PlaceInside(const QSize &size, const QPoint &pointer, const QRect &workArea)
{
    QRect r(pointer, size);
    if (r.right() > workArea.right())
        r.moveRight(workArea.right());
    if (r.bottom() > workArea.bottom())
        r.moveBottom(workArea.bottom());
    if (r.left() < workArea.left())
        r.moveLeft(workArea.left());
    if (r.top() < workArea.top())
        r.moveTop(workArea.top());
    return r;
}

void TDayPopup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::ToolTipText);
    const QRectF body(0, 0, width() - ShadowSize, height() - ShadowSize);
    painter.fillPath(RoundedBody(body.translated(ShadowSize, ShadowSize), m_roundRectWidth), ink);
    const QPainterPath bodyPath = RoundedBody(body.adjusted(0.5, 0.5, -0.5, -0.5), m_roundRectWidth);
    painter.fillPath(bodyPath, m_background);
    painter.setPen(QPen(ink, 1));
    painter.drawPath(bodyPath);

    const QFontMetrics fm(font());
    painter.setFont(font());
    int y = fm.lineSpacing() / 2 + fm.ascent();
    for (const QString &line : std::as_const(m_lines)) {
        painter.drawText(fm.averageCharWidth(), y, line);
        y += fm.lineSpacing();
    }
}
