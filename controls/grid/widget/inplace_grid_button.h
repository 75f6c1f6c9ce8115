#pragma once
#include <QPushButton>

namespace grid {

class TGridEditors;

// The push button over an edButton cell, captioned with the cell's text. A
// release of the left button or Space passes the caption through the
// grid's ellipsis event into the cell; the arrows move on in the grid and
// Esc restores the cell's text (the closing-key table).
class TGridButton : public QPushButton
{
public:
    TGridButton(TGridEditors& editors, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TGridEditors& editors_;
};

} // namespace grid
