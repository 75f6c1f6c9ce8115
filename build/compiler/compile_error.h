#pragma once
#include <QString>

// A reader or serialiser error that ends the build. The message names the
// file and, where it applies, the section, row and attribute.
class CompileError
{
public:
    explicit CompileError(QString message) : m_message(std::move(message)) {}
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};
