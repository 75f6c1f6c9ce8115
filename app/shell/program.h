#pragma once
#include <QList>
#include <QString>

class OrvanoForm;

// Creates every window of the program in start-up order: the main window
// first (which prepares the workspace in the program folder exeDir), then
// the 34 others, each a child of the main window. DeviceType must be set.
void CreateProgramWindows(const QString& exeDir);

// Every window, in start-up order (empty before CreateProgramWindows).
QList<OrvanoForm*> ProgramWindows();

// Destroys every window and clears their instance globals.
void DestroyProgramWindows();

// The program's main block: creates every window, shows the main window and
// runs the event loop until it closes.
int RunProgram();
