// The mouse on what a cell holds besides text: always-visible spin buttons,
// node glyphs, radio groups, ratings; disjunct row selection; fixed-cell
// editing and the fixed drop-down and filter buttons.
#include "controls/grid/core/mouse_input.h"

#include "controls/grid/html/mini_html_markup.h"

#include <algorithm>
#include <cstdlib>

namespace grid {

namespace {

constexpr int kSpinZone = 18;     // px from a spin cell's right edge
constexpr int kRatingStep = 9;    // px per half star
constexpr int kRadioSpacing = 16; // px between radio items (flat styles)
constexpr int kDropDownZone = 16; // px of a fixed drop-down or filter glyph
constexpr int kFilterTop = 19;    // px of a filter glyph from the cell's top
constexpr int kDragMargin = 3;    // px a drag needs (and a press keeps from the borders)

bool HasShift(const TShiftState& s, TShiftStateItem i)
{
    return s.Contains(i);
}

bool CanEditHere(TExStringGrid& g, int real, int row)
{
    bool canEdit = g.Options().Contains(goEditing) || g.MouseActions.RangeSelectAndEdit;
    g.CanEditCell(real, row, canEdit);
    return canEdit;
}

bool InFixedRowsOrCols(const TExStringGrid& g, TGridCoord c)
{
    return c.X < g.FixedCols() || c.Y < g.FixedRows();
}

} // namespace

bool GridMouse::ControlPress(TGridCoord cell, int real, QPoint p, TShiftState shift, bool ownerEvents)
{
    const QRect r = g_.CellRect(cell.X, cell.Y);
    // Always-visible spin buttons: which half the press hit.
    if (g_.ControlLook.SpinButtonsAlwaysVisible() && g_.HasSpinEdit(real, cell.Y) && r.right() + 1 - p.x() <= kSpinZone)
        spinClick_ = p.y() > r.top() + r.height() / 2 ? -1 : 1;

    // A node's glyph; in a fixed row the glyph that opens or closes all.
    const bool headerGlyph = cell.Y < g_.FixedRows() && g_.NumNodes() > 0 && g_.MouseActions.NodeAllExpandContract;
    if (cell.X == 0 && headerGlyph) {
        // Placed as a first-level node's.
        const int first = g_.IsNode(g_.FixedRows()) ? g_.FixedRows() : g_.NextNodeRow(g_.FixedRows());
        if (first < g_.RowCount() && g_.IsInNodeGlyph(first, p.x() - r.left()))
            return NodePress(cell, p, shift, ownerEvents);
    }
    if (cell.X == 0 && cell.Y >= g_.FixedRows() && g_.IsNode(cell.Y) && g_.IsInNodeGlyph(cell.Y, p.x() - r.left()))
        return NodePress(cell, p, shift, ownerEvents);

    const bool fixed = InFixedRowsOrCols(g_, cell);
    if (!fixed && g_.IsRadio(real, cell.Y) && (CanEditHere(g_, real, cell.Y) || g_.ControlLook.RadioAlwaysActive)) {
        g_.HideInplaceEdit();
        RadioClick(real, cell.Y, p.x() - r.left(), p.y() - r.top());
        g_.SetFocus();
        return true;
    }

    if (!fixed && g_.HasRating(real, cell.Y) && CanEditHere(g_, real, cell.Y)) {
        g_.HideInplaceEdit();
        // Half stars: whole steps of 9 pixels, halved.
        double rate = ((p.x() - r.left()) / kRatingStep) / 2.0;
        if (g_.RatingChange(real, cell.Y, rate)) {
            g_.SetFloats(real, cell.Y, rate);
            g_.RepaintCell(cell.X, cell.Y);
        }
        return true;
    }
    return false;
}

bool GridMouse::ControlTagPress(TGridCoord cell, int real, QPoint p)
{
    const QString text = g_.GetCellEx(real, cell.Y);
    if (!text.contains(QStringLiteral("<CONTROL"), Qt::CaseInsensitive))
        return false;
    CellControlHit hit;
    if (!ControlAt(cell.X, cell.Y, p, hit)) {
        // Beside the controls (and any link): the cell alone is selected.
        if (!AnchorAt(cell.X, cell.Y, p).isEmpty())
            return false;
        if (g_.OnClickCell)
            g_.OnClickCell(&g_, cell.Y, cell.X);
        g_.HideInplaceEdit();
        g_.MoveColRow(cell.X, cell.Y, true, true);
        return true;
    }
    bool allowed = g_.Options().Contains(goEditing);
    if (allowed)
        g_.CanEditCell(real, cell.Y, allowed);
    if (!allowed) {
        // A control that may not change is a link like any other, never
        // opened.
        bool autoHandle = false;
        if (g_.OnAnchorClick)
            g_.OnAnchorClick(&g_, cell.Y, cell.X, QStringLiteral("ctrl"), autoHandle);
        return true;
    }
    g_.HideInplaceEdit();
    QString value = hit.Value;
    if (hit.Type == QLatin1String("BUTTON")) {
        ctrlDown_ = cell;
        g_.RepaintCell(cell.X, cell.Y);
    } else if (hit.Type == QLatin1String("CHECK")) {
        value = value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? QStringLiteral("FALSE")
                                                                               : QStringLiteral("TRUE");
        g_.SetControlValues(real, cell.Y, hit.Id, value);
    } else if (hit.Type == QLatin1String("RADIO")) {
        QString cleared = html::ClearHtmlRadioControls(text);
        value = QStringLiteral("TRUE");
        html::SetHtmlControlValue(cleared, hit.Id, value);
        g_.SetCells(real, cell.Y, cleared);
    }
    if (OnControlClick)
        OnControlClick(&g_, cell.Y, cell.X, hit.Id, hit.Type, value);
    static const QStringList kEdited = {"EDIT", "PASSWORD", "MASK", "COMBO"};
    if (kEdited.contains(hit.Type) && EditCellControl)
        EditCellControl(cell.X, cell.Y, hit);
    return true;
}

void GridMouse::FocusLost()
{
    if (ctrlDown_.X < 0)
        return;
    g_.RepaintCell(ctrlDown_.X, ctrlDown_.Y);
    ctrlDown_ = {-1, -1};
}

bool GridMouse::DragPress(TGridCoord cell, int real, QPoint p, TShiftState shift, bool ownerEvents)
{
    if (!DragSource || g_.Options().Contains(goEditing) || g_.HasButton(real, cell.Y) ||
        g_.HasCheckBox(real, cell.Y))
        return false;
    const bool header = cell.Y < g_.FixedRows();
    if (!(g_.GetSelectedCellState(cell.X, cell.Y) || (header && !g_.EnhRowColMove)))
        return false;
    // Column and whole-grid selection keep their header presses.
    if (header && (g_.MouseActions.ColSelect || g_.MouseActions.AllSelect))
        return false;
    if (cell.X < g_.FixedCols())
        return false;
    const QRect r = g_.CellRect(cell.X, cell.Y);
    const bool inside = p.x() - r.left() > kDragMargin && r.right() - p.x() > kDragMargin;
    if (g_.Options().Contains(goColSizing) && !inside)
        return false;
    g_.SetFocus();
    FireMouseDown(mbLeft, shift, p, ownerEvents);
    selectionClick_ = true;
    if (g_.OnClickCell)
        g_.OnClickCell(&g_, cell.Y, cell.X);
    return true;
}

bool GridMouse::DragMove(QPoint p)
{
    const TGridCoord cell = g_.MouseCoord(p.x(), p.y());
    const QPoint d = p - downAt_;
    if (cell.X < 0 || cell.Y < 0 || (std::abs(d.x()) <= kDragMargin && std::abs(d.y()) <= kDragMargin) ||
        mode_ == Mode::ColSizing || InResizer(p))
        return false;
    selectionClick_ = false;
    const TGridCoord from = downCell_;
    bool allow = true;
    if (OnOleDrag)
        OnOleDrag(&g_, from.Y, g_.RealColIndex(from.X), g_.Cells(g_.RealColIndex(from.X), from.Y), allow);
    if (!allow) {
        mode_ = Mode::Selecting;
        return false;
    }
    if (StartDrag)
        StartDrag(from, from.Y < g_.FixedRows());
    return true;
}

bool GridMouse::NodePress(TGridCoord cell, QPoint p, TShiftState shift, bool ownerEvents)
{
    const int row = cell.Y;
    if (row < g_.FixedRows()) {
        // The header's glyph opens or closes every node.
        if (!g_.MouseActions.NodeAllExpandContract)
            return false;
        if (allNodesContracted_)
            g_.ExpandAll();
        else
            g_.ContractAll();
        allNodesContracted_ = !allNodesContracted_;
        return true;
    }
    FireMouseDown(mbLeft, shift, p, ownerEvents);
    if (g_.OnClickCell)
        g_.OnClickCell(&g_, row, cell.X);
    const int realRow = g_.RealRowIndex(row);
    const bool contracted = g_.GetNodeState(row);
    bool allow = true;
    if (contracted && OnBeforeExpandNode)
        OnBeforeExpandNode(&g_, row, realRow, allow);
    else if (!contracted && OnBeforeContractNode)
        OnBeforeContractNode(&g_, row, realRow, allow);
    if (!allow)
        return true;
    if (contracted) {
        g_.ExpandNode(row);
        if (OnExpandNode)
            OnExpandNode(&g_, row, realRow);
    } else {
        g_.ContractNode(row);
        if (OnContractNode)
            OnContractNode(&g_, row, realRow);
    }
    if (g_.MouseActions.MoveRowOnNodeClick)
        g_.SetRow(row);
    return true;
}

void GridMouse::RadioClick(int col, int row, int x, int y)
{
    const TGridCoord b = g_.BaseCell(col, row);
    const TStringsObject* items = g_.GetRadioStrings(b.X, b.Y);
    int index = -1;
    if (!g_.GetRadioIdx(b.X, b.Y, index) || items == nullptr)
        return;
    const TGridCoord shown{g_.DisplColIndex(b.X), b.Y};
    if (!InFixedRowsOrCols(g_, shown))
        g_.MoveColRow(shown.X, shown.Y, true, true);
    const int spacing = g_.ControlLook.ControlStyle() >= csFlat ? kRadioSpacing : g_.ControlLook.RadioSize();
    const TFont font = g_.GetCellFont(b.X, b.Y);
    const TextMeasurer& m = g_.TextMeasure();
    // The graphic's flag tells the layout: items side by side, or one below
    // the other.
    const TCellGraphic* graphic = g_.GetCellGraphic(b.X, b.Y);
    const bool sideBySide = graphic != nullptr && graphic->CellBoolean;
    const int itemHeight = std::max(spacing, m.TextHeight(font));
    int from = 0;
    int picked = -1;
    for (int i = 0; i < items->Lines.size(); ++i) {
        const int extent = sideBySide ? m.TextWidth(font, items->Lines.at(i)) + spacing : itemHeight;
        const int at = sideBySide ? x : y;
        if (at >= from && at < from + extent) {
            picked = i;
            break;
        }
        from += extent;
    }
    if (picked < 0)
        return;
    // The cell text is written again so its change is told.
    g_.SetCells(b.X, b.Y, g_.Cells(b.X, b.Y));
    g_.SetRadioIdx(b.X, b.Y, picked);
    if (OnRadioClick)
        OnRadioClick(&g_, col, row, picked);
}

bool GridMouse::DisjunctRowPress(TGridCoord cell, TShiftState shift, const TGridRect& before)
{
    deselectRow_ = false;
    rowSelectPress_ = false;
    if (!g_.MouseActions.DisjunctRowSelect() || cell.Y < g_.FixedRows() ||
        (cell.X == 0 && g_.MouseActions.HotmailRowSelect()))
        return false;
    if (HasShift(shift, ssShift)) {
        // From the press cell to the top-left of the selection held before.
        g_.MoveColRow(cell.X, cell.Y, false, true);
        g_.SetSelection(TGridRect{std::min(cell.X, before.Left), std::min(cell.Y, before.Top),
                                  std::max(cell.X, before.Left), std::max(cell.Y, before.Top)});
        rowSelectPress_ = true;
        mode_ = Mode::Selecting;
        return true;
    }
    const int testRow = g_.MouseActions.RowSelectPersistent ? g_.RealRowIndex(cell.Y) : cell.Y;
    if (HasShift(shift, ssCtrl) || g_.MouseActions.DisjunctRowSelectNoCtrl) {
        if (g_.RowSelect(testRow))
            deselectRow_ = true;
    } else if (!HasShift(shift, ssAlt)) {
        g_.ClearRowSelect();
    }
    rowSelectPress_ = true;
    return false;
}

void GridMouse::DisjunctRowRelease(TGridCoord cell)
{
    if (!rowSelectPress_)
        return;
    rowSelectPress_ = false;
    if (cell.X < 0 || cell.Y < 0 || (cell.X == 0 && g_.IsNode(cell.Y)))
        return;
    if (!(cell.X == 0 && g_.MouseActions.HotmailRowSelect()))
        g_.SelectionToRowSelect(false);
    if (deselectRow_ && cell.Y >= g_.FixedRows())
        g_.SetRowSelect(g_.MouseActions.RowSelectPersistent ? g_.RealRowIndex(cell.Y) : cell.Y, false);
    deselectRow_ = false;
}

bool GridMouse::FixedCellPress(TMouseButton button, TGridCoord cell, QPoint p)
{
    const QRect r = g_.CellRect(cell.X, cell.Y);
    // A fixed cell's drop-down button.
    if (button == mbLeft && g_.ControlLook.FixedDropDownButton && g_.HoverFixedCells != hfNone &&
        cell.Y < g_.FixedRows()) {
        const int fromRight = r.right() + 1 - p.x();
        const int edge = g_.Options().Contains(goColSizing) ? 2 : 0;
        if (fromRight <= kDropDownZone && fromRight > edge) {
            if (FixedDropDown)
                FixedDropDown(cell.X, cell.Y);
            return true;
        }
    }
    const TMouseActions& a = g_.MouseActions;
    const TGridFixedCellEdit wanted = button == mbLeft ? fceLeftClick : fceRightClick;
    const bool inRow = cell.Y < g_.FixedRows() && a.FixedRowsEdit == wanted;
    const bool inCol = cell.X < g_.FixedCols() && cell.Y >= g_.FixedRows() && a.FixedColsEdit == wanted;
    if (!inRow && !inCol)
        return false;
    // With sizing on, only well inside the cell (the borders size).
    const bool sizing = inRow ? g_.Options().Contains(goColSizing) : g_.Options().Contains(goRowSizing);
    if (sizing) {
        const bool inside = inRow ? p.x() - r.left() > 4 && r.right() - p.x() > 4
                                  : p.y() - r.top() > 4 && r.bottom() - p.y() > 4;
        if (!inside)
            return false;
    }
    StartFixedCellEdit(cell.X, cell.Y);
    return true;
}

bool GridMouse::FilterRelease(TGridCoord cell, QPoint p)
{
    if (cell.X < 0 || cell.Y != g_.FilterDropDownRow || cell.Y >= g_.FixedRows())
        return false;
    const QRect r = g_.CellRect(cell.X, cell.Y);
    const int fromRight = r.right() + 1 - p.x();
    if (fromRight > kDropDownZone || fromRight < 3 || p.y() - r.top() > kFilterTop ||
        !g_.GetColumnFilter(g_.RealColIndex(cell.X)))
        return false;
    if (FilterDropDown)
        FilterDropDown(cell.X, QRect(r.right() + 1 - kDropDownZone, r.top(), kDropDownZone, r.height()));
    return true;
}

void GridMouse::StartFixedCellEdit(int col, int row)
{
    bool canEdit = true;
    if (g_.OnCanEditCell)
        g_.OnCanEditCell(&g_, row, col, canEdit);
    if (!canEdit)
        return;
    TGridFixedCellEditor kind = col == 0 ? g_.MouseActions.FixedColsEditor : g_.MouseActions.FixedRowsEditor;
    QStringList items = g_.MouseActions.FixedComboValues;
    g_.FixedEdit(col, row, kind, items);
    const QRect r = g_.CellRect(col, row).adjusted(1, 1, -1, -1);
    if (ShowFixedCellEditor)
        ShowFixedCellEditor(col, row, r, kind, items);
}

} // namespace grid
