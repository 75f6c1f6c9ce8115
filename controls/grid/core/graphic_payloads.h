#pragma once
#include "controls/grid/core/cell_graphic.h"

#include <QImage>
#include <QSize>
#include <QStringList>

// The objects a cell graphic can carry besides the index lists: pictures,
// line lists (radio items, balloon texts), interfaced cell objects, and the
// image list the image kinds index.
namespace grid {

// A picture held as an image (bitmaps, icons and pictures alike).
class TImagePicture : public TSizedPicture
{
public:
    QImage Image;
    int Width() const override { return Image.width(); }
    int Height() const override { return Image.height(); }
};

class TBitmap : public TImagePicture
{
};

class TIcon : public TImagePicture
{
};

class TPicture : public TImagePicture
{
};

// Lines of text: the items of a radio group, the title and text of a balloon.
class TStringsObject : public TObject
{
public:
    QStringList Lines;
};

// An object that draws a cell itself and reports the room it needs.
class TCellInterface : public TObject
{
public:
    // The room the object needs; a zero dimension takes the cell's.
    virtual QSize GetExtent() const = 0;
};

// The image list of the image kinds: only its sizes matter to the grid
// itself; the pictures are the painter's, and exports ask for them.
class TCustomImageList
{
public:
    virtual ~TCustomImageList() = default;
    // The picture of an entry; a null image when the list holds none.
    virtual QImage Picture(int index) const { return {}; }
    int Width = 16;
    int Height = 16;
    int Count = 0;
};

} // namespace grid
