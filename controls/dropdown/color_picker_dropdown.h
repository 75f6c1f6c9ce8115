#pragma once
#include "controls/dropdown/color_panels.h"
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/item_selector.h"

#include <QTimer>

namespace dropdown {

// A named colour of the picker's list.
struct TColorItem
{
    QString Caption;
    TColor Color = clNone;
    QString Hint{};
    bool Enabled = true;
};

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };

// The 16 colours AddDefaultColors appends, in order.
extern const std::array<TColorItem, 16> kDefaultColorItems;

// Chooses a colour from a named list, the colour boxes, the hexagon cube or
// the spectrum. The edit cannot be typed into: it shows a box in the chosen
// colour and, with ShowText, its text.
class TExColorPickerDropDown : public TExCustomDropDown
{
public:
    explicit TExColorPickerDropDown(QWidget* parent = nullptr);

    std::vector<TColorItem>& Colors() { return colors_; }
    void AddDefaultColors();
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor value);
    virtual QString SelectedColorText() const;
    TColorSelectionStyle ColorSelectionStyle() const { return style_; }
    void SetColorSelectionStyle(TColorSelectionStyle value);
    TColorValueText ColorValueText = cvtNone;
    int Columns = 1;
    TItemLayout Layout = ilCaptionRight;
    int ColorBoxWidth = 14;
    int ColorBoxHeight = 14;
    TItemAppearance ItemAppearance;
    bool ShowText() const { return showText_; }
    void SetShowText(bool value);
    std::function<void(TExColorPickerDropDown*)> OnSelect;
    std::function<void(TExColorPickerDropDown*, QPainter&, const QRect&)> OnDrawSelectedColor;
    std::function<void(TExColorPickerDropDown*, QPainter&, const QRect&, int)> OnDrawColor;

    TExCustomItemSelector* Selector() const { return selector_; }
    TCustomColorSelector* ColorSelector() const { return boxes_; }
    TExColorCubePanel* CubePanel() const { return cube_; }
    TExColorSpectrumPanel* SpectrumPanel() const { return spectrum_; }
    QString CurrentSearch() const { return curSearch_; }
    QTimer& KeyTimer() { return keyTimer_; }
    void KeyTimerTick();
    // The box and text area of the edit (for painting and tests).
    QRect ColorBoxRect() const;

    void DoBeforeDropDown() override;
    QSize UpdateDropDownSize() override;
    void DoHideDropDown(bool cancelled) override;
    void DoPopupDestroy() override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    void DrawFocusedText(QPainter& painter) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* CreateContent();
    QWidget* Content() const;
    void Prepare();
    void UpdateItemSelector();
    void ItemSelectorSelect();
    void ColorSelectorSelect();
    void PanelSelect(TColor color);
    void SelectFirstColor();
    void SelectLastColor();
    void SelectNextColor();
    void SelectPreviousColor();
    // The navigation keys and type-ahead; true when the key is used up.
    bool NavigationKey(QKeyEvent* event);
    void SelectInSelector(int index);
    void Internal(const std::function<void()>& step);

    std::vector<TColorItem> colors_;
    int itemIndex_ = -1;
    TColor selectedColor_ = clNone;
    TColorSelectionStyle style_ = csList;
    bool showText_ = true;
    TExCustomItemSelector* selector_ = nullptr;
    TCustomColorSelector* boxes_ = nullptr;
    TExColorCubePanel* cube_ = nullptr;
    TExColorSpectrumPanel* spectrum_ = nullptr;
    bool internalCall_ = false;
    QTimer keyTimer_;
    QString curSearch_;
    int oldItemIndex_ = -1;
    TColor oldSelectedColor_ = clNone;
};

}  // namespace dropdown
