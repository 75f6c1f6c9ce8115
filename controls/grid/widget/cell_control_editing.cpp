#include "controls/grid/widget/cell_control_editing.h"

#include "controls/grid/core/check_placement.h"
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/html/mini_html_markup.h"
#include "controls/grid/html_draw/html_text_painter.h"
#include "controls/grid/widget/cell_html_layout.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace grid {

namespace {

enum class ControlKind { Edit, Combo };

// The in-text controls edited in a real control, and how.
struct EditedControl
{
    const char* type;
    ControlKind kind;
    bool password;
    bool mask;
};

constexpr EditedControl kEdited[] = {
    {"EDIT", ControlKind::Edit, false, false},
    {"PASSWORD", ControlKind::Edit, true, false},
    {"MASK", ControlKind::Edit, false, true},
    {"COMBO", ControlKind::Combo, false, false},
};

const EditedControl* EditedOf(const QString& type)
{
    for (const EditedControl& row : kEdited) {
        if (type == QLatin1String(row.type))
            return &row;
    }
    return nullptr;
}

// Placement over the control's rectangle: the edit box inside its frame,
// the combo over it.
constexpr int kEditLeft = 1;
constexpr int kEditTop = 8;
constexpr int kEditNarrower = 4;
constexpr int kEditHeight = 14;
constexpr int kComboLeft = -1;
constexpr int kComboTop = 4;
constexpr int kDropCount = 8;
constexpr int kNoLimit = 32767;

// The cell's mini-HTML laid out as painted, the control of that ID hit.
html::HtmlLayout ControlLayout(TExStringGrid& g, int col, int row, const QString& id)
{
    if (col < 0 || row < 0 || col >= g.ColCount() || row >= g.RowCount() || id.isEmpty())
        return {};
    const TGridCoord base = g.BaseCell(g.RealColIndex(col), row);
    col = g.DisplColIndex(base.X);
    row = base.Y;
    const QString text = g.GetFormattedCell(base.X, row);
    if (!IsHtmlCellText(g, text))
        return {};
    TGridDrawState state;
    if (g.IsFixed(col, row))
        state.Include(gdFixed);
    const CellLook look = g.GetVisualProperties(col, row, state, false, false, true);
    html::HtmlLayoutInput in =
        CellHtmlInput(g, col, row, text, CellTextRect(g, col, row, CellContentRect(g, col, row)), look, false);
    in.HitTestOnly = true;
    in.ControlID = id;
    html::FontMetricsMeasurer measurer;
    return html::LayoutHtmlText(in, measurer, nullptr);
}

// The control or anything of it has the keyboard, its popup list included.
bool HasKeyboard(QWidget* w)
{
    for (QWidget* p = QApplication::focusWidget(); p != nullptr; p = p->parentWidget()) {
        if (p == w)
            return true;
    }
    return false;
}

} // namespace

// A child of the viewport made before its controls: it goes first, and no
// control's last focus loss reaches it.
TCellControlEditing::TCellControlEditing(TGridWidget& widget)
    : QObject(widget.viewport()), widget_(widget), grid_(widget.Grid()),
      edit_(new TControlEdit(this, widget.viewport())), combo_(new TControlCombo(this, widget.viewport()))
{
    edit_->hide();
    combo_->hide();
    edit_->installEventFilter(this);
    combo_->installEventFilter(this);
    connect(combo_, &QComboBox::activated, this, [this](int index) { RunGuarded([&] { ControlComboSelect(index); }); });
    widget.Mouse().EditCellControl = [this](int col, int row, const CellControlHit& hit) {
        EditCellControl(col, row, hit.Id);
    };
    grid_.FocusNextCellControl = [this](int col, int row, const QString& currentId) {
        return FocusNextCellControl(col, row, currentId);
    };
}

// The grid may outlive its painted side.
TCellControlEditing::~TCellControlEditing()
{
    grid_.FocusNextCellControl = nullptr;
}

QRect TCellControlEditing::ControlRect(int col, int row, const QString& id) const
{
    const html::HtmlLayout layout = ControlLayout(grid_, col, row, id);
    return layout.Hit && layout.ControlID == id ? layout.HitControlRect : QRect();
}

bool TCellControlEditing::EditCellControl(int col, int row, const QString& id)
{
    const html::HtmlLayout layout = ControlLayout(grid_, col, row, id);
    if (!layout.Hit || layout.ControlID != id)
        return false;
    const QString type = layout.ControlType.toUpper();
    const EditedControl* edited = EditedOf(type);
    if (edited == nullptr)
        return false;
    // One control at a time: the open one is finished first.
    if (editing_)
        ControlEditDone();

    const TGridCoord base = grid_.BaseCell(grid_.RealColIndex(col), row);
    const QString cellText = grid_.Cells(base.X, base.Y);
    const QString value = layout.ControlValue;
    const QRect r = layout.HitControlRect;
    const int maxLen = html::GetHtmlControlMaxLen(cellText, id);
    ctrlXY_ = QPoint(base.X, base.Y);
    ctrlId_ = id;
    ctrlType_ = type;
    editing_ = true;

    if (edited->kind == ControlKind::Edit) {
        const QSignalBlocker quiet(edit_);
        edit_->SetPassword(edited->password);
        edit_->SetEditMask(edited->mask ? html::GetHtmlControlProp(cellText, id) : QString());
        edit_->setMaxLength(maxLen > 0 ? maxLen : kNoLimit);
        edit_->setText(value);
        edit_->selectAll();
        edit_->setGeometry(r.left() + kEditLeft, r.top() + kEditTop, std::max(1, r.width() - kEditNarrower),
                           kEditHeight);
        edit_->show();
        edit_->raise();
        edit_->setFocus(Qt::MouseFocusReason);
        return true;
    }

    QStringList values;
    bool typing = true;
    int dropCount = kDropCount;
    if (OnControlComboList)
        OnControlComboList(&grid_, base.Y, grid_.DisplColIndex(base.X), id, type, value, values, typing, dropCount);
    {
        const QSignalBlocker quiet(combo_);
        combo_->SetTyping(typing);
        combo_->clear();
        combo_->addItems(values);
        // A value that is no item selects nothing.
        combo_->setCurrentIndex(combo_->findText(value));
        if (combo_->isEditable()) {
            combo_->setEditText(value);
            combo_->lineEdit()->setMaxLength(maxLen > 0 ? maxLen : kNoLimit);
        }
        combo_->setMaxVisibleItems(std::max(1, dropCount));
        combo_->setGeometry(r.left() + kComboLeft, r.top() + kComboTop, std::max(1, r.width()),
                            combo_->sizeHint().height());
    }
    combo_->show();
    combo_->raise();
    combo_->setFocus(Qt::MouseFocusReason);
    combo_->showPopup();
    return true;
}

void TCellControlEditing::ControlEditDone()
{
    if (!editing_)
        return;
    editing_ = false;
    QWidget* control = edit_;
    QString value;
    if (ctrlType_ == QLatin1String("COMBO")) {
        control = combo_;
        // A list without typing keeps the value when nothing was picked.
        if (combo_->isEditable() || combo_->currentIndex() >= 0)
            value = combo_->currentText();
        else
            html::GetHtmlControlValue(grid_.Cells(ctrlXY_.x(), ctrlXY_.y()), ctrlId_, value);
    } else {
        value = edit_->Value();
    }
    grid_.SetControlValues(ctrlXY_.x(), ctrlXY_.y(), ctrlId_, value);
    Close(control);
    if (OnControlEditDone)
        OnControlEditDone(&grid_, ctrlXY_.y(), grid_.DisplColIndex(ctrlXY_.x()), ctrlId_, ctrlType_, value);
    ctrlType_.clear();
}

void TCellControlEditing::ControlComboSelect(int index)
{
    if (OnControlComboSelect)
        OnControlComboSelect(&grid_, ctrlXY_.y(), grid_.DisplColIndex(ctrlXY_.x()), index, ctrlId_,
                             combo_->itemText(index));
}

bool TCellControlEditing::FocusNextCellControl(int col, int row, const QString& currentId)
{
    if (col < 0 || row < 0 || col >= grid_.ColCount() || row >= grid_.RowCount())
        return false;
    const TGridCoord base = grid_.BaseCell(grid_.RealColIndex(col), row);
    const QString text = grid_.Cells(base.X, base.Y);
    // Bounded by the tags there are: IDs may repeat.
    const qsizetype tags = text.count(QStringLiteral("<CONTROL"), Qt::CaseInsensitive);
    QString id = currentId;
    for (qsizetype i = 0; i < tags; ++i) {
        id = html::NextEditableHtmlControlID(text, id);
        if (id.isEmpty())
            return false;
        if (EditCellControl(col, row, id))
            return true;
    }
    return false;
}

void TCellControlEditing::Close(QWidget* control)
{
    if (control == combo_)
        combo_->hidePopup();
    if (HasKeyboard(control))
        widget_.setFocus(Qt::OtherFocusReason);
    control->hide();
}

void TCellControlEditing::CellControlExit(QWidget* control)
{
    Q_UNUSED(control);
    RunGuarded([&] { ControlEditDone(); });
}

void TCellControlEditing::CellControlCancel(QWidget* control)
{
    if (!editing_)
        return;
    editing_ = false;
    Close(control);
    ctrlType_.clear();
}

bool TCellControlEditing::AdvanceAuto() const
{
    return grid_.Navigation.AdvanceAuto();
}

void TCellControlEditing::AdvanceFromCell()
{
    RunGuarded([&] { grid_.AdvanceEdit(grid_.Col(), grid_.Row(), true, false, true, false, true); });
}

bool TCellControlEditing::FocusNextCellControl()
{
    bool opened = false;
    RunGuarded([&] { opened = FocusNextCellControl(grid_.DisplColIndex(ctrlXY_.x()), ctrlXY_.y(), ctrlId_); });
    return opened;
}

void TCellControlEditing::FocusGrid()
{
    widget_.setFocus(Qt::OtherFocusReason);
}

bool TCellControlEditing::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving for another control (not for the combo's own list or another
    // window) stores the value.
    if (event->type() == QEvent::FocusOut && (watched == edit_ || watched == combo_) && editing_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* control = static_cast<QWidget*>(watched);
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !HasKeyboard(control))
            RunGuarded([&] { ControlEditDone(); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace grid
