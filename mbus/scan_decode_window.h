#pragma once
#include "placeholder_form.h"

// The M-Bus Scan & Decode window. Placeholder window: code label and title only.
class TFScanDecode : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFScanDecode(QWidget* parent = nullptr);

    // Set by the main window before showing: the device code of the M-Bus
    // file writer, the project's M_Bus.xml and the form of the window.
    int XML_Code_Dev = 0;
    QString FileName_MBus;
    int Form_Type = 0;
};

extern TFScanDecode* FScanDecode;
