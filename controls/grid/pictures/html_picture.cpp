#include "controls/grid/pictures/html_picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace grid {

namespace {

// Larger pictures are refused: cells show small ones, and every frame of a
// GIF is composed on a screen of its own size.
constexpr int kMaxSide = 8192;
constexpr qint64 kMaxPixels = 4 * 1024 * 1024;
constexpr int kAllocationLimitMb = 32;
// Pixels composed for one frame change at most (frames read times screen size).
constexpr qint64 kMaxPixelReads = 64 * 1024 * 1024;

bool TooLarge(QSize size)
{
    return size.width() > kMaxSide || size.height() > kMaxSide
           || qint64(size.width()) * size.height() > kMaxPixels;
}

const uint8_t* Bytes(const QByteArray& data)
{
    return reinterpret_cast<const uint8_t*>(data.constData());
}

QImage ReadImage(QImageReader& reader)
{
    reader.setAllocationLimit(kAllocationLimitMb);
    if (TooLarge(reader.size()))
        return {};
    return reader.read();
}

}  // namespace

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

QImage THTMLPicture::ReadGifFrame(int frame)
{
    const GifLayout& gif = Gif();
    if (!reader_ || frame <= readerFrame_) {
        reader_.reset();
        buffer_ = std::make_unique<QBuffer>(&data_);
        buffer_->open(QIODevice::ReadOnly);
        reader_ = std::make_unique<QImageReader>(buffer_.get(), "gif");
        reader_->setAllocationLimit(kAllocationLimitMb);
        readerFrame_ = 0;
        readerImage_ = QImage();
    }
    qint64 area = std::max<qint64>(1, qint64(gif.ScreenWidth) * gif.ScreenHeight);
    for (const GifFrame& f : gif.Frames)
        area = std::max(area, qint64(f.Width) * f.Height);
    if ((frame - readerFrame_) * area > kMaxPixelReads) {
        reader_.reset();
        return {};
    }
    while (readerFrame_ < frame) {
        readerImage_ = reader_->read();
        ++readerFrame_;
        if (readerImage_.isNull()) {
            reader_.reset();
            return {};
        }
    }
    return readerImage_;
}

void THTMLPicture::Clear()
{
    reader_.reset();
    buffer_.reset();
    readerFrame_ = 0;
    readerImage_ = QImage();
    image_ = QImage();
    isEmpty_ = true;
    frame_ = 1;
    frameX_ = frameY_ = 0;
    nextCount_ = timerCount_ = -1;
    gifParsed_ = false;
    gif_ = {};
}

const GifLayout& THTMLPicture::Gif() const
{
    if (!gifParsed_) {
        gif_ = IsGIF() ? ParseGifFrames(Bytes(data_), size_t(data_.size())) : GifLayout();
        gifParsed_ = true;
    }
    return gif_;
}

void THTMLPicture::Decode()
{
    image_ = QImage();
    isEmpty_ = true;
    frameX_ = frameY_ = 0;
    if (data_.isEmpty())
        throw PictureError("Empty image stream created");
    QImage image;
    if (IsGIF()) {
        const GifLayout& gif = Gif();
        if (!gif.Valid)
            throw PictureError("Could not load image. Invalid format");
        frame_ = std::clamp(frame_, 1, int(gif.Frames.size()));
        const GifFrame& f = gif.Frames[size_t(frame_ - 1)];
        if (TooLarge(QSize(gif.ScreenWidth, gif.ScreenHeight)))
            throw PictureError("Could not load image. Invalid format");
        image = ReadGifFrame(frame_);
        // The reader gives the whole screen; the picture is the frame's part of it.
        const QRect frameRect(f.X, f.Y, f.Width, f.Height);
        if (!image.isNull() && image.size() == QSize(gif.ScreenWidth, gif.ScreenHeight)
            && image.rect().contains(frameRect) && !frameRect.isEmpty()) {
            image = image.copy(frameRect);
            frameX_ = f.X;
            frameY_ = f.Y;
        }
    } else {
        QBuffer buffer(&data_);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        image = ReadImage(reader);
    }
    if (image.isNull())
        throw PictureError("Could not load image. Invalid format");
    image_ = image;
    isEmpty_ = false;
}

void THTMLPicture::Assign(const THTMLPicture* source)
{
    Clear();
    data_.clear();
    if (!source)
        return;
    data_ = source->data_;
    try {
        Decode();
    } catch (const PictureError&) {
    }
    if (OnChange)
        OnChange(*this);
}

void THTMLPicture::LoadFromFile(const QString& fileName)
{
    Clear();
    data_.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    data_ = file.readAll();
    try {
        Decode();
    } catch (const PictureError&) {
        return;
    }
    if (OnChange)
        OnChange(*this);
}

void THTMLPicture::LoadFromStream(QIODevice* stream)
{
    if (!stream)
        return;
    LoadFromData(stream->readAll());
}

void THTMLPicture::LoadFromData(const QByteArray& data)
{
    Clear();
    data_ = data;
    Decode();
    if (OnChange)
        OnChange(*this);
}

void THTMLPicture::SaveToStream(QIODevice& stream) const
{
    stream.write(data_);
}

void THTMLPicture::LoadFromResourceName(const QString& name)
{
    QFile file(QStringLiteral(":/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return;
    LoadFromStream(&file);
}

void THTMLPicture::LoadFromURL(const QString& url)
{
    if (url.startsWith(QLatin1String("RES://"), Qt::CaseInsensitive)) {
        ID = url;
        try {
            LoadFromResourceName(url.mid(6));
        } catch (const PictureError&) {
        }
    } else if (url.startsWith(QLatin1String("FILE://"), Qt::CaseInsensitive)) {
        ID = url;
        LoadFromFile(url.mid(7));
    } else if (!Asynch) {
        URL = url;
        ID = url;
    } else {
        URL = url;  // no download: network pictures stay empty
    }
}

int THTMLPicture::MaxWidth() const
{
    const GifLayout& gif = Gif();
    return gif.Valid && gif.ScreenWidth > 0 ? gif.ScreenWidth : Width();
}

int THTMLPicture::MaxHeight() const
{
    const GifLayout& gif = Gif();
    return gif.Valid && gif.ScreenHeight > 0 ? gif.ScreenHeight : Height();
}

void THTMLPicture::Draw(QPainter& painter, const QRect& rect) const
{
    if (isEmpty_)
        return;
    if (Stretch) {
        painter.drawImage(rect, image_);
        return;
    }
    const QPaintDevice* device = painter.device();
    const double sx = device ? device->logicalDpiX() / 96.0 : 1.0;
    const double sy = device ? device->logicalDpiY() / 96.0 : 1.0;
    const QSize size(qRound(image_.width() * sx), qRound(image_.height() * sy));
    painter.drawImage(QRect(rect.topLeft(), size), image_);
}

bool THTMLPicture::IsGIF() const
{
    return data_.size() >= 5 && data_.startsWith("GIF8");
}

int THTMLPicture::FrameCount() const
{
    if (!IsGIF())
        return -1;
    return int(Gif().Frames.size());
}

int THTMLPicture::GetFrameTime(int frame) const
{
    if (!IsGIF() || frame < 1 || frame > int(Gif().Frames.size()))
        return -1;
    return Gif().Frames[size_t(frame - 1)].Delay;
}

void THTMLPicture::SetFrame(int frame)
{
    frame_ = frame;
    if (data_.isEmpty())
        return;
    try {
        Decode();
    } catch (const PictureError&) {
    }
    if (OnFrameChange)
        OnFrameChange(*this);
}

void THTMLPicture::FrameNext()
{
    SetFrame(frame_ >= FrameCount() ? 1 : frame_ + 1);
}

void THTMLPicture::FramePrev()
{
    SetFrame(frame_ <= 1 ? std::max(1, FrameCount()) : frame_ - 1);
}

bool THTMLPicture::Step()
{
    if (FrameCount() < 2 || isEmpty_)
        return false;
    if (nextCount_ == -1)
        nextCount_ = std::max(0, GetFrameTime(frame_));
    bool changed = false;
    if (timerCount_ * 10 >= nextCount_) {
        FrameNext();
        nextCount_ += std::max(0, GetFrameTime(frame_));
        changed = true;
    }
    ++timerCount_;
    return changed;
}

}  // namespace grid
