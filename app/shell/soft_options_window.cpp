#include "soft_options_window.h"

#include "language.h"
#include "workspace.h"

TFSoftOptions* FSoftOptions = nullptr;

TFSoftOptions::TFSoftOptions(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSoftOptions"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(500, 360);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    setWindowTitle(Lang(51));
}
