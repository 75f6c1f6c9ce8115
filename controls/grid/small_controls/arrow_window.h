#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/move_arrows.h"

#include <QPolygon>
#include <QRegion>
#include <QWidget>

// The four small arrows shown around the drop position while a column or row
// is moved or dragged: frameless tool windows, never activated, shaped by a
// polygon and filled in their colour.
namespace grid {

// The seven points of the arrow's outline.
QPolygon ArrowPolygon(TArrowDirection dir);
// The outline as a region, filled with the winding rule.
QRegion ArrowRegion(TArrowDirection dir);

class TArrowWindow : public QWidget
{
    Q_OBJECT

public:
    // Hidden, lime, owned by `owner` (the grid; destroyed with it).
    TArrowWindow(QWidget* owner, TArrowDirection dir);
    TArrowDirection Dir() const { return dir_; }
    // The seven points of the shape (window pixels).
    const QPolygon& Arrow() const { return arrow_; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TArrowDirection dir_;
    QPolygon arrow_;
    TColor color_ = clLime;
};

}  // namespace grid
