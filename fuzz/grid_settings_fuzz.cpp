// Bytes as the INI file of column widths and positions and of print
// settings, and (after a first NUL-free line) as a column state string. The
// column map stays whole: every column is shown or hidden exactly once.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckColumns(TExStringGrid& g, int all)
{
    Check(g.ColCount() + g.NumHiddenColumns() == all);
    QSet<int> seen;
    for (int c = 0; c < g.ColCount(); ++c)
        seen.insert(g.RealColIndex(c));
    Check(seen.size() == g.ColCount());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 14)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const QString file = QDir::tempPath() + QStringLiteral("/grid_settings_fuzz_%1.ini").arg(getpid());
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(bytes);
    }
    TExStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(2);
    g.SetColumnOrder();
    g.HideColumn(1);
    g.ColumnSize.Location = clIniFile;
    g.ColumnSize.Key = file;
    g.ColumnSize.Section = QStringLiteral("S");
    try {
        g.LoadColPositions();
        g.LoadColSizes();
        LoadPrintSettings(g, file, QStringLiteral("P"));
    } catch (const GridError&) {
    }
    CheckColumns(g, 5);

    const QString state = QString::fromUtf8(bytes.left(200));
    TExStringGrid h;
    h.SetColCount(4);
    h.SetColumnOrder();
    h.HideColumn(2);
    const QString before = ColumnStatesToString(h);
    try {
        StringToColumnStates(h, state);
    } catch (const GridError&) {
        Check(ColumnStatesToString(h) == before);
        return 0;
    }
    CheckColumns(h, h.ColCount() + h.NumHiddenColumns());
    return 0;
}
