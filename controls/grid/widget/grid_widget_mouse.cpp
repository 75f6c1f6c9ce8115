// The painted grid's mouse: Qt's presses, moves, releases, double clicks and
// wheel turns go to the headless front end (mouse_input.h); this side maps
// them, keeps which buttons it saw pressed (a release belongs to the widget
// that got the press), shows cursors and hints, and runs middle-button
// panning on a 10 ms timer.
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/core/size_follower.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/html/mini_html_markup.h"
#include "controls/grid/widget/cell_html_layout.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/html_hint_window.h"
#include "platform/messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <cmath>
#include <map>

namespace grid {

namespace {

constexpr int kPanInterval = 10;        // ms
constexpr int kAutoScrollInterval = 60; // ms, while a drag selects beyond the cells
constexpr int kGridTimerInterval = 500; // ms
constexpr int kPanMarker = 26;
constexpr int kCursorSize = 32;
constexpr int kWheelNotch = 120;

// The platform's cursor shapes.
struct StockCursor
{
    int id;
    Qt::CursorShape shape;
};

constexpr StockCursor kStockCursors[] = {
    {cursors::Default, Qt::ArrowCursor},         {cursors::HSplit, Qt::SplitHCursor},
    {cursors::VSplit, Qt::SplitVCursor},         {cursors::HandPoint, Qt::PointingHandCursor},
    {cursors::Drag, Qt::DragMoveCursor},         {cursors::NoDrop, Qt::ForbiddenCursor},
};

// The grid's own cursors, drawn: an arrow in a direction, around a panning
// mark for the panning ones (a mark alone while standing still).
struct OwnCursor
{
    int id;
    int dx;
    int dy;
    bool panning;
};

constexpr OwnCursor kOwnCursors[] = {
    {8000, 0, 0, true},          {8001, 0, 1, true},          {8002, -1, 0, true},
    {8003, 1, 0, true},          {8004, 0, -1, true},         {8005, 1, -1, true},
    {8006, -1, -1, true},        {8007, 1, 1, true},          {8008, -1, 1, true},
    {cursors::RowSelect, 1, 0, false}, {cursors::ColSelect, 0, 1, false}, {cursors::AllSelect, 1, 1, false},
};

// A filled arrow head at centre pointing along (dx, dy), outlined white.
void DrawArrowHead(QPainter& p, QPointF centre, int dx, int dy, double size)
{
    const QPointF dir = QPointF(dx, dy) / std::hypot(double(dx), double(dy));
    const QPointF side(-dir.y(), dir.x());
    QPainterPath path;
    path.moveTo(centre + dir * size);
    path.lineTo(centre - dir * (size * 0.3) + side * size * 0.8);
    path.lineTo(centre - dir * (size * 0.3) - side * size * 0.8);
    path.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::black);
    p.drawPath(path);
}

QPixmap PanMark(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(c, size / 2.0 - 2, size / 2.0 - 2);
    p.setBrush(Qt::black);
    p.drawEllipse(c, 2.0, 2.0);
    return pm;
}

QCursor DrawOwnCursor(const OwnCursor& row)
{
    QPixmap pm(kCursorSize, kCursorSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(kCursorSize / 2.0, kCursorSize / 2.0);
    if (row.panning) {
        p.drawPixmap(kCursorSize / 4, kCursorSize / 4, PanMark(kCursorSize / 2));
        if (row.dx != 0 || row.dy != 0)
            DrawArrowHead(p, c + QPointF(row.dx, row.dy) * (kCursorSize * 0.36), row.dx, row.dy, 5);
    } else {
        // A short shaft ending in the head.
        const QPointF dir = QPointF(row.dx, row.dy) / std::hypot(double(row.dx), double(row.dy));
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(c - dir * 8, c + dir * 2);
        DrawArrowHead(p, c + dir * 4, row.dx, row.dy, 7);
    }
    p.end();
    return QCursor(pm, kCursorSize / 2, kCursorSize / 2);
}

TShiftState ShiftOf(Qt::KeyboardModifiers m)
{
    TShiftState s;
    if (m & Qt::ShiftModifier)
        s.Include(ssShift);
    if (m & Qt::ControlModifier)
        s.Include(ssCtrl);
    if (m & Qt::AltModifier)
        s.Include(ssAlt);
    return s;
}

int ButtonIndex(TMouseButton b)
{
    return static_cast<int>(b);
}

bool ToGridButton(Qt::MouseButton qt, TMouseButton& b)
{
    switch (qt) {
    case Qt::LeftButton:
        b = mbLeft;
        return true;
    case Qt::RightButton:
        b = mbRight;
        return true;
    case Qt::MiddleButton:
        b = mbMiddle;
        return true;
    default:
        return false;
    }
}

} // namespace

// What the widget keeps for the mouse: the front end, the buttons it saw
// pressed, the cursor shown, the panning timer and mark.
class TGridWidget::MouseSide : public QObject
{
public:
    explicit MouseSide(TGridWidget* w) : w_(*w), mouse(w->Grid()), sizes(w->Grid())
    {
        w_.viewport()->setMouseTracking(true);
        w_.viewport()->installEventFilter(this);
        w_.installEventFilter(this);
        panTimer_.setInterval(kPanInterval);
        QObject::connect(&panTimer_, &QTimer::timeout, this, [this] { PanTick(); });
        scrollTimer_.setInterval(kAutoScrollInterval);
        QObject::connect(&scrollTimer_, &QTimer::timeout, this, [this] { ScrollTick(); });
        gridTimer_.setInterval(kGridTimerInterval);
        QObject::connect(&gridTimer_, &QTimer::timeout, this, [this] { GridTick(); });
        gridTimer_.start();
        mouse.Ask = [](const QString& q) { return Messages::Ask(q); };
        mouse.Inform = [](const QString& text) { Messages::Information(text); };
        mouse.OpenUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
        mouse.HitAnchor = [this](int col, int row, QPoint p) {
            const html::HtmlLayout layout = CellHtmlLayout(w_.Grid(), col, row, p);
            return layout.Hit && layout.HitLinkTarget != QLatin1String("ctrl") ? layout.HitLinkTarget : QString();
        };
        mouse.HitControl = [this](int col, int row, QPoint p, CellControlHit& hit) {
            const html::HtmlLayout layout = CellHtmlLayout(w_.Grid(), col, row, p);
            if (!layout.Hit || layout.HitLinkTarget != QLatin1String("ctrl"))
                return false;
            hit.Id = layout.ControlID;
            hit.Type = layout.ControlType.toUpper();
            hit.Value = layout.ControlValue;
            return true;
        };
    }

    void ShowCursor(int id)
    {
        if (id == shownCursor_)
            return;
        shownCursor_ = id;
        w_.Grid().Cursor = id;
        w_.viewport()->setCursor(CursorFor(id));
    }

    QCursor CursorFor(int id)
    {
        for (const StockCursor& s : kStockCursors) {
            if (s.id == id)
                return QCursor(s.shape);
        }
        auto found = own_.find(id);
        if (found != own_.end())
            return found->second;
        for (const OwnCursor& o : kOwnCursors) {
            if (o.id == id)
                return own_.emplace(id, DrawOwnCursor(o)).first->second;
        }
        return QCursor(Qt::ArrowCursor);
    }

    // The size lines and cursor after a step; the drag's auto-scroll runs
    // while a drag selects.
    void AfterStep(QPoint pos)
    {
        lastPos = pos;
        const QString sizing = mouse.SizingHint();
        if (!sizing.isEmpty()) {
            const TGridCoord at = mouse.SizingCell();
            const QPoint corner = w_.Grid().CellRect(at.X, at.Y).topLeft();
            w_.ShowHint(w_.viewport()->mapToGlobal(corner), sizing);
            sizingHint_ = true;
            hintCell_ = {-1, -1};
        } else if (sizingHint_) {
            w_.HideHint();
            sizingHint_ = false;
        }
        if (mouse.Selecting() && pressed[ButtonIndex(mbLeft)])
            scrollTimer_.start();
        else
            scrollTimer_.stop();
        w_.ShowColSizeLine(mouse.ColSizeLine());
        w_.ShowRowSizeLine(mouse.RowSizeLine());
        if (!mouse.Panning())
            ShowCursor(mouse.CursorAt(pos));
        SyncCellBar();
        w_.SyncMoveMarks();
    }

    // Esc, a lost focus or a hidden grid ends a column or row move without
    // moving; its marks go.
    bool CancelMove()
    {
        if (!mouse.CancelMove())
            return false;
        w_.SyncMoveMarks();
        ShowCursor(cursors::Default);
        return true;
    }

    // The per-cell scroll bar: made the first time a cell needs it, then
    // given the range, page and position of the cell under the pointer.
    void SyncCellBar()
    {
        TExStringGrid& g = w_.Grid();
        const TExStringGrid::TCellScrollBar& state = g.CellScrollBar();
        if (!state.Visible)
            return;
        if (cellBar_ == nullptr) {
            cellBar_ = new QScrollBar(Qt::Vertical, w_.viewport());
            cellBar_->setFocusPolicy(Qt::NoFocus);
            cellBar_->hide();
            QObject::connect(cellBar_, &QAbstractSlider::actionTriggered, this,
                             [this](int action) { CellBarAction(action); });
            g.CellScrollBarControl = cellBar_;
            RunGuarded([&] { g.PlaceCellControls(); });
        }
        const QSignalBlocker quiet(cellBar_);
        cellBar_->setRange(0, state.Max());
        cellBar_->setPageStep(state.Page);
        cellBar_->setSingleStep(TExStringGrid::kCellScrollLine);
        cellBar_->setValue(state.Position);
    }

    // A step of the per-cell bar goes through the grid's rule (lines by 10,
    // pages by 100); the bar shows the position the grid took.
    void CellBarAction(int action)
    {
        using Slider = QAbstractSlider;
        TExStringGrid& g = w_.Grid();
        TExStringGrid::TCellScrollAction step = TExStringGrid::csThumb;
        int pos = cellBar_->sliderPosition();
        switch (action) {
        case Slider::SliderSingleStepSub:
            step = TExStringGrid::csLineUp;
            break;
        case Slider::SliderSingleStepAdd:
            step = TExStringGrid::csLineDown;
            break;
        case Slider::SliderPageStepSub:
            step = TExStringGrid::csPageUp;
            break;
        case Slider::SliderPageStepAdd:
            step = TExStringGrid::csPageDown;
            break;
        case Slider::SliderToMinimum:
            pos = 0;
            break;
        case Slider::SliderToMaximum:
            pos = g.CellScrollBar().Max();
            break;
        case Slider::SliderMove:
            break;
        default:
            return;
        }
        RunGuarded([&] { g.CellScroll(step, pos); });
        cellBar_->setSliderPosition(g.CellScrollBar().Position);
    }

    void StartPan(QPoint pos)
    {
        mouse.StartPan(pos);
        if (!mouse.Panning())
            return;
        if (!marker_) {
            marker_ = new QLabel(w_.viewport());
            marker_->setPixmap(PanMark(kPanMarker));
            marker_->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        marker_->setGeometry(pos.x() - kPanMarker / 2, pos.y() - kPanMarker / 2, kPanMarker, kPanMarker);
        marker_->show();
        HideCellHint();
        ShowCursor(cursors::PanStill);
        panTimer_.start();
    }

    void StopPan()
    {
        if (!mouse.Panning())
            return;
        mouse.StopPan();
        panTimer_.stop();
        if (marker_)
            marker_->hide();
        ShowCursor(cursors::Default);
    }

    void ScrollTick()
    {
        bool moved = false;
        RunGuarded([&] { moved = mouse.AutoScrollStep(lastPos); });
        if (!mouse.Selecting())
            scrollTimer_.stop();
        Q_UNUSED(moved);
    }

    void GridTick()
    {
        const QPoint at = w_.viewport()->mapFromGlobal(QCursor::pos());
        const bool inside = w_.viewport()->underMouse() && w_.viewport()->rect().contains(at);
        RunGuarded([&] { mouse.TimerTick(at, inside); });
    }

    void PanTick()
    {
        const QPoint at = w_.viewport()->mapFromGlobal(QCursor::pos());
        int cursor = cursors::PanStill;
        RunGuarded([&] { cursor = mouse.PanStep(at); });
        ShowCursor(cursor);
    }

    // The cells' area changed size: proportional and stretched columns
    // follow (the client size first, so the stretch sees the new width).
    void Resized(QSize size)
    {
        TExStringGrid& g = w_.Grid();
        const int width = size.width() + (g.BorderStyle() == bsSingle ? 2 : 0);
        if (size.width() <= 0)
            return;
        g.SetClientSize(size);
        // The first width the grid gets is the base of proportional sizing.
        if (!sizes.HasColumnSizes())
            sizes.TakeColumnSizes(width);
        sizes.Sized(width);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == w_.viewport()) {
            if (event->type() == QEvent::Resize) {
                RunGuarded([&] { Resized(static_cast<QResizeEvent*>(event)->size()); });
            } else if (event->type() == QEvent::Leave) {
                HideCellHint();
                RunGuarded([&] { mouse.Leave(); });
                if (!mouse.Panning())
                    ShowCursor(cursors::Default);
            } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick ||
                       event->type() == QEvent::Wheel) {
                HideCellHint();
            } else if (event->type() == QEvent::ToolTip) {
                // The sizing hint keeps the window while a border is dragged.
                if (!sizingHint_)
                    ShowCellHint(static_cast<QHelpEvent*>(event)->pos());
                return true;
            }
        } else if (watched == &w_) {
            if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                CancelMove())
                return true;
            if (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide)
                CancelMove();
            // Any key or a lost focus ends panning; a key takes the hint away.
            if (event->type() == QEvent::KeyPress || event->type() == QEvent::FocusOut)
                StopPan();
            if (event->type() == QEvent::KeyPress)
                HideCellHint();
            // A hint never outlives the grid on the screen.
            if (event->type() == QEvent::Hide) {
                HideCellHint();
                w_.HideHint();
            }
            if (event->type() == QEvent::FocusOut) {
                RunGuarded([&] { mouse.FocusLost(); });
                FocusLeft(static_cast<QFocusEvent*>(event)->reason());
            }
        }
        return false;
    }

    // The grid lost the focus: leaving it for another control of the window
    // (not for one of its editors, a popup or another window) is its exit.
    void FocusLeft(Qt::FocusReason reason)
    {
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return;
        QWidget* now = QApplication::focusWidget();
        if (now != nullptr && w_.isAncestorOf(now))
            return;
        RunGuarded([&] { w_.Grid().Editing().GridExited(); });
    }

    // The hint of the cell (or its anchor) under the pointer on the grid's
    // hint window, below the cell or beside the anchor.
    void ShowCellHint(QPoint pos)
    {
        GridHintInfo hint;
        QString anchor;
        RunGuarded([&] {
            hint = mouse.HintAt(pos);
            if (hint.Show && w_.Grid().AnchorHint)
                anchor = mouse.AnchorAt(hint.Cell.X, hint.Cell.Y, pos);
        });
        if (!hint.Show || mouse.Panning()) {
            HideCellHint();
            return;
        }
        // Wide-encoded hints are drawn in the grid's font; plain texts (and
        // all with UseInternalHintClass off) show as they are, tags and all.
        HintFontName = w_.font().family();
        const int kind = GetTextKind(hint.Text, true);
        const bool asHtml = w_.Grid().UseInternalHintClass && (kind == 1 || kind == 5);
        const QString text = asHtml ? hint.Text : html::EscapeHtmlText(hint.Text, false);
        w_.ShowHint(w_.viewport()->mapToGlobal(hint.Pos), text);
        hintCell_ = hint.Cell;
        lastAnchorHint_ = anchor;
    }

    void HideCellHint()
    {
        if (hintCell_.X < 0)
            return;
        w_.HideHint();
        hintCell_ = {-1, -1};
        lastAnchorHint_.clear();
    }

    // A shown hint goes when the pointer leaves its (base) cell, and an
    // anchor's hint when the pointer enters another anchor.
    void CancelHintOff(QPoint pos)
    {
        if (hintCell_.X < 0)
            return;
        TExStringGrid& g = w_.Grid();
        TGridCoord c = g.MouseCoord(pos.x(), pos.y());
        if (c.X >= 0 && c.Y >= 0) {
            const TGridCoord base = g.BaseCell(g.RealColIndex(c.X), c.Y);
            c = {g.DisplColIndex(base.X), base.Y};
        }
        if (c != hintCell_) {
            HideCellHint();
            return;
        }
        if (lastAnchorHint_.isEmpty())
            return;
        QString anchor;
        RunGuarded([&] { anchor = mouse.AnchorAt(c.X, c.Y, pos); });
        if (!anchor.isEmpty() && anchor != lastAnchorHint_)
            HideCellHint();
    }

    TGridWidget& w_;
    GridMouse mouse;
    GridSizeFollower sizes;
    bool pressed[3] = {false, false, false};
    int wheelRest = 0;
    QPoint lastPos;

private:
    int shownCursor_ = cursors::Default;
    std::map<int, QCursor> own_;
    QTimer panTimer_;
    QTimer scrollTimer_;
    QTimer gridTimer_;
    QLabel* marker_ = nullptr;
    QScrollBar* cellBar_ = nullptr;
    // The cell whose hint shows ((-1, -1): none) and the anchor it is for.
    TGridCoord hintCell_{-1, -1};
    QString lastAnchorHint_;
    bool sizingHint_ = false;

    friend class TGridWidget;
};

TGridWidget::MouseSide* TGridWidget::NewMouseSide(TGridWidget* widget)
{
    return new MouseSide(widget);
}

void TGridWidget::MouseSideDeleter::operator()(MouseSide* side) const
{
    delete side;
}

GridMouse& TGridWidget::Mouse()
{
    return mouseSide_->mouse;
}

void TGridWidget::MousePressStep(TMouseButton button, TShiftState shift, QPoint pos)
{
    MouseSide& m = *mouseSide_;
    m.pressed[ButtonIndex(button)] = true;
    RunGuarded([&] { m.mouse.Press(button, shift, pos, false); });
    m.AfterStep(pos);
}

void TGridWidget::MouseReleaseStep(TMouseButton button, TShiftState shift, QPoint pos)
{
    MouseSide& m = *mouseSide_;
    m.pressed[ButtonIndex(button)] = false;
    RunGuarded([&] { m.mouse.Release(button, shift, pos, false); });
    m.AfterStep(pos);
}

void TGridWidget::SimulateClick(QPoint pos, TShiftState shift)
{
    MousePressStep(mbLeft, shift, pos);
    MouseReleaseStep(mbLeft, shift, pos);
}

void TGridWidget::mousePressEvent(QMouseEvent* event)
{
    MouseSide& m = *mouseSide_;
    TMouseButton button;
    if (!ToGridButton(event->button(), button)) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    event->accept();
    if (button == mbMiddle) {
        // The middle button starts panning, or ends it.
        if (m.mouse.Panning())
            m.StopPan();
        else
            m.StartPan(pos);
        return;
    }
    m.StopPan();
    // A press takes the focus unless an editor holds it (the press itself
    // closes that editor where it must).
    if (!hasFocus() && !grid_.EditorMode())
        setFocus(Qt::MouseFocusReason);
    m.pressed[ButtonIndex(button)] = true;
    RunGuarded([&] { m.mouse.Press(button, ShiftOf(event->modifiers()), pos, true); });
    m.AfterStep(pos);
}

void TGridWidget::mouseMoveEvent(QMouseEvent* event)
{
    MouseSide& m = *mouseSide_;
    const QPoint pos = event->position().toPoint();
    const bool leftDown = m.pressed[ButtonIndex(mbLeft)] && (event->buttons() & Qt::LeftButton);
    RunGuarded([&] { m.mouse.Move(ShiftOf(event->modifiers()), pos, leftDown); });
    m.CancelHintOff(pos);
    m.AfterStep(pos);
    event->accept();
}

void TGridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    MouseSide& m = *mouseSide_;
    TMouseButton button;
    if (!ToGridButton(event->button(), button) || !m.pressed[ButtonIndex(button)]) {
        // Not pressed here: the release belongs to whoever got the press.
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m.pressed[ButtonIndex(button)] = false;
    const QPoint pos = event->position().toPoint();
    RunGuarded([&] { m.mouse.Release(button, ShiftOf(event->modifiers()), pos, true); });
    m.AfterStep(pos);
    event->accept();
}

void TGridWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    MouseSide& m = *mouseSide_;
    if (event->button() != Qt::LeftButton) {
        // The second press of another button is a press.
        mousePressEvent(event);
        return;
    }
    m.StopPan();
    const QPoint pos = event->position().toPoint();
    m.pressed[ButtonIndex(mbLeft)] = true;
    RunGuarded([&] { m.mouse.DoubleClick(ShiftOf(event->modifiers()), pos); });
    m.AfterStep(pos);
    event->accept();
}

void TGridWidget::wheelEvent(QWheelEvent* event)
{
    MouseSide& m = *mouseSide_;
    // Fine-grained wheels add up to whole notches.
    m.wheelRest += event->angleDelta().y();
    const int notches = m.wheelRest / kWheelNotch;
    if (notches == 0) {
        event->accept();
        return;
    }
    m.wheelRest -= notches * kWheelNotch;
    bool used = false;
    RunGuarded([&] {
        used = m.mouse.Wheel(notches * kWheelNotch, ShiftOf(event->modifiers()), event->position().toPoint(),
                             QApplication::wheelScrollLines());
    });
    event->setAccepted(used);
}

} // namespace grid
