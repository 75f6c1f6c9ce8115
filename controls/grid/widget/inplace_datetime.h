#pragma once
#include <QDateTime>
#include <QWidget>

#include <functional>

class QCheckBox;
class QDateEdit;
class QTimeEdit;

namespace grid {

// The date-and-time composite: an optional check box, a date part with its
// calendar popup and a time part at the right, merged into one value
// (whole seconds). The time part is enabled exactly while the composite is
// enabled and its box ticked (or it has none); an unticked box means no
// value (Checked false). Typing the date's last field moves the focus to the time part.
class TExDateTimePicker : public QWidget
{
public:
    explicit TExDateTimePicker(QWidget* parent = nullptr);

    QDateTime DateTime() const;
    // Milliseconds are dropped.
    void SetDateTime(const QDateTime& value);
    QDate Date() const;
    // Takes the date and keeps the time of day shown.
    void SetDate(const QDate& value);
    QTime Time() const;
    void SetTime(const QTime& value);

    bool ShowCheckbox() const { return showCheckbox_; }
    void SetShowCheckbox(bool value);
    // Always true without a check box.
    bool Checked() const;
    void SetChecked(bool value);

    void SetDateFormat(const QString& format);
    void SetTimeFormat(const QString& format);

    QCheckBox* CheckBox() const { return check_; }
    QDateEdit* DatePart() const { return date_; }
    QTimeEdit* TimePart() const { return time_; }

    std::function<void(TExDateTimePicker*)> OnChange;
    std::function<void(TExDateTimePicker*)> OnTimeChange;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Relayout();
    void FollowCheck();

    QCheckBox* check_;
    QDateEdit* date_;
    QTimeEdit* time_;
    bool showCheckbox_ = false;
};

} // namespace grid
