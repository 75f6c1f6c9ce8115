#include "advance_functions_window.h"

#include "language.h"
#include "workspace.h"

TFAdvanceFunctions* FAdvanceFunctions = nullptr;

TFAdvanceFunctions::TFAdvanceFunctions(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FAdvanceFunctions"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFAdvanceFunctions::Set_Lang()
{
    setWindowTitle(Lang(855));
}
