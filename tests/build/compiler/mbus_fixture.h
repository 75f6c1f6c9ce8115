#pragma once
// Helpers of the M-Bus compiler tests: project files of the M-Bus models and
// the reset blocks, built by offsets.
#include "compiler_fixture.h"

#include <QList>
#include <utility>
#include <vector>

// M_Bus.xml as the network editor writes it: the root, then the version comment.
inline QByteArray MBusNetworkXml(std::initializer_list<QByteArray> meters)
{
    QByteArray x = "<M-Bus_Network>";
    for (const QByteArray& m : meters)
        x += m;
    x += "</M-Bus_Network><!--SW_VERSION = 1.305-->";
    return x;
}

// A meter element with its attributes and its value elements.
inline QByteArray Meter(const QByteArray& attrs, std::initializer_list<QByteArray> values)
{
    QByteArray x = "<Nodo " + attrs + ">";
    for (const QByteArray& v : values)
        x += v;
    return x + "</Nodo>";
}

inline QByteArray Value(const QByteArray& attrs)
{
    return "<Variabile " + attrs + "/>";
}

// A used 32-bit value.
inline QByteArray Value32(const QByteArray& more = QByteArray())
{
    return Value("Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"2\" " + more);
}

// A ParGen.xml of an M-Bus model: the three required elements ("5", "0",
// "100") unless overridden; a null text leaves the element out.
using ParGenElements = std::vector<std::pair<const char*, const char*>>;

inline QByteArray MBusParGenXml(const ParGenElements& elements = {})
{
    QList<std::pair<QByteArray, const char*>> all = {
        {"Meter_Baud", "5"}, {"Meter_Par", "0"}, {"Meter_Req_Delay", "100"}};
    for (const auto& [name, text] : elements) {
        bool replaced = false;
        for (auto& e : all)
            if (e.first == name) {
                e.second = text;
                replaced = true;
            }
        if (!replaced)
            all.append({QByteArray(name), text});
    }
    QByteArray x = "<Par_Gen>";
    for (const auto& [name, text] : all)
        if (text)
            x += "<" + name + ">" + text + "</" + name + ">";
    return x + "</Par_Gen><!--SW_VERSION = 1.000-->";
}

// The header block after its reset (type 10: mode byte 192; type 21: 224), without its sum.
inline Image ResetMBusHeader(int type)
{
    const unsigned mode = type == 21 ? 224 : 192;
    Image h;
    h.U32(0, 125000).U32(12, 9600).U16(16, 8);
    h.Octets(40, 192, 168, 2, 205).Octets(44, 255, 255, 255, 0).Octets(48, 255, 255, 255, 255);
    h.U16(52, 10000).U16(54, 10001).U16(56, 10001).U16(58, mode);
    h.U32(60, 2400).U16(64, 8).U16(66, 2).U8(96, mode);
    return h;
}

// The parameter block after its reset, without its sum. Type 21 also has the
// SNMP table addresses, which the build sets with or without project files.
inline Image ResetMBusParam(int type)
{
    Image p;
    p.U32(0, 250000).U32(4, 250000).U32(8, 9600);
    p.Octets(40, 192, 168, 0, 5).Octets(44, 255, 255, 255, 0).Octets(48, 255, 255, 255, 255);
    p.U16(52, 10000).U8(59, type == 21 ? 224 : 192).U32(60, 9600).Octets(72, 192, 168, 0, 10);
    p.U8(526, 1).U8(529, 1).U8(532, 8).U8(535, 8).U8(570, 191).U8(590, 1);
    p.U32(596, 0x68800).U32(600, 120000);
    if (type == 21)
        p.U32(768, 0x80000).U32(772, 0x80000);
    return p;
}

// Offsets in bank2.bin (table base 1).
constexpr int Bank2Nodes = 9;
inline int Bank2Node(int i)
{
    return Bank2Nodes + 23 * i;
}
inline int Bank2Var(int nodeCount, int j)
{
    return Bank2Nodes + 23 * nodeCount + 26 * j;
}

// The build's error message; the build must fail.
inline QString BuildError()
{
    QList<BankFile> files;
    QString error;
    EXPECT_FALSE(Build_Banks(DeviceType, files, &error));
    EXPECT_FALSE(error.isEmpty());
    return error;
}
