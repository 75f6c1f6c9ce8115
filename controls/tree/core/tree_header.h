#pragma once

// The tree's header, headless: the columns (index order and display order, widths with limits, left edges),
// the header's height with limits, main, sort and auto-size column, the sizing algorithms (several columns
// at once, fitting to content, springs) and the binary header stream. The widget paints and drives it
// through the hooks at the end of TVTHeader.

#include "controls/tree/core/enum_set.h"
#include "controls/tree/core/tree_services.h"
#include "controls/tree/core/tree_stream.h"
#include "controls/tree/core/tree_types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lazytree {

class TBaseLazyTree;
class TLazyTreeColumns;
class TVTHeader;

enum TVTColumnOption : unsigned {
    coAllowClick,
    coDraggable,
    coEnabled,
    coParentBidiMode,
    coParentColor,
    coResizable,
    coShowDropMark,
    coVisible,
    coAutoSpring,
    coFixed,
    coSmartResize,
    coAllowFocus,
    coDisableAnimatedResize,
    coWrapCaption,
    coUseCaptionAlignment,
    coEditable,
};
using TVTColumnOptions = EnumSet<TVTColumnOption, uint16_t>;
constexpr TVTColumnOptions kDefaultColumnOptions = TVTColumnOptions::FromBits(0x88FF);

enum TLazyTreeColumnStyle : uint8_t { vsText, vsOwnerDraw };
enum TVTHeaderColumnLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TVTHeaderStyle : uint8_t { hsThickButtons, hsFlatButtons, hsPlates };
enum TSmartAutoFitType { smaAllColumns, smaNoColumn, smaUseColumnOption };

enum TVTHeaderOption : unsigned {
    hoAutoResize,
    hoColumnResize,
    hoDblClickResize,
    hoDrag,
    hoHotTrack,
    hoOwnerDraw,
    hoRestrictDrag,
    hoShowHint,
    hoShowImages,
    hoShowSortGlyphs,
    hoVisible,
    hoAutoSpring,
    hoFullRepaintOnResize,
    hoDisableAnimatedResize,
    hoHeightResize,
    hoHeightDblClickResize,
    hoHeaderClickAutoSort,
    hoAutoColumnPopupMenu,
};
using TVTHeaderOptions = EnumSet<TVTHeaderOption, uint32_t>;
constexpr TVTHeaderOptions kDefaultHeaderOptions = TVTHeaderOptions::FromBits(0x20A);

enum THeaderState : unsigned {
    hsAutoSizing,
    hsDragging,
    hsDragPending,
    hsLoading,
    hsColumnWidthTracking,
    hsColumnWidthTrackPending,
    hsHeightTracking,
    hsHeightTrackPending,
    hsResizing,
    hsScaling,
    hsNeedScaling,
};
using THeaderStates = EnumSet<THeaderState, uint16_t>;

// Colours as 0xAARRGGBB; a set top byte 0xFF with a small low part names a palette colour instead.
using THeaderColor = uint32_t;
constexpr THeaderColor kHeaderColorWindow = 0xFF000006u;  // the palette's base colour
constexpr THeaderColor kHeaderColorBtnFace = 0xFF000002u; // the palette's button colour
constexpr THeaderColor kHeaderColorWindowText = 0xFF000004u;

enum THeaderFontStyle : unsigned { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using THeaderFontStyles = EnumSet<THeaderFontStyle, uint8_t>;

// The header font as the stream carries it; the widget maps it to its own font.
struct THeaderFont {
    THeaderColor Color = kHeaderColorWindowText;
    int32_t Height = -11; // negative: pixel size of the characters
    std::string Name;     // UTF-8
    int32_t Pitch = 0;
    THeaderFontStyles Style;
    friend bool operator==(const THeaderFont&, const THeaderFont&) = default;
};

class TLazyTreeColumn {
public:
    explicit TLazyTreeColumn(TLazyTreeColumns& owner);

    TLazyTreeColumns& Owner() const { return owner_; }
    TColumnIndex Index() const;

    const std::u16string& Text() const { return text_; }
    void SetText(const std::u16string& value);
    const std::u16string& Hint() const { return hint_; }
    void SetHint(const std::u16string& value) { hint_ = value; }
    // The caption as last laid out (wrapped for coWrapCaption).
    const std::u16string& CaptionText() const { return captionText_; }
    void SetCaptionText(const std::u16string& value) { captionText_ = value; }

    int Width() const { return width_; }
    void SetWidth(int value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    int LastWidth() const { return lastWidth_; }
    // Left edge before horizontal scrolling.
    int UnscrolledLeft() const { return left_; }
    // Left edge in client coordinates: scrolled unless the column is visible and fixed.
    int Left() const;
    uint32_t Position() const { return position_; }
    void SetPosition(uint32_t value);

    TVTColumnOptions Options() const { return options_; }
    void SetOptions(TVTColumnOptions value);
    bool IsVisible() const { return options_.Has(coVisible); }
    bool IsFixed() const { return options_.Has(coFixed); }

    TLazyTreeColumnStyle Style() const { return style_; }
    void SetStyle(TLazyTreeColumnStyle value) { SetAndReport(style_, value); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { SetAndReport(imageIndex_, value); }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    TVTHeaderColumnLayout Layout() const { return layout_; }
    void SetLayout(TVTHeaderColumnLayout value) { SetAndReport(layout_, value); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { SetAndReport(margin_, value < 0 ? 4 : value); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { SetAndReport(spacing_, value); }
    int64_t Tag() const { return tag_; }
    void SetTag(int64_t value) { tag_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TAlignment CaptionAlignment() const
    {
        return options_.Has(coUseCaptionAlignment) ? captionAlignment_ : alignment_;
    }
    void SetCaptionAlignment(TAlignment value);
    THeaderColor Color() const { return color_; }
    void SetColor(THeaderColor value);
    bool CheckBox() const { return checkBox_; }
    void SetCheckBox(bool value) { SetAndReport(checkBox_, value); }
    TCheckType CheckType() const { return checkType_; }
    void SetCheckType(TCheckType value) { SetAndReport(checkType_, value); }
    TCheckState CheckState() const { return checkState_; }
    void SetCheckState(TCheckState value) { SetAndReport(checkState_, value); }
    TSortDirection DefaultSortDirection() const { return defaultSortDirection_; }
    void SetDefaultSortDirection(TSortDirection value) { defaultSortDirection_ = value; }
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }

    // Where the glyph went at the last paint (header coordinates), kept for click tests.
    bool HasImage() const { return hasImage_; }
    TRect ImageRect() const { return imageRect_; }
    void SetImageRect(bool hasImage, const TRect& r)
    {
        hasImage_ = hasImage;
        imageRect_ = r;
    }
    bool BonusPixel() const { return bonusPixel_; }
    float SpringRest() const { return springRest_; }

    void ParentBiDiModeChanged();
    void ParentColorChanged();
    void RestoreLastWidth();

    bool Equals(const TLazyTreeColumn& other) const;
    void Assign(const TLazyTreeColumn& source);

private:
    friend class TLazyTreeColumns;
    friend class TVTHeader;
    template <class T>
    void SetAndReport(T& field, T value)
    {
        if (field != value) {
            field = value;
            Changed();
        }
    }
    void Changed();
    TVTHeader& Header() const;

    TLazyTreeColumns& owner_;
    std::u16string text_;
    std::u16string hint_;
    std::u16string captionText_;
    int left_ = 0;
    int width_ = 50;
    uint32_t position_ = 0;
    int minWidth_ = 10;
    int maxWidth_ = 10000;
    TLazyTreeColumnStyle style_ = vsText;
    int imageIndex_ = -1;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TVTHeaderColumnLayout layout_ = blGlyphLeft;
    int margin_ = 4;
    int spacing_ = 3;
    TVTColumnOptions options_ = kDefaultColumnOptions;
    int64_t tag_ = 0;
    TAlignment alignment_ = taLeftJustify;
    TAlignment captionAlignment_ = taLeftJustify;
    int lastWidth_ = 50;
    THeaderColor color_ = kHeaderColorWindow;
    bool bonusPixel_ = false;
    float springRest_ = 0;
    bool checkBox_ = false;
    TCheckType checkType_ = ctCheckBox;
    TCheckState checkState_ = csUncheckedNormal;
    TRect imageRect_;
    bool hasImage_ = false;
    TSortDirection defaultSortDirection_ = sdAscending;
};

class TLazyTreeColumns {
public:
    explicit TLazyTreeColumns(TVTHeader& header);
    ~TLazyTreeColumns();
    TLazyTreeColumns(const TLazyTreeColumns&) = delete;
    TLazyTreeColumns& operator=(const TLazyTreeColumns&) = delete;

    TVTHeader& Header() const { return header_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TLazyTreeColumn& operator[](TColumnIndex index) const;
    bool IsValidColumn(TColumnIndex column) const { return column >= 0 && column < Count(); }

    TLazyTreeColumn& Add();
    // Removes one column; the display order, the header's indexes and the tree's focus follow.
    void Delete(TColumnIndex index);
    void Clear();
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value) { defaultWidth_ = value; }

    // The column under a header point (y from the header's top); InvalidColumn when none.
    TColumnIndex ColumnFromPosition(TPoint p, bool relative = true) const;
    // The column at a display position; NoColumn past the end.
    TColumnIndex ColumnFromPosition(uint32_t positionIndex) const;
    TColumnIndex ColumnAtWithBounds(int x, int& left, int& right, bool relative) const;
    void GetColumnBounds(TColumnIndex column, int& left, int& right) const;

    TColumnIndex GetFirstColumn() const;
    TColumnIndex GetNextColumn(TColumnIndex column) const;
    TColumnIndex GetPreviousColumn(TColumnIndex column) const;
    TColumnIndex GetFirstVisibleColumn(bool considerAllowFocus = false) const;
    TColumnIndex GetLastVisibleColumn(bool considerAllowFocus = false) const;
    TColumnIndex GetNextVisibleColumn(TColumnIndex column, bool considerAllowFocus = false) const;
    TColumnIndex GetPreviousVisibleColumn(TColumnIndex column, bool considerAllowFocus = false) const;
    std::vector<TColumnIndex> GetVisibleColumns() const;
    int GetVisibleFixedWidth() const;
    int GetScrollWidth() const;
    int TotalWidth() const;
    const std::vector<TColumnIndex>& PositionToIndex() const { return positionToIndex_; }

    // Interaction indexes (NoColumn when none).
    TColumnIndex HoverIndex() const { return hoverIndex_; }
    TColumnIndex DownIndex() const { return downIndex_; }
    TColumnIndex TrackIndex() const { return trackIndex_; }
    TColumnIndex ClickIndex() const { return clickIndex_; }
    TColumnIndex DragIndex() const { return dragIndex_; }
    TColumnIndex DropTarget() const { return dropTarget_; }
    bool DropBefore() const { return dropBefore_; }
    bool CheckBoxHit() const { return checkBoxHit_; }

    void AnimatedResize(TColumnIndex column, int newWidth);
    void ResetDisplayOrder(bool rightToLeft);
    void RecomputeColumnLefts(bool force);

    bool Equals(const TLazyTreeColumns& other) const;
    void Assign(const TLazyTreeColumns& source);

    void SaveToStream(TStream& stream) const;

private:
    friend class TLazyTreeColumn;
    friend class TVTHeader;
    friend class THeaderInput;
    void Update(TLazyTreeColumn* item);
    void SyncPositionMap();
    void MovePositionEntry(TLazyTreeColumn& column, uint32_t position);
    void AdjustIndexAfterRemoval(TColumnIndex removed, TColumnIndex& index) const;

    TVTHeader& header_;
    std::vector<std::unique_ptr<TLazyTreeColumn>> items_;
    std::vector<TColumnIndex> positionToIndex_;
    int defaultWidth_ = 50;
    int updateCount_ = 0;
    bool clearing_ = false;
    TColumnIndex hoverIndex_ = NoColumn;
    TColumnIndex downIndex_ = NoColumn;
    TColumnIndex trackIndex_ = NoColumn;
    TColumnIndex clickIndex_ = NoColumn;
    TColumnIndex dragIndex_ = NoColumn;
    TColumnIndex dropTarget_ = NoColumn;
    bool dropBefore_ = false;
    bool checkBoxHit_ = false;
};

struct TVTFixedAreaConstraints {
    uint8_t MaxHeightPercent = 0;
    uint8_t MaxWidthPercent = 0;
    uint8_t MinHeightPercent = 0;
    uint8_t MinWidthPercent = 0;
    friend bool operator==(const TVTFixedAreaConstraints&, const TVTFixedAreaConstraints&) = default;
};
enum TVTConstraintPercent { cpMaxHeight, cpMaxWidth, cpMinHeight, cpMinWidth };

using TVTHeaderColumnEvent = std::function<void(TVTHeader&, TColumnIndex)>;
using TVTBeforeAutoFitEvent = std::function<void(TVTHeader&, TColumnIndex, TSmartAutoFitType&, bool& allowed)>;
using TVTColumnVisibilityEvent = std::function<void(TVTHeader&, TColumnIndex, bool visible)>;
using TVTCanSplitterResizeColumnEvent = std::function<void(TVTHeader&, TPoint, TColumnIndex, bool& allowed)>;

enum TVTHeaderHitPosition : unsigned { hhiNoWhere, hhiOnColumn, hhiOnIcon, hhiOnCheckbox };
using TVTHeaderHitPositions = EnumSet<TVTHeaderHitPosition, uint8_t>;

// A click in the header; X and Y are header coordinates (y from the header's top).
struct TVTHeaderHitInfo {
    int X = 0;
    int Y = 0;
    TMouseButton Button = mbLeft;
    TShiftState Shift;
    TColumnIndex Column = NoColumn;
    TVTHeaderHitPositions HitPosition;
};

// The pointer shape the header wants at a point.
enum THeaderCursor { hcDefault, hcColumnSplitter, hcHeightSplitter };

using TVTHeaderClickEvent = std::function<void(TVTHeader&, const TVTHeaderHitInfo&)>;
using TVTHeaderDraggedEvent = std::function<void(TVTHeader&, TColumnIndex, uint32_t oldPosition)>;
using TVTHeaderDraggedOutEvent = std::function<void(TVTHeader&, TColumnIndex, TPoint)>;
using TVTHeaderDraggingEvent = std::function<void(TVTHeader&, TColumnIndex, bool& allowed)>;
// Mouse events of the header area; the point is a header point (y from the header's top).
using TVTHeaderMouseEvent = std::function<void(TVTHeader&, TMouseButton, TShiftState, TPoint)>;
using TVTHeaderMouseMoveEvent = std::function<void(TVTHeader&, TShiftState, TPoint)>;
using TVTGetHeaderCursorEvent = std::function<void(TVTHeader&, THeaderCursor& cursor)>;
using TVTBeforeColumnWidthTrackingEvent = std::function<void(TVTHeader&, TColumnIndex, TShiftState)>;
// trackPoint is the tracked column's left edge the width is measured from; the handler may move it.
using TVTColumnWidthTrackingEvent =
    std::function<void(TVTHeader&, TColumnIndex, TShiftState, TPoint& trackPoint, TPoint p, bool& allowed)>;
using TVTBeforeHeaderHeightTrackingEvent = std::function<void(TVTHeader&, TShiftState)>;
// p is the pointer in client coordinates (y 0 at the client area's top); the handler may change it.
using TVTHeaderHeightTrackingEvent = std::function<void(TVTHeader&, TPoint& p, TShiftState, bool& allowed)>;
using TVTHeaderNotifyEvent = std::function<void(TVTHeader&)>;

// The header of a tree. It answers the tree's column questions (TreeColumns) once the tree was given it
// with SetColumns.
class TVTHeader : public TreeColumns {
public:
    explicit TVTHeader(TBaseLazyTree& tree);
    ~TVTHeader() override;

    TBaseLazyTree& Treeview() const { return tree_; }
    TLazyTreeColumns& Columns() { return columns_; }
    const TLazyTreeColumns& Columns() const { return columns_; }
    THeaderStates States() const { return states_; }
    void SetStates(THeaderStates enter, THeaderStates leave)
    {
        states_ += enter;
        states_ -= leave;
    }

    // ---- Properties ---------------------------------------------------------------------------------------
    int Height() const { return height_; }
    void SetHeight(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value);
    TVTHeaderOptions Options() const { return options_; }
    void SetOptions(TVTHeaderOptions value);
    TVTHeaderStyle Style() const { return style_; }
    void SetStyle(TVTHeaderStyle value);
    THeaderColor Background() const { return background_; }
    void SetBackground(THeaderColor value);
    const THeaderFont& Font() const { return font_; }
    void SetFont(const THeaderFont& value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColumnIndex AutoSizeIndex() const { return autoSizeIndex_; }
    void SetAutoSizeIndex(TColumnIndex value);
    void SetMainColumn(TColumnIndex value);
    void SetSortColumn(TColumnIndex value) { ApplySortColumn(value); }
    void SetSortDirection(TSortDirection value);
    int SplitterHitTolerance() const { return splitterHitTolerance_; }
    void SetSplitterHitTolerance(int value) { splitterHitTolerance_ = value; }
    const TVTFixedAreaConstraints& FixedAreaConstraints() const { return constraints_; }
    void SetConstraint(TVTConstraintPercent which, uint8_t value);
    bool Visible() const { return options_.Has(hoVisible); }

    // ---- Sizing -------------------------------------------------------------------------------------------
    // Spreads changeBy pixels over the columns rangeStart..rangeEnd (indexes) holding all of `options`;
    // answers the change actually made.
    int ResizeColumns(int changeBy, TColumnIndex rangeStart, TColumnIndex rangeEnd, TVTColumnOptions options);
    // Fits the columns at display positions rangeStart..rangeEnd (rangeEnd < 0: to the last) to their content.
    void AutoFitColumns(bool animated, TSmartAutoFitType fitType, int rangeStart = 0, int rangeEnd = -1);
    void DistributeSpringWidth();
    void FitAutoSizeColumn(bool force);
    void ReapplyConstraints();
    // Rescaling by m/d (rounded to nearest): height, the own font's size and every column's width.
    void ScaleHeader(int m, int d);
    void ApplySortColumn(TColumnIndex index);
    // Header width: the tree's client width.
    int HeaderWidth() const;
    // The auto-size column: AutoSizeIndex, or the last column when that is out of range.
    TColumnIndex EffectiveAutoSizeIndex() const;

    void SaveToStream(TStream& stream) const;
    // Reads a whole header; a stream that is short or inconsistent raises and changes nothing.
    void LoadFromStream(TStream& stream);
    void Assign(const TVTHeader& source);

    // ---- Mouse --------------------------------------------------------------------------------------------
    // Points are the tree's client coordinates: the header band has y from -Height to -1. Each answers
    // whether the header took the event.
    bool InHeader(TPoint p) const;
    bool InHeaderSplitterArea(TPoint p) const;
    // The column whose splitter lies under p (stored as the track column).
    bool FindSplitterColumn(TPoint p);
    bool ColumnSplitterHit(TPoint p);
    THeaderCursor CursorAt(TPoint p);
    bool MouseDown(TMouseButton button, TShiftState shift, TPoint p);
    bool MouseMove(TShiftState shift, TPoint p);
    bool MouseUp(TMouseButton button, TShiftState shift, TPoint p);
    bool DoubleClick(TMouseButton button, TShiftState shift, TPoint p);
    // Escape or focus loss: a drag or tracking ends without a change.
    bool CancelInteraction();
    // The pointer left the header: no hot or pressed button remains.
    void MouseLeft();
    void ProcessHeaderClick(TPoint p, TMouseButton button, bool dblClick, bool force, TShiftState shift = {});
    // Where the pointer is while a column is dragged.
    TPoint DragPoint() const { return dragPoint_; }
    TPoint DragStart() const { return dragStart_; }

    // ---- Events -------------------------------------------------------------------------------------------
    TVTHeaderClickEvent OnHeaderClick;
    TVTHeaderClickEvent OnHeaderDblClick;
    TVTHeaderDraggedEvent OnHeaderDragged;
    TVTHeaderDraggedOutEvent OnHeaderDraggedOut;
    TVTHeaderDraggingEvent OnHeaderDragging;
    TVTHeaderColumnEvent OnColumnResize;
    TVTBeforeAutoFitEvent OnBeforeAutoFitColumn;
    TVTHeaderColumnEvent OnAfterAutoFitColumn;
    TVTColumnVisibilityEvent OnColumnVisibilityChanged;
    TVTCanSplitterResizeColumnEvent OnCanSplitterResizeColumn;
    TVTHeaderMouseEvent OnHeaderMouseDown;
    TVTHeaderMouseEvent OnHeaderMouseUp;
    TVTHeaderMouseMoveEvent OnHeaderMouseMove;
    // Asked whenever no interaction runs; may change the pointer shape the header chose.
    TVTGetHeaderCursorEvent OnGetHeaderCursor;
    TVTBeforeColumnWidthTrackingEvent OnBeforeColumnWidthTracking;
    TVTColumnWidthTrackingEvent OnColumnWidthTracking;
    TVTHeaderColumnEvent OnAfterColumnWidthTracking;
    TVTBeforeHeaderHeightTrackingEvent OnBeforeHeaderHeightTracking;
    TVTHeaderHeightTrackingEvent OnHeaderHeightTracking;
    TVTHeaderNotifyEvent OnAfterHeaderHeightTracking;

    // ---- TreeColumns ------------------------------------------------------------------------------------
    int Count() const override { return columns_.Count(); }
    TColumnIndex MainColumn() const override { return columns_.Count() == 0 ? NoColumn : mainColumn_; }
    void GetColumnBounds(TColumnIndex column, int& left, int& right) const override
    {
        columns_.GetColumnBounds(column, left, right);
    }
    TColumnIndex ColumnAtWithBounds(int x, int& left, int& right, bool relative) const override
    {
        return columns_.ColumnAtWithBounds(x, left, right, relative);
    }
    TColumnIndex PreviousVisibleColumn(TColumnIndex column) const override
    {
        return columns_.GetPreviousVisibleColumn(column);
    }
    TColumnIndex NextVisibleColumn(TColumnIndex column) const override
    {
        return columns_.GetNextVisibleColumn(column);
    }
    int ColumnWidth(TColumnIndex column) const override
    {
        return columns_.IsValidColumn(column) ? columns_[column].Width() : 0;
    }
    int TotalWidth() const override { return columns_.TotalWidth(); }
    int VisibleFixedWidth() const override { return columns_.GetVisibleFixedWidth(); }
    bool IsVisible(TColumnIndex column) const override
    {
        return columns_.IsValidColumn(column) && columns_[column].IsVisible();
    }
    bool IsFixed(TColumnIndex column) const override
    {
        return columns_.IsValidColumn(column) && columns_[column].IsFixed();
    }
    bool IsEditable(TColumnIndex column) const override
    {
        return columns_.IsValidColumn(column) && columns_[column].Options().Has(coEditable);
    }
    bool AllowFocus(TColumnIndex column) const override
    {
        return columns_.IsValidColumn(column) && columns_[column].Options().Has(coAllowFocus);
    }
    TColumnIndex FirstVisibleColumn(bool considerAllowFocus) const override
    {
        return columns_.GetFirstVisibleColumn(considerAllowFocus);
    }
    TAlignment Alignment(TColumnIndex column) const override
    {
        return columns_.IsValidColumn(column) ? columns_[column].Alignment() : taLeftJustify;
    }
    TBiDiMode BiDiMode(TColumnIndex column) const override
    {
        return columns_.IsValidColumn(column) ? columns_[column].BiDiMode() : bdLeftToRight;
    }
    TColumnIndex SortColumn() const override { return sortColumn_; }
    TSortDirection SortDirection() const override { return sortDirection_; }
    void InvalidateHeader() override { RepaintHeader(NoColumn); }
    int ScrollWidth() const override { return columns_.GetScrollWidth(); }
    void AutoFitColumns() override { AutoFitColumns(true, smaUseColumnOption, 0, -1); }
    void RestoreColumns() override;

    // ---- Hooks of the painted header ------------------------------------------------------------------
    // Repaints one column's button (NoColumn: the whole header).
    virtual void RepaintHeader(TColumnIndex column) {}
    // The header's visibility or height changed: the tree's layout reserves the new band.
    virtual void RefreshHeaderFrame() {}
    // The tree's reaction to a column width change (ranges, scroll bars, repaint, OnColumnResize).
    virtual void ColumnResized(TColumnIndex column);
    virtual void SetMouseCapture(bool capture) {}
    // The column chooser (hoAutoColumnPopupMenu) at a client point.
    virtual void PopupColumnChooser(TPoint client) {}
    // The application's header menu for a column; false when there is none.
    virtual bool PopupHeaderMenu(TColumnIndex column, TPoint client) { return false; }
    // A column's visibility was switched by the chooser.
    void ColumnVisibilityChanged(TColumnIndex column, bool visible)
    {
        if (OnColumnVisibilityChanged)
            OnColumnVisibilityChanged(*this, column, visible);
    }

private:
    friend class TLazyTreeColumn;
    friend class TLazyTreeColumns;
    void ConstraintsChanged();

    TBaseLazyTree& tree_;
    TLazyTreeColumns columns_;
    int height_ = 19;
    int defaultHeight_ = 19;
    int minHeight_ = 10;
    int maxHeight_ = 10000;
    THeaderFont font_;
    bool parentFont_ = false;
    TVTHeaderOptions options_ = kDefaultHeaderOptions;
    TVTHeaderStyle style_ = hsThickButtons;
    THeaderColor background_ = kHeaderColorBtnFace;
    TColumnIndex autoSizeIndex_ = 0;
    TColumnIndex mainColumn_ = NoColumn;
    TColumnIndex sortColumn_ = NoColumn;
    TSortDirection sortDirection_ = sdAscending;
    int splitterHitTolerance_ = 8;
    TVTFixedAreaConstraints constraints_;
    THeaderStates states_;
    int lastWidth_ = 0;
    TPoint dragStart_;
    TPoint dragPoint_;
    TPoint trackStart_;
    TPoint trackPoint_;

    bool UpdateHoverIndex(TPoint p);
    TColumnIndex UpdateDownIndex(TPoint p);
    void TrackColumnDrag(TPoint p);
    // The after-tracking events of a running width or height tracking.
    void FireAfterTracking();
    TPoint HeaderPoint(TPoint p) const { return {p.X, p.Y + height_}; }
};

// Stored column options of an older stream version as the current bits.
uint16_t ConvertStoredColumnOptions(uint32_t stored, int version);

} // namespace lazytree
