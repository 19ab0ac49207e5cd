#include "ui/titleband.h"

#include "ui/fontconv.h"

#include <QPainter>

namespace {
constexpr int kSteps = 128;
}

TTitleBand::TTitleBand(QWidget *parent) : QWidget(parent)
{
    QFont f = font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    setFont(f);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TTitleBand::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    update();
}

void TTitleBand::setColors(TColor start, TColor end)
{
    m_start = start;
    m_end = end;
    update();
}

void TTitleBand::setTextColor(const QColor &color)
{
    m_textColor = color;
    update();
}

QSize TTitleBand::sizeHint() const
{
    return {200, fontMetrics().height() + 10};
}

void TTitleBand::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor a = ColorToQColor(m_start);
    const QColor b = ColorToQColor(m_end);
    const int w = width();
    for (int i = 0; i < kSteps; ++i) {
        const int x0 = w * i / kSteps;
        const int x1 = w * (i + 1) / kSteps;
        const QColor c(a.red() + (b.red() - a.red()) * i / (kSteps - 1),
                       a.green() + (b.green() - a.green()) * i / (kSteps - 1),
                       a.blue() + (b.blue() - a.blue()) * i / (kSteps - 1));
        p.fillRect(QRect(x0, 0, x1 - x0, height()), c);
    }
    p.setPen(m_textColor);
    p.drawText(rect().adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, m_text);
}
