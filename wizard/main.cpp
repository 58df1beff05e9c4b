// The setup program's entry: start-up, the event loop, and the end.
#include <windows.h>

#include "toolkit/toolkit.h"
#include "wizard/install_folder.h"
#include "wizard/pages/pages.h"

namespace {

// Runs the wizard until the last page window is gone.
int StartUp() {
  tk::Initialise(pages::kAll, pages::kCount);
  wizard::ReleaseInstallFolder();
  tk::RegisterExitHook(wizard::ReleaseInstallFolder);
  tk::OpenPage(1);
  tk::RunEventLoop();
  return 0;
}

}  // namespace

// The close-request road ends in the event loop; ending through EndProgram
// runs the exit hooks there too, exactly once as on every other road.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { tk::EndProgram(StartUp()); }
