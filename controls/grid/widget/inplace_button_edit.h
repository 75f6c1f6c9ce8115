#pragma once
#include <QLineEdit>
#include <QStringList>

class QMenu;
class QToolButton;

namespace grid {

class TGridEditors;

// The editor of edit-with-button cells: a one-line edit with an ellipsis
// button at its right (F4 presses it too). With units, the unit is painted
// in a strip left of the button and picked from the button's menu; the
// value is the text followed by the unit.
class TInplaceButtonEdit : public QLineEdit
{
public:
    TInplaceButtonEdit(TGridEditors& editors, QWidget* parent);

    void SetUnits(bool hasUnits, const QStringList& units);
    void SetUnit(const QString& unit);
    QString Unit() const { return unit_; }
    // Text and unit together; a value ending in no unit is all text.
    QString Value() const;
    // The grid's edit mask ("" for none): shown as the edit's input mask.
    void SetMask(const QString& mask);
    void SetValue(const QString& value);
    void TypeText(const QString& text);

    QToolButton* Button() const { return button_; }
    // The units menu (null until the button was pressed with units).
    QMenu* UnitMenu() const { return menu_; }
    // The button's work: the ellipsis, then the units menu.
    void ClickButton();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Layout();

    TGridEditors& editors_;
    QToolButton* button_;
    QMenu* menu_ = nullptr;
    bool hasUnits_ = false;
    QString mask_;
    QStringList units_;
    QString unit_;
};

} // namespace grid
