// The install run: puts the payload archive into the install folder as a
// temporary archive, extracts it there with the page's ZIP component, and
// deletes the temporary archive.
#pragma once
#include "toolkit/component.h"
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

// The archive bytes that an install run writes.
struct ArchiveBytes {
  const void* data;
  long size;  // 0 or less writes an empty file
};

// The payload archive linked into the program.
ArchiveBytes PayloadArchive();

// Installs the payload archive into `installFolder`, using the component named
// `component` on `page` for the extraction (its operation "extract").
//
// 1. A missing install folder is created with every missing folder above it;
//    an empty or blank name, or one that cannot be created, fails
//    (Step::CreateFolder).
// 2. The archive is written as the temporary archive "stup.zip" in the folder,
//    in one write of all its bytes; when a file of that name exists (the
//    user's), the first free name of "stup1.zip", "stup2.zip", ... is taken
//    instead, so no file of the user's is ever overwritten or deleted. A
//    failed write deletes the partial file (Step::WriteArchive).
// 3. extract(temporary archive, install folder); anything but 1 fails
//    (Step::Extract, with extract's result).
// 4. The temporary archive is deleted, whatever step 3 gave.
// Each step builds its path afresh. The outcome says which step failed and
// the system's error code of the cause.
Outcome InstallRun(tk::Page& page, const char* component, const char* installFolder);

// The same install run with `archive` as the payload and `zip` as the ZIP
// component whose extract does step 3.
Outcome InstallRunWith(tk::Component& zip, const char* installFolder, ArchiveBytes archive);

// Plain Chinese words for a failed outcome: what failed and for which folder.
tk::Text DescribeFailure(const Outcome& outcome, const char* installFolder);

}  // namespace install
