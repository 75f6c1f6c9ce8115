#include "new_id_node_window.h"

#include "language.h"
#include "workspace.h"

TFNewIDNode* FNewIDNode = nullptr;

TFNewIDNode::TFNewIDNode(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FNewIDNode"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFNewIDNode::Set_Lang()
{
    setWindowTitle(QStringLiteral("New Node ID"));
}
