// Text shortening and wrapping, alpha blending on pixel rows, drag-image move areas.

#include "controls/tree/widget/draw_utils.h"

#include "controls/tree/widget/tree_colors.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace lazytree {

QString EllipsizeText(const QString& text, int width, int ellipsisWidth, const TextWidthMeasure& measure)
{
    if (text.isEmpty() || width <= 0)
        return {};
    const QString ellipsis = QStringLiteral("...");
    if (ellipsisWidth == 0)
        ellipsisWidth = measure(ellipsis);
    int low = 0;
    int high = static_cast<int>(text.size());
    while (high > low) {
        const int n = (low + high + 1) / 2;
        if (ellipsisWidth + measure(text.left(n)) <= width)
            low = n;
        else
            high = n - 1;
    }
    if (low == text.size())
        return text;
    if (ellipsisWidth < width)
        return text.left(low) + ellipsis;
    return {};
}

QString WrapTextToWidth(const QString& text, int width, bool rightToLeft, const TextWidthMeasure& measure)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    QStringList words = trimmed.split(QLatin1Char(' '));
    QString result;
    // Words still to place; right to left takes them from the end.
    while (!words.isEmpty()) {
        QString line;
        bool taken = false;
        while (!words.isEmpty()) {
            const QString& word = rightToLeft ? words.last() : words.first();
            QString candidate;
            if (rightToLeft)
                candidate = taken ? word + QLatin1Char(' ') + line : word;
            else
                candidate = taken ? line + QLatin1Char(' ') + word : word;
            if (measure(candidate) > width)
                break;
            line = candidate;
            taken = true;
            if (rightToLeft)
                words.removeLast();
            else
                words.removeFirst();
        }
        if (!taken) {
            // Not one word fits: cut the word, longest part first, at least one character.
            QString& word = rightToLeft ? words.last() : words.first();
            const int length = static_cast<int>(word.size());
            int cut = 1;
            if (length > 2) {
                for (int n = length - 1; n >= 2; --n) {
                    const QString part = rightToLeft ? word.right(n) : word.left(n);
                    if (measure(part) <= width) {
                        cut = n;
                        break;
                    }
                }
            }
            cut = std::min(cut, length);
            line = rightToLeft ? word.right(cut) : word.left(cut);
            word = rightToLeft ? word.left(length - cut) : word.mid(cut);
            if (word.isEmpty()) {
                if (rightToLeft)
                    words.removeLast();
                else
                    words.removeFirst();
            }
        }
        result += line + QLatin1Char('\n');
    }
    result.chop(1);
    return result;
}

namespace {

inline uint32_t ClampByte(int v)
{
    return static_cast<uint32_t>(std::clamp(v, 0, 255));
}

} // namespace

void AlphaBlendPixels(const uint32_t* source, uint32_t* destination, int count, TAlphaBlendKind kind,
    int constantAlpha, int bias)
{
    for (int i = 0; i < count; ++i) {
        const uint32_t s = source[i];
        const uint32_t d = destination[i];
        int a = constantAlpha;
        if (kind == bkPerPixelAlpha)
            a = static_cast<int>(s >> 24);
        else if (kind == bkMasterAlpha)
            a = static_cast<int>(s >> 24) * constantAlpha / 256;
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const int sc = static_cast<int>((s >> shift) & 0xFF);
            const int dc = static_cast<int>((d >> shift) & 0xFF);
            const int v = ((256 - a) * dc + a * sc) / 256;
            out |= ClampByte(v + bias) << shift;
        }
        destination[i] = out;
    }
}

void AlphaTintPixels(uint32_t* destination, int count, int constantAlpha, uint32_t bgrColor)
{
    // Memory order blue, green, red, alpha; the colour gives blue, green and red, 0 for alpha.
    const int c[4] = {static_cast<int>((bgrColor >> 16) & 0xFF), static_cast<int>((bgrColor >> 8) & 0xFF),
        static_cast<int>(bgrColor & 0xFF), 0};
    const int a = constantAlpha;
    for (int i = 0; i < count; ++i) {
        const uint32_t d = destination[i];
        uint32_t out = 0;
        for (int b = 0; b < 4; ++b) {
            const int dc = static_cast<int>((d >> (8 * b)) & 0xFF);
            out |= ClampByte(((256 - a) * dc + a * c[b]) / 256) << (8 * b);
        }
        destination[i] = out;
    }
}

void AlphaBlendRect(const QImage* source, QImage& destination, const QRect& r, const QPoint& target,
    TAlphaBlendKind kind, int constantAlpha, int bias)
{
    if (r.isEmpty() || destination.depth() != 32)
        return;
    if (kind == bkConstantAlphaAndColor) {
        const QRect area = r & destination.rect();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* row = reinterpret_cast<uint32_t*>(destination.scanLine(y));
            AlphaTintPixels(row + area.left(), area.width(), constantAlpha, static_cast<uint32_t>(bias));
        }
        return;
    }
    if (!source || source->depth() != 32)
        return;
    for (int i = 0; i < r.height(); ++i) {
        const int sy = r.top() + i;
        const int dy = target.y() + i;
        if (sy < 0 || sy >= source->height() || dy < 0 || dy >= destination.height())
            continue;
        int sx = r.left();
        int dx = target.x();
        int count = r.width();
        if (sx < 0) {
            count += sx;
            dx -= sx;
            sx = 0;
        }
        if (dx < 0) {
            count += dx;
            sx -= dx;
            dx = 0;
        }
        count = std::min({count, source->width() - sx, destination.width() - dx});
        if (count <= 0)
            continue;
        const auto* srow = reinterpret_cast<const uint32_t*>(source->constScanLine(sy));
        auto* drow = reinterpret_cast<uint32_t*>(destination.scanLine(dy));
        AlphaBlendPixels(srow + sx, drow + dx, count, kind, constantAlpha, bias);
    }
}

uint32_t ColorToImageListColor(uint32_t color)
{
    if (color == clNone)
        return 0xFFFFFFFFu;
    if (color == clDefault)
        return 0xFF000000u;
    return color & 0x00FFFFFFu;
}

void StretchDrawBitmap(QPainter& painter, const QRect& r, const QImage& image)
{
    painter.drawImage(r, image);
}

TDragRectangles DragRectangles(int width, int height, int dx, int dy)
{
    TDragRectangles result;
    result.Clip = QRect(0, 0, width, height);
    // The image moves by (-dx, -dy) relative to the old place.
    const int mx = -dx;
    const int my = -dy;
    if (mx > 0) {
        result.Uncovered[0] = QRect(0, 0, mx, height);
        result.Covered[0] = QRect(width - mx, 0, mx, height);
    } else if (mx < 0) {
        result.Uncovered[0] = QRect(width + mx, 0, -mx, height);
        result.Covered[0] = QRect(0, 0, -mx, height);
    }
    if (my > 0) {
        result.Uncovered[1] = QRect(0, 0, width, my);
        result.Covered[1] = QRect(0, height - my, width, my);
    } else if (my < 0) {
        result.Uncovered[1] = QRect(0, height + my, width, -my);
        result.Covered[1] = QRect(0, 0, width, -my);
    }
    result.Scroll = QRect(std::max(0, mx), std::max(0, my), width - std::abs(mx), height - std::abs(my));
    return result;
}

} // namespace lazytree
