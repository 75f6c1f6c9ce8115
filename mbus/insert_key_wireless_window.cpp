#include "insert_key_wireless_window.h"

#include "language.h"
#include "workspace.h"

TFInsertKeyWireless* FInsertKeyWireless = nullptr;

TFInsertKeyWireless::TFInsertKeyWireless(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FInsertKeyWireless"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFInsertKeyWireless::Set_Lang()
{
    setWindowTitle(QStringLiteral("Wireless Key"));
}
