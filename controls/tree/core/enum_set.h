#pragma once

#include <cstdint>
#include <initializer_list>

namespace lazytree {

// A set over an enumeration: element n is bit n of Word.
template <class E, class Word>
class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> elements)
    {
        for (E e : elements)
            bits_ |= Bit(e);
    }
    static constexpr EnumSet FromBits(Word bits)
    {
        EnumSet s;
        s.bits_ = bits;
        return s;
    }
    static constexpr Word Bit(E e) { return Word(Word(1) << static_cast<unsigned>(e)); }

    constexpr Word Bits() const { return bits_; }
    constexpr bool Has(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool HasAny(EnumSet s) const { return (bits_ & s.bits_) != 0; }
    constexpr bool HasAll(EnumSet s) const { return (bits_ & s.bits_) == s.bits_; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr void Include(E e) { bits_ = Word(bits_ | Bit(e)); }
    constexpr void Exclude(E e) { bits_ = Word(bits_ & ~Bit(e)); }
    constexpr void Set(E e, bool on) { on ? Include(e) : Exclude(e); }

    friend constexpr EnumSet operator+(EnumSet a, EnumSet b) { return FromBits(Word(a.bits_ | b.bits_)); }
    friend constexpr EnumSet operator-(EnumSet a, EnumSet b) { return FromBits(Word(a.bits_ & ~b.bits_)); }
    friend constexpr EnumSet operator*(EnumSet a, EnumSet b) { return FromBits(Word(a.bits_ & b.bits_)); }
    friend constexpr bool operator==(EnumSet a, EnumSet b) { return a.bits_ == b.bits_; }
    constexpr EnumSet& operator+=(EnumSet b) { bits_ = Word(bits_ | b.bits_); return *this; }
    constexpr EnumSet& operator-=(EnumSet b) { bits_ = Word(bits_ & ~b.bits_); return *this; }

private:
    Word bits_ = 0;
};

} // namespace lazytree
