#pragma once
// What the scan step machines share with the worker: the settings'
// enumerations, the flags the GUI thread sets and polls, the slave lists
// with their lock, and the callbacks.
#include "mbus/core/slaves.h"
#include "mbus/core/telegram.h"
#include "mbus/scan/link.h"
#include "platform/tick_clock.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

namespace mbus {

enum TScanType { saPrimaryAddress, saSecondaryAddress };
enum TSelectHard { shEthernet, shSerial };
enum TMBusType { mtWired, mtWireless };

// Written by one thread, read by the other.
struct ScanFlags
{
    std::atomic<bool> Exit{false};
    std::atomic<bool> InScan{false};
    std::atomic<int32_t> Result{-1};   // -1 before the first scan, 1 started or ended, 2 link failure
    std::atomic<bool> StopScan{false};
    std::atomic<bool> AbortScan{false};
};

// The wired scan's progress: (kind, address, found, scan type), see WiredScan.
using UpdateSlaveListProc = std::function<void(int32_t kind, int32_t address, int32_t found, int32_t scanType)>;
// After each wireless frame taken in: the meter's index and a copy of the
// meter (nullptr when the scan was started with From_DLL).
using UpdateListWirelessSlaveProc = std::function<void(int32_t index, const TSlave_wMBus* meter)>;

// The lists a scan fills; every change and every read while a scan runs
// holds the mutex.
struct SlaveStore
{
    SlaveStore(WiredSlaves& w, WirelessSlaves& wl) : wired(w), wireless(wl) {}
    std::mutex mutex;
    WiredSlaves& wired;
    WirelessSlaves& wireless;
};

// The fixed pauses of a scan (milliseconds); tests shorten them, the answer
// time-outs stay as they are.
struct ScanPauses
{
    int step = 40;        // after each step while scanning
    int idle = 10;        // each pass while no scan runs
    int request = 500;    // before each request of the primary scan
};

// What a step machine works with.
struct ScanEnv
{
    ScanEnv(ConverterLink& l, TickClock& c, ScanFlags& f, SlaveStore& s, ScanPauses p = {})
        : link(l), clock(c), flags(f), slaves(s), pauses(p)
    {
    }

    ConverterLink& link;
    TickClock& clock;
    ScanFlags& flags;
    SlaveStore& slaves;
    ScanPauses pauses;
    // The date, time and decimal point stamped on decoded records.
    std::function<DecodeContext(bool wireless)> context = [](bool wireless) { return DecodeContext::Now(wireless); };
    // The scan dumps (SaveXMLFile); called with the slave lock held.
    std::function<void(const QString& path, const WiredSlaves&)> writeWiredDump;
    std::function<void(const QString& path, const WirelessSlaves&)> writeWirelessDump;
    QString SaveXMLFile;   // empty: no dump
};

// Calls a progress callback, swallowing whatever it throws.
template <typename Proc, typename... Args>
void Guarded_Call(const Proc& proc, Args... args)
{
    if (!proc)
        return;
    try {
        proc(args...);
    } catch (...) {
    }
}

} // namespace mbus
