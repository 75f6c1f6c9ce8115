#pragma once
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/grid_view.h"
#include "controls/grid/widget/font_measurer.h"
#include "controls/grid/widget/grid_painter.h"

#include <QAbstractScrollArea>

#include <memory>

namespace grid {

// The painted grid: a scroll area over a headless grid (not owned). Scroll
// bars count rows and columns; the viewport paints only what it shows.
class TGridWidget : public QAbstractScrollArea, public GridView
{
    Q_OBJECT
public:
    explicit TGridWidget(TExStringGrid& grid, QWidget* parent = nullptr);
    ~TGridWidget() override;

    TExStringGrid& Grid() { return grid_; }
    GridPainter& Painter() { return *painter_; }
    // Replaces the painter (tests count or trace the cells it draws).
    void SetPainter(std::unique_ptr<GridPainter> painter);
    // The grid's system colours from this widget's palette.
    void TakeSystemColors();

    // The dotted line shown while a column or row is sized; -1 hides it.
    void ShowColSizeLine(int x);
    void ShowRowSizeLine(int y);

    // GridView
    void InvalidateRect(const QRect& rect) override;
    void InvalidateAll() override;
    void UpdateScrollBars() override;
    void PlaceControl(QObject* control, const QRect& bounds, bool visible) override;

    // The hint text for a thumb position ("Row : n" / "Col : n").
    QString ScrollHintText(Qt::Orientation orientation, int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    void ThumbMoved(Qt::Orientation orientation, int value);

    TExStringGrid& grid_;
    FontTextMeasurer measurer_;
    std::unique_ptr<GridPainter> painter_;
    bool updatingBars_ = false;
    int colSizeLine_ = -1;
    int rowSizeLine_ = -1;
};

} // namespace grid
