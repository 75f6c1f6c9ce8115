#pragma once
#include "messages.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// Installs itself as the message handler for its lifetime: records every box
// and answers questions from a queue (Yes when the queue is empty, unless
// SetDefaultAnswer says otherwise).
class MessageRecorder : public MessageHandler
{
public:
    MessageRecorder() { m_previous = Messages::SetHandler(this); }
    ~MessageRecorder() override { Messages::SetHandler(m_previous); }

    void Show(MsgKind kind, const QString& text) override { m_boxes.append({kind, text}); }
    bool Ask(MsgKind kind, const QString& text) override
    {
        m_boxes.append({kind, text});
        ++m_questions;
        return m_answers.isEmpty() ? m_defaultAnswer : m_answers.takeFirst();
    }
    // Three-answer questions take their own queue; when it is empty, the
    // default answer gives Yes or No.
    MsgAnswer AskYesNoCancel(MsgKind kind, const QString& text) override
    {
        m_boxes.append({kind, text});
        ++m_questions;
        if (!m_answers3.isEmpty())
            return m_answers3.takeFirst();
        return m_defaultAnswer ? MsgAnswer::Yes : MsgAnswer::No;
    }

    void QueueAnswer(bool yes) { m_answers.append(yes); }
    void QueueAnswer(MsgAnswer answer) { m_answers3.append(answer); }
    void SetDefaultAnswer(bool yes) { m_defaultAnswer = yes; }

    QStringList Texts() const
    {
        QStringList t;
        for (const auto& b : m_boxes)
            t.append(b.second);
        return t;
    }
    const QList<std::pair<MsgKind, QString>>& Boxes() const { return m_boxes; }
    int Questions() const { return m_questions; }
    bool Empty() const { return m_boxes.isEmpty(); }
    void Clear() { m_boxes.clear(); m_questions = 0; }

private:
    MessageHandler* m_previous = nullptr;
    QList<std::pair<MsgKind, QString>> m_boxes;
    QList<bool> m_answers;
    QList<MsgAnswer> m_answers3;
    bool m_defaultAnswer = true;
    int m_questions = 0;
};
