// Painting: the expand button images and line pattern, the row loop over the rows that meet the window, the
// element painters of a cell, the empty-list message, printing and the drag image.

#include "controls/tree/widget/tree_control.h"
#include "controls/tree/widget/tree_header_bar.h"

#include "controls/tree/widget/draw_utils.h"
#include "controls/tree/widget/shared_resources.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace lazytree {

namespace {

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QImage ClearedButton(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A filled polygon with its outline, pixel exact (no antialiasing).
void FillPolygon(QPainter& p, std::initializer_list<QPoint> points, const QColor& color)
{
    p.setPen(color);
    p.setBrush(color);
    p.drawPolygon(QPolygon(points));
}

} // namespace

// ---- Button images and line pattern ------------------------------------------------------------------------

void TLazyTreeControl::RebuildButtonImages(bool needButtons, bool needLines)
{
    ++rebuildCount_;
    QSize size(9, 9);
    const bool themed = TreeStates().Has(tsUseThemes);
    if (needButtons) {
        buttons_ = {ClearedButton(size), ClearedButton(size), ClearedButton(size), ClearedButton(size),
            ClearedButton(size), ClearedButton(size)};
        if (OnPrepareButtonImages) {
            OnPrepareButtonImages(this, buttons_, size);
        } else if (themed) {
            // The style's branch indicator, closed and open.
            for (bool open : {false, true}) {
                QImage image = ClearedButton(size);
                QPainter p(&image);
                QStyleOption option;
                option.initFrom(this);
                option.rect = QRect(QPoint(0, 0), size);
                option.state = QStyle::State_Children | QStyle::State_Item;
                if (open)
                    option.state |= QStyle::State_Open;
                style()->drawPrimitive(QStyle::PE_IndicatorBranch, &option, &p, this);
                p.end();
                (open ? buttons_.Minus : buttons_.Plus) = image;
            }
        } else if (buttonStyle_ == bsTriangle) {
            QPainter minus(&buttons_.Minus);
            FillPolygon(minus, {QPoint(0, 2), QPoint(8, 2), QPoint(4, 6)}, Qt::black);
            minus.end();
            QPainter plus(&buttons_.Plus);
            FillPolygon(plus, {QPoint(2, 0), QPoint(6, 4), QPoint(2, 8)}, Qt::black);
        } else if (buttonFillMode_ == fmShaded) {
            buttons_.Minus = ShadedButtonImage(false).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            buttons_.Plus = ShadedButtonImage(true).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        } else {
            const int w = size.width();
            for (bool plusImage : {false, true}) {
                QImage& image = plusImage ? buttons_.Plus : buttons_.Minus;
                QPainter p(&image);
                if (buttonFillMode_ != fmTransparent) {
                    const QColor fill = buttonFillMode_ == fmTreeColor ? BackGroundColor()
                                                                        : ResolveColor(clWindow, palette());
                    p.fillRect(QRect(0, 0, w, size.height()), fill);
                }
                p.setPen(Color(TreeLineColor));
                p.setBrush(Qt::NoBrush);
                p.drawRect(0, 0, w - 1, size.height() - 1);
                p.setPen(NodeFontColor());
                p.drawLine(2, w / 2, w - 3, w / 2);
                if (plusImage)
                    p.drawLine(w / 2, 2, w / 2, w - 3);
            }
        }
        if (!OnPrepareButtonImages) {
            buttons_.HotMinus = buttons_.SelectedHotMinus = buttons_.Minus;
            buttons_.HotPlus = buttons_.SelectedHotPlus = buttons_.Plus;
        }
        buttonSize_ = size;
    }
    if (needLines) {
        switch (lineStyle_) {
        case lsSolid:
            linePattern_ = kSolidPattern;
            break;
        case lsCustomStyle:
            linePattern_ = kDottedPattern;
            if (OnGetLineStyle)
                OnGetLineStyle(this, linePattern_);
            break;
        case lsDotted:
            linePattern_ = kDottedPattern;
            break;
        }
    }
}

void TLazyTreeControl::FillPattern(QPainter& painter, const QRect& r, const QColor& line, const QColor& background)
{
    if (r.isEmpty())
        return;
    if (linePattern_ == kSolidPattern) {
        painter.fillRect(r, line);
        return;
    }
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, PatternIsLine(linePattern_, x, y) ? line.rgba() : background.rgba());
    // Painter x is the tree's x; painter y 0 is the row's top in the tree at paintRowTop_.
    painter.setBrushOrigin(QPoint(0, -paintRowTop_));
    painter.fillRect(r, QBrush(tile));
    painter.setBrushOrigin(QPoint(0, 0));
}

// ---- The row loop --------------------------------------------------------------------------------------------

void TLazyTreeControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect update = event->rect();
    if (update.isEmpty())
        return;
    const TRect window{update.left() + EffectiveOffsetX(), update.top() - OffsetY(),
        update.right() + 1 + EffectiveOffsetX(), update.bottom() + 1 - OffsetY()};
    PaintTree(painter, window, update.topLeft(),
        {poBackground, poColumnColor, poDrawFocusRect, poDrawSelection, poDrawDropMark, poGridLines});
}

void TLazyTreeControl::PaintTree(
    QPainter& painter, const TRect& window, QPoint target, TVTInternalPaintOptions options)
{
    if (TreeStates().Has(tsPainting))
        return;
    ChangeTreeStates({tsPainting}, {});
    struct Leave {
        TLazyTreeControl* tree;
        ~Leave() { tree->ChangeTreeStates({}, {tsPainting}); }
    } leave{this};
    if (OnBeforePaint)
        OnBeforePaint(this, &painter);
    painter.save();

    const TVTPaintOptions paint = TreeOptions().PaintOptions();
    const TRect band = NormalizedRect(NewSelRect());
    const bool drawBandRect = IsMouseSelecting() && !band.IsEmpty() && leftButtonDown_;
    TRect selectionRect = band;
    const int maxWidth = std::max(ClientWidth(), static_cast<int>(RangeX()));
    const bool showBackground = paint.Has(toShowBackground) && !background_.isNull() && options.Has(poBackground);

    TVTInternalPaintOptions rowOptions = options;
    if (paint.Has(toAlwaysHideSelection) || (!hasFocus() && paint.Has(toHideSelection)))
        rowOptions.Exclude(poDrawSelection);
    if (paint.Has(toHideFocusRect))
        rowOptions.Exclude(poDrawFocusRect);

    int nodeTop = 0;
    PLazyNode node = GetNodeAt(0, window.Top, false, nodeTop);
    if (!node)
        nodeTop = window.Top;
    if (drawBandRect) {
        selectionRect.Top -= nodeTop;
        selectionRect.Bottom -= nodeTop;
    }
    const int windowWidth = window.Right - window.Left;
    const int targetBottom = target.y() + (window.Bottom - window.Top);
    int targetTop = target.y() + nodeTop - window.Top;
    painter.setFont(font());

    while (node) {
        TLineImage lineImage;
        int selectLevel = BuildLineImage(node, lineImage);
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        if (node->States.Has(vsSelected) && !paint.Has(toChildrenAbove))
            ++selectLevel;
        MeasureItemHeight(nullptr, node);
        const int height = node->NodeHeight;
        if (selectLevel > 0 || !options.Has(poSelectedOnly)) {
            paintRowTop_ = targetTop - target.y() + window.Top;
            PaintRow(painter, node, paintRowTop_, window, QPoint(target.x(), targetTop), rowOptions, lineImage,
                selectLevel, drawBandRect, selectionRect, maxWidth);
        }
        targetTop += height;
        if (targetTop >= targetBottom)
            break;
        if (drawBandRect) {
            selectionRect.Top -= height;
            selectionRect.Bottom -= height;
        }
        node = GetNextVisible(node, true);
    }

    // Below the last row.
    if (targetTop < targetBottom) {
        const QRect area(target.x(), targetTop, windowWidth, targetBottom - targetTop);
        bool handled = false;
        if (OnPaintBackground) {
            painter.save();
            painter.translate(area.topLeft());
            OnPaintBackground(this, &painter, {0, 0, area.width(), area.height()}, handled);
            painter.restore();
        }
        if (!handled) {
            if (showBackground) {
                painter.save();
                painter.translate(area.topLeft() - QPoint(window.Left, 0));
                paintRowTop_ = targetTop - target.y() + window.Top;
                TileBackgroundPicture(painter, {window.Left, 0, window.Right, area.height()}, {0, 0});
                painter.restore();
            } else {
                painter.fillRect(area, BackGroundColor());
            }
        }
        if (drawBandRect) {
            // Tree coordinates of the area: x from window.Left, y from the area's tree top.
            painter.save();
            painter.translate(target.x() - window.Left, targetTop);
            painter.setClipRect(QRect(window.Left, 0, windowWidth, area.height()));
            const int areaTreeTop = targetTop - target.y() + window.Top;
            TRect r = band;
            r.Top -= areaTreeTop;
            r.Bottom -= areaTreeTop;
            DrawBandRectangle(painter, window.Left, r, {window.Left, 0, window.Right, area.height()});
            painter.restore();
        }
    }

    // The empty-list message.
    if (RootNode()->ChildCount == 0 && !emptyListMessage_.isEmpty()) {
        painter.setPen(ResolveColor(clGrayText, palette()));
        const QRect r(OffsetX() + 2, 2, std::max(0, width() - 2), std::max(0, height() - 4));
        painter.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, emptyListMessage_);
    }
    painter.restore();
    if (OnAfterPaint)
        OnAfterPaint(this, &painter);
}

void TLazyTreeControl::PaintRow(QPainter& painter, PLazyNode node, int nodeTop, const TRect& window, QPoint target,
    TVTInternalPaintOptions rowOptions, const TLineImage& lineImage, int selectLevel, bool drawBandRect,
    TRect selectionRect, int maxWidth)
{
    const TVTPaintOptions paint = TreeOptions().PaintOptions();
    const int height = node->NodeHeight;
    const int windowWidth = window.Right - window.Left;
    const int levels = static_cast<int>(lineImage.size());
    const bool fixedIndent = paint.Has(toFixedIndent);
    const int buttonX = ButtonX(static_cast<int>(Indent()), buttonSize_.width(), levels, fixedIndent);
    const bool hasImages = Images() != nullptr;
    const bool hasStateImages = StateImages() != nullptr;
    const bool hasCheckImages = checkImages_ && TreeOptions().MiscOptions().Has(toCheckSupport);

    painter.save();
    // Painter x is the tree's x, painter y 0 the row's top.
    painter.translate(target.x() - window.Left, target.y());
    painter.setClipRect(QRect(window.Left, 0, windowWidth, height));
    int vAlign = 0;
    int buttonY = 0;
    ComputeVerticalAlignment(node, hasImages, hasStateImages, vAlign, buttonY);
    const TRect itemRect{0, 0, maxWidth, height};
    bool customDraw = false;
    if (OnBeforeItemPaint)
        OnBeforeItemPaint(this, &painter, node, itemRect, customDraw);
    if (!customDraw) {
        TVTPaintInfo info;
        info.Canvas = &painter;
        info.Node = node;
        info.PaintOptions = rowOptions;
        info.BrushOrigin = {window.Left & 1, nodeTop & 1};
        EraseRowBackground(info, paint.Has(toShowBackground) && !background_.isNull() && rowOptions.Has(poBackground),
            {window.Left, 0, window.Right, height});

        // One cell per visible column, or the one cell of a tree without columns.
        const bool editedRow = TreeStates().Has(tsEditing) && node == FocusedNode();
        const auto paintCell = [&](TColumnIndex column, int cellLeft, int cellRight, bool mainColumn) {
        info.Column = column;
        info.CellRect = {cellLeft, 0, cellRight, height};
        info.Alignment = column >= 0 ? Header().Alignment(column) : Alignment();
        info.BidiMode = column >= 0 ? Header().BiDiMode(column) : BiDiMode();
        info.PaintOptions = rowOptions;
        info.ImageInfo = {};
        const bool editedCell = editedRow && (column < 0 || column == EditColumn());
        if (editedCell)
            info.PaintOptions.Exclude(poDrawSelection);
        if (column < 0)
            info.PaintOptions.Exclude(poColumnColor);
        const bool rtl = info.BidiMode != bdLeftToRight;
        if (rtl && info.Alignment != taCenter)
            info.Alignment = info.Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        if (window.Left < info.CellRect.Right && info.CellRect.Left < window.Right) {
            painter.save();
            if (column >= 0)
                painter.setClipRect(QRect(std::max(window.Left, cellLeft), 0,
                    std::min(window.Right, cellRight) - std::max(window.Left, cellLeft), height));
            // A fixed cell covers the scrolled cells painted before it.
            if (column >= 0 && Header().IsFixed(column))
                painter.fillRect(ToQRect(info.CellRect), BackGroundColor());
            if (column >= 0 && info.PaintOptions.Has(poColumnColor) && !node->States.Has(vsSelected)) {
                const TLazyTreeColumn& c = ColumnHeader().Columns()[column];
                if (!c.Options().Has(coParentColor))
                    painter.fillRect(ToQRect(info.CellRect), ResolveColor(c.Color(), palette()));
            }
            info.NodeWidth = NodeContentWidth(node, column);
            info.ContentRect = info.CellRect;
            if (rtl)
                info.ContentRect.Right -= Margin();
            else
                info.ContentRect.Left += Margin();
            TVTImageInfo& check = info.ImageInfo[2];
            check.Index = mainColumn && hasCheckImages ? CheckImageIndexFor(node, ctNone, csUncheckedNormal, true) : -1;
            if (check.Index >= 0) {
                check.Images = checkImages_;
                PlaceImageInfo(checkImages_, rtl, check, info.ContentRect, vAlign);
                check.Ghosted = false;
            }
            if (hasStateImages) {
                ResolveImage(info, ikState, 1, StateImages());
                if (info.ImageInfo[1].Index >= 0)
                    PlaceImageInfo(info.ImageInfo[1].Images, rtl, info.ImageInfo[1], info.ContentRect, vAlign);
            }
            if (hasImages) {
                ResolveImage(info, node->States.Has(vsSelected) ? ikSelected : ikNormal, 0, Images());
                if (info.ImageInfo[0].Index >= 0)
                    PlaceImageInfo(info.ImageInfo[0].Images, rtl, info.ImageInfo[0], info.ContentRect, vAlign);
            }
            if (mainColumn)
                AdjustForIndent(info, fixedIndent ? 1 : levels);

            if (rowOptions.Has(poGridLines) && paint.Has(toShowHorzGridLines)) {
                dotLineColor_ = Color(GridLineColor);
                int left = info.CellRect.Left;
                int right = info.CellRect.Right;
                if (lineMode_ == lmBands && mainColumn) {
                    const int l = fixedIndent ? 1 : levels;
                    if (rtl)
                        right = info.CellRect.Right - static_cast<int>(Indent()) * l - 1;
                    else {
                        left = info.CellRect.Left + static_cast<int>(Indent()) * l;
                        right = info.CellRect.Right - 1;
                    }
                }
                DrawHorizontalDotLine(info, left, right, info.CellRect.Bottom - 1);
                --info.CellRect.Bottom;
                --info.ContentRect.Bottom;
            }
            if (column >= 0 && rowOptions.Has(poGridLines) && paint.Has(toShowVertGridLines)) {
                dotLineColor_ = Color(GridLineColor);
                DrawVerticalDotLine(info, info.CellRect.Top, info.CellRect.Bottom, info.CellRect.Right - 1, false);
                --info.CellRect.Right;
                --info.ContentRect.Right;
            }
            PaintCellBackground(info, window.Left, windowWidth);
            if (mainColumn) {
                if (paint.Has(toShowTreeLines) &&
                    !(paint.Has(toHideTreeLinesIfThemed) && TreeStates().Has(tsUseThemes)))
                    DrawTreeLines(info, vAlign, fixedIndent ? 1 : levels, lineImage);
                if (paint.Has(toShowButtons) && node->States.Has(vsHasChildren) &&
                    !(node->States.Has(vsAllChildrenHidden) && TreeOptions().AutoOptions().Has(toAutoHideButtons)))
                    PaintExpandButton(painter, node, info.CellRect, buttonX, buttonY, info.BidiMode);
            }
            if (check.Index >= 0)
                DrawCheckImage(painter, check, node->States.Has(vsSelected));
            if (info.ImageInfo[1].Index >= 0)
                PaintNodeImage(info, 1, false);
            if (info.ImageInfo[0].Index >= 0)
                PaintNodeImage(info, 0, true);
            if (!editedCell)
                PaintNodeContent(info);
            if (OnAfterCellPaint)
                OnAfterCellPaint(this, &painter, node, column, info.CellRect);
            painter.restore();
        }
        };
        if (Header().UseColumns()) {
            // Scrolling columns first; the fixed ones stay in place on top of them.
            const TLazyTreeColumns& columns = ColumnHeader().Columns();
            for (int pass = 0; pass < 2; ++pass) {
                for (TColumnIndex column : columns.GetVisibleColumns()) {
                    if (columns[column].IsFixed() != (pass == 1))
                        continue;
                    int left = 0, right = 0;
                    columns.GetColumnBounds(column, left, right);
                    info.Position = static_cast<int>(columns[column].Position());
                    paintCell(column, left + EffectiveOffsetX(), right + EffectiveOffsetX(),
                        column == Header().MainColumn());
                }
            }
        } else {
            info.Position = 0;
            paintCell(NoColumn, 0, maxWidth, true);
        }
        if (OnAfterItemPaint)
            OnAfterItemPaint(this, &painter, node, itemRect);
        if (node == DropTargetNode() && paint.Has(toShowDropmark) && rowOptions.Has(poDrawDropMark))
            PaintDropMark(painter, node, itemRect);
    }
    if (drawBandRect)
        DrawBandRectangle(painter, window.Left, selectionRect, {window.Left, 0, window.Right, height});
    painter.restore();
}

// ---- Cell pieces ---------------------------------------------------------------------------------------------

void TLazyTreeControl::EraseRowBackground(TVTPaintInfo& info, bool showBackground, TRect r)
{
    QPainter& p = *info.Canvas;
    TColor color = clDefault;
    TItemEraseAction action = eaDefault;
    if (OnBeforeItemErase)
        OnBeforeItemErase(this, &p, info.Node, r, color, action);
    const QColor fill = color == clDefault ? BackGroundColor() : ResolveColor(color, palette());
    const auto& selectionOptions = TreeOptions().SelectionOptions();
    switch (action) {
    case eaColor:
        p.fillRect(ToQRect(r), fill);
        break;
    case eaNone:
        break;
    case eaDefault:
        if (showBackground) {
            TileBackgroundPicture(p, r, {0, 0});
        } else if (info.PaintOptions.Has(poDrawSelection) && selectionOptions.Has(toFullRowSelect) &&
            info.Node->States.Has(vsSelected) && !TreeOptions().PaintOptions().Has(toUseBlendedSelection)) {
            if (TreeOptions().PaintOptions().Has(toShowHorzGridLines)) {
                p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), fill);
                --r.Bottom;
            }
            const bool focused = hasFocus() || TreeOptions().PaintOptions().Has(toPopupMode);
            p.setPen(Color(focused ? FocusedSelectionBorderColor : UnfocusedSelectionBorderColor));
            p.setBrush(Color(focused ? FocusedSelectionColor : UnfocusedSelectionColor));
            const QRect q(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
            if (selectionCurveRadius_ > 0)
                p.drawRoundedRect(q, selectionCurveRadius_ / 2.0, selectionCurveRadius_ / 2.0);
            else
                p.drawRect(q);
        } else {
            p.fillRect(ToQRect(r), fill);
        }
        break;
    }
    if (OnAfterItemErase)
        OnAfterItemErase(this, &p, info.Node, r);
}

void TLazyTreeControl::TileBackgroundPicture(QPainter& painter, const TRect& r, TPoint offset)
{
    if (background_.isNull())
        return;
    // The picture is fixed to the content: it scrolls with the rows.
    painter.setBrushOrigin(QPoint(offset.X + backgroundOffsetX_, -paintRowTop_ + offset.Y + backgroundOffsetY_));
    painter.fillRect(ToQRect(r), QBrush(background_));
    painter.setBrushOrigin(QPoint(0, 0));
}

void TLazyTreeControl::PlaceImageInfo(
    TCustomImageList* images, bool rightToLeft, TVTImageInfo& slot, TRect& contentRect, int vAlign)
{
    const int w = images ? images->Width() : 0;
    const int h = images ? images->Height() : 0;
    if (!rightToLeft) {
        slot.XPos = contentRect.Left - 1;
        contentRect.Left += w + 2;
    } else {
        slot.XPos = contentRect.Right - w;
        contentRect.Right -= w + 2;
    }
    slot.YPos = contentRect.Top + vAlign - h / 2;
}

void TLazyTreeControl::AdjustForIndent(TVTPaintInfo& info, int levels)
{
    const int d = levels * static_cast<int>(Indent());
    if (info.BidiMode == bdLeftToRight) {
        info.ContentRect.Left += d;
        for (int i = 0; i < 3; ++i)
            info.ImageInfo[static_cast<std::size_t>(i)].XPos += d;
    } else {
        info.ContentRect.Right -= d;
        for (int i = 0; i < 3; ++i)
            info.ImageInfo[static_cast<std::size_t>(i)].XPos -= d;
    }
}

void TLazyTreeControl::ResolveImage(TVTPaintInfo& info, TVTImageKind kind, int slotIndex, TCustomImageList* defaultImages)
{
    TVTImageInfo& slot = info.ImageInfo[static_cast<std::size_t>(slotIndex)];
    slot.Index = -1;
    slot.Ghosted = false;
    TCustomImageList* list = FireGetImageIndex(info.Node, kind, info.Column, slot.Ghosted, slot.Index);
    slot.Images = list ? list : defaultImages;
}

void TLazyTreeControl::PaintCellBackground(TVTPaintInfo& info, int windowOrgX, int maxWidth)
{
    QPainter& p = *info.Canvas;
    FireBeforeCellPaint(&p, info.Node, info.Column, cpmPaint, info.CellRect, info.ContentRect);
    TRect inner = info.ContentRect;
    const auto& misc = TreeOptions().MiscOptions();
    const auto& selectionOptions = TreeOptions().SelectionOptions();
    const TVTPaintOptions paint = TreeOptions().PaintOptions();
    if (!misc.Has(toGridExtensions) && info.NodeWidth < inner.Width()) {
        switch (info.Alignment) {
        case taLeftJustify:
            inner.Right = inner.Left + info.NodeWidth;
            break;
        case taRightJustify:
            inner.Left = inner.Right - info.NodeWidth;
            break;
        case taCenter:
            inner.Left = (inner.Left + inner.Right - info.NodeWidth) / 2;
            inner.Right = inner.Left + info.NodeWidth;
            break;
        }
    }
    const bool columnFocused = info.Column == FocusedColumn() || selectionOptions.Has(toFullRowSelect);
    const bool focused = hasFocus() || paint.Has(toPopupMode);
    if (columnFocused && info.PaintOptions.Has(poDrawSelection)) {
        QColor brush, pen;
        bool draw = true;
        if (info.Node == DropTargetNode()) {
            if (LastDropMode() == dmOnNode || info.Node->States.Has(vsSelected)) {
                brush = Color(DropTargetColor);
                pen = Color(DropTargetBorderColor);
            } else {
                draw = false;
            }
        } else if (info.Node->States.Has(vsSelected)) {
            brush = Color(focused ? FocusedSelectionColor : UnfocusedSelectionColor);
            pen = Color(focused ? FocusedSelectionBorderColor : UnfocusedSelectionBorderColor);
        } else {
            draw = false;
        }
        const TRect highlight =
            misc.Has(toGridExtensions) || selectionOptions.Has(toFullRowSelect) ? info.CellRect : inner;
        if (draw && !highlight.IsEmpty()) {
            if (paint.Has(toUseBlendedSelection)) {
                QRect r = ToQRect(highlight);
                r.setLeft(std::max(r.left(), windowOrgX));
                r.setRight(std::min(r.right(), windowOrgX + maxWidth - 1));
                brush.setAlpha(selectionBlendFactor_);
                p.fillRect(r, brush);
            } else {
                p.setPen(pen);
                p.setBrush(brush);
                const QRect q(highlight.Left, highlight.Top, highlight.Width() - 1, highlight.Height() - 1);
                if (selectionCurveRadius_ > 0)
                    p.drawRoundedRect(q, selectionCurveRadius_ / 2.0, selectionCurveRadius_ / 2.0);
                else
                    p.drawRect(q);
                p.setBrush(Qt::NoBrush);
            }
        }
    }
    if (columnFocused && info.PaintOptions.Has(poDrawFocusRect) && focused && info.Node == FocusedNode() &&
        info.Column == FocusedColumn()) {
        const TRect r = misc.Has(toGridExtensions) ? info.CellRect : inner;
        if (!r.IsEmpty()) {
            // A dotted frame that inverts what is under it.
            p.save();
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.setPen(QPen(Qt::white, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
            p.restore();
        }
    }
}

void TLazyTreeControl::DrawTreeLines(TVTPaintInfo& info, int vAlignment, int indentSize, const TLineImage& lineImage)
{
    const bool rtl = info.BidiMode != bdLeftToRight;
    const int indent = static_cast<int>(Indent());
    const bool showRoot = TreeOptions().PaintOptions().Has(toShowRoot);
    const int height = info.Node->NodeHeight;
    int x = rtl ? info.CellRect.Right - indent : info.CellRect.Left;
    const bool bands = lineMode_ == lmBands;
    if (bands && !info.PaintOptions.Has(poGridLines))
        return;
    // Band shapes, from the last level down to the first.
    TLineImage types = lineImage;
    if (bands) {
        const bool openWithChildren =
            info.Node->States.Has(vsExpanded) && GetFirstVisibleChildNoInit(info.Node) != nullptr;
        TVTLineType next = ltNone;
        for (int i = static_cast<int>(lineImage.size()) - 1; i >= 0; --i) {
            TVTLineType t;
            if (openWithChildren) {
                t = ltLeft;
            } else {
                switch (lineImage[static_cast<std::size_t>(i)]) {
                case ltBottomRight:
                case ltTopDownRight:
                case ltRight:
                case ltTopRight:
                    t = ltLeftBottom;
                    break;
                case ltNone:
                case ltTopDown: {
                    // The level after the node's own has no entry: it counts as none.
                    const std::size_t after = static_cast<std::size_t>(i) + 1;
                    const TVTLineType following = after < lineImage.size() ? lineImage[after] : ltNone;
                    t = following == ltNone || following == ltTopRight ? next : ltLeft;
                    break;
                }
                default:
                    t = ltNone;
                    break;
                }
            }
            types[static_cast<std::size_t>(i)] = t;
            next = t;
        }
    }
    dotLineColor_ = bands ? Color(GridLineColor) : Color(TreeLineColor);
    for (int i = 0; i < indentSize && i < static_cast<int>(types.size()); ++i) {
        int posX = x;
        if (OnBeforeDrawLineImage)
            OnBeforeDrawLineImage(this, info.Node, i + (showRoot ? 0 : 1), posX);
        const TLineSegment s = LineSegmentFor(types[static_cast<std::size_t>(i)], posX, info.CellRect.Top,
            bands ? height - 1 : height, vAlignment - 1, indent, rtl);
        if (s.Vertical)
            DrawVerticalDotLine(info, s.VTop, s.VBottom, s.VX, false);
        if (s.Horizontal)
            DrawHorizontalDotLine(info, s.HLeft, s.HRight, s.HY);
        x += rtl ? -indent : indent;
    }
}

void TLazyTreeControl::DrawHorizontalDotLine(TVTPaintInfo& info, int left, int right, int top)
{
    FillPattern(*info.Canvas, QRect(std::min(left, right), top, std::abs(right - left) + 1, 1), dotLineColor_,
        BackGroundColor());
}

void TLazyTreeControl::DrawVerticalDotLine(TVTPaintInfo& info, int top, int bottom, int left, bool useSelectedBkColor)
{
    QColor background = BackGroundColor();
    if (useSelectedBkColor) {
        const bool focused = hasFocus() || TreeOptions().PaintOptions().Has(toPopupMode);
        background = Color(focused ? FocusedSelectionColor : UnfocusedSelectionColor);
    }
    FillPattern(*info.Canvas, QRect(left, std::min(top, bottom), 1, std::abs(bottom - top) + 1), dotLineColor_,
        background);
}

void TLazyTreeControl::PaintExpandButton(
    QPainter& painter, PLazyNode node, const TRect& r, int buttonX, int buttonY, TBiDiMode bidi)
{
    const bool hot = node == HotNode() && HotNodeButtonHit();
    const int x = bidi == bdLeftToRight ? r.Left + buttonX : r.Right - buttonX - buttonSize_.width();
    const int y = r.Top + buttonY;
    const bool selected = node->States.Has(vsSelected);
    const QImage* image;
    if (node->States.Has(vsExpanded))
        image = hot && selected ? &buttons_.SelectedHotMinus : hot ? &buttons_.HotMinus : &buttons_.Minus;
    else
        image = hot && selected ? &buttons_.SelectedHotPlus : hot ? &buttons_.HotPlus : &buttons_.Plus;
    painter.drawImage(x, y, *image);
}

void TLazyTreeControl::DrawCheckImage(QPainter& painter, const TVTImageInfo& slot, bool selected)
{
    if (!TreeStates().Has(tsUseThemes) || checkImageKind_ != ckSystemDefault) {
        if (slot.Images)
            slot.Images->Draw(painter, slot.XPos, slot.YPos, slot.Index);
        return;
    }
    // Themed: the style's own indicator of the state the index stands for.
    const int i = slot.Index;
    QStyleOptionButton option;
    option.initFrom(this);
    const int w = style()->pixelMetric(i <= 8 ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth);
    const int h = style()->pixelMetric(i <= 8 ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight);
    option.rect = QRect(slot.XPos, slot.YPos, w, h);
    option.state = QStyle::State_Enabled;
    if (i >= 1 && i <= 20) {
        const int column = (i - 1) % 4;
        const bool checked = (i >= 5 && i <= 8) || (i >= 13 && i <= 16);
        option.state |= i >= 17 ? QStyle::State_NoChange : checked ? QStyle::State_On : QStyle::State_Off;
        if (column == 1)
            option.state |= QStyle::State_MouseOver;
        else if (column == 2)
            option.state |= QStyle::State_Sunken;
        else if (column == 3)
            option.state &= ~QStyle::State_Enabled;
        style()->drawPrimitive(i <= 8 ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &option,
            &painter, this);
    } else if (i >= 21 && i <= 24) {
        option.rect = QRect(slot.XPos, slot.YPos, 16, 16);
        if (i == 23)
            option.state |= QStyle::State_Sunken;
        else if (i == 24)
            option.state &= ~QStyle::State_Enabled;
        else
            option.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
        UtilityImages()->Draw(painter, slot.XPos, slot.YPos, 4);
    }
}

void TLazyTreeControl::PaintNodeImage(TVTPaintInfo& info, int slotIndex, bool doOverlay)
{
    TVTImageInfo& slot = info.ImageInfo[static_cast<std::size_t>(slotIndex)];
    if (!slot.Images)
        return;
    const TVTPaintOptions paint = TreeOptions().PaintOptions();
    const auto& selectionOptions = TreeOptions().SelectionOptions();
    PLazyNode node = info.Node;
    const bool cutNode = node->States.Has(vsCutOrCopy) && TreeStates().Has(tsCutPending);
    const bool paintFocused = hasFocus() || paint.Has(toGhostedIfUnfocused);
    TVTImageInfo& overlay = info.ImageInfo[3];
    overlay.Index = -1;
    if (doOverlay) {
        ResolveImage(info, ikOverlay, 3, Images());
        if (overlay.Images == slot.Images && overlay.Index == slot.Index)
            overlay.Index = -1;
    }
    const bool enabled = !node->States.Has(vsDisabled) && isEnabled();
    QColor blend;
    if (paintFocused && paint.Has(toUseBlendedImages) &&
        (slot.Ghosted ||
            (node->States.Has(vsSelected) && !selectionOptions.Has(toFullRowSelect) &&
                !TreeOptions().MiscOptions().Has(toGridExtensions)) ||
            cutNode))
        blend = Color(FocusedSelectionColor);
    slot.Images->Draw(*info.Canvas, slot.XPos, slot.YPos, slot.Index, enabled, blend);
    if (overlay.Index >= 0 && overlay.Images)
        overlay.Images->Draw(*info.Canvas, slot.XPos, slot.YPos, overlay.Index, enabled);
}

void TLazyTreeControl::PaintDropMark(QPainter& painter, PLazyNode node, const TRect& r)
{
    const TDropMarkPolygon mark = DropMarkPolygon(r, LastDropMode());
    if (!mark.Shown)
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Color(DropMarkColor));
    painter.drawPolygon(mark.Points.data(), static_cast<int>(mark.Points.size()));
    painter.restore();
}

void TLazyTreeControl::DrawBandRectangle(
    QPainter& painter, int windowOrgX, const TRect& selectionRect, const TRect& targetRect)
{
    const TRect band = NormalizedRect(selectionRect);
    const QRect r(band.Left, band.Top, band.Width(), band.Height());
    painter.save();
    if (DrawSelectionMode() == smBlendedRectangle || TreeStates().Has(tsUseThemes)) {
        QColor fill = Color(SelectionRectangleBlendColor);
        fill.setAlpha(selectionBlendFactor_);
        painter.fillRect(r & ToQRect(targetRect), fill);
        painter.setPen(Color(SelectionRectangleBorderColor));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

// ---- Printing and the drag image ---------------------------------------------------------------------------

bool TLazyTreeControl::Print(QPrinter* printer, bool printHeader)
{
    if (!printer)
        return false;
    BeginUpdate();
    struct End {
        TLazyTreeControl* tree;
        ~End() { tree->EndUpdate(); }
    } end{this};
    const TRect treeRect = GetTreeRect();
    QImage image(std::max(1, treeRect.Width()), std::max(1, treeRect.Height()), QImage::Format_RGB32);
    // The tree prints on white.
    const QPalette saved = viewport()->palette();
    QPalette white = saved;
    white.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(white);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        PaintTree(p, {0, 0, image.width(), image.height()}, QPoint(0, 0), {poGridLines});
    }
    viewport()->setPalette(saved);

    QPainter out;
    if (!out.begin(printer))
        return false;
    out.setFont(font());
    const int printerText = QFontMetrics(font(), printer).height();
    const int screenText = QFontMetrics(font()).height();
    const double scale = screenText > 0 ? double(printerText) / screenText : 0.0;
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    const TPrintPages pages = PrintPages(image.width(), image.height(), page.width(), page.height(), scale);
    bool first = true;
    for (int row = 0; row < pages.Rows; ++row) {
        for (int column = 0; column < pages.Columns; ++column) {
            if (!first)
                printer->newPage();
            first = false;
            QImage part(pages.PageWidth, pages.PageHeight, QImage::Format_RGB32);
            part.fill(Qt::white);
            QPainter p(&part);
            p.drawImage(0, 0, image,
                column * pages.PageWidth, row * pages.PageHeight, pages.PageWidth, pages.PageHeight);
            p.end();
            StretchDrawBitmap(out, QRect(0, 0, page.width(), page.height() - 1), part);
        }
    }
    out.end();
    return true;
}

QImage TLazyTreeControl::PrepareDragImage(QPoint hotSpot)
{
    if (dragImageKind_ == diNoImage)
        return {};
    const TPoint h{hotSpot.x() + EffectiveOffsetX(), hotSpot.y() - OffsetY()};
    const TDragImageWindow w = DragImageWindow(h, dragWidth_, dragHeight_);
    QImage image(std::max(1, dragWidth_ / 2 * 2), std::max(1, dragHeight_ / 2 * 2), QImage::Format_ARGB32_Premultiplied);
    image.fill(BackGroundColor());
    QPainter p(&image);
    TVTInternalPaintOptions options{poDrawSelection, poSelectedOnly};
    if (dragImageKind_ == diMainColumnOnly)
        options.Include(poMainOnly);
    PaintTree(p, w.Window, QPoint(w.Target.X, w.Target.Y), options);
    return image;
}

} // namespace lazytree
