// Colour references and the tree's colour set.

#include "controls/tree/widget/tree_colors.h"

namespace lazytree {

QColor ResolveColor(TColor color, const QPalette& palette)
{
    if ((color & 0xFF000000u) == kSystemColor) {
        switch (color) {
        case clHighlight:
            return palette.color(QPalette::Highlight);
        case clBtnFace:
            return palette.color(QPalette::Button);
        case clBtnShadow:
            return palette.color(QPalette::Dark);
        case clWindowText:
            return palette.color(QPalette::WindowText);
        case clHighlightText:
            return palette.color(QPalette::HighlightedText);
        case clWindow:
            return palette.color(QPalette::Base);
        case clGrayText:
            return palette.color(QPalette::Disabled, QPalette::Text);
        case clBtnText:
            return palette.color(QPalette::ButtonText);
        case clBtnHighlight:
            return palette.color(QPalette::Light);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    if (color == clNone || color == clDefault)
        return QColor(Qt::transparent);
    return QColor(int((color >> 16) & 0xFF), int((color >> 8) & 0xFF), int(color & 0xFF));
}

TVTColors::TVTColors()
    : colors_{clBtnShadow, clHighlight, clHighlight, clHighlight, clBtnFace, clBtnShadow, clBtnFace, clBtnFace,
          clWindowText, clHighlight, clBtnFace, clHighlight, clHighlight, clHighlight, clBtnShadow, clHighlightText,
          clBtnFace}
{
}

void TVTColors::Set(TVTColorIndex index, TColor value)
{
    if (colors_[index] == value)
        return;
    colors_[index] = value;
    if (changed_)
        changed_(index);
}

void TVTColors::Assign(const TVTColors& source)
{
    colors_ = source.colors_;
    if (changed_)
        changed_(kColorCount);
}

} // namespace lazytree
