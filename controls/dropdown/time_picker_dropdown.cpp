#include "controls/dropdown/time_picker_dropdown.h"

#include "controls/dropdown/dropdown_form.h"
#include "controls/grid/widget/qt_canvas.h"
#include "platform/text/format_settings.h"

#include <QKeyEvent>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace dropdown {

TExTimePickerDropDown::TExTimePickerDropDown(QWidget* parent) : TExCustomDropDown(parent)
{
    SetEditorEnabled(false);
    DropDownEnabled = true;
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    ApplyMask();
    WriteText(FormatTimeText(time_, Separator(), showSeconds_));
}

QChar TExTimePickerDropDown::Separator() const
{
    return platform::FormatSettings::Current().TimeSeparator;
}

void TExTimePickerDropDown::ApplyMask()
{
    internalCall_ = true;
    setInputMask(ToQtInputMask(TimePickerMask(Separator(), showSeconds_)));
    internalCall_ = false;
}

void TExTimePickerDropDown::WriteText(const QString& text)
{
    internalCall_ = true;
    SetTextDirect(text);
    internalCall_ = false;
}

void TExTimePickerDropDown::SetTime(const QTime& value)
{
    if (!value.isValid() || value == time_)
        return;
    time_ = value;
    WriteText(FormatTimeText(value, Separator(), showSeconds_));
    if (DroppedDown() && watch_) {
        watch_->SetTime(value);
        if (ShowTimePicker && picker_)
            picker_->setTime(value);
    }
}

void TExTimePickerDropDown::SetShowSeconds(bool value)
{
    if (value == showSeconds_)
        return;
    showSeconds_ = value;
    internalCall_ = true;
    setInputMask(QString());
    clear();
    internalCall_ = false;
    ApplyMask();
    WriteText(FormatTimeText(time_, Separator(), showSeconds_));
}

void TExTimePickerDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    oldText_ = displayText();  // what a cancelled close brings back
    if (!panel_) {
        panel_ = new QWidget(form_);
        panel_->setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(panel_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        watch_ = new TExWatch(panel_);
        layout->addWidget(watch_, 1);
    }
    SetControl(panel_);
    panel_->resize(170, 170);
    form_->CancelOnDeActivate = false;
    QPalette pal = panel_->palette();
    pal.setColor(QPalette::Window, grid::ToQColor(DropDownColor()));
    panel_->setPalette(pal);
    watch_->SetAppearance(WatchAppearance);
    watch_->SetShowAMPM(ShowWatchAMPM);
    watch_->SetShowNumbers(ShowWatchNumbers);
    watch_->Model().Animation = Animation;
    watch_->Model().SetAnimationFactor(animationFactor_);
    watch_->OnChange = nullptr;
    watch_->SetAuto(WatchAuto);
    if (!WatchAuto)
        watch_->SetTime(time_);
    watch_->OnChange = [this](TExWatch*) { WatchChanged(); };
    if (!ShowTimePicker) {
        if (picker_)
            picker_->hide();
        return;
    }
    if (!picker_) {
        picker_ = new QTimeEdit(panel_);
        panel_->layout()->addWidget(picker_);
        connect(picker_, &QTimeEdit::timeChanged, this, [this](QTime t) {
            if (watch_ && !WatchAuto && !internalCall_)
                watch_->SetTime(t);
        });
    }
    internalCall_ = true;
    picker_->show();
    picker_->setTime(time_);
    internalCall_ = false;
    picker_->setDisplayFormat(showSeconds_ ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    panel_->resize(170, picker_->sizeHint().height() + 170);
}

void TExTimePickerDropDown::WatchChanged()
{
    if (picker_ && ShowTimePicker && picker_->time() != watch_->Time()) {
        internalCall_ = true;
        picker_->setTime(watch_->Time());
        internalCall_ = false;
        if (OnTimeChange)
            OnTimeChange(this);
    }
    SetTime(watch_->Time());
}

void TExTimePickerDropDown::DoHideDropDown(bool cancelled)
{
    cancelling_ = cancelled;
    TExCustomDropDown::DoHideDropDown(cancelled);
    cancelling_ = false;
    if (!watch_)
        return;
    if (cancelled)
        watch_->SetTime(time_);
    else
        SetTime(watch_->Time());
}

void TExTimePickerDropDown::DroppedUp()
{
    TExCustomDropDown::DroppedUp();
    if (watch_ && !cancelling_)
        SetTime(watch_->Time());
}

namespace {

bool HeldBack(const QKeyEvent* event)
{
    const int key = event->key();
    return !(event->modifiers() & Qt::AltModifier) &&
           (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down);
}

}  // namespace

void TExTimePickerDropDown::PopupKeyDown(QKeyEvent* event)
{
    if (DropDownForm() && DropDownForm()->isVisible() && watch_)
        watch_->HandleKey(event->key());
    if (!HeldBack(event))
        TExCustomDropDown::PopupKeyDown(event);
}

bool TExTimePickerDropDown::ForwardKeyDown(QKeyEvent* event)
{
    if (HeldBack(event))
        return false;
    return TExCustomDropDown::ForwardKeyDown(event);
}

void TExTimePickerDropDown::SetComponentStyle(TSkinStyle style)
{
    TExCustomDropDown::SetComponentStyle(style);
    ApplyWatchStyle(WatchAppearance, style);
}

void TExTimePickerDropDown::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool step = (key == Qt::Key_Up || key == Qt::Key_Down) && !(mods & (Qt::AltModifier | Qt::ControlModifier));
    if (!step) {
        const QString text = event->text();
        // Typing follows the mask when the editor is on.
        if (EditorEnabled() && !KeyDown(key, mods) &&
            ((text.size() == 1 && text[0].isPrint()) || key == Qt::Key_Backspace || key == Qt::Key_Delete ||
             key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End)) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        TExCustomDropDown::keyPressEvent(event);
        return;
    }
    const int caret = cursorPosition();
    const TimePart part = TimePartAt(displayText(), caret, Separator(), showSeconds_);
    // Up lowers, Down raises.
    SetTime(StepTimePart(time_, part, key == Qt::Key_Up ? -1 : 1));
    if (OnTimeChange)
        OnTimeChange(this);
    setCursorPosition(caret);
}

void TExTimePickerDropDown::Change()
{
    TExCustomDropDown::Change();
    if (internalCall_)
        return;
    const QString text = displayText();
    // Anything but a complete, valid entry leaves Time as it is.
    const QTime t = ParseTimeEntry(text, Separator(), showSeconds_);
    if (!t.isValid())
        return;
    time_ = t;
    const QString formatted = FormatTimeText(t, Separator(), showSeconds_);
    if (formatted != text.trimmed() && t.minute() == 0 && t.second() == 0)
        WriteText(formatted);
}

}  // namespace dropdown
