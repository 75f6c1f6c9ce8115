#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QFont>
#include <QList>
#include <QString>

#include <functional>

// The settings objects a drop-down publishes for its popup bars and their
// buttons. Copied on assignment, never shared (the button appearance is
// shared by the buttons of one drop-down).
namespace dropdown {

// Colours of the painted bar buttons by state.
class TExButtonAppearance
{
public:
    TExButtonAppearance();
    TColor Color = clNone;
    TColor ColorTo = clNone;
    TColor BorderColor = clNone;
    TColor ColorHot = 0xF5F0E1;
    TColor ColorHotTo = 0xF9D2B2;  // stored only: hot paints ColorHot alone
    TColor BorderColorHot = 0x808080;
    TColor ColorDown = 0xF5D8CA;
    TColor ColorDownTo = 0xF9BDA0;  // stored only
    TColor BorderColorDown = 0x800000;
    TColor ColorDisabled = 0xF2F2F2;
    TColor ColorDisabledTo = clNone;
    TColor BorderColorDisabled = 0x808080;
    TColor ColorChecked = 0xF5D8CA;
    TColor ColorCheckedTo = 0xF9BDA0;
    TColor BorderColorChecked = 0xFF0000;
    TGradientDirection Gradient = gdVertical;
    QFont Font;
    // Every colour and the gradient; not the font.
    void Assign(const TExButtonAppearance& source);
};

// One button item of a bar.
struct TBarButton
{
    QString Caption;
    int ImageIndex = -1;
    bool Enabled = true;
    int Width = 0;   // 0: sized from the caption
    int Height = 0;  // 0: sized from the caption
    int ModalResult = mrNone;  // footer buttons only
};

class TBarAppearance
{
public:
    int Height = 22;
    int BorderWidth = 1;
    TColor BorderColor = 0x000000;
    TColor Color = 0xC0C0C0;
    TColor ColorTo = 0xFFFFFF;
    TGradientDirection GradientDirection = gdVertical;
    QString Caption;
    QFont Font;
    TColor FontColor = 0x000000;  // the caption font's colour
    int ImageIndex = -1;
    QList<TBarButton> Buttons;
    TButtonAlignment ButtonAlignment = baRight;

    bool Visible() const { return visible_; }
    // Fires OnChange when the value changes.
    void SetVisible(bool visible);
    std::function<void()> OnChange;

    void Assign(const TBarAppearance& source);
    void AssignColors(const TBarAppearance& source);

protected:
    bool visible_ = true;
};

class THeaderAppearance : public TBarAppearance
{
public:
    THeaderAppearance();
};

class TFooterAppearance : public TBarAppearance
{
public:
    bool SizeGrip = true;
    void Assign(const TFooterAppearance& source);
};

}  // namespace dropdown
