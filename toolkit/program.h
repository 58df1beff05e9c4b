// Program-wide state of the toolkit that the pages and controls share.
#pragma once
#include <cstddef>

namespace tk {

// True once the program has begun to end: no handler runs any more.
bool Ending();

// Reports a misuse of the toolkit (a page or control addressed that is not
// open, a page that cannot be built) and ends the process with exit code -1,
// without the exit hooks.
[[noreturn]] void ToolkitError(const char* problem, const char* name);

// The bytes of an RCDATA resource of the program, or null.
const unsigned char* ResourceBytes(int id, size_t* size);

}  // namespace tk
