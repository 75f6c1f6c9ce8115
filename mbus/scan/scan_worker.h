#pragma once
// TMBusScanDecode: the worker thread behind the Scan & Decode window. It
// owns the link to the converter, runs one scan at a time one step per pass
// of its loop, decodes what it receives into the slave lists and reports
// through callbacks. The loop runs while the run gate is open; the window
// opens it when shown and parks the worker when closed.
#include "mbus/core/scan_files.h"
#include "mbus/scan/scan_env.h"
#include "mbus/scan/transports.h"
#include "mbus/scan/wired_scan.h"
#include "mbus/scan/wireless_scan.h"

#include <QHostAddress>
#include <condition_variable>
#include <memory>
#include <thread>

namespace mbus {

struct WorkerOptions
{
    TickClock* clock = nullptr;                        // nullptr: the system's
    ScanPauses pauses;
    QHostAddress localAddress{QHostAddress::Any};      // tests bind 127.0.0.1
    uint16_t localPort = 10000;                        // the wired scan's own port
    uint16_t converterPort = 10000;
    int wirelessLocalPort = -1;                        // -1: the wireless port itself
    std::function<DecodeContext(bool wireless)> context;   // empty: now, in the system's locale
    LinkTransport* transport = nullptr;                // replaces UDP and serial (tests)
    std::function<void()> onParked;                    // on the worker thread, each time it parks
};

class TMBusScanDecode
{
public:
    // Starts the thread at once; the run gate starts closed.
    TMBusScanDecode(WiredSlaves& wired, WirelessSlaves& wireless, WorkerOptions options = {});
    // Sets Exit, opens the gate and joins the thread (a running scan's link is closed).
    ~TMBusScanDecode();
    TMBusScanDecode(const TMBusScanDecode&) = delete;
    TMBusScanDecode& operator=(const TMBusScanDecode&) = delete;

    // A wired scan. False, changing nothing, while a scan runs. When the link
    // cannot be opened (the local port held or privileged, the serial port
    // missing) the scan ends at once: InScan stays false, Result is 2 and
    // Error_Text says why, naming the port.
    bool Start_Scan(TScanType scanType, TSelectHard hardware, const QString& address, int32_t baudrate,
                    int32_t parity, bool appReset, bool sndNke, int32_t cutAfter, bool fixC, uint8_t fixCValue,
                    UpdateSlaveListProc update);
    bool Start_Scan_Wireless(TSelectHard hardware, const QString& address, uint16_t portWireless,
                             int32_t wMBusMode, int32_t wMBusRadioChannel, UpdateListWirelessSlaveProc update,
                             bool fromDll);
    void Stop_Scan() { m_flags.StopScan = true; }
    void Abort_Scan() { m_flags.AbortScan = true; }
    bool Insert_Wireless_Key(int32_t index, const std::array<uint8_t, 16>& key);

    // The run gate (the run event): open lets the loop run, reset parks it.
    void Set_Run_Event();
    void Reset_Run_Event();
    // For the window's close: aborts a running scan, lets its close steps run
    // (converter out of analyzer mode, link closed), then parks.
    void Park();
    // The thread waits at the closed gate.
    bool Parked() const;
    bool Wait_Parked(int timeoutMs);

    bool Exit() const { return m_flags.Exit; }
    bool InScan() const { return m_flags.InScan; }
    int32_t Result() const { return m_flags.Result; }
    bool StopScan() const { return m_flags.StopScan; }
    bool AbortScan() const { return m_flags.AbortScan; }
    TMBusType MBusType() const { return m_mbusType; }
    bool New_Frame_Wireless() const;
    // Why the last scan ended with Result 2 through a failure of the link
    // (empty when the converter simply did not answer), or why its dump
    // could not be written.
    QString Error_Text() const;
    // The current step (for the tests and the window's diagnostics).
    int32_t Step_Scan();

    // The scan dump file; empty: none.
    void SetSaveXMLFile(const QString& path);
    // The project's M_Bus.xml from what the last scan found (see
    // mbus/core/scan_files.h), under the slave lock.
    bool Save_XML_Conf_Wired(const TSaveConfXML& conf, QString* error = nullptr);
    bool Save_XML_Conf_Wireless(const TSaveConfXML& conf, QString* error = nullptr);
    // Held while the worker changes a slave list or a meter in it.
    std::mutex& SlaveLock() { return m_slaves.mutex; }
    // The local port of the last UDP scan (0 when none is open).
    uint16_t LocalPort() const { return m_udp.LocalPort(); }

private:
    void Run();
    void Step();
    void Fail(const QString& why);
    void Note_Error(const QString& why);
    bool Open_Link(TSelectHard hardware, const QString& address, uint16_t localPort);

    WorkerOptions m_options;
    TickClock& m_clock;
    ScanFlags m_flags;
    SlaveStore m_slaves;
    ConverterLink m_link;
    ScanEnv m_env;
    WiredScan m_wired;
    WirelessScan m_wireless;
    UdpLinkTransport m_udp;
    std::unique_ptr<SerialLinkTransport> m_serial;
    std::atomic<TMBusType> m_mbusType{mtWired};

    std::mutex m_stepMutex;   // one step, or a start, at a time
    mutable std::mutex m_errorMutex;
    QString m_errorText;

    mutable std::mutex m_gateMutex;
    std::condition_variable m_gateCv;
    bool m_gateOpen = false;
    bool m_parkRequested = false;
    bool m_parked = false;

    std::thread m_thread;
};

} // namespace mbus
