#pragma once
// TComm: one serial port with its line settings, bounded reads and writes,
// modem lines and line events. The event thread watches the port; every
// handler runs on the GUI thread, handed over queued (the event thread never
// waits for it). Failures raise ECommError.
#include "platform/serial_port.h"

#include <QString>
#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace mbus {

// A failure of the port: the text followed by " (Error: code) ".
class ECommError : public std::runtime_error
{
public:
    ECommError(const QString& text, int code);
    int ErrorCode() const { return m_code; }
    QString Message() const { return QString::fromUtf8(what()); }

private:
    int m_code;
};

enum TBaudrate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000, br57600,
    br115200, br128000, br256000, br1500000, br3000000
};
enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits { sb10, sb15, sb20 };
enum TDatabits { da4, da5, da6, da7, da8 };
enum TFlowControl { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };

enum TCommOption { coParityCheck, coDsrSensitivity, coIgnoreXOff, coErrorChar, coNullStrip };
using TCommOptions = uint32_t;   // bits 1 << TCommOption
constexpr TCommOptions Option(TCommOption o) { return 1u << o; }

enum TCommEventType { evBreak, evCts, evDsr, evError, evRing, evRlsd, evRxChar, evRxFlag, evTxEmpty };
using TCommEventTypes = uint32_t;   // bits 1 << TCommEventType
constexpr TCommEventTypes Event(TCommEventType e) { return 1u << e; }
constexpr TCommEventTypes AllCommEvents = (1u << 9) - 1;

// The bit rate a TBaudrate names.
int Baud_Value(TBaudrate rate);

// The five special characters of the line.
struct TCommEventChars
{
    uint8_t XonChar = 17;
    uint8_t XoffChar = 19;
    uint8_t ErrorChar = 0;
    uint8_t EofChar = 0;
    uint8_t EvtChar = 0;
    bool operator==(const TCommEventChars&) const = default;
};

// Flags of the device control block as the component applies them.
namespace dcb {
constexpr uint32_t Binary = 0x0001;
constexpr uint32_t Parity = 0x0002;
constexpr uint32_t OutxCtsFlow = 0x0004;
constexpr uint32_t OutxDsrFlow = 0x0008;
constexpr uint32_t DtrHandshake = 0x0020;
constexpr uint32_t DsrSensitivity = 0x0040;
constexpr uint32_t TXContinueOnXoff = 0x0080;
constexpr uint32_t OutX = 0x0100;
constexpr uint32_t InX = 0x0200;
constexpr uint32_t ErrorChar = 0x0400;
constexpr uint32_t Null = 0x0800;
constexpr uint32_t RtsHandshake = 0x2000;
} // namespace dcb

// Line-error flags handed to OnError.
namespace commerror {
constexpr uint32_t RxOver = 0x0001;
constexpr uint32_t Overrun = 0x0002;
constexpr uint32_t RxParity = 0x0004;
constexpr uint32_t Frame = 0x0008;
constexpr uint32_t Break = 0x0010;
} // namespace commerror

class TComm
{
public:
    using Notify = std::function<void(TComm& sender)>;
    using ErrorNotify = std::function<void(TComm& sender, uint32_t errors)>;
    using RxNotify = std::function<void(TComm& sender, int count)>;

    TComm();
    virtual ~TComm();
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    void Open();
    // Stops the event thread (without waiting for the GUI thread) and closes the port.
    void Close();
    bool Enabled() const;
    int Handle() const;

    // Byte count, or -1 when the time-out passed first. Read takes what has
    // arrived (up to count), waiting at most ReadTimeout for the first byte.
    int Write(const void* buffer, int count);
    int Read(void* buffer, int count);
    int InQueCount();
    int OutQueCount();
    void PurgeIn();
    void PurgeOut();

    void SetDTRState(bool on);
    void SetRTSState(bool on);
    void SetBREAKState(bool on);
    void SetXONState(bool on);

    // Modem status; false while closed.
    bool CTS();
    bool DSR();
    bool RING();
    bool RLSD();
    // Communication status holds; the platform reports none, so always false.
    bool CtsHold() const { return false; }
    bool DsrHold() const { return false; }
    bool RlsdHold() const { return false; }
    bool XoffHold() const { return false; }
    bool XOffSent() const { return false; }

    QString DeviceName() const { return m_deviceName; }
    void SetDeviceName(const QString& name);
    int ReadTimeout() const { return m_readTimeout; }
    void SetReadTimeout(int ms) { m_readTimeout = ms; }
    int WriteTimeout() const { return m_writeTimeout; }
    void SetWriteTimeout(int ms) { m_writeTimeout = ms; }
    int ReadBufSize() const { return m_readBufSize; }
    void SetReadBufSize(int size);
    int WriteBufSize() const { return m_writeBufSize; }
    void SetWriteBufSize(int size);
    TCommEventTypes MonitorEvents() const { return m_monitorEvents; }
    void SetMonitorEvents(TCommEventTypes events);
    TBaudrate BaudRate() const { return m_baudRate; }
    void SetBaudRate(TBaudrate rate);
    TParity Parity() const { return m_parity; }
    void SetParity(TParity parity);
    TStopbits Stopbits() const { return m_stopbits; }
    void SetStopbits(TStopbits bits);
    TDatabits Databits() const { return m_databits; }
    void SetDatabits(TDatabits bits);
    TCommOptions Options() const { return m_options; }
    void SetOptions(TCommOptions options);
    TFlowControl FlowControl() const { return m_flowControl; }
    void SetFlowControl(TFlowControl flow);
    TCommEventChars EventChars() const { return m_eventChars; }
    // Assign: takes the five characters and re-applies the block when open.
    void SetEventChars(const TCommEventChars& chars);
    // The flags of the block last applied (0 before the first open).
    uint32_t DCBFlags() const { return m_dcbFlags; }

    Notify OnBreak, OnCts, OnDsr, OnRing, OnRlsd, OnRxFlag, OnTxEmpty;
    ErrorNotify OnError;
    RxNotify OnRxChar;

protected:
    // Opens DeviceName; raises when it cannot or when it is no character device.
    virtual void CreateHandle();

private:
    struct Dispatcher;
    void ApplyDCB();
    void StartEventThread();
    void StopEventThread();
    void EventLoop(int portFd, int wakeFd, TCommEventTypes mask, uint64_t generation);
    void Post(TCommEventTypes events, uint32_t errors, uint64_t generation);
    void Dispatch(TCommEventTypes events, uint32_t errors);
    void WakeEventThread(char why);
    [[noreturn]] void Raise(const char* text, int code);
    void RequireOpen();

    SerialPort m_port;
    mutable std::mutex m_io;   // the critical section of reads and writes
    // The receive queue: the event thread moves what arrives here, Read takes it.
    std::mutex m_rxMutex;
    std::condition_variable m_rxCv;
    QByteArray m_rx;
    QString m_deviceName = QStringLiteral("Com2");
    int m_readTimeout = 1000;
    int m_writeTimeout = 1000;
    int m_readBufSize = 4096;
    int m_writeBufSize = 2048;
    TCommEventTypes m_monitorEvents = AllCommEvents;
    TBaudrate m_baudRate = br9600;
    TParity m_parity = paNone;
    TStopbits m_stopbits = sb10;
    TDatabits m_databits = da8;
    TCommOptions m_options = 0;
    TFlowControl m_flowControl = fcDefault;
    TCommEventChars m_eventChars;
    uint32_t m_dcbFlags = 0;

    std::thread m_eventThread;
    int m_wake[2] = {-1, -1};
    std::atomic<uint64_t> m_generation{0};
    std::shared_ptr<Dispatcher> m_dispatcher;
};

} // namespace mbus
