#pragma once
// A pseudo-terminal pair: the test holds the master side, the code under
// test opens SlavePath() as its serial port.
#include <QByteArray>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

class PtyPair
{
public:
    PtyPair()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        const char* name = ::ptsname(m_master);
        if (name)
            m_slave = QString::fromLocal8Bit(name);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return m_master >= 0 && !m_slave.isEmpty(); }
    int Master() const { return m_master; }
    QString SlavePath() const { return m_slave; }

    void Write(const QByteArray& bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (n > 0)
                done += n;
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return;
        }
    }
    // What the slave side wrote, waiting at most timeoutMs for the first byte.
    QByteArray Read(int timeoutMs) const
    {
        pollfd p{m_master, POLLIN, 0};
        QByteArray out;
        if (::poll(&p, 1, timeoutMs) <= 0)
            return out;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(m_master, buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
        return out;
    }

private:
    int m_master = -1;
    QString m_slave;
};
