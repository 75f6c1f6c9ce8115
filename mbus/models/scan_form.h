#pragma once
// The Scan & Decode window without its widgets: which buttons each window
// state shows, where the option rows go, the codes the option lists stand
// for, and what a save asks before it writes.
#include "mbus/models/network_editor.h"

#include <QString>
#include <vector>

namespace mbus {

// Window states (Form_Style).
enum class ScanFormState { Options = 1, WiredRunning, WiredEnded, WirelessRunning, WirelessEnded };

// The six buttons of the button row, each with its x when shown.
struct ScanButton
{
    const char* name;
    bool visible;
    int x;
};
// The buttons of a state for a device code; the row starts at x0, buttons
// w wide, 8 pixels apart.
std::vector<ScanButton> Form_Style_Buttons(ScanFormState state, int deviceCode, int x0, int w);

// The option rows (label and box share a row's y) for a form type, the
// scan method (wireless only with form type 1), the hardware (serial or
// Ethernet) and the device code.
std::vector<PageRow> Move_Object_Type_Form(int formType, bool wireless, bool serial, int deviceCode);
// The client height of the form type.
int Scan_Form_Height(int formType);

// The mode code of the "Mode" list index (S 1, T 5, N1 15, N2 17, C 11).
int Wireless_Mode_Code(int index);
// Device codes whose wireless port is fixed at "10001".
bool Wireless_Port_Fixed(int deviceCode);
// Device codes whose saving asks for Modbus start addresses.
bool Asks_Modbus_Start(int deviceCode);

// What a save does after the question about an existing file.
enum class ExistingAnswer { Yes, No, Cancel };
struct SavePlan
{
    bool go = false;                  // write at all
    bool append = false;              // add to the existing root
    bool askStartRegister = false;    // the start register dialog first
    bool askStartAddresses = false;   // the start address dialog first
};
SavePlan Plan_Save(bool fileExists, ExistingAnswer answer, bool perNodeAddresses, int deviceCode);

// The text of an edit as an integer, or def when it is not one.
int Int_Or(const QString& text, int def);

} // namespace mbus
