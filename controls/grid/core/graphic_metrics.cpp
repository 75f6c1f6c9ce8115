#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/grid_html_measurer.h"

#include "controls/grid/core/text_routines.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

// Which graphic a cell has, the room it takes on screen and in print, and the
// room a cell's text takes.
namespace grid {

namespace {

QSize PictureSize(const TObject* object)
{
    if (const auto* p = dynamic_cast<const TSizedPicture*>(object))
        return {p->Width(), p->Height()};
    return {};
}

QStringList ShownLines(const QString& text, bool split)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    QStringList lines = t.split(u'\n');
    if (!split)
        lines = lines.mid(0, 1);
    return lines;
}

} // namespace

TCellGraphic* TExStringGrid::GetCellGraphic(int col, int row)
{
    if (col == 0 && MouseActions.HotmailRowSelect()) {
        TCellGraphic* g = sharedGraphic_.get();
        g->CellType = ctRowCheckBox;
        g->CellTransparent = ControlLook.ControlStyle() == csFlat;
        const int normalRows = RowCount() - FixedRows();
        if (row == 0) {
            const int selected = selectedRows_.Count();
            g->CellBoolean = selected >= normalRows;
            g->CellAngle = selected > 0 && selected < normalRows ? 1 : 0;
        } else {
            g->CellAngle = 0;
            g->CellBoolean = RowSelectFlag(RealRowIndex(row));
        }
        return g;
    }
    if (col < 0 || row < 0)
        return nullptr;
    return GetGraphicObjectEx(col, row);
}

TCellType TExStringGrid::GetCellType(int col, int row)
{
    if (col < 0 || row < 0)
        return ctEmpty;
    if (col == 0 && MouseActions.HotmailRowSelect())
        return ctRowCheckBox;
    const TCellGraphic* g = GetGraphicObjectEx(col, row);
    return g ? g->CellType : ctEmpty;
}

TIntList* TExStringGrid::GetCellImages(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    return g && g->CellType == ctImages ? dynamic_cast<TIntList*>(g->CellBitmap.Object()) : nullptr;
}

qintptr TExStringGrid::GetCellImageValue(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr)
        return -1;
    switch (g->CellType) {
    case ctBitmap:
        return reinterpret_cast<qintptr>(g->CellBitmap.Object());
    case ctIcon:
        return reinterpret_cast<qintptr>(g->CellIcon.Object());
    case ctImageList:
        return g->CellIndex;
    default:
        return -1;
    }
}

QPoint TExStringGrid::GetCellGraphicSize(int col, int row)
{
    QPoint size;
    CalcCellGraphicSize(col, row, size, 0);
    return size;
}

void TExStringGrid::CalcCellGraphicSize(int col, int row, QPoint& size, int pictureMargin)
{
    size = {0, 0};
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr)
        return;
    const int displCol = DisplColIndex(col);
    const QSize cell(displCol >= 0 && displCol < ColCount() ? ColWidths(displCol) : 0, RowHeights(row));
    const bool hasText = !GetCellEx(col, row).isEmpty();
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    const bool overUnder = g->CellVAlign == vaUnderText || g->CellVAlign == vaAboveText;
    const TCustomImageList* images = GetGridImages();
    const TFont font = GetCellFont(col, row);
    int w = 0;
    int h = 0;
    bool skipFullWidth = false;
    switch (g->CellType) {
    case ctBitmap: {
        const QSize p = PictureSize(g->CellBitmap.Object());
        w = beside || !hasText ? p.width() : 0;
        h = overUnder || !hasText ? p.height() : 0;
        break;
    }
    case ctIcon: {
        const QSize p = PictureSize(g->CellIcon.Object());
        w = beside || !hasText ? p.width() : 0;
        h = p.height();
        break;
    }
    case ctImageList:
    case ctDataImage:
        if (images) {
            w = beside || !hasText ? images->Width : 0;
            h = overUnder || !hasText ? images->Height : 0;
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const QPoint p = g->GetPictureSize(cell.width() - (GetTotalXOffset() + 1),
                                           cell.height() - (GetTotalYOffset() + pictureMargin + 1), hasText);
        w = p.x();
        h = p.y();
        break;
    }
    case ctButton:
    case ctBitButton: {
        const auto packed = static_cast<quint32>(g->CellIndex);
        w = static_cast<int>(packed & 0xFFFF);
        h = static_cast<int>(packed >> 16);
        const int captionWidth = TextMeasure().TextWidth(font, g->CellText) + 4;
        if (hasText) {
            if (g->CellHAlign == haCenter)
                w = 0;
            else if (g->CellHAlign == haFull)
                w = captionWidth;
            if (!overUnder)
                h = 0;
            else
                w = 0;
        } else if (g->CellHAlign == haFull) {
            w = TextMeasure().TextWidth(Font, g->CellText) + 4;
            skipFullWidth = !g->CellText.isEmpty();
        }
        break;
    }
    case ctInterface:
        if (const auto* i = dynamic_cast<const TCellInterface*>(g->CellBitmap.Object())) {
            const QSize e = i->GetExtent();
            w = e.width() == 0 || e.height() == 0 ? cell.width() : e.width();
            h = e.width() == 0 || e.height() == 0 ? cell.height() : e.height();
        }
        break;
    case ctProgressPie:
        w = h = 20;
        break;
    case ctRadioButton:
        w = h = ControlLook.RadioSize();
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        w = h = ControlLook.CheckSize();
        break;
    case ctRadio: {
        const auto* items = dynamic_cast<const TStringsObject*>(g->CellBitmap.Object());
        const QStringList lines = items ? items->Lines : QStringList();
        const int lineHeight = TextMeasure().TextHeight(font);
        if (g->CellBoolean) {
            for (const QString& item : lines)
                w += TextMeasure().TextWidth(font, item) + 12;
            h = lineHeight;
        } else {
            int widest = 0;
            for (const QString& item : lines)
                widest = std::max(widest, TextMeasure().TextWidth(font, item));
            w = std::max(12, widest + 12);
            h = std::max(16, lineHeight) * static_cast<int>(lines.size());
        }
        break;
    }
    case ctRating:
        w = g->CellAngle * 18;
        h = 16;
        skipFullWidth = true;
        break;
    case ctImages:
        if (images) {
            const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap.Object());
            const int count = list ? list->Count() : 0;
            w = g->CellBoolean ? count * images->Width : images->Width;
            h = g->CellBoolean ? images->Height : count * images->Height;
        }
        break;
    default:
        break;
    }
    if (g->CellVAlign == vaFull)
        h = cell.height();
    if (g->CellHAlign == haFull && !skipFullWidth)
        w = cell.width();
    size = {w, h};
}

QPoint TExStringGrid::CalcPrintGraphicSize(int col, int row, double scale, int cellWidth, int cellHeight)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr)
        return {};
    const TCustomImageList* images = GetGridImages();
    const bool hasText = !GetCellEx(col, row).isEmpty();
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    switch (g->CellType) {
    case ctBitmap: {
        const QSize p = PictureSize(g->CellBitmap.Object());
        return {p.width(), p.height()};
    }
    case ctIcon: {
        const QSize p = PictureSize(g->CellIcon.Object());
        return {p.width(), p.height()};
    }
    case ctImageList:
        return images ? QPoint(beside || !hasText ? images->Width : 0, images->Height) : QPoint();
    case ctDataImage:
        return images ? QPoint(images->Width, images->Height) : QPoint();
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        return {ControlLook.CheckSize(), ControlLook.CheckSize()};
    case ctRadioButton:
        return {ControlLook.RadioSize(), ControlLook.RadioSize()};
    case ctNode:
    case ctProgressPie:
        return {20, 20};
    case ctRadio:
    case ctImages:
        return GetCellGraphicSize(col, row);
    case ctPicture:
    case ctFilePicture: {
        const QPoint p = g->GetPictureSize(cellWidth, cellHeight, hasText);
        if (scale <= 0)
            return p;
        return {static_cast<int>(std::nearbyint(p.x() / scale)), static_cast<int>(std::nearbyint(p.y() / scale))};
    }
    case ctProgress:
    case ctXPProgress: {
        const int d = DisplColIndex(col);
        return {d >= 0 && d < ColCount() ? ColWidths(d) : 0, RowHeights(row)};
    }
    case ctButton:
    case ctBitButton: {
        const auto packed = static_cast<quint32>(g->CellIndex);
        return {static_cast<int>(packed & 0xFFFF), static_cast<int>(packed >> 16)};
    }
    case ctInterface:
        if (const auto* i = dynamic_cast<const TCellInterface*>(g->CellBitmap.Object())) {
            const QSize e = i->GetExtent();
            return {e.width() == 0 ? cellWidth : e.width(), e.height() == 0 ? cellHeight : e.height()};
        }
        return {};
    case ctShape: {
        const int side = RowHeights(row) - 2 * xyOffset_.y();
        return {side, side};
    }
    default:
        return {};
    }
}

bool TExStringGrid::IsSortIndicatorRow(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    const int bottom = b.Y + std::max(0, CellSpan(b.X, b.Y).y());
    return bottom == SortSettings.Row() && SortSettings.Show() && FixedRows() + 1 < RowCount();
}

namespace {

constexpr int kUnboundedHtml = 1 << 20;

} // namespace

QSize GridHtmlMeasurer::TextExtent(const html::HtmlFont& f, QStringView text)
{
    const TFont font = ToGridFont(f);
    return {m_.TextWidth(font, text.toString()), m_.TextHeight(font)};
}

TFont GridHtmlMeasurer::ToGridFont(const html::HtmlFont& f)
{
    TFont font;
    font.Name = f.Name;
    font.Size = f.Size;
    unsigned style = 0;
    style |= f.Bold ? unsigned(fsBold) : 0u;
    style |= f.Italic ? unsigned(fsItalic) : 0u;
    style |= f.Underline ? unsigned(fsUnderline) : 0u;
    style |= f.StrikeOut ? unsigned(fsStrikeOut) : 0u;
    font.Style = style;
    font.Color = f.Color;
    return font;
}

QSize MeasureHtmlText(const TextMeasurer& m, const TFont& font, const QString& text, int width)
{
    html::HtmlLayoutInput in;
    in.Text = text;
    in.Rect = QRect(0, 0, width, kUnboundedHtml);
    in.Font.Name = font.Name;
    in.Font.Size = font.Size;
    in.Font.Bold = font.Style & fsBold;
    in.Font.Italic = font.Style & fsItalic;
    in.Font.Underline = font.Style & fsUnderline;
    in.Font.StrikeOut = font.Style & fsStrikeOut;
    in.Font.Color = font.Color;
    in.MeasureOnly = true;
    GridHtmlMeasurer measurer(m);
    const html::HtmlLayout layout = html::LayoutHtmlText(in, measurer, nullptr);
    return {layout.ExtentX, layout.ExtentY};
}

QSize TExStringGrid::GetCellTextSize(int col, int row, bool vs, bool sb)
{
    QString text = GetFormattedCell(col, row);
    if (text.startsWith(u'='))
        GetCalcCellText(col, row, text);
    const int displCol = DisplColIndex(col);
    TGridDrawState state;
    TBrush brush;
    TFont font = GetFontProperties(displCol, col, row, state, brush, true);
    if (activeCellShow_ && (ActiveCellFont.Style & fsBold) && IsFixed(displCol, row))
        font.Style |= fsBold;
    font.Size += ZoomFactor;
    const int kind = GetTextKind(text, EnableHTML);
    if (kind == 5)
        text = DecodeWideText(text);
    if (kind != 1 && URLShow() && !URLFull() && IsUrlText(text))
        StripUrlPrefix(text);
    const TextMeasurer& m = TextMeasure();
    QSize result;
    if (kind == 1) {
        // Mini-HTML is laid out as drawn, in a rectangle unbounded but in
        // width with vs.
        int width = kUnboundedHtml;
        if (vs)
            width = (displCol >= 0 && displCol < ColCount() ? ColWidths(displCol) : DefaultColWidth()) -
                    GetTotalXOffset() - (sb ? 17 : 0);
        result = MeasureHtmlText(m, font, text, std::max(1, width)) + QSize(2, 2);
    } else if (vs) {
        int width = (displCol >= 0 && displCol < ColCount() ? ColWidths(displCol) : DefaultColWidth()) -
                    GetTotalXOffset() - (sb ? 17 : 0) - 4;
        int rotation = 0;
        const bool rotated = IsRotated(col, row, rotation);
        result = m.TextRect(font, text, std::max(1, width), !rotated);
    } else {
        const QStringList lines = ShownLines(text, FMultilineCells || WordWrap());
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, m.TextWidth(font, line));
        result = {widest, static_cast<int>(lines.size()) * m.TextHeight(font)};
    }
    int angle = 0;
    if (IsRotated(col, row, angle)) {
        const double a = qDegreesToRadians(double(angle));
        const double w = result.width();
        const double h = result.height();
        result = QSize(static_cast<int>(std::lround(std::fabs(h * std::sin(a) - w * std::cos(a)))) + 12,
                       static_cast<int>(std::lround(std::fabs(h * std::cos(a) - w * std::sin(a)))) + 12);
    }
    return result;
}

int TExStringGrid::MaxLinesInRow(int row)
{
    if (!FMultilineCells || ColCount() == 0)
        return 1;
    int most = 1;
    for (int c = 0; c < ColCount(); ++c)
        most = std::max(most, CountLines(GetCellEx(RealColIndex(c), row), true));
    return most;
}

} // namespace grid
