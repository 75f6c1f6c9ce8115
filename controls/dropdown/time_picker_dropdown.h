#pragma once
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/watch.h"

#include <QTime>

class QTimeEdit;

namespace dropdown {

// A time of day as hh:mm[:ss] under an edit mask; Up lowers and Down raises
// the part under the caret. The popup holds the clock face and, on
// request, a standard time editor below it.
class TExTimePickerDropDown : public TExCustomDropDown
{
public:
    explicit TExTimePickerDropDown(QWidget* parent = nullptr);

    QTime Time() const { return time_; }
    // Sets the text too; no event.
    void SetTime(const QTime& value);
    bool ShowSeconds() const { return showSeconds_; }
    void SetShowSeconds(bool value);
    bool ShowTimePicker = false;
    TWatchAppearance WatchAppearance;
    bool WatchAuto = false;
    bool ShowWatchAMPM = true;
    bool ShowWatchNumbers = true;
    bool Animation = true;
    int AnimationFactor() const { return animationFactor_; }
    void SetAnimationFactor(int value) { animationFactor_ = value < 1 ? 1 : value; }
    std::function<void(TExTimePickerDropDown*)> OnTimeChange;

    TExWatch* Watch() const { return watch_; }
    QTimeEdit* TimeEdit() const { return picker_; }
    QChar Separator() const;

    void DoBeforeDropDown() override;
    void DoHideDropDown(bool cancelled) override;
    void DroppedUp() override;
    void PopupKeyDown(QKeyEvent* event) override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    void SetComponentStyle(TSkinStyle style) override;
    void Change() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyMask();
    void WriteText(const QString& text);
    void WatchChanged();

    QWidget* panel_ = nullptr;
    TExWatch* watch_ = nullptr;
    QTimeEdit* picker_ = nullptr;
    QTime time_{0, 0};
    bool showSeconds_ = true;
    int animationFactor_ = 10;
    bool internalCall_ = false;
    bool cancelling_ = false;
};

}  // namespace dropdown
