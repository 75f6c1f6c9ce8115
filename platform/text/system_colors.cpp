#include "platform/text/system_colors.h"

namespace platform {

namespace {

constexpr quint32 Rgb(int r, int g, int b)
{
    return quint32(r) | (quint32(g) << 8) | (quint32(b) << 16);
}

SystemColors::Table& Slot()
{
    static SystemColors::Table table = SystemColors::Defaults();
    return table;
}

} // namespace

const SystemColors::Table& SystemColors::Defaults()
{
    static const Table table = {
        Rgb(212, 208, 200), // scroll bar
        Rgb(58, 110, 165),  // desktop
        Rgb(10, 36, 106),   // active caption
        Rgb(128, 128, 128), // inactive caption
        Rgb(212, 208, 200), // menu
        Rgb(255, 255, 255), // window
        Rgb(0, 0, 0),       // window frame
        Rgb(0, 0, 0),       // menu text
        Rgb(0, 0, 0),       // window text
        Rgb(255, 255, 255), // caption text
        Rgb(212, 208, 200), // active border
        Rgb(212, 208, 200), // inactive border
        Rgb(128, 128, 128), // application workspace
        Rgb(10, 36, 106),   // highlight
        Rgb(255, 255, 255), // highlight text
        Rgb(212, 208, 200), // button face
        Rgb(128, 128, 128), // button shadow
        Rgb(128, 128, 128), // grey text
        Rgb(0, 0, 0),       // button text
        Rgb(212, 208, 200), // inactive caption text
        Rgb(255, 255, 255), // button highlight
        Rgb(64, 64, 64),    // dark 3D shadow
        Rgb(212, 208, 200), // 3D light
        Rgb(0, 0, 0),       // info text
        Rgb(255, 255, 225), // info background
        Rgb(181, 181, 181), // (unused)
        Rgb(0, 0, 128),     // hot light
        Rgb(166, 202, 240), // gradient active caption
        Rgb(192, 192, 192), // gradient inactive caption
        Rgb(49, 106, 197),  // menu highlight
        Rgb(236, 233, 216), // menu bar
    };
    return table;
}

const SystemColors::Table& SystemColors::Current()
{
    return Slot();
}

void SystemColors::SetCurrent(const Table& table)
{
    Slot() = table;
}

quint32 SystemColors::Get(int index)
{
    return index >= 0 && index < kCount ? Slot()[static_cast<size_t>(index)] : 0;
}

quint32 ColorToRGB(quint32 color)
{
    if ((color & 0xFF000000u) == 0xFF000000u)
        return SystemColors::Get(static_cast<int>(color & 0xFFu));
    return color;
}

ScopedSystemColors::ScopedSystemColors(const SystemColors::Table& table) : previous_(SystemColors::Current())
{
    SystemColors::SetCurrent(table);
}

ScopedSystemColors::~ScopedSystemColors()
{
    SystemColors::SetCurrent(previous_);
}

} // namespace platform
