#include "bank_buffers.h"

#include "compile_error.h"

#include <cstring>

BankBuffer::BankBuffer(const char* name, int capacity)
    : m_name(name), m_bytes(capacity, '\0')
{
}

void BankBuffer::CheckRange(int pos, int n) const
{
    if (pos < 0 || n < 0 || static_cast<qint64>(pos) + n > m_bytes.size())
        throw CompileError(QStringLiteral("The image does not fit its buffer %1: %2 bytes at %3, capacity %4.")
                               .arg(QLatin1String(m_name))
                               .arg(n)
                               .arg(pos)
                               .arg(m_bytes.size()));
}

void BankBuffer::SetLength(int length)
{
    CheckRange(0, length);
    m_length = length;
}

int BankBuffer::Put(int pos, const void* data, int n)
{
    CheckRange(pos, n);
    if (n > 0)
        std::memcpy(m_bytes.data() + pos, data, static_cast<size_t>(n));
    return pos + n;
}

int BankBuffer::Fill(int pos, int n, uint8_t value)
{
    CheckRange(pos, n);
    if (n > 0)
        std::memset(m_bytes.data() + pos, value, static_cast<size_t>(n));
    return pos + n;
}

QByteArray BankBuffer::Head(int n) const
{
    CheckRange(0, n);
    return m_bytes.left(n);
}
