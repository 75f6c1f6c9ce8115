#include "controls/grid/widget/floating_footer.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace grid {

namespace {

// The columns of the strip in order: fixed ones, then from the left column.
template <typename F>
void ForEachShownColumn(const TExStringGrid& g, F&& f)
{
    int x = 0;
    for (int c = 0; c < g.FixedCols() && c < g.ColCount(); ++c) {
        f(c, QRect(x, 0, g.ColWidths(c), 0), true);
        x += g.ColWidths(c);
    }
    for (int c = std::max(g.LeftCol(), g.FixedCols()); c < g.ColCount(); ++c) {
        f(c, QRect(x, 0, g.ColWidths(c), 0), false);
        x += g.ColWidths(c);
    }
}

} // namespace

TFooterPanel::TFooterPanel(TExStringGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid)
{
    grid_.OnFooterChanged = [this] { SyncWithGrid(); };
    SyncWithGrid();
}

TFooterPanel::~TFooterPanel()
{
    grid_.OnFooterChanged = nullptr;
}

void TFooterPanel::SyncWithGrid()
{
    const TFloatingFooter& f = grid_.FloatingFooter;
    const int height = f.Visible ? std::max(0, (f.Height > 0 ? f.Height : grid_.DefaultRowHeight() + 1) - 1) : 0;
    setFixedHeight(height);
    setVisible(f.Visible);
    update();
}

int TFooterPanel::ShownWidth() const
{
    int w = 0;
    ForEachShownColumn(grid_, [&w](int, const QRect& r, bool) { w = r.right() + 1; });
    return w;
}

void TFooterPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TFloatingFooter& f = grid_.FloatingFooter;
    switch (f.FooterStyle) {
    case fsFixedLastRow:
        PaintLastRow(p, ShownWidth());
        break;
    case fsColumnPreview: {
        const QString text = grid_.RowCount() > 0 ? grid_.Cells(grid_.RealColIndex(f.Column), grid_.Row()) : QString();
        PaintPreview(p, ShownWidth(), grid_.HtmlToPlainText(text));
        break;
    }
    case fsCustomPreview:
        PaintPreview(p, ShownWidth(), grid_.HtmlToPlainText(grid_.FooterTemplateText()));
        break;
    case fsCustomPaint:
        if (OnFooterPaint)
            OnFooterPaint(f.Column, p, rect());
        break;
    }
    if (f.BorderColor != clNone) {
        p.setPen(ToQColor(f.BorderColor));
        p.drawLine(0, 0, f.FooterStyle == fsCustomPaint ? width() : ShownWidth(), 0);
    }
}

void TFooterPanel::PaintLastRow(QPainter& p, int w)
{
    const TFloatingFooter& f = grid_.FloatingFooter;
    p.fillRect(QRect(0, 0, w, height()), ToQColor(f.Color));
    p.fillRect(QRect(w, 0, width() - w, height()), ToQColor(grid_.Color));
    const int row = grid_.RowCount() - 1;
    if (row < 0)
        return;
    const bool vert = grid_.Options().Contains(goFixedVertLine);
    const bool horz = grid_.Options().Contains(goFixedHorzLine);
    const QColor lines = ToQColor(grid_.GridLineColor());
    p.setFont(ToQFont(grid_.FixedFont));
    ForEachShownColumn(grid_, [&](int c, QRect r, bool fixed) {
        r.setHeight(height());
        if (horz) {
            p.setPen(lines);
            p.drawLine(r.left(), 0, r.right(), 0);
        }
        if (vert) {
            p.setPen(fixed ? lines : QColor(Qt::gray));
            p.drawLine(r.right(), 0, r.right(), height());
        }
        const QRect cell = r.adjusted(2, horz ? 1 : 0, -2, 0);
        const int real = grid_.RealColIndex(c);
        if (const TCellProperties* props = grid_.GridObjects(real, row); props && props->BrushColor() != clNone)
            p.fillRect(r.adjusted(0, horz ? 1 : 0, vert ? -1 : 0, 0), ToQColor(props->BrushColor()));
        if (OnFooterPaint && !fixed) {
            OnFooterPaint(c, p, cell);
            return;
        }
        p.setPen(ToQColor(grid_.FixedFont.Color));
        p.drawText(cell, Qt::AlignVCenter | Qt::AlignLeft, grid_.HtmlToPlainText(grid_.Cells(real, row)));
    });
}

void TFooterPanel::PaintPreview(QPainter& p, int w, const QString& text)
{
    const QRect box(0, 0, w, height());
    p.fillRect(box, ToQColor(grid_.FloatingFooter.Color));
    p.fillRect(QRect(w, 0, width() - w, height()), ToQColor(grid_.Color));
    if (w <= 0 || height() <= 0)
        return;
    p.setPen(Qt::white);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(Qt::gray);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomRight());
    p.setPen(Qt::black);
    p.setFont(ToQFont(grid_.Font));
    p.drawText(box.adjusted(3, 2, -3, -1), Qt::AlignLeft | Qt::AlignTop, text);
}

void TFooterPanel::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (grid_.OnClick)
        grid_.OnClick(&grid_);
    const int col = grid_.FooterColumnAt(event->position().toPoint().x());
    if (col >= 0 && grid_.OnClickCell)
        grid_.OnClickCell(&grid_, grid_.RowCount() - 1, col);
}

} // namespace grid
