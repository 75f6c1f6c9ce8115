#include "shell_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

QPixmap Canvas()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap InfoGlyph()
{
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 70, 140), 1.5));
    p.setBrush(QColor(40, 110, 190));
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 7, 4.5, 4.5));
    p.drawRect(QRectF(14, 13.5, 4.5, 12));
    return pm;
}

QPixmap OptionsGlyph()
{
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath gear;
    const QPointF c(16, 16);
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        const double r = (i % 2 == 0) ? 14 : 10.5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 4.5, 4.5);
    p.setPen(QPen(QColor(70, 70, 70), 1.2));
    p.setBrush(QColor(150, 150, 150));
    p.drawPath(gear);
    return pm;
}

QPixmap CloseGlyph()
{
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(130, 0, 0), 1.5));
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
    return pm;
}
