#pragma once
#include <QLineEdit>

// The window's one-line edit: MaxLength limits only what the user types or
// pastes (text set by code is kept whole, so a longer stored value stays
// visible and validation can report it), and LowerCase turns typed letters
// into lower case.
class ParEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit ParEdit(QWidget* parent = nullptr);

    void SetMaxLength(int n);
    int MaxLength() const { return m_maxLength; }
    void SetLowerCase(bool on);
    bool LowerCase() const { return m_lowerCase; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Inserts typed or pasted text within the limit; false when nothing fits.
    bool InsertLimited(QString text);
    // The context menu's paste would pass the limit: edits with a limit or
    // lower case offer none.
    void UpdateContextMenu();

    int m_maxLength = 0;
    bool m_lowerCase = false;
};
