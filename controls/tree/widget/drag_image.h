#pragma once

// The drag pixmap: the picture of the dragged nodes blended in advance, since Qt's drag shows a pixmap
// as given. A flat transparency, or the radial fade (alpha falling off from the centre) scaled by it;
// pixels of the colour key vanish.

#include <QImage>

#include <optional>

namespace lazytree {

struct TDragImageOptions {
    int Transparency = 128; // 0 .. 255
    bool Fade = false;
    std::optional<QRgb> ColorKey;
    int PreBlendBias = 0; // -128 .. 127, added to every colour channel
};

// The fade's alpha at (x, y) of a w × h image: the integer nearest to 255 × e^(−8 × r), halves to even,
// r the distance from the centre divided by the larger side.
int FadeAlpha(int x, int y, int w, int h);

// A premultiplied ARGB picture ready to be shown under the pointer.
QImage BlendDragImage(const QImage& image, const TDragImageOptions& options);

} // namespace lazytree
