#pragma once
#include "controls/dropdown/color_panels_core.h"

#include <QWidget>

#include <functional>

namespace dropdown {

// The border colours of the colour boxes.
struct TColorBoxAppearance
{
    TColor BorderColor = 0xC5C5C5;
    TColor OuterBorderColorHot = 0x3694F2;
    TColor InnerBorderColorHot = 0x94E2FF;
    TColor OuterBorderColorSelected = 0x0000FF;
    TColor InnerBorderColorSelected = 0x94E2FF;
};

// The grid of colour boxes (the 60-colour palette by default).
class TCustomColorSelector : public QWidget
{
public:
    explicit TCustomColorSelector(QWidget* parent = nullptr);

    std::vector<TColorBoxItem>& Items() { return items_; }
    void LoadDefaultPalette();
    void ArrangeItems();
    ColorBoxLayout& Layout() { return layout_; }
    TColorBoxAppearance& ColorBoxAppearance() { return appearance_; }
    int ItemIndex() const { return itemIndex_; }
    // A disabled box is ignored; -1 clears; OnItemSelect for a box.
    void SetItemIndex(int index);
    int ItemHot() const { return itemHot_; }
    TColor SelectedColor() const { return selectedColor_; }
    // The first box of that colour becomes selected, or none.
    void SetSelectedColor(TColor color);
    TColor Color = 0xFFFFFF;
    std::function<void(TCustomColorSelector*)> OnItemSelect;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void DrawItem(QPainter& p, int index);
    void SetItemHot(int index);

    std::vector<TColorBoxItem> items_;
    ColorBoxLayout layout_;
    TColorBoxAppearance appearance_;
    int itemIndex_ = -1;
    int itemHot_ = -1;
    TColor selectedColor_ = clNone;
};

// The honeycomb of 127 colour cells with a red-green-blue hint.
class TExColorCubePanel : public QWidget
{
public:
    explicit TExColorCubePanel(QWidget* parent = nullptr);
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor color);
    int SelectedIndex() const { return selectedIndex_; }
    int HotIndex() const { return hotIndex_; }
    bool ShowRGBHint = true;
    std::function<void(TExColorCubePanel*)> OnSelect;
    std::function<void(QWidget*)> OnShouldHide;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TColor selectedColor_ = clNone;
    int selectedIndex_ = -1;
    int hotIndex_ = -1;
};

// The spectrum picture with the selected and the hovered colour's swatch;
// the colour under the pointer is read from our own picture.
class TExColorSpectrumPanel : public QWidget
{
public:
    explicit TExColorSpectrumPanel(QWidget* parent = nullptr);
    TColor SelectedColor = 0xFFFFFF;
    TColor HotColor() const { return hotColor_; }
    std::function<void(TExColorSpectrumPanel*)> OnSelect;
    std::function<void(QWidget*)> OnShouldHide;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage spectrum_;
    TColor hotColor_ = clNone;
};

}  // namespace dropdown
