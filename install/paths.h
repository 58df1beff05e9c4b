// Path routines on GBK text. They go through a path character by character, a
// double-byte character counting as one, so a trail byte of 0x5C is never
// taken for a "\".
#pragma once
#include <cstddef>

#include "toolkit/text.h"

namespace install {

// Whether the last character of `path` is "\".
bool EndsWithBackslash(const char* path);

// The length of `path`'s folder part: everything before its last "/" or "\";
// 0 when it has none.
size_t FolderPartLength(const char* path);

// Whether `path` is relative: its first character is neither "/" nor "\" and
// its second is not ":".
bool IsRelative(const char* path);

// Creates `path` and every missing folder above it, outermost first. Returns
// false at the first folder that cannot be created; folders made before stay.
bool CreateFolderPath(const char* path);

// Whether an archive entry name stays inside the folder it is extracted to:
// not empty, no leading "/" or "\", no ":" (drive or stream), no ".." step (nor
// a step of dots and spaces that Windows would read as one), no device name
// (CON, NUL, COM1, ...), and only whole double-byte characters.
bool IsSafeEntryName(const char* name);

// The target path of an entry: `folder`, then "\" unless it ends in one, then
// `name` with every "/" turned into "\".
tk::Text EntryTargetPath(const char* folder, const char* name);

}  // namespace install
