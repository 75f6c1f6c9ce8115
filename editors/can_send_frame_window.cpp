#include "can_send_frame_window.h"

TFCAN_Send_Frame* FCAN_Send_Frame = nullptr;

TFCAN_Send_Frame::TFCAN_Send_Frame(QWidget* parent) : editors::TableEditorForm(parent, editors::kCanSendFrames)
{
}
