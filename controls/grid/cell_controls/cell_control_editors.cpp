#include "controls/grid/cell_controls/cell_control_editors.h"

#include <QKeyEvent>

namespace grid {

namespace {

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Tab is the control's own, not the focus chain's; so are Enter and Tab
// against a dialog's default button.
bool Wanted(QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    const bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return plain && (k->key() == Qt::Key_Tab || IsEnter(k->key()));
}

}  // namespace

bool CellControlKey(CellControlHost* host, QWidget* control, int key)
{
    if (!host)
        return false;
    if (IsEnter(key)) {
        host->CellControlExit(control);
        host->FocusGrid();
        return true;
    }
    if (key == Qt::Key_Tab) {
        host->CellControlExit(control);
        if (host->AdvanceAuto())
            host->AdvanceFromCell();
        else if (!host->FocusNextCellControl())
            host->FocusGrid();
        return true;
    }
    return false;
}

TControlEdit::TControlEdit(CellControlHost* host, QWidget* parent) : QLineEdit(parent), host_(host)
{
    setFrame(false);
}

bool TControlEdit::event(QEvent* e)
{
    if (host_ && Wanted(e)) {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QLineEdit::event(e);
}

void TControlEdit::keyPressEvent(QKeyEvent* e)
{
    if (CellControlKey(host_, this, e->key())) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

TControlCombo::TControlCombo(CellControlHost* host, QWidget* parent) : QComboBox(parent), host_(host)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->installEventFilter(this);
}

bool TControlCombo::eventFilter(QObject* watched, QEvent* e)
{
    // Keys typed into the edit part.
    if (watched == lineEdit() && host_ && Wanted(e)) {
        if (e->type() == QEvent::KeyPress)
            CellControlKey(host_, this, static_cast<QKeyEvent*>(e)->key());
        e->accept();
        return true;
    }
    return QComboBox::eventFilter(watched, e);
}

bool TControlCombo::event(QEvent* e)
{
    if (host_ && Wanted(e)) {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QComboBox::event(e);
}

void TControlCombo::keyPressEvent(QKeyEvent* e)
{
    if (CellControlKey(host_, this, e->key())) {
        e->accept();
        return;
    }
    QComboBox::keyPressEvent(e);
}

}  // namespace grid
