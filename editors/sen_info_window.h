#pragma once
#include "editors/byte_map_form.h"

// The byte map of the sent CAN frames: CAN_Send_Info.xml.
class TF_Sen_Info : public editors::ByteMapForm
{
    Q_OBJECT
public:
    explicit TF_Sen_Info(QWidget* parent = nullptr);
};

extern TF_Sen_Info* F_Sen_Info;
