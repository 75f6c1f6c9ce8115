// The painted grid's drop-down editors (made by the installed maker) and
// the push button of edButton cells.
#include "controls/grid/widget/cell_dropdowns.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_grid_button.h"

#include <QApplication>

namespace grid {

namespace {

CellDropDownMaker gMaker = nullptr;

} // namespace

void SetCellDropDownMaker(CellDropDownMaker maker)
{
    gMaker = maker;
}

CellDropDownMaker CellDropDownMakerInUse()
{
    return gMaker;
}

TCellDropDowns* TGridEditors::DropDowns()
{
    if (!dropDowns_ && gMaker != nullptr)
        dropDowns_ = gMaker(*this);
    return dropDowns_.get();
}

bool TGridEditors::ShowDropDownEditor(const DropDownSetup& setup)
{
    TCellDropDowns* d = DropDowns();
    return d != nullptr && d->Show(setup) != nullptr;
}

void TGridEditors::HideDropDownEditor()
{
    if (!dropDowns_)
        return;
    QWidget* w = dropDowns_->Open();
    if (w == nullptr)
        return;
    hiding_ = true;
    if (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()))
        widget_.setFocus(Qt::OtherFocusReason);
    dropDowns_->Hide();
    hiding_ = false;
}

QString TGridEditors::DropDownEditorText() const
{
    return dropDowns_ ? dropDowns_->Text() : QString();
}

void TGridEditors::SetDropDownEditorText(const QString& value)
{
    if (dropDowns_)
        dropDowns_->SetText(value);
}

TColor TGridEditors::DropDownEditorColor() const
{
    return dropDowns_ ? dropDowns_->Color() : clNone;
}

int TGridEditors::DropDownEditorImageIndex() const
{
    return dropDowns_ ? dropDowns_->ImageIndex() : -1;
}

TGridButton& TGridEditors::GridButton()
{
    if (!gridButton_)
        gridButton_ = std::make_unique<TGridButton>(*this, widget_.viewport());
    return *gridButton_;
}

bool TGridEditors::ShowGridButton(const QRect& rect, const QString& caption)
{
    TGridButton& b = GridButton();
    b.setText(caption);
    b.setGeometry(rect);
    b.setEnabled(true);
    b.show();
    b.raise();
    b.setFocus(Qt::OtherFocusReason);
    return true;
}

void TGridEditors::HideGridButton()
{
    if (!gridButton_)
        return;
    HideWidget(gridButton_.get());
    gridButton_->setEnabled(false);
}

QString TGridEditors::GridButtonCaption() const
{
    return gridButton_ ? gridButton_->text() : QString();
}

void TGridEditors::SetGridButtonCaption(const QString& caption)
{
    if (gridButton_)
        gridButton_->setText(caption);
}

void TGridEditors::GridButtonPressed()
{
    if (editing_.OpenKind() != EditorKind::PushButton)
        return;
    editing_.GridButtonClicked();
    TExStringGrid& g = Grid();
    if (g.OnButtonClick)
        g.OnButtonClick(&g, g.Col(), g.Row());
}

} // namespace grid
