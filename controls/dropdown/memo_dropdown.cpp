#include "controls/dropdown/memo_dropdown.h"

#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/dropdown_form.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace dropdown {

TExMemoDropDown::TExMemoDropDown(QWidget* parent) : TExCustomDropDown(parent)
{
    memo_ = new QPlainTextEdit(form_);
    memo_->resize(width(), 100);
    memo_->setFrameShape(QFrame::NoFrame);
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
        if (OnMemoChange)
            OnMemoChange(this);
    });
}

void TExMemoDropDown::SetMemoText(const QStringList& lines)
{
    memoText_ = lines;
    memo_->setPlainText(lines.join(u'\n'));
    UpdateEditText();
}

void TExMemoDropDown::SetMemoReadOnly(bool value)
{
    memoReadOnly_ = value;
    if (DroppedDown())
        memo_->setReadOnly(value);
}

void TExMemoDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    form_->CancelOnDeActivate = false;
    memo_->setPlainText(memoText_.join(u'\n'));
    memo_->setReadOnly(memoReadOnly_);
    memo_->resize(width(), memo_->height());
    SetControl(memo_);
}

bool TExMemoDropDown::ForwardKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_A && (event->modifiers() & Qt::ControlModifier)) {
        memo_->selectAll();
        return true;
    }
    if (key == Qt::Key_Escape || key == Qt::Key_F4 || (event->modifiers() & Qt::AltModifier))
        return KeyDown(key, event->modifiers());
    return false;
}

void TExMemoDropDown::DoHideDropDown(bool cancelled)
{
    const bool autoDrop = AutoDrop;
    AutoDrop = false;
    if (cancelled && DroppedDown())
        memo_->setPlainText(memoText_.join(u'\n'));
    TExCustomDropDown::DoHideDropDown(cancelled);
    AutoDrop = autoDrop;
}

void TExMemoDropDown::DroppedUp()
{
    const bool autoDrop = AutoDrop;
    AutoDrop = false;
    TExCustomDropDown::DroppedUp();
    AutoDrop = autoDrop;
    memoText_ = memo_->toPlainText().split(u'\n');
    if (memoText_ == QStringList{QString()})
        memoText_.clear();
    UpdateEditText();
    setCursorPosition(0);
}

void TExMemoDropDown::UpdateEditText()
{
    QString shown;
    if (memoText_.isEmpty() || EditorEnabled()) {
        shown = memoText_.join(u'\n');
    } else {
        const QString first = memoText_.first();
        FontTextMeasure measure(font());
        const int available = width() - DropDownButtonWidth() - 3 - 2;
        if (measure.Extent(first).width() < available)
            shown = memoText_.size() > 1 ? first + QStringLiteral("...") : first;
        else
            shown = TruncateText(measure, first, available, true);
    }
    internalUpdate_ = true;
    SetTextDirect(shown);
    internalUpdate_ = false;
}

void TExMemoDropDown::Change()
{
    if (!internalUpdate_)
        memoText_ = Text().isEmpty() ? QStringList() : Text().split(u'\n');
    TExCustomDropDown::Change();
}

void TExMemoDropDown::focusInEvent(QFocusEvent* event)
{
    TExCustomDropDown::focusInEvent(event);
    if (AutoDrop && event->reason() != Qt::PopupFocusReason)
        ShowDropDown();
}

}  // namespace dropdown
