#pragma once
#include <QImage>

#include <cstdint>
#include <stdexcept>

// The translucent focus frame's bitmaps on QImage: a round-rectangle mask,
// its blur, and the premultiplied colour-plus-alpha image made from a mask
// and a colour bitmap. "24-bit" bitmaps are QImage::Format_RGB888.
namespace grid {

class TGridAlphaMask
{
public:
    uint8_t Opacity = 255;
    const QImage& Image() const { return image_; }  // ARGB32 premultiplied

    // Copies the opacity and the pixels; the target takes the source's size.
    void Assign(const TGridAlphaMask& source);
    // alpha = the mask's red byte, colours premultiplied by it; only for a
    // 24-bit bitmap and a mask of the same size (false otherwise, nothing done).
    bool MergeMask(const QImage& mask, const QImage& bitmap);

private:
    QImage image_;
};

// A 24-bit black bitmap with a white round rectangle from (h + 2, h + 2) to
// (width - h - 2, height - h - 2), h = penWidth div 2: filled when penWidth < 1,
// else a ring of that pen; then blurred when blur > 0.
QImage MakeRoundRectMask(int width, int height, int blur, int corner, int penWidth);

// Separable Gaussian blur, 21 taps cut where the tails stay below 1/510,
// convolving only the 20-pixel margins; the interior rows and columns copy
// row and column 15. Throws std::invalid_argument for other than 24-bit bitmaps.
void BlurBitmap(QImage& bitmap, double radius);

}  // namespace grid
