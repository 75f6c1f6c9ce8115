#pragma once

// The small frameless window under the pointer while the middle button pans the tree: a picture cut to its
// own shape (the magenta pixels are left out).

#include "controls/tree/core/tree_types.h"

#include <QImage>
#include <QWidget>

namespace lazytree {

class TPanningWindow : public QWidget {
public:
    explicit TPanningWindow(QWidget* owner);
    // Shows the image centred on a screen point, without taking the focus.
    void ShowAt(QPoint globalCenter, TPanningImage image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// The region of an image's pixels that are not magenta, row by row; the image must not be empty.
QRegion PanningImageRegion(const QImage& image);

} // namespace lazytree
