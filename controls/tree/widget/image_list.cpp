// Images of one size, drawn enabled, desaturated or tinted.

#include "controls/tree/widget/image_list.h"

#include <QPainter>

namespace lazytree {

TCustomImageList::TCustomImageList(int width, int height) : width_(width), height_(height) {}

TCustomImageList::~TCustomImageList()
{
    const auto links = links_;
    for (const auto& [token, link] : links)
        link(true);
}

int TCustomImageList::Add(const QImage& image)
{
    QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (converted.width() != width_ || converted.height() != height_)
        converted = converted.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    images_.push_back(converted);
    Changed();
    return Count() - 1;
}

int TCustomImageList::AddStrip(const QImage& strip)
{
    const int size = strip.height();
    if (size < 1)
        return 0;
    images_.clear();
    width_ = height_ = size;
    const QImage source = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = source.pixel(0, 0);
    const int count = source.width() / size;
    for (int i = 0; i < count; ++i) {
        QImage image = source.copy(i * size, 0, size, size);
        for (int y = 0; y < size; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < size; ++x)
                if (line[x] == mask)
                    line[x] = 0;
        }
        images_.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    Changed();
    return count;
}

void TCustomImageList::Clear()
{
    images_.clear();
    Changed();
}

void TCustomImageList::Draw(QPainter& painter, int x, int y, int index, bool enabled, QColor blend) const
{
    if (index < 0 || index >= Count())
        return;
    const QImage& image = images_[static_cast<std::size_t>(index)];
    if (enabled && !blend.isValid()) {
        painter.drawImage(x, y, image);
        return;
    }
    QImage shown = image;
    if (!enabled) {
        // Saturated off: the grey of each pixel, kept as light as it was.
        for (int row = 0; row < shown.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(row));
            for (int col = 0; col < shown.width(); ++col) {
                const int grey = qGray(line[col]);
                const int alpha = qAlpha(line[col]);
                const int g = grey * alpha / 255; // premultiplied
                line[col] = qRgba(g, g, g, alpha);
            }
        }
    }
    if (blend.isValid()) {
        QPainter tint(&shown);
        tint.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        blend.setAlpha(128);
        tint.fillRect(shown.rect(), blend);
    }
    painter.drawImage(x, y, shown);
}

int TCustomImageList::AddChangeLink(std::function<void(bool)> link)
{
    const int token = nextLink_++;
    links_[token] = std::move(link);
    return token;
}

void TCustomImageList::RemoveChangeLink(int token)
{
    links_.erase(token);
}

void TCustomImageList::Changed()
{
    const auto links = links_;
    for (const auto& [token, link] : links)
        link(false);
}

} // namespace lazytree
