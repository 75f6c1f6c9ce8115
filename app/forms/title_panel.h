#pragma once

class QLabel;
class QWidget;

// The white title panel at the top of a shell window, w wide: the code label
// L_SW_Code (showing SoftwareCode) and the title L_SW_Desc.
QWidget* MakeTitlePanel(QWidget* parent, int w, QLabel** code, QLabel** desc);
