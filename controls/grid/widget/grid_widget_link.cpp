// The grid's editors of edCustom cells (a caller's link) and of rich-text
// cells.
#include "controls/grid/widget/edit_link.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/qt_canvas.h"
#include "controls/grid/widget/rich_edit.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace grid {

TEditLink* TGridEditors::OpenLink() const
{
    return openLink_.data();
}

QWidget* TGridEditors::LinkControl() const
{
    if (!openLink_ || openLink_->EditStyle != esInplace)
        return nullptr;
    return openLink_->GetEditControl();
}

bool TGridEditors::ShowLink(const LinkSetup& setup)
{
    auto* link = dynamic_cast<TEditLink*>(setup.link);
    if (link == nullptr)
        return false;
    openLink_ = link;
    link->Open(*this, setup);
    return true;
}

void TGridEditors::HideLink()
{
    if (openLink_)
        openLink_->Close();
}

QString TGridEditors::LinkValue() const
{
    if (openLink_)
        return openLink_->GetEditorValue();
    // The link went away during the edit: the cell keeps its text.
    TGridEditors& self = const_cast<TGridEditors&>(*this);
    const TGridCoord cell = editing_.EditCell();
    TExStringGrid& g = self.Grid();
    return cell.X < 0 ? g.CurrentCell() : g.GridCells(g.RealColIndex(cell.X), cell.Y);
}

void TGridEditors::SetLinkValue(const QString& value)
{
    if (openLink_)
        openLink_->SetEditorValue(value);
}

TExRichEdit& TGridEditors::RichEdit()
{
    if (!rich_)
        rich_ = std::make_unique<TExRichEdit>(*this, widget_.viewport());
    return *rich_;
}

void TGridEditors::ShowRich(const RichSetup& setup)
{
    TExRichEdit& r = RichEdit();
    r.BeginUpdate();
    r.LoadCell(setup.text);
    QPalette p = r.palette();
    p.setColor(QPalette::Base, ToQColor(setup.color));
    r.setPalette(p);
    r.setGeometry(setup.rect);
    r.show();
    r.raise();
    r.setFocus(Qt::OtherFocusReason);
    QTextCursor c = r.textCursor();
    if (setup.selectAll)
        c.select(QTextCursor::Document);
    else
        c.movePosition(QTextCursor::End);
    r.setTextCursor(c);
    r.EndUpdate();
}

void TGridEditors::HideRich()
{
    HideWidget(rich_.get());
}

QString TGridEditors::RichValue() const
{
    return rich_ ? rich_->CellValue() : QString();
}

void TGridEditors::SetRichValue(const QString& value)
{
    if (rich_ && value != rich_->CellValue())
        rich_->LoadCell(value);
}

void TGridEditors::TypeIntoOwn(QChar ch)
{
    if (editing_.OpenKind() == EditorKind::Rich) {
        if (rich_ && ch.isPrint())
            rich_->textCursor().insertText(QString(ch));
        return;
    }
    // A link's control gets the character as typed.
    if (openLink_)
        if (QWidget* c = openLink_->GetEditControl())
            QCoreApplication::postEvent(c, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch)));
}

} // namespace grid
