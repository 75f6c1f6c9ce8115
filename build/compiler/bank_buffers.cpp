#include "bank_buffers.h"

#include "compile_error.h"

#include <cstring>

BankBuffer::BankBuffer(const char* name, int capacity)
    : m_name(name), m_capacity(capacity)
{
}

QByteArray& BankBuffer::Bytes() const
{
    if (m_bytes.isEmpty() && m_capacity > 0)
        m_bytes = QByteArray(m_capacity, '\0');
    return m_bytes;
}

void BankBuffer::CheckRange(int pos, int n) const
{
    if (pos < 0 || n < 0 || static_cast<qint64>(pos) + n > m_capacity)
        throw CompileError(QStringLiteral("The image does not fit its buffer %1: %2 bytes at %3, capacity %4.")
                               .arg(QLatin1String(m_name))
                               .arg(n)
                               .arg(pos)
                               .arg(m_capacity));
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
        std::memcpy(Bytes().data() + pos, data, static_cast<size_t>(n));
    return pos + n;
}

int BankBuffer::Fill(int pos, int n, uint8_t value)
{
    CheckRange(pos, n);
    if (n > 0)
        std::memset(Bytes().data() + pos, value, static_cast<size_t>(n));
    return pos + n;
}

QByteArray BankBuffer::Head(int n) const
{
    CheckRange(0, n);
    if (m_bytes.isEmpty())
        return QByteArray(n, '\0');
    return m_bytes.left(n);
}
