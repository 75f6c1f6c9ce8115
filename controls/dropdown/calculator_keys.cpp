#include "controls/dropdown/calculator_keys.h"

namespace dropdown {

const std::array<CalculatorKeyDef, 28> kCalculatorKeys{{
    {"", "BTN_ON", 30, false, 0, 0},
    {"Back", "BTN_BACK", 31, true, 0, -1},
    {"CE", "BTN_CE", 32, true, 0, -1},
    {"C", "BTN_C", 16, true, 0, -1},
    {"MC", "BTN_MC", 33, true, 1, 0},
    {"MR", "BTN_MR", 34, true, 2, 0},
    {"MS", "BTN_MS", 35, true, 3, 0},
    {"M+", "BTN_M+", 36, true, 4, 0},
    {"0", "BTN_0", 0, false, 4, 1},
    {"1", "BTN_1", 1, false, 3, 1},
    {"4", "BTN_4", 4, false, 2, 1},
    {"7", "BTN_7", 7, false, 1, 1},
    {"8", "BTN_8", 8, false, 1, 2},
    {"5", "BTN_5", 5, false, 2, 2},
    {"2", "BTN_2", 2, false, 3, 2},
    {"+/-", "BTN_+/-", 14, false, 4, 2},
    {".", "BTN_.", 15, false, 4, 3},
    {"3", "BTN_3", 3, false, 3, 3},
    {"6", "BTN_6", 6, false, 2, 3},
    {"9", "BTN_9", 9, false, 1, 3},
    {"/", "BTN_/", 13, true, 1, 4},
    {"*", "BTN_*", 12, true, 2, 4},
    {"-", "BTN_-", 11, true, 3, 4},
    {"+", "BTN_+", 10, true, 4, 4},
    {"=", "BTN_=", 17, true, 4, 5},
    {"1/x", "BTN_1/x", 38, false, 3, 5},
    {"%", "BTN_%", 18, false, 2, 5},
    {"sqrt", "BTN_sqrt", 37, true, 1, 5},
}};

std::vector<QRect> ArrangeCalculatorKeys(const QRect& area)
{
    const int w = (area.width() - 8) / 6;
    const int h = (area.height() - 4) / 5;
    // Gaps of 4 below the top row, after the memory column and after the
    // digit block; inside the blocks keys share their border lines.
    int ys[5];
    ys[0] = area.top();
    ys[1] = ys[0] + h + 4;
    for (int r = 2; r < 5; ++r)
        ys[r] = ys[r - 1] + h - 1;
    int xs[6];
    xs[0] = area.left();
    xs[1] = xs[0] + w + 4;
    xs[2] = xs[1] + w - 1;
    xs[3] = xs[2] + w - 1;
    xs[4] = xs[3] + w + 4;
    xs[5] = xs[4] + w - 1;
    const int right = xs[5] + w;
    const int left = xs[1];
    const int w3 = (right - left - 8) / 3;
    std::vector<QRect> keys;
    keys.reserve(kCalculatorKeys.size());
    for (size_t i = 0; i < kCalculatorKeys.size(); ++i) {
        const CalculatorKeyDef& k = kCalculatorKeys[i];
        if (k.Column >= 0)
            keys.emplace_back(xs[k.Column], ys[k.Row], w, h);
        else if (i == 3)  // "C" reaches the right end
            keys.emplace_back(QPoint(left + 2 * (w3 + 4), ys[0]), QPoint(right - 1, ys[0] + h - 1));
        else
            keys.emplace_back(left + int(i - 1) * (w3 + 4), ys[0], w3, h);
    }
    return keys;
}

int KeyAtPos(const std::vector<QRect>& keys, QPoint p)
{
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].contains(p))
            return int(i);
    return -1;
}

}  // namespace dropdown
