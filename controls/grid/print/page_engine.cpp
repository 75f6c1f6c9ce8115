#include "controls/grid/print/page_engine.h"

#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/print/cell_drawing.h"
#include "controls/grid/print/cell_placement.h"
#include "controls/grid/print/rotated_text.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace grid::print {

namespace {

bool IsTop(TPrintPosition p) { return p >= ppTopLeft && p <= ppTopCenter; }
bool IsBottom(TPrintPosition p) { return p >= ppBottomLeft && p <= ppBottomCenter; }
bool IsLeftSlot(int slot) { return slot == ppTopLeft || slot == ppBottomLeft; }

// The frame a page gets per border setting: closed rectangle, bottom line,
// lines between repeated fixed columns.
struct FrameRule
{
    bool Around;
    bool BottomLine;
    bool FixedLines;
};
constexpr FrameRule kFrameRules[] = {
    {false, false, false},  // pbNoborder
    {false, false, false},  // pbSingle
    {false, true, true},    // pbDouble
    {false, false, true},   // pbVertical
    {false, true, false},   // pbHorizontal
    {true, false, false},   // pbAround
    {true, false, true},    // pbAroundVertical
    {true, true, false},    // pbAroundHorizontal
    {false, false, false},  // pbCustom
};

// The borders each printed cell starts with per border setting.
constexpr TCellBorders kCellBorders[] = {
    {},                                  // pbNoborder
    {cbTop, cbLeft, cbRight, cbBottom},  // pbSingle
    {cbTop, cbLeft, cbRight, cbBottom},  // pbDouble
    {cbLeft, cbRight},                   // pbVertical
    {cbTop, cbBottom},                   // pbHorizontal
    {},                                  // pbAround
    {cbLeft, cbRight},                   // pbAroundVertical
    {cbTop, cbBottom},                   // pbAroundHorizontal
    {},                                  // pbCustom
};

template <typename T, std::size_t N>
const T& Rule(const T (&table)[N], int index)
{
    return table[index >= 0 && std::size_t(index) < N ? index : 0];
}

// A date format of the settings ("dd/mm/yyyy", "nn" for minutes) as a Qt format.
QString QtDateFormat(const QString& format)
{
    QString out;
    bool quoted = false;
    for (QChar ch : format) {
        if (ch == u'\'' || ch == u'"') {
            quoted = !quoted;
            out += u'\'';
            continue;
        }
        if (!quoted && (ch == u'm' || ch == u'M'))
            out += u'M';
        else if (!quoted && (ch == u'n' || ch == u'N'))
            out += u'm';
        else
            out += ch;
    }
    return out;
}

QStringList CellLines(const QString& text, bool multiline)
{
    QStringList lines;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (!multiline)
            return lines;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

int RoundHalfEven(double v) { return int(std::nearbyint(v)); }

// A file picture as its file holds it now; none when the file cannot be read.
QImage PrintedFilePicture(const TCellGraphic& g)
{
    const auto* file = dynamic_cast<const TFilePicture*>(g.CellBitmap.Object());
    return file ? file->Load() : QImage();
}

// The picture a cell graphic prints, for the kinds printed as pictures.
const TImagePicture* PrintedPicture(const TCellGraphic& g)
{
    constexpr TCellType kPictureKinds[] = {ctBitmap, ctPicture, ctIcon};
    for (TCellType kind : kPictureKinds)
        if (g.CellType == kind)
            return dynamic_cast<const TImagePicture*>(kind == ctIcon ? g.CellIcon.Object() : g.CellBitmap.Object());
    return nullptr;
}

} // namespace

int& TGridPageEngine::MaxWidth(int c)
{
    if (c < 0)
        c = 0;
    if (std::size_t(c) >= MaxWidths.size())
        MaxWidths.resize(std::size_t(c) + 2, 0);
    return MaxWidths[std::size_t(c)];
}

int& TGridPageEngine::Indent(int c)
{
    if (c < 0)
        c = 0;
    if (std::size_t(c) >= Indents.size())
        Indents.resize(std::size_t(c) + 2, 0);
    return Indents[std::size_t(c)];
}

bool TGridPageEngine::Drawing() const
{
    return (pass_ == PassPreview || pass_ == PassPrint) && PageInRange(P_ + 1);
}

int TGridPageEngine::MapFontHeight(int pointSize) const
{
    return -int(std::trunc(pointSize * 254.0 / 72.0 * Fontscalefactor));
}

PageFont TGridPageEngine::CanvasFont(const TFont& font) const
{
    PageFont f;
    f.Font = font;
    f.Height = std::abs(MapFontHeight(font.Size));
    return f;
}

bool TGridPageEngine::RowPrinted(int row)
{
    if (!selectedOnly_)
        return true;
    if (row < grid_.FixedRows() && grid_.PrintSettings.FixedCellsAlways)
        return true;
    if (grid_.MouseActions.DisjunctRowSelect())
        return grid_.RowSelect(grid_.MouseActions.RowSelectPersistent ? grid_.RealRowIndex(row) : row);
    const TGridRect s = grid_.Selection();
    return row >= s.Top && row <= s.Bottom;
}

bool TGridPageEngine::ColPrinted(int col)
{
    if (!selectedOnly_ || grid_.MouseActions.DisjunctRowSelect())
        return true;
    if (col < grid_.FixedCols() && grid_.PrintSettings.FixedCellsAlways)
        return true;
    if (grid_.MouseActions.DisjunctColSelect())
        return grid_.ColSelect(col);
    const TGridRect s = grid_.Selection();
    return col >= s.Left && col <= s.Right;
}

// ---- Cell measurement ----

void TGridPageEngine::CalcPrintColumnWidths()
{
    const TPrintSettings& ps = grid_.PrintSettings;
    MaxWidths.assign(std::size_t(qMax(FPrintRect.Right, grid_.FixedCols()) + 2), 0);
    if (ps.NoAutoSize) {
        for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c)
            if (ColPrinted(c))
                MaxWidth(c) = RoundHalfEven(grid_.ColWidths(c) * PixelFactor());
        return;
    }
    auto measureRow = [&](int row) {
        for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c) {
            if (!ColPrinted(c))
                continue;
            const int real = grid_.RealColIndex(c);
            if (grid_.IsXMergedCell(real, row))
                continue;
            const int w = ps.UseFixedWidth ? ps.FixedWidth : MeasurePrintCell(c, row).width();
            MaxWidth(c) = qMax(MaxWidth(c), w);
        }
    };
    if (ps.RepeatFixedRows)
        for (int row = 0; row < qMin(grid_.FixedRows(), FPrintRect.Top); ++row)
            measureRow(row);
    const int last = qMin(FPrintRect.Bottom, measureTo_);
    for (int row = FPrintRect.Top; row <= last; ++row)
        measureRow(row);
}

QSize TGridPageEngine::MeasurePrintCell(int col, int row)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    const int real = grid_.RealColIndex(col);
    QString text = grid_.HasDataGraphic(real, row) ? QString() : grid_.GetFormattedCell(real, row);
    const int kind = GetTextKind(text, grid_.EnableHTML);
    const PageFont saved = canvas_->Font();
    if (kind == 1) {
        PageFont f = CanvasFont(saved.Font);
        f.Font.Size = ps.Font.Size;
        f.Height = std::abs(MapFontHeight(ps.Font.Size));
        const int box = ps.NoAutoSize ? RoundHalfEven((grid_.ColWidths(col) + 12) * PixelFactor()) : 65535;
        const QSize s = canvas_->HtmlExtent(text, f, box);
        return CustomCellSize(real, row, {s.width(), s.height() - spacing_});
    }
    if (kind == 3)
        grid_.GetCalcCellText(real, row, text);
    const CellLook look = grid_.GetVisualProperties(real, row, {}, true, false, false);
    bool wrap = grid_.WordWrap();
    grid_.GetCellWordWrap(real, row, wrap);
    PageFont f = CanvasFont(look.Font);
    int angle = 0;
    const bool rotated = grid_.IsRotated(real, row, angle);
    if (rotated)
        f.Angle = angle;
    canvas_->SetFont(f);

    QSize graphic(0, 0);
    if (ps.PrintGraphics) {
        const QPoint g = grid_.GetCellGraphicSize(real, row);
        graphic = QSize(RoundHalfEven(g.x() * PixelFactor()), RoundHalfEven(g.y() * PixelFactor()));
    }
    if (text.isEmpty())
        text = QStringLiteral("gh");
    int width = 0;
    int height = 0;
    int widest = 0;
    if (!wrap || !ps.NoAutoSize || rotated) {
        QStringList lines = CellLines(text, grid_.FMultilineCells);
        for (QString& line : lines) {
            if (grid_.URLShow() && !grid_.URLFull())
                StripUrlPrefix(line);
            widest = qMax(widest, canvas_->TextWidth(line));
        }
        width = widest + graphic.width();
        height = canvas_->TextHeight(QStringLiteral("gh")) * int(lines.size());
    } else {
        width = grid_.IsXMergedCell(real, row) ? 65535 : MaxWidth(col);
        height = std::abs(canvas_->WrappedHeight(text, width));
    }
    if (rotated) {
        const double a = angle * M_PI / 180.0;
        const int w2 = std::abs(RoundHalfEven(std::cos(a) * width)) + std::abs(RoundHalfEven(std::sin(a) * height));
        const int h2 = std::abs(RoundHalfEven(std::sin(a) * widest)) + std::abs(RoundHalfEven(std::cos(a) * height));
        width = w2;
        height = h2;
    }
    height = qMax(height, graphic.height());
    width = qMax(width, graphic.width());
    canvas_->SetFont(saved);
    return CustomCellSize(real, row, {width, height});
}

QSize TGridPageEngine::CustomCellSize(int realCol, int row, QSize extent)
{
    if (OnCustomCellSize)
        OnCustomCellSize(*canvas_, realCol, row, extent, true);
    return extent;
}

int TGridPageEngine::GetPrintRowHeight(int row)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    if (row == cachedRow_)
        return cachedHeight_;
    if (ps.NoAutoSizeRow)
        return RoundHalfEven(grid_.RowHeights(row) * PixelFactor()) - 4;
    int h = 0;
    if (ps.UseFixedHeight) {
        h = ps.FixedHeight;
    } else {
        const double keep = Fontscalefactor;
        Fontscalefactor = ratio_;
        for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c) {
            const int real = grid_.RealColIndex(c);
            if (grid_.IsYMergedCell(real, row))
                continue;
            h = qMax(h, MeasurePrintCell(c, row).height());
        }
        Fontscalefactor = keep;
        if (h == 0)
            h = lastMeasured_;
        lastMeasured_ = h;
        h += h / 8;
        if (OnPrintSetRowHeight)
            OnPrintSetRowHeight(row, h);
    }
    cachedRow_ = row;
    cachedHeight_ = h;
    return h;
}

// ---- Row painting ----

int TGridPageEngine::PrintRowCells(int y, int colFrom, int colTo, int row)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    const int h = GetPrintRowHeight(row);
    Fontscalefactor = ratio_;
    const int advance = h + 2 * spacing_ + ps.RowSpacing;
    if (!Drawing()) {
        Fontscalefactor = 1.0;
        return advance;
    }
    const int rightLimit = Indent(bandEnd_ + 1);
    for (int i = colFrom; i <= colTo; ++i) {
        if (!ColPrinted(i))
            continue;
        const int c = grid_.RealColIndex(i);
        const QPoint ext = grid_.CellExt(c, row);
        int wc = 0;
        for (int k = i; k <= i + qMax(0, ext.x()); ++k)
            wc += MaxWidth(k) + colGap_;
        auto screenRow = [&](int r) {
            const int t = int(std::trunc((grid_.RowHeights(r) - 4) * PixelFactor()));
            return t + t / 8 + 2 * spacing_ + ps.RowSpacing;
        };
        int hc = advance;
        if (ps.NoAutoSizeRow && ext.y() > 0) {
            hc = 0;
            for (int r = row; r <= row + ext.y(); ++r)
                hc += screenRow(r);
        } else if (!ps.NoAutoSizeRow) {
            for (int r = row + 1; r <= row + qMax(0, ext.y()); ++r)
                hc += screenRow(r);
        }
        PageRect rect{Indent(i), y, Indent(i) + wc, y - hc};

        TCellBorders borders = Rule(kCellBorders, ps.Borders);
        TPen pen;
        pen.Width = 1;
        pen.Color = ps.BorderColor;
        grid_.GetCellPrintBorder(c, row, pen, borders);
        const int penW = pass_ == PassPrint ? RoundHalfEven(pen.Width * PixelFactor()) : pen.Width;

        if (grid_.IsBaseCell(c, row)) {
            const PageFont savedFont = canvas_->Font();
            const CellLook look = grid_.GetVisualProperties(c, row, {}, true, false, false);
            PageFont f = CanvasFont(look.Font);
            bool wrap = grid_.WordWrap();
            grid_.GetCellWordWrap(c, row, wrap);
            QString text = grid_.HasDataGraphic(c, row) ? QString() : grid_.GetFormattedCell(c, row);
            const int kind = GetTextKind(text, grid_.EnableHTML);
            if (kind == 3)
                grid_.GetCalcCellText(c, row, text);

            PageRect fill = rect;
            if (!borders.Contains(cbLeft))
                fill.Left += 2 * penW;
            if (!borders.Contains(cbTop))
                fill.Top -= 2 * penW;
            if (look.Brush.Style != bsClear) {
                if (look.ColorTo == clNone)
                    canvas_->FillRect(fill, look.Brush.Color);
                else
                    canvas_->Gradient(fill, look.Brush.Color, look.ColorTo, 64);
            }

            TAlignment ha = look.HAlign;
            TVAlignment va = look.VAlign;
            grid_.GetCellTextAlignment(c, row, ha, va);
            int angle = 0;
            const bool rotated = grid_.IsRotated(c, row, angle);
            if (rotated)
                f.Angle = angle;
            canvas_->SetFont(f);
            int lh = canvas_->TextHeight(QStringLiteral("gh")) + ps.RowSpacing;
            lh += lh / 8;
            TCellGraphic* graphic = ps.PrintGraphics ? grid_.GetCellGraphic(c, row) : nullptr;
            if (graphic && graphic->CellType == ctRadio)
                text.clear(); // the group prints its own captions
            QStringList lines = CellLines(text, grid_.FMultilineCells);
            int widest = 0;
            for (const QString& line : lines)
                widest = qMax(widest, canvas_->TextWidth(line));

            // Graphic room: check boxes (the graphic kind printed here).
            PageRect textRect = rect;
            if (graphic && IsCheckBoxType(graphic->CellType)) {
                const QPoint gs = grid_.GetCellGraphicPrintSize(c, row, PixelFactor(), wc, hc);
                const int gw = RoundHalfEven(gs.x() * PixelFactor());
                const int gh = RoundHalfEven(gs.y() * PixelFactor());
                const PageRect box = PlaceCheckBox(rect, gw, gh, text.isEmpty(), ha, graphic->CellHAlign,
                                                   graphic->CellVAlign, RoundHalfEven(PixelFactor()));
                if (!text.isEmpty() && graphic->CellHAlign != haRight && graphic->CellHAlign != haAfterText)
                    textRect.Left = box.Right;
                else if (!text.isEmpty())
                    textRect.Right = box.Left;
                bool checked = false;
                grid_.GetCheckBoxState(c, row, checked);
                canvas_->CheckBox(box, checked);
            }

            // The graphic's box by its alignment; the text keeps out of it.
            auto placeGraphic = [&](int gw, int gh) {
                const PageRect box = PlaceCheckBox(rect, gw, gh, false, ha, graphic->CellHAlign, graphic->CellVAlign,
                                                   RoundHalfEven(PixelFactor()));
                if (graphic->CellHAlign == haLeft || graphic->CellHAlign == haBeforeText)
                    textRect.Left = box.Right;
                else if (graphic->CellHAlign == haRight || graphic->CellHAlign == haAfterText)
                    textRect.Right = box.Left;
                return box;
            };
            QImage pictureImage;
            if (const TImagePicture* picture = graphic ? PrintedPicture(*graphic) : nullptr)
                pictureImage = picture->Image;
            else if (graphic && graphic->CellType == ctFilePicture)
                pictureImage = PrintedFilePicture(*graphic);
            else if (graphic && (graphic->CellType == ctImageList || graphic->CellType == ctDataImage) &&
                     grid_.GetGridImages())
                pictureImage = grid_.GetGridImages()->Picture(graphic->CellType == ctDataImage ? grid_.Ints(c, row)
                                                                                               : graphic->CellIndex);
            if (!pictureImage.isNull()) {
                QPoint gs = grid_.GetCellGraphicPrintSize(c, row, PixelFactor(), wc, hc);
                // A list entry beside text takes no room but prints at the list's size.
                if (const TCustomImageList* list = grid_.GetGridImages(); list && !PrintedPicture(*graphic) &&
                                                                         graphic->CellType != ctFilePicture &&
                                                                         (gs.x() == 0 || gs.y() == 0))
                    gs = QPoint(list->Width, list->Height);
                const PageRect box =
                    placeGraphic(RoundHalfEven(gs.x() * PixelFactor()), RoundHalfEven(gs.y() * PixelFactor()));
                canvas_->SetClip(rect);
                canvas_->Image(box, pictureImage);
                canvas_->ClearClip();
            } else if (graphic && graphic->CellType == ctImages) {
                PrintImages(*graphic, c, row, placeGraphic);
            } else if (graphic && graphic->CellType == ctProgressPie) {
                const int side = RoundHalfEven(20 * PixelFactor());
                PrintPie(*graphic, placeGraphic(side, side), look.Brush.Color);
            } else if (graphic && graphic->CellType == ctInterface) {
                PrintInterfaced(*graphic, rect, placeGraphic);
            } else if (graphic && graphic->CellType == ctRadio) {
                PrintRadioGroup(*graphic, c, row, rect, look.Font.Color);
            }

            const TColor color = look.Font.Color;
            const TextH th = ha == taRightJustify ? TextH::Right : ha == taCenter ? TextH::Center : TextH::Left;
            const TextV tv = va == vtaBottom ? TextV::Bottom : va == vtaCenter ? TextV::Center : TextV::Top;
            if (textRect.Right > W_ && textRect.Right > rightLimit)
                textRect.Right = rightLimit;
            if (text.isEmpty()) {
                // nothing to write
            } else if (kind == 1) {
                PageRect box = textRect;
                box.Right -= halfG_ + RoundHalfEven(2 * PixelFactor());
                canvas_->Html(box, text, f);
            } else if (rotated) {
                const double a = angle * M_PI / 180.0;
                const int ea = std::abs(int(std::trunc(std::cos(a) * widest)));
                const int eb = std::abs(int(std::trunc(std::sin(a) * lh)));
                const int ec = std::abs(int(std::trunc(std::sin(a) * widest)));
                const int ed = std::abs(int(std::trunc(std::cos(a) * lh)));
                const int hi = ha == taRightJustify ? 1 : ha == taCenter ? 2 : 0;
                const int vi = va == vtaBottom ? 2 : va == vtaCenter ? 1 : 0;
                const RotatedBox at = CalcRotatedTextRect({textRect.Left, textRect.Top, textRect.Right,
                                                           textRect.Bottom},
                                                          hi, vi, angle, ea, eb, -ec, -ed);
                canvas_->SetClip(rect);
                canvas_->RotatedText(at.Left, at.Top, lines.join(u' '), color);
                canvas_->ClearClip();
            } else if (wrap && ps.NoAutoSize) {
                PageRect box = textRect;
                box.Left += RoundHalfEven(2 * PixelFactor());
                if (th != TextH::Right)
                    box.Left += halfG_;
                if (th != TextH::Left)
                    box.Right -= halfG_;
                canvas_->TextBox(box, text, th, TextV::Top, true, color);
            } else if (lines.size() == 1) {
                QString line = lines.first();
                if (grid_.URLShow() && !grid_.URLFull())
                    StripUrlPrefix(line);
                PageRect box = textRect;
                box.Bottom = ext.y() > 0 ? rect.Bottom : textRect.Top - advance - ps.RowSpacing;
                if (th != TextH::Right)
                    box.Left += halfG_;
                if (th != TextH::Left)
                    box.Right -= halfG_;
                box.Top -= spacing_;
                canvas_->TextBox(box, line, th, tv, false, color);
            } else {
                const int step = lh - ps.RowSpacing;
                const int block = step * int(lines.size());
                int v = 0;
                if (ext.y() == 0 && tv == TextV::Center)
                    v = (advance - block) / 2;
                else if (ext.y() == 0 && tv == TextV::Bottom)
                    v = advance - block;
                int top = textRect.Top - spacing_;
                canvas_->SetClip(rect);
                for (const QString& line : lines) {
                    const int w = canvas_->TextWidth(line);
                    const int x = th == TextH::Right    ? textRect.Right - halfG_ - w
                                  : th == TextH::Center ? textRect.Left + (textRect.Width() - w) / 2
                                                        : textRect.Left + halfG_;
                    canvas_->TextAt(x, top - v, line, color);
                    top -= step;
                }
                canvas_->ClearClip();
            }
            if (graphic && (graphic->CellType == ctProgress || graphic->CellType == ctNode))
                PrintGraphicShape(*graphic, c, row, rect, textRect);
            canvas_->SetFont(savedFont);
            if (OnCustomCellDraw) {
                // The cell one advance high, in device pixels, as on a screen.
                TFont font = savedFont.Font;
                font.Size = ps.Font.Size;
                canvas_->DeviceDraw({rect.Left, y, rect.Right, y - advance}, font,
                                    [&](QPainter& painter, const QRect& area) {
                                        OnCustomCellDraw(painter, c, row, {}, area, true);
                                    });
            }
        }

        // Borders; covered cells of a merged range lose their inner lines.
        if (!grid_.IsBaseCell(c, row)) {
            if (ext.x() > 0) {
                borders.Exclude(cbLeft);
                borders.Exclude(cbRight);
            }
            if (ext.y() > 0) {
                borders.Exclude(cbTop);
                borders.Exclude(cbBottom);
            }
            if (grid_.IsYMergedCell(c, row) && ext.y() == 0)
                borders.Exclude(cbTop);
            if (grid_.IsXMergedCell(c, row) && ext.x() == 0)
                borders.Exclude(cbLeft);
        }
        PageRect b = rect;
        if (b.Bottom < B_ + ps.FooterSize) {
            b.Bottom = y - advance;
            borders.Exclude(cbBottom);
        }
        if (b.Right > W_)
            b.Right = qMin(b.Right, rightLimit);
        const int left = colFrom < i ? b.Left - penW : b.Left;
        if (borders.Contains(cbLeft))
            canvas_->Line(left, b.Top, left, b.Bottom, pen.Color, penW, ps.BorderStyle);
        if (borders.Contains(cbRight))
            canvas_->Line(b.Right, b.Top, b.Right, b.Bottom, pen.Color, penW, ps.BorderStyle);
        if (borders.Contains(cbTop))
            canvas_->Line(left, b.Top, b.Right, b.Top, pen.Color, penW, ps.BorderStyle);
        if (borders.Contains(cbBottom))
            canvas_->Line(left, b.Bottom, b.Right, b.Bottom, pen.Color, penW, ps.BorderStyle);
    }
    Fontscalefactor = 1.0;
    return advance;
}

void TGridPageEngine::PrintImages(const TCellGraphic& graphic, int col, int row,
                                  const std::function<PageRect(int, int)>& place)
{
    const TCustomImageList* list = grid_.GetGridImages();
    const TIntList* indexes = grid_.GetCellImages(col, row);
    if (!list || !indexes || indexes->Count() == 0)
        return;
    // Side by side when the graphic's flag is set, else stacked.
    const int w = RoundHalfEven(list->Width * PixelFactor());
    const int h = RoundHalfEven(list->Height * PixelFactor());
    const int n = indexes->Count();
    const PageRect box = graphic.CellBoolean ? place(w * n, h) : place(w, h * n);
    for (int i = 0; i < n; ++i) {
        const QImage image = list->Picture((*indexes)[i]);
        if (image.isNull())
            continue;
        const int x = box.Left + (graphic.CellBoolean ? i * w : 0);
        const int y = box.Top - (graphic.CellBoolean ? 0 : i * h);
        canvas_->Image({x, y, x + w, y - h}, image);
    }
}

void TGridPageEngine::PrintPie(const TCellGraphic& graphic, const PageRect& box, TColor background)
{
    // As the screen's gauge: a grey ring, the share in the graphic's colour
    // from 12 o'clock, a stroke from the top to the centre.
    const TColor color = graphic.CellBitmap.HasColor() ? graphic.CellBitmap.Color() : clGreen;
    canvas_->Ellipse(box, background, clGray);
    if (graphic.CellAngle != 0)
        canvas_->Pie(box, std::clamp(graphic.CellAngle, 0, 100) * 360 / 100, color, clGray);
    const int cx = box.Left + box.Width() / 2;
    canvas_->Line(cx, box.Top, cx, box.Top - box.Height() / 2, clGray, 2, psSolid);
}

void TGridPageEngine::PrintInterfaced(const TCellGraphic& graphic, const PageRect& cell,
                                      const std::function<PageRect(int, int)>& place)
{
    TObject* object = graphic.CellBitmap.Object();
    const auto* drawing = dynamic_cast<const CellDrawing*>(object);
    if (!drawing)
        return;
    // Its own room, or the cell's when it reports none.
    const auto* sized = dynamic_cast<const TCellInterface*>(object);
    const QSize extent = sized ? sized->GetExtent() : QSize();
    const bool own = extent.width() > 0 && extent.height() > 0;
    const PageRect box = own ? place(RoundHalfEven(extent.width() * PixelFactor()),
                                     RoundHalfEven(extent.height() * PixelFactor()))
                             : cell;
    const QSize pixels = own ? extent
                             : QSize(RoundHalfEven(cell.Width() / PixelFactor()),
                                     RoundHalfEven(cell.Height() / PixelFactor()));
    // A picture of at most 4096 x 4096 pixels, whatever the object claims.
    const QSize bounded = pixels.boundedTo(QSize(4096, 4096)).expandedTo(QSize(1, 1));
    QImage image(bounded, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        drawing->Draw(painter, QRect(QPoint(0, 0), bounded));
    }
    canvas_->SetClip(cell);
    canvas_->Image(box, image);
    canvas_->ClearClip();
}

void TGridPageEngine::PrintRadioGroup(const TCellGraphic& graphic, int col, int row, const PageRect& cell,
                                      TColor color)
{
    const TStringsObject* items = grid_.GetRadioStrings(col, row);
    if (!items)
        return;
    const int glyph = RoundHalfEven(grid_.ControlLook.RadioSize() * PixelFactor());
    const int textHeight = canvas_->TextHeight(QStringLiteral("gh"));
    const QString cellText = grid_.Cells(col, row);
    canvas_->SetClip(cell);
    int captionsBefore = 0;
    for (int i = 0; i < int(items->Lines.size()); ++i) {
        const QString& caption = items->Lines[i];
        const RadioPlace at =
            PlaceRadioItem(cell, i, textHeight, glyph, graphic.CellBoolean, captionsBefore, PixelFactor());
        canvas_->RadioButton(at.Glyph, i == graphic.CellIndex || (graphic.CellIndex == -1 && caption == cellText));
        if (!caption.isEmpty()) {
            canvas_->TextAt(at.CaptionX, at.CaptionY, caption, color);
            captionsBefore += canvas_->TextWidth(caption);
        }
    }
    canvas_->ClearClip();
}

void TGridPageEngine::PrintGraphicShape(const TCellGraphic& graphic, int col, int row, const PageRect& cell,
                                        const PageRect& textRect)
{
    const int onePx = RoundHalfEven(PixelFactor());
    if (graphic.CellType == ctNode) {
        // A 20 x 20 square in the node colour with a minus, or a plus when open.
        const TColor color = grid_.CellNode.NodeColor;
        const int x = cell.Left + (cell.Width() - 20) / 2;
        const int y = cell.Top - (cell.Height() - 20) / 2;
        const PageRect box{x, y, x + 20, y - 20};
        canvas_->Line(box.Left, box.Top, box.Right, box.Top, color, 2, psSolid);
        canvas_->Line(box.Right, box.Top, box.Right, box.Bottom, color, 2, psSolid);
        canvas_->Line(box.Right, box.Bottom, box.Left, box.Bottom, color, 2, psSolid);
        canvas_->Line(box.Left, box.Bottom, box.Left, box.Top, color, 2, psSolid);
        canvas_->Line(x + 4, y - 10, x + 16, y - 10, color, 2, psSolid);
        if (graphic.CellBoolean)
            canvas_->Line(x + 10, y - 4, x + 10, y - 16, color, 2, psSolid);
        return;
    }
    // Progress: the bar from the minimum to the maximum with the percentage.
    const PageRect bar{cell.Left + onePx, cell.Top - RoundHalfEven(2 * PixelFactor()), textRect.Right - onePx,
                       cell.Bottom + RoundHalfEven(4 * PixelFactor())};
    if (bar.Width() <= 0 || bar.Height() <= 0)
        return;
    const int lo = graphic.CellErrFrom;
    const int hi = graphic.CellErrLen;
    const int value = std::clamp(grid_.Ints(col, row), lo, qMax(lo, hi));
    const double part = hi > lo ? double(value - lo) / double(hi - lo) : 0.0;
    const int split = bar.Left + int(std::lround(bar.Width() * part));
    const TColor fg = graphic.CellBitmap.Color();
    const TColor bk = graphic.CellIcon.Color();
    canvas_->FillRect(bar, bk);
    if (split > bar.Left)
        canvas_->FillRect({bar.Left, bar.Top, split, bar.Bottom}, fg);
    canvas_->Line(bar.Left, bar.Top, bar.Right, bar.Top, clBlack, 2, psSolid);
    canvas_->Line(bar.Right, bar.Top, bar.Right, bar.Bottom, clBlack, 2, psSolid);
    canvas_->Line(bar.Right, bar.Bottom, bar.Left, bar.Bottom, clBlack, 2, psSolid);
    canvas_->Line(bar.Left, bar.Bottom, bar.Left, bar.Top, clBlack, 2, psSolid);
    const QString text = QString::number(int(std::lround(part * 100))) + u'%';
    const TColor textColor = graphic.CellBoolean ? TColor(graphic.CellIndex) : clBlack;
    canvas_->TextBox(bar, text, TextH::Center, TextV::Center, false, textColor);
}

// ---- Page engine ----

void TGridPageEngine::SetUp()
{
    const TPrintSettings& ps = grid_.PrintSettings;
    Fontscalefactor = 1.0;
    canvas_->SetFont(CanvasFont(ps.HeaderFont));
    hh_ = canvas_->TextHeight(QStringLiteral("gh"));
    canvas_->SetFont(CanvasFont(ps.FooterFont));
    fh_ = canvas_->TextHeight(QStringLiteral("gh"));
    canvas_->SetFont(CanvasFont(ps.Font));
    th_ = canvas_->TextHeight(QStringLiteral("gh"));
    spacing_ = th_ / 8;
    halfG_ = canvas_->TextWidth(QStringLiteral("g")) / 2;
    cachedRow_ = -1;
    cachedHeight_ = 0;
    lastMeasured_ = 0;
}

void TGridPageEngine::FitToPage()
{
    const TPrintSettings& ps = grid_.PrintSettings;
    ratio_ = 1.0;
    if (ps.FitToPage != fpNever) {
        qint64 sum = 0;
        qint64 count = 0;
        for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c) {
            if (!ColPrinted(c))
                continue;
            sum += MaxWidth(c) + colGap_;
            ++count;
        }
        const qint64 gaps = count * colGap_;
        if (sum != gaps)
            ratio_ = double(W_ - ps.RightSize - ps.LeftSize - gaps) / double(sum - gaps);
        if ((ratio_ > 1 && ps.FitToPage == fpShrink) || (ratio_ < 1 && ps.FitToPage == fpGrow) || ratio_ <= 0)
            ratio_ = 1.0;
        if (ps.FitToPage == fpCustom && ratio_ != 1.0 && OnFitToPage) {
            bool allow = true;
            OnFitToPage(ratio_, allow);
            if (!allow || ratio_ <= 0)
                ratio_ = 1.0;
        }
        if (ratio_ != 1.0)
            for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c)
                MaxWidth(c) = int(std::trunc(MaxWidth(c) * ratio_));
    }
    if (OnPrintSetColumnWidth)
        for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c)
            OnPrintSetColumnWidth(c, MaxWidth(c));
}

void TGridPageEngine::LayOutBand(int bandStart)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    const int fixedCols = grid_.FixedCols();
    ++band_;
    pagesInBand_ = 0;
    bandStart_ = bandStart;
    repeatCols_ = fixedCols >= 1 && ps.RepeatFixedCols &&
                  !(bandStart <= FPrintRect.Left && FPrintRect.Left <= fixedCols);
    int fixedWidth = 0;
    if (repeatCols_)
        for (int k = 0; k < fixedCols; ++k)
            fixedWidth += MaxWidth(k) + colGap_;

    qint64 running = fixedWidth;
    int end = bandStart - 1;
    for (int c = bandStart; c <= FPrintRect.Right; ++c) {
        if (running + MaxWidth(c) + colGap_ > W_ - ps.RightSize)
            break;
        running += MaxWidth(c) + colGap_;
        end = c;
    }
    if (end <= bandStart)
        end = bandStart + 1;
    end = qMin(end, FPrintRect.Right);
    bandEnd_ = end;
    if (end < FPrintRect.Right)
        multiBand_ = true;
    running = fixedWidth;
    for (int c = bandStart; c <= end; ++c)
        running += MaxWidth(c) + colGap_;
    PrintPageWidth = int(qMin<qint64>(running, INT_MAX));

    const int origin = ps.Centered ? 0 : ps.LeftSize;
    Indent(bandStart) = origin;
    Indent(0) = origin;
    for (int c = bandStart; c <= end; ++c)
        Indent(c + 1) = Indent(c) + (ColPrinted(c) ? MaxWidth(c) + colGap_ : 0);
    PrintColStart = bandStart;
    PrintColEnd = end;
    if (repeatCols_)
        for (int k = 1; k <= fixedCols; ++k)
            Indent(k) = Indent(k - 1) + MaxWidth(k - 1) + colGap_;
    if (ps.Centered && PrintPageWidth < W_) {
        const int shift = (W_ - PrintPageWidth) / 2;
        for (int c = bandStart; c <= end + 1; ++c)
            Indent(c) += shift;
        if (repeatCols_)
            for (int k = 0; k <= fixedCols; ++k)
                Indent(k) += shift;
    }
    for (int c = bandStart; c <= end + 1; ++c)
        Indent(c) += fixedWidth;
}

QString TGridPageEngine::HtmlTitle() const
{
    const TPrintSettings& ps = grid_.PrintSettings;
    if (!ps.TitleText.isEmpty() || ps.TitleLines.isEmpty())
        return {};
    const QString joined = ps.TitleLines.join(QString());
    return GetTextKind(joined, grid_.EnableHTML) == 1 ? joined : QString();
}

int TGridPageEngine::HtmlTitleHeight()
{
    const QString html = HtmlTitle();
    if (html.isEmpty())
        return 0;
    const TPrintSettings& ps = grid_.PrintSettings;
    const PageFont f = CanvasFont(IsTop(ps.Title) ? ps.HeaderFont : ps.FooterFont);
    return canvas_->HtmlExtent(html, f, W_ - ps.LeftSize).height();
}

void TGridPageEngine::HeaderFooterHeights(bool)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    const bool top = IsTop(ps.Time) || IsTop(ps.Date) || IsTop(ps.PageNr) || IsTop(ps.Title);
    const bool bottom = IsBottom(ps.Time) || IsBottom(ps.Date) || IsBottom(ps.PageNr) || IsBottom(ps.Title);
    const bool lines = ps.TitleText.isEmpty() && !ps.TitleLines.isEmpty();
    headerH_ = ps.HeaderSize;
    if (top) {
        headerH_ = spacing_ + hh_ + ps.HeaderSize;
        if (IsTop(ps.Title) && lines) {
            // The same measure on every page and in every pass, in 0.1 mm.
            const int t = HtmlTitleHeight();
            headerH_ += t > 0 ? t + ps.HeaderSize : int(ps.TitleLines.size() - 1) * hh_;
        }
    }
    if (bottom) {
        footerH_ = 2 * (spacing_ + fh_) + ps.FooterSize;
        if (IsBottom(ps.Title) && lines && HtmlTitle().isEmpty())
            footerH_ += int(ps.TitleLines.size() - 1) * fh_;
    } else {
        footerH_ = spacing_ + fh_ + ps.FooterSize;
    }
}

QString TGridPageEngine::PageNumberText()
{
    const TPrintSettings& ps = grid_.PrintSettings;
    QString text;
    int pageNum = P_ + 1;
    if (multiBand_) {
        pageNum = pagesInBand_ + 1;
        text = QStringLiteral("%1-%2").arg(pageNum).arg(band_);
    } else {
        text = QString::number(qint64(P_) + ps.PageNumberOffset + 1);
        if (!ps.PageNumSep.isEmpty() && nrOfPages_ > 1)
            text += ps.PageNumSep + QString::number(qint64(nrOfPages_) + ps.MaxPagesOffset);
    }
    if (OnPrintGetPageNum)
        OnPrintGetPageNum(pageNum, band_, text);
    return text;
}

void TGridPageEngine::DrawHeaderFooter()
{
    if (!Drawing())
        return;
    const TPrintSettings& ps = grid_.PrintSettings;
    QString texts[7];
    auto join = [&](TPrintPosition pos, const QString& item) {
        if (pos == ppNone || item.isEmpty())
            return;
        QString& slot = texts[pos];
        if (slot.isEmpty())
            slot = item;
        else
            slot = IsLeftSlot(pos) ? item + u' ' + slot : slot + u' ' + item;
    };
    const QDateTime now = Clock();
    join(ps.Time, now.toString(QStringLiteral("hh:mm")));
    join(ps.Date, now.toString(QtDateFormat(ps.DateFormat)));
    if (ps.PageNr != ppNone) {
        QStringList parts;
        for (const QString& part : {ps.PagePrefix, PageNumberText(), ps.PageSuffix})
            if (!part.isEmpty())
                parts.append(part);
        join(ps.PageNr, parts.join(u' '));
    }
    const QString html = ps.Title != ppNone ? HtmlTitle() : QString();
    QStringList extraLines;
    if (ps.Title != ppNone && html.isEmpty()) {
        if (!ps.TitleText.isEmpty()) {
            join(ps.Title, ps.TitleText);
        } else if (!ps.TitleLines.isEmpty()) {
            join(ps.Title, ps.TitleLines.first());
            extraLines = ps.TitleLines.mid(1);
        }
    }

    const PageFont saved = canvas_->Font();
    Fontscalefactor = ratio_;
    auto place = [&](int pos, const QString& text) {
        const int w = canvas_->TextWidth(text);
        if (IsLeftSlot(pos))
            return ps.LeftSize;
        if (pos == ppTopRight || pos == ppBottomRight)
            return W_ - w - ps.RightSize - 20;
        return (W_ - w) / 2;
    };
    const PageFont headerFont = CanvasFont(ps.HeaderFont);
    canvas_->SetFont(headerFont);
    for (int pos = ppTopLeft; pos <= ppTopCenter; ++pos)
        if (!texts[pos].isEmpty())
            canvas_->TextAt(place(pos, texts[pos]), -ps.HeaderSize, texts[pos], ps.HeaderFont.Color);
    if (IsTop(ps.Title)) {
        for (int k = 1; k <= extraLines.size(); ++k)
            canvas_->TextAt(place(ps.Title, extraLines[k - 1]), -ps.HeaderSize - k * hh_, extraLines[k - 1],
                            ps.HeaderFont.Color);
        if (!html.isEmpty()) {
            const int x = canvas_->HtmlExtent(html, headerFont, W_ - ps.LeftSize).height();
            canvas_->Html({ps.LeftSize, -ps.HeaderSize, W_, -ps.HeaderSize - x}, html, headerFont);
        }
    }
    const PageFont footerFont = CanvasFont(ps.FooterFont);
    canvas_->SetFont(footerFont);
    const int footerY = B_ + fh_ + spacing_ + ps.FooterSize;
    for (int pos = ppBottomLeft; pos <= ppBottomCenter; ++pos)
        if (!texts[pos].isEmpty())
            canvas_->TextAt(place(pos, texts[pos]), footerY, texts[pos], ps.FooterFont.Color);
    if (IsBottom(ps.Title)) {
        for (int k = 1; k <= extraLines.size(); ++k)
            canvas_->TextAt(place(ps.Title, extraLines[k - 1]), footerY - k * fh_, extraLines[k - 1],
                            ps.FooterFont.Color);
        if (!html.isEmpty())
            canvas_->Html({ps.LeftSize, B_ + ps.FooterSize, W_, B_}, html, footerFont);
    }
    Fontscalefactor = 1.0;
    canvas_->SetFont(saved);
}

void TGridPageEngine::DrawFrame(int y)
{
    if (!Drawing())
        return;
    const TPrintSettings& ps = grid_.PrintSettings;
    const FrameRule& rule = Rule(kFrameRules, ps.Borders);
    const int width = ps.Borders == pbDouble ? 10 : 2;
    const int xl = repeatCols_ ? Indent(0) : Indent(bandStart_);
    const int xr = Indent(bandEnd_ + 1);
    const int yt = -headerH_ - ps.TitleSpacing;
    const int yb = y + spacing_ / 2;
    auto line = [&](int x1, int y1, int x2, int y2) { canvas_->Line(x1, y1, x2, y2, clBlack, width, ps.BorderStyle); };
    if (rule.Around) {
        line(xl, yt, xr, yt);
        line(xr, yt, xr, yb);
        line(xr, yb, xl, yb);
        line(xl, yb, xl, yt);
    }
    if (rule.BottomLine)
        line(xl, yb, xr, yb);
    if (rule.FixedLines && repeatCols_)
        for (int k = 0; k < grid_.FixedCols(); ++k)
            line(Indent(k), yt, Indent(k), yb);
}

void TGridPageEngine::NextPage()
{
    const int n = P_ + 2;
    if (!PageInRange(n))
        return;
    if (pass_ == PassPrint && P_ + 1 >= FPrintPageFrom)
        canvas_->NewPage();
    if ((pass_ == PassPreview || pass_ == PassPrint) && OnPrintPage)
        OnPrintPage(*canvas_, n, W_, B_);
}

int TGridPageEngine::PrintRowWithFixed(int y, int row)
{
    int advance = 0;
    if (repeatCols_)
        advance = PrintRowCells(y, 0, grid_.FixedCols() - 1, row);
    return qMax(advance, PrintRowCells(y, bandStart_, bandEnd_, row));
}

int TGridPageEngine::PrintDrawPages(PrintCanvas& canvas, int pass, bool selectedOnly, int nrOfPages, int pageWidth,
                                    int pageHeight)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    canvas_ = &canvas;
    pass_ = pass;
    selectedOnly_ = selectedOnly;
    nrOfPages_ = nrOfPages;
    W_ = pageWidth;
    B_ = -pageHeight;
    PrintPageRect = {0, 0, W_, B_};
    SetUp();
    colGap_ = ps.UseFixedWidth ? 0 : ps.ColumnSpacing + 20;
    const int kind = (grid_.FixedRows() < FPrintRect.Top ||
                      FPrintRect.Bottom < grid_.RowCount() - grid_.FixedFooters() - 1)
                         ? 3
                         : 1;
    SizeColumns(kind);
    return LayOutPages(kind);
}

void TGridPageEngine::SizeColumns(int kind)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    measureTo_ = INT_MAX;
    // A preview without counting stops after its page, so only the rows up
    // to that page are measured: a growing run of rows from the range's top,
    // tried by a dry layout until every row it places was measured.
    const bool prefix = FastPrint && pass_ == PassPreview && !ps.NoAutoSize && FPrintRect.Bottom >= FPrintRect.Top;
    if (prefix) {
        const int perPage = th_ > 0 ? qMax(1, -B_ / th_) + 1 : 64;
        qint64 rows = qMax<qint64>(64, qint64(perPage) * qMax(1, FPrintPageFrom));
        const int keepPass = pass_;
        for (;;) {
            measureTo_ = int(qMin<qint64>(FPrintRect.Bottom, FPrintRect.Top + rows - 1));
            ratio_ = 1.0;
            CalcPrintColumnWidths();
            FitToPage();
            if (measureTo_ >= FPrintRect.Bottom)
                break;
            Indents.assign(MaxWidths.size(), 0);
            pass_ = PassCountPreview;
            probing_ = true;
            probeShort_ = false;
            LayOutPages(kind);
            probing_ = false;
            pass_ = keepPass;
            cachedRow_ = -1;
            lastMeasured_ = 0;
            if (!probeShort_)
                break;
            rows *= 4;
        }
    } else {
        ratio_ = 1.0;
        CalcPrintColumnWidths();
        FitToPage();
    }
    measureTo_ = INT_MAX;
    Indents.assign(MaxWidths.size(), 0);
}

int TGridPageEngine::LayOutPages(int kind)
{
    const TPrintSettings& ps = grid_.PrintSettings;
    PrintCanvas& canvas = *canvas_;
    P_ = 0;
    band_ = 0;
    multiBand_ = false;
    int lastEndRow = -1;
    bool cancel = false;
    bool stop = false;
    int bandStart = FPrintRect.Left;
    while (bandStart <= FPrintRect.Right && !cancel && !stop) {
        LayOutBand(bandStart);
        HeaderFooterHeights(true);
        int r = FPrintRect.Top;
        if ((pass_ == PassPreview || pass_ == PassPrint) && OnPrintPage)
            OnPrintPage(canvas, P_ + 1, W_, B_);
        int y = 0;
        int n = 0;
        int bodyRows = 0;
        while (r <= FPrintRect.Bottom && !cancel && !stop) {
            if (probing_ && r > measureTo_) {
                probeShort_ = true;
                stop = true;
                break;
            }
            grid_.ExportNotification(kind, r);
            if (n == 0) {
                DrawHeaderFooter();
                y = -headerH_ - ps.TitleSpacing;
                bodyRows = 0;
                if (r > 0 && (P_ > 0 || FPrintRect.Top >= grid_.FixedRows()) && ps.RepeatFixedRows &&
                    grid_.FixedRows() > 0) {
                    for (int fr = 0; fr < grid_.FixedRows(); ++fr)
                        y -= PrintRowWithFixed(y, fr);
                    ++n;
                }
            }
            const int floor = B_ + footerH_;
            bool fits = true;
            if (RowPrinted(r)) {
                const int h = GetPrintRowHeight(r);
                if (floor < y - h) {
                    y -= PrintRowWithFixed(y, r);
                    ++bodyRows;
                } else if (bodyRows == 0) {
                    // Taller than the room an empty page has: print it cut
                    // at the page bottom and go on.
                    canvas.SetClip({0, y, W_, floor});
                    PrintRowWithFixed(y, r);
                    canvas.ClearClip();
                    y = floor;
                    ++bodyRows;
                } else {
                    fits = false;
                }
            }
            if (fits)
                ++r;
            ++n;
            bool newPage = false;
            if (OnPrintNewPage)
                OnPrintNewPage(r, newPage);
            const bool rowsRemain = r <= FPrintRect.Bottom;
            bool done = false;
            if (rowsRemain)
                done = !fits || newPage || (RowPrinted(r) && !(floor < y - GetPrintRowHeight(r)));
            if ((pass_ == PassPreview || pass_ == PassPrint) && (done || !rowsRemain)) {
                if (OnPrintPageDone)
                    OnPrintPageDone(canvas, r, y, P_ + 1, W_, B_);
                if (OnPrintCancel)
                    OnPrintCancel(P_ + 1, cancel);
            }
            if (!rowsRemain || !done)
                continue;
            DrawFrame(y);
            lastEndRow = r;
            // A preview without counting stops after its page.
            if (FastPrint && (pass_ == PassPreview || probing_) && P_ + 1 >= FPrintPageFrom)
                stop = true;
            if (!cancel && !stop)
                NextPage();
            ++P_;
            ++pagesInBand_;
            HeaderFooterHeights(false);
            n = 0;
        }
        if (lastEndRow != r)
            DrawFrame(y);
        bandStart = bandEnd_ + 1;
        if (bandStart <= FPrintRect.Right && !cancel && !stop)
            NextPage();
        if (!(stop || cancel) || lastEndRow != r)
            ++P_;
    }
    Fontscalefactor = 1.0;
    return P_;
}

bool TGridPageEngine::Run(PrintCanvas& canvas, int pass, bool selectedOnly, int pageWidth, int pageHeight)
{
    struct PreviewFlag
    {
        bool& flag;
        ~PreviewFlag() { flag = false; }
    };
    grid_.ExportNotification(0, -1);
    const bool preview = pass == PassPreview;
    int count = 0;
    if (!FastPrint)
        count = PrintDrawPages(canvas, preview ? PassCountPreview : PassCountPrint, selectedOnly, -1, pageWidth,
                               pageHeight);
    else if (preview)
        count = 1;
    PrintNrOfPages = count;
    int from = 1;
    // Printing without counting prints every page and shows no total.
    int to = FastPrint && !preview ? INT_MAX : count;
    if (!preview) {
        FPrintPageFrom = from;
        FPrintPageTo = to;
    }
    IsPrintPreview = preview;
    PreviewFlag reset{IsPrintPreview};
    if (OnPrintStart) {
        if (preview) {
            OnPrintStart(count, from, to);
        } else {
            OnPrintStart(count, FPrintPageFrom, FPrintPageTo);
            from = FPrintPageFrom;
            to = FPrintPageTo;
        }
    }
    if (from <= 0 || to <= 0 || to < from) {
        grid_.ExportNotification(2, -1);
        return false;
    }
    if (!preview && !FastPrint)
        PrintNrOfPages = FPrintPageTo;
    const int laidOut = PrintDrawPages(canvas, pass, selectedOnly, count, pageWidth, pageHeight);
    if (FastPrint && !preview)
        PrintNrOfPages = laidOut;
    grid_.ExportNotification(2, -1);
    return true;
}

} // namespace grid::print
