#include "wizard/install_folder.h"

#include <utility>

namespace wizard {
namespace {

constinit tk::Text gFolder;

}  // namespace

const char* InstallFolder() { return gFolder.c_str(); }

void CommitInstallFolder(tk::Text folder) { gFolder = std::move(folder); }

void ReleaseInstallFolder() { gFolder = tk::Text(); }

}  // namespace wizard
