#include "controls/grid/widget/balloon_window.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace grid {

namespace {

constexpr int kMargin = 6;           // px inside the frame
constexpr int kIconSize = 16;
constexpr int kIconGap = 4;
constexpr int kRadius = 4;
constexpr int kDefaultInitial = 500; // ms, when the setting is -1
constexpr int kDefaultReshow = 100;
constexpr int kDefaultAutoHide = 5000;
constexpr int kBelowPointer = 20;    // px between the pointer and the balloon

// The icon of each balloon kind (biNone draws none).
constexpr QStyle::StandardPixmap kIcons[] = {
    QStyle::SP_CustomBase, // biNone
    QStyle::SP_MessageBoxInformation,
    QStyle::SP_MessageBoxWarning,
    QStyle::SP_MessageBoxCritical,
};
static_assert(std::size(kIcons) == biError + 1, "one icon per balloon kind");

int Delay(int setting, int fallback)
{
    return setting < 0 ? fallback : setting;
}

QFont TitleFont(const QFont& base)
{
    QFont font = base;
    font.setBold(true);
    return font;
}

} // namespace

TBalloonWindow::TBalloonWindow(QWidget* owner) : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TBalloonWindow::SetContent(const QString& title, const QString& text, TBalloonIcon icon, TColor textColor,
                                TColor background)
{
    title_ = title.trimmed().isEmpty() ? QString() : title;
    text_ = text;
    icon_ = icon >= biNone && icon <= biError ? icon : biNone;
    const QPalette pal = QApplication::palette();
    textColor_ = textColor == clNone ? pal.color(QPalette::ToolTipText) : ToQColor(textColor);
    background_ = background == clNone ? pal.color(QPalette::ToolTipBase) : ToQColor(background);

    const QFontMetrics textMetrics(font());
    const QRect textBounds = textMetrics.boundingRect(QRect(0, 0, kMaxTextWidth, 100000),
                                                      Qt::TextWordWrap | Qt::TextExpandTabs, text_);
    textSize_ = textBounds.size();
    int width = textSize_.width();
    titleHeight_ = 0;
    if (!title_.isEmpty() || icon_ != biNone) {
        const QFontMetrics titleMetrics(TitleFont(font()));
        const int iconWidth = icon_ != biNone ? kIconSize + kIconGap : 0;
        const int titleWidth = std::min(kMaxTextWidth, iconWidth + titleMetrics.horizontalAdvance(title_));
        width = std::max(width, titleWidth);
        titleHeight_ = std::max(icon_ != biNone ? kIconSize : 0, titleMetrics.height()) + kIconGap;
    }
    resize(width + 2 * kMargin, titleHeight_ + textSize_.height() + 2 * kMargin);
    update();
}

QRect TBalloonWindow::TitleRect() const
{
    return QRect(kMargin, kMargin, width() - 2 * kMargin, titleHeight_ - kIconGap);
}

QRect TBalloonWindow::TextRect() const
{
    return QRect(kMargin, kMargin + titleHeight_, width() - 2 * kMargin, textSize_.height());
}

void TBalloonWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(textColor_);
    p.setBrush(background_);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    if (titleHeight_ > 0) {
        QRect title = TitleRect();
        if (icon_ != biNone) {
            const QIcon icon = style()->standardIcon(kIcons[icon_], nullptr, this);
            icon.paint(&p, QRect(title.left(), title.top(), kIconSize, kIconSize));
            title.setLeft(title.left() + kIconSize + kIconGap);
        }
        p.setFont(TitleFont(font()));
        p.drawText(title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QFontMetrics(p.font()).elidedText(title_, Qt::ElideRight, title.width()));
    }
    p.setFont(font());
    p.drawText(TextRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, text_);
}

TGridBalloons::TGridBalloons(TGridWidget& widget) : w_(widget), g_(widget.Grid())
{
    showTimer_.setSingleShot(true);
    hideTimer_.setSingleShot(true);
    connect(&showTimer_, &QTimer::timeout, this, [this] { ShowAt(lastPos_); });
    connect(&hideTimer_, &QTimer::timeout, this, [this] { Pop(); });
    w_.viewport()->installEventFilter(this);
    w_.installEventFilter(this);
    for (QScrollBar* bar : {w_.horizontalScrollBar(), w_.verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            Pop();
            hoverCell_ = {-1, -1};
        });
    g_.Balloon.OnEnableChange = [this](void*) { EnableChanged(); };
    if (g_.Balloon.Enable())
        BalloonInit();
}

TGridBalloons::~TGridBalloons()
{
    g_.Balloon.OnEnableChange = nullptr;
    BalloonDone();
}

void TGridBalloons::EnableChanged()
{
    if (g_.Balloon.Enable())
        BalloonInit();
    else
        BalloonDone();
}

void TGridBalloons::BalloonInit()
{
    if (g_.Balloon.FInit)
        return;
    g_.Balloon.FInit = true;
    hoverCell_ = {-1, -1};
}

void TGridBalloons::BalloonDone()
{
    // Whatever Enable says now, a balloon made earlier goes.
    Pop();
    g_.Balloon.FInit = false;
}

void TGridBalloons::Pop()
{
    showTimer_.stop();
    hideTimer_.stop();
    shownCell_ = {-1, -1};
    delete window_.data();
}

void TGridBalloons::Hovered(QPoint pos, bool buttonsHeld)
{
    lastPos_ = pos;
    if (!g_.Balloon.FInit)
        return;
    TGridCoord cell = g_.MouseCoord(pos.x(), pos.y());
    if (cell.X < 0 || cell.Y < 0 || cell.X >= g_.ColCount() || cell.Y >= g_.RowCount() || buttonsHeld)
        cell = {-1, -1};
    if (cell == hoverCell_)
        return;
    hoverCell_ = cell;
    if (window_) {
        Pop();
        reshow_ = true;
    }
    showTimer_.stop();
    if (cell.X < 0)
        return;
    showTimer_.start(reshow_ ? Delay(g_.Balloon.ReshowDelay, kDefaultReshow)
                             : Delay(g_.Balloon.InitialDelay, kDefaultInitial));
}

void TGridBalloons::ShowAt(QPoint pos)
{
    Pop();
    if (!g_.Balloon.FInit)
        return;
    const TGridCoord cell = g_.MouseCoord(pos.x(), pos.y());
    if (cell.X < 0 || cell.Y < 0 || cell.X >= g_.ColCount() || cell.Y >= g_.RowCount())
        return;
    TExStringGrid::BalloonText balloon;
    RunGuarded([&] { balloon = g_.CellBalloon(g_.RealColIndex(cell.X), cell.Y); });
    if (balloon.Text.trimmed().isEmpty())
        return;
    auto* window = new TBalloonWindow(&w_);
    window->SetContent(balloon.Title, balloon.Text, balloon.Icon, g_.Balloon.TextColor, g_.Balloon.BackgroundColor);
    window->setWindowOpacity((255 - g_.Balloon.Transparency) / 255.0);
    QPoint at = w_.viewport()->mapToGlobal(pos + QPoint(0, kBelowPointer));
    if (const QScreen* screen = w_.screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - window->width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - window->height())));
    }
    window->move(at);
    window->show();
    window_ = window;
    shownCell_ = cell;
    hoverCell_ = cell;
    reshow_ = false;
    hideTimer_.start(Delay(g_.Balloon.AutoHideDelay, kDefaultAutoHide));
}

bool TGridBalloons::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == w_.viewport()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            Hovered(move->position().toPoint(), move->buttons() != Qt::NoButton);
        }
        break;
    case QEvent::Leave:
        if (watched == w_.viewport()) {
            Pop();
            hoverCell_ = {-1, -1};
            reshow_ = false;
        }
        break;
    case QEvent::Hide:
        Pop();
        hoverCell_ = {-1, -1};
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        Pop();
        break;
    default:
        break;
    }
    return false;
}

} // namespace grid
