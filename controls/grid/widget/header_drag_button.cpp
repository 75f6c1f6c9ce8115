#include "controls/grid/widget/header_drag_button.h"

#include "controls/grid/html_draw/html_text_painter.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>

namespace grid {

THeaderDragButton::THeaderDragButton(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void THeaderDragButton::SetGrid(TGridWidget* grid)
{
    grid_ = grid;
    update();
}

void THeaderDragButton::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

void THeaderDragButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(clBtnFace));
    p.setPen(ToQColor(clBlack));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect client = ClientRect();
    if (client.isEmpty())
        return;
    TFont font;
    if (grid_ != nullptr) {
        TExStringGrid& g = grid_->Grid();
        font = g.Font;
        // A header cell's background and lines, without its content.
        p.save();
        p.setClipRect(client);
        grid_->Painter().PaintCellExt(p, 0, 0, client, TGridDrawState());
        p.restore();
    }
    if (caption_.contains(QLatin1String("</"))) {
        html::HtmlLayoutInput in;
        in.Text = caption_;
        in.Rect = client;
        in.Font = html::ToHtmlFont(ToQFont(font), font.Color);
        html::HtmlPictures own;
        html::DrawHtmlText(p, in, grid_ != nullptr ? &grid_->Painter().HtmlPictures() : &own);
        return;
    }
    const QFont qfont = ToQFont(font);
    p.setFont(qfont);
    p.setPen(ToQColor(font.Color));
    const QString shown = QFontMetrics(qfont).elidedText(caption_, Qt::ElideRight, client.width());
    p.drawText(client, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

} // namespace grid
