#include "controls/grid/widget/fixed_cell_editors.h"

#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QSignalBlocker>

namespace grid {

namespace {

enum class FixedKey { Commit, Cancel };

struct FixedKeyRow
{
    int key;
    FixedKey action;
};

// The keys that close a fixed-cell editor.
constexpr FixedKeyRow kFixedKeys[] = {
    {Qt::Key_Return, FixedKey::Commit},
    {Qt::Key_Enter, FixedKey::Commit},
    {Qt::Key_Escape, FixedKey::Cancel},
};

// The editor or anything of it has the keyboard, its popup list included.
bool HasKeyboard(QWidget* w)
{
    for (QWidget* p = QApplication::focusWidget(); p != nullptr; p = p->parentWidget()) {
        if (p == w)
            return true;
    }
    return false;
}

const FixedKeyRow* FixedKeyOf(const QKeyEvent* k)
{
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return nullptr;
    for (const FixedKeyRow& row : kFixedKeys) {
        if (row.key == k->key())
            return &row;
    }
    return nullptr;
}

// A closing key is the editor's, also against a dialog's default and cancel
// buttons: true when the event was taken.
bool TakeClosingKey(TFixedCellEditors& editors, QWidget* editor, QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (FixedKeyOf(k) == nullptr)
        return false;
    if (e->type() == QEvent::KeyPress)
        RunGuarded([&] { editors.Key(editor, k->key()); });
    e->accept();
    return true;
}

} // namespace

TGridTransEdit::TGridTransEdit(TFixedCellEditors& editors, QWidget* parent) : QLineEdit(parent), editors_(editors)
{
    setFrame(false);
    hide();
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (editors_.OpenEditor() == this)
            RunGuarded([&] { editors_.TextChanged(text); });
    });
}

bool TGridTransEdit::StopEdit()
{
    return editors_.OpenEditor() != this || editors_.StopEdit();
}

bool TGridTransEdit::event(QEvent* e)
{
    if (TakeClosingKey(editors_, this, e))
        return true;
    return QLineEdit::event(e);
}

void TGridTransEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    editors_.FocusLeft(this, e->reason());
}

TGridTransCombo::TGridTransCombo(TFixedCellEditors& editors, QWidget* parent) : QComboBox(parent), editors_(editors)
{
    setInsertPolicy(QComboBox::NoInsert);
    hide();
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (editors_.OpenEditor() == this)
            RunGuarded([&] { editors_.TextChanged(text); });
    });
}

bool TGridTransCombo::StopEdit()
{
    return editors_.OpenEditor() != this || editors_.StopEdit();
}

void TGridTransCombo::SetTyping(bool on)
{
    if (on == isEditable())
        return;
    setEditable(on);
    if (on)
        lineEdit()->installEventFilter(this);
}

bool TGridTransCombo::event(QEvent* e)
{
    if (TakeClosingKey(editors_, this, e))
        return true;
    return QComboBox::event(e);
}

bool TGridTransCombo::eventFilter(QObject* watched, QEvent* e)
{
    if (isEditable() && watched == lineEdit() && TakeClosingKey(editors_, this, e))
        return true;
    return QComboBox::eventFilter(watched, e);
}

void TGridTransCombo::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    editors_.FocusLeft(this, e->reason());
}

// A child of the viewport made before its editors: it goes first.
TFixedCellEditors::TFixedCellEditors(TGridWidget& widget)
    : QObject(widget.viewport()), widget_(widget), grid_(widget.Grid()),
      edit_(new TGridTransEdit(*this, widget.viewport())), combo_(new TGridTransCombo(*this, widget.viewport()))
{
    widget.Mouse().ShowFixedCellEditor = [this](int col, int row, const QRect& rect, TGridFixedCellEditor kind,
                                                const QStringList& items) { Open(col, row, rect, kind, items); };
}

QWidget* TFixedCellEditors::OpenEditor() const
{
    return open_;
}

void TFixedCellEditors::Open(int col, int row, const QRect& rect, TGridFixedCellEditor kind,
                             const QStringList& items)
{
    if (open_ != nullptr && !StopEdit())
        return;
    const int real = grid_.RealColIndex(col);
    const QString text = grid_.Cells(real, row);
    QWidget* editor = nullptr;
    if (kind == fceEdit) {
        const QSignalBlocker quiet(edit_);
        edit_->setText(text);
        edit_->selectAll();
        edit_->setGeometry(rect);
        edit_->FCol = real;
        edit_->FRow = row;
        editor = edit_;
    } else {
        const QSignalBlocker quiet(combo_);
        combo_->SetTyping(kind == fceComboEdit);
        combo_->clear();
        combo_->addItems(items);
        // A text that is no item selects nothing.
        combo_->setCurrentIndex(combo_->findText(text));
        if (combo_->isEditable())
            combo_->setEditText(text);
        combo_->setGeometry(rect.adjusted(-1, -1, 0, 0));
        combo_->FCol = real;
        combo_->FRow = row;
        editor = combo_;
    }
    fixedColEdit_ = col;
    fixedRowEdit_ = row;
    open_ = editor;
    opening_ = true;
    editor->show();
    editor->raise();
    editor->setFocus(Qt::MouseFocusReason);
    opening_ = false;
}

bool TFixedCellEditors::StopEdit()
{
    if (open_ == edit_)
        return Stop(edit_, edit_->FCol, edit_->FRow, edit_->text());
    if (open_ == combo_) {
        // A list without typing keeps the text when nothing was picked.
        const bool picked = combo_->isEditable() || combo_->currentIndex() >= 0;
        return Stop(combo_, combo_->FCol, combo_->FRow,
                    picked ? combo_->currentText() : grid_.Cells(combo_->FCol, combo_->FRow));
    }
    return true;
}

bool TFixedCellEditors::Stop(QWidget* editor, int realCol, int row, const QString& text)
{
    if (stopping_)
        return false;
    // Set while the owner's handlers run (also when one throws).
    struct Busy
    {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(stopping_);
    GridEditing& editing = grid_.Editing();
    const int col = grid_.DisplColIndex(realCol);
    QString value = text;
    bool valid = true;
    if (editing.OnCellValidate)
        editing.OnCellValidate(&grid_, col, row, value, valid);
    if (!valid) {
        // The user stays in the editor until the value passes.
        grid_.SetCol(col);
        grid_.SetRow(row);
        QPointer<QWidget> keep(editor);
        if (!editor->hasFocus())
            QMetaObject::invokeMethod(
                editor, [keep] {
                    if (keep && keep->isVisible())
                        keep->setFocus(Qt::OtherFocusReason);
                },
                Qt::QueuedConnection);
        return false;
    }
    if (editing.OnEditingDone)
        editing.OnEditingDone(&grid_);
    grid_.SetCells(realCol, row, value);
    Close(editor);
    return true;
}

void TFixedCellEditors::Cancel()
{
    if (open_ != nullptr)
        Close(open_);
}

void TFixedCellEditors::Close(QWidget* editor)
{
    open_ = nullptr;
    fixedColEdit_ = -1;
    fixedRowEdit_ = -1;
    // Back to the grid when the editor still has the keyboard.
    if (HasKeyboard(editor))
        widget_.setFocus(Qt::OtherFocusReason);
    editor->hide();
}

bool TFixedCellEditors::Key(QWidget* editor, int key)
{
    if (editor != open_)
        return false;
    for (const FixedKeyRow& row : kFixedKeys) {
        if (row.key != key)
            continue;
        if (row.action == FixedKey::Commit)
            StopEdit();
        else
            Cancel();
        return true;
    }
    return false;
}

void TFixedCellEditors::FocusLeft(QWidget* editor, Qt::FocusReason reason)
{
    // The combo's own list and other windows take the focus for a while.
    if (editor != open_ || stopping_ || opening_ || reason == Qt::PopupFocusReason ||
        reason == Qt::ActiveWindowFocusReason)
        return;
    if (HasKeyboard(editor))
        return;
    RunGuarded([&] { StopEdit(); });
}

void TFixedCellEditors::TextChanged(const QString& text)
{
    GridEditing& editing = grid_.Editing();
    if (editing.OnEditChange && fixedColEdit_ >= 0)
        editing.OnEditChange(&grid_, fixedColEdit_, fixedRowEdit_, text);
}

} // namespace grid
