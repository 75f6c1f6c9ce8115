#pragma once
#include "controls/dropdown/appearances.h"
#include "controls/dropdown/typed_entry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QVariantMap>

#include <functional>


class QPainter;
class TickClock;

namespace dropdown {

class TDropDownForm;
class TExBar;
class TExCustomDropDown;

// The button inside the edit's right edge: the themed arrow from QStyle, or
// the tone colours with a triangle; or, as a push button, a face with glyph
// and caption. It opens the popup on release.
class TDropDownEditButton : public QWidget
{
public:
    explicit TDropDownEditButton(TExCustomDropDown* edit);
    TButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TButtonStyle value);
    // The push button's face: from the platform style while Themed; without
    // it, drawn by hand when Flat (raised, or etched when the edit is
    // Etched), else from the platform style again.
    bool Themed = true;
    bool Flat = false;
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;  // stored only
    QPixmap Glyph;
    QString ButtonCaption;
    std::function<void()> OnClick;
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PaintDropDown(QPainter& painter);
    void PaintButton(QPainter& painter);

    TExCustomDropDown* edit_;
    TButtonStyle buttonStyle_ = bsDropDown;
    bool hot_ = false;
    bool pressed_ = false;
};

// The base of every drop-down: a one-line edit with its own frame, the button
// inside its right edge, an optional label beside it and a popup window with
// header, content and footer. Typing follows the typed entry rules; the
// virtual members are the points the pickers and the grid's cell editors
// override.
class TExCustomDropDown : public QLineEdit
{
public:
    explicit TExCustomDropDown(QWidget* parent = nullptr);
    ~TExCustomDropDown() override;

    // Copies the settings of another drop-down; never its text, label or events.
    virtual void Assign(const TExCustomDropDown& source);

    // The value (without Prefix and Suffix) and its setter.
    QString Text() const;
    virtual void SetText(const QString& value);
    // The edit text as given, without prefix, suffix, check or format.
    void SetTextDirect(const QString& text);
    QString OldText() const { return oldText_; }
    // Edit positions, counted from 0 including the prefix.
    int SelStart() const { return State().SelStart; }
    void SetSelStart(int start) { setCursorPosition(start); }
    int SelLength() const { return State().SelLength; }
    void SetSelLength(int length) { setSelection(SelStart(), length); }

    bool DroppedDown() const { return droppedDown_; }
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool cancelChanges) { DoHideDropDown(cancelChanges); }
    TDropDownForm* DropDownForm() const { return form_; }
    TDropDownEditButton* Button() const { return button_; }
    QLabel* Label() const { return label_; }

    // Alt+Up/Down, Enter, Esc, F4 as the edit handles them; true when used.
    bool KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // The selected part of the value (without Prefix and Suffix), as the
    // clipboard events receive it.
    QString SelectedValue() const;
    // A character through the typing rules; an Enter becomes char 0.
    void KeyPress(QChar& key);
    virtual void Change();

    // Settings.
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int value);
    int DropDownHeight() const { return dropDownHeight_; }
    void SetDropDownHeight(int value);
    QSize UserDropDownSize() const { return QSize(userWidth_, userHeight_); }
    // The next opening takes the computed size again.
    void ForgetUserDropDownSize() { userWidth_ = userHeight_ = -1; }
    bool EditorEnabled() const { return editorEnabled_; }
    virtual void SetEditorEnabled(bool value);
    TDropPosition DropPosition = dpAuto;
    TColor DropDownColor() const { return dropDownColor_; }
    void SetDropDownColor(TColor value) { dropDownColor_ = value; }
    TColor DropDownColorTo() const { return dropDownColorTo_; }
    void SetDropDownColorTo(TColor value) { dropDownColorTo_ = value; }
    TColor DropDownBorderColor() const { return dropDownBorderColor_; }
    void SetDropDownBorderColor(TColor value) { dropDownBorderColor_ = value; }
    int DropDownBorderWidth() const { return dropDownBorderWidth_; }
    void SetDropDownBorderWidth(int value) { dropDownBorderWidth_ = value; }
    TGradientDirection DropDownGradient() const { return dropDownGradient_; }
    void SetDropDownGradient(TGradientDirection value) { dropDownGradient_ = value; }
    bool DropDownShadow = true;
    bool ForceShadow = false;
    bool DropDownSizeable() const { return dropDownSizeable_; }
    void SetDropDownSizeable(bool value) { dropDownSizeable_ = value; }
    bool DropDownEnabled = false;
    int DropDownButtonWidth() const { return buttonWidth_; }
    void SetDropDownButtonWidth(int value);
    QString DropDownButtonHint() const { return buttonHint_; }
    void SetDropDownButtonHint(const QString& value);
    THeaderAppearance& DropDownHeader() { return header_; }
    TFooterAppearance& DropDownFooter() { return footer_; }
    void SetDropDownHeader(const THeaderAppearance& value) { header_.Assign(value); }
    void SetDropDownFooter(const TFooterAppearance& value) { footer_.Assign(value); }
    TExButtonAppearance& ButtonAppearance() { return buttonAppearance_; }
    const QList<QPixmap>* Images() const { return images_; }
    void SetImages(const QList<QPixmap>* images) { images_ = images; }
    QString Version() const;
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TColor FocusBorderColor = clNone;
    bool DisabledBorder = true;
    // Flat: a frame that blends into the parent until hot (mouse over or
    // focus), then sunken. Etched: the push-button style's etched edge.
    bool Flat = false;
    bool Etched = false;
    bool IsHot() const;
    QPointer<QWidget> FocusControl;
    bool FocusDraw = true;
    TColor SelectionColor = clNone;
    TColor SelectionColorTo = clNone;
    TSelectionColorStyle SelectionColorStyle() const { return selectionColorStyle_; }

    // Typed entry settings.
    TDropDownEditType EditType() const { return options_.EditType; }
    void SetEditType(TDropDownEditType value);
    int Precision() const { return options_.Precision; }
    void SetPrecision(int value);
    EntryOptions& Options() { return options_; }
    QString Prefix() const { return options_.Prefix; }
    void SetPrefix(const QString& value);
    QString Suffix() const { return options_.Suffix; }
    void SetSuffix(const QString& value);
    bool ReturnIsTab = false;
    bool DefaultHandling = true;
    bool CanUndo = true;
    bool IsModified() const { return isModified_; }
    void SetIsModified(bool value);
    double GetFloatValue() const;
    void SetFloatValue(double value);
    void SetIntValue(int value);
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // Label.
    QString LabelCaption() const;
    void SetLabelCaption(const QString& caption);
    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition value);
    int LabelMargin() const { return labelMargin_; }
    void SetLabelMargin(int value);
    bool LabelAlwaysEnabled = false;
    bool LabelTransparent = false;
    QFont LabelFont() const { return labelFont_; }
    // Ignored while the edit follows its parent's font.
    void SetLabelFont(const QFont& value);
    // The edit has no font of its own (it follows its parent's).
    bool ParentFont() const { return !testAttribute(Qt::WA_SetFont); }

    // After a stored form was read: takes ParentFont (from then on a label
    // shows the edit's font when it was set), lays out edit and button, lets
    // button and label follow Enabled and places the label.
    virtual void Loaded();
    // The values a stored form keeps besides the settings, always written:
    // "SelectionColorStyle" and "ZADStyle" as integers.
    QVariantMap DefineProperties() const;
    // Stores those integers back without applying any colours.
    void ReadDefinedProperties(const QVariantMap& values);

    // Styles.
    virtual void SetSelectionColorStyle(TSelectionColorStyle value);
    virtual void DrawSelection(QPainter& painter, const QRect& rect, TColor cornerColor, int ends);
    virtual void DrawBackground(QPainter& painter, TColor from, TColor to, TGradientDirection direction,
                                const QRect& rect, int steps);
    virtual void SetComponentStyle(TSkinStyle style);
    TSkinStyle GetComponentStyle() const { return skinStyle_; }
    virtual void SetColorTones(const TColorTones& tones);

    // The tick counter of the reopen rule; tests give a fake one.
    void SetClock(TickClock* clock);
    TickClock& Clock() const { return *clock_; }

    // Events (sender first).
    std::function<void(TExCustomDropDown*)> OnBeforeDropDown;
    std::function<void(TExCustomDropDown*, bool& acceptDrop)> OnDropDown;
    std::function<void(TExCustomDropDown*)> OnBeforeDropUp;
    std::function<void(TExCustomDropDown*, bool cancelled)> OnDropUp;
    std::function<void(TExCustomDropDown*, int buttonIndex)> OnDropDownHeaderButtonClick;
    std::function<void(TExCustomDropDown*, int buttonIndex)> OnDropDownFooterButtonClick;
    std::function<void(TExBar*, QPainter&, const QRect&)> OnDrawHeader;
    std::function<void(TExBar*, QPainter&, const QRect&)> OnDrawFooter;
    std::function<void(TExBar*, QString&)> OnGetHeaderText;
    std::function<void(TExBar*, QString&)> OnGetFooterText;
    std::function<void(TExCustomDropDown*)> OnChange;
    std::function<void(TExCustomDropDown*)> OnLabelClick;
    std::function<void(TExCustomDropDown*)> OnLabelDblClick;
    std::function<void(TExCustomDropDown*, const QString&, bool& allow)> OnClipboardCopy;
    std::function<void(TExCustomDropDown*, const QString&, bool& allow)> OnClipboardCut;
    std::function<void(TExCustomDropDown*, const QString&, bool& allow)> OnClipboardPaste;

    // The popup's and the label's overridable steps.
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    virtual int GetVersionNumber() const { return 0x01020104; }
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void DoBeforeDropDown();
    virtual void AdjustDropDownHeight(int& height);
    virtual void FocusControlFocus();
    virtual void DoShowDropDown();
    virtual void AttachPopupControl();
    virtual QSize UpdateDropDownSize();
    virtual void DoHideDropDown(bool cancelled);
    virtual void DroppedUp();
    virtual void DoPopupDestroy() {}
    virtual void PopupMouseWheelDown(Qt::KeyboardModifiers shift, QPoint pos, bool& handled);
    virtual void PopupMouseWheelUp(Qt::KeyboardModifiers shift, QPoint pos, bool& handled);
    virtual void PopupKeyPress(QKeyEvent* event);
    virtual void PopupKeyDown(QKeyEvent* event);
    virtual void PopupKeyUp(QKeyEvent*) {}
    // Keys of the content control: true when the edit used the key.
    virtual bool ForwardKeyDown(QKeyEvent* event);
    virtual bool ForwardKeyUp(QKeyEvent*) { return false; }
    virtual bool ForwardKeyPress(QKeyEvent*) { return false; }
    virtual void PopupSizing() {}
    virtual void DoWheelDown() {}
    virtual void DoWheelUp() {}
    virtual void DrawFocusedText(QPainter& painter);
    virtual void SetEditRect();
    virtual void UpdateBorder();

    // The content control of the popup.
    QWidget* Control() const { return control_; }
    void SetControl(QWidget* control);
    // The button's click: opens unless within 250 ms of a deactivation.
    void DoDropDownButtonClick();
    // The popup's hide, by DoHideDropDown or by Qt's outside click.
    void PopupHidden();
    bool ClosingItself() const { return closing_; }
    // The minimum height for the font.
    int GetMinHeight() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

    EntryState State() const;
    void Apply(const EntryState& state);
    void UpdateLabel();

    TDropDownForm* form_ = nullptr;
    TDropDownEditButton* button_ = nullptr;
    QWidget* control_ = nullptr;
    QString oldText_;
    bool internalUpdate_ = false;

private:
    void FinishHide(bool cancelled);
    void TypeText(QKeyEvent* event);

    EntryOptions options_;
    THeaderAppearance header_;
    TFooterAppearance footer_;
    TExButtonAppearance buttonAppearance_;
    const QList<QPixmap>* images_ = nullptr;
    QLabel* label_ = nullptr;  // cleared when the label goes
    TickClock* clock_;
    QSize contentSize_;
    QSize laidOut_;
    int dropDownWidth_ = 0;
    int dropDownHeight_ = 0;
    int userWidth_ = -1;
    int userHeight_ = -1;
    bool editorEnabled_ = true;
    TColor dropDownColor_ = 0xFFFFFF;
    TColor dropDownColorTo_ = clNone;
    TColor dropDownBorderColor_ = 0x000000;
    int dropDownBorderWidth_ = 1;
    TGradientDirection dropDownGradient_ = gdHorizontal;
    bool dropDownSizeable_ = true;
    int buttonWidth_ = 17;
    QString buttonHint_;
    TColor borderColor_ = clNone;
    TSelectionColorStyle selectionColorStyle_ = scOffice2007;
    TSkinStyle skinStyle_ = grid::tsOffice2007Luna;
    bool isModified_ = false;
    bool droppedDown_ = false;
    bool closing_ = false;
    bool closingCancel_ = false;
    QFont labelFont_;
    bool parentFnt_ = false;
    TLabelPosition labelPosition_ = lpLeftTop;
    int labelMargin_ = 0;
};

}  // namespace dropdown
