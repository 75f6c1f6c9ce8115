#include "controls/grid/core/cell_graphic.h"

#include "controls/grid/core/int_list.h"

#include <cmath>

namespace grid {

void GraphicSlot::Clear()
{
    owned_.reset();
    borrowed_ = nullptr;
    hasColor_ = false;
    color_ = 0;
}

void GraphicSlot::SetColor(TColor color)
{
    Clear();
    color_ = color;
    hasColor_ = true;
}

void GraphicSlot::SetBorrowed(TObject* object)
{
    if (object != nullptr && object == owned_.get())
        return;
    Clear();
    borrowed_ = object;
}

void GraphicSlot::Adopt(std::unique_ptr<TObject> object)
{
    Clear();
    owned_ = std::move(object);
}

std::unique_ptr<TObject> GraphicSlot::Release()
{
    borrowed_ = nullptr;
    hasColor_ = false;
    return std::move(owned_);
}

bool IsCheckBoxType(TCellType type)
{
    return type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox || type == ctRowCheckBox ||
           type == ctTriStateCheckBox;
}

void TCellGraphic::SetBitmap(TObject* bitmap, bool transparent, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctBitmap;
    CellBitmap.SetBorrowed(bitmap);
    CellTransparent = transparent;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetIcon(TObject* icon, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctIcon;
    CellIcon.SetBorrowed(icon);
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctImageList;
    CellIndex = idx;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctDataImage;
    CellIndex = idx;
    CellHAlign = hal;
    CellVAlign = val;
}

TIntList* TCellGraphic::SetMultiImage(int col, int row, int dir, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctImages;
    CellHAlign = hal;
    CellVAlign = val;
    CellBoolean = dir == 0;
    auto list = std::make_unique<TIntList>(col, row);
    TIntList* raw = list.get();
    CellBitmap.Adopt(std::move(list));
    CellCreated = true;
    return raw;
}

void TCellGraphic::SetPicture(TObject* picture, bool transparent, TStretchMode stretch, int padding,
                              TCellHAlign hal, TCellVAlign val)
{
    CellType = ctPicture;
    CellBitmap.SetBorrowed(picture);
    CellTransparent = transparent;
    CellAngle = stretch;
    CellIndex = padding;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetFilePicture(TObject* picture, bool transparent, TStretchMode stretch, int padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    SetPicture(picture, transparent, stretch, padding, hal, val);
    CellType = ctFilePicture;
}

void TCellGraphic::SetCheckBox(bool value, bool data, bool flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = data ? ctDataCheckBox : ctCheckBox;
    CellAngle = 0;
    CellBoolean = value;
    CellTransparent = flat;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetCheckBox(TCheckBoxState value, bool flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctTriStateCheckBox;
    CellCheckBoxState = value;
    CellBoolean = false;
    CellTransparent = flat;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool value, bool flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctRadioButton;
    CellAngle = 0;
    CellBoolean = value;
    CellTransparent = flat;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetButton(int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctButton;
    CellIndex = static_cast<int>((static_cast<quint32>(bh) << 16) | (static_cast<quint32>(bw) & 0xFFFF));
    CellBoolean = false;
    CellText = caption;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetBitButton(int bw, int bh, const QString& caption, TObject* glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, caption, hal, val);
    CellType = ctBitButton;
    CellBitmap.SetBorrowed(glyph);
}

void TCellGraphic::SetAngle(qint16 angle)
{
    int a = angle;
    while (a < 0)
        a += 360;
    while (a > 360)
        a -= 360;
    CellType = ctRotated;
    CellAngle = a;
}

void TCellGraphic::SetInterfacedCell(TObject* object)
{
    CellType = ctInterface;
    CellBitmap.SetBorrowed(object);
}

QPoint TCellGraphic::GetPictureSize(int cw, int rh, bool, QPoint current) const
{
    if (CellType != ctPicture && CellType != ctFilePicture)
        return current;
    int w = 0;
    int h = 0;
    if (auto* picture = dynamic_cast<TSizedPicture*>(CellBitmap.Object())) {
        w = picture->Width();
        h = picture->Height();
    }
    cw -= CellIndex;
    rh -= CellIndex;
    const auto round = [](double v) { return static_cast<int>(std::nearbyint(v)); }; // halves to even
    const auto aspect = [&](bool limit) {
        double rx = w > 0 ? double(cw) / w : 1.0;
        double ry = h > 0 ? double(rh) / h : 1.0;
        if (limit) {
            rx = std::min(rx, 1.0);
            ry = std::min(ry, 1.0);
        }
        if (rx < ry)
            return QPoint(cw, round(h * rx));
        return QPoint(round(w * ry), rh);
    };
    switch (CellAngle) {
    case Stretch:
        return {cw, rh};
    case Shrink:
        return (w > cw || h > rh) ? QPoint(cw, rh) : QPoint(w, h);
    case StretchWithAspectRatio:
        return aspect(false);
    case ShrinkWithAspectRatio:
        return (w > cw || h > rh) ? aspect(true) : QPoint(w, h);
    default:
        return {w, h};
    }
}

void TCellGraphic::Assign(const TCellGraphic& source)
{
    CellType = source.CellType;
    CellVAlign = source.CellVAlign;
    CellHAlign = source.CellHAlign;
    CellIndex = source.CellIndex;
    CellTransparent = source.CellTransparent;
    CellValue = source.CellValue;
    CellAngle = source.CellAngle;
    CellBoolean = source.CellBoolean;
    CellErrFrom = source.CellErrFrom;
    CellErrLen = source.CellErrLen;
    CellText = source.CellText;
    CellCreated = source.CellCreated;
}

} // namespace grid
