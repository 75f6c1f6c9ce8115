// The grid's hint window: mini-HTML or wide-encoded hint texts.
#include "controls/grid/widget/html_hint_window.h"

#include "controls/grid/core/base_grid.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/widget/grid_images.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <climits>

namespace grid {

QString HintFontName;

namespace {

// Measuring room of a hint before its own width is known.
constexpr int kHintMaxWidth = 1008;
constexpr int kWideExtraWidth = 8;
constexpr int kHtmlExtraWidth = 16;
constexpr int kExtraHeight = 4;
constexpr int kScreenMargin = 2;
constexpr int kTextInset = 4;

long long DistanceSquared(const QRect& r, QPoint p)
{
    const long long dx = p.x() < r.left() ? r.left() - p.x() : (p.x() > r.right() ? p.x() - r.right() : 0);
    const long long dy = p.y() < r.top() ? r.top() - p.y() : (p.y() > r.bottom() ? p.y() - r.bottom() : 0);
    return dx * dx + dy * dy;
}

} // namespace

QRect NearestScreen(const QList<QRect>& screens, QPoint at)
{
    QRect best;
    long long bestDistance = LLONG_MAX;
    for (const QRect& s : screens) {
        const long long d = DistanceSquared(s, at);
        if (d < bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    return best;
}

QRect KeepHintOnScreen(const QRect& hint, const QRect& screen)
{
    if (screen.isEmpty())
        return hint;
    QRect r = hint;
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (r.x() + r.width() > screenRight)
        r.moveLeft(screenRight - kScreenMargin - r.width());
    if (r.y() + r.height() > screenBottom)
        r.moveTop(screenBottom - kScreenMargin - r.height());
    // A hint larger than its screen shows its start.
    if (r.x() < screen.x())
        r.moveLeft(screen.x());
    if (r.y() < screen.y())
        r.moveTop(screen.y());
    return r;
}

THTMLHintWindow::THTMLHintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

THTMLHintWindow::~THTMLHintWindow() = default;

void THTMLHintWindow::SetColor(const QColor& color)
{
    if (color_ == color)
        return;
    color_ = color;
    update();
}

QFont THTMLHintWindow::WideFont() const
{
    QFont f = font();
    if (!HintFontName.isEmpty())
        f.setFamily(HintFontName);
    return f;
}

html::HtmlLayoutInput THTMLHintWindow::HtmlInput(const QString& text, const QRect& rect) const
{
    html::HtmlLayoutInput in;
    in.Text = text;
    in.Rect = rect;
    in.Font = html::ToHtmlFont(font(), 0);
    in.LinkColor = 0xFF0000;  // blue
    in.HoverBrushColor = html::kNoColor;
    in.HoverFontColor = html::kNoColor;
    in.ShadowColor = 0x808080;
    in.WordWrap = true;
    return in;
}

QSize THTMLHintWindow::Measure(const QString& hint, int maxWidth, bool& wide)
{
    wide = GetTextKind(hint, true) == 5;
    if (wide) {
        wideCaption_ = DecodeWideText(hint);
        const QFontMetrics fm(WideFont());
        return QSize(fm.horizontalAdvance(wideCaption_), fm.height());
    }
    wideCaption_.clear();
    html::HtmlLayoutInput in = HtmlInput(hint, QRect(0, 0, std::max(1, maxWidth), 4096));
    in.MeasureOnly = true;
    html::FontMetricsMeasurer measurer;
    const html::HtmlLayout layout = html::LayoutHtmlText(in, measurer, &pictures_);
    return QSize(layout.ExtentX, layout.ExtentY);
}

QRect THTMLHintWindow::CalcHintRect(int maxWidth, const QString& hint)
{
    bool wide = false;
    const QSize size = Measure(hint, maxWidth, wide);
    return QRect(0, 0, size.width(), size.height());
}

void THTMLHintWindow::ActivateHintData(const QRect& rect, const QString& hint, TExStringGrid* grid,
                                       TPictureContainer* container)
{
    if (grid != nullptr) {
        const auto* list = dynamic_cast<const TGridImageList*>(grid->GetGridImages());
        pictures_.Images = list ? &list->Pictures() : nullptr;
        pictures_.Container = container;
    }
    ActivateHint(rect, hint);
}

void THTMLHintWindow::ActivateHint(const QRect& rect, const QString& hint)
{
    caption_ = hint;
    bool wide = false;
    textSize_ = Measure(hint, kHintMaxWidth, wide);
    QRect r(rect.topLeft(),
            QSize(textSize_.width() + (wide ? kWideExtraWidth : kHtmlExtraWidth), textSize_.height() + kExtraHeight));
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens.append(s->geometry());
    r = KeepHintOnScreen(r, NearestScreen(screens, r.topLeft()));
    setGeometry(r);
    show();
    raise();
    update();
}

void THTMLHintWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect client = rect();
    p.fillRect(client, color_.isValid() ? color_ : palette().color(QPalette::ToolTipBase));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(client.topLeft(), client.topRight());
    p.drawLine(client.topLeft(), client.bottomLeft());
    p.setPen(palette().color(QPalette::Shadow));
    p.drawLine(client.bottomLeft(), client.bottomRight());
    p.drawLine(client.topRight(), client.bottomRight());
    const int top = client.top() + (client.height() - textSize_.height()) / 2;
    const QRect text(client.left() + kTextInset, top, client.width() - 2 * kTextInset, textSize_.height() + 8);
    p.setPen(palette().color(QPalette::ToolTipText));
    if (!wideCaption_.isEmpty()) {
        p.setFont(WideFont());
        p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, wideCaption_);
        return;
    }
    html::HtmlLayoutInput in = HtmlInput(caption_, text);
    html::DrawHtmlText(p, in, &pictures_);
}

} // namespace grid
