#include "controls/grid/widget/grid_key_map.h"

#include <QKeyEvent>

namespace grid {

namespace {

struct KeyCode
{
    int qtKey;
    int code;
};

// Keys whose code is not their character. Keys marked silent here type no
// character whatever text the platform gives them.
constexpr KeyCode kNamedKeys[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},      {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},          {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},    {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},
};

// Keypad keys that type (with Num Lock on).
constexpr KeyCode kPadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

int Lookup(const KeyCode* begin, const KeyCode* end, int qtKey)
{
    for (const KeyCode* k = begin; k != end; ++k) {
        if (k->qtKey == qtKey)
            return k->code;
    }
    return 0;
}

int CodeOf(int qtKey, bool keypad)
{
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return VK_NUMPAD0 + (qtKey - Qt::Key_0);
        if (const int code = Lookup(std::begin(kPadKeys), std::end(kPadKeys), qtKey))
            return code;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // the upper-case letter or the digit
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    return Lookup(std::begin(kNamedKeys), std::end(kNamedKeys), qtKey);
}

QChar TextOf(int qtKey, int code, bool ctrl, bool alt, const QString& text)
{
    if (alt && !ctrl)
        return {};
    switch (code) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        return QChar(code);
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
        return {};
    default:
        break;
    }
    if (code >= VK_F1 && code < VK_F1 + 24)
        return {};
    if (ctrl && !alt && qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return QChar(qtKey - Qt::Key_A + 1);
    return text.isEmpty() ? QChar() : text.at(0);
}

} // namespace

GridKey ToGridKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text)
{
    GridKey key;
    key.code = CodeOf(qtKey, modifiers.testFlag(Qt::KeypadModifier));
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    if (modifiers.testFlag(Qt::ShiftModifier) || qtKey == Qt::Key_Backtab)
        key.shift.Include(ssShift);
    if (ctrl)
        key.shift.Include(ssCtrl);
    if (alt)
        key.shift.Include(ssAlt);
    key.text = TextOf(qtKey, key.code, ctrl, alt, text);
    return key;
}

GridKey ToGridKey(const QKeyEvent& event)
{
    return ToGridKey(event.key(), event.modifiers(), event.text());
}

} // namespace grid
