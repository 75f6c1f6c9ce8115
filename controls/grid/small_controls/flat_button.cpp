#include "controls/grid/small_controls/flat_button.h"

#include "controls/grid/html_draw/html_colors.h"
#include "controls/grid/small_controls/button_look.h"
#include "controls/grid/theme_binding/theme_api.h"
#include "controls/grid/small_controls/themes.h"

#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

namespace grid {

namespace {

constexpr int kGradientSteps = 16;
constexpr int kCorner = 8;

// The classic speed-button placement of glyph and caption inside `client`.
struct Placement
{
    QPoint Glyph;
    QRect Text;
};

Placement PlaceGlyphAndText(const QRect& client, QSize glyph, QSize text, TButtonLayout layout, int margin,
                            int spacing)
{
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    if (glyph.isEmpty() || text.isEmpty())
        spacing = 0;
    if (glyph.isEmpty())
        glyph = QSize(0, 0);
    if (text.isEmpty())
        text = QSize(0, 0);
    const int clientLength = horizontal ? client.width() : client.height();
    const int glyphLength = horizontal ? glyph.width() : glyph.height();
    const int textLength = horizontal ? text.width() : text.height();
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientLength - glyphLength - textLength) / 3;
            spacing = margin;
        } else {
            margin = (clientLength - glyphLength - spacing - textLength + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientLength - margin - glyphLength - textLength) / 2;
    }
    Placement p;
    const int gx = (client.width() - glyph.width() + 1) / 2;
    const int gy = (client.height() - glyph.height() + 1) / 2;
    const int tx = (client.width() - text.width() + 1) / 2;
    const int ty = (client.height() - text.height() + 1) / 2;
    switch (layout) {
    case blGlyphLeft:
        p.Glyph = QPoint(margin, gy);
        p.Text = QRect(margin + glyph.width() + spacing, ty, text.width(), text.height());
        break;
    case blGlyphRight:
        p.Glyph = QPoint(client.width() - margin - glyph.width(), gy);
        p.Text = QRect(p.Glyph.x() - spacing - text.width(), ty, text.width(), text.height());
        break;
    case blGlyphTop:
        p.Glyph = QPoint(gx, margin);
        p.Text = QRect(tx, margin + glyph.height() + spacing, text.width(), text.height());
        break;
    case blGlyphBottom:
        p.Glyph = QPoint(gx, client.height() - margin - glyph.height());
        p.Text = QRect(tx, p.Glyph.y() - spacing - text.height(), text.width(), text.height());
        break;
    }
    p.Glyph += client.topLeft();
    p.Text.translate(client.topLeft());
    return p;
}

void Face(QPainter& painter, const QRect& r, TColor from, TColor to, TColor border)
{
    if (to == clNone) {
        if (from != clNone)
            painter.fillRect(r, html::ToQColor(from));
        if (border != clNone) {
            painter.setPen(html::ToQColor(border));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
        return;
    }
    DrawButtonGradient(painter, from, to, false, r, kGradientSteps, border);
}

void RoundBorder(QPainter& painter, const QRect& r, TColor color)
{
    if (color == clNone)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(html::ToQColor(color));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), kCorner / 2.0, kCorner / 2.0);
    painter.restore();
}

}  // namespace

TExGridButton::TExGridButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    resize(23, 22);
}

void TExGridButton::SetGroupIndex(int value)
{
    if (groupIndex_ == value)
        return;
    groupIndex_ = value;
    Broadcast();
}

void TExGridButton::SetAllowAllUp(bool value)
{
    if (allowAllUp_ == value)
        return;
    allowAllUp_ = value;
    Broadcast();
}

void TExGridButton::SetDown(bool value)
{
    if (groupIndex_ == 0 && style_ != tasCheck)
        value = false;
    if (style_ == tasCheck) {
        down_ = value;
        update();
        return;
    }
    if (value == down_ || (down_ && !allowAllUp_))
        return;
    down_ = value;
    if (value) {
        if (state_ == bsUp)
            update();
        state_ = bsExclusive;
        Broadcast();
    } else {
        state_ = bsUp;
        update();
    }
}

void TExGridButton::Broadcast()
{
    if (groupIndex_ == 0 || !parentWidget())
        return;
    for (QObject* o : parentWidget()->children()) {
        auto* other = qobject_cast<TExGridButton*>(o);
        if (other && other != this)
            other->ButtonPressed(groupIndex_, this);
    }
}

void TExGridButton::ButtonPressed(int group, TExGridButton* sender)
{
    if (group != groupIndex_)
        return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = bsUp;
        update();
    }
    allowAllUp_ = sender->allowAllUp_;
}

void TExGridButton::SetLayout(TButtonLayout value)
{
    if (layout_ != value) {
        layout_ = value;
        update();
    }
}

void TExGridButton::SetSpacing(int value)
{
    if (spacing_ != value) {
        spacing_ = value;
        update();
    }
}

void TExGridButton::SetMargin(int value)
{
    if (value >= -1 && value != margin_) {
        margin_ = value;
        update();
    }
}

void TExGridButton::SetFlat(bool value)
{
    if (flat_ != value) {
        flat_ = value;
        update();
    }
}

void TExGridButton::SetShowCaption(bool value)
{
    if (showCaption_ != value) {
        showCaption_ = value;
        update();
    }
}

void TExGridButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    UpdateShortcut();
    update();
}

void TExGridButton::SetStyle(TExGridButtonStyle value)
{
    style_ = value;
    update();
}

void TExGridButton::SetRounded(bool value)
{
    rounded_ = value;
    update();
}

void TExGridButton::SetDropDownButton(bool value)
{
    dropDownButton_ = value;
    update();
}

void TExGridButton::SetShaded(bool value)
{
    shaded_ = value;
    if (value)
        shade_ = ShadeGlyph(glyph_);
}

void TExGridButton::SetAutoThemeAdapt(bool value)
{
    autoThemeAdapt_ = value;
    if (value)
        AdaptLook();
}

void TExGridButton::SetLook(int look)
{
    const ButtonLookColors* c = ButtonLook(look);
    if (!c)
        return;
    look_ = look;
    rounded_ = c->Rounded;
    flat_ = true;
    borderColor_ = clNone;
    color_ = c->Color;
    colorTo_ = c->ColorTo;
    colorHot_ = c->ColorHot;
    colorHotTo_ = c->ColorHotTo;
    colorDown_ = c->ColorDown;
    colorDownTo_ = c->ColorDownTo;
    colorChecked_ = c->ColorChecked;
    colorCheckedTo_ = c->ColorCheckedTo;
    borderDownColor_ = c->BorderDown;
    borderHotColor_ = c->BorderHot;
    update();
}

void TExGridButton::AdaptLook()
{
    // No desktop colour schemes here: the look for "anything else".
    SetLook(1);
}

void TExGridButton::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph;
    if (glyphDisabled_.isNull() && !glyph.isNull())
        glyphDisabled_ = GreyGlyph(glyph);
    if (shaded_)
        shade_ = ShadeGlyph(glyph);
    update();
}

void TExGridButton::SetGlyphDisabled(const QImage& glyph)
{
    glyphDisabled_ = glyph;
    update();
}

void TExGridButton::SetGlyphHot(const QImage& glyph)
{
    glyphHot_ = glyph;
    update();
}

void TExGridButton::SetGlyphDown(const QImage& glyph)
{
    glyphDown_ = glyph;
    update();
}

void TExGridButton::UpdateShortcut()
{
    if (shortcutId_)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key, Qt::WindowShortcut);
}

void TExGridButton::Click()
{
    if (OnClick)
        OnClick(this);
}

bool TExGridButton::InClient(QPoint p) const
{
    // Right edge exclusive, bottom edge inclusive.
    return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
}

bool TExGridButton::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (se->shortcutId() == shortcutId_ && isEnabled() && isVisible() && parentWidget()
            && parentWidget()->isVisible()) {
            Click();
            return true;
        }
    }
    return QWidget::event(e);
}

void TExGridButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    if (dropDownButton_ && e->position().x() >= width() - kDropDownWidth) {
        state_ = bsUp;
        if (OnDropDown)
            OnDropDown(this);
        if (DropDownMenu)
            DropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    if (!down_) {
        state_ = bsDown;
        update();
    }
    if (style_ == tasCheck) {
        state_ = bsDown;
        repaint();
    }
    dragging_ = true;
}

void TExGridButton::mouseMoveEvent(QMouseEvent* e)
{
    if (!dragging_)
        return;
    TButtonState next = down_ ? bsExclusive : bsUp;
    if (InClient(e->position().toPoint()))
        next = down_ ? bsExclusive : bsDown;
    if (style_ == tasCheck && down_)
        next = bsDown;
    if (next != state_) {
        state_ = next;
        update();
    }
}

void TExGridButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    const bool inside = rect().contains(e->position().toPoint());
    if (groupIndex_ == 0) {
        state_ = bsUp;
        if (style_ == tasCheck && inside)
            SetDown(!down_);
        update();
    } else if (inside) {
        SetDown(!down_);
        update();
    } else {
        if (down_)
            state_ = bsExclusive;
        update();
    }
    if (inside)
        Click();
    if (flat_ && isEnabled()) {
        if (!inside && mouseIn_)
            MouseLeave();
        else if (inside && !mouseIn_)
            MouseEnter();
    }
}

void TExGridButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    mousePressEvent(e);
    if (down_ && OnDblClick)
        OnDblClick(this);
}

void TExGridButton::MouseEnter()
{
    mouseIn_ = true;
    update();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TExGridButton::MouseLeave()
{
    mouseIn_ = false;
    update();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TExGridButton::enterEvent(QEnterEvent*)
{
    if (isEnabled() && !dragging_)
        MouseEnter();
}

void TExGridButton::leaveEvent(QEvent*)
{
    if (isEnabled() && !dragging_)
        MouseLeave();
}

void TExGridButton::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            mouseIn_ = false;
        update();
    } else if ((e->type() == QEvent::StyleChange || e->type() == QEvent::PaletteChange) && autoThemeAdapt_) {
        AdaptLook();
    }
    QWidget::changeEvent(e);
}

void TExGridButton::paintEvent(QPaintEvent*)
{
    if (!isEnabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    TButtonState st = state_;
    if (style_ == tasCheck && down_)
        st = bsDown;
    const bool pressed = st == bsDown || st == bsExclusive;
    const bool hot = mouseIn_ && isEnabled();

    QPainter painter(this);
    QRect r = rect();
    QPoint shift(0, 0);
    if (flat_) {
        QRect face = r;
        if (borderDownColor_ == clNone || rounded_)
            face.adjust(1, 1, -1, -1);
        if (!hot) {
            if (style_ == tasCheck && down_) {
                Face(painter, face, colorChecked_, colorCheckedTo_, rounded_ ? clNone : borderDownColor_);
            } else {
                Face(painter, face, color_, colorTo_,
                     rounded_ || colorTo_ == clNone ? clNone : (down_ ? borderDownColor_ : borderColor_));
                if (borderColor_ != clNone) {
                    if (rounded_) {
                        RoundBorder(painter, r, borderColor_);
                    } else {
                        painter.setPen(html::ToQColor(borderColor_));
                        painter.setBrush(Qt::NoBrush);
                        painter.drawRect(r.adjusted(0, 0, -1, -1));
                    }
                }
            }
        } else {
            TColor from = colorHot_, to = colorHotTo_, border = borderHotColor_;
            if (st == bsDown) {
                from = colorDown_;
                to = colorDownTo_;
                border = borderDownColor_;
            } else if (style_ == tasCheck && down_) {
                from = colorChecked_;
                to = colorCheckedTo_;
                border = borderDownColor_;
            }
            Face(painter, face, from, to, rounded_ ? clNone : border);
            if (rounded_)
                RoundBorder(painter, r, border);
            if (dropDownButton_) {
                painter.setPen(html::ToQColor(border == clNone ? clGray : border));
                const int x = r.width() - kDropDownWidth;
                painter.drawLine(x, r.top() + 1, x, r.bottom() - 1);
            }
        }
    } else {
        const TThemeApi& themes = ThemeApi();
        auto theme = AutoXPStyle ? themes.OpenThemeData(this, QStringLiteral("button")) : nullptr;
        if (theme) {
            const int state = !isEnabled() ? 4 : pressed ? 3 : hot ? 2 : 1;
            themes.DrawThemeBackground(theme.get(), painter, 1, state, r);
            themes.CloseThemeData(theme);
        } else {
            qDrawWinButton(&painter, r, palette(), pressed, &palette().brush(QPalette::Button));
        }
        if (st == bsExclusive)
            Face(painter, r.adjusted(2, 2, -2, -2), colorChecked_, colorCheckedTo_, clNone);
        if (pressed)
            shift = QPoint(1, 1);
    }

    QRect content = r;
    const QColor text = palette().color(QPalette::ButtonText);
    if (dropDownButton_) {
        const int cy = r.height() / 2;
        const int right = r.width();
        painter.setPen(Qt::NoPen);
        painter.setBrush(text);
        painter.drawPolygon(QPolygon{{right - 8, cy - 1}, {right - 4, cy - 1}, {right - 6, cy + 1}});
        content.setRight(content.right() - kDropDownWidth);
    }

    QImage glyph;
    if (!isEnabled() && !glyphDisabled_.isNull())
        glyph = glyphDisabled_;
    else if (mouseIn_)
        glyph = pressed ? glyphDown_ : glyphHot_;
    else if (pressed)
        glyph = glyphDown_;
    if (glyph.isNull())
        glyph = glyph_;
    const bool withCaption = showCaption_ && !caption_.isEmpty();
    const QSize textSize = withCaption ? fontMetrics().size(Qt::TextShowMnemonic, caption_) : QSize();
    Placement place = PlaceGlyphAndText(content, glyph.size(), textSize, layout_, margin_, spacing_);
    place.Glyph += shift;
    place.Text.translate(shift);
    if (hot && shaded_ && st != bsDown && !glyph.isNull() && !shade_.isNull()) {
        painter.drawImage(place.Glyph + (withCaption ? QPoint(2, 2) : QPoint(0, 0)), shade_);
        if (flat_) {
            place.Glyph -= QPoint(1, 1);
            place.Text.translate(-1, -1);
        }
    }
    if (!glyph.isNull())
        painter.drawImage(place.Glyph, TransparentGlyph(glyph));
    if (withCaption) {
        const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
        if (st == bsDisabled) {
            painter.setPen(html::ToQColor(0xFF000014));  // clBtnHighlight
            painter.drawText(place.Text.translated(1, 1), flags, caption_);
            painter.setPen(html::ToQColor(0xFF000010));  // clBtnShadow
        } else {
            painter.setPen(text);
        }
        painter.drawText(place.Text, flags, caption_);
    }
}

}  // namespace grid
