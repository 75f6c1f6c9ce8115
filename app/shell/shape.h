#pragma once
#include <QColor>
#include <QWidget>

// A plain outlined rectangle (or, one pixel high, a line) with no fill.
class TShape : public QWidget
{
    Q_OBJECT
public:
    TShape(QWidget* parent, const char* name, const QColor& pen);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_pen;
};
