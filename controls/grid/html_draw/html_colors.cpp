#include "controls/grid/html_draw/html_colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace grid::html {

namespace {

struct SystemColor
{
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// By system colour index 0..24.
const SystemColor kSystem[] = {
    {QPalette::Active, QPalette::Mid},              // scroll bar
    {QPalette::Active, QPalette::Window},           // background
    {QPalette::Active, QPalette::Highlight},        // active caption
    {QPalette::Inactive, QPalette::Mid},            // inactive caption
    {QPalette::Active, QPalette::Window},           // menu
    {QPalette::Active, QPalette::Base},             // window
    {QPalette::Active, QPalette::Shadow},           // window frame
    {QPalette::Active, QPalette::WindowText},       // menu text
    {QPalette::Active, QPalette::Text},             // window text
    {QPalette::Active, QPalette::HighlightedText},  // caption text
    {QPalette::Active, QPalette::Window},           // active border
    {QPalette::Inactive, QPalette::Window},         // inactive border
    {QPalette::Active, QPalette::Mid},              // application workspace
    {QPalette::Active, QPalette::Highlight},        // highlight
    {QPalette::Active, QPalette::HighlightedText},  // highlight text
    {QPalette::Active, QPalette::Button},           // button face
    {QPalette::Active, QPalette::Dark},             // button shadow
    {QPalette::Disabled, QPalette::Text},           // grey text
    {QPalette::Active, QPalette::ButtonText},       // button text
    {QPalette::Inactive, QPalette::WindowText},     // inactive caption text
    {QPalette::Active, QPalette::Light},            // button highlight
    {QPalette::Active, QPalette::Shadow},           // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 3D light
    {QPalette::Active, QPalette::ToolTipText},      // info text
    {QPalette::Active, QPalette::ToolTipBase},      // info background
};

}  // namespace

QColor ToQColor(TColor color)
{
    if (color == kNoColor)
        return {};
    if ((color & 0xFF000000u) == 0xFF000000u) {
        const quint32 index = color & 0xFF;
        if (index >= std::size(kSystem))
            return QColor(Qt::black);
        const QPalette palette = QGuiApplication::palette();
        return palette.color(kSystem[index].Group, kSystem[index].Role);
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace grid::html
