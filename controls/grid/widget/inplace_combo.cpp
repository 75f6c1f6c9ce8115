#include "controls/grid/widget/inplace_combo.h"

#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace grid {

TGridCombo::TGridCombo(TGridEditors& editors, QWidget* parent) : QComboBox(parent), editors_(editors)
{
    setInsertPolicy(QComboBox::NoInsert);
    hide();
}

void TGridCombo::showPopup()
{
    RunGuarded([this] {
        TExStringGrid& g = editors_.Grid();
        g.ComboDropDown(g.Row(), g.RealCol());
    });
    QComboBox::showPopup();
}

void TGridCombo::hidePopup()
{
    const bool shown = view() != nullptr && view()->isVisible();
    QComboBox::hidePopup();
    if (shown) {
        RunGuarded([this] {
            TExStringGrid& g = editors_.Grid();
            g.ComboCloseUp(g.Row(), g.RealCol());
        });
    }
}

bool TGridCombo::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QComboBox::event(event);
}

void TGridCombo::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    RunGuarded([&] {
        if (editors_.ComboKey(event))
            return;
        QComboBox::keyPressEvent(event);
        event->accept();
    });
}

void TGridCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

bool TGridCombo::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

} // namespace grid
