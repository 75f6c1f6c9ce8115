#include "controls/grid/core/settings_objects.h"

namespace grid {

TSearchFooter::TSearchFooter(bool designTime)
{
    if (designTime) {
        findNextCaption_ = QStringLiteral("Find &next");
        findPrevCaption_ = QStringLiteral("Find &previous");
        matchCaseCaption_ = QStringLiteral("Match case");
        hintClose_ = QStringLiteral("Close");
        hintFindPrev_ = QStringLiteral("Find previous occurrence");
        hintHighlight_ = QStringLiteral("Highlight occurrences");
        hintFindNext_ = QStringLiteral("Find next occurrence");
        highLightCaption_ = QStringLiteral("Highlight");
    }
}

void TSearchFooter::Assign(const TSearchFooter& s)
{
    AlwaysHighLight = s.AlwaysHighLight;
    color_ = s.color_;
    colorTo_ = s.colorTo_;
    findNextCaption_ = s.findNextCaption_;
    findPrevCaption_ = s.findPrevCaption_;
    highLightCaption_ = s.highLightCaption_;
    matchCaseCaption_ = s.matchCaseCaption_;
    hintClose_ = s.hintClose_;
    hintFindPrev_ = s.hintFindPrev_;
    hintFindNext_ = s.hintFindNext_;
    hintHighlight_ = s.hintHighlight_;
    showClose_ = s.showClose_;
    showFindNext_ = s.showFindNext_;
    showFindPrev_ = s.showFindPrev_;
    showHighLight_ = s.showHighLight_;
    showMatchCase_ = s.showMatchCase_;
    SearchActiveColumnOnly = s.SearchActiveColumnOnly;
    SearchMatchStart = s.SearchMatchStart;
    SearchColumn = s.SearchColumn;
    SearchDirection = s.SearchDirection;
    SearchHiddenRows = s.SearchHiddenRows;
    visible_ = s.visible_;
    font_ = s.font_;
}

void TNavigation::SetAdvanceInsert(bool v)
{
    if (advanceInsert_ == v)
        return;
    advanceInsert_ = v;
    Changed();
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection v)
{
    if (advanceDirection_ == v)
        return;
    advanceDirection_ = v;
    Changed();
}

void TNavigation::SetAdvanceAuto(bool v)
{
    if (advanceAuto_ == v)
        return;
    advanceAuto_ = v;
    if (v)
        AdvanceOnEnter = true;
}

void TNavigation::Assign(const TNavigation& s)
{
    const bool keepScroll = KeepScrollOnSort;
    const TNotifyEvent onChange = OnChange;
    *this = s;
    KeepScrollOnSort = keepScroll;
    OnChange = onChange;
}

void TMouseActions::SetHotmailRowSelect(bool v)
{
    hotmailRowSelect_ = v;
    if (v) {
        disjunctRowSelect_ = true;
        CheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool v)
{
    editOnDblClickOnly_ = v;
    if (v && OnDisableEdit)
        OnDisableEdit(this);
}

bool TMouseActions::Designing() const
{
    bool designing = false;
    if (OnIsDesigning)
        OnIsDesigning(const_cast<TMouseActions*>(this), designing);
    return designing;
}

void TMouseActions::SetDisjunctRowSelect(bool v)
{
    disjunctRowSelect_ = v;
    if (v && Designing()) {
        disjunctColSelect_ = false;
        disjunctCellSelect_ = false;
    }
}

void TMouseActions::SetDisjunctColSelect(bool v)
{
    disjunctColSelect_ = v;
    if (v && Designing()) {
        disjunctRowSelect_ = false;
        disjunctCellSelect_ = false;
    }
}

void TMouseActions::SetDisjunctCellSelect(bool v)
{
    disjunctCellSelect_ = v;
    if (v && Designing()) {
        disjunctRowSelect_ = false;
        disjunctColSelect_ = false;
    }
}

void TMouseActions::SetWheelAction(TWheelAction v)
{
    if (wheelAction_ == v)
        return;
    wheelAction_ = v;
    if (OnChange)
        OnChange(this);
}

void TMouseActions::Assign(const TMouseActions& s)
{
    const bool sizeFixedRow = SizeFixedRow;
    const bool hotmail = hotmailRowSelect_;
    const bool dblClickOnly = editOnDblClickOnly_;
    const QStringList values = FixedComboValues;
    const TNotifyEvent onChange = OnChange, onInvalidate = OnInvalidate, onDisable = OnDisableEdit;
    const auto onDesigning = OnIsDesigning;
    *this = s;
    SizeFixedRow = sizeFixedRow;
    hotmailRowSelect_ = hotmail;
    editOnDblClickOnly_ = dblClickOnly;
    FixedComboValues = values;
    OnChange = onChange;
    OnInvalidate = onInvalidate;
    OnDisableEdit = onDisable;
    OnIsDesigning = onDesigning;
}

void TBands::SetActive(bool v)
{
    if (active_ == v)
        return;
    active_ = v;
    if (OnChange)
        OnChange(this);
}

void TBands::SetSecondaryLength(int v)
{
    if (secondaryLength_ == v)
        return;
    secondaryLength_ = v;
    ChangedWhileActive();
}

void TBands::SetPrimaryLength(int v)
{
    if (primaryLength_ == v)
        return;
    primaryLength_ = v;
    ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor v)
{
    if (secondaryColor_ == v)
        return;
    secondaryColor_ = v;
    ChangedWhileActive();
}

void TBands::SetPrimaryColor(TColor v)
{
    if (primaryColor_ == v)
        return;
    primaryColor_ = v;
    ChangedWhileActive();
}

bool TBands::IsPrimaryRow(int row, int fixedRows) const
{
    const int total = TotalLength();
    if (total <= 0)
        return true;
    int m = (row - fixedRows) % total;
    if (m < 0)
        m += total;
    return m < primaryLength_;
}

void TBands::Assign(const TBands& s)
{
    active_ = s.active_;
    primaryColor_ = s.primaryColor_;
    primaryLength_ = s.primaryLength_;
    secondaryColor_ = s.secondaryColor_;
    secondaryLength_ = s.secondaryLength_;
    Print = s.Print;
}

void TSyncGrid::Assign(const TSyncGrid& s)
{
    SetGrid(s.grid_);
    ScrollHorizontal = s.ScrollHorizontal;
    ScrollVertical = s.ScrollVertical;
    SelectionRow = s.SelectionRow;
    SelectionColumn = s.SelectionColumn;
    MoveRow = s.MoveRow;
    MoveColumn = s.MoveColumn;
}

} // namespace grid
