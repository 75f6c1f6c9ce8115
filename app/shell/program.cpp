#include "program.h"

#include "about_window.h"
#include "boot_tcp_window.h"
#include "main_window.h"
#include "new_project_window.h"
#include "open_conf_window.h"
#include "par_gen_window.h"
#include "soft_options_window.h"
#include "workspace.h"

#include "advance_functions_window.h"
#include "can_rec_frames_window.h"
#include "can_send_frame_window.h"
#include "def_offset_window.h"
#include "dmx_def_val_window.h"
#include "dnet_window.h"
#include "modbus_tcp_master_set_access_window.h"
#include "node_guard_window.h"
#include "rec_info_window.h"
#include "receive_j1939_window.h"
#include "receive_nmea_window.h"
#include "restart_devices_window.h"
#include "sen_info_window.h"
#include "set_access_window.h"
#include "set_pdo_access_window.h"
#include "set_sdo_client_access_window.h"
#include "set_sdo_server_access_window.h"
#include "snmp_trap_access_window.h"
#include "transmit_j1939_window.h"
#include "transmit_nmea_window.h"

#include "profinet_file_name_window.h"

#include "insert_key_wireless_window.h"
#include "meter_bus_window.h"
#include "modbus_start_add_sd_window.h"
#include "new_id_node_window.h"
#include "scan_decode_window.h"
#include "scan_modbus_start_window.h"
#include "snmp_trap_access_mbus_window.h"

#include <QApplication>

#include <type_traits>

namespace {

// The instance globals of the windows after the main one, in start-up order.
template <class F>
void ForEachWindow(F&& f)
{
    f(FNew_Project);
    f(FOpenConf);
    f(FAbout);
    f(FParGen);
    f(FBootTCP);
    f(F_Rec_Info);
    f(F_Sen_Info);
    f(FCAN_Rec_Frames);
    f(FCAN_Send_Frame);
    f(FDefOffset);
    f(FDNet);
    f(FProfinetFileName);
    f(FSetAccess);
    f(FReceiveNMEA);
    f(FTransmitNMEA);
    f(FReceiveJ1939);
    f(FTransmitJ1939);
    f(FSet_PDO_Access);
    f(FSet_SDO_Client_Access);
    f(FSet_SDO_Server_Access);
    f(FMeter_Bus);
    f(FNewIDNode);
    f(FSoftOptions);
    f(FModbus_TCP_Master_Set_Access);
    f(FAdvanceFunctions);
    f(FDMXDefVal);
    f(FSNMP_Trap_Access);
    f(FInsertKeyWireless);
    f(FModbusStartAdd_SD);
    f(FScanDecode);
    f(FScanModbusStart);
    f(FReStart_Devices);
    f(FNodeGuard);
    f(FSNMP_Trap_Access_MBus);
}

} // namespace

void CreateProgramWindows(const QString& exeDir)
{
    FOrvanoeFirmWare = new TFOrvanoeFirmWare(exeDir);
    ForEachWindow([](auto*& window) {
        using Window = std::remove_pointer_t<std::remove_reference_t<decltype(window)>>;
        window = new Window(FOrvanoeFirmWare);
    });
}

QList<OrvanoForm*> ProgramWindows()
{
    QList<OrvanoForm*> windows;
    if (!FOrvanoeFirmWare)
        return windows;
    windows.append(FOrvanoeFirmWare);
    ForEachWindow([&windows](auto*& window) { windows.append(window); });
    return windows;
}

void DestroyProgramWindows()
{
    delete FOrvanoeFirmWare;
    FOrvanoeFirmWare = nullptr;
    ForEachWindow([](auto*& window) { window = nullptr; });
}

int RunProgram()
{
    QApplication::setQuitOnLastWindowClosed(false);
    CreateProgramWindows(ProgramFolder());
    QObject::connect(FOrvanoeFirmWare, &TFOrvanoeFirmWare::Closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    FOrvanoeFirmWare->show();
    const int rc = QApplication::exec();
    DestroyProgramWindows();
    return rc;
}
