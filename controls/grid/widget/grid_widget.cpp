#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/floating_footer.h"
#include "controls/grid/widget/search_footer.h"
#include "controls/grid/widget/balloon_window.h"
#include "controls/grid/widget/filter_dropdown.h"
#include "controls/grid/small_controls/focus_window.h"

#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/key_input.h"
#include "controls/grid/widget/grid_key_map.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/html_hint_window.h"
#include "controls/grid/widget/fixed_cell_editors.h"
#include "controls/grid/widget/cell_control_editing.h"
#include "controls/grid/widget/inplace_combo.h"
#include "controls/grid/widget/qt_canvas.h"
#include "controls/grid/widget/scroll_control.h"
#include "controls/grid/exchange/clipboard.h"
#include "platform/text/system_colors.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QDropEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace grid {

namespace {

quint32 ToColorRef(const QColor& c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// A scroll bar whose thumb shows the visible share only when asked; else it
// keeps its smallest size.
class GridScrollBar : public QScrollBar
{
public:
    using QScrollBar::QScrollBar;
    bool Proportional = false;

protected:
    void initStyleOption(QStyleOptionSlider* option) const override
    {
        QScrollBar::initStyleOption(option);
        if (!Proportional)
            option->pageStep = 0;
    }
};

// Thickness of the thin scroll controls of ssMetro.
constexpr int kMetroBarWidth = 6;

} // namespace

TGridWidget::TGridWidget(TExStringGrid& grid, QWidget* parent)
    : QAbstractScrollArea(parent), grid_(grid), painter_(std::make_unique<GridPainter>(grid))
{
    setVerticalScrollBar(new GridScrollBar(Qt::Vertical));
    setHorizontalScrollBar(new GridScrollBar(Qt::Horizontal));
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    ApplyBorderStyle();
    setFocusPolicy(Qt::StrongFocus);
    grid_.Measurer = &measurer_;
    grid_.SetView(this);
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this,
            [this](int v) { ThumbMoved(Qt::Vertical, v); });
    connect(horizontalScrollBar(), &QScrollBar::sliderMoved, this,
            [this](int v) { ThumbMoved(Qt::Horizontal, v); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, &TGridWidget::HideHint);
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, &TGridWidget::HideHint);
    grid_.SetClientSize(viewport()->size());
    dragScroller_.StartTimer = [this](int ms) { dragScrollTimer_.start(ms); };
    dragScroller_.StopTimer = [this] { dragScrollTimer_.stop(); };
    connect(&dragScrollTimer_, &QTimer::timeout, this, [this] { RunGuarded([this] { dragScroller_.Tick(); }); });
    editors_ = std::make_unique<TGridEditors>(*this, grid_.Editing());
    // Header cells and in-text controls have editors of their own.
    new TFixedCellEditors(*this);
    new TCellControlEditing(*this);
    footer_ = new TFooterPanel(grid_, this);
    footer_->installEventFilter(this);
    searchPanel_ = new TSearchPanel(grid_, this);
    searchPanel_->OnCellsChanged = [this] {
        UpdateScrollBars();
        viewport()->update();
    };
    searchPanel_->installEventFilter(this);
    grid_.SearchRow = [this](const QString& text) { return searchPanel_->Search().Search(text); };
    // Editors shown and hidden on the cells move the focus frame.
    viewport()->installEventFilter(this);
    PlaceFooter();
    UpdateScrollBars();
    filterDropDown_ = std::make_unique<TGridFilterDropDown>(*this);
    balloons_ = std::make_unique<TGridBalloons>(*this);
}

void TGridWidget::PlaceFooter()
{
    const int height = footer_->isVisibleTo(this) ? footer_->height() : 0;
    const int search = searchPanel_ != nullptr && searchPanel_->isVisibleTo(this) ? searchPanel_->height() : 0;
    if (viewportMargins().bottom() != height + search)
        setViewportMargins(0, 0, 0, height + search);
    const QRect cells = viewport()->geometry();
    footer_->setGeometry(cells.left(), cells.bottom() + 1, cells.width(), height);
    if (searchPanel_ != nullptr)
        searchPanel_->setGeometry(cells.left(), cells.bottom() + 1 + height, cells.width(), search);
}

bool TGridWidget::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == footer_ || watched == searchPanel_) &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide || event->type() == QEvent::Resize))
        PlaceFooter();
    if (watched == viewport() && event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (watched != viewport() && watched->parent() == viewport() &&
               (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        SyncFocusFrame();
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

TGridWidget::~TGridWidget()
{
    editors_.reset();
    if (grid_.View() == this) {
        grid_.SetView(nullptr);
        grid_.SearchRow = nullptr;
    }
    if (grid_.Measurer == &measurer_)
        grid_.Measurer = nullptr;
}

void TGridWidget::SetPainter(std::unique_ptr<GridPainter> painter)
{
    painter_ = std::move(painter);
    viewport()->update();
}

void TGridWidget::TakeSystemColors()
{
    // Index: scroll bar 0, background 1, ... as the desktop numbers them.
    const QPalette pal = palette();
    platform::SystemColors::Table table = platform::SystemColors::Current();
    table[0] = ToColorRef(pal.color(QPalette::Button));
    table[5] = ToColorRef(pal.color(QPalette::Base));
    table[8] = ToColorRef(pal.color(QPalette::Text));
    table[13] = ToColorRef(pal.color(QPalette::Highlight));
    table[14] = ToColorRef(pal.color(QPalette::HighlightedText));
    table[15] = ToColorRef(pal.color(QPalette::Button));
    table[16] = ToColorRef(pal.color(QPalette::Dark));
    table[17] = ToColorRef(pal.color(QPalette::Disabled, QPalette::Text));
    table[18] = ToColorRef(pal.color(QPalette::ButtonText));
    table[20] = ToColorRef(pal.color(QPalette::Light));
    table[23] = ToColorRef(pal.color(QPalette::ToolTipText));
    table[24] = ToColorRef(pal.color(QPalette::ToolTipBase));
    platform::SystemColors::SetCurrent(table);
    viewport()->update();
}

// While the grid's update count is up nothing is repainted; the outermost
// EndUpdate repaints the whole client once.
void TGridWidget::InvalidateRect(const QRect& rect)
{
    if (grid_.UpdateCount() == 0)
        viewport()->update(rect);
}

void TGridWidget::InvalidateAll()
{
    if (grid_.UpdateCount() != 0)
        return;
    ApplyBorderStyle();
    viewport()->update();
    // The frame around the cells (the window border's colour).
    update(QRegion(rect()) - QRegion(viewport()->geometry()));
}

void TGridWidget::ApplyBorderStyle()
{
    // The coloured border's two outlines lie in a frame two pixels wide.
    const QFrame::Shape shape = grid_.BorderStyle() == bsNone ? QFrame::NoFrame
                                : DrawsBorder()               ? QFrame::Panel
                                                              : QFrame::StyledPanel;
    if (frameShape() != shape) {
        setFrameShape(shape);
        setFrameShadow(QFrame::Sunken);
        setLineWidth(2);
    }
}

QRect TGridWidget::CurrentCellInWidget() const
{
    const TGridCoord base = grid_.BaseCell(grid_.RealColIndex(grid_.Col()), grid_.Row());
    return grid_.CellRect(grid_.DisplColIndex(base.X), base.Y).translated(viewport()->pos());
}

void TGridWidget::SyncFocusFrame()
{
    if (editors_ == nullptr) // being built or taken down
        return;
    const bool open = grid_.FocusHelper.Enabled && grid_.Editing().OpenKind() != EditorKind::None && isVisible();
    if (open) {
        if (focusFrame_ == nullptr) {
            focusFrame_ = new TGridFocusWindow(this);
            focusFrame_->CellRect = [this] { return CurrentCellInWidget(); };
        }
        const QRect cell = CurrentCellInWidget();
        if (!cell.isEmpty())
            focusFrame_->ShowAround(cell);
    } else if (focusFrame_ != nullptr && focusFrame_->isVisible()) {
        focusFrame_->HideFrame();
    }
}

bool TGridWidget::DrawsBorder() const
{
    const TGridLook look = grid_.Look();
    const bool looks = look == glSoft || (look >= glZAD && look <= glOffice2007);
    return looks && grid_.BorderStyle() == bsSingle && grid_.BorderColor() != clNone && !grid_.Flat();
}

TScrollControl* TGridWidget::MetroScrollBar(Qt::Orientation orientation) const
{
    return metroBars_[orientation == Qt::Vertical ? 0 : 1];
}

void TGridWidget::SetMetroBars()
{
    const bool metro = grid_.ScrollType == ssMetro;
    if (metro && metroBars_[0] == nullptr) {
        for (int i = 0; i < 2; ++i) {
            const bool vertical = i == 0;
            auto* bar = new TScrollControl(&grid_, vertical ? sdVertical : sdHorizontal, this);
            bar->setObjectName(vertical ? QStringLiteral("metroVert") : QStringLiteral("metroHorz"));
            bar->OnScrolled = [this] {
                if (focusFrame_ != nullptr && focusFrame_->isVisible())
                    focusFrame_->MoveToCell();
                footer_->update();
            };
            metroBars_[i] = bar;
        }
        grid_.ScrollBars = ssNone;
    } else if (!metro && metroBars_[0] != nullptr) {
        for (TScrollControl*& bar : metroBars_) {
            delete bar;
            bar = nullptr;
        }
        grid_.ScrollBars = ssBoth;
    }
    if (!metro)
        return;
    // Thin controls along the right and the bottom edge of the cells, shown
    // while something is left to scroll that way.
    const QRect cells = viewport()->geometry();
    TScrollControl* v = metroBars_[0];
    TScrollControl* h = metroBars_[1];
    const bool rows = MetroThumb(v->Axis()).Shown || grid_.TopRow() > grid_.FixedRows();
    const bool cols = MetroThumb(h->Axis()).Shown || grid_.LeftCol() > grid_.FixedCols();
    h->setGeometry(cells.left(), cells.bottom() + 1 - kMetroBarWidth, cells.width(), kMetroBarWidth);
    h->setVisible(cols);
    v->setGeometry(cells.right() + 1 - kMetroBarWidth, cells.top(), kMetroBarWidth,
                   cells.height() - (cols ? kMetroBarWidth : 0));
    v->setVisible(rows);
    v->update();
    h->update();
}

void TGridWidget::UpdateScrollBars()
{
    if (updatingBars_)
        return;
    updatingBars_ = true;
    // A bar that comes or goes resizes the viewport: once more with the
    // new client.
    for (int pass = 0; pass < 3; ++pass) {
        barsStale_ = false;
        SetBars();
        if (!barsStale_)
            break;
    }
    updatingBars_ = false;
    if (editors_)
        editors_->Place();
    // The coloured border depends on whether the cells fit.
    if (CellsFit() != cellsFit_) {
        cellsFit_ = !cellsFit_;
        if (DrawsBorder())
            update(QRegion(rect()) - QRegion(viewport()->geometry()));
    }
}

bool TGridWidget::CellsFit() const
{
    return grid_.MaxTopRow() <= grid_.FixedRows() && grid_.MaxLeftCol() <= grid_.FixedCols();
}

void TGridWidget::SetBars()
{
    const auto policy = [&](bool wanted, bool forced) {
        if (!wanted)
            return Qt::ScrollBarAlwaysOff;
        return forced ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
    };
    SetMetroBars();
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        if (auto* own = dynamic_cast<GridScrollBar*>(bar); own && own->Proportional != grid_.ScrollProportional) {
            own->Proportional = grid_.ScrollProportional;
            own->update();
        }
    const TScrollStyle bars = grid_.ScrollType == ssMetro ? ssNone : grid_.ScrollBars;
    setVerticalScrollBarPolicy(policy(bars == ssVertical || bars == ssBoth,
                                      grid_.ScrollBarAlways == saVert || grid_.ScrollBarAlways == saBoth));
    setHorizontalScrollBarPolicy(policy(bars == ssHorizontal || bars == ssBoth,
                                        grid_.ScrollBarAlways == saHorz || grid_.ScrollBarAlways == saBoth));
    // Row and column units: position = TopRow - FixedRows; a page is the
    // rows shown whole.
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, grid_.MaxTopRow() - grid_.FixedRows()));
    v->setPageStep(std::max(1, grid_.VisibleRowCount()));
    v->setSingleStep(1);
    v->setValue(grid_.TopRow() - grid_.FixedRows());
    // The grid follows a dragged thumb with ScrollSynch (or thumb tracking),
    // else when it is let go.
    const bool follow = grid_.ScrollSynch || grid_.Options().Contains(goThumbTracking);
    v->setTracking(follow);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, grid_.MaxLeftCol() - grid_.FixedCols()));
    h->setPageStep(std::max(1, grid_.VisibleColCount()));
    h->setSingleStep(1);
    h->setValue(grid_.LeftCol() - grid_.FixedCols());
    h->setTracking(follow);
}

void TGridWidget::PlaceControl(QObject* control, const QRect& bounds, bool visible)
{
    auto* w = qobject_cast<QWidget*>(control);
    if (w == nullptr)
        return;
    if (w->parentWidget() != viewport())
        w->setParent(viewport());
    w->setGeometry(bounds);
    w->setVisible(visible);
}

QString TGridWidget::ScrollHintText(Qt::Orientation orientation, int value)
{
    const bool vertical = orientation == Qt::Vertical;
    const int index = value + (vertical ? grid_.FixedRows() : grid_.FixedCols());
    QString hint = (vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(index);
    if (grid_.OnScrollHint)
        grid_.OnScrollHint(&grid_, index, hint);
    return hint;
}

void TGridWidget::ThumbMoved(Qt::Orientation orientation, int value)
{
    const TExStringGrid::TScrollHintType hints = grid_.ScrollHints;
    const bool shown = hints == TExStringGrid::shBoth ||
                       hints == (orientation == Qt::Vertical ? TExStringGrid::shVertical : TExStringGrid::shHorizontal);
    if (shown)
        ShowHint(QCursor::pos() + QPoint(10, 0), ScrollHintText(orientation, value));
}

void TGridWidget::ShowHint(QPoint screenTopLeft, const QString& text)
{
    if (hintWindow_ == nullptr)
        hintWindow_ = new THTMLHintWindow(this);
    hintWindow_->SetColor(grid_.HintColor == clNone ? QColor() : ToQColor(grid_.HintColor));
    hintWindow_->ActivateHintData(QRect(screenTopLeft, QSize(1, 1)), text, &grid_);
}

void TGridWidget::HideHint()
{
    if (hintWindow_ != nullptr)
        hintWindow_->hide();
}

void TGridWidget::ShowColSizeLine(int x)
{
    const int old = colSizeLine_;
    colSizeLine_ = x;
    if (old >= 0)
        viewport()->update(QRect(old, 0, 1, viewport()->height()));
    if (x >= 0)
        viewport()->update(QRect(x, 0, 1, viewport()->height()));
}

void TGridWidget::ShowRowSizeLine(int y)
{
    const int old = rowSizeLine_;
    rowSizeLine_ = y;
    if (old >= 0)
        viewport()->update(QRect(0, old, viewport()->width(), 1));
    if (y >= 0)
        viewport()->update(QRect(0, y, viewport()->width(), 1));
}

bool TGridWidget::KeepsTab() const
{
    return grid_.Options().Contains(goTabs);
}

void TGridWidget::MoveFocusOn(bool next)
{
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    QAbstractScrollArea::focusNextPrevChild(next);
}

namespace {

// The clipboard keys on the grid (not while editing): cut, copy, paste.
enum class ClipboardKey { None, Cut, Copy, Paste };

struct ClipboardKeyRow
{
    int key;
    Qt::KeyboardModifiers modifiers;
    ClipboardKey action;
};

constexpr ClipboardKeyRow kClipboardKeys[] = {
    {Qt::Key_X, Qt::ControlModifier, ClipboardKey::Cut},     {Qt::Key_Delete, Qt::ShiftModifier, ClipboardKey::Cut},
    {Qt::Key_C, Qt::ControlModifier, ClipboardKey::Copy},    {Qt::Key_Insert, Qt::ControlModifier, ClipboardKey::Copy},
    {Qt::Key_V, Qt::ControlModifier, ClipboardKey::Paste},   {Qt::Key_Insert, Qt::ShiftModifier, ClipboardKey::Paste},
};

ClipboardKey ClipboardKeyOf(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods =
        event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    for (const ClipboardKeyRow& row : kClipboardKeys) {
        if (row.key == event.key() && row.modifiers == mods)
            return row.action;
    }
    return ClipboardKey::None;
}

} // namespace

bool TGridWidget::ClipboardKeyPressed(QKeyEvent* event)
{
    if (!grid_.Navigation.AllowClipboardShortCuts || grid_.EditorMode())
        return false;
    const ClipboardKey action = ClipboardKeyOf(*event);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (action == ClipboardKey::None || clipboard == nullptr)
        return false;
    switch (action) {
    case ClipboardKey::Cut:
        CutSelectionToClipboard(grid_, *clipboard);
        break;
    case ClipboardKey::Copy:
        CopySelectionToClipboard(grid_, *clipboard);
        break;
    case ClipboardKey::Paste:
        PasteSelectionFromClipboard(grid_, *clipboard);
        break;
    case ClipboardKey::None:
        break;
    }
    viewport()->update();
    return true;
}

bool TGridWidget::event(QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        const bool done = QAbstractScrollArea::event(event);
        // The coloured border over the frame's lines.
        if (DrawsBorder()) {
            const bool fits = CellsFit();
            const QWidget* parent = parentWidget();
            const TColor parentColor =
                parent != nullptr ? ToColorRef(parent->palette().color(parent->backgroundRole())) : clNone;
            const BorderOutlines lines = WindowBorderOutlines(size(), fits, grid_.BorderColor(), parentColor);
            QPainter p(this);
            p.setBrush(Qt::NoBrush);
            for (int i = 0; i < lines.Count; ++i) {
                p.setPen(ToQColor(lines.Lines[i].Color));
                p.drawRect(lines.Lines[i].Rect.adjusted(0, 0, -1, -1));
            }
        }
        return done;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (GridClaimsKey(grid_, ToGridKey(*key)) ||
            (grid_.Navigation.AllowClipboardShortCuts && ClipboardKeyOf(*key) != ClipboardKey::None)) {
            key->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TGridWidget::keyPressEvent(QKeyEvent* event)
{
    const GridKey key = ToGridKey(*event);
    bool consumed = false;
    RunGuarded([&] { consumed = ClipboardKeyPressed(event) || GridKeyInput(grid_, key); });
    if (consumed) {
        event->accept();
        return;
    }
    // A Tab the grid kept but passed on (the last cell, nothing to add)
    // moves the focus on as the window would.
    if (key.code == VK_TAB && !key.shift.Contains(ssCtrl) && !key.shift.Contains(ssAlt) && KeepsTab()) {
        QAbstractScrollArea::focusNextPrevChild(!key.shift.Contains(ssShift));
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TGridWidget::keyReleaseEvent(QKeyEvent* event)
{
    // The window system repeats a held key as release and press pairs: the
    // releases in between are no key-up.
    if (event->isAutoRepeat())
        return;
    QAbstractScrollArea::keyReleaseEvent(event);
}

bool TGridWidget::focusNextPrevChild(bool next)
{
    // Tab reaches keyPressEvent (the grid's Tab rules) only when this
    // answers false.
    if (KeepsTab())
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TGridWidget::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (editors_ != nullptr && !editors_->Hiding())
        RunGuarded([this] { editors_->Editing().GridEntered(); });
}

void TGridWidget::paintEvent(QPaintEvent* event)
{
    if (grid_.UpdateCount() > 0)
        return;
    QPainter p(viewport());
    painter_->Paint(p, event->rect(), hasFocus());
    // Size lines are drawn over the cells; the next paint without them
    // restores what lay under them.
    if (colSizeLine_ >= 0 || rowSizeLine_ >= 0) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        if (colSizeLine_ >= 0)
            p.drawLine(colSizeLine_, 0, colSizeLine_, viewport()->height());
        if (rowSizeLine_ >= 0)
            p.drawLine(0, rowSizeLine_, viewport()->width(), rowSizeLine_);
    }
}

void TGridWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    PlaceFooter();
    SyncClientSize();
}

bool TGridWidget::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        SyncClientSize();
    // A drag near the edges scrolls on the drag-scroll timer.
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)
        dragScroller_.DragOver(static_cast<QDropEvent*>(event)->position().toPoint(), viewport()->size());
    else if (event->type() == QEvent::DragLeave || event->type() == QEvent::Drop)
        dragScroller_.DragLeft();
    // The wheel goes to a focused combo editor wherever the pointer is.
    if (event->type() == QEvent::Wheel && editors_ != nullptr) {
        TGridCombo* combo = editors_->MadeCombo();
        if (combo != nullptr && combo->isVisible() && combo->hasFocus()) {
            QCoreApplication::sendEvent(combo, event);
            return true;
        }
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TGridWidget::SyncClientSize()
{
    const QSize size = viewport()->size();
    // The size may have reached the grid already (a resize watcher of the
    // viewport): the scroll position is still checked against it.
    const bool sized = size == QSize(grid_.ClientWidth(), grid_.ClientHeight());
    if (sized && grid_.LeftCol() <= grid_.MaxLeftCol() && grid_.TopRow() <= grid_.MaxTopRow())
        return;
    if (!sized)
        grid_.SetClientSize(size);
    // A larger client shows more: no scroll position past the one that
    // shows the last column and row at the end.
    if (grid_.LeftCol() > grid_.MaxLeftCol())
        grid_.SetLeftCol(grid_.MaxLeftCol());
    if (grid_.TopRow() > grid_.MaxTopRow())
        grid_.SetTopRow(grid_.MaxTopRow());
    if (updatingBars_)
        barsStale_ = true;
    else
        UpdateScrollBars();
}

void TGridWidget::scrollContentsBy(int, int)
{
    if (updatingBars_)
        return;
    updatingBars_ = true;
    const int top = grid_.FixedRows() + verticalScrollBar()->value();
    const int left = grid_.FixedCols() + horizontalScrollBar()->value();
    if (top != grid_.TopRow())
        grid_.SetTopRow(top);
    if (left != grid_.LeftCol())
        grid_.SetLeftCol(left);
    updatingBars_ = false;
    if (editors_)
        editors_->Place();
    if (focusFrame_ != nullptr && focusFrame_->isVisible())
        focusFrame_->MoveToCell();
    footer_->update();
    viewport()->update();
}

void TGridWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        TakeSystemColors();
    QAbstractScrollArea::changeEvent(event);
}

} // namespace grid
