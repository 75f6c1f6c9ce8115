// Bytes as dropped data: the first byte picks the format the rest travels
// under (cell block, column, text, RTF, URL list) and whether the drop lands
// below the last row; the second the drop cell and whether the drag came from
// the grid itself. A refused drop leaves the grid as it was.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/dragdrop/drag_drop.h"
#include "controls/grid/exchange/clipboard_formats.h"

#include <QMimeData>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <iterator>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

QStringList Texts(TExStringGrid& g)
{
    QStringList out;
    out << QString::number(g.ColCount()) << QString::number(g.RowCount());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            out << g.Cells(g.RealColIndex(c), r);
    return out;
}

const QString kFormats[] = {kCellsFormat, kColumnFormat, QStringLiteral("text/plain"), kRtfFormat, kUriListFormat};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 1 << 16)
        return 0;
    const QString& format = kFormats[data[0] % std::size(kFormats)];
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    QMimeData mime;
    // A cell block is also tried raw, with a count in front that fits.
    mime.setData(format, format == kCellsFormat && (data[1] & 0x80) ? CellBlock(bytes) : bytes);

    TExStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(5);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
    g.SetOptions(TGridOptions{goRangeSelect, goEditing});
    g.Navigation.AllowClipboardColGrow = false;
    g.Navigation.AllowClipboardRowGrow = false;
    g.SetCells(1, 1, QStringLiteral("kept"));
    const QStringList before = Texts(g);

    DropContext context;
    context.FromThisGrid = data[1] & 1;
    context.Settings.OleDropRTF = data[1] & 2;
    context.Settings.OleColumnReorder = data[1] & 4;
    context.Settings.OleInsertRows = data[1] & 8;
    context.Settings.OleAcceptFiles = false;
    if (data[1] & 0x10)
        context.DragSelection = {0, 0, 1, 1};
    TGridCoord cell{(data[1] >> 5) & 3, (data[1] >> 5) & 7};
    // The high bit of the first byte drops below the last row.
    if (data[0] & 0x80) {
        context.Settings.OleEntireRows = true;
        context.Settings.OleAppendRows = true;
        cell = DropTargetCell(g, {-1, -1}, true, DropFormats(mime), context.Settings, context.Append);
    }
    const DropResult r = DropMimeData(g, &mime, cell, context);
    if (!r.Dropped)
        Check(Texts(g) == before);
    Check(g.ColCount() == 5);
    Check(g.Cells(1, 1).size() >= 0);
    return 0;
}
