// The editing lifecycle: editor choice, opening and closing, read-back,
// validation against the old cell text and the end-of-edit announcements.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/core/cell_checker.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

constexpr EditorKindRow kEditorKinds[] = {
    {edNormal, EditorKind::Text, false},
    {edSpinEdit, EditorKind::Spin, false, sptNormal},
    {edComboEdit, EditorKind::Combo, false},
    {edComboList, EditorKind::Combo, true},
    {edEditBtn, EditorKind::Button, false, sptNormal, edNormal},
    {edCheckBox, EditorKind::CheckBox, false},
    {edDateEdit, EditorKind::Picker, false, sptNormal, edNormal, false, PickerKind::Date},
    {edDateEditUpDown, EditorKind::Picker, false, sptNormal, edNormal, false, PickerKind::DateUpDown},
    {edTimeEdit, EditorKind::Picker, false, sptNormal, edNormal, false, PickerKind::Time},
    {edButton, EditorKind::PushButton, false},
    // Toggled by Space and clicks: a control cell never opens an editor.
    {edDataCheckBox, EditorKind::None, false},
    {edNumeric, EditorKind::Text, false},
    {edPositiveNumeric, EditorKind::Text, false},
    {edFloat, EditorKind::Text, false},
    {edCapital, EditorKind::Text, false},
    {edMixedCase, EditorKind::Text, false},
    {edPassword, EditorKind::Text, false},
    {edUnitEditBtn, EditorKind::Button, false, sptNormal, edNormal, true},
    {edLowerCase, EditorKind::Text, false},
    {edUpperCase, EditorKind::Text, false},
    {edFloatSpinEdit, EditorKind::Spin, false, sptFloat},
    {edTimeSpinEdit, EditorKind::Spin, false, sptTime},
    {edDateSpinEdit, EditorKind::Spin, false, sptDate},
    {edNumericEditBtn, EditorKind::Button, false, sptNormal, edNumeric},
    {edFloatEditBtn, EditorKind::Button, false, sptNormal, edFloat},
    {edCustom, EditorKind::Link, false},
    {edRichEdit, EditorKind::Rich, false},
    {edNone, EditorKind::None, false},
    {edDateTimeEdit, EditorKind::Picker, false, sptNormal, edNormal, false, PickerKind::DateTime},
    {edValidChars, EditorKind::Text, false},
    {edTrackbarDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::TrackBar},
    {edMemoDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::Memo},
    {edCalculatorDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::Calculator},
    {edTimePickerDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::Clock},
    {edDetailDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::Detail},
    {edGridDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::MultiColumn},
    {edColorPickerDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::Color},
    {edImagePickerDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::Image},
    {edExGridDropDown, EditorKind::DropDown, false, sptNormal, edNormal, false, PickerKind::None, DropDownKind::Grid},
    {edPositiveFloat, EditorKind::Text, false},
    {edNumericUnitEditBtn, EditorKind::Button, false, sptNormal, edNumeric, true},
    {edFloatUnitEditBtn, EditorKind::Button, false, sptNormal, edFloat, true},
    {edMaskEditBtn, EditorKind::Button, false, sptNormal, edNormal},
};

static_assert(std::size(kEditorKinds) == edMaskEditBtn + 1, "one row per editor kind");

constexpr bool RowsInEnumOrder()
{
    for (size_t i = 0; i < std::size(kEditorKinds); ++i)
        if (static_cast<size_t>(kEditorKinds[i].type) != i)
            return false;
    return true;
}
static_assert(RowsInEnumOrder(), "rows are looked up by the editor type");

// The editor's rectangle: the cell less its right and bottom line.
QRect EditorRect(const TExStringGrid& g, int col, int row)
{
    const QRect r = g.UnclippedCellRect(col, row);
    return QRect(r.left(), r.top(), std::max(0, r.width() - 1), std::max(0, r.height() - 1));
}

bool IsArrow(int key)
{
    return key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
}

} // namespace

const EditorKindRow& EditorKindOf(TEditorType type)
{
    const int i = static_cast<int>(type);
    if (i < 0 || i >= static_cast<int>(std::size(kEditorKinds)))
        return kEditorKinds[edNone];
    return kEditorKinds[i];
}

namespace {

// Now as days since 30 December 1899.
double NowDays()
{
    const QDateTime now = QDateTime::currentDateTime();
    return static_cast<double>(QDate(1899, 12, 30).daysTo(now.date())) +
           now.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

namespace {

// A cell's text as a picker's value; an unreadable text is now.
double PickerCellValue(PickerKind kind, const QString& text)
{
    const double now = NowDays();
    SpinSettings s;
    if (kind == PickerKind::Time) {
        const QString t = text.trimmed();
        return t.isEmpty() ? now - std::floor(now) : SpinTimeValue(t);
    }
    if (kind == PickerKind::DateTime) {
        const qsizetype cut = text.trimmed().indexOf(u' ');
        if (cut > 0) {
            const double date = SpinDateValue(s, text.trimmed().left(cut), now);
            return std::floor(date) + SpinTimeValue(text.trimmed().mid(cut + 1));
        }
    }
    s.minDateValue = now;
    return SpinDateValue(s, text, now);
}

} // namespace

GridEditing* EditingOf(TExStringGrid& grid)
{
    return &grid.Editing();
}

void GridEditing::SetHost(EditorHost* host)
{
    host_ = host;
    if (host_ == nullptr) {
        editMode_ = false;
        editing_ = false;
        editActive_ = false;
        openKind_ = EditorKind::None;
        editCell_ = {-1, -1};
    }
}

bool GridEditing::EditorWantsTab() const
{
    return g_.Options().Contains(goTabs) || static_cast<bool>(OnCellValidate);
}

// ---- Opening ----

void GridEditing::ShowCellEdit()
{
    GridKey f2;
    f2.code = VK_F2;
    GridKeyInput(g_, f2);
}

void GridEditing::HideCellEdit()
{
    HideInplaceEdit();
}

void GridEditing::ShowInplaceEdit()
{
    if (g_.IsControlCell(g_.RealCol(), g_.Row()) || editMode_)
        return;
    if (g_.Row() < g_.TopRow())
        g_.SetTopRow(g_.Row());
    if (g_.Col() < g_.LeftCol())
        g_.SetLeftCol(g_.Col());
    if (CanEditShow())
        ShowText(g_.Col(), g_.Row());
}

bool GridEditing::CanEditShow()
{
    if (validating_ || host_ == nullptr)
        return false;
    const int col = g_.Col();
    const int row = g_.Row();
    const bool editing = g_.Options().Contains(goEditing) || g_.MouseActions.RangeSelectAndEdit;
    if (!editing || g_.IsFixed(col, row) || !g_.IsEditable(g_.RealCol(), row))
        return false;
    const TGridCoord b = g_.BaseCell(g_.RealCol(), row);
    if (editMode_ || g_.IsControlCell(b.X, b.Y))
        return false;
    cellCache_ = g_.CurrentCell();
    TEditorType type = g_.DefaultEditor;
    g_.GetEditorType(b.X, b.Y, type);
    const EditorKindRow& kind = EditorKindOf(type);
    if (kind.kind == EditorKind::None || kind.kind == EditorKind::Later)
        return false;
    editControl_ = type;
    SaveOldCell(col, row);
    if (kind.kind == EditorKind::Text) {
        editMode_ = true;
        return true;
    }
    ShowEditControl(g_.DisplColIndex(b.X), b.Y);
    return false;
}

void GridEditing::ShowText(int col, int row)
{
    editing_ = true;
    openKind_ = EditorKind::Text;
    editCell_ = {col, row};
    EditorHost::TextSetup setup;
    setup.rect = EditorRect(g_, col, row);
    setup.text = g_.GetEditText(col, row);
    setup.multiLine = g_.FMultilineCells;
    setup.password = editControl_ == edPassword || g_.CellIsPassword(col, row);
    setup.passwordChar = g_.PasswordChar;
    setup.selectAll = g_.Navigation.EditSelectAll;
    noEditChange_ = true;
    host_->ShowTextEditor(setup);
    noEditChange_ = false;
    // The opening character is typed as the user typed it: it reaches the
    // cell and OnEditChange like any other.
    const QChar start = g_.StartEditChar();
    g_.SetStartEditChar(QChar());
    if (!start.isNull())
        host_->TypeStartChar(start);
}

void GridEditing::ShowEditControl(int col, int row)
{
    const EditorKindRow& kind = EditorKindOf(editControl_);
    const int real = g_.RealColIndex(col);
    editing_ = true;
    editActive_ = true;
    lastValidation_ = true;
    comboPicked_ = false;
    editCell_ = {col, row};
    const QRect rect = EditorRect(g_, col, row);
    switch (kind.kind) {
    case EditorKind::Combo: {
        editMode_ = true;
        openKind_ = EditorKind::Combo;
        g_.GetEditorProp(real, row);
        EditorHost::ComboSetup setup;
        setup.rect = rect;
        setup.items = g_.ComboItems;
        setup.listOnly = kind.listOnly;
        setup.text = g_.GetEditText(col, row);
        // A text that is no item selects nothing; only a pick writes back.
        setup.index = static_cast<int>(setup.items.indexOf(g_.Cells(real, row)));
        setup.dropDownCount = g_.ControlLook.DropDownCount;
        setup.dropDown = g_.MouseActions.DirectComboDrop || g_.ControlLook.DropDownAlwaysVisible();
        noEditChange_ = true;
        host_->ShowCombo(setup);
        noEditChange_ = false;
        if (const QChar start = g_.StartEditChar(); !start.isNull()) {
            g_.SetStartEditChar(QChar());
            host_->TypeStartChar(start);
        }
        break;
    }
    case EditorKind::CheckBox:
        editMode_ = true;
        openKind_ = EditorKind::CheckBox;
        host_->ShowCheckBox(rect, g_.GetEditText(col, row));
        break;
    case EditorKind::Spin: {
        editMode_ = true;
        openKind_ = EditorKind::Spin;
        g_.GetEditorProp(real, row);
        EditorHost::SpinSetup setup;
        setup.rect = rect;
        setup.settings = SpinFor(editControl_);
        setup.text = SpinNormalized(setup.settings, g_.GetEditText(col, row), NowDays());
        noEditChange_ = true;
        host_->ShowSpin(setup);
        noEditChange_ = false;
        shownText_ = host_->SpinText();
        if (const QChar start = g_.StartEditChar(); !start.isNull()) {
            g_.SetStartEditChar(QChar());
            host_->TypeStartChar(start);
        }
        break;
    }
    case EditorKind::Button: {
        editMode_ = true;
        openKind_ = EditorKind::Button;
        g_.GetEditorProp(real, row);
        EditorHost::ButtonSetup setup;
        setup.rect = rect;
        setup.hasUnits = kind.units;
        setup.units = Units;
        if (editControl_ == edMaskEditBtn)
            setup.mask = g_.GetEditMask(real, row);
        const QString value = g_.GetEditText(col, row);
        if (kind.units)
            SplitUnitValue(value, Units, setup.text, setup.unit);
        else
            setup.text = value;
        noEditChange_ = true;
        host_->ShowButtonEdit(setup);
        noEditChange_ = false;
        if (const QChar start = g_.StartEditChar(); !start.isNull()) {
            g_.SetStartEditChar(QChar());
            host_->TypeStartChar(start);
        }
        break;
    }
    case EditorKind::Picker: {
        editMode_ = true;
        openKind_ = EditorKind::Picker;
        g_.GetEditorProp(real, row);
        EditorHost::PickerSetup setup;
        setup.rect = rect;
        setup.kind = kind.picker;
        setup.value = PickerCellValue(kind.picker, g_.GetEditText(col, row));
        setup.dropDown = kind.picker == PickerKind::Date && g_.MouseActions.DirectDateDrop;
        host_->ShowPicker(setup);
        shownText_ = PickerText(kind.picker, host_->PickerValue());
        g_.SetStartEditChar(QChar());
        break;
    }
    case EditorKind::Link:
        ShowLink(col, row);
        break;
    case EditorKind::Rich: {
        editMode_ = true;
        openKind_ = EditorKind::Rich;
        g_.GetEditorProp(real, row);
        EditorHost::RichSetup setup;
        setup.rect = rect;
        setup.text = g_.GridCells(real, row);
        setup.selectAll = g_.Navigation.EditSelectAll;
        setup.color = g_.GetVisualProperties(col, row, TGridDrawState(), false, false, true).Brush.Color;
        noEditChange_ = true;
        host_->ShowRich(setup);
        noEditChange_ = false;
        if (const QChar start = g_.StartEditChar(); !start.isNull()) {
            g_.SetStartEditChar(QChar());
            host_->TypeStartChar(start);
        }
        break;
    }
    case EditorKind::DropDown: {
        g_.GetEditorProp(real, row);
        EditorHost::DropDownSetup setup;
        setup.rect = rect;
        setup.kind = kind.drop;
        setup.text = g_.GetEditText(col, row);
        if (kind.drop == DropDownKind::Color)
            setup.color = g_.GetCellType(real, row) == ctShape ? g_.GetShapeColor(real, row) : g_.Colors(real, row);
        setup.dropDown = g_.MouseActions.DirectComboDrop;
        editMode_ = true;
        openKind_ = EditorKind::DropDown;
        noEditChange_ = true;
        const bool shown = host_->ShowDropDownEditor(setup);
        noEditChange_ = false;
        AfterShow(shown);
        break;
    }
    case EditorKind::PushButton: {
        // A little larger than the cell, so the button's frame covers its lines.
        const QRect r = g_.UnclippedCellRect(col, row);
        editMode_ = true;
        openKind_ = EditorKind::PushButton;
        if (!host_->ShowGridButton(r.adjusted(-1, -1, 0, 0), g_.GetEditText(col, row))) {
            editMode_ = false;
            openKind_ = EditorKind::None;
            editing_ = false;
            editActive_ = false;
        }
        break;
    }
    case EditorKind::Text:
    case EditorKind::Later:
    case EditorKind::None:
        // Editors of later kinds show nothing yet.
        editing_ = false;
        editActive_ = false;
        break;
    }
    g_.SetStartEditChar(QChar());
}

// ---- Closing ----

void GridEditing::HideInplaceEdit()
{
    if (!editMode_ || hiding_)
        return;
    hiding_ = true;
    altBack_ = false;
    const TGridCoord cell = editCell_;
    if (openKind_ == EditorKind::Text) {
        const QString text = host_->TextEditorText();
        if (LookupHistory && !text.isEmpty() && !g_.LookupItems.contains(text))
            g_.LookupItems.append(text);
        editMode_ = false;
        editing_ = false;
        openKind_ = EditorKind::None;
        g_.SetEditText(cell.X, cell.Y, text);
        host_->HideTextEditor();
        DoEditingDone(g_.RealColIndex(cell.X), cell.Y);
    } else {
        HideEditControl(cell.X, cell.Y);
    }
    editCell_ = {-1, -1};
    hiding_ = false;
}

bool GridEditing::ComboListed() const
{
    return EditorKindOf(editControl_).listOnly;
}

void GridEditing::HideEditControl(int col, int row)
{
    blockKill_ = true;
    const int real = g_.RealColIndex(col);
    g_.SetStartEditChar(QChar());
    const EditorKind kind = openKind_;
    openKind_ = EditorKind::None;
    switch (kind) {
    case EditorKind::Combo:
        if (editMode_) {
            editMode_ = false;
            // A list keeps a text that is no item unless an item was picked.
            if (!ComboListed() || comboPicked_)
                SetCellFromEditor(real, row, host_->ComboText());
        }
        host_->HideCombo();
        break;
    case EditorKind::Spin: {
        const bool write = EndOpenEdit();
        // Left unchanged, the cell keeps its text (one the editor could not
        // read would otherwise become the editor's default).
        if (write && host_->SpinText() != shownText_) {
            const QString text = host_->SpinText();
            const bool blank = SpinAllowEmpty && text.trimmed().isEmpty();
            SetCellFromEditor(real, row, blank ? QString() : SpinNormalized(SpinFor(editControl_), text, NowDays()));
        }
        host_->HideSpin();
        break;
    }
    case EditorKind::Button: {
        const bool write = EndOpenEdit();
        if (write)
            SetCellFromEditor(real, row, host_->ButtonEditValue());
        host_->HideButtonEdit();
        break;
    }
    case EditorKind::Picker: {
        const bool write = EndOpenEdit();
        const QString text = PickerText(EditorKindOf(editControl_).picker, host_->PickerValue());
        if (write && text != shownText_)
            SetCellFromEditor(real, row, text);
        host_->HidePicker();
        break;
    }
    case EditorKind::CheckBox: {
        host_->HideCheckBox();
        const bool wasOpen = editMode_;
        editMode_ = false;
        if (wasOpen)
            SetCellFromEditor(real, row, host_->CheckBoxChecked() ? g_.GetCheckTrueText(real, row)
                                                                  : g_.GetCheckFalseText(real, row));
        break;
    }
    case EditorKind::Link: {
        const bool write = EndOpenEdit();
        const QString value = host_->LinkValue();
        host_->HideLink();
        // The value goes through the validation: a key that ended the edit
        // reads the outcome (LastValidation).
        const bool fresh = editing_;
        if (write && ValidateCell(value))
            SetCellFromEditor(real, row, fresh ? newCellText_ : value);
        break;
    }
    case EditorKind::Rich: {
        const bool write = EndOpenEdit();
        if (write)
            SetCellFromEditor(real, row, host_->RichValue());
        host_->HideRich();
        break;
    }
    case EditorKind::DropDown: {
        const bool write = EndOpenEdit();
        if (write && EditorKindOf(editControl_).drop == DropDownKind::Color) {
            TColor color = host_->DropDownEditorColor();
            QString value = host_->DropDownEditorText();
            if (OnColorSelected)
                OnColorSelected(&g_, real, row, color, value);
            SetCellFromEditor(real, row, value);
            if (g_.GetCellType(real, row) == ctShape)
                g_.SetShapeColor(real, row, color);
            else
                g_.SetColors(real, row, color);
        } else if (write && EditorKindOf(editControl_).drop == DropDownKind::Image) {
            ImagePicked(real, row);
        } else if (write) {
            SetCellFromEditor(real, row, host_->DropDownEditorText());
        }
        host_->HideDropDownEditor();
        break;
    }
    case EditorKind::PushButton:
        // The button wrote its caption when it was pressed.
        editMode_ = false;
        cancelled_ = false;
        host_->HideGridButton();
        break;
    case EditorKind::Text:
    case EditorKind::Later:
    case EditorKind::None:
        break;
    }
    editing_ = false;
    if (editControl_ != edNormal && editActive_)
        DoEditingDone(real, row);
    blockKill_ = false;
    editActive_ = false;
}

void GridEditing::DoEditingDone(int realCol, int row)
{
    if (OnEditingDone)
        OnEditingDone(&g_);
    editMode_ = false;
    if (host_)
        host_->PostEditDone(realCol, row);
}

void GridEditing::EditDoneArrived(int realCol, int row)
{
    if (OnEditCellDone)
        OnEditCellDone(&g_, realCol, row);
    // An edit begun before this end arrived (typed ahead) is not this one:
    // it stays open and its own end switches editing off.
    if (g_.MouseActions.EditOnDblClickOnly() && !editMode_) {
        TGridOptions o = g_.Options();
        o.Exclude(goEditing);
        g_.SetOptions(o);
    }
}

void GridEditing::DoneInplaceEdit(int key, TShiftState shift)
{
    editing_ = false;
    HideInplaceEdit();
    if (g_.Navigation.AppendOnArrowDown && key == VK_DOWN && g_.Row() == g_.RowCount() - g_.FixedFooters() - 1)
        AppendNewRow(g_);
    if (key == VK_TAB || IsArrow(key)) {
        int replay = key;
        GridKeyDownStep(g_, replay, shift);
    }
    const bool always = g_.Navigation.AlwaysEdit;
    g_.Navigation.AlwaysEdit = false;
    if (host_)
        host_->FocusGrid();
    if (key == VK_RETURN)
        g_.AdvanceEdit(g_.Col(), g_.Row(), false, true, true, false, false);
    g_.Navigation.AlwaysEdit = always;
}

bool GridEditing::SelectCell(int col, int row)
{
    if (!editMode_ || hiding_ || (col == editCell_.X && row == editCell_.Y)) {
        if (!editMode_ && !validating_)
            SaveOldCell(col, row);
        return true;
    }
    // Leaving the cell ends the edit, with the value validated.
    const QString value = CommitValue();
    if (openKind_ != EditorKind::CheckBox && !ValidateCell(value)) {
        if (openKind_ == EditorKind::Text) {
            noEditChange_ = true;
            host_->SetTextEditorText(newCellText_, g_.Navigation.EditSelectAll);
            noEditChange_ = false;
        }
        return false;
    }
    HideInplaceEdit();
    SaveOldCell(col, row);
    return true;
}

// ---- Values ----

void GridEditing::SaveOldCell(int col, int row)
{
    oldCell_ = {col, row};
    oldCellText_ = g_.GridCells(g_.RealColIndex(col), row);
}

bool GridEditing::ValidateCell(const QString& value)
{
    if (!editing_ || validating_)
        return true;
    editing_ = false;
    validating_ = true;
    bool valid = true;
    const int col = oldCell_.X;
    const int row = oldCell_.Y;
    const int real = g_.RealColIndex(col);
    newCellText_ = value;
    const QString old = oldCellText_;
    if (value != old || AlwaysValidate) {
        const bool changed = value != old;
        const bool advance = g_.Navigation.AdvanceOnEnter;
        g_.Navigation.AdvanceOnEnter = false;
        QString v = value;
        try {
            // The checker corrects before the event sees the text.
            if (g_.CellChecker && g_.CellChecker->AutoCorrect)
                v = g_.CellChecker->Correct(real, row, v);
            if (OnCellValidate)
                OnCellValidate(&g_, col, row, v, valid);
        } catch (...) {
            g_.Navigation.AdvanceOnEnter = advance;
            validating_ = false;
            editing_ = true;
            throw;
        }
        g_.Navigation.AdvanceOnEnter = advance;
        if (v != old && g_.ShowModified.Enabled && row >= 0 && row < g_.RowCount()) {
            g_.SetRowModified(row, true);
            g_.RepaintCell(0, row);
        }
        if (valid)
            g_.CalcFooter(real);
        // A taken text is marked; a refused one never reaches the cell marked.
        if (valid && g_.CellChecker && g_.CellChecker->AutoMarkError)
            v = g_.CellChecker->MarkError(real, row, v);
        if (valid && changed)
            CellsChanged(TGridRect{col, row, col, row});
        newCellText_ = v;
        if (valid) {
            g_.SetCells(real, row, v);
        } else {
            // The cell keeps its old text (or the event's replacement);
            // the editor stays open on it.
            lastValidation_ = false;
            g_.SetCells(real, row, v != value ? v : old);
            g_.InvalidateCell(col, row);
        }
    }
    validating_ = false;
    if (valid) {
        SaveOldCell(g_.Col(), g_.Row());
    } else {
        editing_ = true;
        if (host_ && (!InvalidEntryTitle.isEmpty() || !InvalidEntryText.isEmpty()))
            host_->ShowRefusal(InvalidEntryTitle, InvalidEntryText);
    }
    return valid;
}

void GridEditing::SetCellFromEditor(int realCol, int row, const QString& value)
{
    g_.SetEditText(g_.DisplColIndex(realCol), row, value);
    g_.SetCells(realCol, row, value);
}

void GridEditing::ImagePicked(int realCol, int row)
{
    int index = host_->DropDownEditorImageIndex();
    if (OnImageSelected)
        OnImageSelected(&g_, realCol, row, index);
    // Without a picked image the cell keeps what it holds; so does a data
    // image cell whose number did not change (its text stays as typed).
    if (index < 0)
        return;
    const TCellType type = g_.GetCellType(realCol, row);
    if (type == ctImageList) {
        g_.SetImageIdx(realCol, row, index);
        g_.RepaintCell(g_.DisplColIndex(realCol), row);
    } else if (type == ctDataImage) {
        bool number = false;
        const int now = g_.Cells(realCol, row).trimmed().toInt(&number);
        if (!number || now != index)
            SetCellFromEditor(realCol, row, QString::number(index));
    }
}

void GridEditing::RestoreCellText()
{
    g_.SetCells(g_.RealCol(), g_.Row(), cellCache_);
    g_.InvalidateCell(g_.Col(), g_.Row());
}

void GridEditing::CellsChanged(const TGridRect& range)
{
    if (OnCellsChanged)
        OnCellsChanged(&g_, range);
    for (TGridChangeNotifier* n : g_.Notifiers())
        n->CellsChanged(range);
    g_.CalcFooter(-1);
}

// ---- What the editors report ----

void GridEditing::TextEdited(const QString& text)
{
    if (noEditChange_ || !editMode_ || openKind_ != EditorKind::Text)
        return;
    g_.SetEditText(editCell_.X, editCell_.Y, text);
    if (OnEditChange)
        OnEditChange(&g_, editCell_.X, editCell_.Y, text);
}

void GridEditing::ComboEdited(const QString& text)
{
    if (noEditChange_ || !editMode_ || openKind_ != EditorKind::Combo)
        return;
    if (OnEditChange)
        OnEditChange(&g_, editCell_.X, editCell_.Y, text);
}

void GridEditing::ComboPicked(int index, const QString& text)
{
    if (noEditChange_ || !editMode_ || openKind_ != EditorKind::Combo)
        return;
    comboPicked_ = true;
    if (OnComboChange)
        OnComboChange(&g_, g_.RealColIndex(editCell_.X), editCell_.Y, index, text);
}

bool GridEditing::CommitText()
{
    if (openKind_ != EditorKind::Text)
        return true;
    const bool ok = ValidateCell(host_->TextEditorText());
    noEditChange_ = true;
    host_->SetTextEditorText(newCellText_, !ok && g_.Navigation.EditSelectAll);
    noEditChange_ = false;
    return ok;
}

SpinSettings GridEditing::SpinFor(TEditorType type) const
{
    SpinSettings s = Spin;
    s.type = EditorKindOf(type).spin;
    if (const auto* cg = dynamic_cast<const TExColumnGrid*>(&g_)) {
        const TExColumnGrid::EditorSettings& c = cg->CurrentEditorSettings();
        if (c.SpinMin != c.SpinMax) {
            s.minValue = c.SpinMin;
            s.maxValue = c.SpinMax;
            s.increment = c.SpinStep;
        }
    }
    return s;
}

QString GridEditing::OpenValue() const
{
    switch (openKind_) {
    case EditorKind::Text:
        return host_->TextEditorText();
    case EditorKind::Combo:
        return ComboListed() && !comboPicked_ ? g_.CurrentCell() : host_->ComboText();
    case EditorKind::Button:
        return host_->ButtonEditValue();
    case EditorKind::Link:
        return host_->LinkValue();
    case EditorKind::Rich:
        return host_->RichValue();
    case EditorKind::DropDown:
        return host_->DropDownEditorText();
    case EditorKind::Picker:
        return PickerText(EditorKindOf(editControl_).picker, host_->PickerValue());
    case EditorKind::Spin: {
        const QString text = host_->SpinText();
        if (SpinAllowEmpty && text.trimmed().isEmpty())
            return QString();
        return SpinNormalized(SpinFor(editControl_), text, NowDays());
    }
    default:
        return g_.CurrentCell();
    }
}

void GridEditing::SetOpenText(const QString& text)
{
    noEditChange_ = true;
    if (openKind_ == EditorKind::Text)
        host_->SetTextEditorText(text, false);
    else if (openKind_ == EditorKind::Combo)
        host_->SetComboText(text);
    else if (openKind_ == EditorKind::Spin)
        host_->SetSpinText(text);
    else if (openKind_ == EditorKind::Button)
        host_->SetButtonEditValue(text);
    else if (openKind_ == EditorKind::Picker)
        host_->SetPickerValue(PickerCellValue(EditorKindOf(editControl_).picker, text));
    else if (openKind_ == EditorKind::Link)
        host_->SetLinkValue(text);
    else if (openKind_ == EditorKind::Rich)
        host_->SetRichValue(text);
    else if (openKind_ == EditorKind::DropDown)
        host_->SetDropDownEditorText(text);
    noEditChange_ = false;
}

void GridEditing::AfterShow(bool shown)
{
    if (!shown) {
        // No editor of this kind on the widget side: nothing is open.
        editMode_ = false;
        openKind_ = EditorKind::None;
        editing_ = false;
        editActive_ = false;
        return;
    }
    if (const QChar start = g_.StartEditChar(); !start.isNull()) {
        g_.SetStartEditChar(QChar());
        host_->TypeStartChar(start);
    }
}

bool GridEditing::EndOpenEdit()
{
    const bool write = editMode_ && !cancelled_;
    editMode_ = false;
    cancelled_ = false;
    return write;
}

bool GridEditing::Unchanged() const
{
    return openKind_ == EditorKind::Spin     ? host_->SpinText() == shownText_
           : openKind_ == EditorKind::Picker ? OpenValue() == shownText_
                                             : false;
}

QString GridEditing::CommitValue() const
{
    // A spin or picker left as it opened keeps the cell's own text (one it
    // could not read would otherwise become its default).
    return Unchanged() ? oldCellText_ : OpenValue();
}

bool GridEditing::CommitSpin()
{
    if (openKind_ != EditorKind::Spin)
        return true;
    const bool unchanged = Unchanged();
    const bool ok = ValidateCell(CommitValue());
    // Refused: the editor shows the value it had before the edit.
    if (!unchanged || !ok)
        SetOpenText(ok ? newCellText_ : oldCellText_);
    return ok;
}

void GridEditing::SpinEdited(const QString& text)
{
    if (noEditChange_ || openKind_ != EditorKind::Spin)
        return;
    if (OnEditChange)
        OnEditChange(&g_, editCell_.X, editCell_.Y, text);
}

void GridEditing::SpinStepped(bool up)
{
    if (openKind_ == EditorKind::Spin && OnSpinClick)
        OnSpinClick(&g_, editCell_.X, editCell_.Y, host_->SpinText(), up);
}

QString GridEditing::PickerText(PickerKind kind, double value)
{
    // No value (an unticked check box): an empty cell.
    if (std::isnan(value))
        return {};
    SpinSettings s;
    switch (kind) {
    case PickerKind::Time:
        return SpinTimeText(s, value);
    case PickerKind::DateTime:
        return SpinDateText(s, value) + u' ' + SpinTimeText(s, value);
    default:
        return SpinDateText(s, value);
    }
}

bool GridEditing::CommitPicker()
{
    if (openKind_ != EditorKind::Picker)
        return true;
    const bool unchanged = Unchanged();
    const bool ok = ValidateCell(CommitValue());
    if (!unchanged || !ok)
        SetOpenText(ok ? newCellText_ : oldCellText_);
    return ok;
}

bool GridEditing::CommitDropDown()
{
    if (openKind_ != EditorKind::DropDown)
        return true;
    const bool ok = ValidateCell(OpenValue());
    // Refused: the new-cell text (the refused value or the event's
    // replacement), selected, and the editor stays.
    SetOpenText(newCellText_);
    return ok;
}

void GridEditing::DropDownEdited(const QString& text)
{
    if (noEditChange_ || !editMode_ || openKind_ != EditorKind::DropDown)
        return;
    if (OnEditChange)
        OnEditChange(&g_, editCell_.X, editCell_.Y, text);
}

void GridEditing::GridButtonClicked()
{
    if (openKind_ != EditorKind::PushButton || !editMode_)
        return;
    QString caption = host_->GridButtonCaption();
    if (OnEllipsClick)
        OnEllipsClick(&g_, g_.RealColIndex(editCell_.X), editCell_.Y, caption);
    host_->SetGridButtonCaption(caption);
    g_.SetCells(g_.RealColIndex(editCell_.X), editCell_.Y, caption);
    g_.InvalidateCell(editCell_.X, editCell_.Y);
}

bool GridEditing::CommitButton()
{
    if (openKind_ != EditorKind::Button)
        return true;
    const bool ok = ValidateCell(OpenValue());
    SetOpenText(ok ? newCellText_ : oldCellText_);
    return ok;
}

void GridEditing::EllipsisClicked()
{
    if (openKind_ != EditorKind::Button)
        return;
    const EditorKindRow& kind = EditorKindOf(editControl_);
    QString text = host_->ButtonEditValue();
    if (OnEllipsClick)
        OnEllipsClick(&g_, g_.RealColIndex(editCell_.X), editCell_.Y, text);
    SetOpenText(text);
    if (!kind.units && OnEditChange)
        OnEditChange(&g_, editCell_.X, editCell_.Y, text);
    if (StopEditAfterClick) {
        HideInplaceEdit();
        host_->FocusGrid();
    }
}

bool GridEditing::CommitCombo()
{
    if (openKind_ != EditorKind::Combo)
        return true;
    const QString value = ComboListed() && !comboPicked_ ? g_.CurrentCell() : host_->ComboText();
    const bool ok = ValidateCell(value);
    if (!ok) {
        noEditChange_ = true;
        host_->SetComboText(newCellText_);
        noEditChange_ = false;
    }
    return ok;
}

void GridEditing::CancelEdit()
{
    if (!editMode_)
        return;
    editing_ = false;
    if (openKind_ == EditorKind::Text) {
        noEditChange_ = true;
        host_->SetTextEditorText(cellCache_, false);
        noEditChange_ = false;
        g_.SetEditText(editCell_.X, editCell_.Y, cellCache_);
    } else if (openKind_ == EditorKind::Combo) {
        comboPicked_ = false;
        noEditChange_ = true;
        host_->SetComboText(g_.CurrentCell());
        noEditChange_ = false;
    } else if (openKind_ == EditorKind::Spin || openKind_ == EditorKind::Button || openKind_ == EditorKind::Picker ||
               openKind_ == EditorKind::Link || openKind_ == EditorKind::Rich ||
               openKind_ == EditorKind::DropDown) {
        // Esc writes nothing back: the cell keeps the text it had.
        SetOpenText(cellCache_);
        cancelled_ = true;
    } else if (openKind_ == EditorKind::CheckBox) {
        // Esc writes nothing back.
        editMode_ = false;
    } else if (openKind_ == EditorKind::PushButton) {
        // The text the cell had before the button was pressed comes back.
        RestoreCellText();
    }
    HideInplaceEdit();
    if (host_)
        host_->FocusGrid();
}

void GridEditing::FocusLost()
{
    if (!editMode_ || blockKill_ || hiding_ || altBack_)
        return;
    g_.SetStartEditChar(QChar());
    if (openKind_ == EditorKind::CheckBox) {
        HideInplaceEdit();
        return;
    }
    const QString value = OpenValue();
    const QString title = InvalidEntryTitle;
    const QString text = InvalidEntryText;
    InvalidEntryTitle.clear();
    InvalidEntryText.clear();
    bool ok = true;
    try {
        ok = ValidateCell(value);
    } catch (...) {
        InvalidEntryTitle = title;
        InvalidEntryText = text;
        throw;
    }
    InvalidEntryTitle = title;
    InvalidEntryText = text;
    if (ok) {
        HideInplaceEdit();
        return;
    }
    // Refused: the old text comes back, the user is told, and the editor
    // reopens later from the event loop, never inside the focus change.
    const QString old = oldCellText_;
    SetOpenText(old);
    comboPicked_ = false;
    editing_ = false;
    HideInplaceEdit();
    g_.SetCells(g_.RealColIndex(oldCell_.X), oldCell_.Y, old);
    host_->ShowRefusal(title, text.isEmpty() && title.isEmpty()
                                  ? QStringLiteral("The value was refused; the cell keeps its old value.")
                                  : text);
    host_->PostReopen();
}

void GridEditing::GridEntered()
{
    enteredSelection_ = g_.Selection();
    if (editMode_)
        return;
    SaveOldCell(g_.Col(), g_.Row());
    if (!g_.Navigation.AlwaysEdit || !g_.IsEditable(g_.RealCol(), g_.Row()))
        return;
    // Only a current cell shown whole.
    const QRect cell = g_.UnclippedCellRect(g_.Col(), g_.Row());
    if (!QRect(0, 0, g_.ClientWidth(), g_.ClientHeight()).contains(cell))
        return;
    ShowInplaceEdit();
}

bool GridEditing::CursorWalk(bool forward)
{
    if (!editMode_ || openKind_ != EditorKind::Text || !g_.Navigation.CursorWalkEditor)
        return false;
    const int col = g_.Col();
    const int row = g_.Row();
    const int span = g_.CellSpan(g_.RealCol(), row).x();
    const int next = forward ? col + span + 1 : col - 1;
    const bool inside = forward ? col < g_.ColCount() - g_.FixedRightCols() - 1 : col > g_.FixedCols();
    if (!CommitText())
        return false;
    HideInplaceEdit();
    // A control cell beside takes the cursor as it is.
    if (inside && next >= 0 && next < g_.ColCount() && g_.IsControlCell(g_.RealColIndex(next), row)) {
        g_.SetCol(next);
        return true;
    }
    const TAdvanceDirection direction = g_.Navigation.AdvanceDirection();
    g_.Navigation.SetAdvanceDirection(adLeftRight);
    g_.AdvanceEdit(col, row, true, true, forward, false, true);
    g_.Navigation.SetAdvanceDirection(direction);
    if (g_.Navigation.CursorWalkAlwaysEdit)
        ShowInplaceEdit();
    if (host_ && !editMode_)
        host_->FocusGrid();
    return true;
}

void GridEditing::SizeWhileTyping()
{
    if (!editMode_ || openKind_ != EditorKind::Text)
        return;
    const TGridCoord cell = editCell_;
    if (g_.SizeWhileTyping.Width)
        g_.AutoSizeColEx(cell.X, true);
    if (g_.SizeWhileTyping.Height && g_.WordWrap()) {
        const bool synch = g_.ColumnSize.SynchWithGrid;
        g_.ColumnSize.SynchWithGrid = false;
        g_.AutoSizeRow(cell.Y, 0);
        g_.ColumnSize.SynchWithGrid = synch;
        if (g_.OnEndRowSize)
            g_.OnEndRowSize(&g_, cell.Y);
    }
}

void GridEditing::GridExited()
{
    if (g_.MouseActions.DisjunctRowSelect() && enteredSelection_.Left >= 0 && g_.Selection() != enteredSelection_)
        g_.SelectionToRowSelect(false);
    enteredSelection_ = {-1, -1, -1, -1};
}

void GridEditing::Reopen()
{
    if (editMode_)
        return;
    ShowInplaceEdit();
}

} // namespace grid
