// Any bytes as a datagram on the diagnostics port, under every Last_CMD:
// a reply applies only under its own command, every poll it names lies in
// the table, and it names exactly the polls its length carries.
#include "editors/advance_functions_protocol.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Checked : editors::ReplySink
{
    int statuses = 0;
    int counters = 0;
    int transparent = 0;
    int last = -1;
    void PollStatus(int poll, bool) override
    {
        if (poll != last + 1 || poll >= editors::kDiagnosticsPolls)
            std::abort();
        last = poll;
        ++statuses;
    }
    void PollErrors(int poll, uint32_t) override
    {
        if (poll != last + 1 || poll >= editors::kDiagnosticsPolls)
            std::abort();
        last = poll;
        ++counters;
    }
    void TransparentMode(bool) override { ++transparent; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly the datagram's size, so a read beyond it is caught.
    const std::vector<char> datagram(data, data + size);
    const QByteArrayView view(datagram.data(), qsizetype(datagram.size()));
    const long body = long(size) - 1;
    for (const int32_t lastCmd : {-1, 0, 2, 4, 5, 6, 1, 3, 0xB0}) {
        Checked sink;
        const bool applied = editors::DecodeReply(lastCmd, view, sink);
        const int first = size ? data[0] : -1;
        const bool expected = (first == 0xB0 && lastCmd == editors::CmdReadStatus && size >= 2) ||
                              (first == 0xB2 && lastCmd == editors::CmdReadErrors) ||
                              (first == 0xB4 && lastCmd == editors::CmdReadTransparent && size >= 2);
        if (applied != expected)
            std::abort();
        const int statuses = first == 0xB0 && applied ? int(std::min(body, 128L)) * 8 : 0;
        const int counters = first == 0xB2 && applied ? int(std::min(body / 4, 1024L)) : 0;
        if (sink.statuses != statuses || sink.counters != counters ||
            sink.transparent != (first == 0xB4 && applied ? 1 : 0))
            std::abort();
    }
    return 0;
}
