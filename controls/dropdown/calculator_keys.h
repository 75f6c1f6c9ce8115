#pragma once
#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

// The calculator keypad apart from painting: the standard key table, the
// layout of six columns and five rows over the panel, the hit test and the
// press-here-release-there rule of a click.
namespace dropdown {

struct CalculatorKeyDef
{
    const char* Caption;
    const char* Name;
    int Tag;       // the key's meaning for the calculator
    bool Special;  // caption in the special text colour
    int Row;       // cell of the 6×5 grid; row 0 holds the empty key and the
    int Column;    // three shared keys (column -1 for those three)
};

// In collection order; a click reports the index into this table.
extern const std::array<CalculatorKeyDef, 28> kCalculatorKeys;

// The key rectangles for the keys area (client shrunk by the 8-pixel
// margins), in table order. Divisions truncate toward zero.
std::vector<QRect> ArrangeCalculatorKeys(const QRect& area);

// The first rectangle holding p (left and top inside, right and bottom
// outside), or -1.
int KeyAtPos(const std::vector<QRect>& keys, QPoint p);

// Pressed and hot key of the pointer; a click is press and release on the
// same enabled key.
class KeyPointer
{
public:
    int Down() const { return down_; }
    int Hot() const { return hot_; }
    void Press(int key, bool enabled)
    {
        if (key >= 0 && enabled)
            down_ = key;
    }
    // True when the hot key changed.
    bool Move(int key, bool enabled)
    {
        const int hot = key >= 0 && enabled ? key : -1;
        if (hot == hot_)
            return false;
        hot_ = hot;
        return true;
    }
    // The clicked key, or -1.
    int Release(int key)
    {
        if (down_ < 0)
            return -1;
        const int clicked = key == down_ ? key : -1;
        down_ = -1;
        return clicked;
    }
    void Leave() { hot_ = -1; }

private:
    int down_ = -1;
    int hot_ = -1;
};

}  // namespace dropdown
