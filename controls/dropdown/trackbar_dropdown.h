#pragma once
#include "controls/dropdown/ex_custom_dropdown.h"

class QSlider;

namespace dropdown {

// An integer in the edit and a horizontal track bar in the popup. With the
// editor disabled Up lowers and Down raises the value, and dragging the mouse
// over the edit moves it one step per PageSize pixels of one move.
class TExTrackBarDropDown : public TExCustomDropDown
{
public:
    explicit TExTrackBarDropDown(QWidget* parent = nullptr);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    QSlider* TrackBar() const { return trackBar_; }
    std::function<void(TExTrackBarDropDown*)> OnTrackChange;

    void DoBeforeDropDown() override;
    // A text that is no integer keeps Position.
    void Change() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void TrackBarChange(int value);
    void ReadBack();

    QSlider* trackBar_ = nullptr;
    int min_ = 0;
    int frequency_ = 1;
    int pageSize_ = 2;
    int max_ = 10;
    int position_ = 0;
    bool dragging_ = false;
    int mouseX_ = 0;
};

}  // namespace dropdown
