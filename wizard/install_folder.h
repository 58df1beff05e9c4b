// The install folder: the one piece of state that outlives a page. Page 4's
// "下一步" commits it, page 6's install run reads it, the exit hook releases it.
#pragma once
#include "toolkit/text.h"

namespace wizard {

// The committed folder, or an empty text before the first commit.
const char* InstallFolder();

// Replaces the install folder with `folder`, releasing the former text.
void CommitInstallFolder(tk::Text folder);

// Releases the install folder's text, leaving it empty. Start-up uses it to
// begin empty and registers it as the exit hook.
void ReleaseInstallFolder();

}  // namespace wizard
