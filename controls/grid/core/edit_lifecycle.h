#pragma once
#include "controls/grid/core/edit_text_rules.h"
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/key_input.h"
#include "controls/grid/core/spin_values.h"

#include <QPointer>
#include <QRect>
#include <QStringList>

#include <functional>

namespace grid {

// The control an editor kind opens; Later kinds open nothing (yet).
enum class EditorKind { None, Text, Combo, CheckBox, Spin, Button, Picker, Later, Link, Rich, DropDown, PushButton };

// What a date and time picker edits.
enum class PickerKind { None, Date, DateUpDown, Time, DateTime };

// The picker behind a drop-down editor.
enum class DropDownKind { None, TrackBar, Memo, Calculator, Clock, Detail, MultiColumn, Color, Image, Grid };

struct EditorKindRow
{
    TEditorType type;
    EditorKind kind;
    // Combo: the text is picked from the list only.
    bool listOnly;
    // Spin: the value kind.
    TEsgSpinType spin = sptNormal;
    // Button: the text kind whose typing rules hold, and whether the value
    // carries a unit.
    TEditorType typing = edNormal;
    bool units = false;
    PickerKind picker = PickerKind::None;
    DropDownKind drop = DropDownKind::None;
};

// The row of an editor kind (every TEditorType has one).
const EditorKindRow& EditorKindOf(TEditorType type);

// What the editing side asks of the widget that shows the editors. Rects
// are in client pixels.
class EditorHost
{
public:
    virtual ~EditorHost() = default;

    struct TextSetup
    {
        QRect rect;
        QString text;
        bool multiLine = false;
        bool password = false;
        QChar passwordChar;
        bool selectAll = true;
    };
    virtual void ShowTextEditor(const TextSetup& setup) = 0;
    virtual void HideTextEditor() = 0;
    virtual QString TextEditorText() const = 0;
    virtual void SetTextEditorText(const QString& text, bool selectAll) = 0;

    struct ComboSetup
    {
        QRect rect;
        QStringList items;
        QString text;
        int index = -1; // -1 selects nothing
        bool listOnly = false;
        int dropDownCount = 8;
        bool dropDown = false;
    };
    virtual void ShowCombo(const ComboSetup& setup) = 0;
    virtual void HideCombo() = 0;
    virtual QString ComboText() const = 0;
    virtual void SetComboText(const QString& text) = 0;

    virtual void ShowCheckBox(const QRect& rect, const QString& caption) = 0;
    virtual void HideCheckBox() = 0;
    virtual bool CheckBoxChecked() const = 0;

    struct SpinSetup
    {
        QRect rect;
        QString text;
        SpinSettings settings;
    };
    virtual void ShowSpin(const SpinSetup& setup) = 0;
    virtual void HideSpin() = 0;
    virtual QString SpinText() const = 0;
    virtual void SetSpinText(const QString& text) = 0;

    // The edit with a button (ellipsis; with units, a unit strip and menu).
    struct ButtonSetup
    {
        QRect rect;
        QString text;
        QString unit;
        QStringList units;
        bool hasUnits = false;
        // The grid's edit mask (edMaskEditBtn), empty for none.
        QString mask;
    };
    virtual void ShowButtonEdit(const ButtonSetup& setup) = 0;
    virtual void HideButtonEdit() = 0;
    // The text followed by the unit.
    virtual QString ButtonEditValue() const = 0;
    // Shows a value (split into text and unit when units are offered).
    virtual void SetButtonEditValue(const QString& value) = 0;

    struct PickerSetup
    {
        QRect rect;
        PickerKind kind = PickerKind::Date;
        // Days since 30 December 1899.
        double value = 0;
        bool dropDown = false;
    };
    virtual void ShowPicker(const PickerSetup& setup) = 0;
    virtual void HidePicker() = 0;
    // The picker's value as days since 30 December 1899; NaN for none (the
    // date-and-time picker's box unticked).
    virtual double PickerValue() const = 0;
    virtual void SetPickerValue(double value) = 0;

    // A caller's editor (edCustom) run through its link: false when the
    // link object is none the widget side knows.
    struct LinkSetup
    {
        QRect cellRect;
        QObject* link = nullptr;
        int realCol = 0;
        int row = 0;
        TColor color = clWindow;
        TFont font;
        QString text;
    };
    virtual bool ShowLink(const LinkSetup& setup) { return false; }
    virtual void HideLink() {}
    virtual QString LinkValue() const { return {}; }
    virtual void SetLinkValue(const QString& value) {}

    // The rich-text editor: loads the cell's RTF (or plain text); its value
    // is RTF, or the loaded text itself while nothing was changed.
    struct RichSetup
    {
        QRect rect;
        QString text;
        bool selectAll = false;
        TColor color = clWindow;
    };
    virtual void ShowRich(const RichSetup& setup) {}
    virtual void HideRich() {}
    virtual QString RichValue() const { return {}; }
    virtual void SetRichValue(const QString& value) {}

    // The drop-down editors: false when the widget side has none of this
    // kind. The value is the drop-down's text (the memo's lines joined).
    struct DropDownSetup
    {
        QRect rect;
        DropDownKind kind = DropDownKind::None;
        QString text;
        // The colour picker's colour.
        TColor color = clNone;
        bool dropDown = false;
    };
    virtual bool ShowDropDownEditor(const DropDownSetup& setup) { return false; }
    virtual void HideDropDownEditor() {}
    virtual QString DropDownEditorText() const { return {}; }
    // Shows a text with the whole of it selected.
    virtual void SetDropDownEditorText(const QString& value) {}
    virtual TColor DropDownEditorColor() const { return clNone; }
    // The image editor's picked image index; -1 for none.
    virtual int DropDownEditorImageIndex() const { return -1; }

    // The push button over an edButton cell, its caption the cell's text.
    virtual bool ShowGridButton(const QRect& rect, const QString& caption) { return false; }
    virtual void HideGridButton() {}
    virtual QString GridButtonCaption() const { return {}; }
    virtual void SetGridButtonCaption(const QString& caption) {}

    // Types the character that opened the edit into the open editor.
    virtual void TypeStartChar(QChar ch) = 0;

    // The grid takes the keyboard focus back from an editor.
    virtual void FocusGrid() = 0;
    // Posts the end of an edit to the event loop (real column, row).
    virtual void PostEditDone(int realCol, int row) = 0;
    // Reopens the editor of the current cell from the event loop.
    virtual void PostReopen() = 0;
    // Tells the user a value was refused.
    virtual void ShowRefusal(const QString& title, const QString& text) = 0;
};

// The editing lifecycle of one grid, headless: which editor a cell gets,
// EditMode, opening and closing, the value read back, the validation with
// the old cell text, typing mirrored into the cell, and the end of an edit
// announced at once (OnEditingDone) and from the event loop
// (OnEditCellDone). Events carry the grid as sender.
class GridEditing
{
public:
    explicit GridEditing(TExStringGrid& grid) : g_(grid) {}

    // Without a host no editor is open (an open edit ends unannounced).
    void SetHost(EditorHost* host);
    EditorHost* Host() const { return host_; }
    TExStringGrid& Grid() { return g_; }

    // ---- Events ----
    // Display column; the editor's text after each change it makes.
    std::function<void(TExStringGrid*, int col, int row, const QString& value)> OnEditChange;
    std::function<void(TExStringGrid*)> OnEditingDone;
    // Real column; after the event loop took the editor's own handling.
    std::function<void(TExStringGrid*, int col, int row)> OnEditCellDone;
    // Display column.
    std::function<void(TExStringGrid*, int col, int row, QString& value, bool& valid)> OnCellValidate;
    std::function<void(TExStringGrid*, const TGridRect& range)> OnCellsChanged;
    // Real column; an item picked in the combo editor.
    std::function<void(TExStringGrid*, int col, int row, int index, const QString& selection)> OnComboChange;

    // Type-ahead in the text and combo editors from the combo's items and
    // the grid's LookupItems; with LookupHistory a text editor's new text
    // joins LookupItems when the edit ends.
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;

    // edValidChars cells take these characters; when empty, those of
    // ValidCharSet.
    QString ValidChars;
    std::bitset<256> ValidCharSet;
    // The keypad's decimal key types the locale's decimal separator.
    bool ExcelStyleDecimalSeparator = false;
    TextRuleSettings TextRules() const { return TextRuleSettings{ValidChars, ValidCharSet}; }

    // The spin editor's limits and steps; a column grid's column gives its
    // own whole-number limits and step (when they differ).
    SpinSettings Spin;
    // A blank spin text is stored as an empty cell.
    bool SpinAllowEmpty = false;
    // The spin settings of the open (or next) spin editor.
    SpinSettings SpinFor(TEditorType type) const;
    // Fired after a spin step with the grid, the display column and row, the
    // new text and the direction.
    std::function<void(TExStringGrid*, int col, int row, const QString& value, bool up)> OnSpinClick;

    // The button of an edit-with-button cell, or F4 in it: the grid's real
    // column, row and the text, which the handler may change.
    std::function<void(TExStringGrid*, int col, int row, QString& text)> OnEllipsClick;
    // Unit cells: the units offered, tried in this order.
    QStringList Units;
    // After the ellipsis the editor closes.
    bool StopEditAfterClick = false;

    // The colour editor closing: the real column, row, the colour picked and
    // the cell text that goes with it, both of which the handler may change.
    std::function<void(TExStringGrid*, int col, int row, TColor& color, QString& value)> OnColorSelected;
    // The image editor closing: the real column, row and the image index
    // picked (-1 for none), which the handler may change.
    std::function<void(TExStringGrid*, int col, int row, int& index)> OnImageSelected;

    // The caller's editor of edCustom cells (the widget side's link; a
    // column grid's column link goes first). Never owned.
    QPointer<QObject> EditLink;
    QObject* CurrentLink() const;
    // After a link's key ended an edit, the next validation starts anew.
    void ResetValidation() { lastValidation_ = true; }

    QString InvalidEntryTitle;
    QString InvalidEntryText;
    bool AlwaysValidate = false;

    // ---- State ----
    bool EditMode() const { return editMode_; }
    TEditorType EditControl() const { return editControl_; }
    EditorKind OpenKind() const { return openKind_; }
    bool EditorWantsTab() const;
    QString CellCache() const { return cellCache_; }
    QString OldCellText() const { return oldCellText_; }
    QString NewCellText() const { return newCellText_; }
    bool LastValidation() const { return lastValidation_; }
    // The cell being edited (display column, row); -1 while idle.
    TGridCoord EditCell() const { return editCell_; }

    // ---- Opening and closing ----
    // Starts editing the current cell exactly as F2 does.
    void ShowCellEdit();
    // Ends the open edit of any kind, its value written back (an OK
    // handler's first step).
    void HideCellEdit();
    // Opens the editor of the current cell (nothing on control cells).
    void ShowInplaceEdit();
    // Closes the open editor and writes its value back.
    void HideInplaceEdit();
    // The editor choice: true when the text editor is to be shown.
    bool CanEditShow();
    void ShowEditControl(int col, int row);
    void HideEditControl(int col, int row);
    // An editor that ends on a key: closes, replays Tab and the arrows in
    // the grid, advances on Enter.
    void DoneInplaceEdit(int key, TShiftState shift);
    // Fires OnEditingDone and posts the end (real column).
    void DoEditingDone(int realCol, int row);
    // The posted end arrived.
    void EditDoneArrived(int realCol, int row);
    // The editing part of moving the current cell; false refuses the move.
    bool SelectCell(int col, int row);

    // ---- Values ----
    void SaveOldCell(int col, int row);
    bool ValidateCell(const QString& value);
    void SetCellFromEditor(int realCol, int row, const QString& value);
    // The image editor's pick into an image list or data image cell.
    void ImagePicked(int realCol, int row);
    void RestoreCellText();
    void CellsChanged(const TGridRect& range);

    // ---- What the editors report ----
    // The text editor's text changed: mirrored into the cell.
    void TextEdited(const QString& text);
    // The combo's edit text changed (not mirrored; read back on close).
    void ComboEdited(const QString& text);
    // The user picked a combo item.
    void ComboPicked(int index, const QString& text);
    // The text editor's way out by a key (Enter, Tab, Up, Down): false
    // when the validation refused (the editor stays, showing its value).
    bool CommitText();
    // Esc: the text before the edit comes back and the editor closes.
    void CancelEdit();
    // The combo's commit (Enter, Up, Down in edit mode); false on refusal.
    bool CommitCombo();
    // The spin's commit (Enter, Tab): false on refusal, the editor then
    // showing the value it had.
    bool CommitSpin();
    // The spin editor's text changed (announced by OnEditChange).
    void SpinEdited(const QString& text);
    // The spin editor stepped (OnSpinClick).
    void SpinStepped(bool up);
    // The button (or F4) of an edit with a button: the text goes through
    // OnEllipsClick.
    void EllipsisClicked();
    // The commit of an edit with a button (Enter, Tab, Up, Down): false on
    // refusal, the editor then showing the value it had.
    bool CommitButton();
    // The commit of a date or time picker (Enter, Tab): false on refusal.
    bool CommitPicker();
    // The commit of a drop-down editor: false on refusal, the editor then
    // showing the grid's new-cell text, selected.
    bool CommitDropDown();
    // A drop-down editor's text changed (announced by OnEditChange).
    void DropDownEdited(const QString& text);
    // The push button of an edButton cell was pressed (click or Space): its
    // caption goes through OnEllipsClick into the cell.
    void GridButtonClicked();
    // A picker's value as the cell's text (the short date format, the time
    // with seconds, or both with a space between).
    static QString PickerText(PickerKind kind, double value);
    // The open editor lost the focus to a window that is not ours.
    void FocusLost();
    // The queued reopening after a refusal on focus loss.
    void Reopen();
    // The grid took the keyboard focus from another control.
    void GridEntered();
    // The focus left the grid (and its editors) for another control of the
    // window: with DisjunctRowSelect a selection changed since the grid was
    // entered becomes selected rows.
    void GridExited();
    // Alt+Backspace held: losing the focus meanwhile ends no edit.
    void SetAltBack(bool held) { altBack_ = held; }
    bool AltBack() const { return altBack_; }
    // Left at the text's start or Right at its end with CursorWalkEditor:
    // the text is validated, the editor closes and the cursor walks to the
    // next cell along the row (reopening there with CursorWalkAlwaysEdit).
    // False when the walk does not apply or the value was refused.
    bool CursorWalk(bool forward);
    // After a key in the text editor: the column grows and the row follows
    // the text as SizeWhileTyping asks.
    void SizeWhileTyping();

private:
    void ShowText(int col, int row);
    // The edCustom branch of ShowEditControl (edit_link_open.cpp).
    void ShowLink(int col, int row);
    // The open editor's value, and putting a text back into it.
    QString OpenValue() const;
    // Ends the open editor's edit mode: whether its value is to be stored
    // (open and not cancelled).
    bool EndOpenEdit();
    // After a drop-down or link editor was asked to show: nothing open when
    // it was not, else the start character typed into it.
    void AfterShow(bool shown);
    // Whether the open spin or picker still shows what it opened with.
    bool Unchanged() const;
    // The value a commit validates: the cell's own text while unchanged.
    QString CommitValue() const;
    void SetOpenText(const QString& text);
    bool ComboListed() const;

    TExStringGrid& g_;
    EditorHost* host_ = nullptr;
    bool editMode_ = false;
    TEditorType editControl_ = edNormal;
    EditorKind openKind_ = EditorKind::None;
    bool editing_ = false;
    bool editActive_ = false;
    bool blockKill_ = false;
    bool validating_ = false;
    bool noEditChange_ = false;
    // What the spin or picker editor showed when it opened.
    QString shownText_;
    bool lastValidation_ = true;
    bool comboPicked_ = false;
    bool cancelled_ = false;
    bool hiding_ = false;
    bool altBack_ = false;
    QString cellCache_;
    QString newCellText_;
    TGridCoord oldCell_{-1, -1};
    QString oldCellText_;
    TGridCoord editCell_{-1, -1};
    TGridRect enteredSelection_{-1, -1, -1, -1};
};

// The editing of a grid (every grid has one).
GridEditing* EditingOf(TExStringGrid& grid);

} // namespace grid
