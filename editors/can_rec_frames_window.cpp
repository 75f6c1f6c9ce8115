#include "can_rec_frames_window.h"

TFCAN_Rec_Frames* FCAN_Rec_Frames = nullptr;

TFCAN_Rec_Frames::TFCAN_Rec_Frames(QWidget* parent) : editors::TableEditorForm(parent, editors::kCanRecFrames)
{
}
