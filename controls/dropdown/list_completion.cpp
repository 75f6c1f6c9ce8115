#include "controls/dropdown/list_completion.h"

#include <algorithm>
#include <limits>

#include <Qt>

namespace dropdown {

Completion CompleteText(const QString& text, int caret, const QStringList& captions, bool matchCase,
                        const PrefixIndex* index)
{
    Completion c;
    caret = std::clamp(caret, 0, int(text.size()));
    const QString typed = text.left(caret);
    c.TypedLength = int(typed.size());
    // Compared letter by letter, so an upper case of another length (as of
    // "ß") never shifts the typed part.
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool indexed = !matchCase && index && index->Size() == captions.size();
    if (!typed.isEmpty()) {
        const int from = indexed ? index->First(typed) : 0;
        const int to = indexed ? from + 1 : int(captions.size());
        for (int i = std::max(from, 0); i < to; ++i) {
            if (!captions[i].startsWith(typed, cs))
                continue;
            c.Matched = true;
            c.Item = i;
            c.Text = (typed + captions[i].mid(typed.size())).left(255);
            c.SelStart = std::min(int(typed.size()), int(c.Text.size()));
            c.SelLength = int(c.Text.size()) - c.SelStart;
            return c;
        }
    }
    c.Text = typed.isEmpty() ? text : typed;
    c.SelStart = typed.isEmpty() ? caret : int(typed.size());
    return c;
}

int ExactIndexOf(const QStringList& captions, const QString& text)
{
    return int(captions.indexOf(text));
}

// Letters and digits keep their codes (Qt's equal the platform's).
const std::array<VirtualKey, 40> kVirtualKeys{{
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, 9},         {Qt::Key_Return, 13},     {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},      {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},        {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},   {Qt::Key_Escape, 27},     {Qt::Key_Space, 32},      {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},   {Qt::Key_End, 35},        {Qt::Key_Home, 36},       {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},         {Qt::Key_Right, 39},      {Qt::Key_Down, 40},       {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},     {Qt::Key_Meta, 91},       {Qt::Key_Menu, 93},       {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 187},      {Qt::Key_Semicolon, 186}, {Qt::Key_Equal, 187},     {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},     {Qt::Key_Period, 190},    {Qt::Key_Slash, 191},     {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219}, {Qt::Key_Backslash, 220}, {Qt::Key_BracketRight, 221}, {Qt::Key_Apostrophe, 222},
    {Qt::Key_NumLock, 144},   {Qt::Key_ScrollLock, 145}, {Qt::Key_F1, 112},       {Qt::Key_F12, 123},
}};

int VirtualKeyCode(int qtKey, bool keypad)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    for (const VirtualKey& k : kVirtualKeys)
        if (k.QtKey == qtKey)
            return k.Code;
    return 0;
}

}  // namespace dropdown

namespace dropdown {

PrefixIndex::PrefixIndex(const QStringList& entries)
{
    const int n = int(entries.size());
    std::vector<QString> folded;
    folded.reserve(size_t(n));
    for (const QString& e : entries)
        folded.push_back(e.toCaseFolded());
    order_.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        order_[size_t(i)] = i;
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return folded[size_t(a)] < folded[size_t(b)]; });
    keys_.reserve(size_t(n));
    for (int i : order_)
        keys_.push_back(folded[size_t(i)]);
    leaves_ = 1;
    while (leaves_ < n)
        leaves_ *= 2;
    tree_.assign(size_t(2 * leaves_), std::numeric_limits<int>::max());
    for (int i = 0; i < n; ++i)
        tree_[size_t(leaves_ + i)] = order_[size_t(i)];
    for (int i = leaves_ - 1; i >= 1; --i)
        tree_[size_t(i)] = std::min(tree_[size_t(2 * i)], tree_[size_t(2 * i + 1)]);
}

int PrefixIndex::RangeMin(int from, int to) const
{
    int best = std::numeric_limits<int>::max();
    for (int l = from + leaves_, r = to + leaves_; l < r; l /= 2, r /= 2) {
        if (l & 1)
            best = std::min(best, tree_[size_t(l++)]);
        if (r & 1)
            best = std::min(best, tree_[size_t(--r)]);
    }
    return best;
}

int PrefixIndex::First(const QString& prefix) const
{
    if (prefix.isEmpty() || keys_.empty())
        return -1;
    const QString key = prefix.toCaseFolded();
    const auto lo = std::lower_bound(keys_.begin(), keys_.end(), key);
    // Keys starting with key form one run from lo.
    const auto hi = std::partition_point(lo, keys_.end(), [&](const QString& k) { return k.startsWith(key); });
    if (lo == hi)
        return -1;
    return RangeMin(int(lo - keys_.begin()), int(hi - keys_.begin()));
}

}  // namespace dropdown
