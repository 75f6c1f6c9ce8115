#pragma once
#include <cstdint>

namespace device {

// A set of device types (0..29 and 1018) for the per-model tables.
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

// Finds the row of a constant table whose types hold type; nullptr when none.
template <typename Row, int N>
constexpr const Row* FindTypeRow(const Row (&rows)[N], int type)
{
    for (const Row& r : rows)
        if (r.types.Has(type))
            return &r;
    return nullptr;
}

} // namespace device
