// The ZIP component's extraction walk.
#pragma once
#include "toolkit/component.h"

namespace install {

// Unpacks the ZIP archive at `archivePath` into `targetFolder`.
//
// Returns -1 when either text is missing (null or empty; no progress report)
// or the archive does not exist; 0 when the target folder cannot be created,
// the archive's first 32 bytes fail the signature check (local-header
// signature, and a signed value of at least 1 in bytes 24 to 27), minizip
// cannot read its directory, an entry's header cannot be read, disagrees with
// its central record or names a method other than 0 and 8, an entry's name
// would reach outside the target folder or does not fit 260 bytes, a folder
// cannot be created, or a file cannot be written whole and intact (CRC-32 and
// size are checked); 1 when every entry was extracted or a progress handler
// asked to stop. Nothing is removed after a failure, except the file that was
// being written, which is never left half written.
//
// Folder entries (attribute 0x10) become folders, made with every missing
// folder above; file entries become files with normal attributes (a read-only,
// hidden or system file in the way is replaced) and the entry's times; missing
// folders of a file are created under the target folder. A target path is the
// target folder, "\" unless it ends in one, and the entry's name with "/"
// turned into "\".
//
// After each entry i of n, `owner` gets progress event 1 with the percentage
// (i / n) x 100 in double precision, truncated; when the walk ends, one more
// report with n of n (100; also 100 when n is 0), unless it was cancelled.
// Reports go out only while owner.Exists(); a handler answering false asks the
// walk to stop after the current entry.
int Extract(tk::Component& owner, const char* archivePath, const char* targetFolder);

// The system's error code of what made the last Extract fail (0 after success;
// ERROR_FILE_CORRUPT, 1392, for a damaged or unsafe archive).
unsigned long LastExtractFailure();

// (position / total) x 100 in double precision, truncated toward zero; 100
// when total is 0.
int ProgressPercent(long position, long total);

}  // namespace install
