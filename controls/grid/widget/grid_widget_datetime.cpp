// The date-and-time composite as the grid's edDateTimeEdit editor: its two
// parts' keys go through the closing-key table, its focus leaving both
// parts ends the edit.
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_datetime.h"
#include "controls/grid/widget/inplace_edit.h"
#include "platform/text/format_settings.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QKeyEvent>
#include <QTimeEdit>

#include <cmath>

namespace grid {

namespace {

const QDate kDayZero(1899, 12, 30);

class TGridDateTimePicker : public TExDateTimePicker
{
public:
    TGridDateTimePicker(TGridEditors& editors, QWidget* parent) : TExDateTimePicker(parent), editors_(editors)
    {
        hide();
        DatePart()->installEventFilter(this);
        TimePart()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool part = watched == DatePart() || watched == TimePart();
        if (part && event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        if (part && event->type() == QEvent::KeyPress) {
            bool used = false;
            RunGuarded([&] { used = editors_.ClosingKey(EditorKind::Picker, static_cast<QKeyEvent*>(event)); });
            if (used)
                return true;
        }
        if (part && event->type() == QEvent::FocusOut) {
            auto* focus = static_cast<QFocusEvent*>(event);
            const QCalendarWidget* calendar = DatePart()->calendarWidget();
            if (calendar == nullptr || !calendar->isVisible())
                RunGuarded([&] { editors_.EditorFocusOut(this, focus); });
        }
        return TExDateTimePicker::eventFilter(watched, event);
    }

private:
    TGridEditors& editors_;
};

} // namespace

TExDateTimePicker& TGridEditors::DateAndTimePicker()
{
    if (!dateTime_)
        dateTime_ = std::make_unique<TGridDateTimePicker>(*this, widget_.viewport());
    return *dateTime_;
}

void TGridEditors::ShowDateAndTime(const PickerSetup& setup)
{
    TExDateTimePicker& d = DateAndTimePicker();
    const auto& fs = platform::FormatSettings::Current();
    d.SetDateFormat(PickerFormat(fs.ShortDateFormat).replace(u'/', fs.DateSeparator));
    d.SetTimeFormat(QStringLiteral("h%1mm%1ss").arg(fs.TimeSeparator));
    SetDateAndTimeValue(setup.value);
    d.setGeometry(setup.rect);
    d.setEnabled(true);
    d.show();
    d.raise();
    d.DatePart()->setFocus(Qt::OtherFocusReason);
    d.DatePart()->setCurrentSectionIndex(0);
}

double TGridEditors::DateAndTimeValue() const
{
    if (!dateTime_)
        return 0;
    if (!dateTime_->Checked())
        return std::nan("");
    const QDateTime v = dateTime_->DateTime();
    return static_cast<double>(kDayZero.daysTo(v.date())) + v.time().msecsSinceStartOfDay() / 86400000.0;
}

void TGridEditors::SetDateAndTimeValue(double days)
{
    if (!dateTime_)
        return;
    if (!std::isfinite(days) || std::abs(days) > 3.0e6)
        days = 0;
    const double whole = std::floor(days);
    const int secs = static_cast<int>(std::lround((days - whole) * 86400.0)) % 86400;
    dateTime_->SetDateTime(QDateTime(kDayZero.addDays(static_cast<qint64>(whole)), QTime(0, 0).addSecs(secs)));
}

} // namespace grid
