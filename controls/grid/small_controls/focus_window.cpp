#include "controls/grid/small_controls/focus_window.h"

#include "controls/grid/html_draw/html_colors.h"
#include "platform/compositing.h"

#include <QEvent>
#include <QPainter>

namespace grid {

namespace {

constexpr int kOffset = 4;
constexpr int kGrow = 9;

}  // namespace

QRegion FocusFrameRegion(QSize cell)
{
    const QRect outer(0, 0, cell.width() + kGrow, cell.height() + kGrow);
    return QRegion(outer).subtracted(QRegion(QRect(QPoint(kOffset, kOffset), cell)));
}

TGridFocusWindow::TGridFocusWindow(QWidget* grid)
    : QWidget(grid, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                        | Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint),
      grid_(grid)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(0, 0);
    hide();
}

TGridFocusWindow::~TGridFocusWindow()
{
    if (topLevel_)
        topLevel_->removeEventFilter(this);
}

void TGridFocusWindow::Place(const QRect& cellInGrid)
{
    if (!grid_)
        return;
    const QPoint global = grid_->mapToGlobal(cellInGrid.topLeft());
    move(global - QPoint(kOffset, kOffset));
}

void TGridFocusWindow::ShowAround(const QRect& cellInGrid)
{
    if (!grid_)
        return;
    hide();
    cellSize_ = cellInGrid.size();
    const QSize size = cellSize_ + QSize(kGrow, kGrow);
    resize(size);
    // Mask 3, 5, 4 over a light blue bitmap, opacity 230.
    const QImage shape = MakeRoundRectMask(size.width(), size.height(), 3, 5, 4);
    QImage colour(size, QImage::Format_RGB888);
    colour.fill(QColor(kColor & 0xFF, (kColor >> 8) & 0xFF, (kColor >> 16) & 0xFF));
    mask_.MergeMask(shape, colour);
    mask_.Opacity = kOpacity;
    setMask(FocusFrameRegion(cellSize_));
    Place(cellInGrid);
    if (QWidget* top = grid_->window(); top != topLevel_) {
        if (topLevel_)
            topLevel_->removeEventFilter(this);
        topLevel_ = top;
        topLevel_->installEventFilter(this);
    }
    following_ = true;
    show();
}

void TGridFocusWindow::MoveToCell()
{
    if (following_ && CellRect)
        Place(CellRect());
}

void TGridFocusWindow::HideFrame()
{
    following_ = false;
    hide();
}

bool TGridFocusWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == topLevel_ && following_
        && (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show)) {
        MoveToCell();
        update();
    }
    return QWidget::eventFilter(watched, e);
}

void TGridFocusWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!CompositingActive()) {
        // No translucency here: the ring in its colour.
        painter.fillRect(rect(), html::ToQColor(kColor));
        return;
    }
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(mask_.Opacity / 255.0);
    painter.drawImage(0, 0, mask_.Image());
}

}  // namespace grid
