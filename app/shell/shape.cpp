#include "shape.h"

#include <QPainter>

TShape::TShape(QWidget* parent, const char* name, const QColor& pen)
    : QWidget(parent)
    , m_pen(pen)
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (height() <= 1) {
        p.fillRect(rect(), m_pen);
        return;
    }
    p.setPen(m_pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width() - 1, height() - 1);
}
