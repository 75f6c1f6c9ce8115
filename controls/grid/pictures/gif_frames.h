#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The block structure of a GIF file: screen size, and per image its place and
// delay. Reads only inside the given bytes; a file cut inside a block, or with
// a block it does not know, is not valid.
namespace grid {

struct GifFrame
{
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    int Delay = -1;  // hundredths of a second; -1 without a graphic control extension
};

struct GifLayout
{
    bool Valid = false;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    std::vector<GifFrame> Frames;
};

// "GIF87a" / "GIF89a" at the start.
bool IsGifSignature(const uint8_t* data, size_t size);
GifLayout ParseGifFrames(const uint8_t* data, size_t size);

}  // namespace grid
