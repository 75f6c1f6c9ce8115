#pragma once
#include <QString>
#include <QStringList>

#include <array>

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
Completion CompleteText(const QString& text, int caret, const QStringList& captions, bool matchCase);
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
