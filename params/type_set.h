#pragma once
#include <cstdint>

// A set of device types (0..29 and 1018) for the window's per-model tables.
struct TypeSet
{
    uint32_t bits = 0;

    static constexpr uint32_t Bit(int type)
    {
        if (type == 1018)
            return 1u << 30;
        return type >= 0 && type < 30 ? 1u << type : 0u;
    }
    constexpr bool Has(int type) const { return (bits & Bit(type)) != 0; }
};

template <typename... T>
constexpr TypeSet Types(T... types)
{
    return TypeSet{(TypeSet::Bit(types) | ... | 0u)};
}

// Every model.
constexpr TypeSet AllTypes{0x7FFFFFFFu};

// Models with a port of their own (the tunnelling port): its row is open and
// ParGen.xml keeps what the user enters.
constexpr TypeSet TunnelPortTypes = Types(0, 4, 8, 15, 24, 25, 27);

// Models whose network box shows no port row.
constexpr TypeSet NoPortRowTypes = Types(16, 17, 18, 19, 21, 23, 1018);
