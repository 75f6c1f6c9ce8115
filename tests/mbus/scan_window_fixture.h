#pragma once
// The Scan & Decode window on the converter simulator: a project of a type,
// the window shown with its worker on the simulator, the scan pauses
// shortened, the poll every 30 ms.
#include "meter_bus_window.h"
#include "scan_decode_window.h"

#include "mbus/core/network_file.h"
#include "mbus/models/network_editor.h"

#include "app/button/lb_button.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "build/compiler/compiler.h"
#include "controls/tree/widget/string_tree.h"
#include "mbus_converter_sim.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "user_input.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <chrono>
#include <gtest/gtest.h>

using mbussim::ConverterSim;
using mbussim::Fault;
using mbussim::FaultKind;
using mbussim::Meter;
using testsupport::At;
using testsupport::UserScript;
using State = mbus::ScanFormState;
using namespace lazytree;

namespace {

mbus::DecodeContext FixedContext(bool wireless)
{
    mbus::DecodeContext c;
    c.date = QStringLiteral("10/12/26");
    c.time = QStringLiteral("16:00");
    c.decimalPoint = u'.';
    c.wireless = wireless;
    return c;
}

// Ticks run twenty times faster than the wall clock: the answer time-outs
// of a silent converter pass in a moment.
class FastClock : public TickClock
{
public:
    uint32_t Ticks() override
    {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now() - m_start).count() * 20 + 1000);
    }
    void Sleep(int ms) override { std::this_thread::sleep_for(std::chrono::microseconds(ms * 50)); }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

mbus::WorkerOptions ToSim(const ConverterSim& sim, int requestPause = 0, TickClock* clock = nullptr)
{
    mbus::WorkerOptions o;
    o.clock = clock;
    o.pauses = {1, 1, requestPause};
    o.localAddress = QHostAddress(QHostAddress::LocalHost);
    o.localPort = 0;
    o.converterPort = sim.Port();
    o.context = FixedContext;
    return o;
}

void TwoMeters(ConverterSim& sim)
{
    sim.With([](mbussim::ConverterCore& c) {
        c.bus.meters = {Meter::From_Suite(2, 0x22222222, QStringLiteral("example_data_01")),
                        Meter::From_Suite(77, 0x77777777, QStringLiteral("els_falcon"), 2)};
    });
}

QStringList Visible(TFScanDecode& w)
{
    QStringList names;
    for (TLbButton* b : {w.Btn_StartScan, w.Btn_StopScan, w.Btn_AbortScan, w.Btn_NewScan, w.Btn_SaveConf,
                         w.Btn_SaveConfManual})
        if (b->isVisible())
            names << b->objectName();
    return names;
}

// A window shown for a project of the type, its worker on the simulator.
struct ScanWindow
{
    TempProgramFolder folder;
    MessageRecorder rec;
    ConverterSim sim;
    std::unique_ptr<TFScanDecode> w;

    explicit ScanWindow(int type, int requestPause = 0, TickClock* clock = nullptr) : folder(type)
    {
        folder.OpenProject();
        w = std::make_unique<TFScanDecode>(nullptr, ToSim(sim, requestPause, clock));
        w->XML_Code_Dev = type == 21 ? 20 : 11;
        w->FileName_MBus = File_M_Bus;
        w->PollInterval = 30;
        w->open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    // The converter's address typed as a person types it: the dots walk
    // from edit to edit.
    void TypeAddress()
    {
        UserScript user;
        user.Click(At(w->E_IP1)).Do([this] { w->E_IP1->selectAll(); }).Type(QStringLiteral("127.0.0.1"));
        EXPECT_TRUE(user.Run(20000));
    }

    bool WaitState(State s, int ms = 30000)
    {
        return QTest::qWaitFor([&] { return w->State() == s; }, ms);
    }

    void Click(TLbButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); }
};

constexpr int kRow = 18;
[[maybe_unused]] int RowY(int row) { return row * kRow + kRow / 2; }
[[maybe_unused]] int CheckX(int level) { return 18 * (level + 1) + 8; }

} // namespace
