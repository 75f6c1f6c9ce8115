#pragma once
#include <QWidget>

#include <functional>

namespace grid {

class TExStringGrid;

// The floating footer's strip: a child along the bottom of the painted grid
// showing what FloatingFooter asks (the last row, a column preview, the
// filled template or the owner's painting). Its height follows Visible and
// Height; a click reports the column under it through the grid's OnClickCell.
class TFooterPanel : public QWidget
{
public:
    explicit TFooterPanel(TExStringGrid& grid, QWidget* parent = nullptr);
    ~TFooterPanel() override;

    // Takes Visible and Height from the grid's settings and repaints.
    void SyncWithGrid();

    // fsCustomPaint (and, when set, the cells of the other styles): column,
    // painter and rectangle.
    std::function<void(int column, QPainter& painter, const QRect& rect)> OnFooterPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Right edge of the shown columns (fixed ones, then from LeftCol).
    int ShownWidth() const;
    void PaintLastRow(QPainter& p, int width);
    void PaintPreview(QPainter& p, int width, const QString& text);

    TExStringGrid& grid_;
};

} // namespace grid
