#pragma once
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/move_arrows.h"
#include "controls/grid/html/mini_html_layout.h"

#include <QMimeData>
#include <QPoint>

#include <functional>
#include <memory>

namespace grid {

// Cursor numbers the mouse front end asks the widget to show.
namespace cursors {
constexpr int Default = 0;
constexpr int Drag = -12;
constexpr int NoDrop = -13;
constexpr int HSplit = -14;
constexpr int VSplit = -15;
constexpr int HandPoint = -21;
// Panning: 8000 standing, then down, left, right, up, up-right, up-left,
// down-right, down-left.
constexpr int PanStill = 8000;
constexpr int RowSelect = 8010;
constexpr int ColSelect = 8011;
constexpr int AllSelect = 8012;
} // namespace cursors

// A hint for the cell under the pointer: its text and where it shows
// (client pixels).
struct GridHintInfo
{
    bool Show = false;
    QString Text;
    QPoint Pos;
    TGridCoord Cell{-1, -1};
};

// A column or row moved by mouse with EnhRowColMove, in client pixels: the
// floating caption (the moved header's text, held where the pointer took
// it) and the insertion arrows where it would land now.
struct MoveFeedback
{
    bool Active = false;
    bool Columns = false;
    int From = -1;
    int Target = -1;
    QString Caption;
    QRect CaptionRect;
    ArrowMarks Arrows;
};

// An in-text control of a mini-HTML cell (a CONTROL tag).
struct CellControlHit
{
    QString Id;
    QString Type; // upper-cased
    QString Value;
};

// The mouse front end of the grid, headless: press, move, release, double
// click, leave and wheel steps over client pixel positions. It keeps what a
// press starts (range selection, column or row sizing and moving, the
// selection resizer, a held header click) until the release. Editors are
// opened and closed through the grid's ShowInplaceEdit and HideInplaceEdit
// hooks, as the keyboard does.
class GridMouse
{
public:
    explicit GridMouse(TExStringGrid& grid);
    ~GridMouse();
    GridMouse(const GridMouse&) = delete;
    GridMouse& operator=(const GridMouse&) = delete;

    // What the platform answers: a Yes/No question, a message, opening a
    // link with the desktop, taking the keyboard focus. Unset: links are
    // never opened.
    std::function<bool(const QString& question)> Ask;
    std::function<void(const QString& text)> Inform;
    std::function<void(const QString& url)> OpenUrl;
    // The link under a client point of a mini-HTML cell as the painter lays
    // the cell out ("" for none); unset: laid out here with the grid's
    // measurer.
    std::function<QString(int col, int row, QPoint p)> HitAnchor;

    // Node rows (display row, real row): asked before a node opens or
    // closes (allow may refuse), told after.
    std::function<void(TExStringGrid*, int row, int realRow, bool& allow)> OnBeforeExpandNode;
    std::function<void(TExStringGrid*, int row, int realRow, bool& allow)> OnBeforeContractNode;
    std::function<void(TExStringGrid*, int row, int realRow)> OnExpandNode;
    std::function<void(TExStringGrid*, int row, int realRow)> OnContractNode;
    // A radio group's item picked by a click (real column, row, item).
    std::function<void(TExStringGrid*, int col, int row, int index)> OnRadioClick;
    // A fixed cell's editor is to open over rect (the fixed-cell editors
    // show it); kind and items as FixedEdit left them.
    std::function<void(int col, int row, const QRect& rect, TGridFixedCellEditor kind, const QStringList& items)>
        ShowFixedCellEditor;
    // A press on a fixed cell's drop-down button, on a filter glyph (the
    // lists come from their own controls).
    std::function<void(int col, int row)> FixedDropDown;
    std::function<void(int col, QRect glyph)> FilterDropDown;

    // Dragging cells out of the grid: a press on the selection starts a drag
    // once the pointer moves more than 3 pixels with the button down.
    // OnOleDrag (row, real column, the pressed cell's text) may refuse (the
    // press then selects); StartDrag gets the pressed cell and whether a
    // header was pressed (the drag itself is the widget's).
    bool DragSource = false;
    std::function<void(TExStringGrid*, int row, int col, const QString& text, bool& allow)> OnOleDrag;
    std::function<void(TGridCoord cell, bool header)> StartDrag;

    // Opens the fixed-cell editor on a fixed cell (when OnCanEditCell
    // agrees).
    void StartFixedCellEdit(int col, int row);
    // Picks the item of a radio group cell under (x, y) relative to the
    // cell's top-left corner.
    void RadioClick(int col, int row, int x, int y);
    // Always-visible spin buttons: the last press hit the up (+1) or down
    // (-1) half of a spin cell's buttons; 0 for neither.
    int SpinClick() const { return spinClick_; }

    // In-text controls: the control under a client point as the painter
    // lays the cell out (unset: laid out here); a click on a check box,
    // radio item or button of an editable cell changes it in the cell text
    // and fires OnControlClick (row, display column, id, type, new value);
    // edit, password, mask and combo controls go to EditCellControl.
    std::function<bool(int col, int row, QPoint p, CellControlHit& hit)> HitControl;
    std::function<void(TExStringGrid*, int row, int col, const QString& id, const QString& type,
                       const QString& value)>
        OnControlClick;
    std::function<void(int col, int row, const CellControlHit& hit)> EditCellControl;
    bool ControlAt(int col, int row, QPoint p, CellControlHit& hit);
    // The cell whose in-text button is held down; (-1, -1) for none.
    TGridCoord PressedControl() const { return ctrlDown_; }

    // The steps. ownerEvents false detaches OnMouseDown and OnMouseUp (a
    // click the program simulates).
    void Press(TMouseButton button, TShiftState shift, QPoint p, bool ownerEvents = true);
    void Move(TShiftState shift, QPoint p, bool leftDown);
    void Release(TMouseButton button, TShiftState shift, QPoint p, bool ownerEvents = true);
    void DoubleClick(TShiftState shift, QPoint p);
    void Leave();
    // The grid lost the keyboard focus: a held in-text button comes up.
    void FocusLost();
    // A simulated left click: press and release at p, owner events detached.
    void Click(QPoint p, TShiftState shift = {});

    // A wheel turn of delta (120 per notch, negative towards the user) by
    // lines per notch; true when the grid used it.
    bool Wheel(int delta, TShiftState shift, QPoint p, int lines);
    // Zoom steps every non-empty size by x; refused outside -10 .. 10.
    void Zoom(int x);

    // Middle-button panning: Start at the press point, one Step per timer
    // tick with the pointer's position (answers the cursor to show), Stop.
    bool CanPan() const;
    void StartPan(QPoint p);
    int PanStep(QPoint pointer);
    void StopPan();
    bool Panning() const { return panning_; }
    QPoint PanOrigin() const { return panOrigin_; }

    // While a drag selects and the pointer is beyond the cells: one row or
    // column further that way, scrolled into view; false when nothing moved.
    bool AutoScrollStep(QPoint pointer);
    bool Selecting() const
    {
        return mode_ == Mode::Selecting || mode_ == Mode::RowSelecting || mode_ == Mode::ColSelecting;
    }
    // One tick of the grid's 500 ms timer with the pointer's client position
    // (inside: over this grid's client area).
    void TimerTick(QPoint pointer, bool inside);

    // The cursor for the pointer at p (buttons up, or the state held).
    int CursorAt(QPoint p);
    // The hint for the pointer at p.
    GridHintInfo HintAt(QPoint p);

    // The column or row move under way (inactive otherwise).
    const MoveFeedback& MoveView() const { return moveView_; }
    // Ends a column or row move under way (dragged past the threshold)
    // without moving anything (Esc, focus loss); its release is then
    // ignored. False when none was.
    bool CancelMove();

    // A press is held (a release is due).
    bool ButtonHeld() const { return mode_ != Mode::None || held_; }
    // The sizing line while a column / row is sized; -1 otherwise.
    int ColSizeLine() const { return mode_ == Mode::ColSizing ? sizeLine_ : -1; }
    int RowSizeLine() const { return mode_ == Mode::RowSizing ? sizeLine_ : -1; }
    // With HintShowSizing while a column (row) is sized: "cw=<b>" width
    // "</b>" ("rh=" and the height for rows); "" otherwise.
    QString SizingHint() const;
    // The cell the sizing hint shows at (the sized column's header, the
    // sized row's first cell).
    TGridCoord SizingCell() const;
    // The anchor under the pointer after the last Move ("" for none).
    const QString& HoverAnchor() const { return hoverAnchor_; }
    // The anchor under a client point of a cell ("" for none).
    QString AnchorAt(int col, int row, QPoint p);

private:
    enum class Mode { None, Selecting, ColSizing, RowSizing, ColMovePending, RowMovePending, ColMoving, RowMoving,
                      Resizing, RowSelecting, ColSelecting, ButtonHeld };

    void LeftPress(TShiftState shift, QPoint p, bool ownerEvents);
    void RightPress(TShiftState shift, QPoint p, bool ownerEvents);
    bool InResizer(QPoint p) const;
    // The column (row) whose right (bottom) border lies within 3 pixels of
    // the point in the fixed area; -1 for none.
    int SizingCol(QPoint p) const;
    int SizingRow(QPoint p) const;
    // With SizeFixedCol (SizeFixedRow): the fixed column (row) whose right
    // (bottom) border lies less than 3 pixels from a point on any cell; -1
    // for none.
    int FixedSizingCol(QPoint p) const;
    int FixedSizingRow(QPoint p) const;
    bool CheckBoxPress(TGridCoord cell, int real, QPoint p, TShiftState shift, bool ownerEvents);
    // A press on the selection that may become a drag.
    bool DragPress(TGridCoord cell, int real, QPoint p, TShiftState shift, bool ownerEvents);
    // A move with the button down: true when it started the drag.
    bool DragMove(QPoint p);
    // The control presses before a cell's own: spin buttons, node glyphs,
    // radio groups, ratings; true when the press ends there.
    bool ControlPress(TGridCoord cell, int real, QPoint p, TShiftState shift, bool ownerEvents);
    bool NodePress(TGridCoord cell, QPoint p, TShiftState shift, bool ownerEvents);
    // Disjunct row selection by a press on a data row; true when it ends
    // the press.
    bool DisjunctRowPress(TGridCoord cell, TShiftState shift, const TGridRect& before);
    void DisjunctRowRelease(TGridCoord cell);
    // A release on a filter glyph of the filter row: true when it was one.
    bool FilterRelease(TGridCoord cell, QPoint p);
    // Fixed-cell editing and drop-down buttons by a press.
    bool FixedCellPress(TMouseButton button, TGridCoord cell, QPoint p);
    bool AnchorPress(TGridCoord cell, QPoint p);
    bool ControlTagPress(TGridCoord cell, int real, QPoint p);
    // The mini-HTML layout of a cell hit-tested at p; false for a cell that
    // is no mini-HTML.
    bool HtmlHit(int col, int row, QPoint p, html::HtmlLayout& layout);
    // The rectangle of a cell's button or expand button; empty for none.
    QRect CellButtonRect(TGridCoord cell, bool& expand);
    void FollowAnchor(TGridCoord cell, const QString& anchor);
    void SortClick(int col, TShiftState shift);
    void UpdateMoveView(QPoint p);
    void EndResize();
    void FireClick();
    void FireMouseDown(TMouseButton b, TShiftState shift, QPoint p, bool ownerEvents);
    void Hover(QPoint p);
    TGridCoord DataCellAt(QPoint p) const;
    int SizeNow() const;

    TExStringGrid& g_;
    Mode mode_ = Mode::None;
    bool held_ = false;
    QPoint downAt_;
    TGridCoord downCell_{-1, -1};
    bool doOnClick_ = false;
    bool dblClk_ = false;
    bool moveDone_ = false;
    int sizeIndex_ = -1;
    int sizeStart_ = 0;  // size of the sized column (row) at the press
    int sizeDown_ = 0;   // press position along the sized axis
    int sizeLine_ = -1;
    int moveFrom_ = -1;
    int moveTo_ = -1;
    QPoint moveOfs_; // the press inside the moved header cell
    MoveFeedback moveView_;
    int selectStart_ = -1;
    TGridCoord pushed_{-1, -1}; // the cell whose button is held down
    TGridRect dropSelection_;
    std::unique_ptr<QMimeData> resizeCopy_;
    QString hoverAnchor_;
    TGridCoord hoverAnchorCell_{-1, -1};
    bool panning_ = false;
    QPoint panOrigin_;
    int spinClick_ = 0;
    TGridCoord ctrlDown_{-1, -1};
    bool selectionClick_ = false;
    bool deselectRow_ = false;
    bool rowSelectPress_ = false;
    bool allNodesContracted_ = false;
};

} // namespace grid
