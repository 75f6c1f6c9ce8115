#include "controls/grid/widget/selection_image.h"

#include "controls/grid/core/base_grid.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/non_activating_form.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <utility>

namespace grid {

namespace {

constexpr int kSelectionAlpha = 192;

// A cell's edges with right and bottom just past it.
struct Edges
{
    int left, top, right, bottom;
};

Edges EdgesOf(const QRect& r)
{
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

} // namespace

SelectionImageGeometry SelectionImageRects(const TBaseGrid& grid, const TGridRect& cells)
{
    Edges a = EdgesOf(grid.UnclippedCellRect(cells.Left, cells.Top));
    Edges b = EdgesOf(grid.UnclippedCellRect(cells.Right, cells.Bottom));
    if (b.left < a.left)
        std::swap(a, b);
    if (b.bottom < a.bottom) {
        std::swap(a.top, b.top);
        std::swap(a.bottom, b.bottom);
    }
    SelectionImageGeometry geometry;
    geometry.size = QSize(b.right - a.left + 1, b.bottom - a.top + 1);
    // Our cells hold their grid lines at their right and bottom: the picture
    // starts on the line before the range and ends on its last line.
    geometry.source = QRect(QPoint(a.left - 1, a.top - 1), geometry.size);
    geometry.leftLine = cells.Left == 0 && grid.FixedCols() > 0 && grid.Options().Contains(goFixedVertLine);
    geometry.topLine = cells.Top == 0 && grid.FixedRows() > 0 && grid.Options().Contains(goFixedHorzLine);
    return geometry;
}

TNoActiveForm* SelectionToForm(TGridWidget& widget, const TGridRect& cells)
{
    TExStringGrid& grid = widget.Grid();
    const SelectionImageGeometry geometry = SelectionImageRects(grid, cells);
    if (geometry.size.width() <= 0 || geometry.size.height() <= 0)
        return nullptr;

    QWidget* port = widget.viewport();
    QImage whole(port->size(), QImage::Format_ARGB32_Premultiplied);
    whole.fill(port->palette().color(QPalette::Base));
    port->render(&whole);

    QImage picture = whole.copy(geometry.source);
    if (picture.size() != geometry.size)
        picture = picture.scaled(geometry.size);
    if (geometry.leftLine || geometry.topLine) {
        QPainter p(&picture);
        p.setPen(ToQColor(grid.GridFixedLineColor()));
        if (geometry.leftLine)
            p.drawLine(0, 0, 0, picture.height());
        if (geometry.topLine)
            p.drawLine(0, 0, picture.width(), 0);
    }

    auto* form = new TNoActiveForm(&widget, true);
    form->resize(geometry.size);
    auto* image = new QLabel(form);
    image->setPixmap(QPixmap::fromImage(picture));
    image->setGeometry(0, 0, geometry.size.width(), geometry.size.height());
    form->SetAlphaBlendValue(kSelectionAlpha);
    return form;
}

} // namespace grid
