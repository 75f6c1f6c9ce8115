#pragma once
#include "controls/grid/core/edit_lifecycle.h"

#include <QDateTimeEdit>

namespace grid {

class TGridEditors;

// The date and time pickers of date, time and date-and-time cells: a
// QDateTimeEdit in the cell's formats, with the calendar popup for dates.
// A digit that changes a field moves the caret to the next field (not from
// the last one) once the edit took it, from a queued call.
class TInplaceDate : public QDateTimeEdit
{
public:
    TInplaceDate(TGridEditors& editors, QWidget* parent);

    void Setup(PickerKind kind);
    PickerKind Kind() const { return kind_; }
    // Days since 30 December 1899.
    double Value() const;
    void SetValue(double days);
    // Opens the calendar (dates only); Alt+Down, Alt+Up and F4 do it too.
    void DropDown();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void ShiftFocus(int section, const QString& before);

    TGridEditors& editors_;
    PickerKind kind_ = PickerKind::Date;
};

} // namespace grid
