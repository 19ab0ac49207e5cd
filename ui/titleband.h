#pragma once

#include "core/font.h"

#include <QWidget>

// The strip above the pages: the view's title on a horizontal two-colour
// gradient of 128 steps.
class TTitleBand : public QWidget
{
    Q_OBJECT
public:
    explicit TTitleBand(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    TColor startColor() const { return m_start; }
    TColor endColor() const { return m_end; }
    void setColors(TColor start, TColor end);
    void setTextColor(const QColor &color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    TColor m_start = 0x800000;
    TColor m_end = 0xFFE8E8;
    QColor m_textColor = Qt::white;
};
