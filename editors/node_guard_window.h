#pragma once
#include "editors/table_editor_form.h"

// The guarded CANopen nodes: NodeGuard.xml.
class TFNodeGuard : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFNodeGuard(QWidget* parent = nullptr);
};

extern TFNodeGuard* FNodeGuard;
