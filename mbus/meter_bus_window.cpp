#include "meter_bus_window.h"

TFMeter_Bus* FMeter_Bus = nullptr;

TFMeter_Bus::TFMeter_Bus(QWidget* parent)
    : PlaceholderForm(parent, "FMeter_Bus", 36)
{
}
