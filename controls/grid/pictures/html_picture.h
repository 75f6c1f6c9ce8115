#pragma once
#include "controls/grid/pictures/gif_frames.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

class QBuffer;
class QImageReader;
class QIODevice;
class QPainter;
class QRect;

// A picture that keeps the raw bytes of an image file, decodes them with
// QImageReader and steps through the frames of an animated GIF.
namespace grid {

class PictureError : public std::runtime_error
{
public:
    explicit PictureError(const char* message) : std::runtime_error(message) {}
};

class THTMLPicture
{
public:
    THTMLPicture();
    ~THTMLPicture();
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // Copies the other picture's bytes and decodes them; null clears.
    void Assign(const THTMLPicture* source);
    // Any failure leaves the picture empty, without an error.
    void LoadFromFile(const QString& fileName);
    // Decoding errors throw PictureError ("Could not load image. Invalid format").
    void LoadFromStream(QIODevice* stream);
    void LoadFromData(const QByteArray& data);
    void SaveToStream(QIODevice& stream) const;
    // A Qt resource (":/" + name); nothing when there is none.
    void LoadFromResourceName(const QString& name);
    // "RES://" + name and "FILE://" + path load at once and set ID to the URL;
    // other URLs are kept in URL and load nothing.
    void LoadFromURL(const QString& url);

    bool Empty() const { return isEmpty_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    int MaxWidth() const;
    int MaxHeight() const;
    const QImage& Image() const { return image_; }
    const QByteArray& Data() const { return data_; }
    // Nothing when empty; stretched into the rectangle, else at its top-left.
    void Draw(QPainter& painter, const QRect& rect) const;

    bool IsGIF() const;
    int FrameCount() const;           // -1 when not a GIF
    int GetFrameTime(int frame) const;  // hundredths of a second; -1 when none
    int Frame() const { return frame_; }
    void SetFrame(int frame);
    void FrameNext();
    void FramePrev();
    // One tick (a tenth of a second) of the animation clock; true when the frame changed.
    bool Step();
    int FrameXPos() const { return frameX_; }
    int FrameYPos() const { return frameY_; }

    bool Stretch = false;
    QString ID;
    QString URL;
    bool IsDB = false;
    bool Asynch = true;
    bool Busy = false;
    std::function<void(THTMLPicture&)> OnChange;
    std::function<void(THTMLPicture&)> OnFrameChange;

private:
    void Decode();
    void Clear();
    const GifLayout& Gif() const;
    QImage ReadGifFrame(int frame);

    // The GIF reader stays open so that stepping forward reads one frame.
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QImageReader> reader_;
    int readerFrame_ = 0;
    QImage readerImage_;

    QByteArray data_;
    QImage image_;
    bool isEmpty_ = true;
    int frame_ = 1;
    int frameX_ = 0;
    int frameY_ = 0;
    int nextCount_ = -1;
    int timerCount_ = -1;
    mutable bool gifParsed_ = false;
    mutable GifLayout gif_;
};

}  // namespace grid
