#include "par_gen_validation.h"

#include "device_type.h"
#include "int_text.h"
#include "language.h"
#include "par_gen_controls.h"
#include "par_gen_values.h"
#include "params/type_set.h"

#include <algorithm>
#include <optional>

using device::Types;
using params::TunnelPortTypes;
using params::NoPortRowTypes;

namespace {

// A failed check: its message, or nothing when it passed.
using Check = std::optional<QString>;

class Checker
{
public:
    Checker(const ParGenValues& values)
        : v(values)
    {
    }

    // The control's text as a whole number; -1 when it is not one.
    int Num(const QString& control) const
    {
        int32_t n;
        return TryStrToInt(v.Value(control), n) ? n : -1;
    }
    int Num(const char* control) const { return Num(QString::fromLatin1(control)); }
    bool On(const char* control) const { return v.Value(QLatin1String(control)) == QLatin1String("1"); }
    int Item(const char* control) const { return StrToIntDef(v.Value(QLatin1String(control)), -1); }
    bool Shown(const char* control) const { return v.IsShown(QLatin1String(control)); }

    static Check Range(int value, int lo, int hi, int text)
    {
        if (value >= lo && value <= hi)
            return std::nullopt;
        return Lang(text);
    }
    // A range whose upper limit is computed: the message ends with it.
    static Check UpTo(int value, int hi, int text)
    {
        if (value >= 0 && value <= hi)
            return std::nullopt;
        return Lang(text) + QString::number(hi);
    }

    // The box's four IP octets, four mask octets and, with the gateway on,
    // four gateway octets; messages text .. text + 11 in that order.
    Check Address(const char* box, int text) const
    {
        const QStringList octets = AddressOctetEdits(box);
        const int checked = On(GatewayCheck(box)) ? 12 : 8;
        for (int n = 0; n < checked; ++n) {
            if (auto e = Range(Num(octets.at(n)), 0, 255, text + n))
                return e;
        }
        return std::nullopt;
    }

    // The SNMPv3 privacy password, with version 3 and "Auth Priv".
    Check PrivacyPassword(const char* version, const char* level, const char* password, const char* hex) const
    {
        if (Item(version) != 2 || Item(level) != 2 || !Shown(password))
            return std::nullopt;
        QString p = v.Value(QLatin1String(password));
        while (!p.isEmpty() && p.front().unicode() <= 0x20)
            p.remove(0, 1);
        while (!p.isEmpty() && p.back().unicode() <= 0x20)
            p.chop(1);
        if (Shown(hex) && On(hex)) {
            if (p.size() % 2 != 0)
                return Lang(1801);
            if (!check_Hex_Privacy_Pass(p))
                return Lang(1802);
        } else if (p.size() > 15) {
            return Lang(1803);
        }
        return std::nullopt;
    }

    Check InOut(int inText, int outText, int hi) const
    {
        if (auto e = Range(Num("E_NB_IN_PROFINET"), 1, hi, inText))
            return e;
        return Range(Num("E_NB_OUT_PROFINET"), 1, hi, outText);
    }

    const ParGenValues& v;
};

#define CHECK(expr)                  \
    do {                             \
        if (Check e_ = (expr))       \
            return *e_;              \
    } while (false)

QString FirstError(int type, const Checker& c, int polls)
{
    const bool agent = IsSnmpAgentType(type);
    const int in = c.Num("E_NB_IN_PROFINET");
    const int out = c.Num("E_NB_OUT_PROFINET");
    const int port = c.Num("E_PORT");

    // 1. The network box's address.
    CHECK(c.Address("GB_PROFINET", agent ? 865 : 152));

    // 2. The SNMPv3 privacy password of the network box.
    if (agent)
        CHECK(c.PrivacyPassword("CB_PROFI_SNMP_Version", "CB_PROFI_SNMP_Secure_Lev", "E_PROFI_SNMP_Priv_Pass",
                                "CB_PROFI_SNMP_Priv_Pass_Hex"));

    // 3. The port.
    static const int kReserved[] = {5000, 10000, 10001, 34962, 34963, 34964};
    const bool portFree = port >= 1 && port <= 65535 && std::find(std::begin(kReserved), std::end(kReserved), port) == std::end(kReserved);
    if (TunnelPortTypes.Has(type)) {
        if (!portFree)
            return Lang(type == 15 ? 877 : 164);
    } else if (!NoPortRowTypes.Has(type)) {
        if (port != 34964)
            return Lang(165);
    }

    // 4 to 13. The protocol boxes.
    if (Types(0, 27).Has(type))
        CHECK(c.InOut(166, 167, 1439));
    if (type == 1) {
        CHECK(c.InOut(166, 167, 1439));
        if (c.On("CB_PROFINET_En_Diagnostic"))
            CHECK(Checker::UpTo(c.Num("E_PROFINET_Diagnostic_Address"), out - 8, 712));
        CHECK(Checker::Range(c.Num("E_ID_DNET_Master"), 0, 63, 168));
    }
    if (type == 2) {
        CHECK(Checker::Range(c.Num("E_ID_DNET_Slave"), 0, 63, 169));
        CHECK(Checker::Range(c.Num("E_NB_IN_DNET_Slave"), 0, 455, 170));
        CHECK(Checker::Range(c.Num("E_NB_OUT_DNET_Slave"), 0, 455, 171));
    }
    if (Types(3, 23).Has(type)) {
        CHECK(Checker::Range(c.Num("E_ID_DEV_PROFI_Slave"), 1, 125, 172));
        CHECK(Checker::Range(c.Num("E_B_IN_PROFI_Slave"), 0, 244, 173));
        CHECK(Checker::Range(c.Num("E_B_OUT_PROFI_Slave"), 0, 244, 174));
    }
    if (Types(4, 18, 25, 1018).Has(type)) {
        if (c.Item("CB_Serial_Modbus_Master") == 0 && c.Item("CB_Baud_Modbus_Master") >= 9)
            return Lang(967);
        CHECK(Checker::Range(c.Num("E_TO_Modbus_Master"), 0, 100000, 175));
        CHECK(Checker::Range(c.Num("E_CD_Modbus_Master"), 0, 10000, 176));
        if (Types(4, 25).Has(type)) {
            CHECK(c.InOut(166, 167, 1439));
            if (c.On("CB_PROFINET_En_Diagnostic"))
                CHECK(Checker::UpTo(c.Num("E_PROFINET_Diagnostic_Address"), out - 1, 712));
            if (c.On("CB_PROFINET_En_Modbus_Poll"))
                CHECK(Checker::UpTo(c.Num("E_PROFINET_ModPolls_Address"), in - polls, 958));
            if (c.Item("CB_Stop_Modbus_Master") >= 1 && c.Item("CB_Par_Modbus_Master") >= 1)
                return Lang(960);
        }
    }
    if (Types(5, 26).Has(type)) {
        CHECK(Checker::Range(c.Num("E_ID_Modbus_Slave"), 1, 247, 177));
        CHECK(c.InOut(166, 167, 1439));
    }
    if (Types(6, 14).Has(type)) {
        CHECK(Checker::Range(c.Num("E_TO_J1939"), 0, 100000, 178));
        CHECK(Checker::Range(c.Num("E_J1939_DeviceID"), 0, 255, 998));
    }
    if (Types(7, 28).Has(type))
        CHECK(Checker::Range(c.Num("E_TO_NMEA2000"), 0, 100000, 179));
    if (Types(8, 24).Has(type)) {
        CHECK(c.InOut(166, 167, 1439));
        if (type == 8) {
            if (c.On("CB_PROFINET_En_Diagnostic"))
                CHECK(Checker::UpTo(c.Num("E_PROFINET_Diagnostic_Address"), out - 8, 712));
            if (c.On("CB_PROFINET_CANopen_CMD"))
                CHECK(Checker::UpTo(c.Num("E_PROFINET_CANopen_CMD"), out - 14, 976));
        }
        CHECK(Checker::Range(c.Num("E_ID_CANopen"), 1, 127, 180));
        if (c.On("CB_Net_Ope_CANopen"))
            CHECK(Checker::Range(c.Num("E_NO_Delay_CANopen"), 0, 255, 181));
        CHECK(Checker::Range(c.Num("E_SDO_TO_CANopen"), 0, 100000, 182));
        if (c.On("CB_CANopen_En_Sync"))
            CHECK(Checker::Range(c.Num("E_CANopen_Sync_Time"), 1, 4000000, 905));
        if (c.On("CB_CANopen_En_TSDO")) {
            if (in < 10)
                return Lang(993);
            CHECK(Checker::UpTo(c.Num("E_CANopen_TSDO_Add_In"), in - 10, 994));
            if (out < 5)
                return Lang(995);
            CHECK(Checker::UpTo(c.Num("E_CANopen_TSDO_Add_Out"), out - 5, 996));
        }
    }
    if (type == 9)
        CHECK(c.InOut(183, 184, 500));

    // 14. The final checks.
    if (Types(10, 21).Has(type)) {
        if (type == 10)
            CHECK(Checker::Range(out, 1, 1439, 167));
        CHECK(Checker::Range(c.Num("E_CD_Mbus"), 0, 864000, 185));
        CHECK(Checker::Range(c.Num("E_NSE_MBus"), 0, 255, 186));
    } else if (Types(11, 19).Has(type)) {
        CHECK(Checker::Range(c.Num("E_TO_Modbus_TCP_Master"), 0, 100000, 651));
        CHECK(Checker::Range(c.Num("E_CD_Modbus_TCP_Master"), 0, 10000, 652));
        if (type == 11)
            CHECK(c.InOut(166, 167, 1439));
        CHECK(c.Address("GB_Modbus_TCP_Master", 719));
    } else if (Types(12, 17).Has(type)) {
        // Type 17 has no port of its own in the network box; its hidden port
        // (always 34964) is kept free as for type 12, so the message holds.
        const int slavePort = c.Num("E_Port_Modbus_TCP_Slave");
        if (slavePort < 0 || slavePort > 65535 || slavePort == 10000 || slavePort == port)
            return Lang(653) + QString::number(port);
        if (type == 12)
            CHECK(c.InOut(166, 167, 1439));
        CHECK(c.Address("GB_Modbus_TCP_Slave", 731));
    } else if (type == 13) {
        CHECK(c.InOut(885, 886, 496));
        CHECK(c.Address("GB_EtherNetIP", 887));
    } else if (type == 16) {
        CHECK(Checker::Range(c.Num("E_ID_Modbus_Slave"), 1, 247, 177));
    } else if (type == 20) {
        CHECK(c.InOut(922, 923, 1023));
        CHECK(c.Address("GB_SNMP", 924));
        CHECK(c.PrivacyPassword("CB_SNMP_Version", "CB_SNMP_Secure_Lev", "E_SNMP_Priv_Pass", "CB_SNMP_Priv_Pass_Hex"));
    } else if (Types(22, 29).Has(type)) {
        CHECK(Checker::Range(c.Num("E_DMX_Num_Channel"), 1, 512, 939));
    }
    return QString();
}

#undef CHECK

} // namespace

QString ParGenFirstError(int type, const ParGenValues& values, int numModbusPolls)
{
    return FirstError(type, Checker(values), numModbusPolls);
}

bool check_Hex_Privacy_Pass(const QString& s)
{
    for (const QChar ch : s) {
        const char16_t c = ch.unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}
