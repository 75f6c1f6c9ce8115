#include "new_id_node_window.h"

TFNewIDNode* FNewIDNode = nullptr;

TFNewIDNode::TFNewIDNode(QWidget* parent)
    : PlaceholderForm(parent, "FNewIDNode", "New Node ID")
{
}
