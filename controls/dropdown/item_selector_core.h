#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

// The item selector's rules apart from painting: item size, the arrangement
// in rows of Columns equal cells, hit tests, navigation without wrap-around,
// look-up by caption, scrolling an item into view and the state colours.
// Rectangles are computed from the index, so a million items cost nothing
// but their data.
namespace dropdown {

enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };
enum TSelectorType { stImage, stColor };

struct TSelectorItem
{
    QString Caption;  // mini-HTML
    int ImageIndex = -1;
    QImage Image;     // wins over ImageIndex when not empty
    TColor Color = clNone;
    QString Hint;
    bool Enabled = true;
};

// The colours and texts of selected and hot items. A new appearance carries
// the scOffice2007 colours.
struct TItemAppearance
{
    TItemAppearance();
    // Nothing when value is the current style; scCustom changes no colour.
    void SetColorStyle(TSelectionColorStyle value);
    TSelectionColorStyle ColorStyle() const { return colorStyle_; }
    // The colours, font and texts; the source's style applied after the colours.
    void Assign(const TItemAppearance& source);

    TColor BorderColor = clNone;
    TColor BorderColorTop = clNone;
    TColor BorderColorBottom = clNone;
    TColor EdgeColor = clNone;
    TColor ColorHot = clNone;
    TColor ColorHotTo = clNone;
    TColor ColorMirrorHot = clNone;
    TColor ColorMirrorHotTo = clNone;
    TColor ColorSelected = clNone;
    TColor ColorSelectedTo = clNone;
    TColor ColorMirrorSelected = clNone;
    TColor ColorMirrorSelectedTo = clNone;
    TColor ColorHotText = 0x000000;
    TColor ColorSelectedText = 0x000000;
    TColor BorderColorHot = clNone;
    TColor BorderColorSelected = clNone;
    QString FontFamily = QStringLiteral("Tahoma");
    int FontPointSize = 8;

private:
    TSelectionColorStyle colorStyle_ = scCustom;
};

// One named style's twelve colours, in the member order above.
struct SelectionStyleColors
{
    TSelectionColorStyle Style;
    std::array<TColor, 12> Colors;
};
extern const std::array<SelectionStyleColors, 3> kSelectionStyleColors;

// What an item is painted with in its state.
struct ItemPaintColors
{
    bool Plain = true;        // neither hot nor selected: the panel's colour
    bool SimpleFrame = true;  // gradient and a one-pixel border, else the selection frame
    TColor Fill = clNone, FillTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TColor Border = clNone, BorderTop = clNone, BorderBottom = clNone, Edge = clNone;
    TColor Text = 0x000000;
    bool TextSet = false;
};
ItemPaintColors ItemColors(const TItemAppearance& a, bool hot, bool selected);

struct SelectorMetrics
{
    int OffSetX = 2, OffSetY = 2;          // panel edge to items
    int ItemOffSetX = 4, ItemOffSetY = 4;  // inside an item
    int CaptionGap = 4;
};

// The common item size from the largest graphic and caption (caption width
// gets 4 more when above 0).
QSize ItemSizeFor(QSize image, QSize caption, TItemLayout layout, const SelectorMetrics& m);

class SelectorModel
{
public:
    std::vector<TSelectorItem> Items;
    SelectorMetrics Metrics;

    int Columns() const { return columns_; }
    // Values below 1 are ignored.
    bool SetColumns(int value);
    int Count() const { return int(Items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    // Lays out Count items of itemSize from (OffSetX, OffSetY); clears the hot item.
    void Arrange(QSize itemSize);
    QSize ItemSize() const { return itemSize_; }
    QSize PanelSize() const { return panelSize_; }
    // (-1, -1, -1, -1) as QRect(QPoint(-1,-1), QPoint(-2,-2)) outside the items.
    QRect ItemRect(int index) const;
    int ItemAtPos(QPoint p) const;
    // Items meeting rect (panel coordinates), in index order.
    std::pair<int, int> ItemsIn(const QRect& rect) const;

    int ItemIndex() const { return itemIndex_; }
    int ItemHot() const { return itemHot_; }
    // False when ignored (a valid index of a disabled item); true means the
    // selection event fires (value >= 0, also for the current one).
    bool SetItemIndex(int value);
    // False when nothing changed.
    bool SetItemHot(int value);
    // The index the operation moves to, or -1 when it moves nowhere.
    int FirstIndex() const { return Count() ? 0 : -1; }
    int LastIndex() const { return Count() ? Count() - 1 : -1; }
    int NextIndex(int from) const;
    int PreviousIndex(int from) const;
    // The first item whose plain, trimmed, upper-cased caption starts with s.
    int LookupItem(const QString& s) const;

private:
    int columns_ = 1;
    int itemIndex_ = -1;
    int itemHot_ = -1;
    QSize itemSize_;
    QSize panelSize_{100, 50};
};

// The new vertical scroll position that brings itemTop..itemBottom (panel
// coordinates, grown by margin) into a client of clientHeight.
int ScrollToShow(int scrollPos, int itemTop, int itemBottom, int margin, int clientHeight);
// (height div item height) × columns; 0 for no items or an item height below 1.
int VisibleItemCount(int height, bool horizontalBarVisible, int itemHeight, int columns, int count);

}  // namespace dropdown
