#pragma once

// The program's main block: creates every window in start-up order, shows the
// main window and runs the event loop until it closes. DeviceType must be set.
int RunProgram();
