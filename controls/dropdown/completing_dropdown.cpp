#include "controls/dropdown/completing_dropdown.h"

#include <QKeyEvent>

namespace dropdown {

void TCompletingDropDown::Change()
{
    itemChange_ = false;
    TExCustomDropDown::Change();
    if (!workMode_)
        return;
    if (inKey_) {
        completePending_ = true;  // after the key's own text and caret are in place
        return;
    }
    Complete();
}

void TCompletingDropDown::TakeWorkModeKey(int key)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Escape || key == Qt::Key_Delete)
        workMode_ = false;
    else if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Shift && key != Qt::Key_Control &&
             key != Qt::Key_Alt)
        workMode_ = true;
}

void TCompletingDropDown::EditKeyPress(QKeyEvent* event)
{
    inKey_ = true;
    completePending_ = false;
    TExCustomDropDown::keyPressEvent(event);
    inKey_ = false;
    if (completePending_) {
        completePending_ = false;
        Complete();
    }
}

void TCompletingDropDown::ShowCompletion(const Completion& c, bool showUnmatched)
{
    internalUpdate_ = true;
    const int start = int(Prefix().size());
    if (c.Matched) {
        SetTextDirect(Prefix() + c.Text + Suffix());
        setSelection(start + int(c.Text.size()), -(int(c.Text.size()) - c.SelStart));
    } else if (showUnmatched) {
        SetTextDirect(Prefix() + c.Text + Suffix());
        setCursorPosition(start + c.SelStart);
    }
    internalUpdate_ = false;
}

}  // namespace dropdown
