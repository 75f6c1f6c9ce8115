#pragma once
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/item_selector.h"

#include <QTimer>

namespace dropdown {

// Chooses one image of a list; the edit shows the chosen image centred and
// no text. The popup's item selector shows the items in Columns columns.
class TExImagePickerDropDown : public TExCustomDropDown
{
public:
    explicit TExImagePickerDropDown(QWidget* parent = nullptr);

    std::vector<TSelectorItem>& Items() { return items_; }
    int ItemIndex() const { return itemIndex_; }
    // Ignored for the current value and for values >= Count; else OnChange
    // then OnSelect.
    void SetItemIndex(int value);
    int ImageIndex() const;
    // The first item with that image index, or -1.
    void SetImageIndex(int value);
    int Columns = 1;
    TItemLayout Layout = ilCaptionRight;
    TItemAppearance ItemAppearance;
    std::function<void(TExImagePickerDropDown*)> OnSelect;
    std::function<void(TExImagePickerDropDown*, QPainter&, QRect&)> OnDrawSelectedImage;

    void AddImagesFromImageList();
    // folderMask: a path whose last part is a file mask ("/pics/*.png").
    // Every entry it matches becomes an item, subfolders and hidden entries
    // too; an entry that is no picture keeps an empty image.
    void AddImagesFromFolder(const QString& folderMask, bool setImageCaption);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    TExCustomItemSelector* Selector() const { return selector_; }
    QString CurrentSearch() const { return curSearch_; }
    QTimer& KeyTimer() { return keyTimer_; }
    void KeyTimerTick();

    void DoBeforeDropDown() override;
    void DoHideDropDown(bool cancelled) override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FillSelector();
    void SelectorItemSelect();
    // True when the key was used up.
    bool Navigate(QKeyEvent* event);
    void Internal(const std::function<void()>& step);
    void SelectInSelector(int index);

    std::vector<TSelectorItem> items_;
    int itemIndex_ = -1;
    int oldItemIndex_ = -1;
    TExCustomItemSelector* selector_ = nullptr;
    QTimer keyTimer_;
    QString curSearch_;
    bool internalCall_ = false;
};

}  // namespace dropdown
