#include "controls/dropdown/button_panel.h"

#include "controls/grid/theme_binding/theme_api.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <qdrawutil.h>

namespace dropdown {

TCustomButtonPanel::TCustomButtonPanel(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    resize(214, 150);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType value)
{
    if (value == type_)
        return;
    type_ = value;
    ArrangeButtons();
}

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    CreateButtons();
}

void TCustomButtonPanel::CreateButtons()
{
    if (!buttons_.empty())
        return;
    if (type_ == plCalculator) {
        for (const CalculatorKeyDef& k : kCalculatorKeys) {
            TButtonItem item;
            item.Caption = QString::fromLatin1(k.Caption);
            item.Name = QString::fromLatin1(k.Name);
            item.Tag = k.Tag;
            item.Special = k.Special;
            if (k.Special)
                item.CaptionColor = 0x000080;
            buttons_.push_back(item);
        }
    }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (type_ != plCalculator || buttons_.empty())
        return;
    const std::vector<QRect> rects = ArrangeCalculatorKeys(GetButtonsRect());
    for (size_t i = 0; i < buttons_.size() && i < rects.size(); ++i)
        buttons_[i].Rect = rects[i];
    update();
}

QRect TCustomButtonPanel::GetButtonRect(int index) const
{
    if (index < 0 || index >= int(buttons_.size()))
        return QRect(QPoint(-1, -1), QPoint(-2, -2));
    return buttons_[size_t(index)].Rect;
}

int TCustomButtonPanel::ButtonAtPos(QPoint p) const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].Rect.contains(p))
            return int(i);
    return -1;
}

bool TCustomButtonPanel::EnabledKey(int index) const
{
    return index >= 0 && index < int(buttons_.size()) && buttons_[size_t(index)].Enabled;
}

void TCustomButtonPanel::InvalidateButton(int index)
{
    if (index >= 0 && index < int(buttons_.size()))
        update(buttons_[size_t(index)].Rect.adjusted(-8, -8, 8, 8));
}

void TCustomButtonPanel::ButtonClick(int index)
{
    if (OnButtonClick)
        OnButtonClick(this, index);
}

void TCustomButtonPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ArrangeButtons();
}

void TCustomButtonPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), grid::ToQColor(Color));
    if (!ExDropDown) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const int hot = pointer_.Hot();
    for (int i = 0; i < int(buttons_.size()); ++i)
        if (i != hot && buttons_[size_t(i)].Rect.intersects(event->rect()))
            DrawButton(i, painter);
    if (hot >= 0 && hot < int(buttons_.size()))
        DrawButton(hot, painter);
}

void TCustomButtonPanel::DrawButton(int index, QPainter& painter)
{
    if (index < 0 || index >= int(buttons_.size()))
        return;
    const TButtonItem& key = buttons_[size_t(index)];
    if (key.Rect.left() < 0)
        return;
    const bool enabled = isEnabled() && key.Enabled;
    const bool down = enabled && index == pointer_.Down();
    const grid::TThemeApi& themes = grid::ThemeApi();
    if (auto theme = themes.OpenThemeData(this, QStringLiteral("button"))) {
        const int state = !enabled ? 4 : down ? 3 : index == pointer_.Hot() ? 2 : 1;
        themes.DrawThemeBackground(theme.get(), painter, 1, state, key.Rect);
        themes.CloseThemeData(theme);
    } else {
        qDrawWinButton(&painter, key.Rect, palette(), down, &palette().brush(QPalette::Button));
    }
    painter.setFont(appearance_.Font);
    painter.setPen(grid::ToQColor(key.Special ? appearance_.SpecialTextColor : appearance_.TextColor));
    painter.drawText(key.Rect.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextSingleLine, key.Caption);
}

void TCustomButtonPanel::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const int key = ButtonAtPos(event->position().toPoint());
    const int old = pointer_.Down();
    pointer_.Press(key, EnabledKey(key));
    if (pointer_.Down() != old) {
        InvalidateButton(old);
        InvalidateButton(pointer_.Down());
    }
}

void TCustomButtonPanel::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    const int key = ButtonAtPos(event->position().toPoint());
    const int old = pointer_.Hot();
    if (pointer_.Move(key, EnabledKey(key))) {
        InvalidateButton(old);
        InvalidateButton(pointer_.Hot());
    }
}

void TCustomButtonPanel::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    const int old = pointer_.Down();
    const int clicked = pointer_.Release(ButtonAtPos(event->position().toPoint()));
    InvalidateButton(old);
    if (clicked >= 0)
        ButtonClick(clicked);
}

void TCustomButtonPanel::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    const int old = pointer_.Hot();
    pointer_.Leave();
    InvalidateButton(old);
}

}  // namespace dropdown
