#include "controls/grid/widget/inplace_date.h"

#include "controls/grid/core/spin_values.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"
#include "platform/text/format_settings.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleOptionComboBox>

#include <cmath>

namespace grid {

namespace {

const QDate kDayZero(1899, 12, 30);

QString DateFormat()
{
    const auto& fs = platform::FormatSettings::Current();
    return PickerFormat(fs.ShortDateFormat).replace(u'/', fs.DateSeparator);
}

QString TimeFormat()
{
    const QChar sep = platform::FormatSettings::Current().TimeSeparator;
    return QStringLiteral("h%1mm%1ss").arg(sep);
}

} // namespace

TInplaceDate::TInplaceDate(TGridEditors& editors, QWidget* parent) : QDateTimeEdit(parent), editors_(editors)
{
    setFrame(false);
    hide();
}

void TInplaceDate::Setup(PickerKind kind)
{
    kind_ = kind;
    setCalendarPopup(kind == PickerKind::Date || kind == PickerKind::DateTime);
    // A clock's fields wrap (23 -> 0).
    setWrapping(kind == PickerKind::Time);
    switch (kind) {
    case PickerKind::Time:
        setDisplayFormat(TimeFormat());
        break;
    case PickerKind::DateTime:
        setDisplayFormat(DateFormat() + u' ' + TimeFormat());
        break;
    default:
        setDisplayFormat(DateFormat());
        break;
    }
}

double TInplaceDate::Value() const
{
    const QDateTime v = dateTime();
    return static_cast<double>(kDayZero.daysTo(v.date())) + v.time().msecsSinceStartOfDay() / 86400000.0;
}

void TInplaceDate::SetValue(double days)
{
    if (!std::isfinite(days) || std::abs(days) > 3.0e6)
        days = 0;
    const double whole = std::floor(days);
    const int msecs = static_cast<int>(std::lround((days - whole) * 86400.0) * 1000) % 86400000;
    setDateTime(QDateTime(kDayZero.addDays(static_cast<qint64>(whole)), QTime::fromMSecsSinceStartOfDay(msecs)));
}

void TInplaceDate::DropDown()
{
    if (!calendarPopup() || !isVisible() || (calendarWidget() != nullptr && calendarWidget()->isVisible()))
        return;
    // The edit opens its calendar from a press on its drop button only.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint at =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateTimeEdit::mousePressEvent(&press);
}

bool TInplaceDate::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QDateTimeEdit::event(event);
}

void TInplaceDate::ShiftFocus(int section, const QString& before)
{
    if (!isVisible() || currentSectionIndex() != section)
        return;
    // The field's text changed (a half-typed field counts); the last field
    // keeps the caret.
    if (sectionText(sectionAt(section)) != before && section + 1 < sectionCount()) {
        setCurrentSectionIndex(section + 1);
        setSelectedSection(sectionAt(section + 1));
    }
}

void TInplaceDate::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    RunGuarded([&] {
        if (editors_.ClosingKey(EditorKind::Picker, event))
            return;
        const bool alt = event->modifiers().testFlag(Qt::AltModifier);
        if (calendarPopup() && (event->key() == Qt::Key_F4 ||
                                (alt && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)))) {
            DropDown();
            return;
        }
        const QString typed = event->text();
        const bool digit = typed.size() == 1 && typed.at(0).isDigit();
        const int section = currentSectionIndex();
        const QString before = sectionText(sectionAt(section));
        QDateTimeEdit::keyPressEvent(event);
        if (digit) {
            QPointer<TInplaceDate> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, section, before] {
                    if (self)
                        RunGuarded([&] { self->ShiftFocus(section, before); });
                },
                Qt::QueuedConnection);
        }
    });
}

void TInplaceDate::hideEvent(QHideEvent* event)
{
    // A calendar still dropped down goes with the editor.
    if (calendarPopup() && calendarWidget() != nullptr && calendarWidget()->isVisible())
        calendarWidget()->window()->hide();
    QDateTimeEdit::hideEvent(event);
}

void TInplaceDate::focusOutEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusOutEvent(event);
    if (calendarWidget() != nullptr && calendarWidget()->isVisible())
        return;
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

bool TInplaceDate::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

} // namespace grid
