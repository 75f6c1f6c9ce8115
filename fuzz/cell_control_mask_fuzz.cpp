// Any bytes as an in-text control's edit mask (up to the first line break)
// and the text a masked edit shows (the rest): the mask Qt gets always ends
// in ";" and its blank, and the stored value takes only characters shown.
#include "controls/grid/cell_controls/edit_mask.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString all = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = all.indexOf(u'\n');
    const QString mask = cut < 0 ? all : all.left(cut);
    const QString shown = cut < 0 ? QString() : all.mid(cut + 1);

    const grid::QtEditMask qt = grid::ToQtEditMask(mask);
    if (!qt.InputMask.isEmpty() && (qt.InputMask.size() < 2 || qt.InputMask.at(qt.InputMask.size() - 2) != u';'))
        std::abort();
    const QString value = grid::MaskedValue(shown, mask);
    if (value.size() > shown.size())
        std::abort();
    return 0;
}
