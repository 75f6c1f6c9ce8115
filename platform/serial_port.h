#pragma once
// A serial port on termios and poll: opened for this process alone, line
// settings in raw mode, reads and writes with bounded waits, queue counts,
// purges, modem lines and line-event counters. Every failing call returns
// false (or -1) and leaves the system's error code in Error().
#include <QString>
#include <cstdint>

enum class SerialParity { None, Odd, Even, Mark, Space };
enum class SerialStopBits { One, OneAndHalf, Two };

// The line settings this layer can express.
struct SerialLine
{
    int baud = 9600;             // any rate; non-standard ones through the kernel's custom rate
    int dataBits = 8;            // 5..8
    SerialParity parity = SerialParity::None;
    SerialStopBits stopBits = SerialStopBits::One;   // OneAndHalf cannot be set
    bool parityCheck = false;    // check the parity of received bytes
    bool ctsRtsFlow = false;     // hardware handshake on CTS and RTS
    bool xonXoffOut = false;     // stop sending on XOFF
    bool xonXoffIn = false;      // send XOFF when the input fills up
    uint8_t xonChar = 17;
    uint8_t xoffChar = 19;
};

// Modem-line states (TIOCMGET).
struct SerialModemLines
{
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;   // carrier detect
};

// Counts of line events since open (where the driver keeps them).
struct SerialCounters
{
    int cts = 0, dsr = 0, ring = 0, rlsd = 0;
    int breaks = 0, frame = 0, overrun = 0, parity = 0, bufferOverrun = 0;
};

class SerialPort
{
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens an existing character device for reading and writing, not as the
    // controlling terminal, exclusively. NotACharacterDevice when the path is
    // something else (the file is closed again).
    enum class OpenResult { Opened, Failed, NotACharacterDevice };
    OpenResult Open(const QString& path);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    int Handle() const { return m_fd; }
    int Error() const { return m_error; }

    // The settings as the port holds them; Apply sets them in raw mode (no
    // echo, no line editing, no translation). Apply fails with EINVAL for
    // what cannot be expressed (fewer than 5 data bits, 1.5 stop bits).
    bool Read(SerialLine& line);
    bool Apply(const SerialLine& line);

    // Bytes waiting to be read or to be sent; -1 on failure.
    int InQueue();
    int OutQueue();

    // Waits at most timeoutMs for data, then reads what has arrived (up to
    // count). Returns the bytes read, 0 when none came in time, -1 on failure.
    int ReadSome(void* buffer, int count, int timeoutMs);
    // Writes all count bytes unless timeoutMs passes first. Returns the bytes
    // written (fewer on time-out), -1 on failure.
    int WriteAll(const void* buffer, int count, int timeoutMs);

    bool PurgeInput();
    bool PurgeOutput();
    bool SetDtr(bool on);
    bool SetRts(bool on);
    bool SetBreak(bool on);
    // Sends XON (true) or XOFF (false).
    bool SendXon(bool on);
    bool ModemLines(SerialModemLines& lines);
    // False where the driver keeps no counters (a pseudo-terminal).
    bool Counters(SerialCounters& counters);

private:
    bool Fail();
    int m_fd = -1;
    int m_error = 0;
};

// Queries that keep no error state, for a thread that watches a port while
// its owner reads and writes it.
class SerialWatch
{
public:
    explicit SerialWatch(int fd) : m_fd(fd) {}
    int InQueue() const;    // -1 on failure
    int OutQueue() const;
    // Reads what has arrived, up to max bytes, without waiting: the count,
    // 0 when nothing is there, -1 on failure.
    int ReadAvailable(char* buffer, int max) const;
    bool Counters(SerialCounters& counters) const;
    // Waits at most timeoutMs (-1: no limit) for input (when watchInput) or
    // for wakeFd to become readable. True when wakeFd woke it.
    bool Wait(int timeoutMs, bool watchInput, int wakeFd) const;

private:
    int m_fd;
};
