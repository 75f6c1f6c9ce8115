#pragma once
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// Completion while typing and the type-ahead key codes of the list pickers.
namespace dropdown {

struct Completion
{
    bool Matched = false;
    int Item = -1;
    QString Text;
    int SelStart = 0;   // the completed tail is selected
    int SelLength = 0;  // 0: caret at SelStart
    int TypedLength = 0;
};

// The text typed up to caret completed with the first caption that starts
// with it (the typed case kept, at most 255 characters); without a match
// the text is cut at the caret. An empty typed part matches nothing.
// With an index of the captions, a completion ignoring case takes the
// index instead of a scan.
class PrefixIndex;
Completion CompleteText(const QString& text, int caret, const QStringList& captions, bool matchCase,
                        const PrefixIndex* index = nullptr);
// The first item whose caption equals text exactly (case-sensitive), or -1.
int ExactIndexOf(const QStringList& captions, const QString& text);

// The platform's virtual-key code of a key, as type-ahead appends it (Shift
// gives 16); 0 for keys without one.
struct VirtualKey
{
    int QtKey;
    int Code;
};
extern const std::array<VirtualKey, 40> kVirtualKeys;
int VirtualKeyCode(int qtKey, bool keypad);

}  // namespace dropdown

namespace dropdown {

// The first entry of a list, in list order, that starts with a prefix
// ignoring case, found in O(log n): the case-folded entries sorted, and the
// smallest list position over each sorted range from a segment tree.
class PrefixIndex
{
public:
    PrefixIndex() = default;
    explicit PrefixIndex(const QStringList& entries);
    // -1 for none, and for an empty prefix.
    int First(const QString& prefix) const;
    int Size() const { return int(order_.size()); }

private:
    int RangeMin(int from, int to) const;

    std::vector<QString> keys_;  // folded, sorted
    std::vector<int> order_;     // list position of each sorted key
    std::vector<int> tree_;      // minimum list position per node
    int leaves_ = 0;
};

}  // namespace dropdown
