#include "controls/grid/widget/grid_painter.h"

#include "controls/grid/core/cell_properties.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/widget/cell_text.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QPainter>

#include <algorithm>
#include <array>

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

bool IsCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox;
}

bool CheckKindShowsText(TCellType t)
{
    return t == ctCheckBox || t == ctTriStateCheckBox || t == ctRadioButton;
}

QPixmap MakeCheckPicture(int size, bool checked, bool enabled)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QColor border = enabled ? QColor(0x1C, 0x51, 0x80) : QColor(0xB0, 0xB0, 0xB0);
    QLinearGradient fill(0, 0, size, size);
    fill.setColorAt(0, enabled ? QColor(0xDC, 0xDC, 0xD7) : QColor(0xF0, 0xF0, 0xF0));
    fill.setColorAt(1, QColor(0xFF, 0xFF, 0xFF));
    p.fillRect(QRect(1, 1, size - 2, size - 2), fill);
    p.setPen(border);
    p.drawRect(0, 0, size - 1, size - 1);
    if (checked) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(enabled ? QColor(0x21, 0xA1, 0x21) : QColor(0xA0, 0xA0, 0xA0), std::max(2, size / 7)));
        const double s = size;
        const QPointF tick[] = {{s * 0.25, s * 0.5}, {s * 0.43, s * 0.7}, {s * 0.76, s * 0.3}};
        p.drawPolyline(tick, 3);
    }
    return pm;
}

} // namespace

const QPixmap& GridPainter::CheckPicture(int size, bool checked, bool enabled)
{
    // Made once per size: checked/unchecked by enabled/disabled.
    struct Set
    {
        int Size = 0;
        std::array<QPixmap, 4> Pictures;
    };
    static Set cache;
    if (cache.Size != size) {
        cache.Size = size;
        for (int i = 0; i < 4; ++i)
            cache.Pictures[i] = MakeCheckPicture(size, i & 1, (i & 2) == 0);
    }
    return cache.Pictures[(checked ? 1 : 0) | (enabled ? 0 : 2)];
}

const QFont& GridPainter::FontOf(const TFont& font)
{
    if (!hasFont_ || !(font == lastFont_)) {
        lastFont_ = font;
        lastQFont_ = ToQFont(font);
        hasFont_ = true;
    }
    return lastQFont_;
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
    ++g.FPaintID;
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
    if (lineWidth > 0) {
        if (((options.Contains(goHorzLine) && !fixed) || (options.Contains(goFixedHorzLine) && fixed)) &&
            !(col == 0 && g.HasNodes()))
            canvas.Line({rect.left() - e + 1, bottom - e}, {right - e + 1, bottom - e}, lineColor, lineWidth);
        if ((options.Contains(goVertLine) && !fixed) || (options.Contains(goFixedVertLine) && fixed))
            canvas.Line({right - e, bottom - e}, {right - e, rect.top() - e}, lineColor, lineWidth);
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
    const int size = g.ControlLook.CheckSize();
    const QPoint off = g.XYOffset();
    const QRect r = rect.adjusted(off.x() - 1, off.y() - 1, -(off.x() - 1), -(off.y() - 1));
    const bool withText = graphic && CheckKindShowsText(graphic->CellType);
    int left;
    switch (textAlign) {
    case taRightJustify:
        left = r.left() + r.width() - size - 1;
        break;
    case taCenter:
        left = withText ? std::max(0, r.width()) / 2 + r.left() - size
                        : std::max(0, r.width() - size) / 2 + r.left();
        break;
    default:
        left = r.left() + 1;
        break;
    }
    left = std::max(left, r.left());
    TCellVAlign va = graphic ? graphic->CellVAlign : vaTop;
    TAlignment ha;
    TVAlignment cellVa;
    g.GetCellTextAlignment(realCol, row, ha, cellVa);
    if (cellVa != g.VAlignment())
        va = cellVa == vtaTop ? vaTop : cellVa == vtaCenter ? vaCenter : vaBottom;
    int top;
    switch (va) {
    case vaBottom:
        top = r.top() + r.height() - 1 - size;
        break;
    case vaCenter:
        top = size < r.height() ? r.top() + (r.height() - size) / 2 : r.top() + 1;
        break;
    case vaUnderText:
        top = r.top() + r.height() - size;
        break;
    default:
        top = r.top() + 1;
        break;
    }
    return QRect(left, top, size, size);
}

void GridPainter::DrawCellContent(QPainter& painter, int col, int row, QRect rect, TGridDrawState state)
{
    TExStringGrid& g = grid_;
    const int realCol = g.RealColIndex(col);
    CellLook look = g.GetVisualProperties(col, row, state, false, false, true);
    const bool fixedLook = g.HasFixedLook(col, row);
    const bool selected = state.Contains(gdSelected) && !g.IsFixed(col, row);
    if (selected && g.ShowSelection() && g.SelectionTextColor() != clNone && g.Enabled)
        look.Font.Color = g.SelectionTextColor();

    const TCellGraphic* graphic = g.GetCellGraphic(realCol, row);
    const GraphicLayout layout = graphic ? g.GetGraphicLayout(realCol, row) : GraphicLayout{};
    if (layout.DrawText)
        DrawText(painter, col, realCol, row, fixedLook ? rect.adjusted(0, 1, 0, 0) : rect, look, fixedLook,
                 layout.Width);

    if (fixedLook && !g.Flat() && (g.Look() == glXP || g.Look() == glZAD))
        DrawFixedEdges(painter, rect.adjusted(0, 0, 1, 1));

    if (graphic) {
        QtCanvas canvas(painter);
        const TCellType type = graphic->CellType;
        if (IsCheckKind(type)) {
            const QRect glyph = CheckGlyphRect(col, row, rect, look.HAlign);
            const bool enabled = g.ControlLook.NoDisabledCheckRadioLook() || g.ControlLook.CheckAlwaysActive ||
                                 (g.Enabled && g.IsEditable(realCol, row));
            painter.drawPixmap(glyph.topLeft(),
                               CheckPicture(g.ControlLook.CheckSize(), CheckShown(realCol, row, *graphic), enabled));
        } else if (type == ctXPProgress) {
            const int percent = LevelPercent(g.GetCellEx(realCol, row).toInt(), graphic->CellErrFrom,
                                             graphic->CellErrLen);
            const QRect r = rect.adjusted(g.ControlLook.ProgressMarginX(), g.ControlLook.ProgressMarginY(),
                                          -g.ControlLook.ProgressMarginX() - 1,
                                          -g.ControlLook.ProgressMarginY() - 1);
            canvas.FillRect(r, clWindow);
            canvas.FillRect(QRect(r.left(), r.top(), r.width() * percent / 100, r.height()), 0x00C000);
            canvas.FrameRect(r, g.ControlLook.ProgressBorderColor);
        } else if (type == ctProgress) {
            DrawProgressBar(canvas, rect.adjusted(2, 2, -2, -2), TColor(graphic->CellIndex), clGray,
                            graphic->CellText, graphic->CellErrLen, graphic->CellErrFrom,
                            g.ControlLook.ProgressMarginY(), g.ControlLook.ProgressMarginX(), graphic->CellValue,
                            clBlack, clWindow, clWhite, look.Brush.Color);
        } else if (type == ctProgressPie) {
            DrawProgressPie(canvas, QRect(rect.left() + 2, rect.top() + 2, 20, 20), clGreen,
                            int(graphic->CellValue), clWindow);
        }
    }

    // Sort indicator in the sort column's header; with an indexed sort the
    // numbered one in every sort index column.
    const TSortSettings& sort = g.SortSettings;
    if (sort.Show() && row == sort.Row() && g.FixedRows() > 0) {
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

void GridPainter::DrawText(QPainter& painter, int col, int realCol, int row, QRect rect, const CellLook& look,
                           bool fixedLook, int graphicWidth)
{
    TExStringGrid& g = grid_;
    QString text = g.GetFormattedCell(realCol, row);
    if (text.isEmpty())
        return;
    if (g.CellIsPassword(col, row))
        text = QString(text.size(), g.PasswordChar);
    if (fixedLook)
        rect.adjust(g.GridLineWidth(), g.GridLineWidth(), 0, 0);
    const QPoint off = g.XYOffset();
    rect.adjust(off.x(), off.y(), g.XYOffsetTopLeftOnly ? 0 : -off.x(), 0);
    if (graphicWidth > 0) {
        const TCellGraphic* graphic = g.GetCellGraphic(realCol, row);
        if (graphic && graphic->CellHAlign == haBeforeText)
            rect.setLeft(rect.left() + graphicWidth);
        else if (graphic && graphic->CellHAlign == haAfterText)
            rect.setRight(rect.right() - graphicWidth);
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
    painter.setFont(FontOf(look.Font));
    painter.setPen(ToQColor(look.Font.Color));
    DrawCellText(painter, rect, text, flags);
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

} // namespace grid
