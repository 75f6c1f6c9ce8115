#include "mbus/scan/wireless_frame.h"

#include <algorithm>

namespace mbus {

namespace {

constexpr int CI_Offset = 10;
constexpr uint8_t CI_Long = 0x72;
constexpr uint8_t CI_Short = 0x7A;
constexpr uint8_t CI_None = 0x78;

// The extended link layers 8C..8F: where the inner CI sits, which byte holds
// the encryption bit (0: none), and whether the application layer has its own
// identity (bytes 11..18).
struct ExtendedRow
{
    uint8_t ci;
    int innerCi;
    int snByte;
    bool ownIdentity;
    int offset78, offset7A, offset72;
};
constexpr ExtendedRow kExtended[] = {
    {0x8C, 13, 0, false, 14, 18, 26},
    {0x8D, 19, 16, false, 20, 24, 32},
    {0x8E, 21, 0, true, 22, 26, 34},
    {0x8F, 27, 24, true, 28, 32, 40},
};
constexpr int OtherRecordOffset = 23;

const ExtendedRow* Extended(uint8_t ci)
{
    for (const ExtendedRow& r : kExtended)
        if (r.ci == ci)
            return &r;
    return nullptr;
}

uint8_t At(const QByteArray& f, int i)
{
    return static_cast<uint8_t>(f[i]);
}

bool Own_Identity(uint8_t ci)
{
    if (ci == CI_Short)
        return false;
    const ExtendedRow* e = Extended(ci);
    return e ? e->ownIdentity : true;
}

// Where the records start, by CI (and inner CI).
int Record_Offset(const QByteArray& f)
{
    const uint8_t ci = At(f, CI_Offset);
    if (ci == CI_Short)
        return 15;
    if (const ExtendedRow* e = Extended(ci)) {
        switch (At(f, e->innerCi)) {
        case CI_None: return e->offset78;
        case CI_Short: return e->offset7A;
        case CI_Long: return e->offset72;
        default: return OtherRecordOffset;
        }
    }
    return OtherRecordOffset;
}

uint32_t Le32(const QByteArray& f, int i)
{
    return At(f, i) | At(f, i + 1) << 8 | At(f, i + 2) << 16 | static_cast<uint32_t>(At(f, i + 3)) << 24;
}

uint16_t Le16(const QByteArray& f, int i)
{
    return static_cast<uint16_t>(At(f, i) | At(f, i + 1) << 8);
}

bool Records_Start_Filler(const QByteArray& f, int offset, int end)
{
    return end - offset >= 2 && At(f, offset) == 0x2F && At(f, offset + 1) == 0x2F;
}

} // namespace

int Wireless_Min_Length(const QByteArray& f)
{
    if (f.size() <= CI_Offset)
        return CI_Offset + 1;
    const uint8_t ci = At(f, CI_Offset);
    int need = CI_Offset + 1;
    if (Own_Identity(ci))
        need = std::max(need, 19);
    if (ci == CI_Short)
        need = std::max(need, 15);   // configuration up to byte 14
    if (const ExtendedRow* e = Extended(ci)) {
        need = std::max(need, e->innerCi + 1);
        if (e->snByte)
            need = std::max({need, e->snByte + 1, 20});   // byte 19 decides for a known meter
        if (f.size() <= e->innerCi)
            return need + 3;
    }
    return std::max(need, Record_Offset(f)) + 3;
}

int Find_Wireless_Slave(const WirelessSlaves& list, uint16_t manufacturer, uint32_t address, uint8_t version,
                        uint8_t deviceType)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        const TSlave_wMBus& s = *list[i];
        if (s.ALA_Manufacturer == manufacturer && s.ALA_Address == address && s.ALA_Version == version &&
            s.ALA_DeviceType == deviceType)
            return static_cast<int>(i);
    }
    return -1;
}

int8_t Wireless_RSSI(uint8_t last, TRadioModule module)
{
    if (module == rmTelit)
        return static_cast<int8_t>(-static_cast<int>(last) - 2);
    return static_cast<int8_t>(static_cast<int8_t>(last) / 2 + 1);
}

int Decode_Wireless_Frame(WirelessSlaves& list, const QByteArray& f, TRadioModule module, const DecodeContext& ctx,
                          const QDateTime& now)
{
    if (f.size() < Wireless_Min_Length(f))
        return -1;
    const uint8_t ci = At(f, CI_Offset);
    TSlave_wMBus head;
    head.Message_Type = At(f, 1);
    head.LLA_Manufacturer = Le16(f, 2);
    head.LLA_Address = Le32(f, 4);
    head.LLA_Version = At(f, 8);
    head.LLA_DeviceType = At(f, 9);
    if (Own_Identity(ci)) {
        head.ALA_Address = Le32(f, 11);
        head.ALA_Manufacturer = Le16(f, 15);
        head.ALA_Version = At(f, 17);
        head.ALA_DeviceType = At(f, 18);
    } else {
        head.ALA_Address = head.LLA_Address;
        head.ALA_Manufacturer = head.LLA_Manufacturer;
        head.ALA_Version = head.LLA_Version;
        head.ALA_DeviceType = head.LLA_DeviceType;
    }

    const ExtendedRow* extended = Extended(ci);
    int index = Find_Wireless_Slave(list, head.ALA_Manufacturer, head.ALA_Address, head.ALA_Version,
                                    head.ALA_DeviceType);
    bool decode = true;
    if (index < 0) {
        auto meter = std::make_shared<TSlave_wMBus>(head);
        meter->LLA_Manu_str = Trova_Man(head.LLA_Manufacturer);
        meter->ALA_Manu_str = Trova_Man(head.ALA_Manufacturer);
        meter->RSSI = Wireless_RSSI(At(f, static_cast<int>(f.size() - 1)), module);
        meter->RadioCrafts_Ind_Tab_Decript = -1;
        list.append(std::move(meter));
        index = static_cast<int>(list.size() - 1);
    } else if (extended && extended->snByte) {
        const uint8_t b = At(f, 19);
        decode = b == CI_Long || b == CI_None || b == CI_Short;
    }
    if (!decode)
        return index;

    TSlave_wMBus& meter = *list[index];
    meter.List_Var.clear();
    meter.DateTime = now;
    const int end = static_cast<int>(f.size()) - 3;
    const int offset = Record_Offset(f);
    bool plain = false;
    if (ci == CI_Short) {
        const uint8_t mode = At(f, 14) & 0x0F;
        plain = mode == 0 || (mode == 5 && Records_Start_Filler(f, offset, end));
    } else if (ci == CI_Long) {
        plain = Records_Start_Filler(f, offset, end);
    } else if (extended) {
        plain = extended->snByte == 0 || !(At(f, extended->snByte) & 0x20);
    }
    if (!plain && ci == 0x8D && At(f, extended->innerCi) == CI_None)
        plain = true;
    meter.Cripted = !plain;
    if (plain) {
        DecodeContext c = ctx;
        c.wireless = true;
        Decode_Data_Records(meter.List_Var,
                            Bytes(reinterpret_cast<const uint8_t*>(f.constData()) + offset,
                                  static_cast<size_t>(end - offset)),
                            c);
    }
    return index;
}

} // namespace mbus
