#include "platform/text/system_colors.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(SystemColors, SystemValuesGoThroughTheTable)
{
    SystemColors::Table table{};
    table[5] = 0x112233;  // window
    table[15] = 0xC0C0C0; // button face
    {
        ScopedSystemColors scope(table);
        const std::pair<quint32, quint32> cases[] = {
            {0xFF000005, 0x112233}, {0xFF00000F, 0xC0C0C0}, {0xFF00001F, 0}, // past the table
            {0x00EACAB6, 0x00EACAB6},                                        // plain RGB
            {0x1FFFFFFF, 0x1FFFFFFF},                                        // "none" stays
        };
        for (const auto& [color, rgb] : cases)
            EXPECT_EQ(ColorToRGB(color), rgb) << std::hex << color;
    }
    EXPECT_EQ(ColorToRGB(0xFF000005), SystemColors::Defaults()[5]);
    EXPECT_EQ(SystemColors::Get(-1), 0u);
}
