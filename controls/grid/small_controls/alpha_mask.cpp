#include "controls/grid/small_controls/alpha_mask.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <vector>

namespace grid {

namespace {

constexpr int kTaps = 10;
constexpr int kMargin = 20;
constexpr int kCopyFrom = 15;

uint8_t Clamp(double v)
{
    if (v < 0)
        return 0;
    if (v >= 255)
        return 255;
    return uint8_t(std::lround(v));
}

}  // namespace

void TGridAlphaMask::Assign(const TGridAlphaMask& source)
{
    Opacity = source.Opacity;
    image_ = source.image_.copy();
    if (!image_.isNull())
        image_ = image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool TGridAlphaMask::MergeMask(const QImage& mask, const QImage& bitmap)
{
    if (bitmap.format() != QImage::Format_RGB888 || mask.size() != bitmap.size())
        return false;
    const QImage m = mask.convertToFormat(QImage::Format_RGB888);
    image_ = QImage(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < bitmap.height(); ++y) {
        const uchar* b = bitmap.constScanLine(y);
        const uchar* a = m.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            const int alpha = a[x * 3];  // the red byte
            auto pre = [alpha](int c) { return int(std::lround(c * alpha / 255.0)); };
            out[x] = qRgba(pre(b[x * 3]), pre(b[x * 3 + 1]), pre(b[x * 3 + 2]), alpha);
        }
    }
    return true;
}

QImage MakeRoundRectMask(int width, int height, int blur, int corner, int penWidth)
{
    QImage bitmap(std::max(0, width), std::max(0, height), QImage::Format_RGB888);
    if (bitmap.isNull())
        return bitmap;
    bitmap.fill(Qt::black);
    {
        QPainter painter(&bitmap);
        const int h = penWidth / 2;
        QPen pen(Qt::white, std::max(1, penWidth));
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(penWidth < 1 ? QBrush(Qt::white) : QBrush(Qt::black));
        const QRect r(QPoint(h + 2, h + 2), QPoint(width - h - 2 - 1, height - h - 2 - 1));
        painter.drawRoundedRect(r, corner / 2.0, corner / 2.0);
    }
    if (blur > 0)
        BlurBitmap(bitmap, blur);
    return bitmap;
}

void BlurBitmap(QImage& bitmap, double radius)
{
    if (bitmap.format() != QImage::Format_RGB888)
        throw std::invalid_argument("Blur only works for 24-bit bitmaps");
    if (radius <= 0 || bitmap.isNull())
        return;
    // Kernel w(-10..10), cut while the tails already cut stay below 1/510.
    std::array<double, 2 * kTaps + 1> w{};
    double sum = 0;
    for (int k = -kTaps; k <= kTaps; ++k) {
        w[size_t(k + kTaps)] = std::exp(-(k / radius) * (k / radius) / 2);
        sum += w[size_t(k + kTaps)];
    }
    for (double& v : w)
        v /= sum;
    int m = kTaps;
    double tails = 0;
    while (tails < 1.0 / 510 && m > 1) {
        tails += w[size_t(m + kTaps)] + w[size_t(-m + kTaps)];
        --m;
    }
    sum = 0;
    for (int k = -m; k <= m; ++k)
        sum += w[size_t(k + kTaps)];
    for (int k = -m; k <= m; ++k)
        w[size_t(k + kTaps)] /= sum;

    const int width = bitmap.width();
    const int height = bitmap.height();
    auto convolve = [&](const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int n) {
        for (int i = 0; i < n; ++i) {
            for (int c = 0; c < 3; ++c) {
                double v = 0;
                for (int k = -m; k <= m; ++k) {
                    const int j = std::clamp(i - k, 0, n - 1);
                    v += w[size_t(k + kTaps)] * in[size_t(j * 3 + c)];
                }
                out[size_t(i * 3 + c)] = Clamp(v);
            }
        }
    };
    // Rows.
    std::vector<uint8_t> in(size_t(std::max(width, height)) * 3), out(in.size());
    for (int y = 0; y < height; ++y) {
        uchar* line = bitmap.scanLine(y);
        if (y > kMargin && y < height - kMargin) {
            std::copy_n(bitmap.constScanLine(kCopyFrom), width * 3, line);
            continue;
        }
        std::copy_n(line, width * 3, in.begin());
        convolve(in, out, width);
        std::copy_n(out.begin(), width * 3, line);
    }
    // Columns.
    for (int x = 0; x < width; ++x) {
        if (x > kMargin && x < width - kMargin) {
            for (int y = 0; y < height; ++y) {
                uchar* line = bitmap.scanLine(y);
                std::copy_n(line + kCopyFrom * 3, 3, line + x * 3);
            }
            continue;
        }
        for (int y = 0; y < height; ++y)
            std::copy_n(bitmap.constScanLine(y) + x * 3, 3, in.begin() + y * 3);
        convolve(in, out, height);
        for (int y = 0; y < height; ++y)
            std::copy_n(out.begin() + y * 3, 3, bitmap.scanLine(y) + x * 3);
    }
}

}  // namespace grid
