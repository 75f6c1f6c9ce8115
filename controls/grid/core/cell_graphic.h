#pragma once
#include "controls/grid/core/grid_types.h"

#include <QVariant>

#include <memory>

namespace grid {

// Base of the objects a cell graphic can hold (bitmaps, pictures, lists).
class TObject
{
public:
    virtual ~TObject() = default;
};

// What a graphic slot holds: nothing, a colour (a plain value), an object the
// caller owns, or an object the grid made and frees with the slot.
class GraphicSlot
{
public:
    GraphicSlot() = default;
    GraphicSlot(const GraphicSlot&) = delete;
    GraphicSlot& operator=(const GraphicSlot&) = delete;

    TObject* Object() const { return owned_ ? owned_.get() : borrowed_; }
    bool HasColor() const { return hasColor_; }
    TColor Color() const { return color_; }
    bool Owns() const { return owned_ != nullptr; }

    void Clear();
    void SetColor(TColor color);
    // An object of the caller's; never freed here.
    void SetBorrowed(TObject* object);
    // An object the grid made; freed with the slot or when replaced.
    void Adopt(std::unique_ptr<TObject> object);
    // Hands an owned object back to the caller; the slot becomes empty.
    std::unique_ptr<TObject> Release();

private:
    std::unique_ptr<TObject> owned_;
    TObject* borrowed_ = nullptr;
    TColor color_ = 0;
    bool hasColor_ = false;
};

// The 33 kinds of cell graphic; the ordinal is the stored value.
enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctRowCheckBox,
    ctProgressPie,
    ctSummary,
    ctRangeIndicator,
    ctXPProgress,
    ctInterface,
    ctScrollbar,
    ctRadioButton,
    ctBalloon,
    ctShape,
    ctRating,
    ctTriStateCheckBox,
    ctExpand
};

bool IsCheckBoxType(TCellType type);

enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

// Payloads with a size: pictures answer it for GetPictureSize.
class TSizedPicture : public TObject
{
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

class TIntList;

// What a cell shows besides its text. The general fields hold each kind's
// data; the two object slots free only what the grid made.
class TCellGraphic
{
public:
    TCellGraphic() = default;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;

    TCellType CellType = ctNone;
    GraphicSlot CellBitmap;
    GraphicSlot CellIcon;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    int CellIndex = 0;
    bool CellTransparent = false;
    // Set when the grid made a slot's object; the slots themselves decide
    // what is freed, so a copied flag never frees a caller's object.
    bool CellCreated = false;
    bool CellBoolean = false;
    int CellAngle = 0;
    double CellValue = 0;
    int CellErrFrom = 0;
    int CellErrLen = 0;
    QString CellText;
    QVariant CellVar;
    TCheckBoxState CellCheckBoxState = cbUnchecked;

    void SetBitmap(TObject* bitmap, bool transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TObject* icon, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    // Makes the grid-owned index list; onChange is the list's notifier.
    TIntList* SetMultiImage(int col, int row, int dir, TCellHAlign hal, TCellVAlign val);
    void SetPicture(TObject* picture, bool transparent, TStretchMode stretch, int padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TObject* picture, bool transparent, TStretchMode stretch, int padding, TCellHAlign hal,
                        TCellVAlign val);
    void SetCheckBox(bool value, bool data, bool flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState value, bool flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool value, bool flat, TCellHAlign hal, TCellVAlign val);
    void SetButton(int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const QString& caption, TObject* glyph, TCellHAlign hal, TCellVAlign val);
    void SetAngle(qint16 angle);
    void SetInterfacedCell(TObject* object);

    // The drawn size of a picture in a cw x rh cell (pictures only; other
    // kinds give back current).
    QPoint GetPictureSize(int cw, int rh, bool hasText, QPoint current = {}) const;

    // Copies the plain fields, not the object slots, the variant or the
    // three-state check.
    void Assign(const TCellGraphic& source);
};

} // namespace grid
