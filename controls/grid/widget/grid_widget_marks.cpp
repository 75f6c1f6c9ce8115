// The grid widget's floating marks of a column or row moved by mouse and of
// drags over it: the caption (or the picture of the moved cells) held under
// the pointer and the insertion arrows, all top-level windows owned by the
// widget.
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/small_controls/arrow_window.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/header_drag_button.h"
#include "controls/grid/widget/non_activating_form.h"
#include "controls/grid/widget/selection_image.h"

#include <algorithm>

namespace grid {

void TGridWidget::SetArrowColor(TColor color)
{
    arrowColor_ = color;
    for (TArrowWindow* arrow : arrows_) {
        if (arrow != nullptr)
            arrow->SetColor(color);
    }
}

void TGridWidget::ShowArrows(const ArrowMarks& marks)
{
    const QPoint origin = viewport()->mapToGlobal(QPoint(0, 0));
    for (int d = 0; d < kArrowCount; ++d) {
        TArrowWindow*& arrow = arrows_[d];
        if (!marks.At[d]) {
            if (arrow != nullptr)
                arrow->hide();
            continue;
        }
        if (arrow == nullptr) {
            arrow = new TArrowWindow(this, static_cast<TArrowDirection>(d));
            arrow->SetColor(arrowColor_);
        }
        arrow->move(origin + *marks.At[d]);
        arrow->show();
    }
}

void TGridWidget::SyncMoveMarks()
{
    const MoveFeedback& move = Mouse().MoveView();
    if (!move.Active) {
        ShowArrows({});
        if (moveButton_ != nullptr)
            moveButton_->hide();
        delete moveForm_;
        moveForm_ = nullptr;
        return;
    }
    const QRect at = move.CaptionRect.translated(viewport()->mapToGlobal(QPoint(0, 0)));
    if (dragDrop_.ShowCells) {
        if (moveForm_ == nullptr) {
            // The moved column's (row's) shown cells, made once per move.
            const int lastRow = std::min(grid_.RowCount(), grid_.TopRow() + grid_.VisibleRowCount()) - 1;
            const int lastCol = std::min(grid_.ColCount(), grid_.LeftCol() + grid_.VisibleColCount()) - 1;
            const TGridRect cells = move.Columns ? TGridRect{move.From, 0, move.From, lastRow}
                                                 : TGridRect{0, move.From, lastCol, move.From};
            moveForm_ = SelectionToForm(*this, cells);
        }
        if (moveForm_ != nullptr) {
            // The picture starts on the line before the cells.
            moveForm_->move(at.topLeft() - QPoint(1, 1));
            moveForm_->show();
        }
    } else {
        if (moveButton_ == nullptr) {
            moveButton_ = new THeaderDragButton(this);
            moveButton_->SetGrid(this);
        }
        moveButton_->SetCaption(move.Caption);
        moveButton_->setGeometry(at);
        moveButton_->show();
    }
    ShowArrows(move.Arrows);
}

} // namespace grid
