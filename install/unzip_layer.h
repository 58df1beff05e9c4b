// The unzip layer: opens a ZIP archive file, describes one entry at a time as
// an entry record, and writes one entry's data to a file. It reads the archive
// through minizip over a file handle of its own, with a small read cache so
// that the many short reads of headers cost few system calls.
#pragma once
#include <cstddef>
#include <cstdint>

namespace install {

inline constexpr size_t kEntryNameSize = 260;

// What the layer tells about one entry.
struct EntryRecord {
  char name[kEntryNameSize];  // as stored in the archive, NUL-terminated
  uint32_t attributes;        // Windows file attributes (see EntryAttributes)
  uint64_t accessTime;        // Windows file times
  uint64_t creationTime;
  uint64_t writeTime;
};

class Archive;

// Opens `path` for reading, shared with readers only, records the current
// folder followed by "\" as the root folder for relative target names, and
// opens the archive with minizip. Returns null when the file cannot be opened
// for reading. A file that minizip cannot read (no end-of-central-directory
// record, or one that does not fit the file) still gives an archive, for which
// IsReadable is false and which describes no entry.
Archive* OpenArchive(const char* path);

// Closes an open entry's data and the archive, and releases it. Null is fine.
void CloseArchive(Archive* archive);

// Whether minizip could read the archive's directory.
bool IsReadable(const Archive* archive);

// The number of entries the archive's directory announces; 0 when unreadable.
long EntryCount(const Archive* archive);

// How many reads the archive file has had, for measuring what a walk costs.
uint64_t ArchiveReadCalls(const Archive* archive);

// Describes entry `index` in `record`. Fails when the index lies outside the
// entries, when the entry's local header cannot be read or disagrees with its
// central record (signature, method, name length and, unless general-purpose
// bit 3 is set, CRC-32 and sizes), when its method is neither 0 (stored) nor 8
// (deflated), when its local extra field cannot be read, or when its name does
// not fit the record's 260 bytes with the NUL. Asking for the index described
// last hands out the record again without reading the archive.
bool GetEntry(Archive* archive, long index, EntryRecord* record);

// How unzip entry leaves the file it wrote.
enum class Finish {
  // Created with the entry's attributes (an MS-DOS entry gives a read-only
  // file), times from the record.
  kEntryAttributes,
  // Replaces an existing read-only, hidden or system file, and ends with
  // normal attributes; times from the record. This is what extract wants, at
  // the cost of no extra call unless the file exists with such attributes.
  kNormalAttributes,
};

// Writes entry `index` to the file `target` (created or truncated, not
// shared while written), copying through one buffer of 16,384 bytes, then
// sets the record's creation, access and write times. Missing folders of the
// target are created; a relative target's folders are created under the root
// folder. Fails when the entry cannot be described, the file cannot be
// created, the data cannot be read (damaged deflate data), its CRC-32 or size
// does not match the record, or a write fails; a failed call leaves no file
// at `target` (an earlier file there has been replaced). On failure the
// system's error code of the cause is left as the thread's last error, with
// ERROR_FILE_CORRUPT for damaged archive data.
bool UnzipEntry(Archive* archive, long index, const char* target, Finish finish);

// Windows file attributes for a ZIP entry's external attributes: normal,
// directory for the Unix or MS-DOS folder bit, archive, hidden and system for
// their MS-DOS bits, read-only when the Unix owner-write bit is clear or the
// MS-DOS read-only bit is set.
uint32_t EntryAttributes(uint32_t external);

// The write, access and creation times of a local extra field's "UT" block
// (the first block tagged "UT"), each only when its flag bit is set and its
// four bytes lie inside the block; others keep what they hold. Values count
// seconds since 1970-01-01 UTC.
void ApplyUnixTimes(const unsigned char* extra, size_t size, EntryRecord* record);

}  // namespace install
