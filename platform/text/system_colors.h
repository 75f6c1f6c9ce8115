#pragma once
#include <QtGlobal>

#include <array>

namespace platform {

// The desktop's system colours by index (0 scroll bar .. 30 menu bar). A
// colour value 0xFF0000nn names entry nn; other values are plain 0x00BBGGRR.
// The table starts with fixed values; a widget fills it from its palette,
// tests set their own through ScopedSystemColors.
class SystemColors
{
public:
    static constexpr int kCount = 31;
    using Table = std::array<quint32, kCount>;

    static const Table& Defaults();
    static const Table& Current();
    static void SetCurrent(const Table& table);
    // Entry index as 0x00BBGGRR; 0 for an index outside the table.
    static quint32 Get(int index);
};

// A system colour as its RGB value; every other value unchanged.
quint32 ColorToRGB(quint32 color);

// Sets the table for its lifetime and puts the previous one back.
class ScopedSystemColors
{
public:
    explicit ScopedSystemColors(const SystemColors::Table& table);
    ~ScopedSystemColors();
    ScopedSystemColors(const ScopedSystemColors&) = delete;
    ScopedSystemColors& operator=(const ScopedSystemColors&) = delete;

private:
    SystemColors::Table previous_;
};

} // namespace platform
