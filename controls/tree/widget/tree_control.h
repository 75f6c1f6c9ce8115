#pragma once

// The painted tree: a QAbstractScrollArea over the tree core. It implements the core's services (view,
// clock, measurer), turns Qt's events into the core's input messages, and paints only the rows that meet the
// exposed rectangle. Text comes from the string tree (string_tree.h) on top.

#include "controls/tree/core/lazy_tree.h"
#include "controls/tree/widget/drag_image.h"
#include "controls/tree/widget/image_list.h"
#include "controls/tree/widget/paint_geometry.h"
#include "controls/tree/widget/shared_resources.h"
#include "controls/tree/widget/tree_colors.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <algorithm>
#include <array>
#include <map>
#include <memory>

class QHelpEvent;
class QMimeData;
class QPrinter;

namespace lazytree {

class TVTMimeData;
class TPanningWindow;
class TTreeHeader;
class THeaderBar;
class THintWindow;
class TStyledScrollBars;

enum TVTInternalPaintOption : unsigned {
    poBackground,
    poColumnColor,
    poDrawFocusRect,
    poDrawSelection,
    poDrawDropMark,
    poGridLines,
    poMainOnly,
    poSelectedOnly,
    poUnbuffered,
};
using TVTInternalPaintOptions = EnumSet<TVTInternalPaintOption, uint16_t>;

struct TVTImageInfo {
    int Index = -1;
    int XPos = 0;
    int YPos = 0;
    bool Ghosted = false;
    TCustomImageList* Images = nullptr;
};

// What the element painters get for one cell. Rectangles: x in tree coordinates, y from 0 at the row's top.
struct TVTPaintInfo {
    QPainter* Canvas = nullptr;
    TVTInternalPaintOptions PaintOptions;
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    int Position = 0;
    TRect CellRect;
    TRect ContentRect;
    int NodeWidth = 0;
    TAlignment Alignment = taLeftJustify;
    TBiDiMode BidiMode = bdLeftToRight;
    TPoint BrushOrigin;
    std::array<TVTImageInfo, 4> ImageInfo; // normal, state, check, overlay
};

enum TVTButtonStyle { bsRectangle, bsTriangle };
enum TVTButtonFillMode { fmTreeColor, fmWindowColor, fmShaded, fmTransparent };
enum TVTLineStyle { lsCustomStyle, lsDotted, lsSolid };
enum TVTLineMode { lmNormal, lmBands };
enum TVTHintMode { hmDefault, hmHint, hmHintAndDefault, hmTooltip };
enum TVTDragImageKind { diComplete, diMainColumnOnly, diNoImage };
enum TBorderStyle { bsNone, bsSingle };
enum TItemEraseAction { eaColor, eaDefault, eaNone };

// The six expand button images (plus and minus: plain, hot, selected and hot), all of one size.
struct TButtonImages {
    QImage Plus, Minus, HotPlus, HotMinus, SelectedHotPlus, SelectedHotMinus;
};

using TVTPaintEvent = std::function<void(TBaseLazyTree*, QPainter*)>;
using TVTBeforeItemPaintEvent = std::function<void(TBaseLazyTree*, QPainter*, PLazyNode, TRect itemRect, bool& customDraw)>;
using TVTAfterItemPaintEvent = std::function<void(TBaseLazyTree*, QPainter*, PLazyNode, TRect itemRect)>;
using TVTBeforeItemEraseEvent = std::function<void(
    TBaseLazyTree*, QPainter*, PLazyNode, TRect itemRect, TColor& color, TItemEraseAction& eraseAction)>;
using TVTAfterCellPaintEvent = std::function<void(TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, TRect cellRect)>;
using TVTBackgroundPaintEvent = std::function<void(TBaseLazyTree*, QPainter*, TRect r, bool& handled)>;
using TVTBeforeDrawLineImageEvent = std::function<void(TBaseLazyTree*, PLazyNode, int level, int& posX)>;
using TVTGetLineStyleEvent = std::function<void(TBaseLazyTree*, TLinePattern& pattern)>;
using TVTPrepareButtonImagesEvent = std::function<void(TBaseLazyTree*, TButtonImages& images, QSize& size)>;
using TVTGetHintEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, QString& hintText)>;
using TVTDragStartEvent = std::function<void(TBaseLazyTree*)>;

// Drop effects (copy, move, link) as bits; the same bits name the allowed drag operations.
enum : int { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4 };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
class TLazyTreeControl;
// source: the tree the data comes from in this process, or nil.
using TVTDragOverEvent = std::function<void(TBaseLazyTree*, TLazyTreeControl* source, TShiftState, TDragState,
    TPoint, TDropMode, int& effect, bool& accept)>;
using TVTDragDropEvent = std::function<void(TBaseLazyTree*, TLazyTreeControl* source, const QMimeData*,
    TShiftState, TPoint, int& effect, TDropMode)>;

class TLazyTreeControl : public QAbstractScrollArea, public TBaseLazyTree {
    Q_OBJECT

public:
    explicit TLazyTreeControl(QWidget* parent = nullptr, OptionsFactory optionsFactory = nullptr);
    ~TLazyTreeControl() override;

    const char* ClassName() const override { return "TLazyTreeControl"; }

    // ---- Paint events -----------------------------------------------------------------------------------
    TVTPaintEvent OnBeforePaint;
    TVTPaintEvent OnAfterPaint;
    TVTBeforeItemPaintEvent OnBeforeItemPaint;
    TVTAfterItemPaintEvent OnAfterItemPaint;
    TVTBeforeItemEraseEvent OnBeforeItemErase;
    TVTAfterItemPaintEvent OnAfterItemErase;
    TVTAfterCellPaintEvent OnAfterCellPaint;
    TVTBackgroundPaintEvent OnPaintBackground;
    TVTBeforeDrawLineImageEvent OnBeforeDrawLineImage;
    TVTGetLineStyleEvent OnGetLineStyle;
    TVTPrepareButtonImagesEvent OnPrepareButtonImages;
    TVTDragStartEvent OnStartDrag; // the drag start hook: a drag of the selected nodes may begin
    TVTDragOverEvent OnDragOver;   // unassigned: tree data is accepted
    TVTDragDropEvent OnDragDrop;

    // ---- Clipboard and data transfer ------------------------------------------------------------------
    // Copy and cut answer whether the clipboard took the data; a failed write changes nothing.
    bool CopyToClipboard();
    bool CutToClipboard();
    // Raises ELazyTreeError 2007 when the clipboard holds nothing.
    bool PasteFromClipboard();
    // Leaves rendered data on the clipboard and ends the pending cut or copy.
    void FlushClipboard();
    void CancelCutOrCopy() override;
    // A pending cut or copy ends with the nodes: the clipboard lets this tree's object go.
    void Clear() override;
    bool ProcessDrop(const QMimeData* data, PLazyNode target, int& effect, TVTNodeAttachMode mode);
    bool ProcessMimeData(TLazyTreeControl* source, const QMimeData* data, PLazyNode target, TVTNodeAttachMode mode,
        bool optimized);
    // The tree of this process that made the data, or nil.
    static TLazyTreeControl* SourceTreeOf(const QMimeData* data);
    // Descriptions of the formats this tree offers, in priority order, filtered by ClipboardFormats.
    QStringList NativeClipboardFormats() const;
    // Allowed format descriptions; empty allows every format of the tree.
    QStringList ClipboardFormats() const { return clipboardFormats_; }
    void SetClipboardFormats(const QStringList& value) { clipboardFormats_ = value; }
    // One format's bytes (tree data as length word and records); empty when there is nothing to render.
    virtual QByteArray RenderFormat(const QString& description, bool forClipboard);
    virtual bool OffersTextFormats() const { return false; }
    // Starts the drag of the selected nodes now, or once the mouse has moved threshold pixels (the
    // platform's distance when negative).
    void BeginDrag(bool immediate, int threshold = -1);
    // How the drag pixmap is blended (transparency, fade, colour key, bias).
    TDragImageOptions& DragImageOptions() { return dragImageOptions_; }
    int DragOperations() const { return dragOperations_; }
    void SetDragOperations(int effects) { dragOperations_ = effects; }
    const TNodeArray& DragSelection() const { return dragSelection_; }
    int LastDragEffect() const { return lastDragEffect_; }
    // Proposed effect for a drag from source with these modifiers, within allowed.
    int ProposeDropEffect(TLazyTreeControl* source, TShiftState shift, int allowed) const;
    TDropMode ComputeDropMode(TPoint p, const THitInfo& hitInfo, const TRect& nodeRect);

    // ---- Header ---------------------------------------------------------------------------------------------
    // The columns and their header (hidden until hoVisible); the header bar sits in the top viewport margin.
    TTreeHeader& ColumnHeader() const { return *header_; }
    THeaderBar* HeaderBar() const { return headerBar_; }
    // Reserves the header's band above the viewport and places the bar there.
    void UpdateHeaderLayout();
    // The application's menu for a right click into the header: OnGetPopupMenu without a node but with the
    // column under the pointer (the node walk would drop it).
    QMenu* HeaderPopupMenuFor(TColumnIndex column, TPoint client)
    {
        QMenu* menu = nullptr;
        bool askParent = true;
        if (OnGetPopupMenu)
            OnGetPopupMenu(this, nullptr, column, client, askParent, menu);
        return menu;
    }

    // The window of the owner-drawn hint shown now, or nil.
    THintWindow* ShownHintWindow() const;
    // Fade-in time of owner-drawn hints in milliseconds (0: at once).
    int HintFadeDuration() const { return hintFadeDuration_; }
    void SetHintFadeDuration(int ms) { hintFadeDuration_ = std::max(0, ms); }

    // ---- Setup --------------------------------------------------------------------------------------------
    // A root node count as a form would give it: applied when the tree is first shown (at once when it
    // already was), with toReadOnly lifted meanwhile and restored afterwards.
    void SetupRootNodeCount(uint32_t count);

    // ---- Files --------------------------------------------------------------------------------------------
    // The file is replaced whole or not at all.
    void SaveToFile(const QString& fileName);
    void LoadFromFile(const QString& fileName);

    // ---- Properties --------------------------------------------------------------------------------------
    TVTColors& Colors() { return colors_; }
    const TVTColors& Colors() const { return colors_; }
    QColor BackGroundColor() const;
    QColor NodeFontColor() const;
    QColor Color(TVTColorIndex index) const { return ResolveColor(colors_.Get(index), palette()); }

    TVTButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TVTButtonStyle value);
    TVTButtonFillMode ButtonFillMode() const { return buttonFillMode_; }
    void SetButtonFillMode(TVTButtonFillMode value);
    TVTLineStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(TVTLineStyle value);
    TVTLineMode LineMode() const { return lineMode_; }
    void SetLineMode(TVTLineMode value);
    TCheckImageKind CheckImageKind() const { return checkImageKind_; }
    void SetCheckImageKind(TCheckImageKind value);
    TCustomImageList* CheckImages() const { return checkImages_; }
    TCustomImageList* CustomCheckImages() const { return customCheckImages_; }
    void SetCustomCheckImages(TCustomImageList* list);
    void SetImages(TCustomImageList* list);
    void SetStateImages(TCustomImageList* list);
    QString EmptyListMessage() const { return emptyListMessage_; }
    void SetEmptyListMessage(const QString& value);
    uint32_t SelectionCurveRadius() const { return selectionCurveRadius_; }
    void SetSelectionCurveRadius(uint32_t value);
    uint8_t SelectionBlendFactor() const { return selectionBlendFactor_; }
    void SetSelectionBlendFactor(uint8_t value) { selectionBlendFactor_ = value; }
    const QImage& Background() const { return background_; }
    void SetBackground(const QImage& image);
    int BackgroundOffsetX() const { return backgroundOffsetX_; }
    int BackgroundOffsetY() const { return backgroundOffsetY_; }
    void SetBackgroundOffset(int x, int y);
    TVTHintMode HintMode() const { return hintMode_; }
    void SetHintMode(TVTHintMode value) { hintMode_ = value; }
    TVTDragImageKind DragImageKind() const { return dragImageKind_; }
    void SetDragImageKind(TVTDragImageKind value) { dragImageKind_ = value; }
    int DragWidth() const { return dragWidth_; }
    void SetDragWidth(int value) { dragWidth_ = value; }
    int DragHeight() const { return dragHeight_; }
    void SetDragHeight(int value) { dragHeight_ = value; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // The tree buffers its own painting: always true.
    bool DoubleBuffered() const { return true; }
    void SetDoubleBuffered(bool) {}
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    const TButtonImages& ButtonImages() const { return buttons_; }
    QSize ButtonSize() const { return buttonSize_; }
    const TLinePattern& LinePattern() const { return linePattern_; }
    int RebuildCount() const { return rebuildCount_; } // button image and line pattern rebuilds so far

    // The "styles active" flag of the application (an application style paints the scroll bars).
    static void SetApplicationStyled(bool styled);
    static bool ApplicationStyled();

    // ---- Painting ---------------------------------------------------------------------------------------
    // Paints the part `window` (tree coordinates) of the tree so that its top-left lands at `target`.
    virtual void PaintTree(QPainter& painter, const TRect& window, QPoint target, TVTInternalPaintOptions options);
    // Prints the whole tree over as many pages as needed; false without a printer or when it cannot start.
    bool Print(QPrinter* printer, bool printHeader = false);
    // The selected nodes around a hot spot (client coordinates) as the drag image shows them.
    QImage PrepareDragImage(QPoint hotSpot);
    void RebuildButtonImages(bool needButtons, bool needLines);

signals:
    // F1 found a help context for the focused node.
    void helpRequested(int helpContext);

protected:
    // The tree's font changed (measured widths are stale).
    virtual void FontChanged() {}

    // ---- Element painters -------------------------------------------------------------------------------
    virtual void PaintCellBackground(TVTPaintInfo& info, int windowOrgX, int maxWidth);
    virtual void DrawTreeLines(TVTPaintInfo& info, int vAlignment, int indentSize, const TLineImage& lineImage);
    virtual void DrawHorizontalDotLine(TVTPaintInfo& info, int left, int right, int top);
    virtual void DrawVerticalDotLine(TVTPaintInfo& info, int top, int bottom, int left, bool useSelectedBkColor);
    virtual void PaintExpandButton(QPainter& painter, PLazyNode node, const TRect& r, int buttonX, int buttonY,
        TBiDiMode bidi);
    virtual void DrawCheckImage(QPainter& painter, const TVTImageInfo& slot, bool selected);
    virtual void PaintNodeImage(TVTPaintInfo& info, int slotIndex, bool doOverlay);
    virtual void PaintNodeContent(TVTPaintInfo& info) {}
    virtual void PaintDropMark(QPainter& painter, PLazyNode node, const TRect& r);
    virtual void DrawBandRectangle(QPainter& painter, int windowOrgX, const TRect& selectionRect, const TRect& targetRect);
    void ResolveImage(TVTPaintInfo& info, TVTImageKind kind, int slotIndex, TCustomImageList* defaultImages);
    void PlaceImageInfo(TCustomImageList* images, bool rightToLeft, TVTImageInfo& slot, TRect& contentRect, int vAlign);
    void AdjustForIndent(TVTPaintInfo& info, int levels);
    void EraseRowBackground(TVTPaintInfo& info, bool showBackground, TRect r);
    void TileBackgroundPicture(QPainter& painter, const TRect& r, TPoint offset);
    TCustomImageList* CheckImageListForKind(TCheckImageKind kind) const;

    // ---- Hints --------------------------------------------------------------------------------------------
    virtual QString NodeHint(PLazyNode node, TColumnIndex column);
    virtual QString NodeTooltip(PLazyNode node, TColumnIndex column);

    // ---- Core hooks -----------------------------------------------------------------------------------------
    TSize ImageSize(TImageSlot slot) const override;
    bool AnimateToggle(const ToggleAnimationInfo& info) override { return false; }

    // ---- Qt events ----------------------------------------------------------------------------------------
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override {}
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void StartOleDrag(TPoint position) override;
    void ExpandDropTarget() override;
    bool IsDropTarget() const override { return dropTargetActive_; }
    // Runs the drag loop; answers the effect the target chose (tests replace it).
    virtual int RunDragLoop(TVTMimeData* data, int allowedEffects);

    // Font metrics of the tree's font.
    int TextHeight() const;

private:
    class ViewService;
    class ClockService;
    class MeasurerService;
    friend class ViewService;
    friend class ClockService;
    friend class MeasurerService;

    void PaintRow(QPainter& painter, PLazyNode node, int nodeTop, const TRect& window, QPoint target,
        TVTInternalPaintOptions rowOptions, const TLineImage& lineImage, int selectLevel, bool drawBandRect,
        TRect selectionRect, int maxWidth);
    void FillPattern(QPainter& painter, const QRect& r, const QColor& line, const QColor& background);
    void Unlink(TCustomImageList* list, int& token);
    int Link(TCustomImageList* list, std::function<void()> forget);
    void SetupScrollBars();
    void ApplyScrollBar(TScrollBarKind bar, const TreeView::ScrollBarState& state, int& position);
    void UpdateThemeState();
    TShiftState ShiftFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) const;
    bool HintDecision(QHelpEvent* event);

    std::unique_ptr<ViewService> viewService_;
    std::unique_ptr<ClockService> clockService_;
    std::unique_ptr<MeasurerService> measurerService_;
    std::unique_ptr<TPanningWindow> panningWindow_;
    std::unique_ptr<TStyledScrollBars> styledBars_;
    QElapsedTimer elapsed_;
    std::map<int, QBasicTimer> timers_;
    bool settingScrollBars_ = false;
    bool inResize_ = false;
    bool resizeAgain_ = false;
    bool leftButtonDown_ = false;

    TVTColors colors_;
    TVTButtonStyle buttonStyle_ = bsRectangle;
    TVTButtonFillMode buttonFillMode_ = fmTreeColor;
    TVTLineStyle lineStyle_ = lsDotted;
    TVTLineMode lineMode_ = lmNormal;
    TCheckImageKind checkImageKind_ = ckSystemDefault;
    TCustomImageList* checkImages_ = nullptr;
    TCustomImageList* customCheckImages_ = nullptr;
    int imagesLink_ = 0;
    int stateImagesLink_ = 0;
    int customCheckLink_ = 0;
    QString emptyListMessage_;
    uint32_t selectionCurveRadius_ = 0;
    uint8_t selectionBlendFactor_ = 128;
    QImage background_;
    int backgroundOffsetX_ = 0;
    int backgroundOffsetY_ = 0;
    TVTHintMode hintMode_ = hmDefault;
    TVTDragImageKind dragImageKind_ = diComplete;
    int dragWidth_ = 200;
    int dragHeight_ = 350;
    TBorderStyle borderStyle_ = bsSingle;
    QPointer<QMenu> popupMenu_;
    TButtonImages buttons_;
    QSize buttonSize_{9, 9};
    TLinePattern linePattern_ = kDottedPattern;
    int rebuildCount_ = 0;
    TRect lastHintRect_;
    int paintRowTop_ = 0;     // tree y of the row being painted (painter y 0)
    QStringList clipboardFormats_;
    bool setupApplied_ = false;
    uint32_t pendingRootCount_ = 0;
    std::unique_ptr<TTreeHeader> header_;
    THeaderBar* headerBar_ = nullptr;
    bool splitCursor_ = false; // the viewport shows the split cursor of the client-area splitter
    THintWindow* hintWindow_ = nullptr; // owner-drawn hints, made on first use
    int hintFadeDuration_ = 200;
    void HideHintWindow();

    void ApplySetup();
    int dragOperations_ = 0;
    TDragImageOptions dragImageOptions_;
    TNodeArray dragSelection_;
    int lastDragEffect_ = DROPEFFECT_NONE;
    bool dropTargetActive_ = false;
    QPointer<TVTMimeData> clipboardData_; // the object this tree put on the clipboard
    QColor dotLineColor_;     // the colour dotted lines take (the canvas text colour of the painters)
};

} // namespace lazytree
