#pragma once
#include "controls/dropdown/calculator_keys.h"
#include "controls/dropdown/dropdown_types.h"

#include <QFont>
#include <QWidget>

#include <functional>

namespace dropdown {

class TExCalculatorDropdown;

enum TButtonPanelType { plCalculator, plCustom };

// One key of the keypad.
struct TButtonItem
{
    QString Caption;
    TColor CaptionColor = 0xFFFFFF;  // stored and copied only
    int ImageIndex = -1;
    int Tag = 0;
    bool Enabled = true;
    QString Name;
    bool Special = false;
    QRect Rect;
};

// The keys' colours and fonts; of these only Font, TextColor and
// SpecialTextColor change what the keypad shows.
struct TButtonAppearance
{
    TColor Color = 0x9A915F;
    TColor ColorTo = 0xB0A170;
    TColor ColorHot = 0x9F6F1C;
    TColor ColorHotTo = 0xD5C244;
    TColor ColorDown = 0x4B2F08;
    TColor ColorDownTo = 0xADB514;
    TColor GlowColorHot = 0xD5C244;
    TColor GlowColorDown = 0xD5C244;
    TColor ShineColor = 0xFFFFFF;
    TColor BorderColor = 0x000000;
    TColor BorderColorHot = 0x000000;
    TColor BorderColorDown = 0x000000;
    TColor TextColor = 0x000000;
    TColor SpecialTextColor = 0x000080;
    TColor ColorChecked = 0xF5D8CA;
    TColor ColorCheckedTo = 0xF9BDA0;
    TColor ColorDisabled = 0xF2F2F2;
    TColor ColorDisabledTo = 0xF2F2F2;
    TColor BorderColorChecked = 0xFF0000;
    QFont Font = DefaultFont();

    static QFont DefaultFont()
    {
        QFont f;
        f.setPointSize(10);
        f.setBold(true);
        return f;
    }
};

// The calculator keypad: the standard keys laid out over the panel, painted
// as the platform's push buttons; a press and release on the same key
// reports the key's index.
class TCustomButtonPanel : public QWidget
{
public:
    explicit TCustomButtonPanel(QWidget* parent = nullptr);

    std::vector<TButtonItem>& Buttons() { return buttons_; }
    TButtonPanelType ButtonPanelType() const { return type_; }
    void SetButtonPanelType(TButtonPanelType value);
    TButtonAppearance& ButtonAppearance() { return appearance_; }
    TColor Color = 0xFFFFFF;
    // A panel shown by a calculator drop-down draws no frame of its own.
    TExCalculatorDropdown* ExDropDown = nullptr;

    void ClearButtons() { buttons_.clear(); }
    void ResetButtons();
    // The standard keys, only into an empty collection.
    void CreateButtons();
    void ArrangeButtons();
    QRect GetButtonsRect() const { return rect().adjusted(8, 8, -8, -8); }
    QRect GetButtonRect(int index) const;
    int ButtonAtPos(QPoint p) const;
    int ButtonHot() const { return pointer_.Hot(); }
    int ButtonDown() const { return pointer_.Down(); }
    void InvalidateButton(int index);
    virtual void ButtonClick(int index);

    std::function<void(TCustomButtonPanel*, int index)> OnButtonClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    virtual void DrawButton(int index, QPainter& painter);

private:
    bool EnabledKey(int index) const;

    std::vector<TButtonItem> buttons_;
    TButtonPanelType type_ = plCalculator;
    TButtonAppearance appearance_;
    KeyPointer pointer_;
};

}  // namespace dropdown
