#pragma once
#include "editors/table_editor_form.h"

// The received J1939 parameter groups: J1939_Rec_Frames.xml.
class TFReceiveJ1939 : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFReceiveJ1939(QWidget* parent = nullptr);
};

extern TFReceiveJ1939* FReceiveJ1939;
