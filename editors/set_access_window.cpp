#include "set_access_window.h"

#include "language.h"
#include "workspace.h"

TFSetAccess* FSetAccess = nullptr;

TFSetAccess::TFSetAccess(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSetAccess"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFSetAccess::Set_Lang()
{
    setWindowTitle(Lang(28));
}
