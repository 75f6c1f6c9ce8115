#include "controls/grid/widget/inplace_datetime.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QTimeEdit>

namespace grid {

TExDateTimePicker::TExDateTimePicker(QWidget* parent)
    : QWidget(parent), check_(new QCheckBox(this)), date_(new QDateEdit(this)), time_(new QTimeEdit(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(check_);
    layout->addWidget(date_, 1);
    layout->addWidget(time_);
    date_->setCalendarPopup(true);
    time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    check_->setChecked(true);
    check_->hide();
    setFocusProxy(date_);
    date_->installEventFilter(this);
    QObject::connect(check_, &QCheckBox::toggled, this, [this] {
        FollowCheck();
        if (OnChange)
            OnChange(this);
    });
    QObject::connect(date_, &QDateEdit::dateChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
    QObject::connect(time_, &QTimeEdit::timeChanged, this, [this] {
        if (OnChange)
            OnChange(this);
        if (OnTimeChange)
            OnTimeChange(this);
    });
    FollowCheck();
}

QDateTime TExDateTimePicker::DateTime() const
{
    return QDateTime(date_->date(), time_->time());
}

void TExDateTimePicker::SetDateTime(const QDateTime& value)
{
    const QTime t = value.time();
    date_->setDate(value.date());
    time_->setTime(QTime(t.hour(), t.minute(), t.second()));
}

QDate TExDateTimePicker::Date() const
{
    return date_->date();
}

void TExDateTimePicker::SetDate(const QDate& value)
{
    date_->setDate(value);
}

QTime TExDateTimePicker::Time() const
{
    return time_->time();
}

void TExDateTimePicker::SetTime(const QTime& value)
{
    time_->setTime(QTime(value.hour(), value.minute(), value.second()));
}

void TExDateTimePicker::SetShowCheckbox(bool value)
{
    showCheckbox_ = value;
    check_->setVisible(value);
    Relayout();
    FollowCheck();
}

bool TExDateTimePicker::Checked() const
{
    return !showCheckbox_ || check_->isChecked();
}

void TExDateTimePicker::SetChecked(bool value)
{
    check_->setChecked(value);
    FollowCheck();
}

void TExDateTimePicker::SetDateFormat(const QString& format)
{
    date_->setDisplayFormat(format);
}

void TExDateTimePicker::SetTimeFormat(const QString& format)
{
    time_->setDisplayFormat(format);
    Relayout();
}

void TExDateTimePicker::Relayout()
{
    // The time part is as wide as its text in the composite's font.
    const int a = time_->fontMetrics().horizontalAdvance(time_->text()) + 31;
    time_->setFixedWidth(a);
}

void TExDateTimePicker::FollowCheck()
{
    const bool on = Checked();
    time_->setEnabled(isEnabled() && on);
}

void TExDateTimePicker::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        FollowCheck();
    if (event->type() == QEvent::FontChange)
        Relayout();
}

bool TExDateTimePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == date_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (typed.size() == 1 && typed.at(0).isDigit() && date_->currentSectionIndex() == date_->sectionCount() - 1) {
            // A digit that changes the last date field hands the focus on to
            // the time part once the date part took it as a whole date (a
            // year half typed is no date yet).
            const QDate before = date_->date();
            QPointer<TExDateTimePicker> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, before] {
                    if (self && self->date_->date() != before && self->time_->isEnabled())
                        self->time_->setFocus(Qt::TabFocusReason);
                },
                Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace grid
