#include "par_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

ParEdit::ParEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void ParEdit::SetMaxLength(int n)
{
    m_maxLength = n;
    UpdateContextMenu();
}

void ParEdit::SetLowerCase(bool on)
{
    m_lowerCase = on;
    UpdateContextMenu();
}

void ParEdit::UpdateContextMenu()
{
    setContextMenuPolicy(m_maxLength > 0 || m_lowerCase ? Qt::NoContextMenu : Qt::DefaultContextMenu);
}

bool ParEdit::InsertLimited(QString text)
{
    text.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    if (m_lowerCase)
        text = text.toLower();
    if (m_maxLength > 0) {
        const int room = m_maxLength - (this->text().size() - selectedText().size());
        if (room <= 0)
            return false;
        text.truncate(room);
    }
    if (text.isEmpty())
        return false;
    insert(text);
    return true;
}

void ParEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly() || !isEnabled()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::Paste) {
        if (const QClipboard* clipboard = QGuiApplication::clipboard())
            InsertLimited(clipboard->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint()
                           && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (printable && (m_maxLength > 0 || m_lowerCase)) {
        InsertLimited(typed);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
