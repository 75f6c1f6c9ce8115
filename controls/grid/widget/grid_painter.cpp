#include "controls/grid/widget/grid_painter.h"

#include "controls/grid/core/cell_properties.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/text_measurer.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/rich/rich_draw.h"
#include "controls/grid/rich/rtf_subset.h"
#include "controls/grid/small_controls/themes.h"
#include "controls/grid/widget/cell_graphics.h"
#include "controls/grid/widget/cell_html_layout.h"
#include "controls/grid/widget/cell_text.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <array>

// The pictures live in a static library: their registration is pulled in by hand.
static void InitGridBitmaps()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(grid_bitmaps);
        return true;
    }();
    (void)done;
}

namespace grid {

namespace {

// Colours of the selection boxes: fill (upper half with a mirror), the pixels
// next to the corners, border, inner top and bottom lines, lower half. The
// corner pixel itself takes the grid's colour, which rounds the box.
struct BoxColors
{
    TColor Color, ColorTo, CornerShade, Border, InnerTop, InnerBottom, MirrorColor, MirrorColorTo;
};

constexpr std::array<BoxColors, 4> kBoxColors{{
    // ssVista, ssWin7, ssOffice2007, any style without focus
    {0xFDF8F1, 0xFCEFD5, 0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone},
    {0xFCEBDC, 0xFCDBC1, 0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone},
    {0xD7FFFD, 0x58D4FC, 0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0xB3F1FC, 0x58D4FC},
    {0xF8F8F8, 0xE5E5E5, 0xEFEFEF, 0xD9D9D9, 0xF0F0F0, 0xFBFAFA, clNone, clNone},
}};

} // namespace

GridPainter::GridPainter(TExStringGrid& grid) : grid_(grid)
{
    InitGridBitmaps();
    htmlPictures_.Cache = &pictureCache_;
    ProgressAppearance.OnChange = [this] {
        if (grid_.HasView())
            grid_.View()->InvalidateAll();
    };
}

GridPainter::~GridPainter() = default;

html::HtmlPictures& GridPainter::HtmlPictures()
{
    const auto* list = dynamic_cast<const TGridImageList*>(grid_.GetGridImages());
    htmlPictures_.Images = list ? &list->Pictures() : nullptr;
    htmlPictures_.Container = PictureContainer;
    return htmlPictures_;
}

const QImage& GridPainter::GridGlyph(const char* name, TColor back)
{
    const QLatin1String key(name);
    for (const Glyph& g : glyphs_)
        if (g.Back == back && g.Name == key)
            return g.Image;
    // Drawn once into an image of its own: the key colour becomes the
    // background (or stays out).
    QImage bitmap = GridBitmap(key);
    QImage out(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (!bitmap.isNull()) {
        QPainter p(&out);
        QtCanvas canvas(p);
        DrawBitmapTransparent(canvas, bitmap, back, QRect(QPoint(0, 0), bitmap.size()));
    }
    glyphs_.push_back({key, back, out});
    return glyphs_.back().Image;
}

const QPen& GridPainter::LinePen(TColor color, int width)
{
    const QColor c = ToQColor(color);
    if (linePen_.color() != c || linePen_.width() != width)
        linePen_ = QPen(c, width);
    return linePen_;
}

const QFont& GridPainter::FontOf(const TFont& font)
{
    // The fixed and the normal cells' fonts alternate along a row: a few are
    // kept, so none is made again per row.
    for (const FontSlot& slot : fonts_)
        if (slot.Set && slot.Font == font)
            return slot.QtFont;
    FontSlot& slot = fonts_[nextFont_];
    nextFont_ = (nextFont_ + 1) % fonts_.size();
    slot = {true, font, ToQFont(font)};
    return slot.QtFont;
}

void GridPainter::Paint(QPainter& painter, const QRect& clip, bool focused)
{
    focused_ = focused;
    TExStringGrid& g = grid_;
    const int fixedCols = g.FixedCols();
    const int fixedRows = g.FixedRows();
    const TGridRect sel = g.Selection();
    const bool rowSelect = g.Options().Contains(goRowSelect);
    const int clientW = g.ClientWidth();
    const int clientH = g.ClientHeight();

    // Shown rows: the fixed ones, then from TopRow until the client ends.
    int lastRight = 0;
    int lastBottom = 0;
    auto paintRow = [&](int row) {
        for (int col = 0; col < g.ColCount(); ++col) {
            if (col == fixedCols && col < g.LeftCol())
                col = g.LeftCol();
            const QRect rect = g.PlatformCellRect(col, row);
            if (rect.isEmpty()) {
                if (col >= fixedCols)
                    break;
                continue;
            }
            lastRight = std::max(lastRight, rect.right() + 1);
            lastBottom = std::max(lastBottom, rect.bottom() + 1);
            if (!rect.intersects(clip))
                continue;
            TGridDrawState state;
            const bool fixed = col < fixedCols || row < fixedRows;
            if (fixed)
                state.Include(gdFixed);
            else if (row >= sel.Top && row <= sel.Bottom && (rowSelect || (col >= sel.Left && col <= sel.Right)))
                state.Include(gdSelected);
            if (col == g.Col() && row == g.Row())
                state.Include(gdFocused);
            PaintCellFrame(painter, col, row, rect, state, true);
        }
    };
    for (int row = 0; row < fixedRows && row < g.RowCount(); ++row)
        paintRow(row);
    for (int row = std::max(g.TopRow(), fixedRows); row < g.RowCount(); ++row) {
        const QRect probe = g.PlatformCellRect(0, row);
        if (probe.isEmpty() && g.PlatformCellRect(std::max(g.LeftCol(), fixedCols), row).isEmpty())
            break;
        paintRow(row);
    }
    // The area past the last column and below the last row.
    const QColor back = ToQColor(g.Color);
    if (lastRight < clientW)
        painter.fillRect(QRect(lastRight, 0, clientW - lastRight, clientH).intersected(clip), back);
    if (lastBottom < clientH)
        painter.fillRect(QRect(0, lastBottom, std::min(lastRight, clientW), clientH - lastBottom).intersected(clip),
                         back);
    PaintBackGroundOutsideCells(painter, clip, lastRight, lastBottom);
    ++g.FPaintID;
    if (OnPainted)
        OnPainted();
}

namespace {

bool Gradient(TBackGroundDisplay d)
{
    return d == bdGradientHorz || d == bdGradientVert;
}

} // namespace

void GridPainter::TileBackGround(QPainter& painter, const QRect& target, QPoint origin)
{
    const QImage& picture = grid_.BackGround.Bitmap;
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0 || target.isEmpty())
        return;
    // Tiles placed so the picture's corner falls on origin + a multiple of
    // its size: cells and the area past them join without a seam.
    auto floorMod = [](int a, int m) { return ((a % m) + m) % m; };
    const int x0 = target.left() - floorMod(target.left() - origin.x(), w);
    const int y0 = target.top() - floorMod(target.top() - origin.y(), h);
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    for (int y = y0; y <= target.bottom(); y += h)
        for (int x = x0; x <= target.right(); x += w)
            painter.drawImage(QPoint(x, y), picture);
    painter.restore();
}

bool GridPainter::DrawCellBackGround(QPainter& painter, int col, int row, const QRect& rect, const CellLook& look,
                                     bool selected)
{
    TExStringGrid& g = grid_;
    const TBackGround& bg = g.BackGround;
    const bool picture = !bg.Bitmap.isNull();
    if (!picture && !Gradient(bg.Display))
        return false;
    const bool fixed = g.IsFixed(col, row);
    if ((bg.Cells == bcNormal && fixed) || (bg.Cells == bcFixed && !fixed))
        return false;
    if (g.Colors(g.RealColIndex(col), row) != clNone)
        return false;
    if (picture) {
        if (selected && g.ShowSelection())
            return false;
        if (bg.Display == bdTile) {
            // The phase is the size of the cells before this one, counted
            // from the first normal cell (bcNormal) or from the first cell.
            const QRect cell = g.CellRect(col, row);
            const int startCol = bg.Cells == bcNormal ? g.FixedCols() : 0;
            const int startRow = bg.Cells == bcNormal ? g.FixedRows() : 0;
            const QPoint origin(cell.left() - int(g.ColOffset(col) - g.ColOffset(startCol)),
                                cell.top() - int(g.RowOffset(row) - g.RowOffset(startRow)));
            TileBackGround(painter, rect, origin);
        } else {
            painter.save();
            painter.setClipRect(rect, Qt::IntersectClip);
            painter.drawImage(QPoint(bg.Left, bg.Top), bg.Bitmap);
            painter.restore();
        }
        return true;
    }
    if (selected && g.ShowSelection()) {
        const bool focusedCell = col == g.Col() && row == g.Row();
        if (!focusedCell || g.Options().Contains(goDrawFocusSelected))
            return false;
    }
    // The cell's slice of one gradient over the whole client.
    const bool horizontal = bg.Display == bdGradientHorz;
    const int extent = horizontal ? g.ClientWidth() : g.ClientHeight();
    const int from = horizontal ? rect.left() : rect.top();
    const int to = horizontal ? rect.right() + 1 : rect.bottom() + 1;
    QtCanvas canvas(painter);
    DrawGradientRect(canvas, BlendColor(bg.Color, bg.ColorTo, 0, std::max(1, extent), from),
                     BlendColor(bg.Color, bg.ColorTo, 0, std::max(1, extent), to), horizontal, rect, 128);
    return true;
}

void GridPainter::PaintBackGroundOutsideCells(QPainter& painter, const QRect& clip, int lastRight, int lastBottom)
{
    TExStringGrid& g = grid_;
    const TBackGround& bg = g.BackGround;
    const bool picture = !bg.Bitmap.isNull();
    if (!picture && (!Gradient(bg.Display) || bg.ColorTo == clNone))
        return;
    if (picture && bg.Display == bdTile && bg.Cells == bcFixed)
        return;
    const int clientW = g.ClientWidth();
    const int clientH = g.ClientHeight() - g.SearchPanelHeight() -
                        (g.FloatingFooter.Visible ? g.FloatingFooter.Height : 0);
    QRegion area;
    if (lastRight < clientW)
        area += QRect(lastRight, 0, clientW - lastRight, std::max(0, clientH));
    if (lastBottom < clientH)
        area += QRect(0, lastBottom, std::min(lastRight, clientW), clientH - lastBottom);
    area &= clip;
    if (area.isEmpty())
        return;
    painter.save();
    painter.setClipRegion(area, Qt::IntersectClip);
    const QRect client(0, 0, clientW, std::max(0, clientH));
    if (!picture) {
        QtCanvas canvas(painter);
        DrawGradientRect(canvas, bg.Color, bg.ColorTo, bg.Display == bdGradientHorz, client, 128);
    } else if (bg.Display != bdTile) {
        painter.drawImage(QPoint(bg.Left, bg.Top), bg.Bitmap);
    } else {
        const int startCol = bg.Cells == bcNormal ? g.FixedCols() : 0;
        const int startRow = bg.Cells == bcNormal ? g.FixedRows() : 0;
        const int firstCol = std::max(g.LeftCol(), g.FixedCols());
        const int firstRow = std::max(g.TopRow(), g.FixedRows());
        const QPoint origin(g.FixedColsWidth() - int(g.ColOffset(firstCol) - g.ColOffset(startCol)),
                            g.FixedRowsHeight() - int(g.RowOffset(firstRow) - g.RowOffset(startRow)));
        TileBackGround(painter, client, origin);
    }
    painter.restore();
}

void GridPainter::PaintCell(QPainter& painter, int col, int row, QRect rect, TGridDrawState state)
{
    PaintCellFrame(painter, col, row, rect, state, true);
}

void GridPainter::PaintCellExt(QPainter& painter, int col, int row, QRect rect, TGridDrawState state)
{
    PaintCellFrame(painter, col, row, rect, state, false);
}

void GridPainter::PaintCellFrame(QPainter& painter, int col, int row, QRect rect, TGridDrawState state,
                                 bool withContent)
{
    TExStringGrid& g = grid_;
    QtCanvas canvas(painter);
    if (g.FHideLastRow && row == g.RowCount() - 1) {
        painter.fillRect(rect, ToQColor(g.Color));
        return;
    }
    const int realCol = g.RealColIndex(col);
    if (g.IsMergedNonBaseCell(realCol, row)) {
        const TGridCoord base = g.BaseCell(realCol, row);
        if (TCellProperties* bp = g.GridObjects(base.X, base.Y); bp && bp->FPaintID != g.FPaintID) {
            bp->FPaintID = g.FPaintID;
            PaintCell(painter, g.DisplColIndex(base.X), base.Y, rect, state);
        }
        return;
    }
    if (withContent) {
        if (g.IsFixed(col, row)) {
            state.Include(gdFixed);
            state.Exclude(gdSelected);
        }
        rect = g.CellRect(col, row);
        if (g.IsMergedCell(realCol, row))
            if (TCellProperties* p = g.GridObjects(realCol, row))
                p->FPaintID = g.FPaintID;
    }
    const int fixedCols = g.FixedCols();
    const int fixedRows = g.FixedRows();
    const bool clip = (col >= fixedCols && fixedCols > 0 && rect.left() < g.FixedColsWidth()) ||
                      (row >= fixedRows && fixedRows > 0 && rect.top() < g.FixedRowsHeight());
    if (clip) {
        painter.save();
        painter.setClipRect(QRect(QPoint(col < fixedCols ? 0 : g.FixedColsWidth(),
                                         row < fixedRows ? 0 : g.FixedRowsHeight()),
                                  QPoint(g.ClientWidth(), g.ClientHeight())),
                            Qt::IntersectClip);
    }

    CellLook look = g.GetVisualProperties(col, row, state, false, true, true);
    const bool selected = state.Contains(gdSelected);
    const bool fixed = state.Contains(gdFixed);
    if (g.HoverRow && row == g.FHoverRowIdx && !(selected && !g.HoverRowCells.Contains(hcSelected)) &&
        !(fixed && !g.HoverRowCells.Contains(hcFixed))) {
        look.Brush.Color = g.HoverRowColor;
        look.ColorTo = g.HoverRowColorTo;
        look.MirrorColor = clNone;
        look.MirrorColorTo = clNone;
        look.Gradient = GradientVertical;
    }
    if ((g.ActiveRowShow() && row == g.Row() && col >= fixedCols && (col != g.Col() || !g.FShowSel)) ||
        (!withContent && selected)) {
        look.Brush.Color = g.ActiveRowColor();
        look.ColorTo = g.ActiveRowColorTo();
        look.MirrorColor = g.ActiveRowMirrorColor();
        look.MirrorColorTo = g.ActiveRowMirrorColorTo();
    }

    // The sort column's header in the sort header gradient.
    if (SortHeaderColored(col, realCol, row)) {
        const TSortSettings& sort = g.SortSettings;
        look.Brush.Color = sort.HeaderColor();
        look.ColorTo = sort.HeaderColorTo();
        look.MirrorColor = sort.HeaderMirrorColor();
        look.MirrorColorTo = sort.HeaderMirrorColorTo();
        look.Gradient = GradientVertical;
    }

    // No colour of its own: the canvas keeps the window's, the highlight for a
    // selected cell.
    if (look.Brush.Color == clNone)
        look.Brush.Color = selected ? clHighlight : g.Color;

    const TGridOptions options = g.Options();
    if (selected && g.SelectionStyle() != ssDefault && g.FShowSel) {
        const TGridRect sel = g.Selection();
        const int left = std::min(sel.Left, sel.Right);
        const int right = std::max(sel.Left, sel.Right);
        int part = 0;
        if (left != right)
            part = col == left ? 1 : col == right ? 2 : 3;
        QRect box = rect;
        if (!options.Contains(goHorzLine))
            box.adjust(0, 0, 0, 1);
        if (!options.Contains(goVertLine))
            box.adjust(0, 0, 1, 0);
        painter.fillRect(rect, ToQColor(g.Color));
        DrawSelectionBox(painter, box, part, g.SelectionStyle(),
                         focused_ || options.Contains(goDrawFocusSelected));
    } else if (look.MirrorColorTo == clNone) {
        DrawGradientRect(canvas, look.Brush.Color, look.ColorTo, look.Gradient == GradientHorizontal, rect, 64);
    } else {
        const bool vertical = look.Gradient == GradientVertical;
        const QRect first = vertical ? QRect(rect.left(), rect.top(), rect.width(), rect.height() / 2)
                                     : QRect(rect.left(), rect.top(), rect.width() / 2, rect.height());
        const QRect second = vertical ? QRect(rect.left(), first.bottom() + 1, rect.width(),
                                              rect.height() - first.height())
                                      : QRect(first.right() + 1, rect.top(), rect.width() - first.width(),
                                              rect.height());
        DrawGradientRect(canvas, look.Brush.Color, look.ColorTo, !vertical, first, 128);
        DrawGradientRect(canvas, look.MirrorColor, look.MirrorColorTo, !vertical, second, 128);
    }

    // Grid lines, drawn by the grid itself.
    TColor lineColor;
    int lineWidth;
    int e;
    if (fixed) {
        lineColor = g.GridFixedLineColor();
        lineWidth = 1;
        e = 1;
    } else {
        lineColor = g.GridLineWidth() > 0 ? g.GridLineColor() : look.Brush.Color;
        lineWidth = g.GridLineWidth();
        e = (g.GridLineWidth() + 1) >> 1;
    }
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    if (lineWidth > 0 && lineColor != clNone) {
        // Without their end pixels, as the platform draws lines.
        const bool horizontal =
            ((options.Contains(goHorzLine) && !fixed) || (options.Contains(goFixedHorzLine) && fixed)) &&
            !(col == 0 && g.HasNodes());
        const bool vertical = (options.Contains(goVertLine) && !fixed) || (options.Contains(goFixedVertLine) && fixed);
        if (horizontal || vertical)
            painter.setPen(LinePen(lineColor, lineWidth));
        if (horizontal && right > rect.left())
            painter.drawLine(rect.left() - e + 1, bottom - e, right - e, bottom - e);
        if (vertical && bottom > rect.top())
            painter.drawLine(right - e, bottom - e, right - e, rect.top() - e + 1);
    }

    if (withContent) {
        const int w = g.GridLineWidth();
        const QRect content =
            fixed ? QRect(QPoint(rect.left(), rect.top()), QPoint(right - 2, bottom - 3))
                  : QRect(QPoint(rect.left() + w, rect.top() + w), QPoint(right - 1 - w, bottom - 1 - w));
        DrawCellContent(painter, col, row, content, state);
    }
    if (clip)
        painter.restore();
}

bool GridPainter::SortHeaderColored(int col, int realCol, int row)
{
    TExStringGrid& g = grid_;
    const TSortSettings& sort = g.SortSettings;
    const TGridLook gridLook = g.Look();
    const bool fixedLooks = gridLook == glZAD || gridLook == glXP || gridLook == glVista || gridLook == glWin7 ||
                            gridLook == glOffice2007;
    return fixedLooks && sort.HeaderColor() != clNone && sort.Column != -1 && sort.Column == realCol &&
           row == g.FixedRows() - 1 && (col >= g.FixedCols() || sort.FixedCols) && g.HasFixedLook(col, row);
}

void GridPainter::DrawSelectionBox(QPainter& painter, const QRect& box, int part, TGridSelectionStyle style,
                                   bool active)
{
    const BoxColors& c = kBoxColors[active ? std::clamp(int(style) - 1, 0, 2) : 3];
    QtCanvas canvas(painter);
    static constexpr int kOpenSides[] = {0, 1, 2, 3};
    DrawSelectionFrame(canvas, box, kOpenSides[part], c.Border, c.InnerTop, c.InnerBottom, grid_.Color,
                       c.CornerShade, c.Color, c.ColorTo, c.MirrorColor, c.MirrorColorTo);
}

bool GridPainter::CheckShown(int realCol, int row, const TCellGraphic& graphic)
{
    switch (graphic.CellType) {
    case ctDataCheckBox:
    case ctVirtCheckBox:
        return grid_.GetCellEx(realCol, row) == grid_.GetCheckTrueText(realCol, row);
    case ctTriStateCheckBox:
        return graphic.CellCheckBoxState == cbChecked;
    default:
        return graphic.CellBoolean;
    }
}

QRect GridPainter::CheckGlyphRect(int col, int row, const QRect& rect, TAlignment textAlign)
{
    TExStringGrid& g = grid_;
    const int realCol = g.RealColIndex(col);
    const TCellGraphic* graphic = g.GetCellGraphic(realCol, row);
    const QPoint off = g.XYOffset();
    const QRect r = rect.adjusted(off.x() - 1, off.y() - 1, -(off.x() - 1), -(off.y() - 1));
    TAlignment ha;
    TVAlignment cellVa;
    g.GetCellTextAlignment(realCol, row, ha, cellVa);
    return CheckGlyphPlace(r, textAlign, CheckGlyphVAlign(graphic ? graphic->CellVAlign : vaTop, cellVa, g.VAlignment()),
                           graphic && CheckKindShowsText(graphic->CellType), 0, g.ControlLook.CheckSize());
}

void GridPainter::DrawCellContent(QPainter& painter, int col, int row, QRect rect, TGridDrawState state)
{
    TExStringGrid& g = grid_;
    const int realCol = g.RealColIndex(col);
    CellLook look = g.GetVisualProperties(col, row, state, false, false, true);
    const bool fixedLook = g.HasFixedLook(col, row);
    const bool fixedCell = g.IsFixed(col, row);
    const bool selected = state.Contains(gdSelected) && !fixedCell;
    if (selected && g.ShowSelection() && g.SelectionTextColor() != clNone && g.Enabled)
        look.Font.Color = g.SelectionTextColor();

    DrawCellBackGround(painter, col, row, rect, look, selected);

    // The row indicator in column 0 of the current row; the text moves past it.
    int indicatorShift = 0;
    if (realCol == 0 && row == g.Row() && g.FixedCols() > 0 && !g.RowIndicator().isNull() && !KeptEmptyRow(row)) {
        const QImage& picture = KeyedImage(g.RowIndicator());
        const int h = picture.height();
        const int y = g.VAlignment() == vtaTop      ? rect.top()
                      : g.VAlignment() == vtaCenter ? rect.top() + (rect.height() - h) / 2
                                                    : rect.top() + rect.height() - h;
        painter.drawImage(QPoint(rect.left() + 2, y), picture);
        indicatorShift = picture.width() + 2;
    }

    // Modified rows: a bar along the right edge of the first column.
    if (col == 0 && g.ShowModified.Enabled && row < g.RowCount() && g.RowModified(row))
        painter.fillRect(QRect(rect.left() + rect.width() - 4, rect.top(), 4, rect.height()),
                         ToQColor(g.ShowModified.Color()));

    TCellGraphic* graphic = g.GetCellGraphic(realCol, row);
    const GraphicLayout layout = graphic ? g.GetGraphicLayout(realCol, row) : GraphicLayout{};
    QRect textRect = CellTextRect(g, col, row, rect, fixedLook, fixedCell, graphic);
    textRect.setLeft(textRect.left() + indicatorShift);

    // The filter glyph at the top-right of a header with a filter list.
    if (row == g.FilterDropDownRow && HasFilterGlyph(realCol)) {
        const bool active = g.FilterActive() && g.Filter.HasFilter(realCol);
        const QImage& custom = active ? g.FilterDropDown.GlyphActive() : g.FilterDropDown.Glyph();
        const QImage& glyph = custom.isNull() ? GridGlyph("ESGFILT", g.FixedColor) : KeyedImage(custom);
        painter.drawImage(QPoint(rect.left() + rect.width() - 16, rect.top()), glyph);
        const bool html = IsHtmlCellText(g, g.GetFormattedCell(realCol, row));
        textRect.setRight(textRect.right() - (html ? 18 : 16));
    }

    if (!fixedCell && g.SelectionRectangle())
        DrawSelectionRectangle(painter, col, realCol, row);

    int textWidth = 0;
    if (layout.DrawText)
        textWidth = DrawText(painter, col, realCol, row, textRect, look, selected, graphic != nullptr, graphic);

    if (fixedLook && !g.Flat() && (g.Look() == glXP || g.Look() == glZAD))
        DrawFixedEdges(painter, rect.adjusted(0, 0, 1, 1));

    if (graphic)
        DrawCellGraphic(painter, col, row, fixedLook ? rect.adjusted(0, 1, 0, 0) : rect, *graphic, look, state,
                        textWidth);

    // Sort indicator in the sort column's header; with an indexed sort the
    // numbered one in every sort index column. A rotated header has its own.
    const TSortSettings& sort = g.SortSettings;
    if (sort.Show() && row == sort.Row() && g.FixedRows() > 0 && !(graphic && graphic->CellType == ctRotated)) {
        QtCanvas canvas(painter);
        const int y = look.VAlign == vtaTop      ? rect.top() + 8
                      : look.VAlign == vtaBottom ? rect.bottom() - 8
                                                 : rect.center().y();
        if (sort.IndexShow) {
            const int position = g.SortIndexes.FindIndex(realCol);
            if (position >= 0 && (col >= g.FixedCols() || sort.FixedCols))
                DrawSortIndexIndicator(canvas, rect.right() - 10, y, position + 1,
                                       !g.SortIndexes.GetSortDirections(position), sort.IndexColor);
        } else if (realCol == sort.Column) {
            DrawSortIndicator(canvas, rect.right() - 10, y, sort.Direction == sdDescending);
        }
    }

    // Focus rectangle on the current cell.
    if (!g.HideFocusRect && focused_ && !g.Options().Contains(goRowSelect) && !fixedLook) {
        const TGridCoord base = g.BaseCell(realCol, row);
        if (g.DisplColIndex(base.X) == g.Col() && base.Y == g.Row()) {
            QPen pen(Qt::black, 1, Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            const int w = g.GridLineWidth() - 1;
            painter.drawRect(rect.adjusted(-w, -w, w - 1, w - 1));
        }
    }
}

int GridPainter::DrawText(QPainter& painter, int col, int realCol, int row, QRect rect, const CellLook& look,
                          bool selected, bool measure, const TCellGraphic* graphic)
{
    TExStringGrid& g = grid_;
    QString text = g.GetFormattedCell(realCol, row);
    if (text.isEmpty())
        return 0;
    const bool password = g.CellIsPassword(col, row);
    // Rich text drawn formatted; a selected cell takes the selection's text
    // colour unless it keeps its own.
    if (!password && IsRtfText(text)) {
        const bool recolour = selected && g.ShowSelection() && !g.SelectionRTFKeep && g.SelectionTextColor() != clNone;
        painter.setPen(ToQColor(look.Font.Color));
        DrawRichText(painter, rect, text, FontOf(look.Font), recolour ? ToQColor(g.SelectionTextColor()) : QColor());
        return 0;
    }
    if (!password && IsHtmlCellText(g, text)) {
        html::HtmlLayoutInput in = CellHtmlInput(g, col, row, text, rect, look, selected);
        if (HoveredLinkCell == QPoint(col, row))
            in.HoveredLink = HoveredLink;
        in.ThemesInUse = IsThemedXP();
        html::HtmlPictures& pictures = HtmlPictures();
        const html::HtmlLayout layout = html::LayoutHtmlText(in, htmlMeasurer_, &pictures);
        html::PaintHtmlLayout(painter, layout, htmlMeasurer_, &pictures, in.ThemesInUse);
        return layout.ExtentX + 2;
    }
    if (password)
        text = QString(text.size(), g.PasswordChar);
    // Web and mail addresses underlined in the link colour, without their
    // scheme unless shown full.
    TFont font = look.Font;
    if (!password && g.URLShow() && IsUrlText(text)) {
        font.Style |= fsUnderline;
        font.Color = selected && g.ShowSelection() && g.SelectionTextColor() != clNone ? g.SelectionTextColor()
                                                                                      : g.URLColor();
        if (!g.URLFull())
            StripUrlPrefix(text);
    }
    const bool sortHeader = g.SortSettings.Show() && row == g.SortSettings.Row() &&
                            realCol == g.SortSettings.Column && look.HAlign == taCenter;
    if (sortHeader)
        rect.translate(10, 0);
    CellTextFlags flags;
    flags.HAlign = look.HAlign;
    flags.VAlign = look.VAlign;
    const bool multi = g.FMultilineCells;
    if (!look.WordWrap && CountTextLines(text, multi) <= 1) {
        flags.SingleLine = true;
        flags.EndEllipsis = g.EnhTextSize;
        text = FirstTextLine(text);
    } else {
        flags.WordBreak = look.WordWrap || multi;
        flags.SingleLine = !flags.WordBreak;
        flags.EndEllipsis = look.WordWrap && !multi && g.EnhTextSize;
    }
    painter.setFont(FontOf(font));
    painter.setPen(ToQColor(font.Color));
    DrawCellText(painter, rect, text, flags);
    // The red zig-zag under a marked part of a plain cell's first line.
    if (graphic && (graphic->CellType == ctEmpty || graphic->CellType == ctValue) && graphic->CellErrLen > 0) {
        const QFontMetrics fm = painter.fontMetrics();
        const QString line = flags.SingleLine ? text : FirstTextLine(text);
        const int w = fm.horizontalAdvance(line);
        const int x = flags.HAlign == taRightJustify ? rect.left() + rect.width() - w
                      : flags.HAlign == taCenter     ? rect.left() + (rect.width() - w) / 2
                                                     : rect.left();
        const int lineHeight = fm.height();
        const int y = flags.VAlign == vtaTop      ? rect.top()
                      : flags.VAlign == vtaCenter ? rect.top() + (rect.height() - lineHeight) / 2
                                                  : rect.top() + rect.height() - lineHeight;
        QtCanvas canvas(painter);
        DrawTextErrorMarker(canvas, g.TextMeasure(), font, line, graphic->CellErrLen, graphic->CellErrFrom,
                            fm.ascent() - 1, QRect(x, y, std::max(0, rect.width()), lineHeight));
    }
    if (!measure)
        return 0;
    return std::min(MeasureCellText(painter.fontMetrics(), rect, text, flags).width(), std::max(0, rect.width())) +
           2;
}

void GridPainter::DrawFixedEdges(QPainter& painter, QRect rect)
{
    TExStringGrid& g = grid_;
    QtCanvas canvas(painter);
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height() + 1;
    if (g.Options().Contains(goFixedHorzLine)) {
        canvas.Line({left, bottom - 1}, {right - 1, bottom - 1}, HalfColor(g.FixedColor));
        canvas.Line({right - 2, top + 1}, {left + 1, top + 1}, clWhite);
        canvas.Line({left + 1, top + 1}, {left + 1, bottom - 1}, clWhite);
    }
}

const QImage& GridPainter::KeyedImage(const QImage& image)
{
    for (const Keyed& k : keyed_)
        if (k.Key == image.cacheKey())
            return k.Image;
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    {
        QPainter p(&out);
        QtCanvas canvas(p);
        DrawBitmapTransparent(canvas, image, clNone, QRect(QPoint(0, 0), image.size()));
    }
    // A few pictures at most: the row indicator and two filter glyphs.
    if (keyed_.size() >= 8)
        keyed_.erase(keyed_.begin());
    keyed_.push_back({image.cacheKey(), out});
    return keyed_.back().Image;
}

bool GridPainter::HasFilterGlyph(int realCol)
{
    TExStringGrid& g = grid_;
    // The automatic list would scan the whole column on every paint: whether
    // it has entries is known without it. The list an open drop-down shows
    // stays as it was.
    const QStringList shownList = g.FilterList;
    const bool autoList = g.FilterDropDownAuto;
    g.FilterDropDownAuto = false;
    bool has = g.GetColumnFilter(realCol);
    g.FilterDropDownAuto = autoList;
    g.FilterList = shownList;
    if (!has && autoList && (realCol >= g.FixedCols() || g.FilterDropDownColumns == fdAll))
        has = !g.FilterDropDownClear.isEmpty() || g.RowCount() - g.FixedFooters() > g.FixedRows();
    return has;
}

bool GridPainter::KeptEmptyRow(int row)
{
    TExStringGrid& g = grid_;
    if (!g.FixedRowAlways() || g.RowCount() != g.FixedRows() + 1)
        return false;
    for (int c = 0; c < g.ColCount(); ++c)
        if (!g.Cells(c, row).isEmpty())
            return false;
    return true;
}

void GridPainter::DrawSelectionRectangle(QPainter& painter, int col, int realCol, int row)
{
    TExStringGrid& g = grid_;
    const TGridRect sel = g.Selection();
    const int selLeft = std::min(sel.Left, sel.Right);
    const int selRight = std::max(sel.Left, sel.Right);
    const int selTop = std::min(sel.Top, sel.Bottom);
    const int selBottom = std::max(sel.Top, sel.Bottom);
    // A merged cell counts from its base cell to its last one.
    const TGridRect full = g.FullCell(realCol, row);
    const int left = col - (realCol - full.Left);
    const int right = left + (full.Right - full.Left);
    const int top = full.Top;
    const int bottom = full.Bottom;
    if (left < selLeft || right > selRight || top < selTop || bottom > selBottom)
        return;
    const QColor color = ToQColor(g.SelectionRectangleColor);
    const QRect cell = g.CellRect(col, row).adjusted(0, 0, -1, -1);
    if (left == selLeft)
        painter.fillRect(QRect(cell.left(), cell.top(), 2, cell.height()), color);
    if (right == selRight)
        painter.fillRect(QRect(cell.right() - 1, cell.top(), 2, cell.height()), color);
    if (top == selTop)
        painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 2), color);
    if (bottom == selBottom)
        painter.fillRect(QRect(cell.left(), cell.bottom() - 1, cell.width(), 2), color);
    if (g.SelectionResizer() && right == selRight && bottom == selBottom)
        painter.fillRect(QRect(cell.right() - 3, cell.bottom() - 3, 4, 4), color);
}

} // namespace grid
