#pragma once
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

// The editors placed over an edit or combo control inside a cell's mini-HTML
// text. Enter hands the value back and returns to the grid; Tab hands it back
// and moves on: to the next cell with the grid's automatic advance, else to
// the cell's next control, else to the grid.
namespace grid {

// What the editors need of the grid that placed them.
class CellControlHost
{
public:
    virtual ~CellControlHost() = default;
    // The control's exit handling: its value goes back to the cell's text.
    virtual void CellControlExit(QWidget* control) = 0;
    // Navigation.AdvanceAuto.
    virtual bool AdvanceAuto() const = 0;
    // Advance from the current cell as after an edit (forced, forward, editor shown).
    virtual void AdvanceFromCell() = 0;
    // Focus the cell's next editable control after the current one; false when none.
    virtual bool FocusNextCellControl() = 0;
    virtual void FocusGrid() = 0;
};

// Edit, password and mask controls.
class TControlEdit : public QLineEdit
{
    Q_OBJECT

public:
    TControlEdit(CellControlHost* host, QWidget* parent);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    CellControlHost* host_;
};

// Combo controls.
class TControlCombo : public QComboBox
{
    Q_OBJECT

public:
    // Editable: its text is the control's value.
    TControlCombo(CellControlHost* host, QWidget* parent);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    CellControlHost* host_;
};

// Enter and Tab as the two editors take them; true when the key was theirs.
bool CellControlKey(CellControlHost* host, QWidget* control, int key);

}  // namespace grid
