#pragma once
#include "controls/dropdown/completing_dropdown.h"
#include "controls/dropdown/item_selector.h"

#include <QImage>
#include <QTimer>

namespace dropdown {

// One entry of the detail list: image, caption and mini-HTML notes.
struct TDetailItem
{
    QString Caption;
    int ImageIndex = -1;
    QImage Image;
    QString Notes;
    bool Enabled = true;  // stored and copied only
    int Tag = 0;
    // Copies every field, the notes too.
    void Assign(const TDetailItem& source) { *this = source; }
};

// Picks one entry of a list of detail items. Typing completes the text with
// the first caption that starts with it; arrows, pages, Home/End, the wheel
// and type-ahead move through the list in the popup's item selector.
class TExDetailDropDown : public TCompletingDropDown
{
public:
    explicit TExDetailDropDown(QWidget* parent = nullptr);

    std::vector<TDetailItem>& Items() { return items_; }
    void SetItems(const std::vector<TDetailItem>& items) { items_ = items; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int ItemHeight = 22;
    TItemLayout Layout = ilCaptionRight;
    TItemAppearance ItemAppearance;
    QFont CaptionFont;
    QFont NotesFont;
    bool MatchCase = false;
    std::function<void(TExDetailDropDown*)> OnSelect;
    std::function<void(TExDetailDropDown*, QPainter&, const QRect&)> OnDrawSelectedImage;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    TExCustomItemSelector* Selector() const { return selector_; }
    QString CurrentSearch() const { return curSearch_; }
    QTimer& KeyTimer() { return keyTimer_; }
    // The key timer's tick: the search text starts again.
    void KeyTimerTick();

    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void DoHideDropDown(bool cancelled) override;
    void PopupSizing() override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QStringList Captions() const;
    void FillSelector();
    void Complete() override;
    void SelectorItemSelect();
    void SelectorDrawItem(QPainter& painter, QRect r, int index);
    // The navigation keys and type-ahead; true when the key is used up.
    bool NavigationKey(QKeyEvent* event);
    void SelectInSelector(int index);
    void Internal(const std::function<void()>& step);

    std::vector<TDetailItem> items_;
    int itemIndex_ = -1;
    TExCustomItemSelector* selector_ = nullptr;
    QTimer keyTimer_;
    QString curSearch_;
    int oldItemIndex_ = -1;
    bool internalCall_ = false;
};

}  // namespace dropdown
