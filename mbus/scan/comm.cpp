#include "mbus/scan/comm.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>
#include <fcntl.h>
#include <unistd.h>

namespace mbus {

namespace {

constexpr int kBaudValues[] = {110,   300,   600,   1200,   2400,   4800,   9600,    14400,  19200,
                               38400, 56000, 57600, 115200, 128000, 256000, 1500000, 3000000};

// Wake reasons of the event thread.
constexpr char WakeStop = 's';
constexpr char WakeSent = 't';

// How often the event thread looks at what poll cannot wait for: a transmit
// queue that drains, and the driver's line-event counters.
constexpr int TxWatchMs = 5;
constexpr int CounterWatchMs = 50;

// Which device control flags the options set.
constexpr uint32_t kOptionFlags[] = {dcb::Parity, dcb::DsrSensitivity, dcb::TXContinueOnXoff, dcb::ErrorChar,
                                     dcb::Null};

// Flags termios has no way to honour.
constexpr uint32_t kInexpressible = dcb::OutxDsrFlow | dcb::DtrHandshake | dcb::DsrSensitivity | dcb::ErrorChar |
                                    dcb::Null;

} // namespace

int Baud_Value(TBaudrate rate)
{
    return kBaudValues[rate];
}

ECommError::ECommError(const QString& text, int code)
    : std::runtime_error(QStringLiteral("%1 (Error: %2) ").arg(text).arg(code).toStdString()), m_code(code)
{
}

// Queued hand-overs from the event thread check here that their component
// still exists and is still the same opening of the port.
struct TComm::Dispatcher
{
    std::recursive_mutex mutex;
    TComm* owner = nullptr;
};

TComm::TComm() : m_dispatcher(std::make_shared<Dispatcher>())
{
    m_dispatcher->owner = this;
}

TComm::~TComm()
{
    Close();
    std::lock_guard lock(m_dispatcher->mutex);
    m_dispatcher->owner = nullptr;
}

void TComm::Raise(const char* text, int code)
{
    throw ECommError(QString::fromLatin1(text), code);
}

void TComm::RequireOpen()
{
    if (!Enabled())
        Raise("Port not open, unable to complete operation", -1);
}

bool TComm::Enabled() const
{
    std::lock_guard lock(m_io);
    return m_port.IsOpen();
}

int TComm::Handle() const
{
    std::lock_guard lock(m_io);
    return m_port.Handle();
}

void TComm::CreateHandle()
{
    std::lock_guard lock(m_io);
    switch (m_port.Open(m_deviceName)) {
    case SerialPort::OpenResult::Opened:
        return;
    case SerialPort::OpenResult::NotACharacterDevice:
        Raise("Invalid device handle, access denied", -1);
    case SerialPort::OpenResult::Failed:
        Raise("Error accessing specified device", m_port.Error());
    }
}

void TComm::Open()
{
    if (Enabled())
        Raise("Port already assigned (open)", -1);
    CreateHandle();
    try {
        // Reads return what has arrived (poll bounds every wait); the
        // platform keeps its own buffer sizes.
        ApplyDCB();
    } catch (...) {
        std::lock_guard lock(m_io);
        m_port.Close();
        throw;
    }
    StartEventThread();
}

void TComm::Close()
{
    if (!m_eventThread.joinable() && !Enabled())
        return;
    StopEventThread();
    std::lock_guard lock(m_io);
    m_port.Close();
    std::lock_guard rx(m_rxMutex);
    m_rx.clear();
}

void TComm::ApplyDCB()
{
    std::lock_guard lock(m_io);
    if (!m_port.IsOpen())
        return;
    SerialLine line;
    if (!m_port.Read(line))
        Raise("Error updating DataControlBlock", m_port.Error());
    uint32_t flags = dcb::Binary;
    switch (m_flowControl) {
    case fcNone: break;
    case fcCTS: flags |= dcb::OutxCtsFlow | dcb::RtsHandshake; break;
    case fcDTR: flags |= dcb::OutxDsrFlow | dcb::DtrHandshake; break;
    case fcSoftware: flags |= dcb::OutX | dcb::InX; break;
    case fcDefault:
        if (line.ctsRtsFlow)
            flags |= dcb::OutxCtsFlow | dcb::RtsHandshake;
        if (line.xonXoffOut)
            flags |= dcb::OutX;
        if (line.xonXoffIn)
            flags |= dcb::InX;
        break;
    }
    for (int o = coParityCheck; o <= coNullStrip; ++o) {
        if (m_options & Option(static_cast<TCommOption>(o)))
            flags |= kOptionFlags[o];
        else
            flags &= ~kOptionFlags[o];
    }
    if (m_databits == da4 || m_stopbits == sb15 || (flags & kInexpressible))
        Raise("Error updating DataControlBlock", EINVAL);

    line.baud = Baud_Value(m_baudRate);
    line.dataBits = 4 + static_cast<int>(m_databits);
    constexpr SerialParity kParity[] = {SerialParity::None, SerialParity::Odd, SerialParity::Even,
                                        SerialParity::Mark, SerialParity::Space};
    line.parity = kParity[m_parity];
    line.stopBits = m_stopbits == sb20 ? SerialStopBits::Two : SerialStopBits::One;
    line.parityCheck = flags & dcb::Parity;
    line.ctsRtsFlow = flags & dcb::OutxCtsFlow;
    line.xonXoffOut = flags & dcb::OutX;
    line.xonXoffIn = flags & dcb::InX;
    line.xonChar = m_eventChars.XonChar;
    line.xoffChar = m_eventChars.XoffChar;
    if (!m_port.Apply(line))
        Raise("Error updating DataControlBlock", m_port.Error());
    m_dcbFlags = flags;
}

int TComm::Write(const void* buffer, int count)
{
    int n;
    {
        std::lock_guard lock(m_io);
        if (!m_port.IsOpen())
            Raise("Write error", EBADF);
        n = m_port.WriteAll(buffer, count, m_writeTimeout);
        if (n < 0)
            Raise("Write error", m_port.Error());
    }
    WakeEventThread(WakeSent);
    return n < count ? -1 : n;
}

int TComm::Read(void* buffer, int count)
{
    std::lock_guard io(m_io);
    if (!m_port.IsOpen())
        Raise("Read error", EBADF);
    std::unique_lock lock(m_rxMutex);
    if (!m_rxCv.wait_for(lock, std::chrono::milliseconds(m_readTimeout), [this] { return !m_rx.isEmpty(); }))
        return -1;
    const int n = std::min<int>(count, static_cast<int>(m_rx.size()));
    std::memcpy(buffer, m_rx.constData(), static_cast<size_t>(n));
    m_rx.remove(0, n);
    return n;
}

int TComm::InQueCount()
{
    std::lock_guard lock(m_io);
    if (!m_port.IsOpen())
        return -1;
    const int waiting = std::max(0, m_port.InQueue());
    std::lock_guard rx(m_rxMutex);
    return static_cast<int>(m_rx.size()) + waiting;
}

int TComm::OutQueCount()
{
    std::lock_guard lock(m_io);
    return m_port.IsOpen() ? m_port.OutQueue() : -1;
}

void TComm::PurgeIn()
{
    std::lock_guard lock(m_io);
    if (m_port.IsOpen())
        m_port.PurgeInput();
    std::lock_guard rx(m_rxMutex);
    m_rx.clear();
}

void TComm::PurgeOut()
{
    std::lock_guard lock(m_io);
    if (m_port.IsOpen())
        m_port.PurgeOutput();
}

void TComm::SetDTRState(bool on)
{
    RequireOpen();
    std::lock_guard lock(m_io);
    if (!m_port.SetDtr(on))
        Raise("EscapeCommFunction failure", m_port.Error());
}

void TComm::SetRTSState(bool on)
{
    RequireOpen();
    std::lock_guard lock(m_io);
    if (!m_port.SetRts(on))
        Raise("EscapeCommFunction failure", m_port.Error());
}

void TComm::SetBREAKState(bool on)
{
    RequireOpen();
    std::lock_guard lock(m_io);
    if (!m_port.SetBreak(on))
        Raise("EscapeCommFunction failure", m_port.Error());
    m_port.PurgeInput();
    m_port.PurgeOutput();
    std::lock_guard rx(m_rxMutex);
    m_rx.clear();
}

void TComm::SetXONState(bool on)
{
    RequireOpen();
    std::lock_guard lock(m_io);
    if (!m_port.SendXon(on))
        Raise("EscapeCommFunction failure", m_port.Error());
}

namespace {
template <typename Field>
bool ModemLine(SerialPort& port, Field field)
{
    SerialModemLines lines;
    return port.IsOpen() && port.ModemLines(lines) && lines.*field;
}
} // namespace

bool TComm::CTS()
{
    std::lock_guard lock(m_io);
    return ModemLine(m_port, &SerialModemLines::cts);
}

bool TComm::DSR()
{
    std::lock_guard lock(m_io);
    return ModemLine(m_port, &SerialModemLines::dsr);
}

bool TComm::RING()
{
    std::lock_guard lock(m_io);
    return ModemLine(m_port, &SerialModemLines::ring);
}

bool TComm::RLSD()
{
    std::lock_guard lock(m_io);
    return ModemLine(m_port, &SerialModemLines::rlsd);
}

void TComm::SetDeviceName(const QString& name)
{
    if (name == m_deviceName)
        return;
    if (Enabled())
        Raise("Port already assigned (open)", -1);
    m_deviceName = name;
}

void TComm::SetReadBufSize(int size)
{
    if (size == m_readBufSize)
        return;
    if (Enabled())
        Raise("Port already assigned (open)", -1);
    m_readBufSize = size;
}

void TComm::SetWriteBufSize(int size)
{
    if (size == m_writeBufSize)
        return;
    if (Enabled())
        Raise("Port already assigned (open)", -1);
    m_writeBufSize = size;
}

void TComm::SetMonitorEvents(TCommEventTypes events)
{
    if (events == m_monitorEvents)
        return;
    if (Enabled())
        Raise("Port already assigned (open)", -1);
    m_monitorEvents = events;
}

void TComm::SetBaudRate(TBaudrate rate)
{
    m_baudRate = rate;
    ApplyDCB();
}

void TComm::SetParity(TParity parity)
{
    m_parity = parity;
    ApplyDCB();
}

void TComm::SetStopbits(TStopbits bits)
{
    m_stopbits = bits;
    ApplyDCB();
}

void TComm::SetDatabits(TDatabits bits)
{
    m_databits = bits;
    ApplyDCB();
}

void TComm::SetOptions(TCommOptions options)
{
    m_options = options;
    ApplyDCB();
}

void TComm::SetFlowControl(TFlowControl flow)
{
    m_flowControl = flow;
    ApplyDCB();
}

void TComm::SetEventChars(const TCommEventChars& chars)
{
    m_eventChars = chars;
    ApplyDCB();
}

void TComm::StartEventThread()
{
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        const int code = errno;
        std::lock_guard lock(m_io);
        m_port.Close();
        Raise("Error accessing specified device", code);
    }
    const uint64_t generation = ++m_generation;
    m_eventThread = std::thread(&TComm::EventLoop, this, Handle(), m_wake[0], m_monitorEvents, generation);
}

void TComm::WakeEventThread(char why)
{
    if (m_wake[1] >= 0)
        [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &why, 1);
}

void TComm::StopEventThread()
{
    // Hand-overs still queued for the GUI thread find a newer generation and do nothing.
    ++m_generation;
    if (m_eventThread.joinable()) {
        WakeEventThread(WakeStop);
        m_eventThread.join();
    }
    for (int& fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void TComm::EventLoop(int portFd, int wakeFd, TCommEventTypes mask, uint64_t generation)
{
    const SerialWatch watch(portFd);
    SerialCounters last;
    const bool counters = watch.Counters(last);
    bool txPending = false;
    std::vector<char> buffer(4096);
    for (;;) {
        int timeout = -1;
        if (txPending)
            timeout = TxWatchMs;
        if (counters)
            timeout = timeout < 0 ? CounterWatchMs : std::min(timeout, CounterWatchMs);
        if (watch.Wait(timeout, true, wakeFd)) {
            char why[16];
            ssize_t n;
            bool stop = false;
            while ((n = ::read(wakeFd, why, sizeof why)) > 0)
                for (ssize_t i = 0; i < n; ++i) {
                    stop = stop || why[i] == WakeStop;
                    txPending = txPending || why[i] == WakeSent;
                }
            if (stop)
                break;
        }
        TCommEventTypes events = 0;
        uint32_t errors = 0;
        // What arrived moves to the receive queue, up to ReadBufSize; the rest is an overrun.
        int got;
        while ((got = watch.ReadAvailable(buffer.data(), static_cast<int>(buffer.size()))) > 0) {
            std::lock_guard lock(m_rxMutex);
            const int room = std::max(0, m_readBufSize - static_cast<int>(m_rx.size()));
            m_rx.append(buffer.data(), std::min(got, room));
            if (got > room)
                errors |= commerror::RxOver;
            events |= Event(evRxChar);
        }
        if (events & Event(evRxChar))
            m_rxCv.notify_all();
        if (txPending && watch.OutQueue() <= 0) {
            txPending = false;
            events |= Event(evTxEmpty);
        }
        SerialCounters now;
        if (counters && watch.Counters(now)) {
            auto changed = [&](int SerialCounters::*field, TCommEventType e) {
                if (now.*field != last.*field)
                    events |= Event(e);
            };
            changed(&SerialCounters::breaks, evBreak);
            changed(&SerialCounters::cts, evCts);
            changed(&SerialCounters::dsr, evDsr);
            changed(&SerialCounters::ring, evRing);
            changed(&SerialCounters::rlsd, evRlsd);
            if (now.breaks != last.breaks)
                errors |= commerror::Break;
            if (now.frame != last.frame)
                errors |= commerror::Frame;
            if (now.overrun != last.overrun)
                errors |= commerror::Overrun;
            if (now.parity != last.parity)
                errors |= commerror::RxParity;
            if (now.bufferOverrun != last.bufferOverrun)
                errors |= commerror::RxOver;
            last = now;
        }
        if (errors & ~commerror::Break)
            events |= Event(evError);
        events &= mask;
        if (events)
            Post(events, errors, generation);
    }
    // Leaving: abort and clear both queues, as the port's owner expects.
    std::lock_guard lock(m_io);
    m_port.PurgeInput();
    m_port.PurgeOutput();
}

void TComm::Post(TCommEventTypes events, uint32_t errors, uint64_t generation)
{
    std::shared_ptr<Dispatcher> dispatcher = m_dispatcher;
    auto run = [dispatcher, events, errors, generation] {
        std::lock_guard lock(dispatcher->mutex);
        TComm* comm = dispatcher->owner;
        if (comm && comm->m_generation.load() == generation)
            comm->Dispatch(events, errors);
    };
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, run, Qt::QueuedConnection);
    else
        run();
}

void TComm::Dispatch(TCommEventTypes events, uint32_t errors)
{
    // Each handler may close or reconfigure the port; the order is fixed.
    const std::shared_ptr<Dispatcher> keep = m_dispatcher;
    auto fire = [&](TCommEventType e, const Notify& handler) {
        if (keep->owner && (events & Event(e)) && handler)
            handler(*this);
    };
    fire(evBreak, OnBreak);
    fire(evCts, OnCts);
    fire(evDsr, OnDsr);
    if (keep->owner && (events & Event(evError)) && OnError)
        OnError(*this, errors);
    fire(evRing, OnRing);
    fire(evRlsd, OnRlsd);
    if (keep->owner && (events & Event(evRxChar)) && OnRxChar) {
        const int count = InQueCount();
        if (count > 0)
            OnRxChar(*this, count);
    }
    fire(evRxFlag, OnRxFlag);
    fire(evTxEmpty, OnTxEmpty);
}

} // namespace mbus
