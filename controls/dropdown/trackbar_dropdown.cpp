#include "controls/dropdown/trackbar_dropdown.h"

#include "controls/dropdown/dropdown_form.h"

#include <QKeyEvent>
#include <QSlider>

#include <algorithm>

namespace dropdown {

TExTrackBarDropDown::TExTrackBarDropDown(QWidget* parent) : TExCustomDropDown(parent)
{
    trackBar_ = new QSlider(Qt::Horizontal, form_);
    trackBar_->setGeometry(0, 0, width(), 40);
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setRange(min_, max_);
    trackBar_->setPageStep(pageSize_);
    trackBar_->setTickInterval(frequency_);
    connect(trackBar_, &QSlider::valueChanged, this, [this](int v) { TrackBarChange(v); });
    SetEditorEnabled(false);
    DropDownEnabled = true;
    SetEditType(etNumeric);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    ForceShadow = true;
    SetTextDirect(QStringLiteral("0"));
}

void TExTrackBarDropDown::ReadBack()
{
    position_ = trackBar_->value();
}

void TExTrackBarDropDown::SetMin(int value)
{
    min_ = value;
    trackBar_->setMinimum(value);
    min_ = trackBar_->minimum();
    ReadBack();
}

void TExTrackBarDropDown::SetMax(int value)
{
    max_ = value;
    trackBar_->setMaximum(value);
    max_ = trackBar_->maximum();
    ReadBack();
}

void TExTrackBarDropDown::SetPosition(int value)
{
    trackBar_->setValue(value);
    ReadBack();
}

void TExTrackBarDropDown::SetFrequency(int value)
{
    frequency_ = value;
    trackBar_->setTickInterval(value);
}

void TExTrackBarDropDown::SetPageSize(int value)
{
    pageSize_ = value;
    trackBar_->setPageStep(value);
}

void TExTrackBarDropDown::TrackBarChange(int value)
{
    position_ = value;
    SetTextDirect(QString::number(value));
    if (OnTrackChange)
        OnTrackChange(this);
}

void TExTrackBarDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    form_->CancelOnDeActivate = false;
    trackBar_->resize(width(), trackBar_->height());
    SetControl(trackBar_);
}

void TExTrackBarDropDown::Change()
{
    TExCustomDropDown::Change();
    bool ok = false;
    const int value = Text().trimmed().toInt(&ok);
    if (ok)
        SetPosition(value);
}

void TExTrackBarDropDown::keyPressEvent(QKeyEvent* event)
{
    TExCustomDropDown::keyPressEvent(event);
    if (EditorEnabled() || (event->modifiers() & Qt::AltModifier))
        return;
    // Up lowers, Down raises; never beyond Min or Max.
    if (event->key() == Qt::Key_Up && position_ - frequency_ >= min_)
        SetPosition(position_ - frequency_);
    else if (event->key() == Qt::Key_Down && position_ + frequency_ <= max_)
        SetPosition(position_ + frequency_);
}

void TExTrackBarDropDown::mousePressEvent(QMouseEvent* event)
{
    if (DropDownEnabled && !EditorEnabled() && event->button() == Qt::LeftButton) {
        // The drag takes the press; the button opens the popup.
        dragging_ = true;
        mouseX_ = int(event->position().x());
        setFocus(Qt::MouseFocusReason);
        return;
    }
    TExCustomDropDown::mousePressEvent(event);
}

void TExTrackBarDropDown::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_) {
        TExCustomDropDown::mouseMoveEvent(event);
        return;
    }
    const int x = int(event->position().x());
    // A page size below 1 counts as 1; the division truncates toward zero.
    const int step = (x - mouseX_) / std::max(1, pageSize_);
    if (step != 0)
        SetPosition(position_ + step);
    mouseX_ = x;
}

void TExTrackBarDropDown::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_) {
        dragging_ = false;
        return;
    }
    TExCustomDropDown::mouseReleaseEvent(event);
}

}  // namespace dropdown
