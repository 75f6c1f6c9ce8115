// The grid's mouse front end: the ordered press tests (resizer, sizing
// borders, anchors, fixed-area selection, moves, check boxes, the plain
// press), the release (sizing, moves, resize paste, click, sort), double
// click, hover, hints, the wheel, zoom and panning. Cells and selections are
// display indices; cell state is asked at the real column.
#include "controls/grid/core/mouse_input.h"

#include "controls/grid/core/text_routines.h"
#include "controls/grid/exchange/clipboard.h"
#include "controls/grid/core/grid_html_measurer.h"

#include <QElapsedTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace grid {

namespace {

constexpr int kResizerSize = 6;
constexpr int kBorderZone = 3;
constexpr int kDragThreshold = 3;
constexpr int kPanDeadZone = 5;

// Links a click may hand to the desktop; anything else (files, programs,
// other schemes) is never started.
constexpr const char* kOpenSchemes[] = {"http", "https", "mailto"};

// Cursor per panning direction: [vertical + 1][horizontal + 1].
constexpr int kPanCursors[3][3] = {{8006, 8004, 8005}, {8002, 8000, 8003}, {8008, 8001, 8007}};

bool Held(const TShiftState& s, TShiftStateItem i)
{
    return s.Contains(i);
}

int Right(const QRect& r)
{
    return r.x() + r.width();
}

int Bottom(const QRect& r)
{
    return r.y() + r.height();
}

void SetEditing(TExStringGrid& g, bool on)
{
    TGridOptions o = g.Options();
    if (on)
        o.Include(goEditing);
    else
        o.Exclude(goEditing);
    g.SetOptions(o);
}

bool InFixedArea(const TExStringGrid& g, TGridCoord c)
{
    return c.X < g.FixedCols() || c.Y < g.FixedRows();
}

TGridRect Normalized(const TGridRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

// The link a click may open: a known scheme, "www." taken as a web address.
QUrl OpenableUrl(const QString& anchor)
{
    QString text = anchor.trimmed();
    if (text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        text.prepend(QStringLiteral("http://"));
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return {};
    const QString scheme = url.scheme().toLower();
    for (const char* s : kOpenSchemes) {
        if (scheme == QLatin1String(s))
            return (scheme == QLatin1String("mailto") || !url.host().isEmpty()) ? url : QUrl();
    }
    return {};
}

} // namespace

GridMouse::GridMouse(TExStringGrid& grid) : g_(grid) {}

GridMouse::~GridMouse() = default;

// ---- Geometry ----

TGridCoord GridMouse::DataCellAt(QPoint p) const
{
    // Past the last shown cell the last one counts, so a drag beyond the
    // client keeps its range.
    int x = std::clamp(p.x(), 0, std::max(0, g_.ClientWidth() - 1));
    int y = std::clamp(p.y(), 0, std::max(0, g_.ClientHeight() - 1));
    TGridCoord c = g_.MouseCoord(x, y);
    if (c.X < 0 || c.Y < 0) {
        const int lastCol = std::max(g_.FixedCols(), std::min(g_.ColCount() - 1, g_.LeftCol() + g_.VisibleColCount()));
        const int lastRow = std::max(g_.FixedRows(), std::min(g_.RowCount() - 1, g_.TopRow() + g_.VisibleRowCount()));
        const TGridCoord byX = g_.MouseCoord(x, 0);
        const TGridCoord byY = g_.MouseCoord(0, y);
        c = {byX.X >= 0 ? byX.X : lastCol, byY.Y >= 0 ? byY.Y : lastRow};
    }
    c.X = std::clamp(c.X, g_.FixedCols(), std::max(g_.FixedCols(), g_.ColCount() - 1));
    c.Y = std::clamp(c.Y, g_.FixedRows(), std::max(g_.FixedRows(), g_.RowCount() - 1));
    return c;
}

bool GridMouse::InResizer(QPoint p) const
{
    if (!g_.SelectionResizer() || !g_.SelectionRectangle())
        return false;
    const TGridRect s = Normalized(g_.Selection());
    const QRect r = g_.CellRect(s.Right, s.Bottom);
    if (r.isEmpty())
        return false;
    const QRect spot(Right(r) - kResizerSize, Bottom(r) - kResizerSize, kResizerSize, kResizerSize);
    return spot.contains(p);
}

int GridMouse::SizingCol(QPoint p) const
{
    if (!g_.Options().Contains(goColSizing) || p.y() < 0 || p.y() >= g_.FixedRowsHeight())
        return -1;
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    if (c.X < 0) {
        // Just past the last shown column.
        const int last = std::min(g_.ColCount() - 1, g_.LeftCol() + g_.VisibleColCount());
        const QRect r = g_.CellRect(last, 0);
        return !r.isEmpty() && p.x() >= Right(r) && p.x() - Right(r) <= kBorderZone ? last : -1;
    }
    const QRect r = g_.CellRect(c.X, c.Y);
    if (Right(r) - p.x() <= kBorderZone)
        return c.X;
    const int prev = c.X - 1;
    const bool adjacent = prev >= 0 && (prev < g_.FixedCols() || prev >= g_.LeftCol());
    if (p.x() - r.x() < kBorderZone && adjacent)
        return prev;
    return -1;
}

int GridMouse::SizingRow(QPoint p) const
{
    if (!g_.Options().Contains(goRowSizing) || p.x() < 0 || p.x() >= g_.FixedColsWidth())
        return -1;
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    if (c.Y < 0) {
        const int last = std::min(g_.RowCount() - 1, g_.TopRow() + g_.VisibleRowCount());
        const QRect r = g_.CellRect(0, last);
        return !r.isEmpty() && p.y() >= Bottom(r) && p.y() - Bottom(r) <= kBorderZone ? last : -1;
    }
    const QRect r = g_.CellRect(c.X, c.Y);
    if (Bottom(r) - p.y() <= kBorderZone)
        return c.Y;
    const int prev = c.Y - 1;
    const bool adjacent = prev >= 0 && (prev < g_.FixedRows() || prev >= g_.TopRow());
    if (p.y() - r.y() < kBorderZone && adjacent)
        return prev;
    return -1;
}

int GridMouse::FixedSizingCol(QPoint p) const
{
    if (!g_.MouseActions.SizeFixedCol)
        return -1;
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    if (c.X < 0 || c.Y < 0)
        return -1;
    int border = 0;
    for (int i = 0; i < g_.FixedCols(); ++i) {
        border += g_.ColWidths(i);
        if (std::abs(p.x() - border) < kBorderZone)
            return i;
    }
    return -1;
}

int GridMouse::FixedSizingRow(QPoint p) const
{
    if (!g_.MouseActions.SizeFixedRow)
        return -1;
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    if (c.X < 0 || c.Y < 0)
        return -1;
    int border = 0;
    for (int i = 0; i < g_.FixedRows(); ++i) {
        border += g_.RowHeights(i);
        if (std::abs(p.y() - border) < kBorderZone)
            return i;
    }
    return -1;
}

bool GridMouse::HtmlHit(int col, int row, QPoint p, html::HtmlLayout& layout)
{
    if (col < 0 || row < 0 || col >= g_.ColCount() || row >= g_.RowCount())
        return false;
    const int real = g_.RealColIndex(col);
    const QString text = g_.GetCellEx(real, row);
    if (GetTextKind(text, g_.EnableHTML) != 1)
        return false;
    QRect r = g_.CellRect(col, row);
    if (r.isEmpty() || !r.contains(p))
        return false;
    const QPoint off = g_.XYOffset();
    r.adjust(off.x(), off.y(), g_.XYOffsetTopLeftOnly ? 0 : -off.x(), 0);
    if (g_.GetCellGraphic(real, row) != nullptr) {
        const GraphicLayout graphic = g_.GetGraphicLayout(real, row);
        if (graphic.HAlign == haBeforeText)
            r.setLeft(r.left() + graphic.Width);
    }
    const CellLook look = g_.GetVisualProperties(col, row, TGridDrawState{}, false, false, true);
    html::HtmlLayoutInput in;
    in.Text = text;
    in.Rect = r;
    in.Font.Name = look.Font.Name;
    in.Font.Size = look.Font.Size;
    in.Font.Bold = look.Font.Style & fsBold;
    in.Font.Italic = look.Font.Style & fsItalic;
    in.Font.Underline = look.Font.Style & fsUnderline;
    in.Font.Color = look.Font.Color;
    in.Point = p;
    in.HitTestOnly = true;
    in.WordWrap = look.WordWrap;
    GridHtmlMeasurer measurer(g_.TextMeasure());
    layout = html::LayoutHtmlText(in, measurer, nullptr);
    return true;
}

bool GridMouse::ControlAt(int col, int row, QPoint p, CellControlHit& hit)
{
    if (HitControl)
        return HitControl(col, row, p, hit);
    html::HtmlLayout layout;
    if (!HtmlHit(col, row, p, layout) || !layout.Hit || layout.HitLinkTarget != QLatin1String("ctrl"))
        return false;
    hit.Id = layout.ControlID;
    hit.Type = layout.ControlType.toUpper();
    hit.Value = layout.ControlValue;
    return true;
}

QString GridMouse::AnchorAt(int col, int row, QPoint p)
{
    if (col < 0 || row < 0 || col >= g_.ColCount() || row >= g_.RowCount())
        return {};
    const int real = g_.RealColIndex(col);
    const QString text = g_.GetCellEx(real, row);
    const int kind = GetTextKind(text, g_.EnableHTML);
    QRect r = g_.CellRect(col, row);
    if (r.isEmpty() || !r.contains(p))
        return {};
    const QPoint off = g_.XYOffset();
    r.adjust(off.x(), off.y(), g_.XYOffsetTopLeftOnly ? 0 : -off.x(), 0);
    if (g_.GetCellGraphic(real, row) != nullptr) {
        const GraphicLayout layout = g_.GetGraphicLayout(real, row);
        if (layout.HAlign == haBeforeText)
            r.setLeft(r.left() + layout.Width);
    }
    const CellLook look = g_.GetVisualProperties(col, row, TGridDrawState{}, false, false, true);
    if (kind == 1 && HitAnchor)
        return HitAnchor(col, row, p);
    if (kind == 1) {
        html::HtmlLayout layout;
        HtmlHit(col, row, p, layout);
        return layout.Hit && layout.HitLinkTarget != QLatin1String("ctrl") ? layout.HitLinkTarget : QString();
    }
    if (g_.URLShow() && IsUrlText(text)) {
        // A plain URL cell: the link is its text, where the text lies.
        QString shown = text;
        if (!g_.URLFull())
            StripUrlPrefix(shown);
        const int width = g_.TextMeasure().TextWidth(look.Font, shown);
        return p.x() >= r.left() && p.x() < r.left() + width + 2 ? text : QString();
    }
    return {};
}

// The size of the column (row) being sized: its size at the press moved
// by the pointer's way since, at least one pixel.
int GridMouse::SizeNow() const
{
    return std::max(1, sizeStart_ + sizeLine_ - sizeDown_);
}

QString GridMouse::SizingHint() const
{
    if (!g_.HintShowSizing || (mode_ != Mode::ColSizing && mode_ != Mode::RowSizing))
        return {};
    const QString prefix = mode_ == Mode::ColSizing ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>");
    return prefix + QString::number(SizeNow()) + QStringLiteral("</b>");
}

TGridCoord GridMouse::SizingCell() const
{
    if (mode_ == Mode::ColSizing)
        return {sizeIndex_, 0};
    if (mode_ == Mode::RowSizing)
        return {0, sizeIndex_};
    return {-1, -1};
}

// ---- Press ----

void GridMouse::FireMouseDown(TMouseButton b, TShiftState shift, QPoint p, bool ownerEvents)
{
    if (ownerEvents && g_.OnMouseDown)
        g_.OnMouseDown(&g_, b, shift, p.x(), p.y());
}

void GridMouse::FireClick()
{
    if (g_.OnClick)
        g_.OnClick(&g_);
}

void GridMouse::Press(TMouseButton button, TShiftState shift, QPoint p, bool ownerEvents)
{
    if (panning_)
        StopPan();
    if (button == mbLeft)
        LeftPress(shift, p, ownerEvents);
    else if (button == mbRight)
        RightPress(shift, p, ownerEvents);
}

void GridMouse::LeftPress(TShiftState shift, QPoint p, bool ownerEvents)
{
    held_ = true;
    g_.FMouseDown = true;
    doOnClick_ = true;
    dblClk_ = false;
    moveDone_ = false;
    downAt_ = p;
    mode_ = Mode::None;
    spinClick_ = 0;
    rowSelectPress_ = false;
    selectionClick_ = false;
    g_.SearchInc.clear();
    const TGridRect before = g_.Selection();

    // The selection resizer: a private copy of the cells, pasted over the
    // grown selection at the release (the user's clipboard is left alone).
    if (InResizer(p)) {
        dropSelection_ = Normalized(before);
        resizeCopy_ = RectToMimeData(g_, dropSelection_);
        mode_ = Mode::Resizing;
        return;
    }

    TGridCoord cell = g_.MouseCoord(p.x(), p.y());
    downCell_ = cell;
    if (g_.Options().Contains(goEditing) && g_.MouseActions.RangeSelectAndEdit && cell.X >= 0 &&
        !g_.GetSelectedCellState(cell.X, cell.Y))
        SetEditing(g_, false);
    if (cell.X >= 0) {
        bool allow = true;
        if (g_.OnCanClickCell)
            g_.OnCanClickCell(&g_, cell.Y, cell.X, allow);
        if (!allow) {
            held_ = false;
            g_.FMouseDown = false;
            return;
        }
    }

    // Column and row borders in the fixed area; with SizeFixedCol
    // (SizeFixedRow) a fixed column's (row's) border on any row (column).
    int sizeCol = SizingCol(p);
    int sizeRow = sizeCol < 0 ? SizingRow(p) : -1;
    if (sizeCol < 0 && sizeRow < 0) {
        sizeCol = FixedSizingCol(p);
        sizeRow = sizeCol < 0 ? FixedSizingRow(p) : -1;
    }
    if (sizeCol >= 0 || sizeRow >= 0) {
        g_.HideInplaceEdit();
        const bool cols = sizeCol >= 0;
        sizeIndex_ = cols ? sizeCol : sizeRow;
        sizeStart_ = cols ? g_.ColWidths(sizeCol) : g_.RowHeights(sizeRow);
        sizeLine_ = cols ? p.x() : p.y();
        sizeDown_ = sizeLine_;
        mode_ = cols ? Mode::ColSizing : Mode::RowSizing;
        FireMouseDown(mbLeft, shift, p, ownerEvents);
        return;
    }

    if (cell.X < 0 || cell.Y < 0) {
        g_.HideInplaceEdit();
        return;
    }
    {
        const TGridCoord base = g_.BaseCell(g_.RealColIndex(cell.X), cell.Y);
        cell = {g_.DisplColIndex(base.X), base.Y};
        downCell_ = cell;
    }
    const int real = g_.RealColIndex(cell.X);
    const bool fixedArea = InFixedArea(g_, cell);
    if (fixedArea || g_.IsFixed(cell.X, cell.Y))
        g_.HideInplaceEdit();
    if (ControlPress(cell, real, p, shift, ownerEvents))
        return;
    if (DragPress(cell, real, p, shift, ownerEvents))
        return;

    // Cell and expand buttons: held down by the press, clicked by a release
    // inside them.
    bool expand = false;
    const QRect buttonRect = CellButtonRect(cell, expand);
    if (!buttonRect.isNull()) {
        g_.HideInplaceEdit();
        if (!fixedArea && !g_.IsFixed(cell.X, cell.Y))
            g_.MoveColRow(cell.X, cell.Y, true, true);
        if (buttonRect.contains(p)) {
            if (!expand)
                g_.PushButton(cell.X, cell.Y, true);
            pushed_ = cell;
            mode_ = Mode::ButtonHeld;
            FireMouseDown(mbLeft, shift, p, ownerEvents);
            if (g_.OnClickCell)
                g_.OnClickCell(&g_, cell.Y, cell.X);
        }
        return;
    }

    if (DisjunctRowPress(cell, shift, Normalized(before)))
        return;
    if (ControlTagPress(cell, real, p) || AnchorPress(cell, p))
        return;

    // Whole grid, rows and columns from the fixed area.
    const int fixedCols = g_.FixedCols();
    const int fixedRows = g_.FixedRows();
    const int lastCol = g_.ColCount() - 1;
    const int lastRow = g_.RowCount() - 1;
    if (cell.X < fixedCols && cell.Y < fixedRows && g_.MouseActions.AllSelect &&
        g_.Options().Contains(goRangeSelect)) {
        g_.SetFocus();
        g_.SetSelection({fixedCols, fixedRows, lastCol, lastRow});
        FireMouseDown(mbLeft, shift, p, ownerEvents);
        return;
    }
    if (cell.X < fixedCols && cell.Y >= fixedRows && g_.MouseActions.RowSelect) {
        const int from = Held(shift, ssShift) ? Normalized(before).Top : cell.Y;
        selectStart_ = from;
        g_.MoveColRow(std::max(g_.Col(), fixedCols), cell.Y, true, true);
        g_.SetSelection({fixedCols, from, lastCol, cell.Y});
        mode_ = Mode::RowSelecting;
        FireMouseDown(mbLeft, shift, p, ownerEvents);
        return;
    }
    if (cell.Y < fixedRows && cell.X >= fixedCols && g_.MouseActions.ColSelect &&
        g_.Options().Contains(goRangeSelect)) {
        const TGridRect s = Normalized(before);
        const int from = Held(shift, ssShift) ? (cell.X < s.Left ? s.Right : s.Left) : cell.X;
        selectStart_ = from;
        g_.SetSelection({from, fixedRows, cell.X, lastRow});
        mode_ = Mode::ColSelecting;
        FireMouseDown(mbLeft, shift, p, ownerEvents);
        return;
    }

    if (CheckBoxPress(cell, real, p, shift, ownerEvents))
        return;

    // A header cell may start a column move; a row header a row move.
    if (cell.Y < fixedRows && cell.X >= fixedCols && g_.Options().Contains(goColMoving)) {
        moveFrom_ = moveTo_ = cell.X;
        mode_ = Mode::ColMovePending;
    } else if (cell.X < fixedCols && cell.Y >= fixedRows && g_.Options().Contains(goRowMoving)) {
        moveFrom_ = moveTo_ = cell.Y;
        mode_ = Mode::RowMovePending;
    }
    if (mode_ == Mode::ColMovePending || mode_ == Mode::RowMovePending)
        moveOfs_ = p - g_.CellRect(cell.X, cell.Y).topLeft();

    if (fixedArea && FixedCellPress(mbLeft, cell, p))
        return;
    if (fixedArea || g_.IsFixed(cell.X, cell.Y)) {
        FireMouseDown(mbLeft, shift, p, ownerEvents);
        const QRect r = g_.CellRect(cell.X, cell.Y);
        const bool nearBorder = cell.Y < fixedRows && g_.Options().Contains(goColSizing) &&
                                (p.x() - r.x() <= 4 || Right(r) - p.x() <= 4);
        if (!nearBorder && g_.OnClickCell)
            g_.OnClickCell(&g_, cell.Y, cell.X);
        return;
    }

    // A plain data cell: the current cell moves there (Shift extends the
    // range from the anchor), and dragging selects.
    const bool rangeSelectAndEdit = g_.MouseActions.RangeSelectAndEdit && !g_.MouseActions.EditOnDblClickOnly();
    if (rangeSelectAndEdit && cell.X == g_.Col() && cell.Y == g_.Row() && !g_.Options().Contains(goEditing) &&
        g_.IsEditable(real, cell.Y) && !g_.IsControlCell(real, cell.Y)) {
        SetEditing(g_, true);
        FireMouseDown(mbLeft, shift, p, ownerEvents);
        g_.ShowInplaceEdit();
        return;
    }
    if (g_.EditorMode() && (cell.X != g_.Col() || cell.Y != g_.Row()))
        g_.HideInplaceEdit();
    const bool extend = Held(shift, ssShift) && g_.Options().Contains(goRangeSelect);
    g_.MoveColRow(cell.X, cell.Y, !extend, true);
    if (g_.Col() != cell.X || g_.Row() != cell.Y) {
        // The move was refused: the press is reported, no click, no drag,
        // no editor.
        FireMouseDown(mbLeft, shift, p, ownerEvents);
        if (g_.OnClickCell)
            g_.OnClickCell(&g_, cell.Y, cell.X);
        return;
    }
    g_.SnapToBaseCell();
    mode_ = Mode::Selecting;
    FireMouseDown(mbLeft, shift, p, ownerEvents);
    if (g_.OnClickCell)
        g_.OnClickCell(&g_, cell.Y, cell.X);

    // Direct editing: a press well inside an editable cell opens its editor.
    const QRect r = g_.CellRect(cell.X, cell.Y);
    const bool inside = p.x() - r.x() > 3 && Right(r) - p.x() > 3;
    if (g_.MouseActions.DirectEdit && inside && g_.IsEditable(real, cell.Y) && !g_.IsControlCell(real, cell.Y) &&
        cell.X == g_.Col() && cell.Y == g_.Row()) {
        if (!g_.Options().Contains(goEditing))
            SetEditing(g_, true);
        g_.ShowInplaceEdit();
    }
}

bool GridMouse::CheckBoxPress(TGridCoord cell, int real, QPoint p, TShiftState shift, bool ownerEvents)
{
    bool canEdit = g_.Options().Contains(goEditing) || g_.MouseActions.RangeSelectAndEdit;
    g_.CanEditCell(real, cell.Y, canEdit);
    if (!(canEdit || g_.ControlLook.CheckAlwaysActive))
        return false;
    if (!g_.HasCheckBox(real, cell.Y) || !g_.IsInCheckBox(real, cell.Y, p.x(), p.y()))
        return false;
    g_.HideInplaceEdit();
    g_.SetFocus();
    g_.ToggleCheckBoxEx(real, cell.Y, true);
    if (g_.ShowModified.Enabled) {
        g_.SetRowModified(cell.Y, true);
        g_.RepaintCell(0, cell.Y);
    }
    bool state = false;
    g_.GetCheckBoxState(real, g_.RealRowIndex(cell.Y), state);
    const bool dataCell = !InFixedArea(g_, cell);
    if (!g_.Navigation.AlwaysEdit && dataCell)
        g_.MoveColRow(cell.X, cell.Y, true, true);
    // The display column, as the keyboard's toggle reports it too.
    if (g_.OnCheckBoxClick)
        g_.OnCheckBoxClick(&g_, cell.X, cell.Y, state);
    g_.RepaintCell(cell.X, cell.Y);
    if (!dataCell && g_.MouseActions.CheckAllCheck) {
        for (int r = g_.FixedRows(); r < g_.RowCount() - g_.FixedFooters(); ++r)
            if (g_.HasCheckBox(real, r))
                g_.SetCheckBoxState(real, r, state);
    }
    FireMouseDown(mbLeft, shift, p, ownerEvents);
    // The click step follows at the release.
    mode_ = Mode::Selecting;
    return true;
}

QRect GridMouse::CellButtonRect(TGridCoord cell, bool& expand)
{
    const int real = g_.RealColIndex(cell.X);
    expand = false;
    if (g_.HasButton(real, cell.Y))
        return g_.GetCellButtonRect(cell.X, cell.Y);
    if (g_.HasExpand(real, cell.Y)) {
        expand = true;
        return g_.GetExpandButtonRect(cell.X, cell.Y);
    }
    return {};
}

bool GridMouse::AnchorPress(TGridCoord cell, QPoint p)
{
    const QString anchor = AnchorAt(cell.X, cell.Y, p);
    if (anchor.isEmpty())
        return false;
    FollowAnchor(cell, anchor);
    held_ = false;
    g_.FMouseDown = false;
    return true;
}

void GridMouse::FollowAnchor(TGridCoord cell, const QString& anchor)
{
    bool autoHandle = true;
    if (g_.OnAnchorClick)
        g_.OnAnchorClick(&g_, cell.Y, cell.X, anchor, autoHandle);
    if (!autoHandle)
        return;
    if (anchor.toUpper().contains(QStringLiteral("CELL://"))) {
        // A reference to a cell of this grid ("CELL://" then e.g. "B3").
        int col = -1;
        int row = -1;
        if (g_.IsCell(anchor.mid(anchor.toUpper().indexOf(QStringLiteral("CELL://")) + 7), col, row)) {
            g_.MoveColRow(col, row, true, true);
            g_.ScrollInView(col, row);
        }
        return;
    }
    const QUrl url = OpenableUrl(anchor);
    if (url.isEmpty()) {
        if (Inform)
            Inform(QStringLiteral("This link is not opened: only web (http, https) and mail (mailto) links open "
                                  "from a cell.\n%1")
                       .arg(anchor));
        return;
    }
    const QString shown = url.toString();
    if (Ask && OpenUrl && Ask(QStringLiteral("Open this link?\n%1").arg(shown)))
        OpenUrl(shown);
}

void GridMouse::RightPress(TShiftState shift, QPoint p, bool ownerEvents)
{
    held_ = true;
    downAt_ = p;
    TGridCoord cell = g_.MouseCoord(p.x(), p.y());
    FireMouseDown(mbRight, shift, p, ownerEvents);
    if (cell.X < 0 || cell.Y < 0)
        return;
    if (InFixedArea(g_, cell) && FixedCellPress(mbRight, cell, p))
        return;
    if (g_.MouseActions.SelectOnRightClick && !InFixedArea(g_, cell) && !g_.IsFixed(cell.X, cell.Y) &&
        !g_.GetSelectedCellState(cell.X, cell.Y)) {
        const TGridCoord base = g_.BaseCell(g_.RealColIndex(cell.X), cell.Y);
        cell = {g_.DisplColIndex(base.X), base.Y};
        if (g_.EditorMode())
            g_.HideInplaceEdit();
        g_.MoveColRow(cell.X, cell.Y, true, true);
        if (g_.Col() == cell.X && g_.Row() == cell.Y)
            FireClick();
    }
    if (g_.OnRightClickCell)
        g_.OnRightClickCell(&g_, cell.Y, cell.X);
}

// ---- Move ----

void GridMouse::Move(TShiftState shift, QPoint p, bool leftDown)
{
    if (leftDown && selectionClick_ && DragMove(p))
        return;
    if (!leftDown || mode_ == Mode::None) {
        Hover(p);
        return;
    }
    switch (mode_) {
    case Mode::Selecting: {
        // Without range selection the current cell follows the drag.
        const TGridCoord c = DataCellAt(p);
        if (c.X != g_.Col() || c.Y != g_.Row()) {
            const TGridRect old = g_.Selection();
            g_.MoveColRow(c.X, c.Y, false, true);
            const TGridRect now = g_.Selection();
            if (now != old)
                g_.InvalidateSelection(now.Left, now.Top, now.Right, now.Bottom);
        }
        break;
    }
    case Mode::RowSelecting:
    case Mode::ColSelecting: {
        const TGridCoord c = DataCellAt(p);
        if (mode_ == Mode::RowSelecting)
            g_.SetSelection({g_.FixedCols(), selectStart_, g_.ColCount() - 1, c.Y});
        else
            g_.SetSelection({selectStart_, g_.FixedRows(), c.X, g_.RowCount() - 1});
        break;
    }
    case Mode::ColSizing:
    case Mode::RowSizing: {
        const bool cols = mode_ == Mode::ColSizing;
        sizeLine_ = cols ? p.x() : p.y();
        const int size = SizeNow();
        if (cols && g_.OnColumnSizing)
            g_.OnColumnSizing(&g_, sizeIndex_, size);
        if (!cols && g_.OnRowSizing)
            g_.OnRowSizing(&g_, sizeIndex_, size);
        break;
    }
    case Mode::ColMovePending:
    case Mode::RowMovePending: {
        if (std::abs(p.x() - downAt_.x()) <= kDragThreshold && std::abs(p.y() - downAt_.y()) <= kDragThreshold)
            break;
        const bool cols = mode_ == Mode::ColMovePending;
        bool allow = true;
        if (cols && g_.OnColumnMove)
            g_.OnColumnMove(&g_, moveFrom_, allow);
        if (!cols && g_.OnRowMove)
            g_.OnRowMove(&g_, moveFrom_, allow);
        mode_ = allow ? (cols ? Mode::ColMoving : Mode::RowMoving) : Mode::None;
        [[fallthrough]];
    }
    case Mode::ColMoving:
    case Mode::RowMoving:
        if (mode_ == Mode::ColMoving)
            moveTo_ = DataCellAt(p).X;
        else if (mode_ == Mode::RowMoving)
            moveTo_ = DataCellAt(p).Y;
        UpdateMoveView(p);
        break;
    case Mode::Resizing: {
        const TGridCoord c = DataCellAt(p);
        TGridRect grown = dropSelection_;
        grown.Right = std::max(c.X, dropSelection_.Right);
        grown.Bottom = std::max(c.Y, dropSelection_.Bottom);
        if (grown != g_.Selection())
            g_.SetSelection(grown);
        break;
    }
    case Mode::None:
    case Mode::ButtonHeld:
        break;
    }
    Hover(p);
}

void GridMouse::UpdateMoveView(QPoint p)
{
    const bool cols = mode_ == Mode::ColMoving;
    if ((!cols && mode_ != Mode::RowMoving) || !g_.EnhRowColMove || g_.RowCount() < 2) {
        moveView_ = MoveFeedback{};
        return;
    }
    moveView_.Active = true;
    moveView_.Columns = cols;
    moveView_.From = moveFrom_;
    moveView_.Target = cols ? moveTo_ : RowMoveTarget(g_, moveTo_);
    // The caption is the moved header, as wide as the column (as high as
    // the row) and as high (wide) as the cell under the pointer.
    const TGridCoord under = g_.MouseCoord(p.x(), p.y());
    QSize size;
    if (cols) {
        moveView_.Caption = g_.Cells(g_.RealColIndex(moveFrom_), 0);
        size = QSize(g_.ColWidths(moveFrom_), g_.RowHeights(under.Y >= 0 ? under.Y : 0));
        moveView_.Arrows = ColumnMoveArrows(g_, moveFrom_, moveTo_);
    } else {
        moveView_.Caption = g_.Cells(g_.RealColIndex(0), moveFrom_);
        size = QSize(g_.ColWidths(under.X >= 0 ? under.X : 0), g_.RowHeights(moveFrom_));
        moveView_.Arrows = RowMoveArrows(g_, moveFrom_, moveTo_);
    }
    moveView_.CaptionRect = QRect(p - moveOfs_, size);
}

bool GridMouse::CancelMove()
{
    // A header press not yet dragged stays a click.
    if (mode_ != Mode::ColMoving && mode_ != Mode::RowMoving)
        return false;
    mode_ = Mode::None;
    held_ = false;
    g_.FMouseDown = false;
    moveView_ = MoveFeedback{};
    return true;
}

void GridMouse::Hover(QPoint p)
{
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    g_.HoverCellScrollBar(c.X, c.Y);
    if (g_.HoverRow) {
        const int row = c.Y >= g_.FixedRows() ? c.Y : -1;
        if (row != g_.FHoverRowIdx) {
            const int old = g_.FHoverRowIdx;
            g_.FHoverRowIdx = row;
            if (old >= 0 && old < g_.RowCount())
                g_.RepaintRow(old);
            if (row >= 0)
                g_.RepaintRow(row);
        }
    }
    const QString anchor = c.X >= 0 ? AnchorAt(c.X, c.Y, p) : QString();
    if (anchor != hoverAnchor_ || (anchor.isEmpty() ? false : c != hoverAnchorCell_)) {
        if (!hoverAnchor_.isEmpty() && g_.OnAnchorExit)
            g_.OnAnchorExit(&g_, hoverAnchorCell_.Y, hoverAnchorCell_.X, hoverAnchor_);
        hoverAnchor_ = anchor;
        hoverAnchorCell_ = anchor.isEmpty() ? TGridCoord{-1, -1} : c;
        if (!anchor.isEmpty() && g_.OnAnchorEnter)
            g_.OnAnchorEnter(&g_, c.Y, c.X, anchor);
    }
}

void GridMouse::Leave()
{
    if (g_.HoverRow && g_.FHoverRowIdx >= 0) {
        const int old = g_.FHoverRowIdx;
        g_.FHoverRowIdx = -1;
        if (old < g_.RowCount())
            g_.RepaintRow(old);
    }
    if (!hoverAnchor_.isEmpty() && g_.OnAnchorExit)
        g_.OnAnchorExit(&g_, hoverAnchorCell_.Y, hoverAnchorCell_.X, hoverAnchor_);
    hoverAnchor_.clear();
    hoverAnchorCell_ = {-1, -1};
}

// ---- Release ----

void GridMouse::Release(TMouseButton button, TShiftState shift, QPoint p, bool ownerEvents)
{
    if (!held_ && mode_ == Mode::None)
        return; // the press went elsewhere
    held_ = false;
    g_.FMouseDown = false;
    const Mode mode = mode_;
    mode_ = Mode::None;
    moveView_ = MoveFeedback{};
    if (ctrlDown_.X >= 0) {
        g_.RepaintCell(ctrlDown_.X, ctrlDown_.Y);
        ctrlDown_ = {-1, -1};
    }
    if (button != mbLeft) {
        if (ownerEvents && g_.OnMouseUp)
            g_.OnMouseUp(&g_, button, shift, p.x(), p.y());
        return;
    }
    bool movedOrSized = false;
    switch (mode) {
    case Mode::ColSizing:
    case Mode::RowSizing: {
        const bool cols = mode == Mode::ColSizing;
        sizeLine_ = cols ? p.x() : p.y();
        const int size = SizeNow();
        sizeLine_ = -1;
        movedOrSized = true;
        if (cols) {
            bool allow = true;
            if (g_.OnColumnSize)
                g_.OnColumnSize(&g_, sizeIndex_, allow);
            if (allow && size != g_.ColWidths(sizeIndex_)) {
                g_.BeginUserColSizing(sizeIndex_);
                g_.SetColWidths(sizeIndex_, size);
            }
        } else if (size != g_.RowHeights(sizeIndex_)) {
            g_.BeginUserRowSizing(sizeIndex_);
            g_.SetRowHeights(sizeIndex_, size);
        }
        break;
    }
    case Mode::ColMoving:
        movedOrSized = true;
        if (moveTo_ >= g_.FixedCols() && moveTo_ != moveFrom_) {
            g_.MoveColumn(moveFrom_, moveTo_);
            moveDone_ = true;
        }
        break;
    case Mode::RowMoving:
        movedOrSized = true;
        // A row never moves below a fixed footer.
        moveTo_ = std::min(moveTo_, g_.RowCount() - g_.FixedFooters() - 1);
        if (moveTo_ >= g_.FixedRows() && moveTo_ != moveFrom_) {
            g_.MoveRow(moveFrom_, moveTo_);
            moveDone_ = true;
        }
        break;
    case Mode::Resizing:
        EndResize();
        break;
    case Mode::ButtonHeld: {
        const TGridCoord cell = pushed_;
        pushed_ = {-1, -1};
        bool expand = false;
        const QRect r = CellButtonRect(cell, expand);
        if (!expand)
            g_.PushButton(cell.X, cell.Y, false);
        const bool fixed = InFixedArea(g_, cell) || g_.IsFixed(cell.X, cell.Y);
        if (!r.contains(p) && !fixed)
            break;
        if (expand)
            g_.ExpandClick(cell.X, cell.Y, g_.ToggleExpand(g_.RealColIndex(cell.X), cell.Y));
        else
            g_.ButtonClick(cell.X, cell.Y);
        // A release on the button ends here.
        doOnClick_ = false;
        return;
    }
    default:
        break;
    }

    if (ownerEvents && g_.OnMouseUp)
        g_.OnMouseUp(&g_, button, shift, p.x(), p.y());

    const TGridCoord cell = g_.MouseCoord(p.x(), p.y());
    if (selectionClick_) {
        // A press on the selection that started no drag selects the cell.
        selectionClick_ = false;
        if (cell.X >= g_.FixedCols() && cell.Y >= g_.FixedRows())
            g_.MoveColRow(cell.X, cell.Y, true, true);
    }
    DisjunctRowRelease(cell);
    const bool onGlyph = FilterRelease(cell, p);
    if (mode == Mode::Selecting) {
        // The click step: OnClick after the current cell moved.
        FireClick();
    } else if (!movedOrSized && doOnClick_ && cell.X >= 0 &&
               (InFixedArea(g_, cell) || g_.IsFixed(cell.X, cell.Y)) && SizingCol(p) < 0) {
        FireClick();
    }
    doOnClick_ = false;

    // Sorting by a click on the sort row.
    if (movedOrSized || dblClk_ || cell.X < 0 || downCell_.X < 0) {
        dblClk_ = false;
        return;
    }
    const int real = g_.RealColIndex(cell.X);
    if (cell.X < g_.FixedCols() && !g_.SortSettings.FixedCols)
        return;
    if (g_.HasCheckBox(real, cell.Y)) {
        bool state = false;
        g_.GetCheckBoxState(real, g_.RealRowIndex(cell.Y), state);
        if (g_.OnCheckBoxMouseUp)
            g_.OnCheckBoxMouseUp(&g_, cell.X, cell.Y, state);
        return;
    }
    const QRect r = g_.CellRect(cell.X, cell.Y);
    if (cell.Y == 0 && g_.Options().Contains(goColSizing) && (p.x() - r.x() <= 4 || Right(r) - p.x() <= 4))
        return;
    // Not on a drop-down button or filter glyph.
    if (onGlyph || (g_.ControlLook.FixedDropDownButton && cell.Y < g_.FixedRows() && Right(r) - p.x() <= 16))
        return;
    const int sortRow = g_.SortSettings.Row();
    if (cell.Y == sortRow && downCell_.Y == sortRow && downCell_.X == cell.X && g_.FixedRows() > 0 &&
        g_.SortSettings.Show() && g_.RowCount() > 2 && !g_.IsIgnoredColumn(real))
        SortClick(cell.X, shift);
}

void GridMouse::EndResize()
{
    const TGridRect now = g_.Selection();
    if (g_.OnSelectionResize)
        g_.OnSelectionResize(&g_, dropSelection_, now);
    if (resizeCopy_ && now != dropSelection_)
        PasteSelection(g_, *resizeCopy_);
    resizeCopy_.reset();
    if (g_.OnSelectionResized)
        g_.OnSelectionResized(&g_, dropSelection_, now);
}

void GridMouse::SortClick(int col, TShiftState shift)
{
    bool doSort = true;
    if (g_.OnCanSort)
        g_.OnCanSort(&g_, col, doSort);
    if (!doSort) {
        g_.RepaintCell(col, g_.SortSettings.Row());
        return;
    }
    g_.HideInplaceEdit();
    const int real = g_.RealColIndex(col);
    TSortSettings& s = g_.SortSettings;
    QElapsedTimer timer;
    timer.start();
    g_.BeginUpdate();
    if (s.IndexShow) {
        // The index key adds the column to the sort indexes (or flips it);
        // without it the column becomes the only index (or flips).
        const bool key = (s.IndexSortKey == ikShift && Held(shift, ssShift)) ||
                         (s.IndexSortKey == ikCtrl && Held(shift, ssCtrl)) ||
                         (s.IndexSortKey == ikAlt && Held(shift, ssAlt));
        TSortIndexList& indexes = g_.SortIndexes;
        const bool ascending = s.InitSortDirection == sdAscending;
        const int at = indexes.FindIndex(real);
        if (at >= 0 && (key || indexes.Count() == 1)) {
            indexes.ToggleIndex(real);
        } else if (key) {
            indexes.AddIndex(real, ascending);
        } else {
            indexes.Clear();
            indexes.AddIndex(real, ascending);
        }
        if (g_.NumNodes() > 0)
            g_.QSortGroupIndexed();
        else
            g_.QSortIndexed();
        s.Column = indexes.Count() > 0 ? indexes.GetSortColumns(0) : -1;
    } else if (real == s.Column) {
        const TSortDirection next = s.Direction == sdAscending ? sdDescending : sdAscending;
        if (s.UndoSort && next == s.InitSortDirection) {
            // The click that would return to the first direction restores
            // the order from before the sorts.
            g_.QUnSort();
            s.Column = -1;
            s.Direction = s.InitSortDirection;
        } else {
            s.Direction = next;
            g_.QSort();
        }
    } else {
        s.Column = real;
        s.Direction = s.InitSortDirection;
        g_.QSort();
    }
    g_.EndUpdate();
    g_.SortTime = static_cast<quint32>(timer.elapsed());
    g_.Invalidate();
    if (g_.OnClickSort)
        g_.OnClickSort(&g_, col);
}

void GridMouse::Click(QPoint p, TShiftState shift)
{
    Press(mbLeft, shift, p, false);
    Release(mbLeft, shift, p, false);
}

// ---- Double click ----

void GridMouse::DoubleClick(TShiftState shift, QPoint p)
{
    // The double click takes the place of what its second press began.
    mode_ = Mode::None;
    sizeLine_ = -1;
    held_ = true;
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    if (c.X < 0 || c.Y < 0)
        return;
    // A double click on a header border fits the column (and the release
    // that follows does not sort).
    if (c.Y < g_.FixedRows() && g_.Options().Contains(goColSizing) && g_.MouseActions.AutoSizeColOnDblClick) {
        const QRect r = g_.CellRect(c.X, c.Y);
        int col = -1;
        if (p.x() - r.x() <= kBorderZone)
            col = c.X - 1;
        else if (Right(r) - p.x() <= kBorderZone)
            col = c.X;
        if (col >= g_.FixedCols()) {
            dblClk_ = true;
            bool allow = true;
            if (g_.OnColumnSize)
                g_.OnColumnSize(&g_, col, allow);
            if (allow)
                g_.AutoSizeCol(col, 0);
            if (g_.OnEndColumnSize)
                g_.OnEndColumnSize(&g_, col);
            return;
        }
    }
    const TGridCoord base = g_.BaseCell(g_.RealColIndex(c.X), c.Y);
    const TGridCoord cell{g_.DisplColIndex(base.X), base.Y};
    const int real = base.X;
    bool expand = false;
    if (g_.IsControlCell(real, cell.Y) || CellButtonRect(cell, expand).contains(p))
        return;
    if (g_.OnDblClickCell)
        g_.OnDblClickCell(&g_, cell.Y, cell.X);
    if (InFixedArea(g_, cell)) {
        const bool inRow = cell.Y < g_.FixedRows() && g_.MouseActions.FixedRowsEdit == fceDblClick;
        const bool inCol = cell.X < g_.FixedCols() && cell.Y >= g_.FixedRows() &&
                           g_.MouseActions.FixedColsEdit == fceDblClick;
        if (inRow || inCol)
            StartFixedCellEdit(cell.X, cell.Y);
        return;
    }
    if (g_.EditorMode() || cell.X != g_.Col() || cell.Y != g_.Row())
        return;
    const bool editOnDbl = g_.MouseActions.EditOnDblClickOnly();
    if (editOnDbl || g_.MouseActions.RangeSelectAndEdit) {
        const bool was = g_.MouseActions.RangeSelectAndEdit;
        g_.MouseActions.RangeSelectAndEdit = true;
        const bool editable = g_.IsEditable(real, cell.Y);
        g_.MouseActions.RangeSelectAndEdit = was;
        if (!editable)
            return;
        SetEditing(g_, true);
    }
    // The grid's own double click opens the editor of an editable cell.
    if (g_.Options().Contains(goEditing) && !g_.Options().Contains(goAlwaysShowEditor) &&
        g_.IsEditable(real, cell.Y))
        g_.ShowInplaceEdit();
}

// ---- Wheel, zoom, panning ----

bool GridMouse::Wheel(int delta, TShiftState shift, QPoint p, int lines)
{
    if (delta == 0 || panning_)
        return false;
    if (lines < 0)
        lines = std::max(1, g_.VisibleRowCount());
    const bool towardsUser = delta < 0;
    if (Held(shift, ssCtrl) && g_.IntelliZoom) {
        Zoom(towardsUser ? lines : -lines);
        g_.AutoSizeCells(true, 4, 4);
        return true;
    }
    if (!g_.EnableWheel || (g_.FixedRowAlways() && g_.RowCount() == 1))
        return false;
    const int notches = std::max(1, std::abs(delta) / 120);
    const int step = (g_.MouseActions.WheelIncrement > 0 ? g_.MouseActions.WheelIncrement : lines) * notches;
    const bool scroll = g_.MouseActions.WheelAction() == waScroll;
    const TGridRect before = g_.Selection();
    int newRow = g_.Row();
    if (!scroll) {
        newRow = towardsUser ? g_.Row() + step : g_.Row() - step;
    } else if (towardsUser) {
        if (g_.TopRow() < g_.RowCount() - g_.VisibleRowCount())
            g_.SetTopRow(std::min(g_.TopRow() + step, g_.MaxTopRow()));
    } else if (g_.TopRow() > g_.FixedRows()) {
        g_.SetTopRow(std::max(g_.FixedRows(), g_.TopRow() - step));
    }
    const int lastData = g_.RowCount() - g_.FixedFooters() - 1;
    newRow = std::clamp(newRow, g_.FixedRows(), std::max(g_.FixedRows(), lastData));
    int delta2 = 0;
    const int oldRow = g_.Row();
    if (newRow >= 0 && newRow < g_.RowCount() && !scroll) {
        g_.BeginUpdate();
        if (g_.MouseActions.DisjunctRowSelect())
            g_.ClearRowSelect();
        delta2 = newRow - g_.Row();
        if (g_.EditorMode())
            g_.HideInplaceEdit();
        g_.SetRow(newRow);
        if (g_.Row() != newRow && g_.Row() == oldRow) {
            // Refused: half the distance, halves to even.
            const int half = static_cast<int>(std::nearbyint((newRow - g_.Row()) / 2.0));
            g_.SetRow(g_.Row() + half);
        }
        g_.EndUpdate();
    }
    if (g_.Row() != oldRow)
        FireClick();
    bool handled = true;
    if (g_.MouseActions.WheelIncrement != 0 || g_.MouseActions.DisjunctRowSelect()) {
        if (g_.MouseActions.DisjunctRowSelect())
            handled = false;
        const auto& ev = towardsUser ? g_.OnMouseWheelDown : g_.OnMouseWheelUp;
        if (ev)
            ev(&g_, shift, p, handled);
    }
    Q_UNUSED(delta2);
    const TGridRect now = g_.Selection();
    if (now != before)
        g_.InvalidateSelection(now.Left, now.Top, now.Right, now.Bottom);
    return true;
}

void GridMouse::Zoom(int x)
{
    if (g_.ZoomFactor + x < -10 || g_.ZoomFactor + x > 10)
        return;
    g_.ZoomFactor += x;
    for (int c = 0; c < g_.ColCount(); ++c) {
        const int w = g_.ColWidths(c);
        if (w > 0 && w + x > 0)
            g_.SetColWidths(c, w + x);
    }
    for (int r = 0; r < g_.RowCount(); ++r) {
        const int h = g_.RowHeights(r);
        if (h > 0 && h + x > 0)
            g_.SetRowHeights(r, h + x);
    }
}

bool GridMouse::CanPan() const
{
    return g_.IntelliPan != ipNone && g_.RowCount() > g_.FixedRows();
}

void GridMouse::StartPan(QPoint p)
{
    if (!CanPan())
        return;
    panning_ = true;
    panOrigin_ = p;
}

void GridMouse::StopPan()
{
    panning_ = false;
}

int GridMouse::PanStep(QPoint pointer)
{
    if (!panning_)
        return cursors::Default;
    int v = pointer.y() < panOrigin_.y() - kPanDeadZone ? -1 : pointer.y() > panOrigin_.y() + kPanDeadZone ? 1 : 0;
    int h = pointer.x() < panOrigin_.x() - kPanDeadZone ? -1 : pointer.x() > panOrigin_.x() + kPanDeadZone ? 1 : 0;
    if (g_.IntelliPan == ipHorizontal)
        v = 0;
    if (g_.IntelliPan == ipVertical)
        h = 0;
    const int lastDataRow = g_.RowCount() - g_.FixedFooters() - 1;
    const int lastDataCol = g_.ColCount() - g_.FixedRightCols() - 1;
    int row = std::clamp(g_.Row(), g_.FixedRows(), std::max(g_.FixedRows(), lastDataRow));
    int col = std::clamp(g_.Col(), g_.FixedCols(), std::max(g_.FixedCols(), lastDataCol));
    if (g_.MouseActions.WheelAction() == waScroll) {
        if (h < 0 && g_.LeftCol() > g_.FixedCols())
            g_.SetLeftCol(g_.LeftCol() - 1);
        if (h > 0 && g_.LeftCol() < g_.ColCount() - g_.VisibleColCount())
            g_.SetLeftCol(g_.LeftCol() + 1);
        if (v < 0 && g_.TopRow() > g_.FixedRows())
            g_.SetTopRow(g_.TopRow() - 1);
        if (v > 0 && g_.TopRow() < g_.RowCount() - g_.VisibleRowCount())
            g_.SetTopRow(g_.TopRow() + 1);
    } else {
        if (h < 0 && col > g_.FixedCols())
            --col;
        if (h > 0 && col < lastDataCol)
            ++col;
        if (v < 0 && row > g_.FixedRows())
            --row;
        if (v > 0 && row < lastDataRow)
            ++row;
        if (col != g_.Col() || row != g_.Row()) {
            g_.MoveColRow(col, row, true, true);
            FireClick();
        }
    }
    return kPanCursors[v + 1][h + 1];
}

// ---- The timers ----

bool GridMouse::AutoScrollStep(QPoint pointer)
{
    if (!Selecting())
        return false;
    const int dx = pointer.x() < g_.FixedColsWidth() ? -1 : pointer.x() >= g_.ClientWidth() ? 1 : 0;
    const int dy = pointer.y() < g_.FixedRowsHeight() ? -1 : pointer.y() >= g_.ClientHeight() ? 1 : 0;
    if (dx == 0 && dy == 0)
        return false;
    const int lastCol = g_.ColCount() - 1;
    const int lastRow = g_.RowCount() - 1;
    if (mode_ == Mode::RowSelecting) {
        const TGridRect s = g_.Selection();
        const int to = std::clamp((s.Top == selectStart_ ? s.Bottom : s.Top) + dy, g_.FixedRows(), lastRow);
        g_.SetSelection({g_.FixedCols(), selectStart_, lastCol, to});
        g_.ScrollInView(g_.Col(), to);
        return dy != 0;
    }
    if (mode_ == Mode::ColSelecting) {
        const TGridRect s = g_.Selection();
        const int to = std::clamp((s.Left == selectStart_ ? s.Right : s.Left) + dx, g_.FixedCols(), lastCol);
        g_.SetSelection({selectStart_, g_.FixedRows(), to, lastRow});
        g_.ScrollInView(to, g_.Row());
        return dx != 0;
    }
    const int col = std::clamp(g_.Col() + dx, g_.FixedCols(), lastCol);
    const int row = std::clamp(g_.Row() + dy, g_.FixedRows(), lastRow);
    if (col == g_.Col() && row == g_.Row())
        return false;
    g_.MoveColRow(col, row, false, true);
    return true;
}

void GridMouse::TimerTick(QPoint pointer, bool inside)
{
    ++g_.FTimerTicks;
    // The incremental search text lives four ticks after the last key.
    if (g_.Navigation.AutoGotoIncremental) {
        const bool expired = g_.SearchTics >= 3;
        ++g_.SearchTics;
        if (expired) {
            g_.SearchInc.clear();
            g_.SearchTics = 0;
        }
    }
    if (g_.Hovering && inside && mode_ == Mode::None) {
        const TGridCoord c = g_.MouseCoord(pointer.x(), pointer.y());
        if (c.X >= g_.FixedCols() && c.Y >= g_.FixedRows() && (c.X != g_.Col() || c.Y != g_.Row())) {
            g_.SetFocus();
            g_.MoveColRow(c.X, c.Y, true, true);
            // A refused move (a footer, a fixed-looking cell) clicks nothing.
            if (g_.Col() == c.X && g_.Row() == c.Y)
                FireClick();
        }
    }
    if (g_.EnableBlink) {
        g_.FGridBlink = !g_.FGridBlink;
        // Only the cells shown: fixed rows and columns and the scrolled area.
        const auto blinkIn = [&](int col, int row) {
            if (g_.GetCellEx(g_.RealColIndex(col), row).contains(QStringLiteral("<BLI"), Qt::CaseInsensitive))
                g_.RepaintCell(col, row);
        };
        const int lastCol = std::min(g_.ColCount() - 1, g_.LeftCol() + g_.VisibleColCount());
        const int lastRow = std::min(g_.RowCount() - 1, g_.TopRow() + g_.VisibleRowCount());
        for (int r = 0; r <= lastRow; ++r) {
            if (r >= g_.FixedRows() && r < g_.TopRow())
                r = g_.TopRow();
            for (int c = 0; c <= lastCol; ++c) {
                if (c >= g_.FixedCols() && c < g_.LeftCol())
                    c = g_.LeftCol();
                blinkIn(c, r);
            }
        }
    }
}

// ---- Cursor and hints ----

int GridMouse::CursorAt(QPoint p)
{
    switch (mode_) {
    case Mode::ColSizing:
        return cursors::HSplit;
    case Mode::RowSizing:
        return cursors::VSplit;
    case Mode::ColMoving:
    case Mode::RowMoving:
        return cursors::Drag;
    case Mode::Resizing:
        return cursors::AllSelect;
    default:
        break;
    }
    if (SizingCol(p) >= 0 || FixedSizingCol(p) >= 0)
        return cursors::HSplit;
    if (SizingRow(p) >= 0 || FixedSizingRow(p) >= 0)
        return cursors::VSplit;
    if (InResizer(p))
        return cursors::AllSelect;
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    if (c.X < 0 || c.Y < 0)
        return cursors::Default;
    if (c.X < g_.FixedCols() && c.Y < g_.FixedRows() && g_.MouseActions.AllSelect)
        return cursors::AllSelect;
    if (c.Y < g_.FixedRows() && c.X >= g_.FixedCols() && g_.MouseActions.ColSelect)
        return cursors::ColSelect;
    if (c.X < g_.FixedCols() && c.Y >= g_.FixedRows() && g_.MouseActions.RowSelect)
        return cursors::RowSelect;
    if (!AnchorAt(c.X, c.Y, p).isEmpty())
        return cursors::HandPoint;
    return cursors::Default;
}

GridHintInfo GridMouse::HintAt(QPoint p)
{
    GridHintInfo info;
    const TGridCoord c = g_.MouseCoord(p.x(), p.y());
    if (c.X < 0 || c.Y < 0)
        return info;
    const TGridCoord base = g_.BaseCell(g_.RealColIndex(c.X), c.Y);
    const TGridCoord cell{g_.DisplColIndex(base.X), base.Y};
    const QRect r = g_.CellRect(cell.X, cell.Y);
    info.Cell = cell;
    info.Pos = QPoint(p.x(), Bottom(r) + 6);
    QString text;
    if (g_.AnchorHint) {
        const QString anchor = AnchorAt(cell.X, cell.Y, p);
        if (!anchor.isEmpty()) {
            text = anchor;
            info.Pos = p + QPoint(8, -16);
        }
    }
    const bool dataCell = !InFixedArea(g_, cell) && !g_.IsFixed(cell.X, cell.Y);
    if (text.isEmpty() && g_.HintShowCells && dataCell) {
        text = g_.StrippedCells(base.X, cell.Y);
        info.Pos = QPoint(p.x(), r.y());
    }
    QString wide;
    g_.GridHint(cell.X, cell.Y, text, wide);
    info.Text = text;
    info.Show = !text.isEmpty();
    return info;
}

} // namespace grid
