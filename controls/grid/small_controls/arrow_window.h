#pragma once
#include <QPolygon>
#include <QRegion>
#include <QWidget>

// The four small arrows shown around the drop position while a column or row
// is dragged: frameless tool windows, never activated, shaped by a polygon.
namespace grid {

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// The seven points of the arrow's outline.
QPolygon ArrowPolygon(TArrowDirection dir);
// The outline as a region, filled with the winding rule.
QRegion ArrowRegion(TArrowDirection dir);

class TArrowWindow : public QWidget
{
    Q_OBJECT

public:
    // Hidden, lime, owned by `owner` (the grid).
    TArrowWindow(QWidget* owner, TArrowDirection dir);
    TArrowDirection Dir() const { return dir_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TArrowDirection dir_;
};

}  // namespace grid
