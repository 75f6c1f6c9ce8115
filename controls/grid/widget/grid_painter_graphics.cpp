// The graphic pass of the grid painter: what a cell graphic draws besides
// the text, by kind.
#include "controls/grid/core/cell_properties.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/file_picture.h"
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/small_controls/themes.h"
#include "controls/grid/widget/cell_graphics.h"
#include "controls/grid/widget/grid_painter.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

bool IsCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox || t == ctRadioButton;
}

// Kinds placed in the cell's rectangle without the XYOffset inset.
bool KeepsRect(TCellType t)
{
    return t == ctNode || t == ctProgress || t == ctRangeIndicator || t == ctXPProgress;
}

const QImage* ImageOf(const GraphicSlot& slot)
{
    const auto* p = dynamic_cast<const TImagePicture*>(slot.Object());
    return p && !p->Image.isNull() ? &p->Image : nullptr;
}

TColor SlotColor(const GraphicSlot& slot, TColor fallback = clNone)
{
    return slot.HasColor() ? slot.Color() : fallback;
}

// The themed progress of ctProgress: the bar, then the chunk over its share.
void DrawThemedProgress(Canvas& canvas, QRect r, double value)
{
    canvas.ThemePart(r, "progress", 1, 1);
    r.adjust(2, 2, -2, -2);
    const double percent = std::clamp(value, 0.0, 100.0);
    const int w = int(std::lround(r.width() * percent / 100.0));
    if (w > 0)
        canvas.ThemePart(QRect(r.left(), r.top(), w, r.height()), "progress", 3, 1);
}

} // namespace

void GridPainter::DrawCheck(QPainter& painter, const QRect& rect, bool checked, bool grayed, TControlStyle style,
                            bool enabled)
{
    TControlLook& look = grid_.ControlLook;
    if (look.NoDisabledCheckRadioLook() || look.CheckAlwaysActive)
        enabled = true;
    if (style == csTheme && !IsThemedXP())
        style = csClassic;
    QtCanvas canvas(painter);
    const int size = look.CheckSize();
    if (const char* name = CheckBitmapName(style, checked && !grayed, enabled)) {
        painter.drawImage(rect.topLeft(), GridGlyph(name, clNone));
        return;
    }
    switch (style) {
    case csClassic:
    case csFlat: {
        QRect box(0, 0, size, size);
        box.moveCenter(rect.center());
        unsigned flags = checked ? unsigned(fgChecked) : 0u;
        if (grayed && checked)
            flags |= fgGrayed;
        if (style == csFlat)
            flags |= fgFlat;
        if (!enabled)
            flags |= fgInactive;
        canvas.FrameControl(box, FrameGlyph::CheckBox, flags);
        break;
    }
    case csBevel: {
        const QRect box(rect.topLeft(), QSize(size, size));
        const int left = box.left();
        const int top = box.top();
        const int right = left + size;
        const int bottom = top + size;
        canvas.FillRect(box, enabled ? clBtnFace : clBtnShadow);
        canvas.FrameRect(box.adjusted(0, 0, -1, -1), clBtnFace);
        canvas.Line({left, bottom - 1}, {left, top}, clWhite);
        canvas.Line({left, top}, {right - 1, top}, clWhite);
        canvas.Line({right - 1, top}, {right - 1, bottom - 1}, clBtnShadow);
        canvas.Line({right - 1, bottom - 1}, {left, bottom - 1}, clBtnShadow);
        if (checked) {
            const TColor mark = enabled ? look.Color() : clGray;
            canvas.Line({left + 2, top + size / 2}, {left + 2, bottom - 2}, mark);
            canvas.Line({left + 3, top - 1 + size / 2}, {left + 3, bottom - 3}, mark);
            canvas.Line({left + 2, bottom - 2}, {right - 2, top + 2}, mark);
            canvas.Line({left + 3, bottom - 2}, {right - 1, top + 2}, mark);
        }
        break;
    }
    case csGlyph: {
        const QImage& glyph = checked ? look.CheckedGlyph : look.UnCheckedGlyph;
        if (!glyph.isNull())
            DrawBitmapTransparent(canvas, glyph, clNone, QRect(rect.topLeft(), glyph.size()));
        break;
    }
    case csTheme:
        canvas.ThemePart(QRect(rect.topLeft(), QSize(size, size)), "button", 3,
                         CheckThemeState(checked, grayed, enabled));
        break;
    default:
        break;
    }
}

void GridPainter::DrawRadioGroup(QPainter& painter, const QRect& rect, TControlStyle style, int col, int row,
                                 bool selected, const QStringList* items, bool disabled, bool horizontal, int index,
                                 int count)
{
    TExStringGrid& g = grid_;
    TControlLook& look = g.ControlLook;
    if (look.NoDisabledCheckRadioLook() || look.RadioAlwaysActive)
        disabled = false;
    if (style == csTheme && !IsThemedXP())
        style = csClassic;
    QtCanvas canvas(painter);
    TFont font = g.GetVisualProperties(col, row, {}, false, false, true).Font;
    if (selected && g.ShowSelection() && g.SelectionTextColor() != clNone)
        font.Color = g.SelectionTextColor();
    const QFontMetrics fm(FontOf(font));
    const int textHeight = fm.height();
    const QString cellText = g.GetCellEx(g.RealColIndex(col), row);
    const int radioSize = look.RadioSize();
    int captionsBefore = 0;
    for (int i = 0; i < count; ++i) {
        const QString caption = items && i < items->size() ? items->at(i) : QString();
        const bool on = i == index || (index == -1 && caption == cellText);
        RadioItemPlace place = PlaceRadioItem(style, rect, i, textHeight, radioSize, horizontal, captionsBefore);
        if (!items && !horizontal && (style == csClassic || style == csFlat))
            place.Glyph.setX(rect.left() + (rect.width() - radioSize) / 2);
        if (const char* name = RadioBitmapName(style, on, !disabled)) {
            painter.drawImage(place.Glyph, GridGlyph(name, clNone));
        } else if (style == csClassic || style == csFlat) {
            const int size = radioSize + (style == csFlat ? 2 : 0);
            unsigned flags = on ? unsigned(fgChecked) : 0u;
            if (style == csFlat)
                flags |= fgFlat;
            if (disabled)
                flags |= fgInactive;
            canvas.FrameControl(QRect(place.Glyph, QSize(size, size)), FrameGlyph::RadioButton, flags);
        } else if (style == csGlyph) {
            const QImage& glyph = on ? look.RadioOnGlyph : look.RadioOffGlyph;
            if (!glyph.isNull())
                DrawBitmapTransparent(canvas, glyph, clNone, QRect(place.Glyph, glyph.size()));
        } else if (style == csBevel) {
            const int l = place.Glyph.x();
            const int t = place.Glyph.y();
            const QPoint diamond[] = {{l, t + 6}, {l + 6, t}, {l + 12, t + 6}, {l + 6, t + 12}};
            canvas.Polygon(diamond, 4, clBtnFace, clNone);
            const TColor upper = on ? clGray : clWhite;
            const TColor lower = on ? clWhite : clGray;
            canvas.Line(diamond[0], diamond[1], upper);
            canvas.Line(diamond[1], diamond[2], lower);
            canvas.Line(diamond[2], diamond[3], lower);
            canvas.Line(diamond[3], diamond[0], upper);
            if (on) {
                const QPoint inner[] = {{l + 3, t + 6}, {l + 6, t + 3}, {l + 9, t + 6}, {l + 6, t + 9}};
                canvas.Polygon(inner, 4, look.Color(), look.Color());
            }
        } else if (style == csTheme) {
            canvas.ThemePart(QRect(place.Glyph, QSize(16, 16)), "button", 2,
                             CheckThemeState(on, false, !disabled));
        }
        if (!caption.isEmpty()) {
            canvas.TextAt(place.Caption, caption, font, font.Color);
            captionsBefore += fm.horizontalAdvance(caption);
        }
    }
}

void GridPainter::DrawNodeGlyph(QPainter& painter, int col, int row, QRect r, const TCellGraphic& graphic,
                                const CellLook& look, TGridDrawState state)
{
    TExStringGrid& g = grid_;
    QtCanvas canvas(painter);
    const TCellNode& node = g.CellNode;
    const int n = node.NodeIndent();
    const int indent = g.GetNodeIndent(row);
    r.setLeft(r.left() + indent - n);
    if (node.ShowTree() && row >= g.FixedRows()) {
        const int x = r.left() + n / 2 + 2;
        const int mid = r.top() + r.height() / 2;
        const bool nextIndented = row + 1 < g.RowCount() && g.GetNodeIndent(row + 1) > 0;
        if (nextIndented && !(g.GetNodeState(row) && g.GetNodeIndent(row + 1) < indent))
            canvas.Line({x, mid}, {x, r.bottom() + 1}, node.TreeColor());
        if (row > g.FixedRows() && g.GetNodeIndent(row - 1) >= indent)
            canvas.Line({x, r.top()}, {x, r.top() + 6}, node.TreeColor());
    }
    r.setLeft(r.left() + n / 2 + 4 - n);
    TColor back = look.Brush.Color;
    if (back == clNone)
        back = g.FixedCols() == 0 ? g.Color : g.FixedColor;
    if (state.Contains(gdSelected) && g.ShowSelection() && g.SelectionColor() != clNone)
        back = g.SelectionColor();
    const bool contracted = graphic.CellBoolean;
    const int height = r.height();
    auto raisedBox = [&](const QRect& box, bool raised) {
        canvas.FillRect(box, node.Color);
        const TColor light = raised ? clWhite : clGray;
        const TColor dark = raised ? clGray : clWhite;
        const int right = box.left() + box.width() - 1;
        const int bottom = box.top() + box.height() - 1;
        canvas.Line({box.left() + 1, box.top()}, {right, box.top()}, light);
        canvas.Line({box.left(), box.top() + 1}, {box.left(), bottom}, light);
        canvas.Line({right, box.top() + 1}, {right, bottom}, dark);
        canvas.Line({box.left() + 1, bottom}, {right, bottom}, dark);
    };
    const NodeBox flat = FlatNodeBox(r.left(), r.top(), height);
    switch (node.NodeType()) {
    case cnLeaf:
        painter.drawImage(QPoint(r.left(), r.top() + (height - 12) / 2),
                          GridGlyph(contracted ? "ESGLEAFCLOSE" : "ESGLEAFOPEN", back));
        break;
    case cnXP:
        painter.drawImage(QPoint(r.left() + 4, r.top() + (height - 10) / 2),
                          GridGlyph(contracted ? "XPNODEC" : "XPNODEO", back));
        break;
    case cnGlyph:
        if (!node.ExpandGlyph.isNull() && !node.ContractGlyph.isNull()) {
            const QImage& glyph = contracted ? node.ContractGlyph : node.ExpandGlyph;
            DrawBitmapTransparent(canvas, glyph, back,
                                  QRect(QPoint(r.left(), r.top() + (height - glyph.height()) / 2), glyph.size()));
            break;
        }
        raisedBox(flat.Box, contracted);
        break;
    case cn3D:
        raisedBox(flat.Box, contracted);
        break;
    case cnFlat:
        canvas.FillRect(flat.Box.adjusted(1, 1, -1, -1), node.Color);
        canvas.FrameRect(flat.Box.adjusted(0, 0, -1, -1), node.NodeColor);
        canvas.Line(flat.MinusFrom, flat.MinusTo, node.NodeColor);
        if (contracted)
            canvas.Line(flat.BarFrom, flat.BarTo, node.NodeColor);
        break;
    }
}

void GridPainter::DrawCellButton(QPainter& painter, int col, int row, const QRect& cell, const QRect& glyph,
                                 TCellGraphic& graphic)
{
    TExStringGrid& g = grid_;
    const bool expand = graphic.CellType == ctExpand;
    const QRect face = expand ? ExpandButtonRect(cell) : glyph;
    // The button's offset in the cell, for the click test.
    const quint32 packed = (quint32(quint16(face.top() - cell.top())) << 16) | quint16(face.left() - cell.left());
    graphic.CellValue = packed;
    bool enabled = true;
    if (!g.ControlLook.NoDisabledButtonLook())
        g.CanEditCell(col, row, enabled);
    GlyphLook glyphLook = g.ControlLook.FlatButton() ? GlyphLook::Flat
                          : IsThemedXP()             ? GlyphLook::Themed
                                                     : GlyphLook::Classic;
    const TColorTones& tones = g.ColorTones();
    if (g.Flat() && tones.Background.BrushColor != clNone)
        glyphLook = GlyphLook::Tones;
    GlyphState state = graphic.CellBoolean                 ? GlyphState::Pressed
                       : HotButtonCell == QPoint(col, row) ? GlyphState::Hot
                                                           : GlyphState::Normal;
    if (!enabled && !expand)
        state = GlyphState::Disabled;
    QtCanvas canvas(painter);
    DrawButtonGlyph(canvas, face, tones, state, glyphLook);
    const QPoint shift = state == GlyphState::Pressed ? QPoint(1, 1) : QPoint();
    if (expand) {
        const auto chevron = ExpandChevron(cell, graphic.CellVar.toBool());
        canvas.Line(chevron[0] + shift, chevron[1] + shift, clBlack);
        canvas.Line(chevron[1] + shift, chevron[2] + shift, clBlack);
        return;
    }
    QRect text = face.translated(shift);
    if (graphic.CellType == ctBitButton) {
        if (const QImage* bitmap = ImageOf(graphic.CellBitmap)) {
            int top = face.top() + (face.height() - bitmap->height()) / 2;
            if (top - face.top() < 1)
                top = face.top() + 3;
            QPoint at(face.left() + 3, top);
            if (graphic.CellText.isEmpty() && face.width() > bitmap->width() + 6)
                at.setX(face.left() + (face.width() - bitmap->width()) / 2);
            DrawBitmapTransparent(canvas, *bitmap, clNone, QRect(at + shift, bitmap->size()));
            text.setLeft(text.left() + bitmap->width() + 4);
        }
    }
    if (graphic.CellText.isEmpty())
        return;
    TColor color = clWindowText;
    if (glyphLook == GlyphLook::Tones) {
        const TColorTone& tone = state == GlyphState::Pressed  ? tones.Selected
                                 : state == GlyphState::Hot      ? tones.Hover
                                 : state == GlyphState::Disabled ? tones.Disabled
                                                                 : tones.Background;
        color = tone.TextColor;
    } else if (state == GlyphState::Disabled) {
        color = clGrayText;
    }
    painter.save();
    painter.setFont(FontOf(g.Font));
    painter.setPen(ToQColor(color));
    text.adjust(1, 0, 0, 0);
    const int flags = Qt::AlignCenter | (graphic.CellText.contains(QLatin1Char('\r')) ? Qt::TextWordWrap
                                                                                      : Qt::TextSingleLine);
    const QString caption = flags & Qt::TextSingleLine
                                ? painter.fontMetrics().elidedText(graphic.CellText, Qt::ElideRight, text.width())
                                : QString(graphic.CellText).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    painter.drawText(text, flags, caption);
    painter.restore();
}

void GridPainter::DrawRotatedText(QPainter& painter, int realCol, int row, const QRect& rect,
                                  const TCellGraphic& graphic, const CellLook& look)
{
    const QString text = grid_.GetFormattedCell(realCol, row);
    if (text.isEmpty())
        return;
    // Turned about the centre of the text, which sits at the cell's centre.
    const QRect clip = rect.adjusted(2, 2, -2, -2);
    if (clip.isEmpty())
        return;
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.setFont(FontOf(look.Font));
    painter.setPen(ToQColor(look.Font.Color));
    const QFontMetrics fm = painter.fontMetrics();
    const QString line = text.section(QLatin1Char('\r'), 0, 0);
    const QSizeF size(fm.horizontalAdvance(line), fm.height());
    painter.translate(QRectF(clip).center());
    painter.rotate(-graphic.CellAngle);
    painter.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), Qt::AlignCenter | Qt::TextSingleLine,
                     line);
    painter.restore();
}

void GridPainter::DrawCellGraphic(QPainter& painter, int col, int row, const QRect& rect, TCellGraphic& graphic,
                                  const CellLook& look, TGridDrawState state, int textWidth)
{
    TExStringGrid& g = grid_;
    const int realCol = g.RealColIndex(col);
    const TCellType type = graphic.CellType;
    QtCanvas canvas(painter);
    QRect r = rect;
    int t = textWidth;
    if (!KeepsRect(type)) {
        const QPoint off = g.XYOffset();
        r.adjust(off.x() - 1, off.y() - 1, -(off.x() - 1), -(off.y() - 1));
        if (t > 0)
            t += 2;
    }
    const GraphicLayout layout = g.GetGraphicLayout(realCol, row);
    QRect gr = PlaceCellGraphic(r, graphic.CellHAlign, graphic.CellVAlign, layout.Width, layout.Height, t, look.HAlign);
    if (IsCheckKind(type))
        gr = CheckGlyphPlace(r, look.HAlign, CheckGlyphVAlign(graphic.CellVAlign, look.VAlign, g.VAlignment()),
                             CheckKindShowsText(type), t, layout.Width);
    const TControlStyle style = g.ControlLook.ControlStyle();
    const bool enabled = g.Enabled && g.IsEditable(realCol, row);
    const TCustomImageList* list = g.GetGridImages();
    const auto* images = dynamic_cast<const TGridImageList*>(list);
    auto drawImage = [&](int index, QPoint at) {
        if (images && index >= 0 && index < images->Pictures().size())
            painter.drawPixmap(at, images->Pictures().at(index));
    };
    const bool selected = state.Contains(gdSelected) && g.ShowSelection();

    switch (type) {
    case ctBitmap:
        if (const QImage* bitmap = ImageOf(graphic.CellBitmap)) {
            if (graphic.CellTransparent)
                DrawBitmapTransparent(canvas, *bitmap, clNone, QRect(gr.topLeft(), bitmap->size()));
            else
                painter.drawImage(gr.topLeft(), *bitmap);
        }
        break;
    case ctIcon:
        if (const QImage* icon = ImageOf(graphic.CellIcon))
            painter.drawImage(gr.topLeft(), *icon);
        break;
    case ctImageList:
        drawImage(graphic.CellIndex, gr.topLeft());
        break;
    case ctDataImage:
        drawImage(g.Ints(realCol, row) + graphic.CellIndex, gr.topLeft());
        break;
    case ctImages:
        if (const auto* indexes = dynamic_cast<const TIntList*>(graphic.CellBitmap.Object()); indexes && list) {
            QPoint at = gr.topLeft();
            for (int i = 0; i < indexes->Count(); ++i) {
                drawImage((*indexes)[i], at);
                at += graphic.CellBoolean ? QPoint(list->Width, 0) : QPoint(0, list->Height);
            }
        }
        break;
    case ctCheckBox:
    case ctRowCheckBox:
        DrawCheck(painter, gr, graphic.CellBoolean, graphic.CellAngle > 0, style, enabled);
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        DrawCheck(painter, gr, CheckShown(realCol, row, graphic), false, style, enabled);
        break;
    case ctTriStateCheckBox:
        DrawCheck(painter, gr, graphic.CellCheckBoxState != cbUnchecked,
                  graphic.CellCheckBoxState == cbGrayed || graphic.CellAngle > 0, style, enabled);
        break;
    case ctRadioButton: {
        // One item without caption: on exactly when the graphic says so (an
        // empty cell text never turns it on).
        const int size = g.ControlLook.RadioSize();
        DrawRadioGroup(painter, QRect(gr.left() + g.XYOffset().x(), gr.top(), size, size), style, col, row, selected,
                       nullptr, !enabled, false, graphic.CellBoolean ? 0 : -2, 1);
        break;
    }
    case ctRadio: {
        const TStringsObject* items = g.GetRadioStrings(realCol, row);
        DrawRadioGroup(painter, r, style, col, row, selected, items ? &items->Lines : nullptr, !enabled,
                       graphic.CellBoolean, graphic.CellIndex, items ? int(items->Lines.size()) : 0);
        break;
    }
    case ctRotated:
        DrawRotatedText(painter, realCol, row, rect, graphic, look);
        break;
    case ctNode:
        DrawNodeGlyph(painter, col, row, r, graphic, look, state);
        break;
    case ctPicture:
        if (const QImage* picture = ImageOf(graphic.CellBitmap)) {
            if (graphic.CellAngle != 0)
                painter.drawImage(gr, *picture);
            else
                painter.drawImage(gr.topLeft(), *picture);
        }
        break;
    case ctFilePicture:
        if (const auto* file = dynamic_cast<const TFilePicture*>(graphic.CellBitmap.Object())) {
            const QImage picture = file->Load();
            if (!picture.isNull())
                painter.drawImage(gr, picture);
        }
        break;
    case ctProgress: {
        const double value = g.Floats(realCol, row);
        if ((style == csWinXP || style == csTheme) && IsThemedXP() && g.ControlLook.ProgressXP()) {
            const int mx = g.ControlLook.ProgressMarginX();
            const int my = g.ControlLook.ProgressMarginY();
            DrawThemedProgress(canvas, r.adjusted(mx, my, -mx, -my),
                               RangePercent(value, graphic.CellErrFrom, graphic.CellErrLen));
            break;
        }
        const TColor fill = SlotColor(graphic.CellBitmap, clHighlight);
        const TColor rest = SlotColor(graphic.CellIcon, clWindow);
        const TColor fillText = graphic.CellBoolean ? TColor(graphic.CellIndex) : TColor(ResolveColor(fill) ^ 0xFFFFFF);
        const TColor restText = graphic.CellBoolean ? TColor(graphic.CellAngle) : TColor(ResolveColor(rest) ^ 0xFFFFFF);
        DrawProgressBar(canvas, r.adjusted(2, 2, -2, -2), fill, g.ControlLook.ProgressBorderColor, graphic.CellText,
                        graphic.CellErrLen, graphic.CellErrFrom, g.ControlLook.ProgressMarginY(),
                        g.ControlLook.ProgressMarginX(), value, restText, rest, fillText, look.Brush.Color);
        break;
    }
    case ctProgressPie:
        DrawProgressPie(canvas, QRect(gr.topLeft(), QSize(20, 20)), SlotColor(graphic.CellBitmap, clGreen),
                        graphic.CellAngle, look.Brush.Color);
        break;
    case ctRangeIndicator: {
        const int mx = g.ControlLook.ProgressMarginX();
        const int my = g.ControlLook.ProgressMarginY();
        DrawBalanceBar(canvas, r.adjusted(mx, my, -mx, -my), g.Ints(realCol, row), graphic.CellIndex,
                       SlotColor(graphic.CellIcon, clGreen), SlotColor(graphic.CellBitmap, clRed),
                       graphic.CellBoolean);
        break;
    }
    case ctXPProgress: {
        const TGridProgressAppearance& a = ProgressAppearance;
        LevelProgressStyle s = a.Bar;
        s.Font = g.Font;
        s.UnCompleteColor = a.UnCompleteColor == clNone ? look.Brush.Color : a.UnCompleteColor;
        const int mx = g.ControlLook.ProgressMarginX();
        const int my = g.ControlLook.ProgressMarginY();
        // Equal limits show 0 % instead of dividing by zero.
        DrawLevelProgressBar(canvas, r.adjusted(mx, my, -mx - 1, -my - 1),
                             LevelPercent(g.Ints(realCol, row), graphic.CellErrFrom, graphic.CellErrLen), s);
        break;
    }
    case ctComment: {
        const TColor base = g.ControlLook.CommentColor();
        if (base == clNone)
            break;
        const TColor color = TColor(graphic.CellIndex) != clNone ? TColor(graphic.CellIndex) : base;
        const auto corner = CommentCorner(rect);
        canvas.Polygon(corner.data(), 3, color, color);
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand:
        DrawCellButton(painter, col, row, rect, gr, graphic);
        break;
    case ctShape:
        // Filled in the shape colour (CellIndex, what SetShapeColor changes),
        // outlined in the line colour.
        DrawCellShape(canvas, gr.left(), gr.top(), gr.width() - 1, gr.height() - 1, TCellShape(graphic.CellAngle),
                      TColor(graphic.CellIndex), SlotColor(graphic.CellBitmap, clNone));
        break;
    case ctRating: {
        const double value = g.Floats(realCol, row);
        for (int i = 0; i < graphic.CellAngle; ++i) {
            const int x = gr.left() + i * 18;
            const StarFill fill = RatingStar(value, i);
            if (fill == StarFill::Full) {
                DrawCellShape(canvas, x, gr.top(), 16, 16, csStar, TColor(graphic.CellIndex),
                              TColor(graphic.CellIndex));
                continue;
            }
            const TColor empty = SlotColor(graphic.CellBitmap, clSilver);
            DrawCellShape(canvas, x, gr.top(), 16, 16, csStar, empty, empty);
            if (fill == StarFill::Half)
                DrawCellShape(canvas, x, gr.top(), 16, 16, csHalfStar, TColor(graphic.CellIndex),
                              TColor(graphic.CellIndex));
        }
        break;
    }
    default:
        // ctNone, ctEmpty, ctValue, ctSummary, ctScrollbar, ctBalloon and
        // interfaced cells draw nothing here.
        break;
    }
}

} // namespace grid
