#pragma once
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/list_completion.h"

namespace dropdown {

// A drop-down whose edit completes the typed text from a list. A change
// made while a key is handled completes once the key's own text and caret
// are in place; Backspace, Esc and Delete stop completing until the next
// other key.
class TCompletingDropDown : public TExCustomDropDown
{
public:
    bool Completing() const { return workMode_; }
    void Change() override;

protected:
    using TExCustomDropDown::TExCustomDropDown;

    // Completes the edit's text (from Change, while completing).
    virtual void Complete() = 0;
    // The completion mode a key press sets (Enter and modifiers leave it).
    void TakeWorkModeKey(int key);
    // The edit's own key handling, then the completion it asked for.
    void EditKeyPress(QKeyEvent* event);
    // A completion into the edit between Prefix and Suffix: a match with its
    // completed tail selected; else, with showUnmatched, the text as cut.
    void ShowCompletion(const Completion& c, bool showUnmatched);

    bool workMode_ = true;
    bool itemChange_ = false;  // a completion chose itemIdx_; taken on key release
    int itemIdx_ = -1;

private:
    bool inKey_ = false;
    bool completePending_ = false;
};

}  // namespace dropdown
