// The telegram decoder: the telegram check, the fixed header, the record
// loop's edge cases, the value information tables, and robustness against
// damaged and cut telegrams.
#include "telegram_fixture.h"

#include "workspace.h"

#include <QLocale>

#include <functional>
#include <gtest/gtest.h>

using namespace mbus;

namespace {

Bytes Span(const ByteVec& v)
{
    return Bytes(v.data(), v.size());
}

TEST(Telegram, CheckAcceptsOnlyWholeLongFrames)
{
    const ByteVec good = Frame({0x04, 0x13, 0x39, 0x30, 0x00, 0x00});
    EXPECT_TRUE(Is_Valid_Telegram(Span(good)));
    const struct
    {
        const char* name;
        std::function<void(ByteVec&)> damage;
    } cases[] = {
        {"checksum", [](ByteVec& f) { f[f.size() - 2] ^= 1; }},
        {"stop byte", [](ByteVec& f) { f.back() = 0x17; }},
        {"first start", [](ByteVec& f) { f[0] = 0x10; }},
        {"second start", [](ByteVec& f) { f[3] = 0x10; }},
        {"lengths differ", [](ByteVec& f) { f[2] ^= 1; }},
        {"21 bytes", [](ByteVec& f) { f = Frame({}); f.pop_back(); f.back() = 0x16; }},
    };
    for (const auto& c : cases) {
        ByteVec f = good;
        c.damage(f);
        EXPECT_FALSE(Is_Valid_Telegram(Span(f))) << c.name;
    }
    // The length field is not compared with the answer's length.
    ByteVec longer = good;
    longer[1] = longer[2] = 0x40;
    EXPECT_TRUE(Is_Valid_Telegram(Span(longer)));
    EXPECT_TRUE(Is_Valid_Telegram(Span(Frame({0x2F}))));
    EXPECT_FALSE(Is_Valid_Telegram(Bytes()));
}

TEST(Telegram, FixedHeader)
{
    const struct
    {
        ByteVec header;
        const char* id;
        const char* manufacturer;
        uint32_t medium;
        const char* mediumName;
    } cases[] = {
        {{0x78, 0x56, 0x34, 0x12, 0x42, 0x04, 0x01, 0x07, 0x10, 0x00, 0x00, 0x00}, "12345678", "ABB", 7, "Water"},
        {{0x34, 0x12, 0x00, 0x00, 0x00, 0x00, 0x01, 0x0C, 0x10, 0x00, 0x00, 0x00}, "1234", "???", 12, "Heat (inlet) "},
        {{0x05, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x01, 0x08, 0x10, 0x00, 0x00, 0x00}, "05", "???", 8,
         "Heat Cost Allocator."},
        {{0x00, 0x00, 0x00, 0xA0, 0xAE, 0x4C, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00}, "A0000000", "SEN", 0, "Other"},
    };
    for (const auto& c : cases) {
        WiredSlaves list;
        bool more = true;
        const ByteVec f = Frame({0x02, 0x13, 0x01, 0x00}, 0x72, c.header);
        ASSERT_EQ(Add_Wired_Slave(list, -1, Span(f), more, FixedContext()), 0);
        const TSlave_MBus& s = *list[0];
        EXPECT_EQ(s.Primary_Addresss, 5);
        EXPECT_EQ(s.Secondary_Addresss, QLatin1String(c.id));
        EXPECT_EQ(s.descManufacture, QLatin1String(c.manufacturer));
        EXPECT_EQ(s.Manufacture, c.header[4] + 256u * c.header[5]);
        EXPECT_EQ(s.Version, 1u);
        EXPECT_EQ(s.Medium, c.medium);
        EXPECT_EQ(s.descmedium, QLatin1String(c.mediumName));
        EXPECT_EQ(s.Status, 0u);
        EXPECT_FALSE(more);
        EXPECT_EQ(s.List_Var.size(), 1u);
    }
}

TEST(Telegram, SlaveListUse)
{
    WiredSlaves list;
    bool more = false;
    const ByteVec first = Frame({0x04, 0x13, 0x01, 0x00, 0x00, 0x00, 0x1F});
    const ByteVec second = Frame({0x04, 0x13, 0x02, 0x00, 0x00, 0x00});
    EXPECT_EQ(Add_Wired_Slave(list, -1, Span(first), more, FixedContext()), 0);
    EXPECT_TRUE(more);
    EXPECT_EQ(Add_Wired_Slave(list, 0, Span(second), more, FixedContext()), 0);
    EXPECT_FALSE(more);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0]->List_Var.size(), 2u);

    // Another CI keeps the meter without records.
    EXPECT_EQ(Add_Wired_Slave(list, -1, Span(Frame({0x04, 0x13, 0x01, 0x00, 0x00, 0x00, 0x1F}, 0x78)), more,
                              FixedContext()),
              1);
    EXPECT_FALSE(more);
    EXPECT_TRUE(list[1]->List_Var.empty());

    // A damaged answer or an index outside the list adds nothing.
    ByteVec bad = second;
    bad[bad.size() - 2] ^= 1;
    EXPECT_EQ(Add_Wired_Slave(list, -1, Span(bad), more, FixedContext()), -1);
    EXPECT_EQ(Add_Wired_Slave(list, 2, Span(second), more, FixedContext()), -1);
    EXPECT_EQ(list.size(), 2);
}

TEST(Telegram, ClearingTheScanListsFreesMetersAndRecords)
{
    bool more = false;
    const ByteVec f = Frame({0x04, 0x13, 0x01, 0x00, 0x00, 0x00});
    ASSERT_EQ(Add_Wired_Slave(WiredSlaveList, -1, Span(f), more, FixedContext()), 0);
    WirelessSlaveList.append(std::make_shared<TSlave_wMBus>());
    const std::weak_ptr<TSlave_MBus> wired = WiredSlaveList[0];
    const std::weak_ptr<TSlave_wMBus> wireless = WirelessSlaveList[0];
    WiredSlaveList.clear();
    WirelessSlaveList.clear();
    EXPECT_TRUE(wired.expired());
    EXPECT_TRUE(wireless.expired());
}

TEST(Telegram, Helpers)
{
    const uint8_t bcd[] = {0x12, 0xF4, 0x34, 0x12};
    EXPECT_EQ(BCD_To_Int64(Bytes(bcd, 2)), -412);
    EXPECT_EQ(BCD_To_Int64(Bytes(bcd + 2, 2)), 1234);
    EXPECT_EQ(BCD_To_Int64(Bytes()), 0);
    const uint8_t digitsAF[] = {0xAB};
    EXPECT_EQ(BCD_To_Int64(Bytes(digitsAF, 1)), 111);   // digits above 9 count arithmetically
    const std::vector<uint8_t> twenty(20, 0x99);
    BCD_To_Int64(Bytes(twenty.data(), twenty.size()));   // too long for 64 bits: wraps, no overflow
    EXPECT_EQ(Trova_Man(0x0442), QStringLiteral("ABB"));
    EXPECT_EQ(Trova_Man(0), QStringLiteral("???"));
    EXPECT_EQ(Two_Digit_Str(5), QStringLiteral("05"));
    EXPECT_EQ(Two_Digit_Str(127), QStringLiteral("127"));
}

struct RecordCase
{
    const char* name;
    ByteVec area;
    size_t count;
    bool more;
    std::function<void(const std::vector<TVariable_MBus>&)> check;
};

void RunCase(const RecordCase& c, bool wireless = false)
{
    SCOPED_TRACE(c.name);
    bool more = !c.more;
    const auto list = Records(c.area, &more, wireless);
    EXPECT_EQ(more, c.more);
    ASSERT_EQ(list.size(), c.count);
    if (c.check)
        c.check(list);
}

TEST(Telegram, RecordLoop)
{
    ByteVec tenDifes = {0x84};
    for (int i = 0; i < 9; ++i)
        tenDifes.push_back(0xB0);
    tenDifes.push_back(0x30);
    tenDifes.insert(tenDifes.end(), {0x13, 0x01, 0x00, 0x00, 0x00});
    ByteVec elevenDifes = {0x84};
    for (int i = 0; i < 10; ++i)
        elevenDifes.push_back(0x81);
    elevenDifes.insert(elevenDifes.end(), {0x01, 0x13, 0x01, 0x00, 0x00, 0x00, 0x01, 0x13, 0x07});
    ByteVec elevenVifes = {0x01, 0x93};
    for (int i = 0; i < 10; ++i)
        elevenVifes.push_back(0xA0);
    elevenVifes.insert(elevenVifes.end(), {0x20, 0x05, 0x01, 0x13, 0x07});

    const RecordCase cases[] = {
        {"storage, tariff, subunit from the DIFEs, first lowest",
         {0xC4, 0x81, 0x40, 0x13, 0x01, 0x00, 0x00, 0x00}, 1, false, [](const auto& l) {
             EXPECT_EQ(l[0].storage_number, 3);
             EXPECT_EQ(l[0].tarif, 0u);
             EXPECT_EQ(l[0].device, 2);
             EXPECT_EQ(l[0].numdife, 2);
             EXPECT_EQ(l[0].DIF, QStringLiteral("$C4"));
             EXPECT_EQ(l[0].DIFE, QStringLiteral("$81 $40 "));
         }},
        {"a 20-bit tariff", tenDifes, 1, false, [](const auto& l) {
             EXPECT_EQ(l[0].tarif, 0xFFFFFu);
             EXPECT_EQ(l[0].numdife, 10);
         }},
        {"eleven DIFEs: ten kept, the record and the next one decoded", elevenDifes, 2, false,
         [](const auto& l) {
             EXPECT_EQ(l[0].numdife, 10);
             EXPECT_EQ(l[0].storage_number, 0x1111111111 * 2);
             EXPECT_EQ(l[1].ValueStr, QStringLiteral("0.007"));
         }},
        {"eleven VIFEs: ten kept", elevenVifes, 2, false, [](const auto& l) {
             EXPECT_EQ(l[0].VIFE.count(QLatin1Char('$')), 10);
             EXPECT_EQ(l[0].Desc_Type_Data,
                       QStringLiteral("Volume m3") + QStringLiteral(" - Per Second").repeated(10));
             EXPECT_EQ(l[1].ValueStr, QStringLiteral("0.007"));
         }},
        {"DIF 1F announces more, adds no record", {0x01, 0x13, 0x05, 0x1F, 0x01, 0x02}, 1, true, nullptr},
        {"DIF 0F ends, manufacturer data follow", {0x01, 0x13, 0x05, 0x0F, 0x01, 0x13, 0x05}, 1, false, nullptr},
        {"DIF 2F fillers are skipped", {0x2F, 0x01, 0x13, 0x05, 0x2F, 0x2F, 0x01, 0x13, 0x06}, 2, false, nullptr},
        {"DIF 3F ends", {0x01, 0x13, 0x05, 0x3F, 0x13, 0x01, 0x13, 0x05}, 1, false, nullptr},
        {"DIF 8F with DIFE and VIF is skipped", {0x8F, 0x01, 0x13, 0x01, 0x13, 0x05}, 1, false, nullptr},
        {"selection for readout ends", {0x01, 0x13, 0x05, 0x08, 0x13, 0x01, 0x13, 0x05}, 1, false, nullptr},
        {"VIF 7E ends", {0x01, 0x13, 0x05, 0x01, 0x7E, 0x05}, 1, false, nullptr},
        {"reserved LVAR: a record that cannot be analysed", {0x0D, 0x13, 0xFB, 0x01, 0x13, 0x05}, 2, false,
         [](const auto& l) {
             EXPECT_TRUE(l[0].errata);
             EXPECT_EQ(l[0].sterror, QStringLiteral("Non analizabile"));
             EXPECT_EQ(l[0].descdim, QStringLiteral("Variable length: Reserved"));
             EXPECT_EQ(l[0].DataFieldStr, QStringLiteral("Variable Length - Reserved"));
             EXPECT_EQ(l[0].nbyte, 0);
             EXPECT_FALSE(l[1].errata);
         }},
        {"data past the area end the parse", {0x01, 0x13, 0x05, 0x04, 0x13, 0x01, 0x02, 0x03}, 1, false, nullptr},
        {"a DIFE chain past the area ends the parse", {0x01, 0x13, 0x05, 0x84, 0x81}, 1, false, nullptr},
        {"a VIFE chain past the area ends the parse", {0x01, 0x13, 0x05, 0x01, 0x93, 0xA0}, 1, false, nullptr},
        {"no VIF ends the parse", {0x01, 0x13, 0x05, 0x01}, 1, false, nullptr},
        {"a unit text past the area ends the parse", {0x01, 0x13, 0x05, 0x01, 0xFC, 0xF3, 0x41}, 1, false, nullptr},
        {"an LVAR past the area ends the parse", {0x01, 0x13, 0x05, 0x0D, 0x13, 0x05, 0x41}, 1, false, nullptr},
        {"data bytes", {0x07, 0x13, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}, 1, false, [](const auto& l) {
             EXPECT_EQ(l[0].totdati, QStringLiteral("0102030405060708"));
             EXPECT_EQ(l[0].dato_A, 0x04030201u);
             EXPECT_EQ(l[0].dato_B, 0x08070605u);
             EXPECT_EQ(l[0].nbyte, 8);
             EXPECT_EQ(l[0].descdim, QStringLiteral("64 Bit Integer"));
             EXPECT_EQ(l[0].DataFieldStr, QStringLiteral("64 Bit Integer"));
             EXPECT_EQ(l[0].FunctionFieldStr, QStringLiteral("Istantaneous value"));
             EXPECT_EQ(l[0].vifvalue, 0x13);
             EXPECT_EQ(l[0].casovif, 0);
             EXPECT_EQ(l[0].datagiorno, QStringLiteral("10/12/26"));
             EXPECT_EQ(l[0].tempo, QStringLiteral("16:00:00"));
             EXPECT_TRUE(l[0].Enable);
             EXPECT_TRUE(l[0].Real_Wireless_Var);
         }},
        {"variable-length texts", {0x0D, 0x13, 0xC2, 0x34, 0x12, 0x0D, 0x13, 0xE1, 0x05}, 2, false,
         [](const auto& l) {
             EXPECT_EQ(l[0].descdim, QStringLiteral("Variable length: Positive BCD number with 2 *2 digits"));
             EXPECT_EQ(l[0].DataFieldStr, QStringLiteral("Variable Length - Positive BCD Number with 4 digits"));
             EXPECT_EQ(l[0].ValueStr, QStringLiteral("1.234"));
             EXPECT_EQ(l[1].DataFieldStr, QStringLiteral("Variable Length - Binary Number with 1 Bytes"));
             EXPECT_EQ(l[1].ValueStr, QStringLiteral("0"));
         }},
        {"function fields", {0x11, 0x13, 0x01, 0x21, 0x13, 0x01, 0x31, 0x13, 0x01}, 3, false, [](const auto& l) {
             EXPECT_EQ(l[0].FunctionFieldStr, QStringLiteral("Maximum value"));
             EXPECT_EQ(l[1].FunctionFieldStr, QStringLiteral("Minimum value"));
             EXPECT_EQ(l[2].FunctionFieldStr, QStringLiteral("Value during error state"));
             EXPECT_EQ(l[2].function_fild, 3);
         }},
    };
    for (const RecordCase& c : cases)
        RunCase(c);
}

TEST(Telegram, WirelessFillerMarkers)
{
    const auto list = Records({0x2F, 0x01, 0x13, 0x05, 0x2F}, nullptr, true);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_FALSE(list[0].Real_Wireless_Var);
    EXPECT_FALSE(list[0].errata);
    EXPECT_EQ(list[0].DIF, QStringLiteral("$2F"));
    EXPECT_TRUE(list[1].Real_Wireless_Var);
    EXPECT_FALSE(list[2].Real_Wireless_Var);
}

struct ValueCase
{
    const char* name;
    ByteVec record;
    const char* desc;
    int type;
    int vifeCode;
    const char* value;
};

TEST(Telegram, ValueInformation)
{
    const ValueCase cases[] = {
        {"volume, 10^-3", {0x04, 0x13, 0x39, 0x30, 0x00, 0x00}, "Volume m3", 2, 0, "12.345"},
        {"energy, 10^0", {0x02, 0x03, 0x10, 0x00}, "Energy Wh", 0, 0, "16"},
        {"negative 24 bit", {0x03, 0x13, 0xFF, 0xFF, 0xFF}, "Volume m3", 2, 0, "-0.001"},
        {"BCD with a sign nibble", {0x0A, 0x13, 0x12, 0xF4}, "Volume m3", 2, 0, "-0.412"},
        {"real", {0x05, 0x13, 0x00, 0x00, 0xC0, 0x3F}, "Volume m3", 2, 0, "0.0015"},
        {"exponent form", {0x01, 0x48, 0x01}, "Volume Flow ext. m3/s", 10, 0, "1E-9"},
        {"64 bit", {0x07, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, "Energy Wh", 0, 0,
         "9.22337203685478E18"},
        {"on time, no scaling", {0x02, 0x22, 0x10, 0x00}, "On Time Hours", 4, 0, "16"},
        {"averaging duration", {0x01, 0x71, 0x03}, "Averaging Duration Minutes", 17, 0, "3"},
        {"date, type G", {0x02, 0x6C, 0x65, 0x2B}, "Time Point Date (Type G)", 20, 0, "05/11/19"},
        {"date and time, type F", {0x04, 0x6D, 0x1E, 0x0C, 0x65, 0x23}, "Time Point Date and Time (Type F)", 20, 0,
         "05/03/19 12:30"},
        {"time, type J", {0x03, 0x6D, 0x3B, 0x1E, 0x0C}, "Time Point Extended Time Point (Type J)", 20, 0,
         "12:30:59"},
        {"date and time, type I", {0x06, 0x6D, 0x3B, 0x1E, 0x2C, 0x65, 0x23, 0x00}, "Time Point Extended Date and Time "
         "Point (Type I)", 20, 0, "Monday 05/03/19 12:30:59"},
        {"time point of another size", {0x01, 0x6D, 0x07}, "", 20, 0, "7"},
        {"H.C.A. units", {0x02, 0x6E, 0x10, 0x00}, "Units for H.C.A.", 22, 0, "16"},
        {"fabrication number", {0x0C, 0x78, 0x78, 0x56, 0x34, 0x12}, "Fabrication No", 23, 0, "12345678"},
        {"no VIF meaning", {0x01, 0x6F, 0x07}, "", 65535, 0, "7"},
        {"manufacturer VIF", {0x01, 0xFF, 0x01, 0x07}, "Manufacturer Specific", 65535, 0, "7"},
        {"error flags", {0x02, 0xFD, 0x17, 0x00, 0x00}, "Error Flag (Binary)", 19, 18, "0"},
        {"volts, 10^-1", {0x02, 0xFD, 0x48, 0xE8, 0x03}, "Electric Units Volts", 19, 38, "100"},
        {"storage interval", {0x01, 0xFD, 0x26, 0x02}, "Storage Interval Hour(s)", 19, 28, "2"},
        {"battery", {0x02, 0xFD, 0x6E, 0x02, 0x00}, "Operating Time Battery Month(s)", 19, 49, "2"},
        {"FD reserved code", {0x01, 0xFD, 0x23, 0x02}, "Reserved", 19, 0, "2"},
        {"FD then combinable", {0x01, 0xFD, 0xC8, 0x22, 0x02}, "Electric Units Volts - Per Hour", 19, 38, "0.2"},
        {"FD then a phase", {0x02, 0xFD, 0xC8, 0xFC, 0x01, 0xE8, 0x03},
         "Electric Units Volts - At Phase L1", 19, 38, "100"},
        {"FB humidity", {0x01, 0xFB, 0x1A, 0x37}, "Relative Humidity %", 19, 141, "5.5"},
        {"FB volume 10^2", {0x01, 0xFB, 0x10, 0x02}, "Volume m3", 19, 53, "200"},
        {"combinable VIFE", {0x04, 0x93, 0x3B, 0x01, 0x00, 0x00, 0x00},
         "Volume m3 - Accumulation Only if Positive Contributions (Forward Flow Contribution)", 2, 95, "0.001"},
        {"combinable without a row", {0x01, 0x93, 0x08, 0x01}, "Volume m3 - Reserved", 2, 0, "0.001"},
        {"the first code is kept", {0x01, 0x93, 0xA2, 0x3B, 0x01}, "Volume m3 - Per Hour - Accumulation Only if "
         "Positive Contributions (Forward Flow Contribution)", 2, 72, "0.001"},
        {"duration digits", {0x01, 0x93, 0x52, 0x01}, "Volume m3 - Duration 02 of First Lower Limit Exceed", 2, 100,
         "0.001"},
        {"correction factor text only", {0x01, 0x93, 0x73, 0x01},
         "Volume m3 - Moltiplicative Correction Factor: 10^(-3)", 2, 103, "0.001"},
        {"additive constant", {0x01, 0x93, 0x79, 0x01},
         "Volume m3 - Additive Correction Constant: 10^(-2) * Unit of VIF", 2, 104, "0.001"},
        {"a dating VIFE", {0x02, 0x93, 0x6A, 0x65, 0x2B}, "Volume m3 - Date(/Time) of Begin of First", 2, 102,
         "05/11/19"},
        {"ASCII data give 0", {0x0D, 0x78, 0x03, 0x63, 0x62, 0x61}, "Fabrication No", 23, 0, "0"},
        {"plain-text unit, ASCII data in reading order", {0x0D, 0x7C, 0x02, 0x44, 0x49, 0x03, 0x63, 0x62, 0x61},
         "Vif in following String", 21, 0, "abc"},
        {"plain-text unit, numeric data", {0x02, 0x7C, 0x03, 0x68, 0x57, 0x6B, 0xD2, 0x0F},
         "Vif in following String", 21, 0, "4050"},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto list = Records(c.record);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].Desc_Type_Data, QString::fromUtf8(c.desc));
        EXPECT_EQ(list[0].type_data, c.type);
        EXPECT_EQ(list[0].Type_Data_Vife, c.vifeCode);
        EXPECT_EQ(list[0].ValueStr, QString::fromUtf8(c.value));
    }
}

TEST(Telegram, PlainTextUnitAndDecimalPoint)
{
    const auto list = Records({0x02, 0xFC, 0x03, 0x68, 0x57, 0x6B, 0x22, 0xA2, 0x0F});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].VIF_ASCII, QStringLiteral("kWh"));
    EXPECT_EQ(list[0].casovif, 101);
    EXPECT_EQ(list[0].Desc_Type_Data, QStringLiteral("Vif in following String - Per Hour"));

    DecodeContext comma = FixedContext();
    comma.decimalPoint = u',';
    std::vector<TVariable_MBus> records;
    const ByteVec area = {0x04, 0x13, 0x39, 0x30, 0x00, 0x00};
    Decode_Data_Records(records, Span(area), comma);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].ValueStr, QStringLiteral("12,345"));
}

TEST(Telegram, TheContextTakesTheDefaultLocalesDecimalPoint)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const DecodeContext german = DecodeContext::Now();
    QLocale::setDefault(QLocale::c());
    const DecodeContext c = DecodeContext::Now();
    QLocale::setDefault(saved);
    EXPECT_EQ(german.decimalPoint, QChar(u','));
    EXPECT_EQ(c.decimalPoint, QChar(u'.'));
    EXPECT_FALSE(c.date.isEmpty());
    EXPECT_FALSE(c.time.isEmpty());
}

// Every error frame decodes within bounds; those failing the check make no meter.
TEST(Telegram, ErrorFrames)
{
    const QStringList frames = HexFrames(TelegramDir("error-frames"));
    ASSERT_GE(frames.size(), 15);
    int rejected = 0;
    for (const QString& name : frames) {
        const ByteVec f = ReadHexFile(TelegramDir("error-frames/") + name + QStringLiteral(".hex"));
        WiredSlaves list;
        bool more = false;
        const int index = Add_Wired_Slave(list, -1, Span(f), more, FixedContext());
        EXPECT_EQ(index >= 0, Is_Valid_Telegram(Span(f))) << name.toStdString();
        EXPECT_EQ(list.size(), index >= 0 ? 1 : 0);
        if (index < 0)
            ++rejected;
    }
    EXPECT_EQ(rejected, 11);
}

bool SameRecord(const TVariable_MBus& a, const TVariable_MBus& b)
{
    return a.DIF == b.DIF && a.DIFE == b.DIFE && a.VIF == b.VIF && a.VIFE == b.VIFE && a.totdati == b.totdati
           && a.ValueStr == b.ValueStr && a.Desc_Type_Data == b.Desc_Type_Data;
}

// Every cut of every frame's record area, re-framed with its length and
// checksum, keeps a prefix of the whole frame's records, growing with the cut.
TEST(Telegram, EveryCutOfEveryFrame)
{
    for (const char* folder : {"frames", "error-frames"})
        for (const QString& name : HexFrames(TelegramDir(folder))) {
            const ByteVec f = ReadHexFile(TelegramDir(folder) + QLatin1Char('/') + name + QStringLiteral(".hex"));
            if (f.size() <= 21 || f[6] != LongHeaderCI)
                continue;
            const ByteVec header(f.begin() + 7, f.begin() + 19);
            const ByteVec area(f.begin() + 19, f.end() - 2);
            WiredSlaves whole;
            bool more = false;
            ASSERT_EQ(Add_Wired_Slave(whole, -1, Span(Frame(area, 0x72, header)), more, FixedContext()), 0);
            const auto& all = whole[0]->List_Var;
            size_t previous = 0;
            for (size_t cut = 1; cut <= area.size(); ++cut) {
                const ByteVec part(area.begin(), area.begin() + static_cast<std::ptrdiff_t>(cut));
                WiredSlaves list;
                ASSERT_EQ(Add_Wired_Slave(list, -1, Span(Frame(part, 0x72, header)), more, FixedContext()), 0);
                const auto& got = list[0]->List_Var;
                ASSERT_LE(got.size(), all.size()) << name.toStdString() << " cut " << cut;
                ASSERT_GE(got.size(), previous) << name.toStdString() << " cut " << cut;
                for (size_t i = 0; i < got.size(); ++i)
                    ASSERT_TRUE(SameRecord(got[i], all[i])) << name.toStdString() << " cut " << cut << " record " << i;
                previous = got.size();
            }
            EXPECT_EQ(previous, all.size()) << name.toStdString();
        }
}

} // namespace
