#include "controls/dropdown/ex_custom_dropdown.h"

#include "controls/dropdown/bars.h"
#include "controls/dropdown/color_styles.h"
#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/popup_geometry.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/theme_binding/theme_api.h"
#include "controls/grid/widget/qt_canvas.h"
#include "platform/tick_clock.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

namespace dropdown {

// ---- the button ----

TDropDownEditButton::TDropDownEditButton(TExCustomDropDown* edit) : QWidget(edit), edit_(edit)
{
    resize(16, 25);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_Hover);
}

void TDropDownEditButton::enterEvent(QEnterEvent*)
{
    hot_ = true;
    update();
}

void TDropDownEditButton::leaveEvent(QEvent*)
{
    hot_ = false;
    update();
}

void TDropDownEditButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        pressed_ = true;
        update();
    }
}

void TDropDownEditButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool was = pressed_;
    pressed_ = false;
    update();
    // The popup opens on release.
    if (was && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}

void TDropDownEditButton::SetButtonStyle(TButtonStyle value)
{
    buttonStyle_ = value;
    update();
}

void TDropDownEditButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (buttonStyle_ == bsButton)
        PaintButton(painter);
    else
        PaintDropDown(painter);
}

void TDropDownEditButton::PaintDropDown(QPainter& painter)
{
    const bool enabled = isEnabled() && edit_->isEnabled() && !edit_->isReadOnly();
    if (ButtonColor == clNone) {
        if (!Glyph.isNull()) {
            painter.fillRect(rect(), palette().color(QPalette::Button));
            painter.setPen(QColor(0x80, 0x80, 0x80));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
            painter.drawPixmap(0, 0, Glyph);
            return;
        }
        const grid::TThemeApi& themes = grid::ThemeApi();
        if (auto theme = themes.OpenThemeData(this, QStringLiteral("combobox"))) {
            const int state = !enabled ? 4 : pressed_ ? 3 : hot_ ? 2 : 1;
            themes.DrawThemeBackground(theme.get(), painter, 1, state, rect());
            themes.CloseThemeData(theme);
            return;
        }
        // Themes out of use: a classic button with a black triangle.
        qDrawWinButton(&painter, rect(), palette(), pressed_, &palette().brush(QPalette::Button));
        const QPoint c = rect().center() + (pressed_ ? QPoint(1, 1) : QPoint());
        painter.setPen(Qt::NoPen);
        painter.setBrush(enabled ? QColor(Qt::black) : palette().color(QPalette::Disabled, QPalette::ButtonText));
        painter.drawPolygon(QPolygon{{c.x() - 3, c.y() - 1}, {c.x() + 3, c.y() - 1}, {c.x(), c.y() + 2}});
        return;
    }
    const TColor face = pressed_ ? ButtonColorDown : hot_ ? ButtonColorHot : ButtonColor;
    const TColor text = pressed_ ? ButtonTextColorDown : hot_ ? ButtonTextColorHot : ButtonTextColor;
    painter.fillRect(rect(), grid::ToQColor(face == clNone ? ButtonColor : face));
    if (edit_->BorderColor() != clNone) {
        painter.setPen(grid::ToQColor(edit_->BorderColor()));
        painter.drawLine(0, 0, 0, height() - 1);
    }
    const QPoint triangle[] = {{5, 7}, {11, 7}, {8, 10}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(grid::ToQColor(text == clNone ? 0x000000 : text));
    painter.drawPolygon(triangle, 3);
}

namespace {

// System colours of the raised and etched edges.
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;

// One edge line pair: top and left in topLeft, bottom and right in
// bottomRight, on the border of r (right and bottom exclusive).
void EdgeLines(QPainter& painter, const QRect& r, TColor topLeft, TColor bottomRight)
{
    const int right = r.x() + r.width() - 1, bottom = r.y() + r.height() - 1;
    painter.setPen(grid::ToQColor(topLeft));
    painter.drawLine(r.x(), bottom - 1, r.x(), r.y());
    painter.drawLine(r.x(), r.y(), right - 1, r.y());
    painter.setPen(grid::ToQColor(bottomRight));
    painter.drawLine(r.x(), bottom, right, bottom);
    painter.drawLine(right, bottom, right, r.y());
}

}  // namespace

void TDropDownEditButton::PaintButton(QPainter& painter)
{
    const bool enabled = isEnabled() && edit_->isEnabled() && !edit_->isReadOnly();
    const bool down = pressed_;
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    painter.setFont(edit_->font());
    painter.setPen(palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QRect client = rect();
    if (Themed || !Flat) {
        const grid::TThemeApi& themes = grid::ThemeApi();
        const QRect face(0, 0, width() + 1, height() + 1);
        if (auto theme = themes.OpenThemeData(this, QStringLiteral("button"))) {
            themes.DrawThemeBackground(theme.get(), painter, 1, !enabled ? 4 : down ? 3 : hot_ ? 2 : 1, face);
            themes.CloseThemeData(theme);
        } else {
            qDrawWinButton(&painter, face, palette(), down, &palette().brush(QPalette::Button));
        }
        painter.setPen(palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        if (!Glyph.isNull()) {
            const QRect area = client.adjusted(2, 2, -2, -2);
            QPoint at = area.topLeft();
            if (!ButtonCaption.isEmpty())
                at.rx() += 2;
            else if (Glyph.width() <= area.width())
                at.rx() += (area.width() - Glyph.width()) / 2;
            if (Glyph.height() <= area.height())
                at.ry() += (area.height() - Glyph.height()) / 2;
            const QRect glyph(at + shift, Glyph.size());
            painter.drawPixmap(glyph.topLeft(), Glyph);
            if (!ButtonCaption.isEmpty())
                painter.drawText(QRect(glyph.left() + Glyph.width() + 2, glyph.top() - 1, width(), height()),
                                 int(Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine), ButtonCaption);
        } else if (!ButtonCaption.isEmpty()) {
            painter.drawText(client.adjusted(3, 1, -3, -1).translated(shift),
                             int(Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine), ButtonCaption);
        }
        return;
    }
    painter.fillRect(client, grid::ToQColor(clBtnFace));
    // The edge rectangle is one pixel larger, so its outer right and bottom
    // lines fall outside the button.
    const QRect edge(0, 0, width() + 1, height() + 1);
    if (down) {
        EdgeLines(painter, edge, clBtnShadow, clBtnShadow);
    } else if (edit_->Etched) {
        EdgeLines(painter, edge, clBtnShadow, clBtnHighlight);
        EdgeLines(painter, edge.adjusted(1, 1, -1, -1), clBtnHighlight, clBtnShadow);
    } else {
        EdgeLines(painter, edge, cl3DLight, cl3DDkShadow);
        EdgeLines(painter, edge.adjusted(1, 1, -1, -1), clBtnHighlight, clBtnShadow);
    }
    if (!Glyph.isNull())
        DrawTransparentBitmap(painter, Glyph.toImage(), clBtnFace, client.adjusted(3, 3, -3, -3).translated(shift));
    if (!ButtonCaption.isEmpty()) {
        painter.setPen(palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(client.adjusted(3, 1, -3, -1).translated(shift),
                         int(Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine), ButtonCaption);
    }
}

// ---- the edit ----

TExCustomDropDown::TExCustomDropDown(QWidget* parent) : QLineEdit(parent), clock_(&SystemTickClock::Instance())
{
    setFrame(false);
    resize(200, 21);
    CreateDropDownForm();
    CreateDropDownButton();
    SetText(QString());
    oldText_.clear();
    SetSelectionColorStyle(scOffice2007);
    SetComponentStyle(grid::tsOffice2007Luna);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!internalUpdate_)
            Change();
    });
}

TExCustomDropDown::~TExCustomDropDown()
{
    if (form_) {
        droppedDown_ = false;  // no closing events from a dying edit
        form_->hide();
        DoPopupDestroy();
    }
    delete label_;
}

void TExCustomDropDown::Assign(const TExCustomDropDown& s)
{
    FocusDraw = s.FocusDraw;
    ForceShadow = s.ForceShadow;
    DropDownEnabled = s.DropDownEnabled;
    dropDownColor_ = s.dropDownColor_;
    dropDownColorTo_ = s.dropDownColorTo_;
    dropDownGradient_ = s.dropDownGradient_;
    dropDownBorderColor_ = s.dropDownBorderColor_;
    dropDownBorderWidth_ = s.dropDownBorderWidth_;
    DropDownShadow = s.DropDownShadow;
    SetDropDownWidth(s.dropDownWidth_);
    SetDropDownHeight(s.dropDownHeight_);
    dropDownSizeable_ = s.dropDownSizeable_;
    const QString value = Text();
    options_.EditType = s.options_.EditType;
    options_.LengthLimit = s.options_.LengthLimit;
    options_.Precision = s.options_.Precision;
    options_.Prefix = s.options_.Prefix;
    options_.Suffix = s.options_.Suffix;
    options_.ExcelStyleDecimalSeparator = s.options_.ExcelStyleDecimalSeparator;
    options_.ValidChars = s.options_.ValidChars;
    options_.Signed = s.options_.Signed;
    options_.AutoThousandSeparator = s.options_.AutoThousandSeparator;
    ReturnIsTab = s.ReturnIsTab;
    DefaultHandling = s.DefaultHandling;
    CanUndo = s.CanUndo;
    buttonAppearance_.Assign(s.buttonAppearance_);
    header_.Assign(s.header_);
    footer_.Assign(s.footer_);
    DropPosition = s.DropPosition;
    Flat = s.Flat;
    SetDropDownButtonWidth(s.buttonWidth_);
    SetDropDownButtonHint(s.buttonHint_);
    editorEnabled_ = s.editorEnabled_;
    options_.EditorEnabled = editorEnabled_;
    button_->Glyph = s.button_->Glyph;
    button_->ButtonCaption = s.button_->ButtonCaption;
    Etched = s.Etched;
    images_ = s.images_;
    selectionColorStyle_ = s.selectionColorStyle_;
    SelectionColor = s.SelectionColor;
    SelectionColorTo = s.SelectionColorTo;
    // The value stays, shown with the copied prefix and suffix.
    internalUpdate_ = true;
    setText(options_.Prefix + value + options_.Suffix);
    internalUpdate_ = false;
}

// ---- text ----

EntryState TExCustomDropDown::State() const
{
    EntryState s;
    s.Text = QLineEdit::text();
    s.SelStart = hasSelectedText() ? selectionStart() : cursorPosition();
    s.SelLength = hasSelectedText() ? int(selectedText().size()) : 0;
    s.Modified = isModified_;
    return s;
}

void TExCustomDropDown::Apply(const EntryState& s)
{
    if (s.Text != QLineEdit::text())
        QLineEdit::setText(s.Text);
    if (s.SelLength > 0)
        setSelection(s.SelStart, s.SelLength);
    else
        setCursorPosition(s.SelStart);
    SetIsModified(s.Modified);
}

QString TExCustomDropDown::Text() const
{
    return TypedEntry::Value(QLineEdit::text(), options_);
}

void TExCustomDropDown::SetText(const QString& value)
{
    EntryState s = State();
    TypedEntry::SetText(s, options_, value);
    Apply(s);
    oldText_ = TypedEntry::Value(s, options_);
    isModified_ = false;
    setModified(false);
}

void TExCustomDropDown::SetTextDirect(const QString& text)
{
    QLineEdit::setText(text);
}

void TExCustomDropDown::SetIsModified(bool value)
{
    if (!editorEnabled_ || isReadOnly())
        return;
    isModified_ = value;
    setModified(value);
}

void TExCustomDropDown::Change()
{
    if (OnChange)
        OnChange(this);
}

void TExCustomDropDown::SetEditType(TDropDownEditType value)
{
    if (value == options_.EditType)
        return;
    options_.EditType = value;
    setEchoMode(value == etPassword ? QLineEdit::Password : QLineEdit::Normal);
    if (value == etPassword)
        CanUndo = false;
    EntryState s = State();
    TypedEntry::ApplyEditType(s, options_);
    Apply(s);
}

void TExCustomDropDown::SetPrecision(int value)
{
    const TDropDownEditType t = options_.EditType;
    if (value == options_.Precision || !(t == etString || t == etFloat || t == etMoney))
        return;
    options_.Precision = value;
    EntryState s = State();
    const TTextKind kind = ClassifyText(TypedEntry::Value(s, options_));
    TypedEntry::SetFloatValue(s, options_, kind == tkString || kind == tkHex ? 0 : TypedEntry::GetFloatValue(s, options_));
    Apply(s);
}

void TExCustomDropDown::SetPrefix(const QString& value)
{
    const QString v = Text();
    options_.Prefix = value;
    QLineEdit::setText(options_.Prefix + v + options_.Suffix);
}

void TExCustomDropDown::SetSuffix(const QString& value)
{
    const QString v = Text();
    options_.Suffix = value;
    QLineEdit::setText(options_.Prefix + v + options_.Suffix);
}

double TExCustomDropDown::GetFloatValue() const
{
    return TypedEntry::GetFloatValue(State(), options_);
}

void TExCustomDropDown::SetFloatValue(double value)
{
    EntryState s = State();
    TypedEntry::SetFloatValue(s, options_, value);
    Apply(s);
}

void TExCustomDropDown::SetIntValue(int value)
{
    EntryState s = State();
    TypedEntry::SetIntValue(s, options_, value);
    Apply(s);
}

void TExCustomDropDown::SelectAll()
{
    EntryState s = State();
    TypedEntry::SelectAll(s, options_);
    Apply(s);
}

void TExCustomDropDown::SelectBeforeDecimal()
{
    EntryState s = State();
    TypedEntry::SelectBeforeDecimal(s, options_);
    Apply(s);
}

void TExCustomDropDown::SelectAfterDecimal()
{
    EntryState s = State();
    TypedEntry::SelectAfterDecimal(s, options_);
    Apply(s);
}

// ---- settings ----

void TExCustomDropDown::SetDropDownWidth(int value)
{
    if (value == dropDownWidth_)
        return;
    dropDownWidth_ = value;
    userWidth_ = -1;
}

void TExCustomDropDown::SetDropDownHeight(int value)
{
    if (value == dropDownHeight_)
        return;
    dropDownHeight_ = value;
    userHeight_ = -1;
}

void TExCustomDropDown::SetEditorEnabled(bool value)
{
    editorEnabled_ = value;
    options_.EditorEnabled = value;
    update();
}

void TExCustomDropDown::SetDropDownButtonWidth(int value)
{
    if (!button_ || value == buttonWidth_)
        return;
    buttonWidth_ = value;
    button_->resize(value, button_->height());
    UpdateBorder();
}

void TExCustomDropDown::SetDropDownButtonHint(const QString& value)
{
    if (value == buttonHint_)
        return;
    buttonHint_ = value;
    if (button_)
        button_->setToolTip(value);
}

void TExCustomDropDown::SetBorderColor(TColor value)
{
    if (value == borderColor_)
        return;
    borderColor_ = value;
    update();
    if (button_)
        button_->update();
}

QString TExCustomDropDown::Version() const
{
    const int v = GetVersionNumber();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24 & 0xFF).arg(v >> 16 & 0xFF).arg(v >> 8 & 0xFF).arg(v & 0xFF);
}

void TExCustomDropDown::SetClock(TickClock* clock)
{
    clock_ = clock ? clock : &SystemTickClock::Instance();
}

// ---- styles ----

void TExCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    selectionColorStyle_ = value;
    if (const SelectionScheme* scheme = SelectionSchemeOf(value)) {
        SelectionColor = scheme->Color;
        SelectionColorTo = scheme->ColorTo;
    }
}

void TExCustomDropDown::DrawSelection(QPainter& painter, const QRect& rect, TColor cornerColor, int ends)
{
    const SelectionScheme* scheme = SelectionSchemeOf(selectionColorStyle_);
    if (!scheme) {
        painter.fillRect(rect, grid::ToQColor(SelectionColor));
        return;
    }
    grid::QtCanvas canvas(painter);
    const bool split = scheme->LowerFrom != clNone;
    grid::DrawSelectionFrame(canvas, rect, ends, scheme->Border, scheme->InnerTop, scheme->InnerBottom, cornerColor,
                             scheme->Corner, SelectionColor, SelectionColorTo, split ? scheme->LowerFrom : clNone,
                             split ? scheme->LowerTo : clNone);
}

void TExCustomDropDown::DrawBackground(QPainter& painter, TColor from, TColor to, TGradientDirection direction,
                                       const QRect& rect, int steps)
{
    DrawGradient(painter, from, to, steps, rect, direction == gdHorizontal);
}

void TExCustomDropDown::SetComponentStyle(TSkinStyle style)
{
    skinStyle_ = style;
    const PopupColors* p = PopupColorsOf(style);
    const ButtonColors* b = ButtonColorsOf(style);
    if (!p || !b)
        return;
    auto set = [](TColor& field, TColor value) {
        if (value != kKeep)
            field = value;
    };
    set(dropDownColor_, p->DropDownColor);
    set(dropDownColorTo_, p->DropDownColorTo);
    set(dropDownBorderColor_, p->DropDownBorderColor);
    auto bar = [&](TBarAppearance& a, const BarColors& c) {
        set(a.Color, c.Color);
        set(a.ColorTo, c.ColorTo);
        set(a.FontColor, c.Font);
        set(a.BorderColor, c.BorderColor);
    };
    bar(header_, p->Header);
    bar(footer_, p->Footer);
    TExButtonAppearance& a = buttonAppearance_;
    a.Color = b->Color;
    a.ColorTo = b->ColorTo;
    a.BorderColor = b->BorderColor;
    a.ColorHot = b->ColorHot;
    a.ColorHotTo = b->ColorHotTo;
    a.BorderColorHot = b->BorderColorHot;
    a.ColorDown = b->ColorDown;
    a.ColorDownTo = b->ColorDownTo;
    a.BorderColorDown = b->BorderColorDown;
    a.ColorDisabled = b->ColorDisabled;
    a.ColorDisabledTo = b->ColorDisabledTo;
    a.ColorChecked = b->ColorChecked;
    a.ColorCheckedTo = b->ColorCheckedTo;
    a.BorderColorChecked = b->BorderColorChecked;
}

void TExCustomDropDown::SetColorTones(const TColorTones& tones)
{
    if (button_) {
        button_->ButtonColor = tones.Background.BrushColor;
        button_->ButtonColorHot = tones.Hover.BrushColor;
        button_->ButtonColorDown = tones.Selected.BrushColor;
        button_->ButtonBorderColor = tones.Background.BorderColor;
    }
    SetBorderColor(tones.Background.BorderColor);
}

// ---- the popup ----

void TExCustomDropDown::CreateDropDownForm()
{
    if (!form_)
        form_ = new TDropDownForm(this);
}

void TExCustomDropDown::CreateDropDownButton()
{
    if (!button_) {
        button_ = new TDropDownEditButton(this);
        button_->OnClick = [this] { DoDropDownButtonClick(); };
    }
    UpdateDropDownButton();
}

void TExCustomDropDown::UpdateDropDownButton()
{
    if (!button_)
        return;
    button_->show();
    UpdateBorder();
}

void TExCustomDropDown::DoBeforeDropDown()
{
    if (OnBeforeDropDown)
        OnBeforeDropDown(this);
}

void TExCustomDropDown::AdjustDropDownHeight(int&) {}

void TExCustomDropDown::FocusControlFocus()
{
    if (FocusControl && FocusControl->focusPolicy() != Qt::NoFocus && !FocusControl->hasFocus())
        FocusControl->setFocus();
}

void TExCustomDropDown::SetControl(QWidget* control)
{
    if (control == control_)
        return;
    control_ = control;
    AttachPopupControl();
}

void TExCustomDropDown::AttachPopupControl()
{
    if (form_ && control_)
        form_->SetContent(control_);
}

QSize TExCustomDropDown::UpdateDropDownSize()
{
    PopupSizeInput in;
    in.DropDownWidth = dropDownWidth_;
    in.DropDownHeight = dropDownHeight_;
    in.BorderWidth = dropDownBorderWidth_;
    in.EditWidth = width();
    in.ContentVisible = control_ && !control_->isHidden();
    // The content's own size: what it had before the popup laid it out.
    if (control_ && control_->size() != laidOut_)
        contentSize_ = control_->size();
    in.Content = contentSize_;
    in.HeaderVisible = header_.Visible();
    in.HeaderHeight = header_.Height;
    in.FooterVisible = footer_.Visible();
    in.FooterHeight = footer_.Height;
    return dropdown::UpdateDropDownSize(in);
}

void TExCustomDropDown::DoShowDropDown()
{
    if (!form_ || form_->isVisible() || !isEnabled() || isReadOnly())
        return;
    DoBeforeDropDown();
    form_->Shadow = DropDownShadow;
    form_->Sizeable = dropDownSizeable_;
    form_->InitializeAndUpdate();
    QSize size = ConstrainPopupSize(UpdateDropDownSize());
    AttachPopupControl();
    if (control_)
        control_->installEventFilter(this);
    const QPoint p = parentWidget() ? mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    QScreen* screen = QGuiApplication::screenAt(p);
    if (!screen)
        screen = this->screen();
    const QRect editOnScreen(p, this->size());
    const QPoint at = PlacePopup(editOnScreen, size, screen->geometry().height(), screen->availableGeometry(),
                                 DropPosition);
    bool accept = true;
    if (OnDropDown)
        OnDropDown(this, accept);
    if (!accept)
        return;
    if (userWidth_ != -1 || userHeight_ != -1)
        size = ConstrainPopupSize(QSize(userWidth_ != -1 ? userWidth_ : size.width(),
                                        userHeight_ != -1 ? userHeight_ : size.height()));
    int h = size.height();
    AdjustDropDownHeight(h);
    droppedDown_ = true;
    form_->setGeometry(QRect(at, QSize(size.width(), h)));
    form_->LayoutChildren(true);
    if (control_)
        laidOut_ = control_->size();
    form_->show();
    form_->raise();
    if (control_ && control_->focusPolicy() != Qt::NoFocus)
        control_->setFocus(Qt::PopupFocusReason);
    else
        form_->setFocus(Qt::PopupFocusReason);
    FocusControlFocus();
}

void TExCustomDropDown::DoDropDownButtonClick()
{
    if (!form_ || form_->isVisible())
        return;
    if (clock_->Ticks() - form_->DeActivateTime() > uint32_t(kReopenDelayMs))
        DoShowDropDown();
}

void TExCustomDropDown::DoHideDropDown(bool cancelled)
{
    if (!form_ || !form_->isVisible())
        return;
    closing_ = true;
    closingCancel_ = cancelled;
    form_->hide();  // PopupHidden finishes
    closing_ = false;
}

void TExCustomDropDown::PopupHidden()
{
    if (!droppedDown_)
        return;
    FinishHide(closing_ ? closingCancel_ : form_->CancelOnDeActivate);
}

void TExCustomDropDown::FinishHide(bool cancelled)
{
    if (OnBeforeDropUp)
        OnBeforeDropUp(this);
    userWidth_ = form_->width();
    userHeight_ = form_->height();
    DroppedUp();
    if (cancelled)
        SetText(oldText_);
    if (OnDropUp)
        OnDropUp(this, cancelled);
}

void TExCustomDropDown::DroppedUp()
{
    droppedDown_ = false;
    if (control_)
        control_->removeEventFilter(this);
    if (focusPolicy() != Qt::NoFocus && isVisible() && isEnabled() && !hasFocus())
        setFocus(Qt::PopupFocusReason);
}

void TExCustomDropDown::PopupMouseWheelDown(Qt::KeyboardModifiers, QPoint, bool&)
{
    DoWheelDown();
}

void TExCustomDropDown::PopupMouseWheelUp(Qt::KeyboardModifiers, QPoint, bool&)
{
    DoWheelUp();
}

void TExCustomDropDown::PopupKeyPress(QKeyEvent*) {}

void TExCustomDropDown::PopupKeyDown(QKeyEvent* event)
{
    KeyDown(event->key(), event->modifiers());
}

bool TExCustomDropDown::ForwardKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    const bool closing = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
                         key == Qt::Key_F4 ||
                         ((event->modifiers() & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down));
    return closing && KeyDown(key, event->modifiers());
}

bool TExCustomDropDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == control_ && event->type() == QEvent::KeyPress)
        return ForwardKeyDown(static_cast<QKeyEvent*>(event));
    if (watched == control_ && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_F4)
            event->accept();
    }
    if (watched == label_ && event->type() == QEvent::MouseButtonRelease)
        DoLabelClick();
    if (watched == label_ && event->type() == QEvent::MouseButtonDblClick)
        DoLabelDblClick();
    return QLineEdit::eventFilter(watched, event);
}

// ---- keys ----

QString TExCustomDropDown::SelectedValue() const
{
    const EntryState s = State();
    return Text().mid(std::max(0, s.SelStart - int(options_.Prefix.size())), s.SelLength);
}

bool TExCustomDropDown::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool alt = modifiers & Qt::AltModifier;
    if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (droppedDown_)
            DoHideDropDown(false);
        else
            DoShowDropDown();
        return true;
    }
    if (isReadOnly())
        return false;
    switch (key) {
    case Qt::Key_F4:
        if (droppedDown_)
            DoHideDropDown(false);
        else
            DoShowDropDown();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers & Qt::ControlModifier)
            return true;
        if (droppedDown_) {
            DoHideDropDown(false);
            return true;
        }
        if (ReturnIsTab) {
            focusNextChild();
            return true;
        }
        return DefaultHandling;
    case Qt::Key_Escape:
        if (droppedDown_) {
            DoHideDropDown(true);
            return true;
        }
        if (CanUndo && editorEnabled_) {
            SelectAll();
            isModified_ = false;
            setModified(false);
        }
        return false;  // the dialog gets Esc after the edit
    default:
        return false;
    }
}

void TExCustomDropDown::KeyPress(QChar& key)
{
    if (key == u'\r') {
        key = QChar(0);
        return;
    }
    EntryState s = State();
    TypedEntry::TypeChar(s, options_, {key});
    Apply(s);
}

bool TExCustomDropDown::event(QEvent* event)
{
    if (Flat && (event->type() == QEvent::Enter || event->type() == QEvent::Leave))
        update();
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed before any shortcut of the window sees them.
        auto* k = static_cast<QKeyEvent*>(event);
        const int key = k->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if ((key == Qt::Key_Escape && droppedDown_) || key == Qt::Key_F4 || (enter && (droppedDown_ || ReturnIsTab)) ||
            ((k->modifiers() & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down))) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TExCustomDropDown::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (KeyDown(key, mods)) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    if (!editorEnabled_ || isReadOnly()) {
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        const QString clip = QGuiApplication::clipboard()->text();
        EntryState s = State();
        TypedEntry::Paste(s, options_, clip, [this](const QString& v) {
            bool allow = true;
            if (OnClipboardPaste)
                OnClipboardPaste(this, v, allow);
            return allow;
        });
        Apply(s);
        return;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        const bool cut = event->matches(QKeySequence::Cut);
        bool allow = true;
        auto& handler = cut ? OnClipboardCut : OnClipboardCopy;
        if (handler)
            handler(this, SelectedValue(), allow);
        if (allow) {
            if (cut) {
                EntryState s = State();
                QGuiApplication::clipboard()->setText(selectedText());
                s.Text.remove(s.SelStart, s.SelLength);
                s.SelLength = 0;
                s.Modified = true;
                Apply(s);
            } else {
                copy();
            }
        }
        return;
    }
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete:
    case Qt::Key_Backspace: {
        const bool shift = mods & Qt::ShiftModifier;
        EntryState s = State();
        if (TypedEntry::KeyDown(s, options_, key, shift) == KeyOutcome::Pass) {
            if (key == Qt::Key_Backspace)
                TypedEntry::TypeChar(s, options_, {QChar(8)});
            else
                TypedEntry::NormalKey(s, key, shift);
        }
        TypedEntry::AfterKeyDown(s, options_, key);
        Apply(s);
        return;
    }
    default:
        break;
    }
    if (!event->text().isEmpty() && event->text()[0].isPrint()) {
        TypeText(event);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TExCustomDropDown::TypeText(QKeyEvent* event)
{
    EntryState s = State();
    for (QChar ch : event->text()) {
        CharInput in;
        in.Char = ch;
        in.Control = event->modifiers() & Qt::ControlModifier;
        in.KeypadDecimal = (event->modifiers() & Qt::KeypadModifier) && (ch == u'.' || ch == u',');
        TypedEntry::TypeChar(s, options_, in);
    }
    Apply(s);
}

// ---- mouse and focus ----

void TExCustomDropDown::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !editorEnabled_)
        DoDropDownButtonClick();
}

void TExCustomDropDown::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (!editorEnabled_)
        return;
    EntryState s = State();
    TypedEntry::AfterClick(s, options_);
    Apply(s);
}

void TExCustomDropDown::wheelEvent(QWheelEvent* event)
{
    QLineEdit::wheelEvent(event);
    if (event->angleDelta().y() < 0)
        DoWheelDown();
    else if (event->angleDelta().y() > 0)
        DoWheelUp();
}

void TExCustomDropDown::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!editorEnabled_) {
        update();
        return;
    }
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (event->reason() != Qt::MouseFocusReason)
        SelectAll();
    else if (options_.EditType == etFloat || options_.EditType == etMoney)
        SelectBeforeDecimal();
}

void TExCustomDropDown::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason) {
        EntryState s = State();
        TypedEntry::CompleteOnFocusLoss(s, options_);
        if (!(s == State()))
            Apply(s);
    }
    QLineEdit::focusOutEvent(event);
    if (!editorEnabled_)
        update();
}

// ---- painting and layout ----

int TExCustomDropDown::GetMinHeight() const
{
    const int hf = QFontMetrics(font()).height();
    const int hs = QFontMetrics(QApplication::font()).height();
    return hf + std::min(hf, hs) / 4;
}

void TExCustomDropDown::UpdateBorder()
{
    if (height() < GetMinHeight()) {
        resize(width(), GetMinHeight());
        return;
    }
    if (button_)
        button_->setGeometry(EditButtonRect(size(), button_->width()));
    SetEditRect();
    update();
}

void TExCustomDropDown::SetEditRect()
{
    const int right = (button_ ? button_->width() : 0) + 3;
    setTextMargins(2, 1, right, 1);
}

void TExCustomDropDown::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    UpdateBorder();
    UpdateLabel();
}

void TExCustomDropDown::moveEvent(QMoveEvent* event)
{
    QLineEdit::moveEvent(event);
    UpdateLabel();
}

void TExCustomDropDown::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    if (label_ && !label_->text().isEmpty())
        label_->show();
}

void TExCustomDropDown::hideEvent(QHideEvent* event)
{
    QLineEdit::hideEvent(event);
    if (label_)
        label_->hide();
    DoHideDropDown(false);
}

void TExCustomDropDown::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (button_)
            button_->setEnabled(isEnabled());
        if (label_ && !LabelAlwaysEnabled)
            label_->setEnabled(isEnabled());
        if (!isEnabled())
            DoHideDropDown(false);
    }
    // The parent's font reached the edit: a label showing the edit's font
    // follows and is placed again.
    if (event->type() == QEvent::FontChange && label_ && ParentFont()) {
        label_->setFont(font());
        label_->adjustSize();
        label_->move(LabelTopLeft(geometry(), label_->size(), labelPosition_, labelMargin_));
    }
}

void TExCustomDropDown::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    DrawFocusedText(painter);
    TColor frame = clNone;
    if (!isEnabled() && DisabledBorder)
        frame = 0xC0C0C0;
    else if (borderColor_ != clNone && !(hasFocus() && FocusBorderColor != clNone))
        frame = borderColor_;
    else if (FocusBorderColor != clNone && hasFocus())
        frame = FocusBorderColor;
    painter.setBrush(Qt::NoBrush);
    const QRect r = rect();
    if (frame != clNone) {
        painter.setPen(grid::ToQColor(frame));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (!Flat) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        // The flat look: a frame in the parent's colour that vanishes into
        // it, sunken in the button face colour while hot.
        const bool hot = IsHot();
        const QColor b = hot ? grid::ToQColor(clBtnFace)
                             : (parentWidget() ? parentWidget()->palette().color(parentWidget()->backgroundRole())
                                               : palette().color(QPalette::Window));
        QRect inner = r;
        if (hot) {
            EdgeLines(painter, r, clBtnShadow, clBtnHighlight);
            inner = r.adjusted(1, 1, -1, -1);
        } else {
            painter.setPen(b);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            inner = r.adjusted(1, 1, -1, -1);
        }
        painter.setPen(b);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
    }
}

bool TExCustomDropDown::IsHot() const
{
    return underMouse() || hasFocus();
}

void TExCustomDropDown::DrawFocusedText(QPainter& painter)
{
    if (editorEnabled_ || !hasFocus() || !FocusDraw)
        return;
    QRect r(QPoint(2, 2), QPoint(width() - DropDownButtonWidth() - 2, height() - 3));
    painter.setPen(Qt::black);
    painter.setBrush(grid::ToQColor(clHighlight));
    painter.drawRect(r);
    r.adjust(2, 0, -3, 0);
    painter.setPen(grid::ToQColor(clHighlightText));
    painter.drawText(r, int(Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine), Text());
}

// ---- label ----

QString TExCustomDropDown::LabelCaption() const
{
    return label_ ? label_->text() : QString();
}

void TExCustomDropDown::SetLabelCaption(const QString& caption)
{
    if (!label_) {
        label_ = new QLabel(parentWidget());
        label_->setBuddy(this);
        label_->setFont(labelFont_);
        label_->installEventFilter(this);
        connect(label_, &QObject::destroyed, this, [this] { label_ = nullptr; });
    }
    label_->setText(caption);
    UpdateLabel();
}

void TExCustomDropDown::SetLabelPosition(TLabelPosition value)
{
    labelPosition_ = value;
    UpdateLabel();
}

void TExCustomDropDown::SetLabelMargin(int value)
{
    labelMargin_ = value;
    UpdateLabel();
}

void TExCustomDropDown::SetLabelFont(const QFont& value)
{
    if (!ParentFont())
        labelFont_ = value;
    if (label_)
        UpdateLabel();
}

void TExCustomDropDown::Loaded()
{
    parentFnt_ = ParentFont();
    SetEditRect();
    UpdateBorder();
    if (button_)
        button_->setEnabled(isEnabled());
    if (label_ && !LabelAlwaysEnabled)
        label_->setEnabled(isEnabled());
    if (label_)
        UpdateLabel();
}

QVariantMap TExCustomDropDown::DefineProperties() const
{
    return {{QStringLiteral("SelectionColorStyle"), int(selectionColorStyle_)},
            {QStringLiteral("ZADStyle"), int(skinStyle_)}};
}

void TExCustomDropDown::ReadDefinedProperties(const QVariantMap& values)
{
    const auto selection = values.find(QStringLiteral("SelectionColorStyle"));
    if (selection != values.end())
        selectionColorStyle_ = TSelectionColorStyle(selection->toInt());
    const auto style = values.find(QStringLiteral("ZADStyle"));
    if (style != values.end())
        skinStyle_ = TSkinStyle(style->toInt());
}

void TExCustomDropDown::UpdateLabel()
{
    if (!label_ || !label_->parentWidget())
        return;
    label_->setAutoFillBackground(!LabelTransparent);
    label_->setFont(parentFnt_ ? font() : labelFont_);
    label_->adjustSize();
    label_->move(LabelTopLeft(geometry(), label_->size(), labelPosition_, labelMargin_));
    label_->setVisible(isVisibleTo(parentWidget()));
}

void TExCustomDropDown::DoLabelClick()
{
    if (OnLabelClick)
        OnLabelClick(this);
}

void TExCustomDropDown::DoLabelDblClick()
{
    if (OnLabelDblClick)
        OnLabelDblClick(this);
}

}  // namespace dropdown
