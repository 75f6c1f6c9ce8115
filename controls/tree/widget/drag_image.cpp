#include "controls/tree/widget/drag_image.h"

#include <algorithm>
#include <cmath>

namespace lazytree {

int FadeAlpha(int x, int y, int w, int h)
{
    const double m = std::max(std::max(w, h), 1);
    const double dx = (x - w / 2) / m;
    const double dy = (y - h / 2) / m;
    return static_cast<int>(std::nearbyint(255.0 * std::exp(-8.0 * std::sqrt(dx * dx + dy * dy))));
}

QImage BlendDragImage(const QImage& image, const TDragImageOptions& options)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QImage result(source.size(), QImage::Format_ARGB32_Premultiplied);
    const int transparency = std::clamp(options.Transparency, 0, 255);
    const bool perPixel = options.Fade || options.ColorKey.has_value();
    const auto biased = [&](int c) { return std::clamp(c + options.PreBlendBias, 0, 255); };
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = in[x];
            int alpha = transparency;
            if (perPixel) {
                int own = options.Fade ? FadeAlpha(x, y, source.width(), source.height()) : 255;
                if (options.ColorKey && (p & 0xFFFFFF) == (*options.ColorKey & 0xFFFFFF))
                    own = 0;
                alpha = own * transparency / 255;
            }
            out[x] = qPremultiply(qRgba(biased(qRed(p)), biased(qGreen(p)), biased(qBlue(p)), alpha));
        }
    }
    return result;
}

} // namespace lazytree
