#pragma once
#include "controls/dropdown/ex_custom_dropdown.h"

#include <QStringList>

class QPlainTextEdit;

namespace dropdown {

// A multi-line text: the edit shows its first line (with "..." when more
// follow, or cut to the edit's width), the popup a memo with all lines.
// Enter makes a new line in the memo; Esc, F4 and Alt keys reach the edit.
class TExMemoDropDown : public TExCustomDropDown
{
public:
    explicit TExMemoDropDown(QWidget* parent = nullptr);

    const QStringList& MemoText() const { return memoText_; }
    void SetMemoText(const QStringList& lines);
    bool MemoReadOnly() const { return memoReadOnly_; }
    void SetMemoReadOnly(bool value);
    bool AutoDrop = false;
    QPlainTextEdit* Memo() const { return memo_; }
    std::function<void(TExMemoDropDown*)> OnMemoChange;

    void DoBeforeDropDown() override;
    void DoHideDropDown(bool cancelled) override;
    void DroppedUp() override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    void Change() override;
    // What the edit shows for MemoText.
    void UpdateEditText();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    QPlainTextEdit* memo_ = nullptr;
    QStringList memoText_;
    bool memoReadOnly_ = false;
};

}  // namespace dropdown
