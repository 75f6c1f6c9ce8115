#include "def_offset_window.h"

#include "language.h"
#include "workspace.h"

TFDefOffset* FDefOffset = nullptr;

TFDefOffset::TFDefOffset(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FDefOffset"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFDefOffset::Set_Lang()
{
    setWindowTitle(Lang(27));
}
