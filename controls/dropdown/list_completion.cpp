#include "controls/dropdown/list_completion.h"

#include <algorithm>

#include <Qt>

namespace dropdown {

Completion CompleteText(const QString& text, int caret, const QStringList& captions, bool matchCase)
{
    Completion c;
    caret = std::clamp(caret, 0, int(text.size()));
    const QString typed = text.left(caret);
    c.TypedLength = int(typed.size());
    // Compared letter by letter, so an upper case of another length (as of
    // "ß") never shifts the typed part.
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (!typed.isEmpty()) {
        for (int i = 0; i < captions.size(); ++i) {
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
