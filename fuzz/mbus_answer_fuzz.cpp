// Any datagram as the converter's answer to a wired scan's request: the
// answer told apart, then taken by the step that waits for it (the
// handshake, a primary address's telegram, a selection by secondary address).
#include "mbus/scan/requests.h"
#include "mbus/scan/wired_scan.h"

#include <cstdlib>

namespace {

class StillClock : public TickClock
{
public:
    uint32_t Ticks() override { return 1000; }
    void Sleep(int) override {}
};

class NoTransport : public mbus::LinkTransport
{
public:
    void Attach(mbus::ConverterLink*) override {}
    void Send(const QByteArray&, uint16_t) override {}
    void Close() override {}
};

struct Scan
{
    StillClock clock;
    NoTransport transport;
    mbus::ConverterLink link{clock};
    mbus::ScanFlags flags;
    mbus::WiredSlaves wired;
    mbus::WirelessSlaves wireless;
    mbus::SlaveStore store{wired, wireless};
    mbus::ScanEnv env{link, clock, flags, store, mbus::ScanPauses{0, 0, 0}};
    mbus::WiredScan scan{env};
    Scan()
    {
        link.SetTransport(&transport);
        env.context = [](bool w) {
            mbus::DecodeContext c;
            c.wireless = w;
            return c;
        };
    }
    // Runs the step that waits at step, with datagram as its answer; true
    // when a meter was added.
    bool Answer(int32_t step, const QByteArray& datagram, mbus::TScanType type)
    {
        if (wired.size() > 16)
            wired.clear();
        const qsizetype before = wired.size();
        mbus::WiredSettings s;
        s.ScanType = type;
        s.Cut_After = 2;
        scan.Begin(s, {});
        flags.InScan = true;
        scan.ID_Dev_Primary = 1;
        scan.Num_Frame_Read = 0;
        scan.Index.fill(-1);
        scan.Index[0] = 1;
        scan.Sec_Add_Next_Step = mbus::wired::FirstLevelStep;
        link.Send_Command(QByteArray("x"), 1);
        link.Deliver(datagram);
        scan.Step_Scan = step;
        scan.Scan_Decode();
        return wired.size() > before;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 2048)
        return 0;
    static Scan s;
    const QByteArray datagram(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const mbus::Bytes bytes(data, size);
    const mbus::AnswerKind kind = mbus::Classify_Answer(bytes);
    if ((kind == mbus::AnswerKind::Acknowledge) != (size == 1 && data[0] == 0xE5))
        std::abort();
    if ((kind == mbus::AnswerKind::Telegram) != mbus::Is_Valid_Telegram(bytes))
        std::abort();

    // A telegram counts for the polled address only.
    const bool credited = kind == mbus::AnswerKind::Telegram && data[5] == 1;
    if (s.Answer(10, datagram, mbus::saPrimaryAddress) != credited)
        std::abort();
    s.Answer(1, datagram, mbus::saSecondaryAddress);
    s.Answer(mbus::wired::FirstLevelStep + 1, datagram, mbus::saSecondaryAddress);
    s.Answer(125, datagram, mbus::saSecondaryAddress);
    s.Answer(202, datagram, mbus::saPrimaryAddress);
    return 0;
}
