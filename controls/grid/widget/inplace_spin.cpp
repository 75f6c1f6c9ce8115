#include "controls/grid/widget/inplace_spin.h"

#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"
#include "platform/beep.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QToolButton>

namespace grid {

namespace {

constexpr int kButtonWidth = 15;
constexpr int kRepeatDelay = 400;
constexpr int kRepeatInterval = 100;

double NowDays()
{
    const QDateTime now = QDateTime::currentDateTime();
    return static_cast<double>(QDate(1899, 12, 30).daysTo(now.date())) +
           now.time().msecsSinceStartOfDay() / 86400000.0;
}

QToolButton* MakeButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(kRepeatDelay);
    b->setAutoRepeatInterval(kRepeatInterval);
    // The edit keeps the focus while a button is pressed. A press steps
    // at once and every repeat presses again.
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::ArrowCursor);
    return b;
}

} // namespace

TInplaceSpin::TInplaceSpin(TGridEditors& editors, QWidget* parent)
    : QLineEdit(parent), editors_(editors), up_(MakeButton(this, Qt::UpArrow)),
      down_(MakeButton(this, Qt::DownArrow))
{
    setFrame(false);
    QObject::connect(up_, &QToolButton::pressed, this, [this] { RunGuarded([this] { Step(true, false); }); });
    QObject::connect(down_, &QToolButton::pressed, this, [this] { RunGuarded([this] { Step(false, false); }); });
    hide();
}

void TInplaceSpin::Step(bool up, bool page)
{
    if (isReadOnly()) {
        platform::Beep();
        return;
    }
    const int caret = cursorPosition();
    setText(SpinStep(settings_, text(), caret, up, page, NowDays()));
    setCursorPosition(std::min(caret, static_cast<int>(text().size())));
    editors_.Editing().SpinStepped(up);
}

bool TInplaceSpin::Accepts(const QString& typed) const
{
    QString current = text();
    int start = hasSelectedText() ? selectionStart() : cursorPosition();
    int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    for (const QChar ch : typed) {
        if (!SpinAcceptsChar(settings_, current, start, length, ch))
            return false;
        current.replace(start, length, ch);
        ++start;
        length = 0;
    }
    return true;
}

void TInplaceSpin::TypeText(const QString& text)
{
    if (text == QString(QChar(8))) {
        if (settings_.editorEnabled)
            backspace();
        return;
    }
    if (!Accepts(text)) {
        platform::Beep();
        return;
    }
    insert(text);
}

bool TInplaceSpin::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TInplaceSpin::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    RunGuarded([&] {
        if (editors_.SpinKey(event))
            return;
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
            Step(up, event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown);
            return;
        }
        case Qt::Key_Delete:
            if (!settings_.editorEnabled)
                return;
            break;
        default:
            break;
        }
        const QString typed = editors_.TypedText(*event);
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (printable) {
            TypeText(typed);
            return;
        }
        if (event->key() == Qt::Key_Backspace && !settings_.editorEnabled)
            return;
        if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
            if (!settings_.editorEnabled || isReadOnly())
                return;
        }
        QLineEdit::keyPressEvent(event);
    });
}

void TInplaceSpin::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

bool TInplaceSpin::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

void TInplaceSpin::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int w = kButtonWidth;
    const int h = height();
    up_->setGeometry(width() - w, 0, w, h / 2);
    down_->setGeometry(width() - w, h / 2, w, h - h / 2);
    setTextMargins(0, 0, w, 0);
}

} // namespace grid
