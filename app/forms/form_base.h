#pragma once
#include <QColor>
#include <QDialog>
#include <QFont>

#include <functional>

class QLabel;
class QScrollArea;

// The program's face colour and font.
QColor ProgramFaceColor();   // RGB (248, 247, 237)
QFont ProgramFont();         // Verdana, or a close sans, 11 pixels high

// Makes widget (a label or picture that acts as a link) call onClick when
// the left mouse button is released over it.
void OnLeftClick(QWidget* widget, std::function<void()> onClick);

// Base of every window of the program: fixed client size, the program's
// colour and font, and Set_Lang to apply the language table's texts.
class OrvanoForm : public QDialog
{
    Q_OBJECT
public:
    explicit OrvanoForm(QWidget* parent = nullptr);

    // Applies the window's texts from LangTable (windows without texts keep it empty).
    virtual void Set_Lang() {}

    // Fixes the client area to w x h pixels. A window taller than the
    // screen's free height shows its client area in a scroll area (once
    // there, the contents stay in it), so nothing is out of reach.
    void SetClientSize(int w, int h);
    // The client area as designed (what SetClientSize was given).
    QSize ClientSize() const { return m_clientSize; }
    // The scroll area holding the client area of a tall window (nullptr when none).
    QScrollArea* ScrollArea() const { return m_scroll; }

    // Shows the window modally and returns its modal result.
    int ShowModal() { return exec(); }

    // A label named name at (x, y) sized to its text.
    QLabel* AddLabel(const char* name, int x, int y, const QString& text = QString());

private:
    void MoveContentsIntoScrollArea();

    QSize m_clientSize;
    QScrollArea* m_scroll = nullptr;
};
