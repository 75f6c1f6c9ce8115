#pragma once
#include "controls/grid/cell_controls/cell_control_editors.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <functional>

namespace grid {

class TGridWidget;
class TExStringGrid;

// The edit, password, mask and combo controls inside a cell's mini-HTML
// text, edited in a real control placed over the control's rectangle as
// the cell's layout gives it. The value goes back into the control's VALUE
// in the cell text when the control loses the focus (or on Enter and Tab);
// Esc closes it leaving the cell as it was. Made with the painted grid; a
// click on such a control opens it (the mouse's EditCellControl), so do
// the grid's keys (its FocusNextCellControl).
class TCellControlEditing : public QObject, public CellControlHost
{
    Q_OBJECT
public:
    explicit TCellControlEditing(TGridWidget& widget);
    ~TCellControlEditing() override;

    // Row, display column, the control's ID, TYPE, VALUE; the items of the
    // list, whether typing is allowed (true) and the lines the list shows (8).
    std::function<void(TExStringGrid*, int row, int col, const QString& id, const QString& type,
                       const QString& value, QStringList& values, bool& edit, int& dropCount)>
        OnControlComboList;
    // Row, display column, the item index, the ID, the item's text.
    std::function<void(TExStringGrid*, int row, int col, int index, const QString& id, const QString& value)>
        OnControlComboSelect;
    // Row, display column, the ID, TYPE and the value stored.
    std::function<void(TExStringGrid*, int row, int col, const QString& id, const QString& type,
                       const QString& value)>
        OnControlEditDone;

    TControlEdit* EditControl() const { return edit_; }
    TControlCombo* ComboControl() const { return combo_; }
    // A control is open; its cell (real column, row), ID and TYPE.
    bool CtrlEditing() const { return editing_; }
    QPoint CtrlXY() const { return ctrlXY_; }
    QString CtrlID() const { return ctrlId_; }
    QString CtrlType() const { return ctrlType_; }

    // Where the control of that ID lies in the cell (display column, row),
    // in viewport pixels; empty when the cell has no such control.
    QRect ControlRect(int col, int row, const QString& id) const;
    // Opens the editor of the cell's control of that ID; false for a type
    // that is edited by clicks (or none).
    bool EditCellControl(int col, int row, const QString& id);
    // The exit of both controls: the value goes into the cell text once.
    void ControlEditDone();
    // An item picked in the combo.
    void ControlComboSelect(int index);
    // Opens the cell's first edited control after currentId (the first one
    // for ""), passing over any that cannot open (no WIDTH); false when
    // there is none.
    bool FocusNextCellControl(int col, int row, const QString& currentId);

    // CellControlHost
    void CellControlExit(QWidget* control) override;
    void CellControlCancel(QWidget* control) override;
    bool AdvanceAuto() const override;
    void AdvanceFromCell() override;
    bool FocusNextCellControl() override;
    void FocusGrid() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hides the open control, the grid taking the keyboard when it had it.
    void Close(QWidget* control);

    TGridWidget& widget_;
    TExStringGrid& grid_;
    TControlEdit* edit_;
    TControlCombo* combo_;
    bool editing_ = false;
    QPoint ctrlXY_{-1, -1};
    QString ctrlId_;
    QString ctrlType_;
};

} // namespace grid
