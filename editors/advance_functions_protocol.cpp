#include "editors/advance_functions_protocol.h"

#include <algorithm>

namespace editors {

namespace {

constexpr int kBitmapBytes = kDiagnosticsPolls / 8;

QByteArray Bytes(std::initializer_list<uint8_t> bytes)
{
    QByteArray out;
    out.reserve(qsizetype(bytes.size()));
    for (uint8_t b : bytes)
        out.append(char(b));
    return out;
}

} // namespace

QByteArray ReadStatusRequest()
{
    return Bytes({kB0ReadStatus});
}

QByteArray ReadErrorsRequest()
{
    return Bytes({kB2ReadErrors});
}

QByteArray ReadTransparentRequest()
{
    return Bytes({kB4ReadTransparent});
}

QByteArray WriteStatusRequest(const QStringList& writeStatus)
{
    QByteArray out(1 + kBitmapBytes + 1, '\0');
    out[0] = char(kB1WriteStatus);
    const int polls = std::min<int>(int(writeStatus.size()), kDiagnosticsPolls);
    for (int p = 0; p < polls; ++p)
        if (writeStatus[p] == QLatin1String("Disable"))
            out[1 + p / 8] = char(uint8_t(out[1 + p / 8]) | (1u << (p % 8)));
    return out;
}

QByteArray WriteTransparentRequest(bool enable)
{
    return Bytes({kB3WriteTransparent, uint8_t(enable ? 1 : 0)});
}

QByteArray SlavePollsRequest(uint8_t slaveId, uint8_t listPosition)
{
    return Bytes({kB5SlavePolls, slaveId, listPosition});
}

QByteArray SinglePollRequest(uint8_t poll, uint8_t listPosition)
{
    return Bytes({kB6SinglePoll, poll, listPosition});
}

bool DecodeReply(int32_t lastCmd, QByteArrayView data, ReplySink& sink)
{
    if (data.isEmpty())
        return false;
    const auto at = [&](qsizetype i) { return uint8_t(data[i]); };
    switch (at(0)) {
    case kB0ReadStatus: {
        if (lastCmd != CmdReadStatus || data.size() < 2)
            return false;
        const qsizetype bytes = std::min<qsizetype>(data.size() - 1, kBitmapBytes);
        for (qsizetype a = 0; a < bytes; ++a)
            for (int j = 0; j < 8; ++j)
                sink.PollStatus(int(a * 8 + j), (at(1 + a) >> j) & 1);
        return true;
    }
    case kB2ReadErrors: {
        if (lastCmd != CmdReadErrors)
            return false;
        const qsizetype groups = std::min<qsizetype>((data.size() - 1) / 4, kDiagnosticsPolls);
        for (qsizetype c = 0; c < groups; ++c) {
            const qsizetype i = 1 + 4 * c;
            sink.PollErrors(int(c), uint32_t(at(i)) | uint32_t(at(i + 1)) << 8 | uint32_t(at(i + 2)) << 16 |
                                        uint32_t(at(i + 3)) << 24);
        }
        return true;
    }
    case kB4ReadTransparent:
        if (lastCmd != CmdReadTransparent || data.size() < 2)
            return false;
        sink.TransparentMode(at(1) == 1);
        return true;
    default:
        return false;
    }
}

} // namespace editors
