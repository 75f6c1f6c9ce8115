#include "controls/dropdown/appearances.h"

namespace dropdown {

TExButtonAppearance::TExButtonAppearance()
{
    Font.setFamily(QStringLiteral("Tahoma"));
}

void TExButtonAppearance::Assign(const TExButtonAppearance& s)
{
    const QFont font = Font;
    *this = s;
    Font = font;
}

void TBarAppearance::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (OnChange)
        OnChange();
}

void TBarAppearance::Assign(const TBarAppearance& s)
{
    Color = s.Color;
    ColorTo = s.ColorTo;
    BorderColor = s.BorderColor;
    Caption = s.Caption;
    Font = s.Font;
    FontColor = s.FontColor;
    ImageIndex = s.ImageIndex;
    BorderWidth = s.BorderWidth;
    GradientDirection = s.GradientDirection;
    Height = s.Height;
    ButtonAlignment = s.ButtonAlignment;
    Buttons = s.Buttons;
    SetVisible(s.Visible());
}

void TBarAppearance::AssignColors(const TBarAppearance& s)
{
    ColorTo = s.ColorTo;
    Color = s.Color;
    BorderColor = s.BorderColor;
    Font = s.Font;
    FontColor = s.FontColor;
    GradientDirection = s.GradientDirection;
}

THeaderAppearance::THeaderAppearance()
{
    Font.setFamily(QStringLiteral("Tahoma"));
}

void TFooterAppearance::Assign(const TFooterAppearance& s)
{
    TBarAppearance::Assign(s);
    SizeGrip = s.SizeGrip;
}

}  // namespace dropdown
