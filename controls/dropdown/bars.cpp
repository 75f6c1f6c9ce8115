#include "controls/dropdown/bars.h"

#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/ex_button.h"
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/popup_geometry.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <stdexcept>

namespace dropdown {

TExBar::TExBar(QWidget* parent, bool footer) : QWidget(parent), footer_(footer)
{
    resize(100, appearance_.Height);
    appearance_.OnChange = [this] {
        setVisible(appearance_.Visible());
        resize(width(), appearance_.Height);
    };
}

TExBar::~TExBar() = default;

void TExBar::SetExDropDown(TExCustomDropDown* dropDown)
{
    dropDown_ = dropDown;
    if (!dropDown) {
        images_ = nullptr;
        return;
    }
    images_ = dropDown->Images();
    if (footer_)
        appearance_.Assign(dropDown->DropDownFooter());
    else
        appearance_.TBarAppearance::Assign(dropDown->DropDownHeader());
}

void TExBar::RebuildButtons()
{
    if (dropDown_)
        CreateButtons();
}

TExButton* TExBar::ButtonAt(int index) const
{
    if (index < 0 || size_t(index) >= buttons_.size())
        throw std::out_of_range("Index out of bounds in list read access");
    return buttons_[size_t(index)];
}

void TExBar::SetButtonAt(int index, TExButton* button)
{
    if (index < 0 || size_t(index) >= buttons_.size())
        throw std::out_of_range("Index out of bounds in list write access");
    buttons_[size_t(index)] = button;
}

bool TExBar::ShowSizeGrip() const
{
    return footer_ && appearance_.SizeGrip && dropDown_ && dropDown_->DropDownSizeable();
}

QRect TExBar::ButtonArea() const
{
    return footer_ ? FooterButtonArea(rect(), ShowSizeGrip()) : HeaderButtonArea(rect());
}

void TExBar::ClearButtons()
{
    for (auto it = buttons_.rbegin(); it != buttons_.rend(); ++it)
        delete *it;
    buttons_.clear();
}

void TExBar::CreateButtons()
{
    if (!dropDown_)
        return;
    ClearButtons();
    const int h = ButtonArea().height();
    const QList<TBarButton>& items = footer_ ? dropDown_->DropDownFooter().Buttons : dropDown_->DropDownHeader().Buttons;
    for (int i = 0; i < items.size(); ++i) {
        const TBarButton& item = items[i];
        auto* button = new TExButton(this);
        if (footer_) {
            button->SetExDropDown(dropDown_);
            button->SetModalResult(item.ModalResult);
        }
        button->SetAppearance(&dropDown_->ButtonAppearance());
        button->SetCaption(item.Caption);
        button->SetImages(images_);
        button->SetImageIndex(item.ImageIndex);
        button->setEnabled(item.Enabled);
        button->AutoSizeButton();
        if (item.Width > 0)
            button->resize(item.Width, button->height());
        if (item.Height > 0)
            button->resize(button->width(), item.Height);
        if (h < button->height())
            button->resize(button->width(), h);
        button->Tag = i;
        button->OnClick = [this](TExButton* b) { ButtonClick(b); };
        button->show();
        buttons_.push_back(button);
    }
    ArrangeButtons();
}

void TExBar::ArrangeButtons()
{
    if (buttons_.empty())
        return;
    std::vector<QSize> sizes;
    for (TExButton* b : buttons_)
        sizes.push_back(b->size());
    const std::vector<QRect> rects = dropdown::ArrangeButtons(ButtonArea(), sizes, appearance_.ButtonAlignment);
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setGeometry(rects[i]);
}

void TExBar::ButtonClick(TExButton* button)
{
    if (!dropDown_)
        return;
    auto& handler = footer_ ? dropDown_->OnDropDownFooterButtonClick : dropDown_->OnDropDownHeaderButtonClick;
    if (handler)
        handler(dropDown_, button->Tag);
}

void TExBar::resizeEvent(QResizeEvent*)
{
    ArrangeButtons();
}

void TExBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, painter, r);
        return;
    }
    const TBarAppearance& a = appearance_;
    if (a.ColorTo == clNone) {
        if (a.Color != clNone)
            painter.fillRect(r, grid::ToQColor(a.Color));
    } else {
        DrawGradient(painter, a.Color, a.ColorTo, 80, r, a.GradientDirection == gdHorizontal);
    }
    const int bw = a.BorderWidth;
    const int right = r.width(), bottom = r.height();
    if (a.BorderColor != clNone && bw > 0) {
        painter.setPen(QPen(grid::ToQColor(a.BorderColor), bw));
        if (footer_)
            painter.drawLine(0, 0, right, 0);
        else
            painter.drawLine(0, bottom - 1, right, bottom - 1);
        const bool popupFrame = dropDown_ && dropDown_->DropDownBorderWidth() > 0 &&
                                dropDown_->DropDownBorderColor() != clNone;
        if (!popupFrame) {
            if (footer_) {
                painter.drawLine(0, 0, 0, bottom - 1);
                painter.drawLine(0, bottom - 1, right - 1, bottom - 1);
                painter.drawLine(right - 1, bottom - 1, right - 1, 0);
            } else {
                painter.drawLine(0, bottom - 1, 0, 0);
                painter.drawLine(0, 0, right - 1, 0);
                painter.drawLine(right - 1, 0, right - 1, bottom - 1);
            }
            painter.setPen(QPen(grid::ToQColor(BlendColor(a.BorderColor, 0xFFFFFF, 20)), 1));
            painter.setBrush(Qt::NoBrush);
            const QRect inner = footer_ ? QRect(0, bw, right, bottom - bw) : QRect(0, 0, right, bottom - bw);
            painter.drawRect(inner.adjusted(0, 0, -1, -1));
        }
    }
    QRect cr = r.adjusted(bw, bw, -bw, -bw);
    if (a.ImageIndex >= 0 && images_ && a.ImageIndex < images_->size()) {
        const QPixmap& image = (*images_)[a.ImageIndex];
        painter.drawPixmap(cr.left() + 4, cr.top() + (cr.height() - image.height()) / 2, image);
        cr.setLeft(cr.left() + image.width() + 8);
    }
    QString text = a.Caption;
    if (OnGetText)
        OnGetText(this, text);
    if (!text.isEmpty()) {
        if (!buttons_.empty()) {
            std::vector<QRect> rects;
            for (TExButton* b : buttons_)
                rects.push_back(b->geometry());
            cr.setRight(ButtonsRect(ButtonArea(), rects).right());
        }
        painter.setFont(a.Font);
        painter.setPen(grid::ToQColor(a.FontColor));
        const QSize measured = HtmlDraw(painter, text, cr, false, images_);
        if (measured.height() < cr.height())
            cr.setTop(cr.top() + (cr.height() - measured.height()) / 2);
        HtmlDraw(painter, text, cr, true, images_);
    }
    if (ShowSizeGrip()) {
        const QRect g = FooterGripRect(r, bw);
        painter.setPen(Qt::NoPen);
        for (int pass = 0; pass < 2; ++pass) {
            const QColor color = pass == 0 ? QColor(Qt::white) : grid::ToQColor(a.BorderColor == clNone ? 0x808080 : a.BorderColor);
            for (QPoint dot : GripDots(g))
                painter.fillRect(QRect(dot - QPoint(pass, pass), QSize(2, 2)), color);
        }
    }
}

TExFooter::TExFooter(QWidget* parent) : TExBar(parent, true)
{
    setMouseTracking(true);
}

void TExFooter::mousePressEvent(QMouseEvent* event)
{
    QWidget* popup = window();
    if (event->button() != Qt::LeftButton || !ShowSizeGrip() || !InFooterGripZone(event->position().toPoint(), size()))
        return;
    QWindow* handle = popup->windowHandle();
    if (handle && handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge))
        return;
    // No window manager to ask: follow the mouse ourselves.
    resizing_ = true;
    pressGlobal_ = event->globalPosition().toPoint();
    pressSize_ = popup->size();
}

void TExFooter::mouseMoveEvent(QMouseEvent* event)
{
    if (resizing_) {
        const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
        window()->resize(ConstrainPopupSize(pressSize_ + QSize(delta.x(), delta.y())));
        if (dropDown_)
            dropDown_->PopupSizing();
        return;
    }
    const bool grip = ShowSizeGrip() && InFooterGripZone(event->position().toPoint(), size());
    if (grip)
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
}

void TExFooter::mouseReleaseEvent(QMouseEvent*)
{
    resizing_ = false;
    unsetCursor();
}

void TExFooter::leaveEvent(QEvent*)
{
    if (!resizing_)
        unsetCursor();
}

}  // namespace dropdown
