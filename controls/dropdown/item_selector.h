#pragma once
#include "controls/dropdown/item_selector_core.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QPixmap>

#include <functional>

namespace dropdown {

// The scrolling grid of image or colour-box items with mini-HTML captions
// the list pickers show in their popup. The item panel is virtual: the
// viewport paints only the items it exposes. The pointer makes items hot and
// a press selects; the owning drop-down moves selection and hot item by keys.
class TExCustomItemSelector : public QAbstractScrollArea
{
public:
    explicit TExCustomItemSelector(QWidget* parent = nullptr);

    SelectorModel& Model() { return model_; }
    const SelectorModel& Model() const { return model_; }
    std::vector<TSelectorItem>& Items() { return model_.Items; }
    int ItemIndex() const { return model_.ItemIndex(); }
    // The panel's setter, then the item scrolled into view.
    void SetItemIndex(int value);
    int ItemHot() const { return model_.ItemHot(); }
    TSelectorType SelectorType() const { return selectorType_; }
    void SetSelectorType(TSelectorType value);
    TItemLayout ItemLayout = ilCaptionRight;
    int Columns() const { return model_.Columns(); }
    void SetColumns(int value);
    int ColorBoxWidth() const { return boxWidth_; }
    int ColorBoxHeight() const { return boxHeight_; }
    void SetColorBoxSize(int width, int height);
    const QList<QPixmap>* Images() const { return images_; }
    void SetImages(const QList<QPixmap>* images);
    TItemAppearance& ItemAppearance() { return appearance_; }
    TColor Color = 0xFFFFFF;

    // Arranges the items again (after filling them).
    void UpdateSelectorPanel();
    QSize GetSelectorPanelSize() const { return model_.PanelSize(); }
    QSize GetItemSize();
    QRect GetItemRect(int index) const { return model_.ItemRect(index); }
    int ItemAtPos(QPoint viewportPos) const;
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString& s);
    void ScrollItemInView(int index);
    int GetVisibleItemCount() const;
    void SetItemHot(int index);

    std::function<void(TExCustomItemSelector*)> OnItemSelect;
    // Paints an item's content instead of the image and caption.
    std::function<void(TExCustomItemSelector*, QPainter&, const QRect&, int)> OnDrawItem;
    std::function<void(TExCustomItemSelector*, QSize&)> OnItemSize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void DrawItem(QPainter& painter, int index, const QRect& rect);
    void InvalidateItem(int index);
    void UpdateScrollBars();
    void Select(int index);

    SelectorModel model_;
    TItemAppearance appearance_;
    TSelectorType selectorType_ = stImage;
    const QList<QPixmap>* images_ = nullptr;
    int boxWidth_ = 14;
    int boxHeight_ = 14;
};

}  // namespace dropdown
