#include "controls/dropdown/item_selector_core.h"

#include "controls/grid/html/mini_html_markup.h"

#include <algorithm>

namespace dropdown {

// Border, top, bottom, edge, hot, hot to, mirror hot, mirror hot to,
// selected, selected to, mirror selected, mirror selected to.
const std::array<SelectionStyleColors, 3> kSelectionStyleColors{{
    {scOffice2007,
     {0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xA6FFFB, 0x04B9F4, 0x15C1FB,
      0x68E3F9}},
    {scWindowsVista,
     {0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, 0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFAEEDE, 0xFAE3B4, clNone, clNone}},
    {scWindows7,
     {0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xF9D8B9, 0xFBCAA2, clNone, clNone}},
}};

namespace {

std::array<TColor*, 12> StyleMembers(TItemAppearance& a)
{
    return {&a.BorderColor,  &a.BorderColorTop,   &a.BorderColorBottom, &a.EdgeColor,
            &a.ColorHot,     &a.ColorHotTo,       &a.ColorMirrorHot,    &a.ColorMirrorHotTo,
            &a.ColorSelected, &a.ColorSelectedTo, &a.ColorMirrorSelected, &a.ColorMirrorSelectedTo};
}

}  // namespace

TItemAppearance::TItemAppearance()
{
    SetColorStyle(scOffice2007);
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle value)
{
    if (value == colorStyle_)
        return;
    colorStyle_ = value;
    for (const SelectionStyleColors& row : kSelectionStyleColors) {
        if (row.Style != value)
            continue;
        const auto members = StyleMembers(*this);
        for (size_t i = 0; i < members.size(); ++i)
            *members[i] = row.Colors[i];
    }
}

void TItemAppearance::Assign(const TItemAppearance& source)
{
    if (&source == this)
        return;
    auto mine = StyleMembers(*this);
    auto theirs = StyleMembers(const_cast<TItemAppearance&>(source));
    for (size_t i = 0; i < mine.size(); ++i)
        *mine[i] = *theirs[i];
    FontFamily = source.FontFamily;
    FontPointSize = source.FontPointSize;
    SetColorStyle(source.colorStyle_);
    ColorHotText = source.ColorHotText;
    ColorSelectedText = source.ColorSelectedText;
    BorderColorHot = source.BorderColorHot;
    BorderColorSelected = source.BorderColorSelected;
}

ItemPaintColors ItemColors(const TItemAppearance& a, bool hot, bool selected)
{
    ItemPaintColors c;
    c.Border = a.BorderColor;
    c.BorderTop = a.BorderColorTop;
    c.BorderBottom = a.BorderColorBottom;
    c.Edge = a.EdgeColor;
    auto apply = [&c](TColor fill, TColor fillTo, TColor mirror, TColor mirrorTo, TColor border, TColor text) {
        c.Fill = fill;
        c.FillTo = fillTo;
        c.Mirror = mirror;
        c.MirrorTo = mirrorTo;
        if (border != clNone) {
            c.Border = border;
            c.BorderTop = c.BorderBottom = c.Edge = clNone;
        }
        c.Text = text;
        c.TextSet = true;
        c.Plain = false;
    };
    if (hot)
        apply(a.ColorHot, a.ColorHotTo, a.ColorMirrorHot, a.ColorMirrorHotTo, a.BorderColorHot, a.ColorHotText);
    if (selected)  // wins over hot
        apply(a.ColorSelected, a.ColorSelectedTo, a.ColorMirrorSelected, a.ColorMirrorSelectedTo,
              a.BorderColorSelected, a.ColorSelectedText);
    c.SimpleFrame = c.BorderTop == clNone;
    return c;
}

QSize ItemSizeFor(QSize image, QSize caption, TItemLayout layout, const SelectorMetrics& m)
{
    int cw = caption.width();
    const int ch = caption.height();
    if (cw > 0)
        cw += 4;
    const int iw = image.width();
    const int ih = image.height();
    if (layout == ilCaptionLeft || layout == ilCaptionRight) {
        const int w = 2 * m.ItemOffSetX + std::max(0, iw) + (iw > 0 && cw > 0 ? m.CaptionGap : 0) + cw;
        return {w, std::max(ch, ih) + 2 * m.ItemOffSetY};
    }
    const int w = std::max(cw, iw) + 2 * m.ItemOffSetX;
    const int h = 2 * m.ItemOffSetY + std::max(0, ih) + (ch >= 1 && ih > 0 ? m.CaptionGap : 0) + ch;
    return {w, h};
}

bool SelectorModel::SetColumns(int value)
{
    if (value < 1 || value == columns_)
        return false;
    columns_ = value;
    return true;
}

void SelectorModel::Arrange(QSize itemSize)
{
    if (Items.empty()) {
        panelSize_ = QSize(100, 50);
        itemSize_ = QSize();
        return;
    }
    itemHot_ = -1;
    itemSize_ = itemSize;
    const int n = Count();
    const int cols = std::min(columns_, n);
    const int rows = (n + columns_ - 1) / columns_;
    // The rightmost start is that of the widest row's last cell.
    panelSize_ = QSize(Metrics.OffSetX + (cols - 1) * itemSize.width() + itemSize.width() + Metrics.OffSetX,
                       Metrics.OffSetY + (rows - 1) * itemSize.height() + itemSize.height() + Metrics.OffSetY);
}

QRect SelectorModel::ItemRect(int index) const
{
    if (!Valid(index) || !itemSize_.isValid())
        return QRect(QPoint(-1, -1), QPoint(-2, -2));
    const int x = Metrics.OffSetX + (index % columns_) * itemSize_.width();
    const int y = Metrics.OffSetY + (index / columns_) * itemSize_.height();
    return QRect(x, y, itemSize_.width(), itemSize_.height());
}

int SelectorModel::ItemAtPos(QPoint p) const
{
    if (Items.empty() || itemSize_.width() <= 0 || itemSize_.height() <= 0)
        return -1;
    const int dx = p.x() - Metrics.OffSetX;
    const int dy = p.y() - Metrics.OffSetY;
    if (dx < 0 || dy < 0)
        return -1;
    const int col = dx / itemSize_.width();
    if (col >= columns_)
        return -1;
    const long long index = (long long)(dy / itemSize_.height()) * columns_ + col;
    return index < Count() ? int(index) : -1;
}

std::pair<int, int> SelectorModel::ItemsIn(const QRect& rect) const
{
    if (Items.empty() || itemSize_.height() <= 0)
        return {0, -1};
    const int top = std::max(0, rect.top() - Metrics.OffSetY) / itemSize_.height();
    const int bottom = std::max(0, rect.bottom() - Metrics.OffSetY) / itemSize_.height();
    const long long first = (long long)top * columns_;
    const long long last = std::min<long long>(Count() - 1, (long long)(bottom + 1) * columns_ - 1);
    if (first >= Count())
        return {0, -1};
    return {int(first), int(last)};
}

bool SelectorModel::SetItemIndex(int value)
{
    if (Valid(value) && !Items[size_t(value)].Enabled)
        return false;
    itemIndex_ = Valid(value) ? value : -1;
    return itemIndex_ >= 0;
}

bool SelectorModel::SetItemHot(int value)
{
    if (value == itemHot_ || (Valid(value) && !Items[size_t(value)].Enabled))
        return false;
    itemHot_ = Valid(value) ? value : -1;
    return true;
}

int SelectorModel::NextIndex(int from) const
{
    if (Items.empty())
        return -1;
    if (from < 0)
        return 0;
    return from + 1 < Count() ? from + 1 : -1;
}

int SelectorModel::PreviousIndex(int from) const
{
    if (Items.empty())
        return -1;
    if (from < 0)
        return 0;
    return from > 0 ? from - 1 : -1;
}

int SelectorModel::LookupItem(const QString& s) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString plain = grid::html::HtmlToPlainText(Items[size_t(i)].Caption).trimmed().toUpper();
        if (plain.startsWith(s))
            return i;
    }
    return -1;
}

int ScrollToShow(int scrollPos, int itemTop, int itemBottom, int margin, int clientHeight)
{
    int top = itemTop - margin - scrollPos;
    int bottom = itemBottom + margin - scrollPos;
    if (top < 0)
        return scrollPos + top;
    if (bottom > clientHeight) {
        if (bottom - top > clientHeight)
            bottom = top + clientHeight;
        return scrollPos + bottom - clientHeight;
    }
    return scrollPos;
}

int VisibleItemCount(int height, bool horizontalBarVisible, int itemHeight, int columns, int count)
{
    if (count <= 0 || itemHeight < 1)
        return 0;
    const int h = height - (horizontalBarVisible ? 20 : 0);
    return std::max(0, h / itemHeight) * columns;
}

}  // namespace dropdown
