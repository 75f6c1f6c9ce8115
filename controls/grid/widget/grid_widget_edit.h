#pragma once
#include "controls/grid/core/edit_lifecycle.h"

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <memory>

class QKeyEvent;
class QFocusEvent;
class QWidget;

namespace grid {

class TGridWidget;
class TInplaceEdit;
class TInplaceMemo;
class TGridCombo;
class TGridCheckBox;
class TInplaceSpin;
class TInplaceButtonEdit;
class TInplaceDate;
class TGridButton;
class TExDateTimePicker;
class TCellDropDowns;
class TEditLink;
class TExRichEdit;

// Runs an input handler; a GridError (or any other exception) never leaves
// it: it is reported through the platform's messages.
void RunGuarded(const std::function<void()>& step);

// The editors of one painted grid: viewport children made on first use and
// reused for every cell, kept over their cell through scrolls and resizes.
// The end of an edit arrives as a posted "GridEditDone" event.
class TGridEditors : public QObject, public EditorHost
{
public:
    TGridEditors(TGridWidget& widget, GridEditing& editing);
    ~TGridEditors() override;

    GridEditing& Editing() { return editing_; }
    TGridWidget& Widget() { return widget_; }
    TExStringGrid& Grid();

    // The editors, made on first use (null until then with the Made forms).
    TInplaceEdit& LineEdit();
    TInplaceMemo& Memo();
    TGridCombo& Combo();
    TGridCheckBox& CheckBox();
    TInplaceSpin& SpinEdit();
    TInplaceButtonEdit& ButtonEdit();
    TInplaceDate& DatePicker();
    TInplaceEdit* MadeLineEdit() const { return lineEdit_.get(); }
    TInplaceMemo* MadeMemo() const { return memo_.get(); }
    TGridCombo* MadeCombo() const { return combo_.get(); }
    TGridCheckBox* MadeCheckBox() const { return check_.get(); }
    TInplaceSpin* MadeSpinEdit() const { return spin_.get(); }
    TInplaceButtonEdit* MadeButtonEdit() const { return buttonEdit_.get(); }
    TInplaceDate* MadeDatePicker() const { return datePicker_.get(); }
    // The drop-down editors (null without an installed maker) and the push
    // button of edButton cells (grid_widget_dropdown.cpp).
    TCellDropDowns* DropDowns();
    TCellDropDowns* MadeDropDowns() const { return dropDowns_.get(); }
    TGridButton& GridButton();
    TGridButton* MadeGridButton() const { return gridButton_.get(); }
    // The date-and-time composite of edDateTimeEdit cells (its check box
    // set here or from OnGetEditorProp; grid_widget_datetime.cpp).
    TExDateTimePicker& DateAndTimePicker();
    TExDateTimePicker* MadeDateAndTimePicker() const { return dateTime_.get(); }
    // The push button was pressed (left-button release or Space).
    void GridButtonPressed();
    // The rich-text editor of edRichEdit cells and the link of the open
    // edCustom edit (grid_widget_link.cpp).
    TExRichEdit& RichEdit();
    TExRichEdit* MadeRichEdit() const { return rich_.get(); }
    TEditLink* OpenLink() const;
    // The editor shown now; null while none.
    QWidget* OpenEditor() const;
    // While an editor hands the focus back to the grid.
    bool Hiding() const { return hiding_; }

    // Puts the open editor over its cell again.
    void Place();

    // ---- Keys and focus of the editors ----
    // A text editor's key: true when it was a way out (or refused) and the
    // editor must not handle it.
    bool TextKey(QKeyEvent* event, bool firstLine, bool lastLine);
    bool ComboKey(QKeyEvent* event);
    bool CheckKey(QKeyEvent* event);
    // A key of a spin or button editor, looked up in the closing-key table:
    // true when it closed the editor (or was refused) or did the row's own
    // step, so the editor must not handle it.
    bool ClosingKey(EditorKind kind, QKeyEvent* event);
    bool SpinKey(QKeyEvent* event) { return ClosingKey(EditorKind::Spin, event); }
    // Tab in an editor: false lets the editor's key handling have it.
    bool EditorTab(bool next);
    void EditorFocusOut(QWidget* editor, QFocusEvent* event);
    // Whether a typed text may go into a text editor holding current with
    // selected characters selected; mapped gets what is typed (case rules).
    bool AcceptTyped(const QString& current, int selected, int caret, QString& typed);
    // Type-ahead after a typed character (text editor: the grid's
    // LookupItems; combo: its items, then LookupItems).
    void TextLookup();
    void ComboLookup();
    // The one paste of the text editors: false when refused whole.
    bool PasteInto(QString& current, int& selStart, int& selLength, QString value);
    // What a key types into a text editor (the keypad's decimal key mapped).
    QString TypedText(const QKeyEvent& event) const;
    // The text editor's whole text once a character went in.
    QString AfterTyping(const QString& text) const;
    // After a character went into the text editor: with AdvanceAuto and
    // AdvanceOnEnter a text filled to the limit, caret at its end, moves on
    // as Enter does. True when the editor closed.
    bool TypedIn(const QString& text, int caret, bool selected);
    // A text editor's key release (caret at the text's start / end since
    // the press): the cursor walk, Alt+Backspace's end, size while typing.
    // True when the editor closed.
    bool TextKeyUp(QKeyEvent* event, bool atStart, bool atEnd);

    // EditorHost
    void ShowTextEditor(const TextSetup& setup) override;
    void HideTextEditor() override;
    QString TextEditorText() const override;
    void SetTextEditorText(const QString& text, bool selectAll) override;
    void ShowCombo(const ComboSetup& setup) override;
    void HideCombo() override;
    QString ComboText() const override;
    void SetComboText(const QString& text) override;
    void ShowCheckBox(const QRect& rect, const QString& caption) override;
    void HideCheckBox() override;
    bool CheckBoxChecked() const override;
    void ShowSpin(const SpinSetup& setup) override;
    void HideSpin() override;
    QString SpinText() const override;
    void SetSpinText(const QString& text) override;
    void ShowButtonEdit(const ButtonSetup& setup) override;
    void HideButtonEdit() override;
    QString ButtonEditValue() const override;
    void SetButtonEditValue(const QString& value) override;
    void ShowPicker(const PickerSetup& setup) override;
    void HidePicker() override;
    double PickerValue() const override;
    void SetPickerValue(double value) override;
    bool ShowLink(const LinkSetup& setup) override;
    void HideLink() override;
    QString LinkValue() const override;
    void SetLinkValue(const QString& value) override;
    void ShowRich(const RichSetup& setup) override;
    void HideRich() override;
    QString RichValue() const override;
    void SetRichValue(const QString& value) override;
    bool ShowDropDownEditor(const DropDownSetup& setup) override;
    void HideDropDownEditor() override;
    QString DropDownEditorText() const override;
    void SetDropDownEditorText(const QString& value) override;
    TColor DropDownEditorColor() const override;
    int DropDownEditorImageIndex() const override;
    bool ShowGridButton(const QRect& rect, const QString& caption) override;
    void HideGridButton() override;
    QString GridButtonCaption() const override;
    void SetGridButtonCaption(const QString& caption) override;
    void TypeStartChar(QChar ch) override;
    void FocusGrid() override;
    void PostEditDone(int realCol, int row) override;
    void PostReopen() override;
    void ShowRefusal(const QString& title, const QString& text) override;

    // The registered event type of "GridEditDone".
    static QEvent::Type EditDoneType();

protected:
    bool event(QEvent* event) override;

private:
    // Tab after a committed edit: the editor closes and the next cell takes
    // the cursor, or the window's next control the focus.
    void LeaveByTab(TShiftState shift);
    void EnterFromText(const GridKey& key);
    void HideWidget(QWidget* w);
    // The date-and-time composite's part of the picker steps; an unticked
    // box reads as NaN (no value).
    void ShowDateAndTime(const PickerSetup& setup);
    double DateAndTimeValue() const;
    void SetDateAndTimeValue(double value);
    QWidget* TextWidget() const;
    // The open link's control while it lives in the cell; null otherwise.
    QWidget* LinkControl() const;
    // The opening character into the link's control or the rich editor.
    void TypeIntoOwn(QChar ch);

    TGridWidget& widget_;
    GridEditing& editing_;
    std::unique_ptr<TInplaceEdit> lineEdit_;
    std::unique_ptr<TInplaceMemo> memo_;
    std::unique_ptr<TGridCombo> combo_;
    std::unique_ptr<TGridCheckBox> check_;
    std::unique_ptr<TInplaceSpin> spin_;
    std::unique_ptr<TInplaceButtonEdit> buttonEdit_;
    std::unique_ptr<TInplaceDate> datePicker_;
    std::unique_ptr<TCellDropDowns> dropDowns_;
    std::unique_ptr<TGridButton> gridButton_;
    std::unique_ptr<TExDateTimePicker> dateTime_;
    bool dateTimeOpen_ = false;
    std::unique_ptr<TExRichEdit> rich_;
    QPointer<TEditLink> openLink_;
    QPointer<QWidget> lookupEdit_;
    bool lookupWork_ = true;
    bool memoOpen_ = false;
    bool hiding_ = false;
};

} // namespace grid
