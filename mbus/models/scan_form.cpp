#include "mbus/models/scan_form.h"

#include "platform/int_text.h"

namespace mbus {

std::vector<ScanButton> Form_Style_Buttons(ScanFormState state, int deviceCode, int x0, int w)
{
    std::vector<ScanButton> b = {{"Btn_StartScan", false, x0},  {"Btn_StopScan", false, x0},
                                 {"Btn_AbortScan", false, x0},  {"Btn_NewScan", false, x0},
                                 {"Btn_SaveConf", false, x0},   {"Btn_SaveConfManual", false, x0}};
    const int step = w + 8;
    switch (state) {
    case ScanFormState::Options:
        b[0].visible = true;
        break;
    case ScanFormState::WiredRunning:
    case ScanFormState::WirelessRunning:
        b[1].visible = true;
        b[2] = {"Btn_AbortScan", true, x0 + step};
        break;
    case ScanFormState::WiredEnded:
    case ScanFormState::WirelessEnded: {
        const bool wired = state == ScanFormState::WiredEnded;
        const bool noManual = wired ? (deviceCode == 6 || deviceCode == 11 || deviceCode == 15 || deviceCode == 20)
                                    : deviceCode == 15;
        b[3].visible = true;
        b[4] = {"Btn_SaveConf", true, x0 + step};
        b[5] = {"Btn_SaveConfManual", !noManual, x0 + 2 * step};
        break;
    }
    }
    return b;
}

std::vector<PageRow> Move_Object_Type_Form(int formType, bool wireless, bool serial, int deviceCode)
{
    (void)deviceCode;
    wireless = wireless && formType == 1;
    std::vector<PageRow> rows;
    const int top = formType == 1 ? 59 : 11;
    rows.push_back({"CB_ScanMethod", 11, formType == 1});
    int hardware, address, block;
    if (formType == 1 && !wireless) {
        hardware = 107;
        address = 139;
        block = 187;
    } else if (wireless) {
        hardware = 59;
        address = 91;
        block = 171;
    } else {
        hardware = 59;
        address = 91;
        block = 139;
    }
    rows.push_back({"CB_ScanBy", top, !wireless});
    rows.push_back({"CB_HardwareType", hardware, true});
    rows.push_back({"E_IP1", address, !serial});
    rows.push_back({"CB_ComPort", address, serial});
    rows.push_back({"E_Port", 123, wireless && !serial});
    const bool wired = !wireless;
    const int t = block;
    rows.push_back({"L_MBus_Param", t, true});
    rows.push_back({"CB_wMBus_Mode", t + 32, wireless});
    rows.push_back({"CB_wMBus_Radio_Channel", t + 64, wireless});
    rows.push_back({"CB_MBus_Baud", t + 32, wired});
    rows.push_back({"CB_MBus_Parity", t + 64, wired});
    rows.push_back({"L_Option_Scan", t + 112, wired});
    rows.push_back({"CB_Opt_App_Reset", t + 144, wired});
    rows.push_back({"CB_Opt_SND_NKE", t + 176, wired});
    rows.push_back({"E_Opt_Cut_After", t + 208, wired});
    rows.push_back({"CB_Opt_Use_Fix_C_Field", t + 240, wired});
    return rows;
}

int Scan_Form_Height(int formType)
{
    return formType == 1 ? 571 : 523;
}

int Wireless_Mode_Code(int index)
{
    static constexpr int kCodes[] = {1, 5, 15, 17, 11};
    return index >= 0 && index < 5 ? kCodes[index] : kCodes[0];
}

bool Wireless_Port_Fixed(int deviceCode)
{
    return deviceCode == 12 || deviceCode == 15;
}

bool Asks_Modbus_Start(int deviceCode)
{
    return deviceCode == 0 || deviceCode == 1 || deviceCode == 9 || deviceCode == 13 || deviceCode == 14;
}

SavePlan Plan_Save(bool fileExists, ExistingAnswer answer, bool perNodeAddresses, int deviceCode)
{
    SavePlan plan;
    const bool modbus = Asks_Modbus_Start(deviceCode);
    if (fileExists) {
        if (answer == ExistingAnswer::Cancel)
            return plan;
        plan.append = answer == ExistingAnswer::Yes;
        plan.askStartRegister = !perNodeAddresses && plan.append && modbus;
    }
    plan.askStartAddresses = perNodeAddresses && modbus;
    plan.go = true;
    return plan;
}

int Int_Or(const QString& text, int def)
{
    return StrToIntDef(text, def);
}

} // namespace mbus
