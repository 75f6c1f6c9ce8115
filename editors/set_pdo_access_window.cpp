#include "set_pdo_access_window.h"

#include "language.h"
#include "workspace.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

TFSet_PDO_Access::TFSet_PDO_Access(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSet_PDO_Access"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFSet_PDO_Access::Set_Lang()
{
    setWindowTitle(Lang(35));
}
