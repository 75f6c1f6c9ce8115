#pragma once
#include "controls/grid/core/grid_types.h"

#include <QTextEdit>

namespace grid {

class TGridEditors;
class TExStringGrid;

// The in-place editor of rich-text cells: the cell's RTF is loaded through
// the RTF subset and read back as RTF; a cell left unchanged keeps its text
// exactly. Up and Down leave it for the grid's cells unless the grid wraps
// words or has multi-line cells; Tab moves on only with goTabs (else it is
// typed); Esc restores the cell. The focus moving to the grid ends the edit,
// to any other window not.
class TExRichEdit : public QTextEdit
{
public:
    TExRichEdit(TGridEditors& editors, QWidget* parent);

    // The cell's text: RTF is read, any other text taken as plain.
    void LoadCell(const QString& text);
    // RTF of the content, or the loaded text while nothing changed.
    QString CellValue() const;

    // Vertical offset of the selection: normal, subscript, superscript.
    void SelNormal();
    void SelSubscript();
    void SelSuperscript();
    bool IsSelNormal() const;
    bool IsSelSubscript() const;
    bool IsSelSuperscript() const;

    // While locked, the content's growth does not grow the row.
    void BeginUpdate() { locked_ = true; }
    void EndUpdate() { locked_ = false; }
    bool Locked() const { return locked_; }
    // Size the content needs (pixels), from the last growth.
    int ReqWidth() const { return reqWidth_; }
    int ReqHeight() const { return reqHeight_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SetOffset(QTextCharFormat::VerticalAlignment alignment);
    bool HasOffset(QTextCharFormat::VerticalAlignment alignment) const;
    // The content's size changed: the row grows while typing when asked.
    void ContentResized(const QSizeF& size);
    // Hands a key to the grid's own key handling.
    void ToGrid(int key, TShiftState shift);

    TGridEditors& editors_;
    QString loaded_;
    bool locked_ = false;
    int reqWidth_ = 0;
    int reqHeight_ = 0;
};

} // namespace grid
