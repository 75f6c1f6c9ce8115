#include "controls/grid/widget/inplace_check.h"

#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"

#include <QKeyEvent>

namespace grid {

TGridCheckBox::TGridCheckBox(TGridEditors& editors, QWidget* parent) : QCheckBox(parent), editors_(editors)
{
    setAutoFillBackground(true);
    hide();
}

bool TGridCheckBox::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QCheckBox::event(event);
}

void TGridCheckBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    RunGuarded([&] {
        if (!editors_.CheckKey(event))
            QCheckBox::keyPressEvent(event);
    });
}

void TGridCheckBox::focusOutEvent(QFocusEvent* event)
{
    QCheckBox::focusOutEvent(event);
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

} // namespace grid
