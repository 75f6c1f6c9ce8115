#include "controls/grid/small_controls/flat_check_box.h"

#include "controls/grid/theme_binding/theme_api.h"
#include "controls/grid/small_controls/themes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace grid {

TExCheckBox::TExCheckBox(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_Hover);
    resize(98, 20);
    UpdateShortcut();
}

void TExCheckBox::SetState(TCheckBoxState state)
{
    if (state == state_)
        return;
    state_ = state;
    const int w = width();
    update(alignment_ != taRightJustify ? QRect(0, 0, kBoxStrip, height())
                                          : QRect(w - kBoxStrip, 0, kBoxStrip, height()));
}

void TExCheckBox::SetChecked(bool checked)
{
    SetState(checked ? cbChecked : cbUnchecked);
    update();
}

void TExCheckBox::Toggle()
{
    if (!ReadOnly)
        SetChecked(!Checked());
}

void TExCheckBox::SetDown(bool down)
{
    if (down_ != down) {
        down_ = down;
        UpdateBox();
    }
}

void TExCheckBox::SetCaption(const QString& caption)
{
    caption_ = caption;
    UpdateShortcut();
    update();
}

void TExCheckBox::SetButtonVertAlign(TTextLayout value)
{
    if (vertAlign_ != value) {
        vertAlign_ = value;
        update();
    }
}

void TExCheckBox::SetAlignment(TAlignment value)
{
    if (alignment_ != value) {
        alignment_ = value;
        update();
    }
}

void TExCheckBox::SetEllipsis(bool value)
{
    if (ellipsis_ != value) {
        ellipsis_ = value;
        update();
    }
}

void TExCheckBox::SetTransparent(bool value)
{
    transparent_ = value;
    // Without its own background the parent's shows through.
    setAutoFillBackground(!value);
    update();
}

void TExCheckBox::UpdateShortcut()
{
    if (shortcutId_)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key, Qt::WindowShortcut);
}

QRect TExCheckBox::BoxRect() const
{
    const bool themed = IsThemedXP();
    const int side = themed ? 14 : 13;
    const int x = alignment_ != taRightJustify ? 0 : width() - (themed ? 15 : 13);
    int y = 4;
    if (vertAlign_ == tlCenter)
        y = height() / 2 - 6;
    else if (vertAlign_ == tlBottom)
        y = height() - (themed ? 14 : 17);
    return QRect(x, y, side, side);
}

QRect TExCheckBox::TextRect() const
{
    QRect r = rect();
    if (alignment_ != taRightJustify)
        r.setLeft(r.left() + 9);
    else
        r.setRight(r.right() - 9);
    return r.translated(6, 4);
}

void TExCheckBox::UpdateBox()
{
    update(BoxRect().adjusted(-1, -1, 2, 2));
}

void TExCheckBox::Click()
{
    if (OnClick)
        OnClick(this);
}

bool TExCheckBox::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (se->shortcutId() == shortcutId_ && isEnabled() && isVisible()) {
            Toggle();
            if (focusPolicy() & Qt::TabFocus)
                setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return QWidget::event(e);
}

void TExCheckBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    mouseDown_ = true;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    SetDown(true);
    UpdateBox();
}

void TExCheckBox::mouseMoveEvent(QMouseEvent* e)
{
    if (!mouseDown_)
        return;
    const QPoint p = e->position().toPoint();
    // Right and bottom edges count as inside.
    SetDown(p.x() >= 0 && p.y() >= 0 && p.x() <= width() && p.y() <= height());
}

void TExCheckBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    SetDown(false);
    const QPoint p = e->position().toPoint();
    const bool inside = p.x() >= 0 && p.y() >= 0 && p.x() <= width() && p.y() <= height();
    if (inside && hasFocus() && mouseDown_) {
        clicksDisabled_ = true;
        Toggle();
        clicksDisabled_ = false;
        Click();
    }
    mouseDown_ = false;
    UpdateBox();
}

void TExCheckBox::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && ReturnIsTab) {
        QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return;
    }
    if (e->key() == Qt::Key_Space) {
        if (!e->isAutoRepeat())
            SetDown(true);
        return;
    }
    QWidget::keyPressEvent(e);
}

void TExCheckBox::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        SetDown(false);
        Toggle();
        Click();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void TExCheckBox::enterEvent(QEnterEvent*)
{
    hot_ = true;
    UpdateBox();
}

void TExCheckBox::leaveEvent(QEvent*)
{
    hot_ = false;
    UpdateBox();
}

void TExCheckBox::focusInEvent(QFocusEvent* e)
{
    update();
    QWidget::focusInEvent(e);
}

void TExCheckBox::focusOutEvent(QFocusEvent* e)
{
    update();
    QWidget::focusOutEvent(e);
}

void TExCheckBox::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(e);
}

void TExCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    const QRect box = BoxRect();
    const TThemeApi& themes = ThemeApi();
    if (auto theme = themes.OpenThemeData(this, QStringLiteral("button"))) {
        // The check box part: runs of unchecked, checked, mixed.
        const int run = state_ == cbChecked ? 4 : state_ == cbGrayed ? 8 : 0;
        const int step = !isEnabled() ? 4 : down_ ? 3 : hot_ ? 2 : 1;
        themes.DrawThemeBackground(theme.get(), painter, 3, run + step, box);
        themes.CloseThemeData(theme);
    } else {
        // A classic sunken box; grey when greyed or disabled.
        const bool inactive = state_ == cbGrayed || !isEnabled();
        painter.fillRect(box, inactive || down_ ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white));
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(Qt::white);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
        if (state_ != cbUnchecked) {
            painter.setPen(QPen(inactive ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black), 2));
            const QPointF c = QRectF(box).center();
            painter.drawPolyline(QPolygonF{{c.x() - 3, c.y()}, {c.x() - 1, c.y() + 2}, {c.x() + 3, c.y() - 2}});
        }
    }
    const QRect tr = TextRect();
    QString text = caption_;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (ellipsis_)
        text = fontMetrics().elidedText(text, Qt::ElideRight, tr.width());
    if (!isEnabled()) {
        painter.setPen(Qt::white);
        painter.drawText(tr.translated(1, 1), flags, text);
        painter.setPen(QColor(0x80, 0x80, 0x80));
    } else {
        painter.setPen(palette().color(QPalette::WindowText));
    }
    painter.drawText(tr, flags, text);
    if (hasFocus()) {
        const QSize size = fontMetrics().size(Qt::TextShowMnemonic, text);
        themes.DrawFocusRect(painter, QRect(tr.left() - 2, tr.top(), size.width() + 1 + 2, size.height() + 1), this);
    }
}

}  // namespace grid
