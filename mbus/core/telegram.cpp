#include "mbus/core/telegram.h"

#include "platform/cp1252.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <iterator>

namespace mbus {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void Append_Hex(QString& s, uint8_t b)
{
    s += QLatin1Char(kHex[b >> 4]);
    s += QLatin1Char(kHex[b & 0x0F]);
}

// "$XX", or "$XX " per byte for a list.
QString Dollar_Hex(uint8_t b)
{
    QString s(QLatin1Char('$'));
    Append_Hex(s, b);
    return s;
}

QString Dollar_Hex_List(Bytes bytes)
{
    QString s;
    s.reserve(static_cast<qsizetype>(bytes.size() * 4));
    for (uint8_t b : bytes) {
        s += QLatin1Char('$');
        Append_Hex(s, b);
        s += QLatin1Char(' ');
    }
    return s;
}

struct MediumRow
{
    uint8_t code;
    const char* name;
};
constexpr MediumRow kMedia[] = {
    {1, "Oil"}, {2, "Electricity"}, {3, "Gas"}, {4, "Heat (outlet)"}, {5, "Steam"}, {6, "Hot Water"},
    {7, "Water"}, {8, "Heat Cost Allocator."}, {9, "Compressed Air"}, {10, "Cooling load meter (outlet)"},
    {11, "Cooling load meter (inlet)"}, {12, "Heat (inlet) "}, {13, "Heat/Cooling load meter"},
    {14, "Bus/System"}, {15, "Unknown Medium"}, {22, "Cold Water"}, {23, "Dual Water"}, {24, "Pressure"},
    {25, "A/D Converter"},
};

constexpr const char* kFunctionTexts[4] = {
    "Istantaneous value", "Maximum value", "Minimum value", "Value during error state",
};

// Per data field: data bytes (-1: by LVAR), descdim and DataFieldStr.
struct DataFieldRow
{
    int bytes;
    const char* descdim;
    const char* fieldStr;
};
constexpr DataFieldRow kDataFields[16] = {
    {0, "No data", ""},
    {1, "8 Bit Integer", "8 Bit Integer"},
    {2, "16 Bit Integer", "16 Bit Integer"},
    {3, "24 Bit Integer", "24 Bit Integer"},
    {4, "32 Bit Integer", "32 Bit Integer"},
    {4, "32 Bit real", "32 Bit Real"},
    {6, "48 Bit Integer", "48 Bit Integer"},
    {8, "64 Bit Integer", "64 Bit Integer"},
    {0, "Selection for Readout", ""},
    {1, "2 digit BCD", "2 Digit BCD"},
    {2, "4 digit BCD", "4 Digit BCD"},
    {3, "6 digit BCD", "6 Digit BCD"},
    {4, "8 digit BCD", "8 Digit BCD"},
    {-1, "", ""},
    {6, "12 digit BCD", "12 Digit BCD"},
    {0, "", "Special Function"},
};

constexpr uint8_t VariableLengthField = 13;
constexpr uint8_t SelectionField = 8;
constexpr uint8_t SpecialField = 15;

const QString kNotAnalysable = QStringLiteral("Non analizabile");

// A variable-length value by its LVAR byte: data bytes and both texts.
struct Lvar
{
    int bytes;
    QString descdim;
    QString fieldStr;
    bool reserved;
};

Lvar Describe_Lvar(uint8_t lvar)
{
    if (lvar <= 0xBF)
        return {lvar, QStringLiteral("Variable length: ASCII string with %1 characters").arg(lvar),
                QStringLiteral("Variable Length - ASCII String with %1characters").arg(lvar), false};
    if (lvar <= 0xCF) {
        const int n = lvar - 0xC0;
        return {n, QStringLiteral("Variable length: Positive BCD number with %1 *2 digits").arg(n),
                QStringLiteral("Variable Length - Positive BCD Number with %1 digits").arg(2 * n), false};
    }
    if (lvar <= 0xDF) {
        const int n = lvar - 0xD0;
        return {n, QStringLiteral("Variable length: Negative BCD number with %1 *2 digits").arg(n),
                QStringLiteral("Variable Length - Negative BCD Number with %1 digits").arg(2 * n), false};
    }
    if (lvar <= 0xEF) {
        const int n = lvar - 0xE0;
        return {n, QStringLiteral("Variable length: Binary number with %1 bytes").arg(n),
                QStringLiteral("Variable Length - Binary Number with %1 Bytes").arg(n), false};
    }
    if (lvar <= 0xFA) {
        const int n = lvar - 0xF0;
        return {n, QStringLiteral("Variable length: Floating Point number with %1 bytes").arg(n),
                QStringLiteral("Variable Length - Floating Point Number with %1 Bytes").arg(n), false};
    }
    return {0, QStringLiteral("Variable length: Reserved"), QStringLiteral("Variable Length - Reserved"), true};
}

constexpr int MaxExtensions = 10;

// Reads an extension chain (DIFEs or VIFEs) from p on: keeps the first ten,
// consumes the rest. False when the area ends inside the chain.
bool Read_Chain(Bytes area, size_t& p, uint8_t (&kept)[MaxExtensions], int& count)
{
    count = 0;
    for (;;) {
        if (p >= area.size())
            return false;
        const uint8_t b = area[p++];
        if (count < MaxExtensions)
            kept[count++] = b;
        if (!(b & 0x80))
            return true;
    }
}

} // namespace

DecodeContext DecodeContext::Now(bool wireless)
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    DecodeContext c;
    c.date = locale.toString(now.date(), QLocale::ShortFormat);
    c.time = locale.toString(now.time(), QLocale::ShortFormat);
    const QString point = locale.decimalPoint();
    c.decimalPoint = point.isEmpty() ? QChar(u'.') : point[0];
    c.wireless = wireless;
    return c;
}

bool Is_Valid_Telegram(Bytes a)
{
    const size_t n = a.size();
    if (n <= 21 || a[0] != 0x68 || a[3] != 0x68 || a[1] != a[2] || a[n - 1] != 0x16)
        return false;
    uint8_t sum = 0;
    for (size_t i = 4; i + 2 < n; ++i)
        sum = static_cast<uint8_t>(sum + a[i]);
    return a[n - 2] == sum;
}

QString Trova_Man(uint32_t code)
{
    QString s;
    for (int shift : {10, 5, 0}) {
        const uint32_t c = 64 + ((code >> shift) & 0x1F);
        s += c >= 'A' && c <= 'Z' ? QLatin1Char(static_cast<char>(c)) : QLatin1Char('?');
    }
    return s;
}

QString Medium_Description(uint32_t medium)
{
    for (const MediumRow& m : kMedia)
        if (m.code == medium)
            return QString::fromLatin1(m.name);
    return QStringLiteral("Other");
}

int64_t BCD_To_Int64(Bytes bytes)
{
    // Unsigned: digits A..F and long spans wrap instead of overflowing.
    uint64_t sum = 0;
    uint64_t place = 1;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t b = bytes[i];
        sum += (b & 0x0Fu) * place;
        place *= 10;
        if (i + 1 == bytes.size() && (b >> 4) == 0x0F)
            return static_cast<int64_t>(0 - sum);
        sum += static_cast<uint64_t>(b >> 4) * place;
        place *= 10;
    }
    return static_cast<int64_t>(sum);
}

QString Two_Digit_Str(int n)
{
    QString s = QString::number(n);
    return s.size() == 1 ? QLatin1Char('0') + s : s;
}

void Decode_Header(Bytes a, TSlave_MBus& s)
{
    if (a.size() < 19)
        return;
    s.Primary_Addresss = a[5];
    const uint32_t id = a[7] | (a[8] << 8) | (a[9] << 16) | (static_cast<uint32_t>(a[10]) << 24);
    s.Secondary_Addresss = QString::number(id, 16).toUpper();
    if (s.Secondary_Addresss.size() < 2)
        s.Secondary_Addresss.prepend(QLatin1Char('0'));
    s.Manufacture = a[11] + 256u * a[12];
    s.Version = a[13];
    s.Medium = a[14];
    s.Status = a[16];
    s.descManufacture = Trova_Man(s.Manufacture);
    s.descmedium = Medium_Description(s.Medium);
}

int Add_Wired_Slave(WiredSlaves& list, int index, Bytes answer, bool& moreFollows, const DecodeContext& ctx)
{
    moreFollows = false;
    if (!Is_Valid_Telegram(answer) || index >= list.size())
        return -1;
    if (index < 0) {
        auto slave = std::make_shared<TSlave_MBus>();
        Decode_Header(answer, *slave);
        list.append(std::move(slave));
        index = static_cast<int>(list.size() - 1);
    }
    constexpr size_t FirstRecord = 19;
    if (answer[6] == LongHeaderCI)
        moreFollows = Decode_Data_Records(list[index]->List_Var,
                                          answer.subspan(FirstRecord, answer.size() - FirstRecord - 2), ctx);
    return index;
}

bool Decode_Data_Records(std::vector<TVariable_MBus>& list, Bytes area, const DecodeContext& ctx)
{
    const size_t n = area.size();
    size_t p = 0;
    while (p < n) {
        const uint8_t dif = area[p++];
        const uint8_t dataField = dif & 0x0F;
        const uint8_t storageBit = (dif >> 6) & 1;
        uint8_t difes[MaxExtensions];
        int numDife = 0;
        uint8_t vifes[MaxExtensions];
        int numVife = 0;
        uint8_t vif = 0;
        Bytes unitText;

        const bool bare = dif == 0x0F || dif == 0x1F || dif == 0x2F;
        if (!bare) {
            if ((dif & 0x80) && !Read_Chain(area, p, difes, numDife))
                return false;
            if (p >= n)
                return false;
            vif = area[p++];
            if ((vif & 0x7F) == 0x7C) {
                if (p >= n)
                    return false;
                const size_t len = area[p++];
                if (len > n - p)
                    return false;
                unitText = area.subspan(p, len);
                p += len;
            }
            if ((vif & 0x80) && !Read_Chain(area, p, vifes, numVife))
                return false;
        }

        uint8_t lvar = 0;
        int dataBytes = kDataFields[dataField].bytes;
        Lvar variable{};
        if (dataField == VariableLengthField) {
            if (p >= n)
                return false;
            lvar = area[p++];
            variable = Describe_Lvar(lvar);
            dataBytes = variable.bytes;
        }
        if (static_cast<size_t>(dataBytes) > n - p)
            return false;
        const Bytes data = area.subspan(p, static_cast<size_t>(dataBytes));
        p += static_cast<size_t>(dataBytes);

        if (dataField == SpecialField) {
            if (dif == 0x0F || dif == 0x1F)   // manufacturer data follow
                return dif == 0x1F;
            if (dif >= 0x3F && dif <= 0x7F)
                return false;
            if (dif == 0x2F && ctx.wireless) {   // the idle filler, as a marker
                TVariable_MBus& m = list.emplace_back();
                m.DataFieldStr = QString::fromLatin1(kDataFields[SpecialField].fieldStr);
                m.datagiorno = ctx.date;
                m.tempo = ctx.time;
                m.Real_Wireless_Var = false;
                m.DIF = Dollar_Hex(dif);
            }
            continue;
        }
        if (dataField == SelectionField || vif == 0x7E || vif == 0xFE)
            return false;

        TVariable_MBus& r = list.emplace_back();
        r.datagiorno = ctx.date;
        r.tempo = ctx.time;
        r.DIF = Dollar_Hex(dif);
        r.dimension = dataField;
        if (dataField == VariableLengthField) {
            r.DataFieldStr = variable.fieldStr;
            r.descdim = variable.descdim;
            if (variable.reserved) {
                r.errata = true;
                r.sterror = kNotAnalysable;
            }
        } else {
            r.DataFieldStr = QString::fromLatin1(kDataFields[dataField].fieldStr);
            r.descdim = QString::fromLatin1(kDataFields[dataField].descdim);
        }
        r.nbyte = dataBytes;
        r.function_fild = (dif >> 4) & 3;
        r.storage_number = storageBit;
        if (numDife > 0) {
            r.DIFE = Dollar_Hex_List(Bytes(difes, static_cast<size_t>(numDife)));
            r.numdife = numDife;
            int64_t storage = 0;
            uint32_t tariff = 0;
            uint32_t subunit = 0;
            for (int i = numDife - 1; i >= 0; --i) {
                subunit = subunit * 2 + ((difes[i] >> 6) & 1);
                tariff = tariff * 4 + ((difes[i] >> 4) & 3);
                storage = storage * 16 + (difes[i] & 0x0F);
            }
            r.storage_number = storage * 2 + storageBit;
            r.tarif = tariff;
            r.device = static_cast<uint16_t>(subunit);
        }
        r.VIF = vif;
        if ((vif & 0x7F) == 0x7C) {
            r.casovif = 101;
            QByteArray text;   // received last character first
            for (size_t i = unitText.size(); i-- > 0;)
                text += static_cast<char>(unitText[i]);
            r.VIF_ASCII = Cp1252ToString(text);
        } else if (vif == 0xFB || vif == 0xFD) {
            r.casovif = vif == 0xFD ? 1 : 2;
            r.vifvalue = vifes[0];
        } else if ((vif & 0x7F) == 0x7F) {
            r.casovif = 100;
        } else if ((vif & 0x7F) <= 0x7A) {
            r.vifvalue = vif;
        }
        if (numVife > 0) {
            r.PrinVIFE = vifes[0];
            r.VIFE = Dollar_Hex_List(Bytes(vifes, static_cast<size_t>(numVife)));
        }
        r.totdati.reserve(static_cast<qsizetype>(data.size() * 2));
        for (size_t k = 0; k < data.size(); ++k) {
            Append_Hex(r.totdati, data[k]);
            if (k < 4)
                r.dato_A += static_cast<uint32_t>(data[k]) << (8 * k);
            else if (k < 8)
                r.dato_B += static_cast<uint32_t>(data[k]) << (8 * (k - 4));
        }
        Decode_VIF(vif, Bytes(vifes, static_cast<size_t>(numVife)), dataField, lvar, data, r, ctx);
        r.FunctionFieldStr = QString::fromLatin1(kFunctionTexts[r.function_fild]);
    }
    return false;
}

} // namespace mbus
