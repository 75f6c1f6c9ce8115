#include "boot_tcp_window.h"

#include "language.h"
#include "workspace.h"

TFBootTCP* FBootTCP = nullptr;

TFBootTCP::TFBootTCP(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FBootTCP"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFBootTCP::Set_Lang()
{
    setWindowTitle(Lang(70));
}
