#include "mbus/scan/requests.h"

#include <algorithm>

namespace mbus {

namespace {

constexpr uint8_t SND_NKE_C = 0x40;
constexpr uint8_t REQ_UD2_FCB1 = 0x7B;
constexpr uint8_t REQ_UD2_FCB0 = 0x5B;
constexpr uint8_t SND_UD_FCB1 = 0x73;
constexpr uint8_t SND_UD_FCB0 = 0x53;
constexpr uint8_t CI_App_Reset = 0x50;
constexpr uint8_t CI_Select = 0x52;

constexpr uint8_t kNoSlave[] = {'N', 'O', '_', 'S', 'L', 'A', 'V', 'E', 0x0A, 0x0D};

uint8_t Sum(const std::vector<uint8_t>& f, size_t from)
{
    uint8_t sum = 0;
    for (size_t i = from; i < f.size(); ++i)
        sum = static_cast<uint8_t>(sum + f[i]);
    return sum;
}

// 10 C A CS 16
std::vector<uint8_t> Short_Frame(uint8_t c, uint8_t address)
{
    std::vector<uint8_t> f = {0x10, c, address};
    f.push_back(Sum(f, 1));
    f.push_back(0x16);
    return f;
}

// 68 L L 68 C A CI data CS 16
std::vector<uint8_t> Long_Frame(uint8_t c, uint8_t address, uint8_t ci, std::initializer_list<uint8_t> data)
{
    const auto l = static_cast<uint8_t>(3 + data.size());
    std::vector<uint8_t> f = {0x68, l, l, 0x68, c, address, ci};
    f.insert(f.end(), data);
    f.push_back(Sum(f, 4));
    f.push_back(0x16);
    return f;
}

uint8_t Snd_Ud_C(bool fixC, uint8_t fixCValue)
{
    return fixC && fixCValue == 0 ? SND_UD_FCB0 : SND_UD_FCB1;
}

uint8_t Nibble(int digit)
{
    return digit < 0 ? 0x0F : static_cast<uint8_t>(digit & 0x0F);
}

} // namespace

std::vector<uint8_t> Build_SND_NKE(uint8_t address)
{
    return Short_Frame(SND_NKE_C, address);
}

std::vector<uint8_t> Build_REQ_UD2(uint8_t address, int framesRead, bool fixC, uint8_t fixCValue)
{
    const bool fcb = fixC ? fixCValue != 0 : framesRead % 2 == 0;
    return Short_Frame(fcb ? REQ_UD2_FCB1 : REQ_UD2_FCB0, address);
}

std::vector<uint8_t> Build_App_Reset(uint8_t address, bool fixC, uint8_t fixCValue)
{
    return Long_Frame(Snd_Ud_C(fixC, fixCValue), address, CI_App_Reset, {});
}

std::vector<uint8_t> Build_Select_Secondary(const std::array<int, 8>& d, bool fixC, uint8_t fixCValue)
{
    auto pair = [&](int hi, int lo) { return static_cast<uint8_t>(Nibble(d[hi]) << 4 | Nibble(d[lo])); };
    return Long_Frame(Snd_Ud_C(fixC, fixCValue), SelectedAddress, CI_Select,
                      {pair(6, 7), pair(4, 5), pair(2, 3), pair(0, 1), 0xFF, 0xFF, 0xFF, 0xFF});
}

AnswerKind Classify_Answer(Bytes a)
{
    if (a.size() == 1 && a[0] == 0xE5)
        return AnswerKind::Acknowledge;
    if (std::equal(a.begin(), a.end(), std::begin(kNoSlave), std::end(kNoSlave)))
        return AnswerKind::NoSlave;
    if (Is_Valid_Telegram(a))
        return AnswerKind::Telegram;
    return AnswerKind::Other;
}

int Answer_Address(Bytes a)
{
    return a.size() > 5 ? a[5] : -1;
}

uint32_t Answer_TimeOut_Ms(uint32_t k, int32_t baudrate)
{
    const uint32_t baud = baudrate < 1 ? 2400u : static_cast<uint32_t>(baudrate);
    return k / baud + 450;
}

bool Answer_Overdue(uint32_t now, uint32_t startSend, uint32_t timeout)
{
    return uint64_t{now} > uint64_t{startSend} + timeout || now < startSend;
}

} // namespace mbus
