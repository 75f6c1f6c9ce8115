#pragma once
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

// The editors placed over an edit or combo control inside a cell's mini-HTML
// text. Enter hands the value back and returns to the grid; Tab hands it back
// and moves on: to the next cell with the grid's automatic advance, else to
// the cell's next control, else to the grid; Esc closes without handing
// anything back.
namespace grid {

// What the editors need of the grid that placed them.
class CellControlHost
{
public:
    virtual ~CellControlHost() = default;
    // The control's exit handling: its value goes back to the cell's text.
    virtual void CellControlExit(QWidget* control) = 0;
    // Esc: the control closes, the cell keeps its value.
    virtual void CellControlCancel(QWidget* control) { Q_UNUSED(control); }
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

    // Typed characters show as "*".
    void SetPassword(bool on);
    // The edit mask in the grid's syntax ("" for none).
    void SetEditMask(const QString& mask);
    QString EditMask() const { return mask_; }
    // The value to store: the text, through the edit mask when there is one.
    QString Value() const;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    CellControlHost* host_;
    QString mask_;
};

// Combo controls.
class TControlCombo : public QComboBox
{
    Q_OBJECT

public:
    // Editable: its text is the control's value.
    TControlCombo(CellControlHost* host, QWidget* parent);
    // Typing allowed (else picking from the list only).
    void SetTyping(bool on);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    CellControlHost* host_;
};

// The closing keys (Enter, Tab, Esc) as the two editors take them, from one
// table; true when the key was theirs.
bool CellControlKey(CellControlHost* host, QWidget* control, int key);

}  // namespace grid
