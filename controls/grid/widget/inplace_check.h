#pragma once
#include <QCheckBox>

namespace grid {

class TGridEditors;

// The check box editor of edCheckBox cells: Space toggles, Enter, Esc and
// the moving keys leave the cell.
class TGridCheckBox : public QCheckBox
{
public:
    TGridCheckBox(TGridEditors& editors, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TGridEditors& editors_;
};

} // namespace grid
