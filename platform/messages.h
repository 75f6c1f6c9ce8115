#pragma once
#include <QString>

// Every message box and Yes/No question of the program goes through here, so
// tests can read the exact texts and answer without a window.
enum class MsgKind { Error, Warning, Information, Confirmation };
// The answer to a question with Yes, No and Cancel.
enum class MsgAnswer { Yes, No, Cancel };

class MessageHandler
{
public:
    virtual ~MessageHandler() = default;
    // A box with one OK button.
    virtual void Show(MsgKind kind, const QString& text) = 0;
    // A box with Yes and No; true for Yes.
    virtual bool Ask(MsgKind kind, const QString& text) = 0;
    // A box with Yes, No and Cancel (closing it is Cancel). Handlers that
    // know only two answers give Yes or No.
    virtual MsgAnswer AskYesNoCancel(MsgKind kind, const QString& text)
    {
        return Ask(kind, text) ? MsgAnswer::Yes : MsgAnswer::No;
    }
};

namespace Messages {
// Installs a handler (nullptr restores the modal message boxes); returns the
// previous one.
MessageHandler* SetHandler(MessageHandler* handler);

void Error(const QString& text);
void Warning(const QString& text);
void Information(const QString& text);
// A question with Yes and No, shown as a confirmation unless kind says else.
bool Ask(const QString& text, MsgKind kind = MsgKind::Confirmation);
// A question with Yes, No and Cancel.
MsgAnswer AskYesNoCancel(const QString& text, MsgKind kind = MsgKind::Confirmation);
} // namespace Messages
