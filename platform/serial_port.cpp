#include "platform/serial_port.h"

// termios2 (any bit rate) instead of <termios.h>; the two cannot meet in one file.
#include <asm/termbits.h>
#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

namespace {

struct SpeedRow
{
    int baud;
    unsigned code;
};
constexpr SpeedRow kSpeeds[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

int Remaining(std::chrono::steady_clock::time_point end)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::Fail()
{
    m_error = errno;
    return false;
}

SerialPort::OpenResult SerialPort::Open(const QString& path)
{
    Close();
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        return OpenResult::Failed;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) {
        ::close(fd);
        m_error = -1;
        return OpenResult::NotACharacterDevice;
    }
    // Not shared: a second open of the device fails with EBUSY.
    if (::ioctl(fd, TIOCEXCL) != 0) {
        m_error = errno;
        ::close(fd);
        return OpenResult::Failed;
    }
    m_fd = fd;
    m_error = 0;
    return OpenResult::Opened;
}

void SerialPort::Close()
{
    if (m_fd >= 0) {
        ::ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
    }
    m_fd = -1;
}

bool SerialPort::Read(SerialLine& line)
{
    struct termios2 t{};
    if (::ioctl(m_fd, TCGETS2, &t) != 0)
        return Fail();
    line.baud = static_cast<int>(t.c_ospeed);
    if ((t.c_cflag & CBAUD) != BOTHER)
        for (const SpeedRow& s : kSpeeds)
            if ((t.c_cflag & CBAUD) == s.code)
                line.baud = s.baud;
    switch (t.c_cflag & CSIZE) {
    case CS5: line.dataBits = 5; break;
    case CS6: line.dataBits = 6; break;
    case CS7: line.dataBits = 7; break;
    default: line.dataBits = 8; break;
    }
    if (!(t.c_cflag & PARENB))
        line.parity = SerialParity::None;
    else if (t.c_cflag & CMSPAR)
        line.parity = (t.c_cflag & PARODD) ? SerialParity::Mark : SerialParity::Space;
    else
        line.parity = (t.c_cflag & PARODD) ? SerialParity::Odd : SerialParity::Even;
    line.stopBits = (t.c_cflag & CSTOPB) ? SerialStopBits::Two : SerialStopBits::One;
    line.parityCheck = t.c_iflag & INPCK;
    line.ctsRtsFlow = t.c_cflag & CRTSCTS;
    line.xonXoffOut = t.c_iflag & IXON;
    line.xonXoffIn = t.c_iflag & IXOFF;
    line.xonChar = t.c_cc[VSTART];
    line.xoffChar = t.c_cc[VSTOP];
    return true;
}

bool SerialPort::Apply(const SerialLine& line)
{
    if (line.dataBits < 5 || line.dataBits > 8 || line.stopBits == SerialStopBits::OneAndHalf || line.baud <= 0) {
        m_error = EINVAL;
        return false;
    }
    struct termios2 t{};
    if (::ioctl(m_fd, TCGETS2, &t) != 0)
        return Fail();
    // Raw bytes both ways.
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD);
    t.c_cflag |= CREAD | CLOCAL;
    constexpr unsigned kSizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= kSizes[line.dataBits - 5];
    switch (line.parity) {
    case SerialParity::None: break;
    case SerialParity::Odd: t.c_cflag |= PARENB | PARODD; break;
    case SerialParity::Even: t.c_cflag |= PARENB; break;
    case SerialParity::Mark: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case SerialParity::Space: t.c_cflag |= PARENB | CMSPAR; break;
    }
    if (line.stopBits == SerialStopBits::Two)
        t.c_cflag |= CSTOPB;
    if (line.parityCheck)
        t.c_iflag |= INPCK;
    if (line.ctsRtsFlow)
        t.c_cflag |= CRTSCTS;
    if (line.xonXoffOut)
        t.c_iflag |= IXON;
    if (line.xonXoffIn)
        t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = line.xonChar;
    t.c_cc[VSTOP] = line.xoffChar;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    unsigned code = BOTHER;
    for (const SpeedRow& s : kSpeeds)
        if (s.baud == line.baud)
            code = s.code;
    t.c_cflag |= code;
    t.c_ispeed = t.c_ospeed = static_cast<speed_t>(line.baud);
    if (::ioctl(m_fd, TCSETS2, &t) != 0)
        return Fail();
    return true;
}

int SerialPort::InQueue()
{
    const int n = SerialWatch(m_fd).InQueue();
    if (n < 0)
        Fail();
    return n;
}

int SerialPort::OutQueue()
{
    const int n = SerialWatch(m_fd).OutQueue();
    if (n < 0)
        Fail();
    return n;
}

int SerialPort::ReadSome(void* buffer, int count, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, static_cast<size_t>(count));
        if (n > 0)
            return static_cast<int>(n);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return Fail(), -1;
        const int left = Remaining(end);
        if (left <= 0 || count <= 0)
            return 0;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, left) < 0 && errno != EINTR)
            return Fail(), -1;
        if (p.revents & (POLLERR | POLLNVAL)) {
            m_error = EIO;
            return -1;
        }
    }
}

int SerialPort::WriteAll(const void* buffer, int count, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const char* p = static_cast<const char*>(buffer);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, p + done, static_cast<size_t>(count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return Fail(), -1;
        const int left = Remaining(end);
        if (left <= 0)
            return done;
        pollfd w{m_fd, POLLOUT, 0};
        if (::poll(&w, 1, left) < 0 && errno != EINTR)
            return Fail(), -1;
        if (w.revents & (POLLERR | POLLNVAL)) {
            m_error = EIO;
            return -1;
        }
    }
    return done;
}

bool SerialPort::PurgeInput()
{
    return ::ioctl(m_fd, TCFLSH, TCIFLUSH) == 0 || Fail();
}

bool SerialPort::PurgeOutput()
{
    return ::ioctl(m_fd, TCFLSH, TCOFLUSH) == 0 || Fail();
}

bool SerialPort::SetDtr(bool on)
{
    const int bit = TIOCM_DTR;
    return ::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bit) == 0 || Fail();
}

bool SerialPort::SetRts(bool on)
{
    const int bit = TIOCM_RTS;
    return ::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bit) == 0 || Fail();
}

bool SerialPort::SetBreak(bool on)
{
    return ::ioctl(m_fd, on ? TIOCSBRK : TIOCCBRK) == 0 || Fail();
}

bool SerialPort::SendXon(bool on)
{
    return ::ioctl(m_fd, TCXONC, on ? TCION : TCIOFF) == 0 || Fail();
}

bool SerialPort::ModemLines(SerialModemLines& lines)
{
    int bits = 0;
    if (::ioctl(m_fd, TIOCMGET, &bits) != 0)
        return Fail();
    lines.cts = bits & TIOCM_CTS;
    lines.dsr = bits & TIOCM_DSR;
    lines.ring = bits & TIOCM_RNG;
    lines.rlsd = bits & TIOCM_CAR;
    return true;
}

bool SerialPort::Counters(SerialCounters& c)
{
    return SerialWatch(m_fd).Counters(c) || Fail();
}

int SerialWatch::InQueue() const
{
    int n = 0;
    return ::ioctl(m_fd, TIOCINQ, &n) == 0 ? n : -1;
}

int SerialWatch::OutQueue() const
{
    int n = 0;
    return ::ioctl(m_fd, TIOCOUTQ, &n) == 0 ? n : -1;
}

int SerialWatch::ReadAvailable(char* buffer, int max) const
{
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, static_cast<size_t>(max));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno == EINTR)
            continue;
        return errno == EAGAIN ? 0 : -1;
    }
}

bool SerialWatch::Counters(SerialCounters& c) const
{
    serial_icounter_struct ic{};
    if (::ioctl(m_fd, TIOCGICOUNT, &ic) != 0)
        return false;
    c.cts = ic.cts;
    c.dsr = ic.dsr;
    c.ring = ic.rng;
    c.rlsd = ic.dcd;
    c.breaks = ic.brk;
    c.frame = ic.frame;
    c.overrun = ic.overrun;
    c.parity = ic.parity;
    c.bufferOverrun = ic.buf_overrun;
    return true;
}

bool SerialWatch::Wait(int timeoutMs, bool watchInput, int wakeFd) const
{
    pollfd fds[2] = {{wakeFd, POLLIN, 0}, {m_fd, static_cast<short>(watchInput ? POLLIN : 0), 0}};
    if (::poll(fds, 2, timeoutMs) <= 0)
        return false;
    return fds[0].revents != 0;
}
