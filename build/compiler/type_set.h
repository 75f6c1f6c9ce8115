#pragma once

// The device types of one row of a per-type table (at most six).
struct TypeSet
{
    int v[6];
    int n;

    constexpr bool Has(int type) const
    {
        for (int i = 0; i < n; ++i)
            if (v[i] == type)
                return true;
        return false;
    }
};

template <typename... T>
constexpr TypeSet Types(T... types)
{
    static_assert(sizeof...(types) >= 1 && sizeof...(types) <= 6);
    return TypeSet{{types...}, static_cast<int>(sizeof...(types))};
}

// Finds the row of a constant table whose types hold type; nullptr when none.
template <typename Row, int N>
constexpr const Row* FindTypeRow(const Row (&rows)[N], int type)
{
    for (const Row& r : rows)
        if (r.types.Has(type))
            return &r;
    return nullptr;
}
