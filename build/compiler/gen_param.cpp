#include "gen_param.h"

#include "bank_buffers.h"
#include "app/common/type_set.h"

#include <cstring>

using device::TypeSet;
using device::Types;
using device::FindTypeRow;

namespace {

constexpr int Keep = -1;   // "-": the preset leaves the reset value

struct ExtraPreset
{
    int offset;
    int width;
    uint32_t value;
    int onlyType;   // Keep: every type of the row
};

// Presets by device type, stored before ParGen.xml is looked for.
struct PresetRow
{
    TypeSet types;
    int configPort;   // 52
    int optionFlags;  // 58
    int mode[4];      // 96..99
    ExtraPreset extra[3];
    int extraCount;
};

constexpr PresetRow kPresets[] = {
    {Types(0, 27), 5000, 0, {2, 0, 0, 0}, {}, 0},
    {Types(15), 10000, 0, {0, 0, 0, 0}, {}, 0},
    {Types(1), 5000, 0, {0, 0, 0, 0},
     {{212, 4, 0x65000, Keep}, {216, 4, 0x66800, Keep}, {220, 4, 0x64800, Keep}}, 3},
    {Types(2), 5000, 0, {192, 0, 0, 4}, {}, 0},
    {Types(4, 25), 5000, 0, {2, 16, 0, 0}, {}, 0},
    {Types(18, 1018), 10000, 0, {0, 0, 0, 0}, {}, 0},
    {Types(5, 26), 5000, 0, {2, 64, 0, 0}, {}, 0},
    {Types(16), 10000, 0, {0, 0, 0, 0}, {}, 0},
    {Types(6, 14), 5000, 0, {2, 0, 0, 16}, {}, 0},
    {Types(7, 28), 5000, 0, {2, 0, 0, 48}, {}, 0},
    {Types(8, 24), Keep, 0, {2, 0, 0, 2}, {{560, 4, 0x68800, 8}}, 1},
    {Types(9), Keep, 0, {2, 8, 0, 0}, {}, 0},
    {Types(11), 5000, 0, {0, 0, 0, 0}, {{76, 4, 0x58000, Keep}, {196, 4, 0x58000, Keep}}, 2},
    {Types(19), 10000, 0, {3, 0, 0, 0}, {{76, 4, 0x68800, Keep}, {196, 4, 0x68800, Keep}}, 2},
    {Types(12), 5000, 0, {66, 0, 0, 0}, {}, 0},
    {Types(17), 10000, 0, {0, 0, 0, 0}, {}, 0},
    {Types(13, 20), 5000, 0, {0, 0, 0, 0}, {{54, 2, 44818, Keep}, {56, 2, 44818, Keep}}, 2},
    {Types(23), 10000, Keep, {Keep, Keep, Keep, Keep}, {}, 0},
};

// PROFINET_PORT at 104: the types that read it and their default.
struct ServicePortRow
{
    TypeSet types;
    int defaultPort;
};

constexpr ServicePortRow kServicePorts[] = {
    {Types(4, 25), 10001},
    {Types(0, 15, 27), 2000},
    {Types(8, 24), 10002},
};

// The types whose station name goes to 440 instead of 80.
constexpr TypeSet kNameAt440 = Types(15, 16, 18, 19, 1018);

} // namespace

void Init_Gen_Param(GenBlock& block)
{
    std::memset(&block, 0, sizeof block);
    GenParam& p = block.Param;
    p.BusBitRate = 125000;
    p.SerialBaud = 9600;
    p.SerialDataBits = 8;
    p.ConfigPort = 10000;
    p.SecondPort = 10001;
    p.ThirdPort = 10001;
    p.SerialBaud2 = 9600;
    p.SerialDataBits2 = 8;
}

int Write_Sum_Block(const void* record, int recordSize, const void* tail, int tailSize, int pos,
                    BankBuffer& buffer)
{
    uint8_t block[GenBlockSize] = {};
    std::memcpy(block, record, static_cast<size_t>(recordSize));
    if (tailSize > 0)
        std::memcpy(block + GenBlockSumOffset - tailSize, tail, static_cast<size_t>(tailSize));
    PutLe(block, GenBlockSumOffset, 4, ByteSum(block, GenBlockSumOffset));
    return buffer.Put(pos, block, GenBlockSize);
}

int Write_Gen_Block(const GenBlock& block, int pos, BankBuffer& buffer)
{
    static_assert(GenBlockTailOffset + sizeof(GenParamTail) == GenBlockSumOffset);
    return Write_Sum_Block(&block.Param, sizeof(GenParam), &block.Tail, sizeof(GenParamTail), pos, buffer);
}

void Apply_Gen_Presets(GenParam& param, int deviceType)
{
    const PresetRow* row = FindTypeRow(kPresets, deviceType);
    if (!row)
        return;
    if (row->configPort != Keep)
        param.ConfigPort = static_cast<uint16_t>(row->configPort);
    if (row->optionFlags != Keep)
        param.OptionFlags = static_cast<uint16_t>(row->optionFlags);
    uint8_t* mode[4] = {&param.Mode1, &param.Mode2, &param.Mode3, &param.Mode4};
    for (int i = 0; i < 4; ++i)
        if (row->mode[i] != Keep)
            *mode[i] = static_cast<uint8_t>(row->mode[i]);
    for (int i = 0; i < row->extraCount; ++i) {
        const ExtraPreset& e = row->extra[i];
        if (e.onlyType == Keep || e.onlyType == deviceType)
            PutLe(&param, static_cast<size_t>(e.offset), e.width, e.value);
    }
}

int ServicePortDefault(int deviceType)
{
    const ServicePortRow* row = FindTypeRow(kServicePorts, deviceType);
    return row ? row->defaultPort : 0;
}

bool StationNameAt440(int deviceType)
{
    return kNameAt440.Has(deviceType);
}
