#include "scan_fixture.h"

#include "mbus/scan/scan_worker.h"
#include "mbus/scan/wireless_frame.h"

using namespace mbus;

namespace {

const QByteArray kEnableConfig = QByteArrayLiteral("Keltrona_Enable_Configuration_Mode");
const QByteArray kTypeModule = QByteArrayLiteral("Keltrona_Type_Radio_Module");
const QByteArray kDisableConfig = QByteArrayLiteral("Keltrona_Disable_Configuration_Mode");

// A module frame: L C M M A A A A V T CI body, then two bytes and the signal
// strength; L makes the length L + 3 (Telit) or L + 1 (RadioCrafts).
QByteArray ModuleFrame(TRadioModule module, uint8_t ci, const QByteArray& body, uint32_t id = 0x12345678,
                       uint16_t manufacturer = 0x2C2D, uint8_t rssi = 0x40)
{
    QByteArray f(1, '\0');
    f += char(0x44);
    f += char(manufacturer & 0xFF);
    f += char(manufacturer >> 8);
    for (int i = 0; i < 4; ++i)
        f += char(id >> (8 * i));
    f += char(0x01);   // version
    f += char(0x07);   // water
    f += char(ci);
    f += body;
    f += QByteArray(2, char(0xAA));
    f += char(rssi);
    f[0] = char(f.size() - (module == rmTelit ? 3 : 1));
    return f;
}

// CI 7A: access number, status, configuration (mode in the low nibble of the second byte), records.
QByteArray ShortHeader(uint8_t mode, const QByteArray& records)
{
    return Raw({0x01, 0x00, 0x00, mode}) + records;
}

const QByteArray kVolume = Raw({0x04, 0x13, 0x10, 0x27, 0x00, 0x00});   // 10000 l

struct SteppedWireless : SteppedLink
{
    WirelessScan scan{env};
    std::vector<int> updates;
    std::vector<bool> withMeter;

    void Begin(int32_t mode, mbussim::Radio radio = mbussim::Radio::Telit, TSelectHard hw = shEthernet)
    {
        sim.With([&](mbussim::ConverterCore& c) { c.radio = radio; });
        WirelessSettings s;
        s.Select_Hardware = hw;
        s.Port_Wireless = sim.Port();
        s.wMBusMode = mode;
        s.wMBusRadioChannel = 3;
        scan.Begin(s, [this](int index, const TSlave_wMBus* m) {
            updates.push_back(index);
            withMeter.push_back(m != nullptr);
        });
        flags.InScan = true;
    }
    void Step()
    {
        scan.Scan_Decode_Wireless();
        Settle();
    }
    void StepUntil(int32_t step, int max = 5000)
    {
        for (int n = 0; n < max && flags.InScan && scan.Step_Scan != step; ++n)
            Step();
        ASSERT_EQ(scan.Step_Scan, step);
    }
    // Pushes frames and lets the scan take them in.
    void Push(const std::vector<QByteArray>& frames)
    {
        for (const QByteArray& f : frames)
            sim.Push_Frame(f);
        Settle();
        Step();
    }
    std::vector<QByteArray> CommandsFrom(size_t first)
    {
        std::vector<QByteArray> r = Requests();
        return std::vector<QByteArray>(r.begin() + static_cast<long>(std::min(first, r.size())), r.end());
    }
};

struct WirelessTest : testing::Test, SteppedWireless
{
};

std::vector<QByteArray> Lines(std::initializer_list<const char*> texts)
{
    std::vector<QByteArray> out;
    for (const char* t : texts)
        out.push_back(QByteArray(t));
    return out;
}

} // namespace

TEST_F(WirelessTest, TelitSetUpWithEveryRegister)
{
    Begin(1);
    StepUntil(WirelessScan::TelitListening);
    EXPECT_EQ(Requests(), Lines({"Keltrona_Enable_Configuration_Mode", "Keltrona_Type_Radio_Module", "+++", "ATR\r",
                                 "ATS400=1\r", "ATS401=0\r", "ATS402=191\r", "ATS420=3\r", "ATS421=0\r",
                                 "ATS422=3\r", "ATS430=5\r", "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS442=0\r",
                                 "ATS452=0\r", "ATS453=0\r", "ATS454=0\r", "ATO\r"}));
    EXPECT_TRUE(link.Listening());
    EXPECT_EQ(flags.Result, 1);
    EXPECT_EQ(scan.RadioModule, rmTelit);
}

TEST_F(WirelessTest, TelitSetUpSkipsThreeRegistersInTheNModes)
{
    for (int mode : {15, 17}) {
        SCOPED_TRACE(mode);
        SteppedWireless t;
        t.Begin(mode);
        t.StepUntil(WirelessScan::TelitListening);
        const std::vector<QByteArray> r = t.Requests();
        const QByteArray modeLine = "ATS400=" + QByteArray::number(mode) + "\r";
        EXPECT_EQ(r, Lines({"Keltrona_Enable_Configuration_Mode", "Keltrona_Type_Radio_Module", "+++", "ATR\r",
                            modeLine.constData(), "ATS401=0\r", "ATS402=191\r", "ATS420=3\r", "ATS422=3\r",
                            "ATS430=5\r", "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS452=0\r", "ATS453=0\r",
                            "ATO\r"}));
    }
}

TEST_F(WirelessTest, ARepliesWithoutItsEndingEndsWithResult2)
{
    struct Case
    {
        const char* what;
        Fault fault;
        mbussim::Radio radio;
    };
    const Case cases[] = {
        {"OK without CR", {FaultKind::Truncate, Fault::ForText("ATR\r"), 2}, mbussim::Radio::Telit},
        {"no configuration mode", {FaultKind::WrongText, Fault::ForText(kEnableConfig)}, mbussim::Radio::Telit},
        {"unknown module", {FaultKind::WrongText, Fault::ForText(kTypeModule)}, mbussim::Radio::Telit},
        {"no prompt", {FaultKind::Drop, Fault::ForText(QByteArray(1, 0x4D))}, mbussim::Radio::RadioCrafts},
        {"short block after 30", {FaultKind::Truncate, Fault::ForText(QByteArray(1, 0x30)), 256},
         mbussim::Radio::RadioCrafts},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SteppedWireless t;
        t.sim.Add_Fault(c.fault);
        t.Begin(1, c.radio);
        for (int n = 0; n < 2000 && t.flags.InScan; ++n)
            t.Step();
        EXPECT_FALSE(t.flags.InScan);
        EXPECT_EQ(t.flags.Result, 2);
        EXPECT_EQ(t.Requests().back(), kDisableConfig);
        EXPECT_FALSE(t.link.Listening());
    }
}

TEST_F(WirelessTest, RadioCraftsSetUpEmptiesTheKeyTable)
{
    Begin(15, mbussim::Radio::RadioCrafts);
    StepUntil(WirelessScan::RadioCraftsListening);
    const std::vector<QByteArray> r = Requests();
    std::vector<QByteArray> expected = {kEnableConfig, kTypeModule, Raw({0x00}), Raw({0x30}), Raw({0x4D}),
                                        Raw({0x03, 0x11, 0x04, 0x00, 0x05, 0x01, 0x12, 0x01, 0x16, 0x17, 0x3A,
                                             0x01, 0x3D, 0x02, 0x37, 0x01}),
                                        Raw({0xFF}), Raw({0x42})};
    for (int position = 1; position <= 64; ++position) {
        expected.push_back(Raw({position}));
        expected.push_back(QByteArray(8, '\0'));
    }
    expected.push_back(Raw({0x58}));
    EXPECT_EQ(r, expected);
    EXPECT_TRUE(link.Listening());
    EXPECT_EQ(scan.RadioModule, rmRadioCrafts);
}

TEST_F(WirelessTest, ConfigurationBlockModeByte)
{
    const std::pair<int, int> cases[] = {{5, 0x01}, {11, 0x0A}, {15, 0x11}, {17, 0x10}, {1, 0x03}, {99, 0x03}};
    for (const auto& [mode, value] : cases) {
        SCOPED_TRACE(mode);
        SteppedWireless t;
        t.Begin(mode, mbussim::Radio::RadioCrafts);
        t.StepUntil(307);
        const QByteArray block = t.Requests().back();
        ASSERT_EQ(block.size(), 16);
        EXPECT_EQ(static_cast<uint8_t>(block[1]), value);
    }
}

TEST_F(WirelessTest, FramesMakeMetersAndDecodeWhatIsNotEncrypted)
{
    Begin(1);
    StepUntil(WirelessScan::TelitListening);
    Push({
        ModuleFrame(rmTelit, 0x7A, ShortHeader(0x00, kVolume), 0x11111111),                          // plain
        ModuleFrame(rmTelit, 0x7A, ShortHeader(0x05, Raw({0x2F, 0x2F}) + kVolume), 0x22222222),      // decrypted
        ModuleFrame(rmTelit, 0x7A, ShortHeader(0x05, Raw({0x91, 0x12}) + kVolume), 0x33333333),      // encrypted
        ModuleFrame(rmTelit, 0x7A, Raw({0x01, 0x00}), 0x44444444),                                    // too short
        ModuleFrame(rmRadioCrafts, 0x7A, ShortHeader(0x00, kVolume), 0x55555555),                     // wrong length
    });
    ASSERT_EQ(wireless.size(), 3);
    EXPECT_EQ(updates, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(withMeter, (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(scan.New_Frame_Wireless);

    const TSlave_wMBus& plain = *wireless[0];
    EXPECT_EQ(plain.ALA_Address, 0x11111111u);
    EXPECT_EQ(plain.LLA_Address, 0x11111111u);
    EXPECT_EQ(plain.Message_Type, 0x44);
    EXPECT_EQ(plain.ALA_Manu_str, Trova_Man(0x2C2D));
    EXPECT_EQ(plain.RSSI, static_cast<int8_t>(-0x40 - 2));
    EXPECT_FALSE(plain.Cripted);
    ASSERT_EQ(plain.List_Var.size(), 1u);
    EXPECT_EQ(plain.List_Var[0].dato_A, 10000u);

    const TSlave_wMBus& filler = *wireless[1];
    EXPECT_FALSE(filler.Cripted);
    ASSERT_EQ(filler.List_Var.size(), 3u);   // two filler markers and the volume
    EXPECT_FALSE(filler.List_Var[0].Real_Wireless_Var);
    EXPECT_TRUE(filler.List_Var[2].Real_Wireless_Var);

    EXPECT_TRUE(wireless[2]->Cripted);
    EXPECT_TRUE(wireless[2]->List_Var.empty());

    // The same meter again: decoded again, no new meter.
    Push({ModuleFrame(rmTelit, 0x7A, ShortHeader(0x00, kVolume + kVolume), 0x11111111)});
    EXPECT_EQ(wireless.size(), 3);
    EXPECT_EQ(wireless[0]->List_Var.size(), 2u);
    EXPECT_EQ(updates.back(), 0);
}

TEST(WirelessFrame, ShortFramesAreDroppedByTheirCi)
{
    // For each CI: the shortest frame taken, and one byte less dropped.
    struct Case
    {
        uint8_t ci;
        uint8_t inner;   // for the extended link layers
        int minimum;
    };
    const Case cases[] = {
        {0x7A, 0, 18}, {0x72, 0, 26}, {0x78, 0, 26}, {0x8C, 0x78, 17}, {0x8C, 0x72, 29}, {0x8D, 0x7A, 27},
        {0x8E, 0x78, 25}, {0x8F, 0x72, 43}, {0x8F, 0x78, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << int(c.ci) << " " << int(c.inner));
        for (int size : {c.minimum - 1, c.minimum}) {
            QByteArray f(size, '\0');
            f[0] = char(size - 3);
            f[10] = char(c.ci);
            const int innerAt = c.ci == 0x8C ? 13 : c.ci == 0x8D ? 19 : c.ci == 0x8E ? 21 : 27;
            if (c.inner && innerAt < size)
                f[innerAt] = char(c.inner);
            WirelessSlaves list;
            const int index = Decode_Wireless_Frame(list, f, rmTelit, ScanTestContext(true), QDateTime());
            EXPECT_EQ(index, size < c.minimum ? -1 : 0) << size;
            EXPECT_EQ(list.size(), size < c.minimum ? 0 : 1);
        }
    }
    WirelessSlaves list;
    EXPECT_EQ(Decode_Wireless_Frame(list, QByteArray(), rmTelit, ScanTestContext(true), QDateTime()), -1);
    EXPECT_EQ(Decode_Wireless_Frame(list, QByteArray(10, '\x07'), rmTelit, ScanTestContext(true), QDateTime()), -1);
}

TEST(WirelessFrame, SignalStrength)
{
    EXPECT_EQ(Wireless_RSSI(0x40, rmTelit), -66);
    EXPECT_EQ(Wireless_RSSI(0xFF, rmTelit), -1);
    EXPECT_EQ(Wireless_RSSI(0x00, rmTelit), -2);
    EXPECT_EQ(Wireless_RSSI(0x40, rmRadioCrafts), 33);
    EXPECT_EQ(Wireless_RSSI(0xB1, rmRadioCrafts), -38);   // -79 / 2 toward zero, + 1
    EXPECT_EQ(Wireless_RSSI(0xFF, rmRadioCrafts), 1);
}

TEST_F(WirelessTest, AKeyBeforeTheModuleListensIsNotLoaded)
{
    Begin(1);
    StepUntil(110);
    std::array<uint8_t, 16> key{};
    key.fill(0xAB);
    EXPECT_FALSE(scan.Insert_Wireless_Key(0, key));
    EXPECT_EQ(scan.Step_Scan, 110);
    StepUntil(WirelessScan::TelitListening);
    // A meter index that does not exist.
    EXPECT_FALSE(scan.Insert_Wireless_Key(5, key));
}

TEST_F(WirelessTest, TelitKeyLoadingAndBackToListening)
{
    Begin(1);
    StepUntil(WirelessScan::TelitListening);
    Push({ModuleFrame(rmTelit, 0x7A, ShortHeader(0x05, Raw({0x91}) + kVolume), 0x01020304, 0x1234)});
    ASSERT_EQ(wireless.size(), 1);
    const size_t before = Requests().size();
    std::array<uint8_t, 16> key;
    for (int i = 0; i < 16; ++i)
        key[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 17);
    ASSERT_TRUE(scan.Insert_Wireless_Key(0, key));
    EXPECT_TRUE(wireless[0]->Enable_Key);
    EXPECT_EQ(wireless[0]->Key, key);
    Step();
    EXPECT_FALSE(link.Listening());
    StepUntil(WirelessScan::TelitListening);
    std::vector<QByteArray> expected = Lines({"+++", "ATS461=52\r", "ATS462=18\r", "ATS463=4\r", "ATS464=3\r",
                                              "ATS465=2\r", "ATS466=1\r", "ATS467=1\r", "ATS468=7\r"});
    for (int i = 0; i < 16; ++i)
        expected.push_back("ATS" + QByteArray::number(470 + i) + "=" + QByteArray::number(i * 17) + "\r");
    expected.push_back("ATS460=5\r");
    expected.push_back("ATO\r");
    EXPECT_EQ(CommandsFrom(before), expected);
    EXPECT_TRUE(link.Listening());
}

TEST_F(WirelessTest, TwoRadioCraftsKeysTakeTwoSlots)
{
    Begin(1, mbussim::Radio::RadioCrafts);
    StepUntil(WirelessScan::RadioCraftsListening);
    Push({ModuleFrame(rmRadioCrafts, 0x7A, ShortHeader(0x05, Raw({0x91}) + kVolume), 0xA1A2A3A4, 0x1111),
          ModuleFrame(rmRadioCrafts, 0x7A, ShortHeader(0x05, Raw({0x92}) + kVolume), 0xB1B2B3B4, 0x2222)});
    ASSERT_EQ(wireless.size(), 2);
    std::array<uint8_t, 16> key{};
    key.fill(0x5A);

    size_t before = Requests().size();
    ASSERT_TRUE(scan.Insert_Wireless_Key(0, key));
    StepUntil(WirelessScan::RadioCraftsListening);
    const std::vector<QByteArray> first = CommandsFrom(before);
    const std::vector<QByteArray> expected = {Raw({0x00}),
                                              Raw({0x42}),
                                              Raw({1}),
                                              Raw({0xA4, 0xA3, 0xA2, 0xA1, 0x11, 0x11, 0x01, 0x07}),
                                              Raw({0x4B}),
                                              Raw({1}),
                                              QByteArray(16, 0x5A),
                                              Raw({0x41}),
                                              Raw({1}),
                                              Raw({0x00, 0x40}),
                                              Raw({0x58})};
    EXPECT_EQ(first, expected);

    before = Requests().size();
    ASSERT_TRUE(scan.Insert_Wireless_Key(1, key));
    StepUntil(WirelessScan::RadioCraftsListening);
    const std::vector<QByteArray> second = CommandsFrom(before);
    ASSERT_EQ(second.size(), expected.size());
    EXPECT_EQ(second[2], Raw({2}));
    EXPECT_EQ(second[5], Raw({2}));
    EXPECT_EQ(second[8], Raw({2}));
    EXPECT_EQ(wireless[0]->RadioCrafts_Ind_Tab_Decript, 1);
    EXPECT_EQ(wireless[1]->RadioCrafts_Ind_Tab_Decript, 2);

    // A key again for the first meter keeps its slot.
    ASSERT_TRUE(scan.Insert_Wireless_Key(0, key));
    EXPECT_EQ(wireless[0]->RadioCrafts_Ind_Tab_Decript, 1);
}

TEST_F(WirelessTest, StopLeavesConfigurationModeWithoutACallback)
{
    Begin(1);
    StepUntil(WirelessScan::TelitListening);
    flags.StopScan = true;
    for (int n = 0; n < 50 && flags.InScan; ++n)
        Step();
    EXPECT_FALSE(flags.InScan);
    EXPECT_EQ(flags.Result, 1);
    EXPECT_EQ(Requests().back(), kDisableConfig);
    EXPECT_EQ(sim.CurrentMode(), mbussim::Mode::Normal);
    EXPECT_TRUE(updates.empty());
}

TEST_F(WirelessTest, OverTheSerialPortNothingIsSent)
{
    Begin(1, mbussim::Radio::Telit, shSerial);
    for (int n = 0; n < 20; ++n)
        Step();
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(scan.Step_Scan, wireless::Start);
    flags.AbortScan = true;
    Step();
    Step();
    EXPECT_FALSE(flags.InScan);
    EXPECT_TRUE(Requests().empty());
}

TEST(WirelessWorker, FramesPushedWhileAnotherThreadReadsTheList)
{
    ConverterSim sim;
    WiredSlaves wired;
    WirelessSlaves wireless;
    WorkerOptions o;
    o.pauses = {1, 1, 0};
    o.localAddress = QHostAddress(QHostAddress::LocalHost);
    o.wirelessLocalPort = 0;
    o.context = ScanTestContext;
    TMBusScanDecode w(wired, wireless, o);
    std::atomic<int> updates{0};
    w.Set_Run_Event();
    ASSERT_TRUE(w.Start_Scan_Wireless(shEthernet, QStringLiteral("127.0.0.1"), sim.Port(), 1, 0,
                                      [&](int, const TSlave_wMBus* m) {
                                          if (m && !m->List_Var.empty())
                                              ++updates;
                                      },
                                      false));
    ASSERT_TRUE(WaitUntil([&] { return w.Step_Scan() == WirelessScan::TelitListening; }, 10000));

    std::atomic<bool> stop{false};
    std::atomic<long> seen{0};
    std::thread reader([&] {
        // One more pass after the stop, so a reader that starts late still sees the list.
        for (bool last = false; !last;) {
            last = stop;
            std::lock_guard lock(w.SlaveLock());
            long records = 0;
            for (const auto& m : wireless)
                records += static_cast<long>(m->List_Var.size()) + m->RSSI;
            seen += records != 0;
        }
    });
    constexpr int Meters = 20;
    constexpr int Rounds = 10;
    for (int round = 0; round < Rounds; ++round)
        for (int m = 0; m < Meters; ++m)
            sim.Push_Frame(ModuleFrame(rmTelit, 0x7A, ShortHeader(0x00, kVolume), 0x1000 + m));
    const bool all = WaitUntil([&] { return updates == Meters * Rounds; }, 10000);
    stop = true;
    reader.join();
    EXPECT_TRUE(all) << updates;
    {
        std::lock_guard lock(w.SlaveLock());
        EXPECT_EQ(wireless.size(), Meters);
    }
    EXPECT_TRUE(w.New_Frame_Wireless());
    w.Stop_Scan();
    EXPECT_TRUE(WaitUntil([&] { return !w.InScan(); }, 10000));
    EXPECT_GT(seen, 0);
}
