#include "controls/grid/widget/inplace_button_edit.h"

#include "controls/grid/cell_controls/edit_mask.h"
#include "controls/grid/core/edit_text_rules.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"
#include "platform/beep.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

namespace grid {

namespace {

constexpr int kButtonWidth = 18;
constexpr int kUnitWidth = 20;

} // namespace

TInplaceButtonEdit::TInplaceButtonEdit(TGridEditors& editors, QWidget* parent)
    : QLineEdit(parent), editors_(editors), button_(new QToolButton(this))
{
    setFrame(false);
    button_->setText(QStringLiteral("..."));
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setCursor(Qt::ArrowCursor);
    QObject::connect(button_, &QToolButton::clicked, this, [this] { RunGuarded([this] { ClickButton(); }); });
    hide();
}

void TInplaceButtonEdit::SetUnits(bool hasUnits, const QStringList& units)
{
    hasUnits_ = hasUnits;
    units_ = units;
    unit_.clear();
    setAlignment(hasUnits ? Qt::AlignRight : Qt::AlignLeft);
    Layout();
}

QString TInplaceButtonEdit::Value() const
{
    return (mask_.isEmpty() ? text() : MaskedValue(displayText(), mask_)) + unit_;
}

void TInplaceButtonEdit::SetMask(const QString& mask)
{
    mask_ = mask;
    setInputMask(ToQtEditMask(mask).InputMask);
}

void TInplaceButtonEdit::SetUnit(const QString& unit)
{
    unit_ = unit;
    update();
}

void TInplaceButtonEdit::SetValue(const QString& value)
{
    if (hasUnits_) {
        QString text, unit;
        SplitUnitValue(value, units_, text, unit);
        setText(text);
        SetUnit(unit);
    } else {
        setText(value);
    }
}

void TInplaceButtonEdit::ClickButton()
{
    editors_.Editing().EllipsisClicked();
    if (!hasUnits_ || units_.isEmpty() || !isVisible())
        return;
    if (menu_ == nullptr)
        menu_ = new QMenu(this);
    menu_->clear();
    for (const QString& u : units_) {
        QAction* a = menu_->addAction(u);
        QObject::connect(a, &QAction::triggered, this, [this, u] { SetUnit(u); });
    }
    // Not exec: the menu runs in the grid's own event loop.
    menu_->popup(mapToGlobal(QPoint(width() - 15, height())));
}

void TInplaceButtonEdit::TypeText(const QString& typed)
{
    const TEditorType rules = EditorKindOf(editors_.Editing().EditControl()).typing;
    for (QChar ch : typed) {
        if (ch == QChar(8)) {
            backspace();
            continue;
        }
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
        switch (TypedCharacter(rules, editors_.Grid().GetEditLimit(), text(), start, length, ch,
                               editors_.Editing().TextRules())) {
        case TypedVerdict::Pass:
            insert(QString(ch));
            break;
        case TypedVerdict::Beep:
            platform::Beep();
            break;
        case TypedVerdict::Drop:
            break;
        }
    }
}

bool TInplaceButtonEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TInplaceButtonEdit::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    RunGuarded([&] {
        if (editors_.ClosingKey(EditorKind::Button, event))
            return;
        const QString typed = editors_.TypedText(*event);
        if (!typed.isEmpty() && typed.at(0).isPrint() &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            TypeText(typed);
            return;
        }
        QLineEdit::keyPressEvent(event);
    });
}

void TInplaceButtonEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Our own units menu takes the focus for a moment only.
    if (menu_ != nullptr && menu_->isVisible())
        return;
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

bool TInplaceButtonEdit::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

void TInplaceButtonEdit::Layout()
{
    button_->setGeometry(width() - kButtonWidth, 0, kButtonWidth, height());
    setTextMargins(0, 0, kButtonWidth + (hasUnits_ ? kUnitWidth + 3 : 0), 0);
}

void TInplaceButtonEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    Layout();
}

void TInplaceButtonEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!hasUnits_ || unit_.isEmpty())
        return;
    QPainter p(this);
    const int right = width() - (kButtonWidth + 3);
    p.drawText(QRect(right - kUnitWidth, 0, kUnitWidth, height()), Qt::AlignLeft | Qt::AlignVCenter, unit_);
}

} // namespace grid
