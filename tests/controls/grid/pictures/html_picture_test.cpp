#include "controls/grid/pictures/picture_container.h"

#include "qt_print.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace grid;

// A GIF written by hand: palette red, green, blue, white; each frame one
// colour. The image data is LZW with a clear code before every second pixel,
// so every code stays 3 bits wide.
struct GifFrameSpec
{
    int x, y, w, h;
    int delay;  // -1: no graphic control extension
    uint8_t index;
};

void Word(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

QByteArray Lzw(int pixels, uint8_t index)
{
    QByteArray out;
    uint32_t bits = 0;
    int count = 0;
    auto put = [&](int code) {
        bits |= uint32_t(code) << count;
        count += 3;
        while (count >= 8) {
            out.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            put(4);  // clear
        put(index);
    }
    put(5);  // end
    if (count > 0)
        out.append(char(bits & 0xFF));
    QByteArray blocks;
    blocks.append(char(2));  // LZW minimum code size
    for (qsizetype at = 0; at < out.size(); at += 255) {
        const QByteArray part = out.mid(at, 255);
        blocks.append(char(part.size()));
        blocks.append(part);
    }
    blocks.append(char(0));
    return blocks;
}

QByteArray MakeGif(int width, int height, const std::vector<GifFrameSpec>& frames, const QByteArray& comment = {})
{
    QByteArray b("GIF89a");
    Word(b, width);
    Word(b, height);
    b.append(char(0x81));  // global colour table of 4 entries
    b.append(char(0));
    b.append(char(0));
    b.append(QByteArray::fromHex("FF0000" "00FF00" "0000FF" "FFFFFF"));
    if (!comment.isEmpty()) {
        b.append(char(0x21));
        b.append(char(0xFE));
        b.append(char(comment.size()));
        b.append(comment);
        b.append(char(0));
    }
    for (const GifFrameSpec& f : frames) {
        if (f.delay >= 0) {
            b.append(QByteArray::fromHex("21F90404"));
            Word(b, f.delay);
            b.append(char(0));
            b.append(char(0));
        }
        b.append(char(0x2C));
        Word(b, f.x);
        Word(b, f.y);
        Word(b, f.w);
        Word(b, f.h);
        b.append(char(0));
        b.append(Lzw(f.w * f.h, f.index));
    }
    b.append(char(0x3B));
    return b;
}

const std::vector<GifFrameSpec> kThreeFrames = {
    {0, 0, 4, 4, 10, 0},  // red
    {1, 1, 2, 2, 20, 1},  // green
    {2, 0, 2, 3, 30, 2},  // blue
};

const uint8_t* Bytes(const QByteArray& b)
{
    return reinterpret_cast<const uint8_t*>(b.constData());
}

TEST(GifFrames, BlockParser)
{
    const QByteArray gif = MakeGif(4, 4, kThreeFrames);
    const GifLayout layout = ParseGifFrames(Bytes(gif), size_t(gif.size()));
    ASSERT_TRUE(layout.Valid);
    EXPECT_EQ(layout.ScreenWidth, 4);
    EXPECT_EQ(layout.ScreenHeight, 4);
    ASSERT_EQ(layout.Frames.size(), 3u);
    EXPECT_EQ(layout.Frames[1].X, 1);
    EXPECT_EQ(layout.Frames[1].Y, 1);
    EXPECT_EQ(layout.Frames[2].Height, 3);
    EXPECT_EQ(layout.Frames[2].Delay, 30);

    // Marker-like bytes inside a comment are no frame.
    const QByteArray decoy = QByteArray::fromHex("21F904000A00000000" "2C0000000001000100");
    const QByteArray commented = MakeGif(4, 4, {{0, 0, 4, 4, -1, 0}}, decoy);
    const GifLayout one = ParseGifFrames(Bytes(commented), size_t(commented.size()));
    ASSERT_TRUE(one.Valid);
    ASSERT_EQ(one.Frames.size(), 1u);
    EXPECT_EQ(one.Frames[0].Delay, -1);

    // Every cut of the file is read inside its bytes (ASan watches); a cut
    // inside a block is broken, one between blocks keeps the whole frames.
    int validCuts = 0;
    for (qsizetype n = 0; n < gif.size(); ++n) {
        const QByteArray cut = gif.left(n);
        const GifLayout l = ParseGifFrames(Bytes(cut), size_t(cut.size()));
        if (l.Valid) {
            ++validCuts;
            EXPECT_LE(l.Frames.size(), 3u);
        } else {
            EXPECT_TRUE(l.Frames.empty());
        }
    }
    // After frame 1's data, frame 2's control extension and data, frame 3's
    // extension and data (the trailer missing).
    EXPECT_EQ(validCuts, 5);
    const QByteArray noTrailer = gif.left(gif.size() - 1);
    EXPECT_EQ(ParseGifFrames(Bytes(noTrailer), size_t(noTrailer.size())).Frames.size(), 3u);
    EXPECT_FALSE(ParseGifFrames(nullptr, 0).Valid);
    const QByteArray junk = gif.left(13 + 12) + QByteArray("\x99", 1);
    EXPECT_FALSE(ParseGifFrames(Bytes(junk), size_t(junk.size())).Valid);
}

QRgb Pixel(const THTMLPicture& p, int x = 0, int y = 0)
{
    return p.Image().pixel(x, y) & 0xFFFFFF;
}

TEST(HtmlPicture, GifFramesSelectStepAndWrap)
{
    THTMLPicture p;
    int frameChanges = 0;
    p.OnFrameChange = [&](THTMLPicture&) { ++frameChanges; };
    p.LoadFromData(MakeGif(4, 4, kThreeFrames));
    ASSERT_FALSE(p.Empty());
    EXPECT_TRUE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.MaxWidth(), 4);
    EXPECT_EQ(p.MaxHeight(), 4);
    EXPECT_EQ(p.Frame(), 1);
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(Pixel(p), 0xFF0000u);

    struct Expect
    {
        int frame, x, y, w, h;
        QRgb colour;
        int delay;
    } frames[] = {
        {1, 0, 0, 4, 4, 0xFF0000, 10},
        {2, 1, 1, 2, 2, 0x00FF00, 20},
        {3, 2, 0, 2, 3, 0x0000FF, 30},
    };
    for (const Expect& e : frames) {
        p.SetFrame(e.frame);
        EXPECT_EQ(p.Frame(), e.frame);
        EXPECT_EQ(p.FrameXPos(), e.x) << e.frame;
        EXPECT_EQ(p.FrameYPos(), e.y) << e.frame;
        EXPECT_EQ(p.Width(), e.w) << e.frame;
        EXPECT_EQ(p.Height(), e.h) << e.frame;
        EXPECT_EQ(Pixel(p), e.colour) << e.frame;
        EXPECT_EQ(p.GetFrameTime(e.frame), e.delay);
    }
    EXPECT_EQ(frameChanges, 3);
    EXPECT_EQ(p.GetFrameTime(0), -1);
    EXPECT_EQ(p.GetFrameTime(4), -1);

    p.FrameNext();  // after the last: the first
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();  // before the first: the last
    EXPECT_EQ(p.Frame(), 3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);

    // The clock: one step a tenth of a second, delays in hundredths.
    THTMLPicture a;
    a.LoadFromData(MakeGif(4, 4, kThreeFrames));
    std::vector<int> shown;
    for (int i = 0; i < 12; ++i) {
        a.Step();
        shown.push_back(a.Frame());
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 1, 2, 2, 3, 3, 3, 1, 2, 2, 3, 3}));
}

TEST(HtmlPicture, BrokenAndForeignDataStayEmpty)
{
    const QByteArray gif = MakeGif(4, 4, kThreeFrames);
    for (qsizetype n = 0; n < gif.size(); ++n) {
        const QByteArray cut = gif.left(n);
        THTMLPicture p;
        try {
            p.LoadFromData(cut);
        } catch (const PictureError&) {
        }
        if (!ParseGifFrames(Bytes(cut), size_t(cut.size())).Valid) {
            EXPECT_TRUE(p.Empty()) << n;
        }
        p.SetFrame(2);
        p.FrameNext();
        EXPECT_FALSE(p.Step());
    }

    QTemporaryDir dir;
    const QString text = dir.filePath("notes.txt");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("just some text, no picture");
    f.close();
    THTMLPicture p;
    bool changed = false;
    p.OnChange = [&](THTMLPicture&) { changed = true; };
    p.LoadFromFile(text);
    EXPECT_TRUE(p.Empty());
    EXPECT_FALSE(changed);
    EXPECT_EQ(p.FrameCount(), -1);
    p.LoadFromFile(dir.filePath("missing.png"));
    EXPECT_TRUE(p.Empty());

    QByteArray bytes("not a picture");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        p.LoadFromStream(&buffer);
        ADD_FAILURE() << "no error";
    } catch (const PictureError& e) {
        EXPECT_STREQ(e.what(), "Could not load image. Invalid format");
    }
    EXPECT_TRUE(p.Empty());
    p.LoadFromStream(nullptr);  // nothing
}

TEST(HtmlPicture, UrlsFilesAndResources)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("pic.gif");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(MakeGif(4, 4, kThreeFrames));
    f.close();

    THTMLPicture p;
    p.LoadFromURL(QStringLiteral("file://") + file);
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.ID, QStringLiteral("file://") + file);

    THTMLPicture r;
    r.LoadFromURL(QStringLiteral("RES://blue_3x2.png"));
    ASSERT_FALSE(r.Empty());
    EXPECT_EQ(r.Width(), 3);
    EXPECT_EQ(r.Height(), 2);
    EXPECT_EQ(Pixel(r), 0x0000FFu);
    EXPECT_EQ(r.FrameCount(), -1);

    THTMLPicture n;
    n.LoadFromURL(QStringLiteral("http://example.invalid/a.png"));
    EXPECT_TRUE(n.Empty());
    EXPECT_EQ(n.URL, QStringLiteral("http://example.invalid/a.png"));
    EXPECT_TRUE(n.ID.isEmpty());  // asynchronous: no identity, no download
    n.Asynch = false;
    n.LoadFromURL(QStringLiteral("http://example.invalid/a.png"));
    EXPECT_EQ(n.ID, QStringLiteral("http://example.invalid/a.png"));
    EXPECT_TRUE(n.Empty());

    THTMLPicture missing;
    missing.LoadFromURL(QStringLiteral("RES://none.png"));
    EXPECT_TRUE(missing.Empty());

    // Assign copies the bytes; the raw bytes go out unchanged.
    THTMLPicture copy;
    copy.Assign(&r);
    EXPECT_EQ(copy.Width(), 3);
    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    copy.SaveToStream(out);
    EXPECT_EQ(saved, r.Data());
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_TRUE(copy.Data().isEmpty());
}

TEST(PictureStores, ContainerIgnoresCaseCacheDoesNot)
{
    TPictureContainer container;
    TPictureItem& logo = container.Add();
    logo.Name = QStringLiteral("Logo");
    logo.Picture.LoadFromURL(QStringLiteral("RES://blue_3x2.png"));
    container.Insert(0).Name = QStringLiteral("first");
    EXPECT_EQ(container.FindPicture(QStringLiteral("LOGO")), &logo.Picture);
    EXPECT_EQ(container.FindPicture(QStringLiteral("logo")), &logo.Picture);
    EXPECT_EQ(container.FindPicture(QStringLiteral("other")), nullptr);
    EXPECT_EQ(container.Item(0).Name, QStringLiteral("first"));

    THTMLPictureCache cache;
    THTMLPicture* p = cache.AddPicture();
    p->ID = QStringLiteral("RES://Pic");
    EXPECT_EQ(cache.FindPicture(QStringLiteral("RES://Pic")), p);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("res://pic")), nullptr);
    EXPECT_EQ(cache.GetPicture(1), nullptr);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}

}  // namespace
