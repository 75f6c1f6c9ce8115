// The panning window.

#include "controls/tree/widget/panning_window.h"

#include "controls/tree/core/tree_errors.h"
#include "controls/tree/widget/shared_resources.h"

#include <QPainter>
#include <QRegion>

namespace lazytree {

QRegion PanningImageRegion(const QImage& image)
{
    TreeAssert(!image.isNull() && image.width() > 0 && image.height() > 0, "Invalid wheel panning image.");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb magenta = qRgb(255, 0, 255);
    QRegion region;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        int start = -1;
        for (int x = 0; x < rgb.width(); ++x) {
            const bool key = (line[x] & 0xFFFFFF) == (magenta & 0xFFFFFF);
            if (!key && start < 0) {
                start = x;
            } else if (key && start >= 0) {
                region += QRect(start, y, x - start, 1);
                start = -1;
            }
        }
        if (start >= 0)
            region += QRect(start, y, rgb.width() - start, 1);
    }
    return region;
}

TPanningWindow::TPanningWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    resize(32, 32);
}

void TPanningWindow::ShowAt(QPoint globalCenter, TPanningImage image)
{
    image_ = PanningImage(image);
    resize(image_.size());
    setMask(PanningImageRegion(image_));
    move(globalCenter - QPoint(image_.width() / 2, image_.height() / 2));
    show();
}

void TPanningWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

} // namespace lazytree
