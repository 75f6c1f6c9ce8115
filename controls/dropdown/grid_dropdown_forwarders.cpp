#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/grid_dropdown.h"

#include <utility>

// The popup grid's events forwarded as the drop-down's OnGrid events: one
// row per forwarder; an opening attaches the connected ones.
namespace dropdown {

namespace {

using D = TCustomExGridDropDown;
using Grid = griddropdown::TExColGrid;
using grid::TExStringGrid;

// The grid event fires the drop-down's event with its own arguments.
template <auto GridEvent, auto DropDownEvent>
void Forward(D& dd, Grid& g)
{
    g.*GridEvent = [&dd](auto&&... args) {
        if (dd.*DropDownEvent)
            (dd.*DropDownEvent)(std::forward<decltype(args)>(args)...);
    };
}

// As Forward, with the popup blocked from closing while the event runs.
template <auto GridEvent, auto DropDownEvent>
void ForwardBlocked(D& dd, Grid& g)
{
    g.*GridEvent = [&dd](auto&&... args) {
        TDropDownForm* form = dd.DropDownForm();
        const bool old = form ? form->BlockActivate : false;
        if (form)
            form->BlockActivate = true;
        if (dd.*DropDownEvent)
            (dd.*DropDownEvent)(std::forward<decltype(args)>(args)...);
        if (form)
            form->BlockActivate = old;
    };
}

void GetAlignment(D& dd, Grid& g)
{
    g.OnGetAlignment = [&dd](TExStringGrid* s, int row, int col, grid::TAlignment& h, grid::TVAlignment& v) {
        if (Grid* pg = dd.GetGrid(); pg && col >= 0 && col < int(pg->Columns.size()))
            h = pg->Columns[size_t(col)].Alignment;
        if (dd.OnGridGetAlignment)
            dd.OnGridGetAlignment(s, row, col, h, v);
    };
}

void GetCellColor(D& dd, Grid& g)
{
    g.OnGetCellColor = [&dd](TExStringGrid* s, int row, int col, grid::TGridDrawState state, grid::TBrush& brush,
                             grid::TFont& font) {
        if (Grid* pg = dd.GetGrid(); pg && col >= 0 && col < int(pg->Columns.size()))
            brush.Color = pg->Columns[size_t(col)].Color;
        if (dd.OnGridGetCellColor)
            dd.OnGridGetCellColor(s, row, col, state, brush, font);
    };
}

void GetFloatFormat(D& dd, Grid& g)
{
    g.OnGetFloatFormat = [&dd](TExStringGrid* s, int col, int row, bool& isFloat, QString& format) {
        format.clear();
        if (dd.OnGridGetFloatFormat)
            dd.OnGridGetFloatFormat(s, col, row, isFloat, format);
    };
}

void TopLeftChanged(D& dd, Grid& g)
{
    g.OnTopLeftChanged = [&dd](grid::TObjStringGrid*) {
        if (dd.OnGridTopLeftChanged)
            dd.OnGridTopLeftChanged(&dd);
    };
}

constexpr const char* kOwnHandler = "not connected: the drop-down's own handler takes the grid's event";
constexpr const char* kKeyForwarding = "not connected: fires from the key forwarding";
constexpr const char* kBlock = "the popup is blocked from closing during the event";
constexpr const char* kOwnEvent = "an event of the popup grid";

}  // namespace

#define FW(slot, name, gridEvent, event, connected, notes)                                                    \
    GridForwarder { slot, name, #event, connected, notes, &Forward<&gridEvent, &D::event> }
#define FB(slot, name, gridEvent, event)                                                                       \
    GridForwarder { slot, name, #event, true, kBlock, &ForwardBlocked<&gridEvent, &D::event> }

const std::array<GridForwarder, 53> kGridForwarders{{
    FB(114, "DoAnchorClick", TExStringGrid::OnAnchorClick, OnGridAnchorClick),
    FW(115, "DoAnchorEnter", TExStringGrid::OnAnchorEnter, OnGridAnchorEnter, true, ""),
    FW(116, "DoAnchorExit", TExStringGrid::OnAnchorExit, OnGridAnchorExit, true, ""),
    FW(117, "DoAnchorHint", Grid::OnAnchorHint, OnGridAnchorHint, true, kOwnEvent),
    FB(118, "DoButtonClick", TExStringGrid::OnButtonClick, OnGridButtonClick),
    FW(119, "DoCanSort", TExStringGrid::OnCanSort, OnGridCanSort, false, kOwnHandler),
    FW(120, "DoClickSort", TExStringGrid::OnClickSort, OnGridClickSort, false, kOwnHandler),
    FW(121, "DoCustomCompare", TExStringGrid::OnCustomCompare, OnGridCustomCompare, false, "not connected"),
    FW(122, "DoRawCompare", TExStringGrid::OnRawCompare, OnGridRawCompare, false, "not connected"),
    FW(123, "DoColumnSize", TExStringGrid::OnColumnSize, OnGridColumnSize, true, ""),
    FW(124, "DoColumnSizing", TExStringGrid::OnColumnSizing, OnGridColumnSizing, true, ""),
    FW(125, "DoEndColumnSize", TExStringGrid::OnEndColumnSize, OnGridEndColumnSize, true, ""),
    FW(126, "DoRowSize", Grid::OnRowSize, OnGridRowSize, true, kOwnEvent),
    FW(127, "DoRowSizing", TExStringGrid::OnRowSizing, OnGridRowSizing, true, ""),
    FW(128, "DoEndRowSize", TExStringGrid::OnEndRowSize, OnGridEndRowSize, true, ""),
    FW(129, "DoRowMove", TExStringGrid::OnRowMove, OnGridRowMove, true, ""),
    FW(130, "DoRowMoving", Grid::OnRowMoving, OnGridRowMoving, true, kOwnEvent),
    FW(131, "DoRowMoved", TExStringGrid::OnRowMoved, OnGridRowMoved, true, ""),
    FW(132, "DoColumnMove", TExStringGrid::OnColumnMove, OnGridColumnMove, true, ""),
    FW(133, "DoColumnMoving", Grid::OnColumnMoving, OnGridColumnMoving, true, kOwnEvent),
    FW(134, "DoColumnMoved", TExStringGrid::OnColumnMoved, OnGridColumnMoved, true, ""),
    FW(135, "DoCustomCellDraw", Grid::OnCustomCellDraw, OnGridCustomCellDraw, true,
       "only when the event is assigned at the opening"),
    FW(136, "DoCustomCellBkgDraw", Grid::OnCustomCellBkgDraw, OnGridCustomCellBkgDraw, true,
       "only when the event is assigned at the opening"),
    FW(137, "DoCellBalloon", TExStringGrid::OnCellBalloon, OnGridCellBalloon, true, ""),
    GridForwarder{138, "DoGetAlignment", "OnGridGetAlignment", true, "the column's alignment first", &GetAlignment},
    GridForwarder{139, "DoGetCellColor", "OnGridGetCellColor", true, "the column's colour first", &GetCellColor},
    FW(140, "DoGetCellGradient", TExStringGrid::OnGetCellGradient, OnGridGetCellGradient, true, ""),
    GridForwarder{141, "DoGetFloatFormat", "OnGridGetFloatFormat", true, "the format emptied first", &GetFloatFormat},
    FW(142, "DoGetEditorType", TExStringGrid::OnGetEditorType, OnGridGetEditorType, true, ""),
    FW(143, "DoGetEditorProp", Grid::OnGetEditorProp, OnGridGetEditorProp, true, kOwnEvent),
    FW(144, "DoCanEditCell", TExStringGrid::OnCanEditCell, OnGridCanEditCell, true, ""),
    FB(145, "DoEllipsClick", Grid::OnEllipsClick, OnGridEllipsClick),
    FW(146, "DoGetDisplText", TExStringGrid::OnGetDisplText, OnGridGetDiplText, true, ""),
    FW(147, "DoGetFormat", TExStringGrid::OnGetFormat, OnGridGetFormat, true, ""),
    FW(148, "DoGridHint", TExStringGrid::OnGridHint, OnGridHint, true, ""),
    FW(149, "DoMouseMove", Grid::OnMouseMove, OnGridMouseMove, true, kOwnEvent),
    FW(150, "DoMouseDown", TExStringGrid::OnMouseDown, OnGridMouseDown, true, ""),
    FW(151, "DoMouseUp", TExStringGrid::OnMouseUp, OnGridMouseUp, true, ""),
    FW(152, "DoKeyDown", TExStringGrid::OnKeyDown, OnGridKeyDown, false, kKeyForwarding),
    FW(153, "DoKeyUp", Grid::OnKeyUp, OnGridKeyUp, false, kKeyForwarding),
    FW(154, "DoKeyPress", TExStringGrid::OnKeyPress, OnGridKeyPress, false, kKeyForwarding),
    FW(155, "DoRightClickCell", TExStringGrid::OnRightClickCell, OnGridRightClickCell, true, ""),
    FW(156, "DoScrollHint", TExStringGrid::OnScrollHint, OnGridScrollHint, true, ""),
    GridForwarder{157, "DoTopLeftChanged", "OnGridTopLeftChanged", true, "Sender is the drop-down", &TopLeftChanged},
    FW(158, "DoSearchEditChange", Grid::OnSearchEditChange, OnGridSearchEditChange, true, kOwnEvent),
    FW(159, "DoSpinClick", Grid::OnSpinClick, OnGridSpinClick, false, "not connected"),
    FW(160, "DoAutoAddRow", TExStringGrid::OnAutoAddRow, OnGridAutoAddRow, true, ""),
    FW(161, "DoAutoInsertRow", TExStringGrid::OnAutoInsertRow, OnGridInsertRow, true, ""),
    FW(162, "DoAutoInsertCol", TExStringGrid::OnAutoInsertCol, OnGridInsertCol, true, ""),
    FW(163, "DoAutoDeleteRow", TExStringGrid::OnAutoDeleteRow, OnGridDeleteRow, true, ""),
    FW(164, "DoCanAddRow", TExStringGrid::OnCanAddRow, OnGridCanAddRow, true, ""),
    FW(165, "DoCanInsertRow", TExStringGrid::OnCanInsertRow, OnGridCanInsertRow, true, ""),
    FW(166, "DoCanDeleteRow", TExStringGrid::OnCanDeleteRow, OnGridCanDeleteRow, true, ""),
}};

#undef FW
#undef FB

}  // namespace dropdown
