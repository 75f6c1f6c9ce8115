#include "controls/tree/widget/tree_header_bar.h"

#include "controls/tree/widget/draw_utils.h"
#include "controls/tree/widget/header_layout.h"
#include "controls/tree/widget/image_list.h"
#include "controls/tree/widget/tree_colors.h"
#include "controls/tree/widget/tree_control.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace lazytree {

// ---- The header with the widget's hooks ----------------------------------------------------------------

TTreeHeader::TTreeHeader(TLazyTreeControl& control) : TVTHeader(control), control_(control) {}

TTreeHeader::~TTreeHeader()
{
    SetImages(nullptr);
    delete chooser_.data();
}

void TTreeHeader::SetImages(TCustomImageList* list)
{
    if (list == images_)
        return;
    if (images_)
        images_->RemoveChangeLink(imagesLink_);
    images_ = list;
    imagesLink_ = 0;
    if (images_)
        imagesLink_ = images_->AddChangeLink([this](bool destroyed) {
            if (destroyed)
                images_ = nullptr;
            RepaintHeader(NoColumn);
        });
    RepaintHeader(NoColumn);
}

QFont TTreeHeader::QtFont() const
{
    QFont font = control_.font();
    if (ParentFont())
        return font;
    const THeaderFont& f = Font();
    if (!f.Name.empty()) {
        font.setFamily(QString::fromStdString(f.Name));
        if (f.Height < 0)
            font.setPixelSize(-f.Height);
        else if (f.Height > 0)
            font.setPointSize(f.Height);
    }
    font.setBold(f.Style.Has(fsBold));
    font.setItalic(f.Style.Has(fsItalic));
    font.setUnderline(f.Style.Has(fsUnderline));
    font.setStrikeOut(f.Style.Has(fsStrikeOut));
    return font;
}

void TTreeHeader::RepaintHeader(TColumnIndex column)
{
    if (!bar_ || !Visible())
        return;
    if (column < 0 || !Columns().IsValidColumn(column)) {
        bar_->update();
        return;
    }
    int left = 0, right = 0;
    Columns().GetColumnBounds(column, left, right);
    bar_->update(QRect(left, 0, right - left, Height()));
}

void TTreeHeader::RefreshHeaderFrame()
{
    control_.UpdateHeaderLayout();
}

void TTreeHeader::PopupColumnChooser(TPoint client)
{
    delete chooser_.data();
    chooser_ = new TVTHeaderPopupMenu(&control_);
    chooser_->setAttribute(Qt::WA_DeleteOnClose, false);
    TVTHeaderPopupOptions options;
    options.Set(poResizeToFitItem, Options().Has(hoDblClickResize) && control_.RootNode()->ChildCount > 0);
    chooser_->SetOptions(options);
    chooser_->OnColumnChange = [this](TLazyTreeControl*, TColumnIndex column, bool visible) {
        ColumnVisibilityChanged(column, visible);
    };
    const QPoint local(client.X, client.Y + Height());
    chooser_->PopupFor(&control_, bar_ ? bar_->mapToGlobal(local) : control_.mapToGlobal(local));
}

bool TTreeHeader::PopupHeaderMenu(TColumnIndex column, TPoint client)
{
    QMenu* menu = popupMenu_;
    if (!menu)
        menu = control_.HeaderPopupMenuFor(column, client);
    if (!menu)
        return false;
    const QPoint local(client.X, client.Y + Height());
    menu->popup(bar_ ? bar_->mapToGlobal(local) : control_.mapToGlobal(local));
    return true;
}

// ---- The painted bar --------------------------------------------------------------------------------------

THeaderBar::THeaderBar(TLazyTreeControl& control, TTreeHeader& header)
    : QWidget(&control), control_(control), header_(header)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    header_.SetBar(this);
}

namespace {

enum : int { kRaisedOuter = 1, kRaisedInner = 2, kSunkenOuter = 4, kSunkenInner = 8 };

int EdgeBits(THeaderEdge edge)
{
    switch (edge) {
    case heRaised:
        return kRaisedOuter | kRaisedInner;
    case heRaisedInner:
        return kRaisedInner;
    case heSunkenOuter:
        return kSunkenOuter;
    case heNone:
        break;
    }
    return 0;
}

// Our own sort glyph: a small filled triangle, up for ascending.
void DrawSortGlyph(QPainter& painter, QPoint at, TSortDirection direction, const QColor& color)
{
    const int w = THeaderBar::kSortGlyphSize.cx;
    const int h = THeaderBar::kSortGlyphSize.cy;
    QPolygon triangle;
    if (direction == sdAscending)
        triangle << QPoint(at.x() + w / 2, at.y()) << QPoint(at.x(), at.y() + h - 1)
                 << QPoint(at.x() + w - 1, at.y() + h - 1);
    else
        triangle << QPoint(at.x(), at.y()) << QPoint(at.x() + w - 1, at.y()) << QPoint(at.x() + w / 2, at.y() + h - 1);
    painter.save();
    painter.setPen(color);
    painter.setBrush(color);
    painter.drawPolygon(triangle);
    painter.restore();
}

} // namespace

void THeaderBar::DrawEdge(QPainter& painter, QRect r, int edge, bool allSides, bool rightBorder)
{
    const QPalette& pal = palette();
    painter.fillRect(r, ResolveColor(header_.Background(), pal));
    auto frame = [&](const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.left(), r.top(), r.right(), r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
        painter.setPen(bottomRight);
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        if (allSides || rightBorder)
            painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    };
    if (edge & kRaisedOuter)
        frame(pal.color(QPalette::Light), pal.color(QPalette::Shadow));
    if (edge & kSunkenOuter)
        frame(pal.color(QPalette::Dark), pal.color(QPalette::Light));
    if (edge & kRaisedInner)
        frame(pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
}

void THeaderBar::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect r = event->rect();
    PaintHeader(painter, r.left(), r.right() + 1, r.topLeft());
    // The dragged column's button follows the pointer.
    const TLazyTreeColumns& columns = header_.Columns();
    if (header_.States().Has(hsDragging) && columns.IsValidColumn(columns.DragIndex())) {
        const TLazyTreeColumn& c = columns[columns.DragIndex()];
        int left = 0, right = 0;
        columns.GetColumnBounds(c.Index(), left, right);
        int x = left + header_.DragPoint().X - header_.DragStart().X;
        if (x < 0)
            x = 0;
        painter.setOpacity(0.6);
        PaintButton(painter, c.Index(), QRect(x, 0, c.Width(), height()));
        painter.setOpacity(1);
    }
}

void THeaderBar::PaintHeader(QPainter& painter, int left, int right, QPoint target)
{
    const QRect area(target.x(), target.y(), right - left, height());
    painter.fillRect(area, ResolveColor(header_.Background(), palette()));
    painter.save();
    painter.translate(target.x() - left, target.y());
    painter.setFont(header_.QtFont());
    const TLazyTreeColumns& columns = header_.Columns();
    // Scrolling columns first, the fixed ones on top.
    for (int pass = 0; pass < 2; ++pass) {
        for (TColumnIndex index : columns.GetVisibleColumns()) {
            const TLazyTreeColumn& c = columns[index];
            if (c.IsFixed() != (pass == 1))
                continue;
            int l = 0, r = 0;
            columns.GetColumnBounds(index, l, r);
            if (r <= left || l >= right)
                continue;
            const QRect button(l, 0, r - l, height());
            painter.save();
            painter.setClipRect(button.intersected(QRect(left, 0, right - left, height())));
            PaintButton(painter, index, button);
            painter.restore();
        }
    }
    painter.restore();
}

void THeaderBar::PaintButton(QPainter& painter, TColumnIndex index, const QRect& button)
{
    TLazyTreeColumns& columns = header_.Columns();
    TLazyTreeColumn& c = columns[index];
    const TVTHeaderOptions options = header_.Options();
    const bool enabled = c.Options().Has(coEnabled) && control_.isEnabled();
    const bool hover = index == columns.HoverIndex() && options.Has(hoHotTrack) && c.Options().Has(coEnabled);
    const bool down = index == columns.DownIndex() && !columns.CheckBoxHit();
    TVTDropMarkMode dropMark = dmmNone;
    if (c.Options().Has(coShowDropMark) && index == columns.DropTarget() && index != columns.DragIndex() &&
        header_.States().Has(hsDragging))
        dropMark = columns.DropBefore() ? dmmLeft : dmmRight;
    if (options.Has(hoOwnerDraw) && c.Style() == vsOwnerDraw && header_.OnHeaderDraw) {
        header_.OnHeaderDraw(header_, painter, index, button, hover, down, dropMark);
        return;
    }

    // Face.
    const THeaderStyleEdges& edges = HeaderEdges(header_.Style());
    const bool rightBorder = header_.Style() == hsThickButtons || !options.Has(hoAutoResize) ||
        index < columns.Count() - 1;
    if (down)
        DrawEdge(painter, button, EdgeBits(edges.Pressed.Edge), true, true);
    else if (header_.Style() == hsPlates && hover && c.Options().HasAll({coAllowClick, coEnabled}))
        DrawEdge(painter, button, EdgeBits(edges.Hot.Edge), edges.Hot.AllSides, rightBorder);
    else
        DrawEdge(painter, button, EdgeBits(edges.Normal.Edge), edges.Normal.AllSides, rightBorder);

    const QRect inner = button.adjusted(2, 2, -2, -2);
    const QString caption = QString::fromStdU16String(c.Text());
    const QFontMetrics metrics(painter.font());
    TCustomImageList* checkImages = control_.CheckImages();
    const bool showGlyph = options.Has(hoShowImages) &&
        ((header_.Images() && c.ImageIndex() >= 0) || (c.CheckBox() && checkImages));
    const bool showSort = index == header_.SortColumn() && options.Has(hoShowSortGlyphs);
    THeaderCellInput in;
    in.Client = {inner.left(), inner.top(), inner.right() + 1, inner.bottom() + 1};
    if (!caption.isEmpty())
        in.Caption = {metrics.horizontalAdvance(caption) + 2, metrics.height()};
    if (showGlyph)
        in.Glyph = c.CheckBox() ? TSize{checkImages->Width(), checkImages->Height()}
                                : TSize{header_.Images()->Width(), header_.Images()->Height()};
    if (showSort)
        in.SortGlyph = kSortGlyphSize;
    in.Alignment = c.CaptionAlignment();
    in.Layout = c.Layout();
    in.Margin = c.Margin();
    in.Spacing = c.Spacing();
    in.RightToLeft = c.UseRightToLeftReading();
    in.ShiftGlyphLeft = !(index == header_.MainColumn() && !c.CheckBox());
    THeaderCellLayout layout = LayoutHeaderCell(in);
    if (down) {
        layout.TextBounds.Left += 1;
        layout.TextBounds.Right += 1;
        layout.TextBounds.Top += 1;
        layout.TextBounds.Bottom += 1;
        layout.GlyphPos = {layout.GlyphPos.X + 1, layout.GlyphPos.Y + 1};
        layout.SortGlyphPos = {layout.SortGlyphPos.X + 1, layout.SortGlyphPos.Y + 1};
    }

    c.SetImageRect(false, {});
    if (showGlyph && (!showSort || in.RightToLeft || layout.GlyphPos.X + in.Glyph.cx <= layout.SortGlyphPos.X)) {
        if (c.CheckBox()) {
            const int checkIndex = control_.CheckImageIndexFor(nullptr, c.CheckType(), c.CheckState(), enabled);
            if (checkIndex >= 0 && checkIndex < checkImages->Count())
                checkImages->Draw(painter, layout.GlyphPos.X, layout.GlyphPos.Y, checkIndex);
        } else {
            header_.Images()->Draw(painter, layout.GlyphPos.X, layout.GlyphPos.Y, c.ImageIndex(), enabled);
        }
        c.SetImageRect(true, {layout.GlyphPos.X, layout.GlyphPos.Y, layout.GlyphPos.X + in.Glyph.cx,
                                  layout.GlyphPos.Y + in.Glyph.cy});
    }

    if (!caption.isEmpty()) {
        const TRect& t = layout.TextBounds;
        const QRect bounds(t.Left, t.Top, std::max(0, t.Width()), std::max(0, t.Height()));
        QString text = caption;
        const auto measure = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
        const bool wrap = c.Options().Has(coWrapCaption);
        // A wrapped caption is broken into lines, a single-line one shortened with "...".
        if (wrap)
            text = WrapTextToWidth(caption, bounds.width(), in.RightToLeft, measure);
        else if (metrics.horizontalAdvance(text) > bounds.width())
            text = EllipsizeText(caption, bounds.width(), metrics.horizontalAdvance(QStringLiteral("...")), measure);
        c.SetCaptionText(text.toStdU16String());
        int flags = (wrap ? 0 : int(Qt::TextSingleLine)) | Qt::AlignVCenter;
        flags |= in.Alignment == taCenter ? Qt::AlignHCenter
            : in.Alignment == taRightJustify ? Qt::AlignRight
                                             : Qt::AlignLeft;
        const bool hot = hover && !control_.TreeStates().Has(tsUseThemes);
        if (enabled) {
            painter.setPen(hot ? control_.Color(HeaderHotColor) : ResolveColor(header_.Font().Color, palette()));
            painter.drawText(bounds, flags, text);
        } else {
            painter.setPen(palette().color(QPalette::Light));
            painter.drawText(bounds.translated(1, 1), flags, text);
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawText(bounds, flags, text);
        }
    }

    if (showSort)
        DrawSortGlyph(painter, QPoint(layout.SortGlyphPos.X, layout.SortGlyphPos.Y), header_.SortDirection(),
            palette().color(QPalette::ButtonText));

    if (dropMark != dmmNone) {
        const QColor mark = control_.Color(DropMarkColor);
        const int x = dropMark == dmmLeft ? inner.left() : inner.right() - 2;
        painter.fillRect(QRect(x, inner.top(), 3, inner.height()), mark);
    }
}

void THeaderBar::UpdateCursor(TPoint p)
{
    switch (header_.CursorAt(p)) {
    case hcColumnSplitter:
        setCursor(Qt::SplitHCursor);
        break;
    case hcHeightSplitter:
        setCursor(Qt::SplitVCursor);
        break;
    case hcDefault:
        unsetCursor();
        break;
    }
}

namespace {
TMouseButton ButtonOf(Qt::MouseButton b)
{
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}
TShiftState ShiftOf(Qt::KeyboardModifiers m)
{
    TShiftState s;
    s.Set(ssShift, m & Qt::ShiftModifier);
    s.Set(ssCtrl, m & Qt::ControlModifier);
    s.Set(ssAlt, m & Qt::AltModifier);
    return s;
}
} // namespace

void THeaderBar::mousePressEvent(QMouseEvent* event)
{
    if (control_.IsEditing())
        control_.EndEditNode();
    header_.MouseDown(ButtonOf(event->button()), ShiftOf(event->modifiers()), ClientPoint(event->position().toPoint()));
    event->accept();
}

void THeaderBar::mouseMoveEvent(QMouseEvent* event)
{
    const TPoint p = ClientPoint(event->position().toPoint());
    header_.MouseMove(ShiftOf(event->modifiers()), p);
    UpdateCursor(p);
    event->accept();
}

void THeaderBar::mouseReleaseEvent(QMouseEvent* event)
{
    const TPoint p = ClientPoint(event->position().toPoint());
    header_.MouseUp(ButtonOf(event->button()), ShiftOf(event->modifiers()), p);
    UpdateCursor(p);
    event->accept();
}

void THeaderBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    header_.DoubleClick(ButtonOf(event->button()), ShiftOf(event->modifiers()), ClientPoint(event->position().toPoint()));
    event->accept();
}

void THeaderBar::leaveEvent(QEvent*)
{
    header_.MouseLeft();
}

} // namespace lazytree
