#include "controls/dropdown/dropdown_form.h"

#include "controls/dropdown/bars.h"
#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/popup_geometry.h"
#include "controls/grid/widget/qt_canvas.h"
#include "platform/tick_clock.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

namespace dropdown {

TDropDownForm::TDropDownForm(TExCustomDropDown* edit)
    : QWidget(edit, Qt::Popup | Qt::FramelessWindowHint), edit_(edit)
{
    setMinimumSize(kPopupMinWidth, kPopupMinHeight);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

TDropDownForm::~TDropDownForm() = default;

void TDropDownForm::InitializeAndUpdate()
{
    if (!edit_)
        return;
    if (header_ || edit_->DropDownHeader().Visible()) {
        if (!header_) {
            header_ = new TExHeader(this);
            header_->resize(width(), edit_->DropDownHeader().Height);
        }
        header_->SetExDropDown(edit_);
        header_->RebuildButtons();
        header_->setVisible(edit_->DropDownHeader().Visible());
        header_->OnDrawBackGround = edit_->OnDrawHeader;
        header_->OnGetText = edit_->OnGetHeaderText;
    }
    if (footer_ || edit_->DropDownFooter().Visible()) {
        if (!footer_) {
            footer_ = new TExFooter(this);
            footer_->resize(width(), edit_->DropDownFooter().Height);
        }
        footer_->SetExDropDown(edit_);
        footer_->RebuildButtons();
        footer_->setVisible(edit_->DropDownFooter().Visible());
        footer_->OnDrawBackGround = edit_->OnDrawFooter;
        footer_->OnGetText = edit_->OnGetFooterText;
    }
    LayoutChildren();
}

void TDropDownForm::SetContent(QWidget* content)
{
    content_ = content;
    if (content_) {
        content_->setParent(this);
        content_->show();
    }
    LayoutChildren();
}

QRect TDropDownForm::ContentRect() const
{
    const int b = edit_ ? edit_->DropDownBorderWidth() : 0;
    QRect r = rect().adjusted(b, b, -b, -b);
    if (header_ && header_->isVisibleTo(this))
        r.setTop(r.top() + header_->height());
    if (footer_ && footer_->isVisibleTo(this))
        r.setBottom(r.bottom() - footer_->height());
    return r;
}

void TDropDownForm::LayoutChildren()
{
    LayoutChildren(isVisible());
}

void TDropDownForm::LayoutChildren(bool content)
{
    const int b = edit_ ? edit_->DropDownBorderWidth() : 0;
    const QRect inner = rect().adjusted(b, b, -b, -b);
    if (header_)
        header_->setGeometry(inner.left(), inner.top(), inner.width(), header_->height());
    if (footer_)
        footer_->setGeometry(inner.left(), inner.bottom() + 1 - footer_->height(), inner.width(), footer_->height());
    // The content keeps its own size until the popup is placed: that size
    // decides the popup's.
    if (content_ && content)
        content_->setGeometry(ContentRect());
}

void TDropDownForm::paintEvent(QPaintEvent*)
{
    if (!edit_)
        return;
    QPainter painter(this);
    const int b = edit_->DropDownBorderWidth();
    const QRect inner = rect().adjusted(b, b, -b, -b);
    const TColor color = edit_->DropDownColor(), colorTo = edit_->DropDownColorTo();
    if (color != clNone && colorTo != clNone)
        DrawGradient(painter, color, colorTo, 80, inner, edit_->DropDownGradient() == gdHorizontal);
    else if (color != clNone)
        painter.fillRect(inner, grid::ToQColor(color));
    if (b > 0 && edit_->DropDownBorderColor() != clNone) {
        // Pen width b on the client rect with left and top moved in by b div 2.
        painter.setPen(QPen(grid::ToQColor(edit_->DropDownBorderColor()), b, Qt::SolidLine, Qt::SquareCap,
                            Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const double h = b / 2.0;
        painter.drawRect(QRectF(h, h, width() - b, height() - b));
    }
}

void TDropDownForm::resizeEvent(QResizeEvent*)
{
    LayoutChildren();
}

void TDropDownForm::hideEvent(QHideEvent*)
{
    if (edit_) {
        if (!edit_->ClosingItself())
            deActivate_ = edit_->Clock().Ticks();
        edit_->PopupHidden();
    }
}

void TDropDownForm::keyPressEvent(QKeyEvent* event)
{
    if (edit_)
        edit_->PopupKeyDown(event);
}

void TDropDownForm::wheelEvent(QWheelEvent* event)
{
    if (!edit_)
        return;
    bool handled = false;
    if (event->angleDelta().y() < 0)
        edit_->PopupMouseWheelDown(event->modifiers(), event->position().toPoint(), handled);
    else
        edit_->PopupMouseWheelUp(event->modifiers(), event->position().toPoint(), handled);
}

void TDropDownForm::mousePressEvent(QMouseEvent* event)
{
    if (!Sizeable || event->button() != Qt::LeftButton || !InPopupGripZone(event->position().toPoint(), size())) {
        QWidget::mousePressEvent(event);  // a press outside closes the popup
        return;
    }
    if (windowHandle() && windowHandle()->startSystemResize(Qt::RightEdge | Qt::BottomEdge))
        return;
    resizing_ = true;
    pressGlobal_ = event->globalPosition().toPoint();
    pressSize_ = size();
}

void TDropDownForm::mouseMoveEvent(QMouseEvent* event)
{
    if (!resizing_)
        return;
    const QPoint d = event->globalPosition().toPoint() - pressGlobal_;
    resize(ConstrainPopupSize(pressSize_ + QSize(d.x(), d.y())));
    if (edit_)
        edit_->PopupSizing();
}

void TDropDownForm::mouseReleaseEvent(QMouseEvent*)
{
    resizing_ = false;
}

}  // namespace dropdown
