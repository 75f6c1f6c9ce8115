#include "messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class BoxHandler : public MessageHandler
{
public:
    void Show(MsgKind kind, const QString& text) override
    {
        QMessageBox box(Icon(kind), Title(kind), text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }
    bool Ask(MsgKind kind, const QString& text) override
    {
        QMessageBox box(Icon(kind), Title(kind), text, QMessageBox::Yes | QMessageBox::No,
                        QApplication::activeWindow());
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }
    MsgAnswer AskYesNoCancel(MsgKind kind, const QString& text) override
    {
        QMessageBox box(Icon(kind), Title(kind), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        QApplication::activeWindow());
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: return MsgAnswer::Cancel;
        }
    }

private:
    static QMessageBox::Icon Icon(MsgKind kind)
    {
        switch (kind) {
        case MsgKind::Error: return QMessageBox::Critical;
        case MsgKind::Warning: return QMessageBox::Warning;
        case MsgKind::Information: return QMessageBox::Information;
        case MsgKind::Confirmation: return QMessageBox::Question;
        }
        return QMessageBox::NoIcon;
    }
    static QString Title(MsgKind kind)
    {
        switch (kind) {
        case MsgKind::Error: return QStringLiteral("Error");
        case MsgKind::Warning: return QStringLiteral("Warning");
        case MsgKind::Information: return QStringLiteral("Information");
        case MsgKind::Confirmation: return QStringLiteral("Confirm");
        }
        return QString();
    }
};

BoxHandler g_boxes;
MessageHandler* g_handler = nullptr;

MessageHandler& Current() { return g_handler ? *g_handler : g_boxes; }

} // namespace

namespace Messages {

MessageHandler* SetHandler(MessageHandler* handler)
{
    MessageHandler* previous = g_handler;
    g_handler = handler;
    return previous;
}

void Error(const QString& text) { Current().Show(MsgKind::Error, text); }
void Warning(const QString& text) { Current().Show(MsgKind::Warning, text); }
void Information(const QString& text) { Current().Show(MsgKind::Information, text); }
bool Ask(const QString& text, MsgKind kind) { return Current().Ask(kind, text); }
MsgAnswer AskYesNoCancel(const QString& text, MsgKind kind) { return Current().AskYesNoCancel(kind, text); }

} // namespace Messages
