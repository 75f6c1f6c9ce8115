#include "mbus_converter_sim.h"

#include <QFile>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace mbussim {

namespace {

// The converter's texts, spelled out here on purpose: the tests compare the
// product's against these.
const QByteArray kEnableAnalyzer = QByteArrayLiteral("Keltrona_Enable_Analyzer_Mode");
const QByteArray kDisableAnalyzer = QByteArrayLiteral("Keltrona_Disable_Analyzer_Mode");
const QByteArray kEnableConfiguration = QByteArrayLiteral("Keltrona_Enable_Configuration_Mode");
const QByteArray kTypeRadioModule = QByteArrayLiteral("Keltrona_Type_Radio_Module");
const QByteArray kDisableConfiguration = QByteArrayLiteral("Keltrona_Disable_Configuration_Mode");
const QByteArray kLfCr = QByteArrayLiteral("\n\r");
const QByteArray kNoSlave = QByteArrayLiteral("NO_SLAVE\n\r");

QByteArray Framed(const char* text)
{
    return kLfCr + text + kLfCr;
}

uint8_t Sum(const Frame& f, size_t from, size_t to)
{
    uint8_t s = 0;
    for (size_t i = from; i < to; ++i)
        s = static_cast<uint8_t>(s + f[i]);
    return s;
}

struct Request
{
    bool isLong = false;
    uint8_t c = 0;
    uint8_t a = 0;
    uint8_t ci = 0;
    Frame data;
};

std::optional<Request> Parse(const Frame& f)
{
    Request r;
    if (f.size() == 5 && f[0] == 0x10 && f[4] == 0x16 && Sum(f, 1, 3) == f[3]) {
        r.c = f[1];
        r.a = f[2];
        return r;
    }
    if (f.size() >= 9 && f[0] == 0x68 && f[3] == 0x68 && f[1] == f[2] && f.size() == size_t{f[1]} + 6u &&
        f.back() == 0x16 && Sum(f, 4, f.size() - 2) == f[f.size() - 2]) {
        r.isLong = true;
        r.c = f[4];
        r.a = f[5];
        r.ci = f[6];
        r.data.assign(f.begin() + 7, f.end() - 2);
        return r;
    }
    return std::nullopt;
}

bool Matches_Selection(const Meter& m, const Frame& d)
{
    if (d.size() < 8)
        return false;
    const uint32_t mask = d[0] | d[1] << 8 | d[2] << 16 | static_cast<uint32_t>(d[3]) << 24;
    for (int k = 0; k < 8; ++k) {
        const uint32_t want = (mask >> (4 * k)) & 0x0F;
        if (want != 0x0F && want != ((m.id >> (4 * k)) & 0x0F))
            return false;
    }
    if (!m.telegrams.empty() && m.telegrams[0].size() > 14) {
        const Frame& t = m.telegrams[0];
        if (!(d[4] == 0xFF && d[5] == 0xFF) && (d[4] != t[11] || d[5] != t[12]))
            return false;
        if (d[6] != 0xFF && d[6] != t[13])
            return false;
        if (d[7] != 0xFF && d[7] != t[14])
            return false;
    }
    return true;
}

} // namespace

QByteArray ToBytes(const Frame& f)
{
    return QByteArray(reinterpret_cast<const char*>(f.data()), static_cast<qsizetype>(f.size()));
}

Frame ToFrame(const QByteArray& b)
{
    return Frame(b.begin(), b.end());
}

Frame Suite_Frame(const QString& name)
{
    QFile file(QStringLiteral(ORVANO_SOURCE_DIR "/tests/mbus/data/telegrams/frames/") + name +
               QStringLiteral(".hex"));
    Frame out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray& t : file.readAll().simplified().split(' '))
        if (!t.isEmpty())
            out.push_back(static_cast<uint8_t>(t.toUInt(nullptr, 16)));
    return out;
}

Frame Telegram_For(const Frame& suiteFrame, uint8_t primary, uint32_t id, bool moreFollows)
{
    Frame f = suiteFrame;
    if (f.size() < 21)
        return f;
    f[5] = primary;
    for (int i = 0; i < 4; ++i)
        f[7 + static_cast<size_t>(i)] = static_cast<uint8_t>(id >> (8 * i));
    if (moreFollows) {
        f.insert(f.end() - 2, 0x1F);
        ++f[1];
        ++f[2];
    }
    f[f.size() - 2] = Sum(f, 4, f.size() - 2);
    return f;
}

Meter Meter::From_Suite(int primary, uint32_t id, const QString& name, int count, bool alwaysMore)
{
    Meter m;
    m.primary = primary;
    m.id = id;
    const Frame base = Suite_Frame(name);
    for (int i = 0; i < count; ++i)
        m.telegrams.push_back(Telegram_For(base, static_cast<uint8_t>(primary), id, alwaysMore || i + 1 < count));
    return m;
}

std::optional<Frame> MeterBus::Handle(const Frame& request)
{
    const std::optional<Request> r = Parse(request);
    if (!r)
        return std::nullopt;
    const bool broadcast = r->a == 0xFF || r->a == 0xFE;
    std::vector<Meter*> targets;
    for (Meter& m : meters)
        if (broadcast || (r->a == 0xFD ? m.selected : m.primary == r->a))
            targets.push_back(&m);

    std::vector<Frame> replies;
    const bool sndNke = !r->isLong && r->c == 0x40;
    const bool reqUd2 = !r->isLong && (r->c & 0xCF) == 0x4B;
    const bool appReset = r->isLong && r->ci == 0x50;
    const bool select = r->isLong && r->ci == 0x52 && r->a == 0xFD;
    if (select) {
        for (Meter& m : meters) {
            m.selected = Matches_Selection(m, r->data);
            if (m.selected)
                replies.push_back({0xE5});
        }
    } else if (sndNke || appReset) {
        for (Meter* m : targets) {
            m->fcb = -1;
            m->next = 0;
            if (sndNke && (broadcast || r->a == 0xFD))
                m->selected = false;
            replies.push_back({0xE5});
        }
        if (broadcast)
            replies.clear();   // nobody answers a broadcast
    } else if (reqUd2) {
        const int fcb = (r->c >> 5) & 1;
        for (Meter* m : targets) {
            if (m->telegrams.empty())
                continue;
            if (m->fcb < 0)
                m->next = 0;
            else if (fcb != m->fcb)
                m->next = (m->next + 1) % m->telegrams.size();
            m->fcb = fcb;
            ++m->reads;
            replies.push_back(m->telegrams[m->next]);
        }
    }
    if (replies.empty())
        return std::nullopt;
    if (replies.size() > 1)
        return collision;
    return replies[0];
}

QByteArray ConverterCore::Handle(const QByteArray& request)
{
    if (request == kEnableAnalyzer) {
        mode = Mode::Analyzer;
        return Framed("Analyzer_Mode Enabled!");
    }
    if (request == kDisableAnalyzer) {
        mode = Mode::Normal;
        return Framed("Analyzer_Mode Disabled!");
    }
    if (request == kEnableConfiguration) {
        mode = Mode::Configuration;
        return Framed("Configuration_Mode Enabled!");
    }
    if (request == kDisableConfiguration) {
        mode = Mode::Normal;
        return Framed("Configuration_Mode Disabled!");
    }
    switch (mode) {
    case Mode::Normal:
        return {};
    case Mode::Analyzer: {
        const std::optional<Frame> reply = bus.Handle(ToFrame(request));
        if (reply)
            return ToBytes(*reply);
        return answerNoSlave ? kNoSlave : QByteArray();
    }
    case Mode::Configuration:
        if (request == kTypeRadioModule)
            return Framed(radio == Radio::Telit ? "TELIT" : "RADIOCRAFTS");
        if (radio == Radio::Telit)
            return QByteArrayLiteral("OK\r");
        if (request == QByteArray(1, 0x30))
            return QByteArray(256, 0x55) + '\x3E';
        return QByteArray(1, 0x3E);
    }
    return {};
}

std::function<bool(const QByteArray&)> Fault::ForAddress(int address)
{
    return [address](const QByteArray& r) {
        const auto at = [&](int i) { return static_cast<uint8_t>(r[i]); };
        if (r.size() == 5 && at(0) == 0x10)
            return at(2) == address;
        if (r.size() > 6 && at(0) == 0x68)
            return at(5) == address;
        return false;
    };
}

std::function<bool(const QByteArray&)> Fault::ForText(const QByteArray& text)
{
    return [text](const QByteArray& r) { return r == text; };
}

std::function<bool(const QByteArray&)> Fault::Any()
{
    return [](const QByteArray&) { return true; };
}

ConverterSim::ConverterSim() : m_start(std::chrono::steady_clock::now())
{
    m_endpoint.Open(QHostAddress(QHostAddress::LocalHost), 0);
    m_endpoint.StartReceiving([this](const UdpDatagram& d) { Received(d); });
    m_timer = std::thread(&ConverterSim::Timer_Loop, this);
}

ConverterSim::~ConverterSim()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_cv.notify_all();
    m_timer.join();
    m_endpoint.Close();
    m_foreignPort.Close();
    m_foreignAddress.Close();
}

void ConverterSim::With(const std::function<void(ConverterCore&)>& change)
{
    std::lock_guard lock(m_mutex);
    change(m_core);
}

Mode ConverterSim::CurrentMode()
{
    std::lock_guard lock(m_mutex);
    return m_core.mode;
}

int ConverterSim::Meter_Reads(size_t meter)
{
    std::lock_guard lock(m_mutex);
    return meter < m_core.bus.meters.size() ? m_core.bus.meters[meter].reads : -1;
}

void ConverterSim::Add_Fault(Fault fault)
{
    std::lock_guard lock(m_mutex);
    m_faults.push_back(std::move(fault));
}

std::vector<LoggedRequest> ConverterSim::Log()
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

int ConverterSim::Deliverable()
{
    std::lock_guard lock(m_mutex);
    return m_deliverable;
}

void ConverterSim::Send(UdpEndpoint& from, const QHostAddress& to, uint16_t port, const QByteArray& bytes,
                        bool deliverable)
{
    if (deliverable && bytes.size() <= 2048) {
        std::lock_guard lock(m_mutex);
        ++m_deliverable;
    }
    from.Send(to, port, bytes);
}

int ConverterSim::Handled()
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_log.size());
}

bool ConverterSim::Wait_Handled(int count, int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                         [&] { return static_cast<int>(m_log.size()) >= count; });
}

void ConverterSim::Push_Frame(const QByteArray& frame)
{
    QHostAddress to;
    uint16_t port;
    {
        std::lock_guard lock(m_mutex);
        to = m_peer;
        port = m_peerPort;
    }
    if (port)
        Send(m_endpoint, to, port, frame, true);
}

void ConverterSim::Received(const UdpDatagram& d)
{
    std::optional<std::pair<QByteArray, std::pair<QHostAddress, uint16_t>>> held;
    QByteArray reply;
    std::optional<Fault> fault;
    {
        std::lock_guard lock(m_mutex);
        m_peer = d.sender;
        m_peerPort = d.senderPort;
        held = std::exchange(m_held, std::nullopt);
        reply = m_core.Handle(d.data);
        for (Fault& f : m_faults)
            if (f.times != 0 && f.match(d.data)) {
                if (f.times > 0)
                    --f.times;
                fault = f;
                break;
            }
    }
    if (held)
        Send(m_endpoint, held->second.first, held->second.second, held->first, true);

    bool replied = false;
    if (!reply.isEmpty()) {
        if (!fault) {
            Send(m_endpoint, d.sender, d.senderPort, reply, true);
            replied = true;
        } else {
            switch (fault->kind) {
            case FaultKind::Delay:
                Send_Later(reply, d.sender, d.senderPort, fault->param);
                break;
            case FaultKind::Drop:
                break;
            case FaultKind::Late: {
                std::lock_guard lock(m_mutex);
                m_held = std::make_pair(reply, std::make_pair(d.sender, d.senderPort));
                break;
            }
            case FaultKind::WrongText:
                if (reply.startsWith(kLfCr))
                    reply.remove(0, 2);
                if (reply.endsWith(kLfCr))
                    reply.chop(2);
                Send(m_endpoint, d.sender, d.senderPort, reply, true);
                replied = true;
                break;
            case FaultKind::BadChecksum:
                if (reply.size() >= 2)
                    reply[reply.size() - 2] = static_cast<char>(reply[reply.size() - 2] + 1);
                Send(m_endpoint, d.sender, d.senderPort, reply, true);
                replied = true;
                break;
            case FaultKind::Truncate:
                Send(m_endpoint, d.sender, d.senderPort, reply.left(fault->param), true);
                replied = true;
                break;
            case FaultKind::Oversize:
                reply.append(QByteArray(std::max<qsizetype>(0, fault->param - reply.size()), '\0'));
                Send(m_endpoint, d.sender, d.senderPort, reply, true);
                break;
            case FaultKind::ForeignPort:
                if (!m_foreignPort.IsOpen())
                    m_foreignPort.Open(QHostAddress(QHostAddress::LocalHost), 0);
                Send(m_foreignPort, d.sender, d.senderPort, reply, true);
                replied = true;
                break;
            case FaultKind::ForeignAddress:
                if (!m_foreignAddress.IsOpen())
                    m_foreignAddress.Open(QHostAddress(QStringLiteral("127.0.0.2")), 0);
                Send(m_foreignAddress, d.sender, d.senderPort, reply, false);
                break;
            }
        }
    }
    {
        std::lock_guard lock(m_mutex);
        const qint64 ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start).count();
        m_log.push_back({ms, d.data, replied});
    }
    m_cv.notify_all();
}

void ConverterSim::Send_Later(QByteArray bytes, QHostAddress to, uint16_t port, int ms)
{
    {
        std::lock_guard lock(m_mutex);
        m_timed.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(ms), std::move(bytes), to, port});
    }
    m_cv.notify_all();
}

void ConverterSim::Timer_Loop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_stop)
            return;
        if (m_timed.empty()) {
            m_cv.wait(lock);
            continue;
        }
        auto first = std::min_element(m_timed.begin(), m_timed.end(),
                                      [](const Timed& a, const Timed& b) { return a.due < b.due; });
        if (std::chrono::steady_clock::now() < first->due) {
            m_cv.wait_until(lock, first->due);
            continue;
        }
        Timed t = *first;
        m_timed.erase(first);
        lock.unlock();
        Send(m_endpoint, t.to, t.port, t.bytes, true);
        lock.lock();
    }
}

SerialConverterSim::SerialConverterSim(int masterFd) : m_fd(masterFd), m_start(std::chrono::steady_clock::now())
{
    m_core.mode = Mode::Analyzer;
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) == 0)
        m_thread = std::thread(&SerialConverterSim::Loop, this);
}

SerialConverterSim::~SerialConverterSim()
{
    if (m_thread.joinable()) {
        const char stop = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &stop, 1);
        m_thread.join();
    }
    for (int fd : m_wake)
        if (fd >= 0)
            ::close(fd);
}

void SerialConverterSim::With(const std::function<void(ConverterCore&)>& change)
{
    std::lock_guard lock(m_mutex);
    change(m_core);
}

std::vector<LoggedRequest> SerialConverterSim::Log()
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

void SerialConverterSim::Loop()
{
    QByteArray pending;
    for (;;) {
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents)
            return;
        if (fds[0].revents & (POLLERR | POLLHUP)) {
            // No one holds the terminal side yet.
            ::usleep(1000);
        }
        char buffer[512];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        pending.append(buffer, n);
        // Cut whole frames: 10 C A CS 16, or 68 L L 68 ... (L + 6 bytes).
        for (;;) {
            if (pending.isEmpty())
                break;
            const auto at = [&](int i) { return static_cast<uint8_t>(pending[i]); };
            qsizetype size = 0;
            if (at(0) == 0x10)
                size = 5;
            else if (at(0) == 0x68 && pending.size() >= 2)
                size = at(1) + 6;
            else if (at(0) != 0x68) {
                pending.remove(0, 1);
                continue;
            }
            if (size == 0 || pending.size() < size)
                break;
            const QByteArray request = pending.left(size);
            pending.remove(0, size);
            QByteArray reply;
            {
                std::lock_guard lock(m_mutex);
                reply = m_core.Handle(request);
                const qint64 ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now() - m_start)
                                      .count();
                m_log.push_back({ms, request, !reply.isEmpty()});
            }
            if (!reply.isEmpty())
                [[maybe_unused]] const ssize_t w = ::write(m_fd, reply.constData(), static_cast<size_t>(reply.size()));
        }
    }
}

} // namespace mbussim
