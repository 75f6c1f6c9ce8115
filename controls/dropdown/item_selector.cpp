#include "controls/dropdown/item_selector.h"

#include "controls/dropdown/drawing_routines.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace dropdown {

TExCustomItemSelector::TExCustomItemSelector(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetSelectorType(TSelectorType value)
{
    if (value == selectorType_)
        return;
    selectorType_ = value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColumns(int value)
{
    if (model_.SetColumns(value))
        UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColorBoxSize(int width, int height)
{
    if (width == boxWidth_ && height == boxHeight_)
        return;
    boxWidth_ = width;
    boxHeight_ = height;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetImages(const QList<QPixmap>* images)
{
    if (images == images_)
        return;
    images_ = images;
    UpdateSelectorPanel();
}

QSize TExCustomItemSelector::GetItemSize()
{
    if (OnItemSize) {
        QSize size;
        OnItemSize(this, size);
        return size;
    }
    QSize image = selectorType_ == stColor ? QSize(boxWidth_, boxHeight_) : QSize(0, 0);
    QSize caption(0, 0);
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    painter.setFont(QFont(appearance_.FontFamily, appearance_.FontPointSize));
    for (const TSelectorItem& item : model_.Items) {
        if (selectorType_ == stImage) {
            if (!item.Image.isNull())
                image = image.expandedTo(item.Image.size());
            else if (images_ && !images_->isEmpty() && item.ImageIndex >= 0)
                image = image.expandedTo(images_->first().size());
        }
        if (!item.Caption.isEmpty())
            caption = caption.expandedTo(HtmlDraw(painter, item.Caption, QRect(0, 0, 1000, 500), false, images_));
    }
    return ItemSizeFor(image, caption, ItemLayout, model_.Metrics);
}

void TExCustomItemSelector::UpdateSelectorPanel()
{
    model_.Arrange(model_.Items.empty() ? QSize() : GetItemSize());
    UpdateScrollBars();
    viewport()->update();
}

void TExCustomItemSelector::UpdateScrollBars()
{
    // Decided from the space without bars, so a bar never stays for a range
    // computed on an older viewport.
    const QSize panel = model_.PanelSize();
    const QSize room = maximumViewportSize();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool hOff = horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff;
    bool needV = panel.height() > room.height();
    bool needH = !hOff && panel.width() > room.width() - (needV ? extent : 0);
    if (needH && !needV)
        needV = panel.height() > room.height() - extent;
    const QSize view(room.width() - (needV ? extent : 0), room.height() - (needH ? extent : 0));
    verticalScrollBar()->setRange(0, std::max(0, panel.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(std::max(1, model_.ItemSize().height()));
    horizontalScrollBar()->setRange(0, std::max(0, panel.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
}

void TExCustomItemSelector::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TExCustomItemSelector::scrollContentsBy(int, int)
{
    viewport()->update();
}

int TExCustomItemSelector::ItemAtPos(QPoint viewportPos) const
{
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return model_.ItemAtPos(viewportPos + offset);
}

void TExCustomItemSelector::InvalidateItem(int index)
{
    if (!model_.Valid(index))
        return;
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update(model_.ItemRect(index).translated(-offset));
}

void TExCustomItemSelector::Select(int index)
{
    const int old = model_.ItemIndex();
    if (model_.Valid(index) && !model_.Items[size_t(index)].Enabled)
        return;
    const bool fire = model_.SetItemIndex(index);
    InvalidateItem(old);
    InvalidateItem(model_.ItemIndex());
    if (fire && OnItemSelect)
        OnItemSelect(this);
}

void TExCustomItemSelector::SetItemIndex(int value)
{
    Select(value);
    ScrollItemInView(model_.ItemIndex());
}

void TExCustomItemSelector::SetItemHot(int index)
{
    const int old = model_.ItemHot();
    if (!model_.SetItemHot(index))
        return;
    InvalidateItem(old);
    InvalidateItem(model_.ItemHot());
}

void TExCustomItemSelector::SelectFirst()
{
    if (model_.Count())
        SetItemIndex(model_.FirstIndex());
}

void TExCustomItemSelector::SelectLast()
{
    if (model_.Count())
        SetItemIndex(model_.LastIndex());
}

void TExCustomItemSelector::SelectNext()
{
    const int next = model_.NextIndex(model_.ItemIndex());
    if (next >= 0)
        SetItemIndex(next);
}

void TExCustomItemSelector::SelectPrevious()
{
    const int previous = model_.PreviousIndex(model_.ItemIndex());
    if (previous >= 0)
        SetItemIndex(previous);
}

void TExCustomItemSelector::HotNext()
{
    const int next = model_.NextIndex(model_.ItemHot());
    if (next >= 0) {
        SetItemHot(next);
        ScrollItemInView(model_.ItemHot());
    }
}

void TExCustomItemSelector::HotPrevious()
{
    const int previous = model_.PreviousIndex(model_.ItemHot());
    if (previous >= 0) {
        SetItemHot(previous);
        ScrollItemInView(model_.ItemHot());
    }
}

bool TExCustomItemSelector::LookupItem(const QString& s)
{
    const int found = model_.LookupItem(s);
    if (found < 0)
        return false;
    SetItemIndex(found);
    return true;
}

void TExCustomItemSelector::ScrollItemInView(int index)
{
    if (!model_.Valid(index) || verticalScrollBar()->maximum() == 0)
        return;
    const QRect r = model_.ItemRect(index);
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(ScrollToShow(bar->value(), r.top(), r.top() + r.height(), 0, viewport()->height()));
}

int TExCustomItemSelector::GetVisibleItemCount() const
{
    return VisibleItemCount(height(), horizontalScrollBar()->isVisible(), model_.ItemSize().height(),
                            model_.Columns(), model_.Count());
}

void TExCustomItemSelector::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    painter.fillRect(exposed, grid::ToQColor(Color));
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const auto [first, last] = model_.ItemsIn(exposed.translated(offset));
    for (int i = first; i <= last; ++i) {
        const QRect r = model_.ItemRect(i).translated(-offset);
        if (r.intersects(exposed))
            DrawItem(painter, i, r);
    }
}

void TExCustomItemSelector::DrawItem(QPainter& painter, int index, const QRect& r)
{
    const TSelectorItem& item = model_.Items[size_t(index)];
    const ItemPaintColors c = ItemColors(appearance_, index == model_.ItemHot(), index == model_.ItemIndex());
    if (!c.Plain) {
        if (c.SimpleFrame) {
            DrawRectangle(painter, r, c.Fill, c.FillTo, c.Border, c.Border == clNone ? 0 : 1, gdVertical);
        } else {
            grid::QtCanvas canvas(painter);
            grid::DrawSelectionFrame(canvas, r, 0, c.Border, c.BorderTop, c.BorderBottom, Color, c.Edge, c.Fill,
                                     c.FillTo, c.Mirror, c.MirrorTo);
        }
    }
    if (OnDrawItem) {
        OnDrawItem(this, painter, r, index);
        return;
    }
    QSize g(0, 0);
    const bool hasImage = selectorType_ == stImage && !item.Image.isNull();
    const bool hasListImage =
        selectorType_ == stImage && !hasImage && images_ && item.ImageIndex >= 0 && item.ImageIndex < images_->size();
    if (selectorType_ == stColor)
        g = QSize(boxWidth_, boxHeight_);
    else if (hasImage)
        g = item.Image.size();
    else if (hasListImage)
        g = (*images_)[item.ImageIndex].size();
    const SelectorMetrics& m = model_.Metrics;
    QRect t = r.adjusted(m.ItemOffSetX, m.ItemOffSetY, -m.ItemOffSetX, -m.ItemOffSetY);
    QRect gr = t;
    painter.setFont(QFont(appearance_.FontFamily, appearance_.FontPointSize));
    painter.setPen(c.TextSet ? grid::ToQColor(c.Text) : palette().color(QPalette::Text));
    auto drawGraphic = [&](QPoint at) {
        if (selectorType_ == stColor) {
            painter.fillRect(QRect(at, g), grid::ToQColor(item.Color));
            painter.setPen(Qt::black);
            painter.drawRect(QRect(at, g).adjusted(0, 0, -1, -1));
            painter.setPen(c.TextSet ? grid::ToQColor(c.Text) : palette().color(QPalette::Text));
        } else if (hasImage) {
            painter.drawImage(at, item.Image);
        } else if (hasListImage) {
            const QPixmap& pm = (*images_)[item.ImageIndex];
            if (item.Enabled)
                painter.drawPixmap(at, pm);
            else
                painter.drawPixmap(at, QIcon(pm).pixmap(pm.size(), QIcon::Disabled));
        }
    };
    const bool caption = !item.Caption.isEmpty();
    auto centred = [&](const QRect& area) {
        return selectorType_ == stColor ? area.top() : area.top() + (area.height() - g.height()) / 2;
    };
    switch (ItemLayout) {
    case ilCaptionLeft:
        if (caption) {
            t.setRight(t.right() - g.width());
            const QSize cs = HtmlDraw(painter, item.Caption, t, false, images_);
            if (cs.height() < t.height())
                t.setTop(t.top() + (t.height() - cs.height()) / 2);
            HtmlDraw(painter, item.Caption, t, true, images_);
            gr.setLeft(t.left() + cs.width() + m.CaptionGap);
        }
        drawGraphic(QPoint(gr.left(), centred(gr)));
        break;
    case ilCaptionRight:
        drawGraphic(QPoint(gr.left(), centred(gr)));
        if (g.width() > 0)
            t.setLeft(gr.left() + g.width() + m.CaptionGap);
        if (caption) {
            const QSize cs = HtmlDraw(painter, item.Caption, t, false, images_);
            if (cs.height() < t.height())
                t.setTop(t.top() + (t.height() - cs.height()) / 2);
            HtmlDraw(painter, item.Caption, t, true, images_);
        }
        break;
    case ilCaptionTop:
        if (caption) {
            t.setBottom(t.bottom() - g.height());
            const QSize cs = HtmlDraw(painter, item.Caption, t, true, images_);
            gr.setTop(t.top() + cs.height() + m.CaptionGap);
        } else {
            gr.setTop(gr.top() + (gr.height() - g.height()) / 2);
        }
        gr.setLeft(gr.left() + (gr.width() - g.width()) / 2);
        drawGraphic(gr.topLeft());
        break;
    case ilCaptionBottom:
        if (!caption)
            gr.setTop(gr.top() + (gr.height() - g.height()) / 2);
        gr.setLeft(gr.left() + (gr.width() - g.width()) / 2);
        drawGraphic(gr.topLeft());
        t.setTop(gr.top() + g.height() + m.CaptionGap);
        if (caption)
            HtmlDraw(painter, item.Caption, t, true, images_);
        break;
    }
}

void TExCustomItemSelector::mousePressEvent(QMouseEvent* event)
{
    QAbstractScrollArea::mousePressEvent(event);
    const int index = ItemAtPos(event->position().toPoint());
    if (index >= 0 && model_.Items[size_t(index)].Enabled)
        Select(index);
}

void TExCustomItemSelector::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractScrollArea::mouseMoveEvent(event);
    const int index = ItemAtPos(event->position().toPoint());
    if (index >= 0 && index != model_.ItemHot()) {
        SetItemHot(model_.Items[size_t(index)].Enabled ? index : -1);
        viewport()->setToolTip(model_.Items[size_t(index)].Hint);
    } else if (index < 0 && model_.ItemHot() >= 0) {
        SetItemHot(-1);
    }
}

void TExCustomItemSelector::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    if (model_.ItemHot() >= 0)
        SetItemHot(-1);
}

}  // namespace dropdown
