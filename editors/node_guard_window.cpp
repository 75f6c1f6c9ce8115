#include "node_guard_window.h"

#include "language.h"
#include "workspace.h"

TFNodeGuard* FNodeGuard = nullptr;

TFNodeGuard::TFNodeGuard(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FNodeGuard"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFNodeGuard::Set_Lang()
{
    setWindowTitle(QStringLiteral("Set Node Guarding"));
}
