#include "controls/dropdown/color_panels.h"

#include "controls/grid/widget/qt_canvas.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QToolTip>

namespace dropdown {

namespace {

QColor C(TColor c)
{
    return grid::ToQColor(c);
}

TColor FromQt(QRgb rgb)
{
    return TColor(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16);
}

}  // namespace

// ---- colour boxes ----

TCustomColorSelector::TCustomColorSelector(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    LoadDefaultPalette();
}

void TCustomColorSelector::LoadDefaultPalette()
{
    items_ = DefaultPalette();
    ArrangeItems();
}

void TCustomColorSelector::ArrangeItems()
{
    itemHot_ = -1;
    resize(ArrangeColorBoxes(items_, layout_));
    update();
}

void TCustomColorSelector::SetItemIndex(int index)
{
    if (index >= int(items_.size()))
        return;
    if (index >= 0 && !items_[size_t(index)].Enabled)
        return;
    if (itemIndex_ >= 0 && itemIndex_ != index)
        update(items_[size_t(itemIndex_)].Rect.adjusted(-1, -1, 1, 1));
    itemIndex_ = index < 0 ? -1 : index;
    if (itemIndex_ >= 0) {
        selectedColor_ = items_[size_t(itemIndex_)].Color;
        update(items_[size_t(itemIndex_)].Rect.adjusted(-1, -1, 1, 1));
        if (OnItemSelect)
            OnItemSelect(this);
    }
}

void TCustomColorSelector::SetSelectedColor(TColor color)
{
    if (color == selectedColor_)
        return;
    selectedColor_ = color;
    if (color == clNone)
        SetItemIndex(-1);
    const int found = FirstBoxOfColor(items_, color);
    if (found >= 0)
        SetItemIndex(found);
    else
        SetItemIndex(-1);
    selectedColor_ = color;
}

void TCustomColorSelector::SetItemHot(int index)
{
    if (index == itemHot_ || (index >= 0 && !items_[size_t(index)].Enabled))
        return;
    if (itemHot_ >= 0)
        update(items_[size_t(itemHot_)].Rect.adjusted(-1, -1, 1, 1));
    itemHot_ = index;
    if (index >= 0)
        update(items_[size_t(index)].Rect.adjusted(-1, -1, 1, 1));
}

void TCustomColorSelector::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), C(Color));
    for (int i = 0; i < int(items_.size()); ++i)
        if (items_[size_t(i)].Rect.adjusted(-1, -1, 1, 1).intersects(event->rect()))
            DrawItem(p, i);
}

void TCustomColorSelector::DrawItem(QPainter& p, int index)
{
    const TColorBoxItem& box = items_[size_t(index)];
    QRect r = box.Rect;
    TColor outer = appearance_.BorderColor;
    TColor inner = clNone;
    bool special = false;
    if (index == itemHot_) {
        outer = appearance_.OuterBorderColorHot;
        inner = appearance_.InnerBorderColorHot;
        special = true;
    }
    if (index == itemIndex_) {
        outer = appearance_.OuterBorderColorSelected;
        inner = appearance_.InnerBorderColorSelected;
        special = true;
    }
    if (box.Color != clNone)
        p.fillRect(r, C(box.Color));
    p.setBrush(Qt::NoBrush);
    if (special) {
        if (outer != clNone) {
            p.setPen(C(outer));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }
        if (inner != clNone) {
            p.setPen(C(inner));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        return;
    }
    // Joined shades share their frame; the right and bottom lines lie one
    // pixel outside the box.
    p.setPen(C(appearance_.BorderColor));
    const int L = r.left(), T = r.top(), R = r.left() + r.width(), B = r.top() + r.height();
    switch (box.ColorBoxPos) {
    case ipStandAlone: p.drawPolyline(QPolygon({QPoint(L, B), QPoint(L, T), QPoint(R, T), QPoint(R, B), QPoint(L, B)})); break;
    case ipTop: p.drawPolyline(QPolygon({QPoint(L, B), QPoint(L, T), QPoint(R, T), QPoint(R, B)})); break;
    case ipMiddle:
        p.drawLine(L, T, L, B);
        p.drawLine(R, T, R, B);
        break;
    case ipBottom:
        p.drawPolyline(QPolygon({QPoint(L, T), QPoint(L, B), QPoint(R, B)}));
        p.drawLine(R, T, R, B);
        break;
    }
}

void TCustomColorSelector::mousePressEvent(QMouseEvent* event)
{
    const int index = ColorBoxAtPos(items_, event->position().toPoint());
    if (index >= 0 && items_[size_t(index)].Enabled)
        SetItemIndex(index);
}

void TCustomColorSelector::mouseMoveEvent(QMouseEvent* event)
{
    const int index = ColorBoxAtPos(items_, event->position().toPoint());
    if (index >= 0 && items_[size_t(index)].Enabled)
        SetItemHot(index);
    else if (itemHot_ >= 0)
        SetItemHot(-1);
}

void TCustomColorSelector::leaveEvent(QEvent*)
{
    SetItemHot(-1);
}

// ---- the cube ----

TExColorCubePanel::TExColorCubePanel(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    resize(182, 160);
}

void TExColorCubePanel::SetSelectedColor(TColor color)
{
    selectedColor_ = color;
    selectedIndex_ = CubeCellOfColor(color);
}

void TExColorCubePanel::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().window());
    const auto& cells = CubeCells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const auto hex = CubeHexagon(cells[i].Center, 6, 3);
        p.setPen(C(cells[i].Color));
        p.setBrush(C(cells[i].Color));
        p.drawPolygon(hex.data(), 6);
    }
    p.setBrush(Qt::NoBrush);
    auto outline = [&](int cell, TColor outer) {
        if (cell < 1)
            return;
        const QPoint c = cells[size_t(cell - 1)].Center;
        p.setPen(C(outer));
        p.drawPolygon(CubeHexagon(c, 5, 3).data(), 6);
        p.setPen(Qt::white);
        p.drawPolygon(CubeHexagon(c, 4, 2).data(), 6);
    };
    outline(hotIndex_, 0x0000FF);
    outline(selectedIndex_, 0x000000);
}

void TExColorCubePanel::mouseMoveEvent(QMouseEvent* event)
{
    const int cell = CubeCellAtPos(event->position().toPoint());
    if (cell > 0 && cell != hotIndex_) {
        hotIndex_ = cell;
        update();
        if (ShowRGBHint) {
            setToolTip(CubeHint(CubeCells()[size_t(cell - 1)].Color));
            QToolTip::hideText();
        }
    } else if (cell < 0 && ShowRGBHint) {
        setToolTip(QString());
        QToolTip::hideText();
    }
}

void TExColorCubePanel::mousePressEvent(QMouseEvent* event)
{
    const int cell = CubeCellAtPos(event->position().toPoint());
    if (cell < 0)
        return;
    selectedIndex_ = cell;
    selectedColor_ = CubeCells()[size_t(cell - 1)].Color;
    update();
    if (OnSelect)
        OnSelect(this);
}

void TExColorCubePanel::mouseReleaseEvent(QMouseEvent*)
{
    if (OnShouldHide)
        OnShouldHide(this);
}

// ---- the spectrum ----

TExColorSpectrumPanel::TExColorSpectrumPanel(QWidget* parent) : QWidget(parent), spectrum_(SpectrumImage())
{
    setMouseTracking(true);
    resize(150, 174);
    const QImage pipette = PipetteCursorImage();
    setCursor(QCursor(QPixmap::fromImage(pipette), kPipetteHotSpot.x(), kPipetteHotSpot.y()));
}

void TExColorSpectrumPanel::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().window());
    const QRect image = kSpectrumImageRect;
    p.drawImage(image.topLeft(), spectrum_);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::white);
    p.drawRect(image.adjusted(-1, -1, 0, 0));
    p.setPen(Qt::gray);
    p.drawRect(image.adjusted(-2, -2, 1, 1));
    auto swatch = [&](const QRect& r, TColor color) {
        p.setBrush(Qt::NoBrush);
        p.setPen(Qt::gray);
        p.drawRect(r.adjusted(-1, -1, 0, 0));
        p.setPen(Qt::white);
        p.setBrush(color == clNone ? QBrush(Qt::NoBrush) : QBrush(C(color)));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    swatch(SpectrumSelectedSwatch(), SelectedColor);
    swatch(SpectrumHotSwatch(), hotColor_);
}

void TExColorSpectrumPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - kSpectrumImageRect.topLeft();
    if (!spectrum_.rect().contains(at))
        return;
    hotColor_ = FromQt(spectrum_.pixel(at));
    update(SpectrumHotSwatch().adjusted(-1, -1, 1, 1));
}

void TExColorSpectrumPanel::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - kSpectrumImageRect.topLeft();
    if (!spectrum_.rect().contains(at))
        return;
    hotColor_ = FromQt(spectrum_.pixel(at));
    SelectedColor = hotColor_;
    update(SpectrumSelectedSwatch().adjusted(-1, -1, 1, 1));
    if (OnSelect)
        OnSelect(this);
}

void TExColorSpectrumPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - kSpectrumImageRect.topLeft();
    if (spectrum_.rect().contains(at) && OnShouldHide)
        OnShouldHide(this);
}

}  // namespace dropdown
