#include "controls/grid/widget/inplace_edit.h"

#include "controls/grid/widget/grid_widget_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>

namespace grid {

bool EditorOwnsKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        break;
    }
    return event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Copy) ||
           event.matches(QKeySequence::Cut) || event.matches(QKeySequence::SelectAll) ||
           event.matches(QKeySequence::Undo);
}

namespace {

// A key that types: printable text without Ctrl (Ctrl+Alt types what the
// layout gives).
bool Types(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const Qt::KeyboardModifiers m = event.modifiers();
    const bool ctrl = m.testFlag(Qt::ControlModifier);
    const bool alt = m.testFlag(Qt::AltModifier);
    return ctrl == alt;
}

QString ClipboardText(QClipboard::Mode mode)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(mode) : QString();
}

} // namespace

// ---- Single line ----

int PasswordCharStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const
{
    if (hint == SH_LineEdit_PasswordCharacter && !passwordChar.isNull())
        return passwordChar.unicode();
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

TInplaceEdit::TInplaceEdit(TGridEditors& editors, QWidget* parent)
    : QLineEdit(parent), editors_(editors), style_(std::make_unique<PasswordCharStyle>())
{
    setFrame(false);
    setAcceptDrops(false);
    setStyle(style_.get());
    hide();
}

TInplaceEdit::~TInplaceEdit()
{
    // Back to the application's style before ours goes.
    setStyle(nullptr);
}

void TInplaceEdit::TakePasswordChar()
{
    const QChar ch = editors_.Grid().PasswordChar;
    if (ch == style_->passwordChar)
        return;
    style_->passwordChar = ch;
    // The line edit reads the character from its style on a style change.
    QEvent change(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &change);
}

void TInplaceEdit::TypeText(const QString& text)
{
    for (const QChar ch : text) {
        if (ch == QChar(8)) {
            backspace();
            continue;
        }
        QString typed(ch);
        const int selected = static_cast<int>(selectedText().size());
        const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
        if (editors_.AcceptTyped(this->text(), selected, caret, typed)) {
            insert(typed);
            const QString whole = editors_.AfterTyping(this->text());
            if (whole != this->text()) {
                setText(whole);
                setCursorPosition(caret + 1);
            }
            editors_.TextLookup();
            if (editors_.TypedIn(this->text(), cursorPosition(), hasSelectedText()))
                break;
        }
    }
}

bool TInplaceEdit::PasteText(const QString& text)
{
    QString current = this->text();
    int start = hasSelectedText() ? selectionStart() : cursorPosition();
    int length = static_cast<int>(selectedText().size());
    if (!editors_.PasteInto(current, start, length, text))
        return false;
    setText(current);
    if (length > 0)
        setSelection(start, length);
    else
        setCursorPosition(start);
    return true;
}

bool TInplaceEdit::event(QEvent* event)
{
    if (event->type() == QEvent::Show)
        TakePasswordChar();
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (!event->isAutoRepeat()) {
        atStart_ = !hasSelectedText() && cursorPosition() == 0;
        atEnd_ = !hasSelectedText() && cursorPosition() == text().size();
    }
    RunGuarded([&] {
        if (editors_.TextKey(event, true, true))
            return;
        if (event->matches(QKeySequence::Paste)) {
            PasteText(ClipboardText(QClipboard::Clipboard));
            return;
        }
        if (Types(*event)) {
            TypeText(editors_.TypedText(*event));
            return;
        }
        QLineEdit::keyPressEvent(event);
        // What the line edit leaves (Enter and Esc never get here) stays
        // with the editor.
        event->accept();
    });
}

void TInplaceEdit::keyReleaseEvent(QKeyEvent* event)
{
    const bool atStart = atStart_ && !hasSelectedText() && cursorPosition() == 0;
    const bool atEnd = atEnd_ && !hasSelectedText() && cursorPosition() == text().size();
    bool closed = false;
    RunGuarded([&] { closed = editors_.TextKeyUp(event, atStart, atEnd); });
    if (closed)
        event->accept();
    else
        QLineEdit::keyReleaseEvent(event);
}

void TInplaceEdit::focusInEvent(QFocusEvent* event)
{
    // Alt+Backspace released elsewhere: a later focus loss ends the edit.
    editors_.Editing().SetAltBack(false);
    QLineEdit::focusInEvent(event);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

bool TInplaceEdit::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

void TInplaceEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button's paste of the selection goes through the rules.
    if (event->button() == Qt::MiddleButton) {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (clipboard && clipboard->supportsSelection())
            RunGuarded([&] { PasteText(clipboard->text(QClipboard::Selection)); });
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TInplaceEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            action->disconnect();
            connect(action, &QAction::triggered, this,
                    [this] { RunGuarded([this] { PasteText(ClipboardText(QClipboard::Clipboard)); }); });
        }
    }
    menu->popup(event->globalPos());
    event->accept();
}

// ---- Multi-line ----

TInplaceMemo::TInplaceMemo(TGridEditors& editors, QWidget* parent) : QPlainTextEdit(parent), editors_(editors)
{
    setFrameShape(QFrame::NoFrame);
    setAcceptDrops(false);
    setTabChangesFocus(true);
    hide();
}

void TInplaceMemo::TypeText(const QString& text)
{
    for (const QChar ch : text) {
        QTextCursor cursor = textCursor();
        if (ch == QChar(8)) {
            if (cursor.hasSelection())
                cursor.removeSelectedText();
            else
                cursor.deletePreviousChar();
            setTextCursor(cursor);
            continue;
        }
        QString typed(ch);
        const int selected = static_cast<int>(cursor.selectedText().size());
        const int caret = cursor.selectionStart();
        if (editors_.AcceptTyped(toPlainText(), selected, caret, typed)) {
            cursor.insertText(typed);
            setTextCursor(cursor);
            const QString whole = editors_.AfterTyping(toPlainText());
            if (whole != toPlainText()) {
                setPlainText(whole);
                QTextCursor c = textCursor();
                c.setPosition(caret + 1);
                setTextCursor(c);
            }
        }
    }
}

bool TInplaceMemo::PasteText(const QString& text)
{
    QString current = toPlainText();
    QTextCursor cursor = textCursor();
    int start = cursor.selectionStart();
    int length = cursor.selectionEnd() - start;
    if (!editors_.PasteInto(current, start, length, text))
        return false;
    setPlainText(current);
    cursor = textCursor();
    cursor.setPosition(start);
    if (length > 0)
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    return true;
}

bool TInplaceMemo::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void TInplaceMemo::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (!event->isAutoRepeat()) {
        const QTextCursor c = textCursor();
        memoAtStart_ = !c.hasSelection() && c.position() == 0;
        memoAtEnd_ = !c.hasSelection() && c.atEnd();
    }
    RunGuarded([&] {
        const QTextCursor cursor = textCursor();
        const bool first = cursor.blockNumber() == 0;
        const bool last = cursor.blockNumber() == document()->blockCount() - 1;
        if (editors_.TextKey(event, first, last))
            return;
        if (Types(*event)) {
            TypeText(editors_.TypedText(*event));
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
        event->accept();
    });
}

void TInplaceMemo::keyReleaseEvent(QKeyEvent* event)
{
    bool closed = false;
    // Lines move the caret; only the end of the text walks on.
    const QTextCursor c = textCursor();
    const bool atStart = !c.hasSelection() && c.position() == 0;
    const bool atEnd = !c.hasSelection() && c.atEnd();
    RunGuarded([&] { closed = editors_.TextKeyUp(event, atStart && memoAtStart_, atEnd && memoAtEnd_); });
    if (closed)
        event->accept();
    else
        QPlainTextEdit::keyReleaseEvent(event);
}

void TInplaceMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

bool TInplaceMemo::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

bool TInplaceMemo::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void TInplaceMemo::insertFromMimeData(const QMimeData* source)
{
    // Ctrl+V, the context menu and the middle button all arrive here.
    if (source->hasText())
        RunGuarded([&] { PasteText(source->text()); });
}

} // namespace grid
