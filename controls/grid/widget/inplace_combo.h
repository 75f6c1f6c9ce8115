#pragma once
#include <QComboBox>

namespace grid {

class TGridEditors;

// The combo editor of list and edit cells. Opening its own list ends no
// edit; showPopup and hidePopup are the drop-down and close-up steps.
class TGridCombo : public QComboBox
{
public:
    TGridCombo(TGridEditors& editors, QWidget* parent);

    void showPopup() override;
    void hidePopup() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TGridEditors& editors_;
};

} // namespace grid
