#include "controls/grid/pictures/gif_frames.h"

namespace grid {

namespace {

constexpr size_t kMaxFrames = 100000;

class Reader
{
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Has(size_t n) const { return n <= size_ - pos_; }
    uint8_t Byte(size_t at) const { return data_[pos_ + at]; }
    int Word(size_t at) const { return data_[pos_ + at] | (data_[pos_ + at + 1] << 8); }
    bool Skip(size_t n)
    {
        if (!Has(n))
            return false;
        pos_ += n;
        return true;
    }
    bool AtEnd() const { return pos_ >= size_; }
    // Data sub-blocks up to and including the zero-length terminator.
    bool SkipSubBlocks()
    {
        for (;;) {
            if (!Has(1))
                return false;
            const size_t n = Byte(0);
            pos_ += 1;
            if (n == 0)
                return true;
            if (!Skip(n))
                return false;
        }
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

size_t ColorTableSize(uint8_t packed)
{
    return (packed & 0x80) ? size_t(3) << ((packed & 7) + 1) : 0;
}

}  // namespace

bool IsGifSignature(const uint8_t* data, size_t size)
{
    return size >= 6 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F' && data[3] == '8'
           && (data[4] == '7' || data[4] == '9') && data[5] == 'a';
}

GifLayout ParseGifFrames(const uint8_t* data, size_t size)
{
    GifLayout gif;
    if (!data || !IsGifSignature(data, size) || size < 13)
        return gif;
    Reader r(data, size);
    gif.ScreenWidth = r.Word(6);
    gif.ScreenHeight = r.Word(8);
    if (!r.Skip(13) || !r.Skip(ColorTableSize(data[10])))
        return gif;
    int delay = -1;
    for (;;) {
        if (r.AtEnd())
            break;  // a missing trailer at a block boundary is tolerated
        const uint8_t block = r.Byte(0);
        if (block == 0x3B)
            break;
        if (block == 0x21) {
            if (!r.Has(2))
                return {};
            const uint8_t label = r.Byte(1);
            r.Skip(2);
            if (label == 0xF9 && r.Has(4) && r.Byte(0) >= 4)
                delay = r.Word(2);
            if (!r.SkipSubBlocks())
                return {};
            continue;
        }
        if (block != 0x2C || !r.Has(10))
            return {};
        GifFrame frame;
        frame.X = r.Word(1);
        frame.Y = r.Word(3);
        frame.Width = r.Word(5);
        frame.Height = r.Word(7);
        frame.Delay = delay;
        delay = -1;
        const uint8_t packed = r.Byte(9);
        // Descriptor, local colour table, LZW code size, image data.
        if (!r.Skip(10) || !r.Skip(ColorTableSize(packed)) || !r.Skip(1) || !r.SkipSubBlocks())
            return {};
        if (gif.Frames.size() >= kMaxFrames)
            return {};
        gif.Frames.push_back(frame);
    }
    gif.Valid = !gif.Frames.empty();
    if (!gif.Valid)
        gif.Frames.clear();
    return gif;
}

}  // namespace grid
