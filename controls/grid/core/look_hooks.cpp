#include "controls/grid/core/ex_string_grid.h"

#include "controls/grid/core/text_routines.h"
#include "platform/text/system_colors.h"


#include <algorithm>

// The string grid's setup (end of setup, Assign, version), its plain look
// setters, and the per-cell look hooks, each firing its event.
namespace grid {

namespace {

const FixedTextMeasurer kFixedMeasurer;

} // namespace

void TExStringGrid::InitLook()
{
    ZADGradientTo = platform::ColorToRGB(clBtnFace);
    // A new grid shows the XP look: its fixed-cell gradients as the look
    // gives them, every other colour at its own initial value.
    look_ = glXP;
    FSkinGrad = {platform::ColorToRGB(clWhite), platform::ColorToRGB(clBtnFace), clNone, clNone, clNone};
    FSkinGradHover = ControlLook.Hover();
    FSkinGradDown = ControlLook.Down();
    ApplyXPGradients(glXP);
    sharedGraphic_ = std::make_unique<TCellGraphic>();
}

const TextMeasurer& TExStringGrid::TextMeasure() const
{
    return Measurer ? *Measurer : kFixedMeasurer;
}

void TExStringGrid::Loaded()
{
    ShowColumnHeaders();
    if (look_ == glZAD) {
        look_ = glCustom;
        SetLook(glZAD);
    }
    if (autoSize_)
        AutoSizeColumns(false, 4);
    fixedRowsMin_ = TObjStringGrid::FixedRows();
    fixedColsMin_ = TObjStringGrid::FixedCols();
    MinRowHeight = DefaultRowHeight();
    MinColWidth = 10;
    maxRowCount_ = RowCount();
    loaded_ = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        TGridOptions options = Options();
        options.Exclude(goAlwaysShowEditor);
        SetOptions(options);
        Navigation.AlwaysEdit = true;
    }
    SetColumnOrder();
    if (autoThemeAdapt_) {
        ApplyOfficeTheme();
        GetThemeNotifier()->RegisterWindow(this);
    }
}

QString TExStringGrid::VersionText(quint32 version)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(version >> 24)
        .arg((version >> 16) & 0xFF)
        .arg((version >> 8) & 0xFF)
        .arg(version & 0xFF);
}

QString TExStringGrid::GetVersionString() const
{
    return VersionText(GetVersionNr()) + QStringLiteral(" Sep, 2012");
}

void TExStringGrid::Assign(const TExStringGrid& source)
{
    if (&source == this)
        return;
    Font = source.Font;
    activeCellColor_ = source.activeCellColor_;
    activeCellColorTo_ = source.activeCellColorTo_;
    ActiveCellFont = source.ActiveCellFont;
    activeCellShow_ = source.activeCellShow_;
    SetActiveRowShow(source.ActiveRowShow());
    FilterDropDownAuto = source.FilterDropDownAuto;
    AutoNumAlign = source.AutoNumAlign;
    autoSize_ = source.autoSize_;
    AutoFilterUpdate = source.AutoFilterUpdate;
    MouseActions.Assign(source.MouseActions);
    Navigation.Assign(source.Navigation);
    Grouping.Assign(source.Grouping);
    SearchFooter.Assign(source.SearchFooter);
    PrintSettings.Assign(source.PrintSettings);
    HTMLSettings.Assign(source.HTMLSettings);
    Bands.Assign(source.Bands);
    CellNode.Assign(source.CellNode);
    SortSettings.Assign(source.SortSettings);
    DragScrollOptions.Assign(source.DragScrollOptions);
    ColumnSize.Assign(source.ColumnSize);
    SyncGrid.Assign(source.SyncGrid);
    FocusHelper.Assign(source.FocusHelper);
    SetFixedRowAlways(source.FixedRowAlways());
    SetColCount(source.ColCount());
    SetRowCount(source.RowCount());
    SetFixedRows(source.TObjStringGrid::FixedRows());
    SetFixedCols(source.TObjStringGrid::FixedCols());
    SetDefaultColWidth(source.DefaultColWidth());
    SetDefaultRowHeight(source.DefaultRowHeight());
    fixedRowHeight_ = source.fixedRowHeight_;
    InvalidEntryTitle = source.InvalidEntryTitle;
    InvalidEntryIcon = source.InvalidEntryIcon;
    InvalidEntryText = source.InvalidEntryText;
    SetOptions(source.Options());
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, source.ColWidths(c));
    ColumnHeaders = source.ColumnHeaders;
    for (int r = 0; r < RowCount(); ++r)
        SetRowHeights(r, source.RowHeights(r));
    ScrollProportional = source.ScrollProportional;
    ScrollSynch = source.ScrollSynch;
    ScrollWidth = source.ScrollWidth;
    ScrollHints = source.ScrollHints;
    ScrollBarAlways = source.ScrollBarAlways;
    ScrollBars = source.ScrollBars;
    ScrollColor = source.ScrollColor;
    ScrollType = source.ScrollType;
    AssignCells(const_cast<TExStringGrid&>(source));
}

// ---- Size and frame ----

void TExStringGrid::SetBounds(int left, int top, int width, int height)
{
    if (IntegralHeight && updateCount_ == 0 && DefaultRowHeight() > 0) {
        const int h = HorzScrollBarVisible() ? kScrollBarSize : 0;
        const int b = borderStyle_ == bsSingle ? 2 : 0;
        height = height - ((height - h - b) % DefaultRowHeight()) + b;
    }
    width_ = width;
    height_ = height;
    Invalidate();
}

void TExStringGrid::SetBorderStyle(TBorderStyle value)
{
    SetRepaint(borderStyle_, value);
}

void TExStringGrid::SetBorderColor(TColor value)
{
    SetRepaint(borderColor_, value);
}

void TExStringGrid::SetAutoSize(bool value)
{
    autoSize_ = value;
    if (value && !loading_)
        AutoSizeColumns(false, 10);
}

void TExStringGrid::SetXYOffset(QPoint value)
{
    xyOffset_ = value;
    Invalidate();
}

// ---- Plain look setters ----

void TExStringGrid::SetSelectionColorMixerFactor(int value)
{
    SetRepaint(selectionColorMixerFactor_, std::clamp(value, 0, 100));
}

void TExStringGrid::SetShowSelection(bool value)
{
    if (value == showSelection_)
        return;
    showSelection_ = value;
    FShowSel = value;
    Invalidate();
}

void TExStringGrid::SetURLColor(TColor value)
{
    if (value == urlColor_)
        return;
    urlColor_ = value;
    if (urlShow_)
        Invalidate();
}

void TExStringGrid::SetURLFull(bool value)
{
    urlFull_ = value;
    if (urlShow_)
        Invalidate();
}

void TExStringGrid::SetFlat(bool value)
{
    flat_ = value;
    if (!loading_)
        Invalidate();
}

void TExStringGrid::SetVAlignment(TVAlignment value)
{
    vAlignment_ = value;
    if (updateCount_ == 0)
        Invalidate();
}

void TExStringGrid::SetSpreadSheet(bool value)
{
    spreadSheet_ = value;
    // Only switching on brings the spreadsheet options.
    if (!value)
        return;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    Navigation.AllowSmartClipboard = true;
    TGridOptions options = Options();
    options.Include(goRangeSelect);
    options.Include(goEditing);
    SetOptions(options);
    MouseActions.RangeSelectAndEdit = true;
}

// ---- Look hooks ----

void TExStringGrid::SearchFooterAction(const QString& value, int col, int row, int action)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, value, col, row, action);
}

void TExStringGrid::ButtonClick(int col, int row)
{
    if (OnButtonClick)
        OnButtonClick(this, col, row);
}

void TExStringGrid::ExpandClick(int col, int row, bool expanded)
{
    if (OnExpandClick)
        OnExpandClick(this, col, row, expanded);
    SetRowHeights(row, GetExpandHeight(col, row, expanded));
}

void TExStringGrid::ComboCloseUp(int row, int col)
{
    if (OnComboCloseUp)
        OnComboCloseUp(this, row, col);
}

void TExStringGrid::ComboDropDown(int row, int col)
{
    if (OnComboDropDown)
        OnComboDropDown(this, row, col);
}

void TExStringGrid::GetCellCursor(int col, int row, int x, int y)
{
    if (!OnGetCellCursor)
        return;
    int cursor = Cursor;
    OnGetCellCursor(this, col, row, x, y, cursor);
    Cursor = cursor;
}

void TExStringGrid::GridHint(int col, int row, QString& hint, QString& wideHint)
{
    if (OnGridHint)
        OnGridHint(this, row, col, hint);
    if (OnGridWideHint)
        OnGridWideHint(this, row, col, wideHint);
    if (!wideHint.isEmpty())
        hint = EncodeWideText(wideHint);
}

void TExStringGrid::GetCellBorder(int col, int row, TPen& pen, TCellBorders& borders)
{
    if (Grouping.HeaderUnderline && IsNode(row) && col > 0) {
        borders = {cbBottom};
        pen.Color = Grouping.HeaderLineColor;
        pen.Width = Grouping.HeaderLineWidth;
    }
    if (Grouping.SummaryLine && IsSummary(row) && col > 0) {
        borders = {cbTop};
        pen.Color = Grouping.SummaryLineColor;
        pen.Width = Grouping.SummaryLineWidth;
    }
    if (OnGetCellBorder)
        OnGetCellBorder(this, row, col, pen, borders);
}

void TExStringGrid::GetCellPrintBorder(int col, int row, TPen& pen, TCellBorders& borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, row, col, pen, borders);
}

void TExStringGrid::GetCellAlignment(int col, int row, TAlignment& hAlign, TVAlignment& vAlign)
{
    if (col == 0 && MouseActions.HotmailRowSelect())
        hAlign = taCenter;
    if (OnGetAlignment)
        OnGetAlignment(this, row, col, hAlign, vAlign);
}

void TExStringGrid::GetFormat(int col, int& style, QString& prefix, QString& suffix)
{
    if (OnGetFormat)
        OnGetFormat(this, col, style, prefix, suffix);
}

void TExStringGrid::GetEditorTypeForButtons(int col, int row, TEditorType& editor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, col, row, editor);
}

void TExStringGrid::GetEditorType(int col, int row, TEditorType& editor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, col, row, editor);
}

bool TExStringGrid::HasNoEditor(int col, int row)
{
    if (!OnGetEditorType)
        return false;
    TEditorType editor = edNormal;
    OnGetEditorType(this, col, row, editor);
    return editor == edNone;
}

void TExStringGrid::IsPasswordCell(int col, int row, bool& isPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, row, col, isPassword);
}

void TExStringGrid::GetCellWordWrap(int col, int row, bool& wordWrap)
{
    if (OnGetWordWrap)
        OnGetWordWrap(this, col, row, wordWrap);
}

bool TExStringGrid::HasComboBox(int col, int row)
{
    if (OnHasComboBox) {
        bool has = false;
        OnHasComboBox(this, col, row, has);
        return has;
    }
    if (!ControlLook.DropDownAlwaysVisible())
        return false;
    TEditorType editor = DefaultEditor;
    GetEditorType(col, row, editor);
    return editor == edComboEdit || editor == edComboList;
}

bool TExStringGrid::HasSpinEdit(int col, int row)
{
    if (col < FixedCols() || row < FixedRows())
        return false;
    if (OnHasSpinEdit) {
        bool has = false;
        OnHasSpinEdit(this, col, row, has);
        return has;
    }
    if (!ControlLook.SpinButtonsAlwaysVisible())
        return false;
    TEditorType editor = DefaultEditor;
    GetEditorTypeForButtons(col, row, editor);
    return editor == edSpinEdit || editor == edFloatSpinEdit || editor == edTimeSpinEdit ||
           editor == edDateSpinEdit;
}

void TExStringGrid::GetCheckTrue(int col, int row, QString& value)
{
    value = CheckTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, col, row, value);
}

void TExStringGrid::GetCheckFalse(int col, int row, QString& value)
{
    value = CheckFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, col, row, value);
}

QString TExStringGrid::GetCheckTrueText(int col, int row)
{
    QString value;
    GetCheckTrue(col, row, value);
    return value;
}

QString TExStringGrid::GetCheckFalseText(int col, int row)
{
    QString value;
    GetCheckFalse(col, row, value);
    return value;
}

bool TExStringGrid::GetColumnFilter(int col)
{
    FilterList.clear();
    if (FilterDropDownAuto && (col >= FixedCols() || FilterDropDownColumns == fdAll)) {
        QStringList entries;
        // The list is sorted without regard to case and drops duplicates.
        const auto add = [&](const QString& text) {
            const QString entry = text.contains(u' ') ? text + QStringLiteral("=\"") + text + u'"' : text;
            if (!entries.contains(entry, Qt::CaseInsensitive))
                entries.append(entry);
        };
        for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
            add(GetCellEx(col, r).trimmed());
        if (!FilterIncremental)
            for (const auto& item : gridItems_)
                add(item->Items && item->Items->At(col) ? item->Items->At(col)->Text : QString());
        std::sort(entries.begin(), entries.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        if (!FilterDropDownClear.isEmpty())
            entries.prepend(FilterDropDownClear);
        FilterList = entries;
    }
    if (OnGetColumnFilter)
        OnGetColumnFilter(this, col, FilterList);
    return !FilterList.isEmpty();
}

QString TExStringGrid::GetEditMask(int col, int row)
{
    QString mask = EditMask;
    if (OnGetEditMask)
        OnGetEditMask(this, col, row, mask);
    return mask;
}

int TExStringGrid::GetEditLimit()
{
    return MaxEditLength;
}

void TExStringGrid::GetFloatFormat(int col, int row, QString& format)
{
    format = FloatFormat;
}

} // namespace grid
