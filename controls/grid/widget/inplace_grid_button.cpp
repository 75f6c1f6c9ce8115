#include "controls/grid/widget/inplace_grid_button.h"

#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace grid {

TGridButton::TGridButton(TGridEditors& editors, QWidget* parent) : QPushButton(parent), editors_(editors)
{
    setAutoDefault(false);
    hide();
}

bool TGridButton::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QPushButton::event(event);
}

void TGridButton::keyPressEvent(QKeyEvent* event)
{
    bool used = false;
    RunGuarded([&] { used = editors_.ClosingKey(EditorKind::PushButton, event); });
    if (used) {
        event->accept();
        return;
    }
    // Space presses the button on its release.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TGridButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        RunGuarded([&] { editors_.GridButtonPressed(); });
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void TGridButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool inside = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    QPushButton::mouseReleaseEvent(event);
    if (inside)
        RunGuarded([&] { editors_.GridButtonPressed(); });
}

void TGridButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

bool TGridButton::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

} // namespace grid
