#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>
#include <functional>

// The pop-up that shows a day's names, schedules and memo while the mouse
// button is held on the calendar: a rounded, shadowed tip window that never
// takes the focus or the mouse. The main window owns one and reuses it.
class TDayPopup : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ShadowSize = 6;

    explicit TDayPopup(QWidget *parent = nullptr);

    // Closes any open pop-up, reads ShowContentsOnCalendarClick,
    // PopupWindowRoundRectWidth and BkColorPopupWindow, and shows `text`
    // with its left edge at `globalPos`, kept inside the work area. Shows
    // nothing when the setting is off or the left button was already
    // released (a quick click). Answers whether it is shown.
    bool Popup(const QString &text, const QPoint &globalPos);
    void Close();

    // Replaceable for tests: whether the left button is still down, and the
    // desktop work area around a point.
    std::function<bool()> LeftButtonHeld;
    std::function<QRect(const QPoint &)> WorkArea;

    QStringList WrappedLines() const { return m_lines; }
    int RoundRectWidth() const { return m_roundRectWidth; }
    QColor BackgroundColor() const { return m_background; }

    // The lines of `text` (CR LF or LF breaks; a final break starts no line)
    // wrapped at word boundaries, or anywhere inside a word wider than
    // `width`, so that none is wider than `width` pixels.
    static QStringList WrapText(const QString &text, const QFont &font, int width);
    // Where a pop-up of `size` goes for the pointer at `pointer`: its left
    // edge at the pointer, moved left or up to end inside `workArea`, then
    // right or down to start inside it.
    static QRect PlaceInside(const QSize &size, const QPoint &pointer, const QRect &workArea);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void layoutText(const QString &text, const QRect &workArea);

    QStringList m_lines;
    int m_roundRectWidth = 10;
    QColor m_background;
};
