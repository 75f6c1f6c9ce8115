// Any bytes as a picture file: the GIF block parser, and for GIF data the
// picture with its frame count, delays and offsets, every frame selected.
#include "controls/grid/pictures/html_picture.h"

#include <QByteArray>
#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_gif_frames";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;

    const grid::GifLayout gif = grid::ParseGifFrames(data, size);
    Check(gif.Valid == !gif.Frames.empty());
    if (!grid::IsGifSignature(data, size))
        return 0;

    grid::THTMLPicture picture;
    try {
        picture.LoadFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const grid::PictureError&) {
    }
    const int frames = picture.FrameCount();
    Check(frames == int(gif.Frames.size()));
    for (int f = 0; f <= frames + 1; ++f)
        picture.GetFrameTime(f);
    for (int f = 1; f <= std::min(frames, 8); ++f) {
        picture.SetFrame(f);
        if (!picture.Empty()) {
            Check(picture.FrameXPos() >= 0 && picture.FrameYPos() >= 0);
            Check(picture.Width() <= std::max(picture.MaxWidth(), 1 << 16));
        }
    }
    picture.FrameNext();
    picture.FramePrev();
    for (int i = 0; i < 4; ++i)
        picture.Step();
    return 0;
}
