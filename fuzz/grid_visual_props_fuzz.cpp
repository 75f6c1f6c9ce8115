// Bytes as a grid's visual properties file: a file that fails leaves the
// grid as it was; what loads saves, and that loads and saves the same again.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/visual_props.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 14)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TExStringGrid g;
    const QByteArray before = VisualPropsBytes(g);
    try {
        LoadVisualPropsFromBytes(g, bytes, QStringLiteral("fuzz"));
    } catch (const GridError&) {
        Check(VisualPropsBytes(g) == before);
        return 0;
    }
    const QByteArray saved = VisualPropsBytes(g);
    TExStringGrid h;
    LoadVisualPropsFromBytes(h, saved, QStringLiteral("saved"));
    Check(VisualPropsBytes(h) == saved);
    return 0;
}
