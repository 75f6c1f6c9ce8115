#include "mbus/scan/scan_worker.h"

#include "mbus/core/scan_files.h"

namespace mbus {

namespace {

TickClock& Clock_Of(const WorkerOptions& o)
{
    return o.clock ? *o.clock : SystemTickClock::Instance();
}

} // namespace

TMBusScanDecode::TMBusScanDecode(WiredSlaves& wired, WirelessSlaves& wireless, WorkerOptions options)
    : m_options(std::move(options)),
      m_clock(Clock_Of(m_options)),
      m_slaves(wired, wireless),
      m_link(m_clock),
      m_env(m_link, m_clock, m_flags, m_slaves, m_options.pauses),
      m_wired(m_env),
      m_wireless(m_env)
{
    if (m_options.context)
        m_env.context = m_options.context;
    m_env.writeWiredDump = [this](const QString& path, const WiredSlaves& list) {
        QString error;
        if (!Save_XML_File_DLL(path, list, &error))
            Note_Error(error);
    };
    m_env.writeWirelessDump = [this](const QString& path, const WirelessSlaves& list) {
        QString error;
        if (!Save_Wireless_XML_File_DLL(path, list, &error))
            Note_Error(error);
    };
    m_thread = std::thread(&TMBusScanDecode::Run, this);
}

TMBusScanDecode::~TMBusScanDecode()
{
    {
        std::lock_guard lock(m_gateMutex);
        m_flags.Exit = true;
        m_gateOpen = true;
    }
    m_gateCv.notify_all();
    m_thread.join();
    m_link.Close();
    m_link.SetTransport(nullptr);
}

void TMBusScanDecode::Run()
{
    for (;;) {
        {
            std::unique_lock lock(m_gateMutex);
            if (m_parkRequested && !m_flags.InScan) {
                m_parkRequested = false;
                m_gateOpen = false;
            }
            if (!m_gateOpen && !m_flags.Exit && m_options.onParked) {
                lock.unlock();
                Guarded_Call(m_options.onParked);
                lock.lock();
            }
            if (!m_gateOpen && !m_flags.Exit) {
                m_parked = true;
                m_gateCv.notify_all();
                m_gateCv.wait(lock, [this] { return m_gateOpen || m_flags.Exit; });
                m_parked = false;
            }
        }
        if (m_flags.Exit)
            break;
        const bool scanning = m_flags.InScan;
        if (scanning)
            Step();
        m_clock.Sleep(scanning ? m_options.pauses.step : m_options.pauses.idle);
    }
}

void TMBusScanDecode::Step()
{
    std::lock_guard lock(m_stepMutex);
    if (!m_flags.InScan)
        return;
    try {
        if (m_mbusType == mtWireless)
            m_wireless.Scan_Decode_Wireless();
        else
            m_wired.Scan_Decode();
    } catch (const std::exception& e) {
        Fail(QString::fromUtf8(e.what()));
    } catch (...) {
        Fail(QStringLiteral("Unknown failure of the scan"));
    }
}

void TMBusScanDecode::Note_Error(const QString& why)
{
    std::lock_guard lock(m_errorMutex);
    m_errorText = why;
}

void TMBusScanDecode::Fail(const QString& why)
{
    Note_Error(why);
    m_flags.Result = 2;
    try {
        m_link.Close();
    } catch (...) {
    }
    m_wired.Step_Scan = wired::Closed;
    m_wireless.Step_Scan = wireless::Closed;
    m_flags.AbortScan = false;
    m_flags.StopScan = false;
    m_flags.InScan = false;
}

bool TMBusScanDecode::Open_Link(TSelectHard hardware, const QString& address, uint16_t localPort)
{
    {
        std::lock_guard lock(m_errorMutex);
        m_errorText.clear();
    }
    try {
        if (m_options.transport) {
            m_link.SetTransport(m_options.transport);
        } else if (hardware == shSerial) {
            m_udp.Close();
            if (!m_serial)
                m_serial = std::make_unique<SerialLinkTransport>(m_clock);
            m_link.SetTransport(m_serial.get());
            m_serial->Open(address);
        } else {
            if (m_serial)
                m_serial->Close();
            m_link.SetTransport(&m_udp);
            m_udp.Open(m_options.localAddress, localPort, address);
        }
        return true;
    } catch (const std::exception& e) {
        Fail(QString::fromUtf8(e.what()));
        return false;
    }
}

bool TMBusScanDecode::Start_Scan(TScanType scanType, TSelectHard hardware, const QString& address,
                                 int32_t baudrate, int32_t parity, bool appReset, bool sndNke, int32_t cutAfter,
                                 bool fixC, uint8_t fixCValue, UpdateSlaveListProc update)
{
    if (m_flags.InScan)
        return false;
    std::lock_guard lock(m_stepMutex);
    if (m_flags.InScan)
        return false;
    WiredSettings s;
    s.ScanType = scanType;
    s.Select_Hardware = hardware;
    s.Baudrate = baudrate;
    s.Parity = parity;
    s.App_Reset = appReset;
    s.SND_NKE = sndNke;
    s.Cut_After = cutAfter;
    s.Fix_C_Field = fixC;
    s.Fix_C_Field_Value = fixCValue;
    s.ConverterPort = m_options.converterPort;
    m_mbusType = mtWired;
    m_wired.Begin(s, std::move(update));
    if (!Open_Link(hardware, address, m_options.localPort))
        return true;
    m_flags.StopScan = false;
    m_flags.AbortScan = false;
    m_flags.InScan = true;
    return true;
}

bool TMBusScanDecode::Start_Scan_Wireless(TSelectHard hardware, const QString& address, uint16_t portWireless,
                                          int32_t wMBusMode, int32_t wMBusRadioChannel,
                                          UpdateListWirelessSlaveProc update, bool fromDll)
{
    if (m_flags.InScan)
        return false;
    std::lock_guard lock(m_stepMutex);
    if (m_flags.InScan)
        return false;
    WirelessSettings s;
    s.Select_Hardware = hardware;
    s.Port_Wireless = portWireless;
    s.wMBusMode = wMBusMode;
    s.wMBusRadioChannel = wMBusRadioChannel;
    s.From_DLL = fromDll;
    m_mbusType = mtWireless;
    m_wireless.Begin(s, std::move(update));
    const uint16_t local = m_options.wirelessLocalPort >= 0 ? static_cast<uint16_t>(m_options.wirelessLocalPort)
                                                            : portWireless;
    if (!Open_Link(hardware, address, local))
        return true;
    m_flags.StopScan = false;
    m_flags.AbortScan = false;
    m_flags.InScan = true;
    return true;
}

bool TMBusScanDecode::Insert_Wireless_Key(int32_t index, const std::array<uint8_t, 16>& key)
{
    std::lock_guard lock(m_stepMutex);
    return m_flags.InScan && m_mbusType == mtWireless && m_wireless.Insert_Wireless_Key(index, key);
}

void TMBusScanDecode::Set_Run_Event()
{
    {
        std::lock_guard lock(m_gateMutex);
        m_gateOpen = true;
        m_parkRequested = false;
    }
    m_gateCv.notify_all();
}

void TMBusScanDecode::Reset_Run_Event()
{
    std::lock_guard lock(m_gateMutex);
    m_gateOpen = false;
}

void TMBusScanDecode::Park()
{
    std::lock_guard lock(m_gateMutex);
    if (m_flags.InScan) {
        m_flags.AbortScan = true;
        m_parkRequested = true;
        m_gateOpen = true;   // the close steps must run
        m_gateCv.notify_all();
    } else {
        m_gateOpen = false;
    }
}

bool TMBusScanDecode::Parked() const
{
    std::lock_guard lock(m_gateMutex);
    return m_parked;
}

bool TMBusScanDecode::Wait_Parked(int timeoutMs)
{
    std::unique_lock lock(m_gateMutex);
    return m_gateCv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_parked; });
}

bool TMBusScanDecode::New_Frame_Wireless() const
{
    return m_wireless.New_Frame_Wireless;
}

QString TMBusScanDecode::Error_Text() const
{
    std::lock_guard lock(m_errorMutex);
    return m_errorText;
}

int32_t TMBusScanDecode::Step_Scan()
{
    std::lock_guard lock(m_stepMutex);
    return m_mbusType == mtWireless ? m_wireless.Step_Scan : m_wired.Step_Scan;
}

void TMBusScanDecode::SetSaveXMLFile(const QString& path)
{
    std::lock_guard lock(m_stepMutex);
    m_env.SaveXMLFile = path;
}

bool TMBusScanDecode::Save_XML_Conf_Wired(const TSaveConfXML& conf, QString* error)
{
    std::lock_guard lock(m_slaves.mutex);
    return mbus::Save_XML_Conf_Wired(conf, m_slaves.wired, error);
}

bool TMBusScanDecode::Save_XML_Conf_Wireless(const TSaveConfXML& conf, QString* error)
{
    std::lock_guard lock(m_slaves.mutex);
    return mbus::Save_XML_Conf_Wireless(conf, m_slaves.wireless, error);
}

} // namespace mbus
