// A caller's editor control driven by the grid through a link.
#include "controls/grid/widget/edit_link.h"

#include "controls/grid/widget/grid_key_map.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <iterator>

namespace grid {

namespace {

// The keys that end a link's edit, each with the setting that keeps it in
// the control. Home ends only with Alt held (as every key does).
struct LinkKeyRow
{
    int key;
    bool TEditLink::*want;
    bool ends;
};

constexpr LinkKeyRow kLinkKeys[] = {
    {VK_TAB, &TEditLink::WantTabs, true},
    {VK_RETURN, &TEditLink::WantKeyReturn, true},
    {VK_ESCAPE, &TEditLink::WantKeyEscape, true},
    {VK_PRIOR, &TEditLink::WantKeyPriorNext, true},
    {VK_NEXT, &TEditLink::WantKeyPriorNext, true},
    {VK_END, &TEditLink::WantKeyHomeEnd, true},
    {VK_HOME, &TEditLink::WantKeyHomeEnd, false},
    {VK_LEFT, &TEditLink::WantKeyLeftRight, true},
    {VK_RIGHT, &TEditLink::WantKeyLeftRight, true},
    {VK_UP, &TEditLink::WantKeyUpDown, true},
    {VK_DOWN, &TEditLink::WantKeyUpDown, true},
};

const LinkKeyRow* LinkKeyOf(int key)
{
    for (const LinkKeyRow& row : kLinkKeys)
        if (row.key == key)
            return &row;
    return nullptr;
}

bool IsModifierKey(int key)
{
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
}

bool IsArrowKey(int key)
{
    return key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
}

} // namespace

bool LinkKeyEnds(const TEditLink& link, int key, TShiftState shift)
{
    const LinkKeyRow* row = LinkKeyOf(key);
    if (row != nullptr && link.*(row->want))
        return false;
    if (row != nullptr && row->ends)
        return true;
    return shift.Contains(ssAlt) && key != 0 && !IsModifierKey(key);
}

TEditLink::TEditLink(QObject* owner) : QObject(owner) {}

TEditLink::~TEditLink()
{
    if (filtered_)
        filtered_->removeEventFilter(this);
    exiting_ = true;
    delete popup_.data();
}

GridEditing* TEditLink::Editing() const
{
    return grid_ ? EditingOf(*grid_) : nullptr;
}

void TEditLink::GridTakesFocus()
{
    forcedExit_ = true;
    if (GridEditing* e = Editing(); e && e->Host())
        e->Host()->FocusGrid();
    forcedExit_ = false;
}

void TEditLink::Open(TGridEditors& host, const EditorHost::LinkSetup& setup)
{
    host_ = &host;
    grid_ = &host.Grid();
    editCell_ = host.Editing().EditCell();
    const QRect r = setup.cellRect;
    QWidget* viewport = host.Widget().viewport();
    if (EditStyle == esPopup) {
        if (AutoPopupWidth)
            PopupWidth = r.width();
        // This link's own popup: no other link's is ever touched.
        if (!popup_) {
            popup_ = new QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint);
            popup_->installEventFilter(this);
        }
        const QPoint at = PopupLeft == -1 || PopupTop == -1 ? viewport->mapToGlobal(r.topLeft())
                                                             : QPoint(PopupLeft, PopupTop);
        popup_->move(at);
        popup_->resize(PopupWidth, PopupHeight);
        popup_->show();
        popup_->move(at);
        CreateEditor(popup_);
        SetRect(QRect(0, 0, PopupWidth, PopupHeight));
    } else {
        CreateEditor(viewport);
        SetRect(r);
    }
    SetVisible(true);
    SetCellProps(ToQColor(setup.color), ToQFont(setup.font));
    SetProperties();
    grid_->GetEditorProp(setup.realCol, setup.row);
    SetEditorValue(setup.text);
    SetFocus(true);
}

void TEditLink::Close()
{
    if (EditStyle != esPopup)
        SetVisible(false);
    RestoreWinProc();
}

void TEditLink::SetRect(const QRect& rect)
{
    QWidget* c = GetEditControl();
    if (c == nullptr)
        return;
    const int line = EditStyle == esPopup || grid_ == nullptr ? 0 : grid_->GridLineWidth();
    c->setGeometry(rect.left(), rect.top(), std::max(0, rect.width() - line), std::max(0, rect.height() - line));
}

void TEditLink::SetVisible(bool value)
{
    if (QWidget* c = GetEditControl())
        c->setVisible(value);
}

void TEditLink::SetFocus(bool value)
{
    QWidget* c = GetEditControl();
    if (c == nullptr) {
        if (!value)
            GridTakesFocus();
        return;
    }
    if (value) {
        if (!c->isVisible())
            c->show();
        if (!c->isEnabled())
            c->setEnabled(true);
    }
    // The control's keys pass through EditKeyDown first.
    if (filtered_ != c) {
        if (filtered_)
            filtered_->removeEventFilter(this);
        c->installEventFilter(this);
        filtered_ = c;
    }
    subClassed_ = EditStyle == esInplace;
    if (value)
        c->setFocus(Qt::OtherFocusReason);
    else
        GridTakesFocus();
}

void TEditLink::RestoreWinProc()
{
    if (filtered_)
        filtered_->removeEventFilter(this);
    filtered_ = nullptr;
    subClassed_ = false;
    if (EditStyle == esInplace)
        if (QWidget* c = GetEditControl())
            c->hide();
}

QWidget* TEditLink::GetParent() const
{
    if (EditStyle == esPopup)
        return popup_.data();
    return host_ ? host_->Widget().viewport() : nullptr;
}

QString TEditLink::GetCellValue() const
{
    if (grid_ == nullptr)
        return {};
    return grid_->GridCells(grid_->RealCol(), grid_->Row());
}

void TEditLink::SetCellValue(const QString& value)
{
    if (GridEditing* e = Editing())
        e->SetCellFromEditor(grid_->RealCol(), grid_->Row(), value);
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (GridEditing* e = Editing())
        e->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit()
{
    if (exiting_)
        return;
    exiting_ = true;
    HideEditor();
    if (EditStyle == esPopup && popup_) {
        DestroyEditor();
        popup_->hide();
    }
    exiting_ = false;
}

void TEditLink::FormExit()
{
    if (exiting_)
        return;
    if (forcedExit_) {
        SetCellValue(GetEditorValue());
        return;
    }
    EditExit();
}

void TEditLink::EditKeyDown(int& key, TShiftState shift)
{
    GridEditing* e = Editing();
    if (e == nullptr || !e->EditMode() || e->OpenKind() != EditorKind::Link || !LinkKeyEnds(*this, key, shift))
        return;
    TExStringGrid& g = *grid_;
    if (key == VK_TAB) {
        if (g.Navigation.TabToNextAtEnd) {
            forcedExit_ = true;
            e->Host()->FocusGrid();
            e->HideInplaceEdit();
            forcedExit_ = false;
            if (EditStyle == esPopup && popup_) {
                exiting_ = true;
                DestroyEditor();
                popup_->hide();
                exiting_ = false;
            }
            const TGridCoord before{g.Col(), g.Row()};
            const bool valid = e->LastValidation();
            e->ResetValidation();
            if (valid && TabAdvance(g, shift.Contains(ssShift)) && TGridCoord{g.Col(), g.Row()} != before &&
                !g.IsControlCell(g.RealCol(), g.Row()) && host_ != nullptr)
                QCoreApplication::postEvent(&host_->Widget(),
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier));
            key = 0;
            return;
        }
        key = 0;
    }
    if (key == VK_ESCAPE)
        SetEditorValue(e->CellCache());
    QWidget* control = GetEditControl();
    GridTakesFocus();
    e->HideInplaceEdit();
    const bool valid = e->LastValidation();
    if (EditStyle == esPopup && popup_) {
        // A refused value is never written past the validation.
        exiting_ = true;
        DestroyEditor();
        popup_->hide();
        exiting_ = false;
    }
    if (key == VK_RETURN && valid) {
        g.AdvanceEdit(g.Col(), g.Row(), false, true, !shift.Contains(ssShift), false, true);
        key = 0;
    } else if (!valid) {
        e->ResetValidation();
        e->ShowEditControl(g.Col(), g.Row());
    } else if (key == VK_ESCAPE) {
        key = 0;
    } else {
        if (IsArrowKey(key))
            GridKeyDownStep(g, key, shift);
        if (control != nullptr && EditStyle == esInplace)
            control->setEnabled(false);
        GridTakesFocus();
    }
    e->ResetValidation();
}

bool TEditLink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == popup_.data()) {
        // The popup closed by a click elsewhere: the value is stored.
        if (event->type() == QEvent::Hide && !exiting_)
            FormExit();
        return false;
    }
    if (watched == filtered_.data() && event->type() == QEvent::KeyPress) {
        // Every key of the control stays out of the grid: one that ends the
        // edit is used up, any other goes to the control alone.
        auto* control = static_cast<QObject*>(watched);
        const GridKey k = ToGridKey(*static_cast<QKeyEvent*>(event));
        const bool ends = k.code != 0 && LinkKeyEnds(*this, k.code, k.shift);
        int key = k.code;
        if (key != 0)
            RunGuarded([&] { EditKeyDown(key, k.shift); });
        if (!ends && (k.code == 0 || key != 0))
            control->event(event);
        event->accept();
        return true;
    }
    return false;
}

} // namespace grid
