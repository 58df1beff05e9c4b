#include "wizard/startup.h"

#include "toolkit/toolkit.h"
#include "wizard/install_folder.h"
#include "wizard/pages/pages.h"

namespace wizard {

int StartUp() {
  tk::Initialise(pages::kAll, pages::kCount);
  ReleaseInstallFolder();
  tk::RegisterExitHook(ReleaseInstallFolder);
  tk::OpenPage(1);
  tk::RunEventLoop();
  return 0;
}

}  // namespace wizard
