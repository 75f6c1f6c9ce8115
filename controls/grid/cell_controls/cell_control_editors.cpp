#include "controls/grid/cell_controls/cell_control_editors.h"

#include "controls/grid/cell_controls/edit_mask.h"

#include <QKeyEvent>
#include <QProxyStyle>

namespace grid {

namespace {

// What a closing key does with the value and where the keyboard goes next.
enum class ValueOnClose { Store, Drop };
enum class FocusOnClose { Grid, NextControl };

struct ClosingKey
{
    int key;
    ValueOnClose value;
    FocusOnClose focus;
};

// The keys both editors close on, however they were opened.
constexpr ClosingKey kClosingKeys[] = {
    {Qt::Key_Return, ValueOnClose::Store, FocusOnClose::Grid},
    {Qt::Key_Enter, ValueOnClose::Store, FocusOnClose::Grid},
    {Qt::Key_Escape, ValueOnClose::Drop, FocusOnClose::Grid},
    {Qt::Key_Tab, ValueOnClose::Store, FocusOnClose::NextControl},
};

const ClosingKey* ClosingKeyOf(int key)
{
    for (const ClosingKey& k : kClosingKeys) {
        if (k.key == key)
            return &k;
    }
    return nullptr;
}

// The closing keys are the control's own, not the focus chain's (Tab) nor
// a dialog's default and cancel buttons'.
bool Wanted(QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    const bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return plain && ClosingKeyOf(k->key()) != nullptr;
}

// Password characters drawn as "*".
class StarPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

bool CellControlKey(CellControlHost* host, QWidget* control, int key)
{
    const ClosingKey* closing = ClosingKeyOf(key);
    if (!host || closing == nullptr)
        return false;
    if (closing->value == ValueOnClose::Store)
        host->CellControlExit(control);
    else
        host->CellControlCancel(control);
    if (closing->focus == FocusOnClose::Grid)
        host->FocusGrid();
    else if (host->AdvanceAuto())
        host->AdvanceFromCell();
    else if (!host->FocusNextCellControl())
        host->FocusGrid();
    return true;
}

TControlEdit::TControlEdit(CellControlHost* host, QWidget* parent) : QLineEdit(parent), host_(host)
{
    setFrame(false);
}

void TControlEdit::SetPassword(bool on)
{
    if (on && findChild<StarPasswordStyle*>() == nullptr) {
        auto* style = new StarPasswordStyle;
        style->setParent(this);
        setStyle(style);
    }
    setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
}

void TControlEdit::SetEditMask(const QString& mask)
{
    mask_ = mask;
    setInputMask(ToQtEditMask(mask).InputMask);
}

QString TControlEdit::Value() const
{
    return mask_.isEmpty() ? text() : MaskedValue(displayText(), mask_);
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
    setInsertPolicy(QComboBox::NoInsert);
    SetTyping(true);
}

void TControlCombo::SetTyping(bool on)
{
    if (on == isEditable())
        return;
    setEditable(on);
    // A new edit part each time.
    if (on)
        lineEdit()->installEventFilter(this);
}

bool TControlCombo::eventFilter(QObject* watched, QEvent* e)
{
    // Keys typed into the edit part.
    if (isEditable() && watched == lineEdit() && host_ && Wanted(e)) {
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
