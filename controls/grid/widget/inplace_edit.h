#pragma once
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>

#include <memory>

namespace grid {

class TGridEditors;

// The line edit's look with the grid's character in place of the platform's
// password bullet.
class PasswordCharStyle : public QProxyStyle
{
public:
    QChar passwordChar;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// The text editor of single-line cells. Typing passes the cell's character
// rules and the length limit (the grid's GetEditLimit, not maxLength, so an
// over-long paste is refused whole); Ctrl+V, Shift+Insert, the context menu
// and the middle button paste through one routine.
class TInplaceEdit : public QLineEdit
{
public:
    TInplaceEdit(TGridEditors& editors, QWidget* parent);
    ~TInplaceEdit() override;

    // Types text as keys would (the start character of an edit).
    void TypeText(const QString& text);
    // Pastes through the paste rules; false when refused.
    bool PasteText(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A password cell shows the grid's PasswordChar (taken each time the
    // editor is shown).
    void TakePasswordChar();

    TGridEditors& editors_;
    std::unique_ptr<PasswordCharStyle> style_;
    // The caret at the text's start / end when the last key went down.
    bool atStart_ = false;
    bool atEnd_ = false;
};

// The text editor of multi-line cells; the same rules as TInplaceEdit. Up
// and Down leave the cell only from the first and the last line.
class TInplaceMemo : public QPlainTextEdit
{
public:
    TInplaceMemo(TGridEditors& editors, QWidget* parent);

    void TypeText(const QString& text);
    bool PasteText(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    TGridEditors& editors_;
    bool memoAtStart_ = false;
    bool memoAtEnd_ = false;
};

// Keys an editor keeps from the window's shortcuts and default buttons.
bool EditorOwnsKey(const QKeyEvent& event);

} // namespace grid
