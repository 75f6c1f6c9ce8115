// The painted tree's services for the core, its properties, and Qt's events turned into the core's messages.

#include "controls/tree/widget/tree_control.h"
#include "controls/tree/widget/tree_header_bar.h"
#include "controls/tree/widget/hint_window.h"
#include "controls/tree/widget/validation_gate.h"

#include "controls/tree/core/accessibility_registry.h"

#include "controls/tree/widget/panning_window.h"
#include "controls/tree/widget/shared_resources.h"
#include "controls/tree/widget/styled_scroll_bars.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace lazytree {

namespace {

bool g_applicationStyled = false;

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// Qt's key to the tree's key code.
int TreeKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    case Qt::Key_F1:
        return VK_F1;
    case Qt::Key_F2:
        return VK_F2;
    default:
        return key; // letters and digits are their upper-case character codes; other keys are 32 or above
    }
}

} // namespace

// ---- Services ----------------------------------------------------------------------------------------------

class TLazyTreeControl::ViewService : public TreeView {
public:
    explicit ViewService(TLazyTreeControl& c) : c_(c) {}

    int ClientWidth() const override { return c_.viewport()->width(); }
    int ClientHeight() const override { return c_.viewport()->height(); }
    void Invalidate() override { c_.viewport()->update(); }
    void InvalidateRect(const TRect& r) override
    {
        if (!r.IsEmpty())
            c_.viewport()->update(ToQRect(r));
    }
    void RepaintRect(const TRect& r) override { InvalidateRect(r); }
    void ScrollContent(int dx, int dy, const TRect* clip) override
    {
        if (clip)
            c_.viewport()->scroll(dx, dy, ToQRect(*clip) & c_.viewport()->rect());
        else
            c_.viewport()->scroll(dx, dy);
    }
    int SetScrollBar(TScrollBarKind bar, const ScrollBarState& state) override
    {
        int position = 0;
        c_.ApplyScrollBar(bar, state, position);
        return position;
    }
    void ShowScrollBar(TScrollBarKind bar, bool show) override
    {
        const Qt::ScrollBarPolicy policy = !show ? Qt::ScrollBarAlwaysOff
            : c_.ScrollBarOptions().AlwaysVisible ? Qt::ScrollBarAlwaysOn
                                                  : Qt::ScrollBarAsNeeded;
        if (bar == sbVertical) {
            if (c_.verticalScrollBarPolicy() != policy)
                c_.setVerticalScrollBarPolicy(policy);
        } else if (c_.horizontalScrollBarPolicy() != policy) {
            c_.setHorizontalScrollBarPolicy(policy);
        }
    }
    int HorizontalScrollBarHeight() const override { return c_.horizontalScrollBar()->sizeHint().height(); }
    void SetRedrawSuspended(bool suspend) override { c_.viewport()->setUpdatesEnabled(!suspend); }
    bool HasFocus() const override { return c_.hasFocus(); }
    bool Enabled() const override { return c_.isEnabled(); }
    void CancelHint() override
    {
        if (QToolTip::isVisible())
            QToolTip::hideText();
        c_.HideHintWindow();
        c_.lastHintRect_ = {};
    }
    void ScrollBarsChanged() override
    {
        if (c_.styledBars_)
            c_.styledBars_->Refresh();
    }
    void RecreateWindow() override
    {
        c_.UpdateThemeState();
        c_.RebuildButtonImages(true, true);
        c_.viewport()->update();
    }
    bool StyleServicesEnabled() const override { return true; }
    void RebuildButtonImages() override { c_.RebuildButtonImages(true, false); }
    void RedrawWithFrame() override
    {
        c_.update();
        c_.viewport()->update();
    }
    bool CanFocus() const override { return c_.focusPolicy() != Qt::NoFocus && c_.isEnabled(); }
    void SetFocus() override { c_.setFocus(Qt::MouseFocusReason); }
    bool CursorPosition(TPoint& client) const override
    {
        const QPoint p = c_.viewport()->mapFromGlobal(QCursor::pos());
        client = {p.x(), p.y()};
        return true;
    }
    bool LeftButtonPressed() const override { return c_.leftButtonDown_; }
    int DragThreshold() const override { return QApplication::startDragDistance(); }
    int WheelScrollLines() const override { return QApplication::wheelScrollLines(); }
    int VerticalScrollBarWidth() const override { return c_.style()->pixelMetric(QStyle::PM_ScrollBarExtent); }
    void Beep() override { QApplication::beep(); }
    void ShowHelp(int helpContext) override { emit c_.helpRequested(helpContext); }
    void ShowPanningWindow(TPoint center, TPanningImage image) override
    {
        if (!c_.panningWindow_)
            c_.panningWindow_ = std::make_unique<TPanningWindow>(&c_);
        c_.panningWindow_->ShowAt(c_.viewport()->mapToGlobal(QPoint(center.X, center.Y)), image);
        c_.viewport()->grabMouse();
    }
    void HidePanningWindow() override
    {
        if (c_.panningWindow_)
            c_.panningWindow_->hide();
        c_.viewport()->releaseMouse();
        c_.viewport()->unsetCursor();
    }
    void SetPanningCursor(TPanningCursor cursor) override { c_.viewport()->setCursor(PanningCursor(cursor)); }
    bool HasPopupMenu() const override { return c_.popupMenu_ != nullptr; }
    void ShowPopupMenu(QMenu* menu, TPoint client) override
    {
        if (menu)
            menu->popup(c_.viewport()->mapToGlobal(QPoint(client.X, client.Y)));
    }
    void BeginDrag() override
    {
        if (c_.OnStartDrag)
            c_.OnStartDrag(&c_);
    }

private:
    TLazyTreeControl& c_;
};

class TLazyTreeControl::ClockService : public TreeClock {
public:
    explicit ClockService(TLazyTreeControl& c) : c_(c) {}
    uint32_t Milliseconds() override { return static_cast<uint32_t>(c_.elapsed_.elapsed()); }
    void StartTimer(int id, uint32_t intervalMs) override { c_.timers_[id].start(static_cast<int>(intervalMs), &c_); }
    void StopTimer(int id) override
    {
        auto it = c_.timers_.find(id);
        if (it != c_.timers_.end())
            it->second.stop();
    }

private:
    TLazyTreeControl& c_;
};

class TLazyTreeControl::MeasurerService : public ContentMeasurer {
public:
    explicit MeasurerService(TLazyTreeControl& c) : c_(c) {}
    int NodeContentWidth(TBaseLazyTree&, PLazyNode, TColumnIndex) override { return 2 * c_.TextMargin(); }
    int FontHeight() override { return c_.TextHeight(); }
    TSize ImageSize(TImageSlot slot) override { return c_.ImageSize(slot); }

private:
    TLazyTreeControl& c_;
};

// ---- Accessibility ---------------------------------------------------------------------------------------

namespace {

// Qt's accessibility request for a tree: while providers are registered, the tree's and its item's objects
// are made when missing and the tree's object is the answer (Qt keeps it with the tree); otherwise Qt's own.
QAccessibleInterface* TreeAccessibleFactory(const QString&, QObject* object)
{
    auto* tree = qobject_cast<TLazyTreeControl*>(object);
    if (!tree)
        return nullptr;
    const TVTAccessibilityFactory& factory = TVTAccessibilityFactory::GetAccessibilityFactory();
    if (factory.ProviderCount() == 0)
        return nullptr;
    if (!tree->Accessible())
        tree->SetAccessible(factory.CreateIAccessible(tree));
    if (tree->Accessible() && !tree->AccessibleItem())
        tree->SetAccessibleItem(factory.CreateIAccessible(tree));
    return tree->Accessible();
}

} // namespace

// ---- Construction ----------------------------------------------------------------------------------------

TLazyTreeControl::TLazyTreeControl(QWidget* parent, OptionsFactory optionsFactory)
    : QAbstractScrollArea(parent),
      TBaseLazyTree(optionsFactory),
      viewService_(std::make_unique<ViewService>(*this)),
      clockService_(std::make_unique<ClockService>(*this)),
      measurerService_(std::make_unique<MeasurerService>(*this))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&TreeAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    elapsed_.start();
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    viewport()->setMouseTracking(true);
    viewport()->setAcceptDrops(true); // drops are refused later without toAcceptOLEDrop
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setBackgroundRole(QPalette::Base);
    resize(200, 100);
    SetupScrollBars();
    checkImages_ = CheckImageListForKind(checkImageKind_);
    colors_.SetChangeHandler([this](TVTColorIndex index) {
        if (index == TreeLineColor) {
            RebuildButtonImages(true, false);
            viewport()->update();
        } else if (index == BorderColor) {
            update();
        } else {
            viewport()->update();
        }
    });
    SetView(viewService_.get());
    SetClock(clockService_.get());
    SetMeasurer(measurerService_.get());
    UpdateThemeState();
    RebuildButtonImages(true, true);
    AdaptDefaultNodeHeight();
    if (ApplicationStyled())
        styledBars_ = std::make_unique<TStyledScrollBars>(this);
    InstallValidationGate();
    header_ = std::make_unique<TTreeHeader>(*this);
    headerBar_ = new THeaderBar(*this, *header_);
    headerBar_->hide();
    SetColumns(header_.get());
}

void TLazyTreeControl::UpdateHeaderLayout()
{
    if (!header_ || !headerBar_)
        return;
    const int height = header_->Visible() ? header_->Height() : 0;
    if (viewportMargins().top() != height) {
        setViewportMargins(0, height, 0, 0);
        UpdateScrollBars(true); // the client area changed height
    }
    if (height > 0) {
        const QRect client = viewport()->geometry();
        headerBar_->setGeometry(client.left(), client.top() - height, client.width(), height);
        headerBar_->show();
        headerBar_->update();
    } else {
        headerBar_->hide();
    }
}

TLazyTreeControl::~TLazyTreeControl()
{
    // The worker leaves this tree before any part of it goes.
    StopCacheValidation();
    styledBars_.reset();
    EndWheelPanning();
    // The header goes first; the tree answers for no columns from now on.
    header_->SetBar(nullptr);
    delete headerBar_;
    headerBar_ = nullptr;
    header_.reset();
    for (auto& [id, timer] : timers_)
        timer.stop();
    Unlink(customCheckImages_, customCheckLink_);
    Unlink(Images(), imagesLink_);
    Unlink(StateImages(), stateImagesLink_);
    // The nodes go while the tree's services still stand; the core's destructor finds none left.
    SetView(nullptr);
    SetClock(nullptr);
    SetMeasurer(nullptr);
    OnChange = nullptr;
    OnStructureChange = nullptr;
    OnFocusChanged = nullptr;
    OnRemoveFromSelection = nullptr;
    OnStateChange = nullptr;
    TBaseLazyTree::Clear();
}

void TLazyTreeControl::SetApplicationStyled(bool styled)
{
    g_applicationStyled = styled;
}

bool TLazyTreeControl::ApplicationStyled()
{
    return g_applicationStyled;
}

void TLazyTreeControl::SetupScrollBars()
{
    for (TScrollBarKind bar : {sbHorizontal, sbVertical}) {
        QScrollBar* sb = bar == sbVertical ? verticalScrollBar() : horizontalScrollBar();
        connect(sb, &QScrollBar::valueChanged, this, [this, bar, sb](int value) {
            if (settingScrollBars_)
                return;
            ScrollBarMoved(bar, value, sb->isSliderDown());
        });
        connect(sb, &QScrollBar::sliderReleased, this, [this, bar] { ScrollBarReleased(bar); });
    }
}

void TLazyTreeControl::ApplyScrollBar(TScrollBarKind bar, const TreeView::ScrollBarState& state, int& position)
{
    QScrollBar* sb = bar == sbVertical ? verticalScrollBar() : horizontalScrollBar();
    const bool was = settingScrollBars_;
    settingScrollBars_ = true;
    const int maximum = state.Shown ? std::max(0, state.RangeMax - state.Page + 1) : 0;
    sb->setRange(0, maximum);
    sb->setPageStep(std::max(1, state.Page - 1));
    const TScrollBarOptions& options = ScrollBarOptions();
    sb->setSingleStep(bar == sbVertical ? options.VerticalIncrement : options.HorizontalIncrement);
    sb->setValue(std::clamp(state.Position, 0, maximum));
    position = sb->value();
    settingScrollBars_ = was;
}

void TLazyTreeControl::UpdateThemeState()
{
    if (TreeOptions().PaintOptions().Has(toThemeAware))
        ChangeTreeStates({tsUseThemes}, {});
    else
        ChangeTreeStates({}, {tsUseThemes});
}

int TLazyTreeControl::TextHeight() const
{
    return QFontMetrics(font()).height();
}

TSize TLazyTreeControl::ImageSize(TImageSlot slot) const
{
    switch (slot) {
    case isNormalImages:
        return Images() ? TSize{Images()->Width(), Images()->Height()} : TSize{};
    case isStateImages:
        return StateImages() ? TSize{StateImages()->Width(), StateImages()->Height()} : TSize{};
    case isCheckImages:
        return checkImages_ ? TSize{checkImages_->Width(), checkImages_->Height()} : TSize{};
    case isButtonImage:
        return {buttonSize_.width(), buttonSize_.height()};
    }
    return {};
}

QColor TLazyTreeControl::BackGroundColor() const
{
    return viewport()->palette().color(QPalette::Base);
}

QColor TLazyTreeControl::NodeFontColor() const
{
    return palette().color(QPalette::Text);
}

// ---- Properties ------------------------------------------------------------------------------------------

void TLazyTreeControl::SetButtonStyle(TVTButtonStyle value)
{
    if (value == buttonStyle_)
        return;
    buttonStyle_ = value;
    RebuildButtonImages(true, false);
    viewport()->update();
}

void TLazyTreeControl::SetButtonFillMode(TVTButtonFillMode value)
{
    if (value == buttonFillMode_)
        return;
    buttonFillMode_ = value;
    RebuildButtonImages(true, false);
    viewport()->update();
}

void TLazyTreeControl::SetLineStyle(TVTLineStyle value)
{
    if (value == lineStyle_)
        return;
    lineStyle_ = value;
    RebuildButtonImages(false, true);
    viewport()->update();
}

void TLazyTreeControl::SetLineMode(TVTLineMode value)
{
    if (value == lineMode_)
        return;
    lineMode_ = value;
    viewport()->update();
}

void TLazyTreeControl::SetCheckImageKind(TCheckImageKind value)
{
    if (value == checkImageKind_)
        return;
    checkImageKind_ = value;
    checkImages_ = CheckImageListForKind(value);
    if (!checkImages_ && value == ckCustom)
        checkImages_ = customCheckImages_;
    if (UpdateCount() == 0)
        viewport()->update();
}

TCustomImageList* TLazyTreeControl::CheckImageListForKind(TCheckImageKind kind) const
{
    return SharedCheckImages(kind, style());
}

int TLazyTreeControl::Link(TCustomImageList* list, std::function<void()> forget)
{
    if (!list)
        return 0;
    return list->AddChangeLink([this, forget](bool destroyed) {
        if (destroyed)
            forget();
        viewport()->update();
    });
}

void TLazyTreeControl::Unlink(TCustomImageList* list, int& token)
{
    if (list && token)
        list->RemoveChangeLink(token);
    token = 0;
}

void TLazyTreeControl::SetCustomCheckImages(TCustomImageList* list)
{
    if (list == customCheckImages_)
        return;
    Unlink(customCheckImages_, customCheckLink_);
    if (checkImages_ == customCheckImages_)
        checkImages_ = nullptr;
    customCheckImages_ = list;
    customCheckLink_ = Link(list, [this] {
        if (checkImages_ == customCheckImages_)
            checkImages_ = nullptr;
        customCheckImages_ = nullptr;
        customCheckLink_ = 0;
    });
    if (checkImageKind_ == ckCustom)
        checkImages_ = list;
    else if (!checkImages_)
        checkImages_ = CheckImageListForKind(checkImageKind_);
    viewport()->update();
}

void TLazyTreeControl::SetImages(TCustomImageList* list)
{
    if (list == Images())
        return;
    Unlink(Images(), imagesLink_);
    TBaseLazyTree::SetImages(list);
    imagesLink_ = Link(list, [this] {
        TBaseLazyTree::SetImages(nullptr);
        imagesLink_ = 0;
    });
    viewport()->update();
}

void TLazyTreeControl::SetStateImages(TCustomImageList* list)
{
    if (list == StateImages())
        return;
    Unlink(StateImages(), stateImagesLink_);
    TBaseLazyTree::SetStateImages(list);
    stateImagesLink_ = Link(list, [this] {
        TBaseLazyTree::SetStateImages(nullptr);
        stateImagesLink_ = 0;
    });
    viewport()->update();
}

void TLazyTreeControl::SetEmptyListMessage(const QString& value)
{
    if (value == emptyListMessage_)
        return;
    emptyListMessage_ = value;
    viewport()->update();
}

void TLazyTreeControl::SetSelectionCurveRadius(uint32_t value)
{
    if (value == selectionCurveRadius_)
        return;
    selectionCurveRadius_ = value;
    viewport()->update();
}

void TLazyTreeControl::SetBackground(const QImage& image)
{
    background_ = image;
    viewport()->update();
}

void TLazyTreeControl::SetBackgroundOffset(int x, int y)
{
    if (x == backgroundOffsetX_ && y == backgroundOffsetY_)
        return;
    backgroundOffsetX_ = x;
    backgroundOffsetY_ = y;
    viewport()->update();
}

void TLazyTreeControl::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    setFrameShape(value == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}

// ---- Qt events -----------------------------------------------------------------------------------------------

TShiftState TLazyTreeControl::ShiftFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) const
{
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier)
        shift.Include(ssShift);
    if (modifiers & Qt::ControlModifier)
        shift.Include(ssCtrl);
    if (modifiers & Qt::AltModifier)
        shift.Include(ssAlt);
    if (buttons & Qt::LeftButton)
        shift.Include(ssLeft);
    if (buttons & Qt::RightButton)
        shift.Include(ssRight);
    if (buttons & Qt::MiddleButton)
        shift.Include(ssMiddle);
    return shift;
}

bool TLazyTreeControl::event(QEvent* event)
{
    if (event->type() == QEvent::StyleChange && styledBars_)
        styledBars_->Refresh();
    return QAbstractScrollArea::event(event);
}

bool TLazyTreeControl::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        HintDecision(static_cast<QHelpEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TLazyTreeControl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (inResize_) {
        resizeAgain_ = true;
        return;
    }
    inResize_ = true;
    // A scroll bar that appears or goes changes the client size once more.
    for (int pass = 0; pass < 4; ++pass) {
        resizeAgain_ = false;
        Resized();
        if (!resizeAgain_)
            break;
    }
    inResize_ = false;
    if (styledBars_)
        styledBars_->Refresh();
    if (header_) {
        UpdateHeaderLayout();
        if (header_->Options().Has(hoAutoResize))
            header_->FitAutoSizeColumn(false);
        else
            header_->ReapplyConstraints();
        header_->DistributeSpringWidth();
    }
}

void TLazyTreeControl::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (!setupApplied_)
        ApplySetup();
    UpdateScrollBars(true);
}

void TLazyTreeControl::SetupRootNodeCount(uint32_t count)
{
    pendingRootCount_ = count;
    ChangeTreeStates({tsNeedRootCountUpdate}, {});
    if (setupApplied_)
        ApplySetup();
}

void TLazyTreeControl::ApplySetup()
{
    setupApplied_ = true;
    if (!TreeStates().Has(tsNeedRootCountUpdate))
        return;
    ChangeTreeStates({}, {tsNeedRootCountUpdate});
    if (pendingRootCount_ == 0)
        return;
    TCustomLazyTreeOptions& options = TreeOptions();
    const TVTMiscOptions misc = options.MiscOptions();
    options.SetMiscOptions(misc - TVTMiscOptions{toReadOnly});
    BeginUpdate();
    try {
        SetChildCount(RootNode(), pendingRootCount_);
    } catch (...) {
        EndUpdate();
        options.SetMiscOptions(misc);
        throw;
    }
    EndUpdate();
    options.SetMiscOptions(misc);
}

namespace {
// A header drag or tracking owns the mouse until it ends.
constexpr THeaderStates kHeaderInteraction = {hsDragging, hsDragPending, hsColumnWidthTracking,
    hsColumnWidthTrackPending, hsHeightTracking, hsHeightTrackPending};
} // namespace

void TLazyTreeControl::mousePressEvent(QMouseEvent* event)
{
    TMouseButton button;
    switch (event->button()) {
    case Qt::LeftButton:
        button = mbLeft;
        leftButtonDown_ = true;
        break;
    case Qt::RightButton:
        button = mbRight;
        break;
    case Qt::MiddleButton:
        button = mbMiddle;
        break;
    default:
        return;
    }
    const QPoint p = event->position().toPoint();
    // The edge between fixed and scrolling columns is the header's, also inside the client area.
    if (button == mbLeft && header_->ColumnSplitterHit({p.x(), p.y()})) {
        header_->MouseDown(button, ShiftFrom(event->modifiers(), event->buttons()), {p.x(), p.y()});
        event->accept();
        return;
    }
    MouseButtonDown(button, ShiftFrom(event->modifiers(), event->buttons()), p.x(), p.y());
    event->accept();
}

void TLazyTreeControl::mouseReleaseEvent(QMouseEvent* event)
{
    TMouseButton button;
    switch (event->button()) {
    case Qt::LeftButton:
        button = mbLeft;
        leftButtonDown_ = false;
        break;
    case Qt::RightButton:
        button = mbRight;
        break;
    case Qt::MiddleButton:
        button = mbMiddle;
        break;
    default:
        return;
    }
    const QPoint p = event->position().toPoint();
    if (header_->States().HasAny(kHeaderInteraction)) {
        header_->MouseUp(button, ShiftFrom(event->modifiers(), event->buttons()), {p.x(), p.y()});
        event->accept();
        return;
    }
    MouseButtonUp(button, ShiftFrom(event->modifiers(), event->buttons()), p.x(), p.y());
    event->accept();
}

void TLazyTreeControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    TMouseButton button;
    switch (event->button()) {
    case Qt::LeftButton:
        button = mbLeft;
        leftButtonDown_ = true;
        break;
    case Qt::RightButton:
        button = mbRight;
        break;
    case Qt::MiddleButton:
        button = mbMiddle;
        break;
    default:
        return;
    }
    const QPoint p = event->position().toPoint();
    MouseButtonDoubleClick(button, ShiftFrom(event->modifiers(), event->buttons()), p.x(), p.y());
    event->accept();
}

void TLazyTreeControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    // The owner-drawn hint stays while the pointer is over its cell.
    if (hintWindow_ && hintWindow_->isVisible() && !ToQRect(lastHintRect_).contains(p)) {
        HideHintWindow();
        lastHintRect_ = {};
    }
    if (header_->States().HasAny(kHeaderInteraction)) {
        header_->MouseMove(ShiftFrom(event->modifiers(), event->buttons()), {p.x(), p.y()});
        event->accept();
        return;
    }
    // The split cursor over the client-area splitter; only a cursor set here is taken back here.
    const bool splitter = !leftButtonDown_ && header_->CursorAt({p.x(), p.y()}) == hcColumnSplitter;
    if (splitter != splitCursor_) {
        splitCursor_ = splitter;
        if (splitter)
            viewport()->setCursor(Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
    }
    MouseMove(ShiftFrom(event->modifiers(), event->buttons()), p.x(), p.y());
    event->accept();
}

THintWindow* TLazyTreeControl::ShownHintWindow() const
{
    return hintWindow_ && hintWindow_->isVisible() ? hintWindow_ : nullptr;
}

void TLazyTreeControl::HideHintWindow()
{
    if (hintWindow_)
        hintWindow_->HideHint();
}

void TLazyTreeControl::wheelEvent(QWheelEvent* event)
{
    TShiftState shift = ShiftFrom(event->modifiers(), event->buttons());
    int delta = event->angleDelta().y();
    if (delta == 0 && event->angleDelta().x() != 0) {
        delta = event->angleDelta().x(); // a sideways wheel scrolls sideways
        shift.Include(ssShift);
    }
    if (delta == 0) {
        event->ignore();
        return;
    }
    MouseWheel(delta, shift);
    event->accept();
}

void TLazyTreeControl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && header_ && header_->CancelInteraction()) {
        event->accept();
        return;
    }
    int key = TreeKey(event->key());
    TShiftState shift = ShiftFrom(event->modifiers(), {});
    if (event->key() == Qt::Key_Backtab)
        shift.Include(ssShift);
    KeyDown(key, shift);
    char32_t character = 0;
    if (event->key() == Qt::Key_Backspace) {
        character = 8;
    } else if (!event->text().isEmpty()) {
        const QList<uint> ucs4 = event->text().toUcs4();
        if (!ucs4.isEmpty() && ucs4.first() >= 32)
            character = ucs4.first();
    }
    if (character != 0)
        KeyPress(character);
    else if (TreeStates().Has(tsIncrementalSearchPending))
        ChangeTreeStates({}, {tsIncrementalSearchPending}); // no character follows this key
    event->accept();
}

void TLazyTreeControl::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    KeyUp(TreeKey(event->key()), ShiftFrom(event->modifiers(), {}));
    event->accept();
}

bool TLazyTreeControl::focusNextPrevChild(bool next)
{
    if (WantTabs())
        return false; // Tab reaches the key handling
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TLazyTreeControl::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    FocusGained();
}

void TLazyTreeControl::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    // A popup takes the focus and may swallow the release of the press that opened it.
    leftButtonDown_ = false;
    if (header_)
        header_->CancelInteraction();
    FocusLost();
}

void TLazyTreeControl::enterEvent(QEnterEvent* event)
{
    QAbstractScrollArea::enterEvent(event);
    MouseEnter();
}

void TLazyTreeControl::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    lastHintRect_ = {};
    HideHintWindow();
    MouseLeave();
}

void TLazyTreeControl::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        viewport()->update();
        break;
    case QEvent::FontChange:
        AdaptDefaultNodeHeight();
        RebuildButtonImages(true, false);
        FontChanged();
        viewport()->update();
        break;
    case QEvent::PaletteChange:
        RebuildButtonImages(true, false);
        viewport()->update();
        break;
    case QEvent::StyleChange:
        // A new style: its check images and glyphs, re-created after a moment like a theme change.
        if (!TreeStates().Has(tsWindowCreating))
            StartTreeTimer(ThemeChangedTimer, 500);
        break;
    case QEvent::LayoutDirectionChange:
        SetBiDiMode(layoutDirection() == Qt::RightToLeft ? bdRightToLeft : bdLeftToRight);
        break;
    default:
        break;
    }
}

void TLazyTreeControl::contextMenuEvent(QContextMenuEvent* event)
{
    ContextMenuRequested();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        event->accept(); // the menu key went through the key handling already
        return;
    }
    if (!TreeStates().Has(tsPopupMenuShown) && popupMenu_)
        popupMenu_->popup(event->globalPos());
    event->accept();
}

void TLazyTreeControl::timerEvent(QTimerEvent* event)
{
    for (auto& [id, timer] : timers_) {
        if (timer.timerId() == event->timerId()) {
            timer.stop(); // one-shot: the core starts it again when it wants more
            TimerFired(id);
            return;
        }
    }
    QAbstractScrollArea::timerEvent(event);
}

// ---- Hints -------------------------------------------------------------------------------------------------

QString TLazyTreeControl::NodeHint(PLazyNode node, TColumnIndex column)
{
    return toolTip();
}

QString TLazyTreeControl::NodeTooltip(PLazyNode node, TColumnIndex column)
{
    return toolTip();
}

bool TLazyTreeControl::HintDecision(QHelpEvent* event)
{
    const QPoint p = event->pos();
    if (!lastHintRect_.IsEmpty() && ToQRect(lastHintRect_).contains(p))
        return true; // the shown hint stays valid
    THitInfo hit;
    GetHitTestInfoAt(p.x(), p.y(), true, hit);
    const bool showAllowed = IsEditing() ? hit.HitNode != FocusedNode() : (window()->isActiveWindow() || hasFocus());
    const TLazyTreeStates busy{tsOLEDragging, tsVCLDragging, tsScrolling};
    if (!showAllowed || IsMouseSelecting() || TreeStates().HasAny(busy) || QWidget::mouseGrabber()) {
        lastHintRect_ = {};
        QToolTip::hideText();
        HideHintWindow();
        ChangeTreeStates({}, {tsHint});
        return false;
    }
    QString text;
    TRect ownerDrawSize;
    PLazyNode ownerDrawNode = nullptr;
    TColumnIndex ownerDrawColumn = NoColumn;
    TRect area;
    bool show = false;
    if (hintMode_ != hmDefault && hit.HitNode && hit.HitColumn >= NoColumn) {
        TVTHintKind kind = vhkText;
        FireGetHintKind(hit.HitNode, hit.HitColumn, kind);
        int left, right;
        GetColumnBounds(hit.HitColumn, left, right);
        if (kind == vhkOwnerDraw) {
            // Shown only when the application gives the hint a size.
            TRect size;
            FireGetHintSize(hit.HitNode, hit.HitColumn, size);
            text = NodeHint(hit.HitNode, hit.HitColumn);
            area = GetDisplayRect(hit.HitNode, hit.HitColumn, false);
            area.Left = left;
            area.Right = right;
            show = !size.IsEmpty();
            ownerDrawSize = size;
            ownerDrawNode = hit.HitNode;
            ownerDrawColumn = hit.HitColumn;
        } else if (hintMode_ == hmTooltip) {
            text = NodeTooltip(hit.HitNode, hit.HitColumn);
            const TRect r = GetDisplayRect(hit.HitNode, hit.HitColumn, true, true);
            const bool inside = QRect(r.Left, r.Top, r.Right - r.Left + 1, r.Bottom - r.Top).contains(p);
            const bool cut = r.Right > right || r.Right > ClientWidth() || r.Left < left || r.Bottom > ClientHeight() ||
                r.Top < 0;
            show = inside && cut && !text.isEmpty();
            area = r;
        } else {
            text = NodeHint(hit.HitNode, hit.HitColumn);
            area = GetDisplayRect(hit.HitNode, hit.HitColumn, false);
            area.Left = left;
            area.Right = right;
            show = !text.isEmpty();
        }
    } else if (hintMode_ != hmDefault && hintMode_ == hmHintAndDefault && !hit.HitNode) {
        text = toolTip();
        show = !text.isEmpty();
        area = {0, 0, ClientWidth(), ClientHeight()};
    } else {
        text = toolTip();
        show = !text.isEmpty();
        area = {0, 0, ClientWidth(), ClientHeight()};
    }
    if (!show) {
        lastHintRect_ = {};
        QToolTip::hideText();
        HideHintWindow();
        ChangeTreeStates({}, {tsHint});
        return false;
    }
    lastHintRect_ = area;
    if (ownerDrawNode) {
        // The application paints this hint: our own window, below the pointer, faded in.
        QToolTip::hideText();
        if (!hintWindow_)
            hintWindow_ = new THintWindow(*this);
        const QPoint at = event->globalPos() + QPoint(0, 16);
        hintWindow_->ShowHint(ownerDrawNode, ownerDrawColumn,
            QRect(at, QSize(ownerDrawSize.Width(), ownerDrawSize.Height())), hintFadeDuration_);
        ChangeTreeStates({tsHint}, {});
        return true;
    }
    HideHintWindow();
    QToolTip::showText(event->globalPos(), text, viewport(), ToQRect(area));
    ChangeTreeStates({tsHint}, {});
    return true;
}

} // namespace lazytree
