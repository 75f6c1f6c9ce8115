#include "controls/grid/small_controls/button_look.h"

#include "controls/grid/html_draw/html_colors.h"

#include <QPainter>

#include <cmath>

namespace grid {

namespace {

constexpr TColor kBtnFace = 0xFF00000F;

const ButtonLookColors kLooks[] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, clWhite, clNone, 0xAF987A, 0xC3CECE, true},
    {kBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31, false},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clBlack, clBlack, false},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clBlack, clBlack, false},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, clBlack, clBlack, false},
    {kBtnFace, clNone, kBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, false},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, clGray, clGray, false},
};

int Lerp(int a, int b, int n, int steps)
{
    return int(std::lround(a + double(n) * (b - a) / steps));
}

}  // namespace

const ButtonLookColors* ButtonLook(int look)
{
    if (look < 0 || look >= int(std::size(kLooks)))
        return nullptr;
    return &kLooks[look];
}

std::vector<GradientBand> ButtonGradientBands(QColor from, QColor to, bool horizontal, const QRect& rect,
                                              int steps)
{
    std::vector<GradientBand> bands;
    if (steps <= 0)
        steps = 1;
    const int length = horizontal ? rect.width() : rect.height();
    if (length <= 0)
        return bands;
    bands.reserve(size_t(steps));
    for (int n = 0; n < steps; ++n) {
        const int start = int(qint64(length) * n / steps);
        const int end = std::min(length, int(qint64(length) * (n + 1) / steps) + 1);
        if (end <= start)
            continue;
        QRect band = horizontal ? QRect(rect.left() + start, rect.top(), end - start, rect.height())
                                : QRect(rect.left(), rect.top() + start, rect.width(), end - start);
        const QColor c(Lerp(from.red(), to.red(), n, steps), Lerp(from.green(), to.green(), n, steps),
                       Lerp(from.blue(), to.blue(), n, steps));
        bands.push_back({band, c});
    }
    return bands;
}

void DrawButtonGradient(QPainter& painter, TColor from, TColor to, bool horizontal, const QRect& rect, int steps,
                        TColor borderColor)
{
    for (const GradientBand& b : ButtonGradientBands(html::ToQColor(from), html::ToQColor(to), horizontal, rect, steps))
        painter.fillRect(b.Rect, b.Color);
    if (borderColor != clNone) {
        painter.setPen(html::ToQColor(borderColor));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

QImage GreyGlyph(const QImage& glyph)
{
    QImage grey = glyph.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb p = line[x];
            const int m = (int(std::lround((qRed(p) + qGreen(p) + qBlue(p)) / 3.0)) / 2 + 96) % 256;
            line[x] = qRgb(m, m, m);
        }
    }
    return grey;
}

QImage TransparentGlyph(const QImage& glyph)
{
    if (glyph.isNull())
        return glyph;
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1) | 0xFF000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
        }
    }
    return out;
}

QImage ShadeGlyph(const QImage& glyph)
{
    QImage out = TransparentGlyph(glyph);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                line[x] = qRgb(0x80, 0x80, 0x80);
        }
    }
    return out;
}

}  // namespace grid
