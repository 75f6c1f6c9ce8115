#pragma once

// Lets the validation worker run only while the GUI thread waits for events: the worker resumes when the
// GUI thread's event dispatcher is about to block and pauses when it wakes and before any event of the
// application is delivered. Finished caches go to their trees when the GUI thread wakes (or at a tree's
// first lookup), so no call crosses threads.

namespace lazytree {

// Installs the gate once per process (after the application object exists); later calls do nothing.
void InstallValidationGate();

} // namespace lazytree
