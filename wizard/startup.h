// The start-up routine: prepares the install folder and its release, opens
// page 1 and runs the wizard until the last page window is gone.
#pragma once

namespace wizard {

// Returns 0 once the event loop has ended.
int StartUp();

}  // namespace wizard
