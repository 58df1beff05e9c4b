// The install run: puts the payload archive into the install folder as a
// temporary archive, extracts it there with the page's ZIP component, and
// deletes the temporary archive.
#pragma once
#include "toolkit/text.h"
#include "toolkit/toolkit.h"

namespace install {

// Which step of the install run failed, if any.
enum class Step {
  None,           // the product is installed
  CreateFolder,   // the install folder could not be created
  WriteArchive,   // the temporary archive could not be written
  Extract,        // extraction failed on the way or found the archive missing
};

struct Outcome {
  Step failed = Step::None;
  unsigned long error = 0;  // the system's error code of the failing call, 0 if none
  int extractResult = 1;    // what extract returned (1, 0 or -1)
  bool ok() const { return failed == Step::None; }
};

// Runs the install run with `installFolder` as the base of every path, using
// the component named `component` on `page` for the extraction.
Outcome InstallRun(tk::Page& page, const char* component, const char* installFolder);

// Plain Chinese words for a failed outcome: what failed and for which folder.
tk::Text DescribeFailure(const Outcome& outcome, const char* installFolder);

}  // namespace install
