#pragma once
#include "controls/grid/core/grid_types.h"

#include <QStringList>

#include <functional>

// The grid's settings objects: plain options with their initial values, the
// setters that notify, and Assign (from an object of the same class only).
namespace grid {

class TExStringGrid;

using TNotifyEvent = std::function<void(void* sender)>;

enum TSearchDirection { sdTopBottom, sdLeftRight };

class TSearchFooter
{
public:
    explicit TSearchFooter(bool designTime = false);

    bool ShowFindPrev() const { return showFindPrev_; }
    void SetShowFindPrev(bool v) { SetChanged(showFindPrev_, v); }
    bool ShowFindNext() const { return showFindNext_; }
    void SetShowFindNext(bool v) { SetChanged(showFindNext_, v); }
    QString FindNextCaption() const { return findNextCaption_; }
    void SetFindNextCaption(const QString& v) { SetAlways(findNextCaption_, v); }
    QString FindPrevCaption() const { return findPrevCaption_; }
    void SetFindPrevCaption(const QString& v) { SetAlways(findPrevCaption_, v); }
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor v) { SetAlways(colorTo_, v); }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { SetAlways(color_, v); }
    TNotifyEvent OnChange;
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { SetChanged(visible_, v); }
    bool AutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool v) { SetAlways(autoThemeAdapt_, v); }
    bool ShowClose() const { return showClose_; }
    void SetShowClose(bool v) { SetAlways(showClose_, v); }
    bool ShowHighLight() const { return showHighLight_; }
    void SetShowHighLight(bool v) { SetChanged(showHighLight_, v); }
    bool ShowMatchCase() const { return showMatchCase_; }
    void SetShowMatchCase(bool v) { SetChanged(showMatchCase_, v); }
    QString MatchCaseCaption() const { return matchCaseCaption_; }
    void SetMatchCaseCaption(const QString& v) { SetAlways(matchCaseCaption_, v); }
    QString HintClose() const { return hintClose_; }
    void SetHintClose(const QString& v) { SetAlways(hintClose_, v); }
    QString HintFindPrev() const { return hintFindPrev_; }
    void SetHintFindPrev(const QString& v) { SetAlways(hintFindPrev_, v); }
    QString HintHighlight() const { return hintHighlight_; }
    void SetHintHighlight(const QString& v) { SetAlways(hintHighlight_, v); }
    QString HintFindNext() const { return hintFindNext_; }
    void SetHintFindNext(const QString& v) { SetAlways(hintFindNext_, v); }
    bool AutoSearch = true;
    QString LastSearch;
    int SearchColumn = -1;
    bool SearchActiveColumnOnly = false;
    bool SearchMatchStart = false;
    bool SearchFixedCells = false;
    bool SearchHiddenRows = false;
    QString HighLightCaption() const { return highLightCaption_; }
    void SetHighLightCaption(const QString& v) { SetAlways(highLightCaption_, v); }
    bool AlwaysHighLight = false;
    TSearchDirection SearchDirection = sdTopBottom;
    TFont Font() const { return font_; }
    void SetFont(const TFont& v) { SetAlways(font_, v); }

    void Assign(const TSearchFooter& source);

private:
    template <typename T>
    void SetChanged(T& field, const T& v)
    {
        if (field == v)
            return;
        field = v;
        Changed();
    }
    template <typename T>
    void SetAlways(T& field, const T& v)
    {
        field = v;
        Changed();
    }
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }

    bool showFindPrev_ = true;
    bool showFindNext_ = true;
    QString findNextCaption_;
    QString findPrevCaption_;
    TColor colorTo_ = clBtnFace;
    TColor color_ = clWhite;
    bool visible_ = false;
    bool autoThemeAdapt_ = false;
    bool showClose_ = true;
    bool showHighLight_ = true;
    bool showMatchCase_ = true;
    QString matchCaseCaption_;
    QString hintClose_;
    QString hintFindPrev_;
    QString hintHighlight_;
    QString hintFindNext_;
    QString highLightCaption_;
    TFont font_;
};

enum TClipboardPasteAction { paReplace, paInsert };
enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TCursorAdvance { caDefault, caSnake, caLoop };

class TNavigation
{
public:
    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert() const { return advanceInsert_; }
    void SetAdvanceInsert(bool v);
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    bool AllowClipboardShortCuts = false;
    bool AllowRTFClipboard = false;
    bool AllowSmartClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardColGrow = true;
    bool AllowClipboardRowGrow = true;
    TClipboardPasteAction ClipboardPasteAction = paReplace;
    bool CopyHTMLTagsToClipboard = true;
    TAdvanceDirection AdvanceDirection() const { return advanceDirection_; }
    void SetAdvanceDirection(TAdvanceDirection v);
    bool AdvanceAuto() const { return advanceAuto_; }
    void SetAdvanceAuto(bool v);
    bool AdvanceAutoEdit = true;
    bool CursorWalkEditor = false;
    bool CursorWalkAlwaysEdit = true;
    bool MoveRowOnSort = false;
    bool KeepScrollOnSort = false;
    bool ImproveMaskSel = false;
    bool AlwaysEdit = false;
    TInsertPosition InsertPosition = pInsertBefore;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    bool KeepHorizScroll = false;
    bool AllowFmtClipboard = false;
    bool TabToNextAtEnd = false;
    bool EditSelectAll = true;
    TAdvanceDirection TabAdvanceDirection = adLeftRight;
    bool SkipFixedCells = true;
    bool SkipDisabledRows = true;
    bool AllowCtrlEnter = true;
    bool AppendOnArrowDown = false;
    bool LeftRightRowSelect = true;
    bool MoveScrollOnly = false;
    bool ComboGetUpDown = true;
    TNotifyEvent OnChange;
    bool AdvanceOnEnterLoop = true;
    TCursorAdvance CursorAdvance = caDefault;
    bool AdvanceSkipReadOnlyCells = true;
    bool CursorMoveRows = false;

    void Assign(const TNavigation& source);

private:
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
    bool advanceInsert_ = false;
    TAdvanceDirection advanceDirection_ = adLeftRight;
    bool advanceAuto_ = false;
};

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };

class TMouseActions
{
public:
    bool ColSelect = false;
    bool RowSelect = false;
    bool AllSelect = false;
    bool DirectEdit = false;
    bool DirectComboDrop = false;
    bool DirectComboClose = false;
    bool DirectDateClose = false;
    bool DirectDateDrop = false;
    bool DisjunctRowSelect() const { return disjunctRowSelect_; }
    void SetDisjunctRowSelect(bool v);
    // Plain access to the flag.
    bool& DisjunctRowSelectDirect() { return disjunctRowSelect_; }
    bool DisjunctColSelect() const { return disjunctColSelect_; }
    void SetDisjunctColSelect(bool v);
    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool CaretPositioning = false;
    bool SizeFixedCol = false;
    bool SizeFixedRow = false;
    bool DisjunctCellSelect() const { return disjunctCellSelect_; }
    void SetDisjunctCellSelect(bool v);
    TGridFixedCellEdit FixedRowsEdit = fceNone;
    TGridFixedCellEdit FixedColsEdit = fceNone;
    TGridFixedCellEditor FixedRowsEditor = fceEdit;
    TGridFixedCellEditor FixedColsEditor = fceEdit;
    bool HotmailRowSelect() const { return hotmailRowSelect_; }
    void SetHotmailRowSelect(bool v);
    bool RangeSelectAndEdit = false;
    bool NoAutoRangeScroll = false;
    bool PreciseCheckBoxCheck = false;
    bool PreciseNodeClick = true;
    bool CheckAllCheck = false;
    bool NodeAllExpandContract = false;
    bool MoveRowOnNodeClick = false;
    bool RowSelectPersistent = false;
    bool SelectOnRightClick = false;
    bool NoScrollOnPartialRow = false;
    int WheelIncrement = 0;
    TWheelAction WheelAction() const { return wheelAction_; }
    void SetWheelAction(TWheelAction v);
    bool AutoSizeColOnDblClick = true;
    bool EditOnDblClickOnly() const { return editOnDblClickOnly_; }
    void SetEditOnDblClickOnly(bool v);
    bool DisjunctRowSelectNoCtrl = false;
    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    std::function<void(void* sender, bool& designing)> OnIsDesigning;
    TNotifyEvent OnDisableEdit;
    QStringList FixedComboValues;

    void Assign(const TMouseActions& source);

private:
    bool Designing() const;
    bool disjunctRowSelect_ = false;
    bool disjunctColSelect_ = false;
    bool disjunctCellSelect_ = false;
    bool hotmailRowSelect_ = false;
    TWheelAction wheelAction_ = waMoveSelection;
    bool editOnDblClickOnly_ = false;
};

class TBands
{
public:
    bool Print = false;
    bool Active() const { return active_; }
    void SetActive(bool v);
    int TotalLength() const { return primaryLength_ + secondaryLength_; }
    int SecondaryLength() const { return secondaryLength_; }
    void SetSecondaryLength(int v);
    int PrimaryLength() const { return primaryLength_; }
    void SetPrimaryLength(int v);
    TColor SecondaryColor() const { return secondaryColor_; }
    void SetSecondaryColor(TColor v);
    TColor PrimaryColor() const { return primaryColor_; }
    void SetPrimaryColor(TColor v);
    TNotifyEvent OnChange;
    // Whether a normal row takes the primary colour.
    bool IsPrimaryRow(int row, int fixedRows) const;

    void Assign(const TBands& source);

private:
    void ChangedWhileActive()
    {
        if (active_ && OnChange)
            OnChange(this);
    }
    bool active_ = false;
    int secondaryLength_ = 1;
    int primaryLength_ = 1;
    TColor secondaryColor_ = clWindow;
    TColor primaryColor_ = clInfoBk;
};

class TSyncGrid
{
public:
    explicit TSyncGrid(TExStringGrid* owner) : owner_(owner) {}
    TExStringGrid* Owner() const { return owner_; }
    bool ScrollHorizontal = false;
    TExStringGrid* Grid() const { return grid_; }
    // The owning grid itself is ignored.
    void SetGrid(TExStringGrid* grid)
    {
        if (grid != owner_)
            grid_ = grid;
    }
    bool ScrollVertical = false;
    bool SelectionRow = false;
    bool SelectionColumn = false;
    bool MoveRow = false;
    bool MoveColumn = false;

    void Assign(const TSyncGrid& source);

private:
    TExStringGrid* owner_;
    TExStringGrid* grid_ = nullptr;
};

class TFocusHelper
{
public:
    bool Enabled = false;
    void Assign(const TFocusHelper& source) { Enabled = source.Enabled; }
};

} // namespace grid
