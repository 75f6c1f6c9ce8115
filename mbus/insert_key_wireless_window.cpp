#include "insert_key_wireless_window.h"

TFInsertKeyWireless* FInsertKeyWireless = nullptr;

TFInsertKeyWireless::TFInsertKeyWireless(QWidget* parent)
    : PlaceholderForm(parent, "FInsertKeyWireless", "Wireless Key")
{
}
