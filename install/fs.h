// The engine's one layer over the Windows file system. Every Win32 call of the
// unzip layer, the extraction walk and the install run goes through here, and
// every handle lives in a File that closes it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace install::fs {

// An open file handle; closed when the File goes. Move-only.
class File {
 public:
  File() = default;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  bool IsOpen() const;
  // Closes the handle now; false when closing failed (data not written).
  bool Close();

  // Opens an existing file for reading, shared with readers only.
  static File OpenForReading(const char* path);
  // Creates or truncates `path` for writing only, shared with nobody, with the
  // given Windows file attributes for a new file.
  static File CreateAlways(const char* path, uint32_t attributes);
  // Creates `path` for writing only, shared with nobody; fails when a file of
  // that name exists already, so nothing of anyone's is ever overwritten.
  static File CreateNew(const char* path);

  // Writes all `size` bytes in one call; false unless every byte was written.
  bool Write(const void* data, uint32_t size);
  // Reads up to `size` bytes at byte `offset`; the count read, -1 on failure.
  long ReadAt(uint64_t offset, void* data, uint32_t size);
  // The file's size in bytes, or -1.
  int64_t Size();
  // Sets creation, access and write times (Windows file times) and, unless
  // `attributes` is 0, the attributes, in one call. Result not reported: a
  // file that takes no times keeps what it has.
  void SetTimesAndAttributes(uint64_t creation, uint64_t access, uint64_t write,
                             uint32_t attributes);

 private:
  explicit File(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;  // INVALID_HANDLE_VALUE is kept as null
};

// The system's error code of the last failed call on this thread.
unsigned long LastError();
void SetLastError(unsigned long code);

// Whether a file or folder of that name exists.
bool Exists(const char* path);
// Creates one folder with default security; true when it was made.
bool MakeFolder(const char* path);
// Sets a file's attributes to FILE_ATTRIBUTE_NORMAL; true on success.
bool SetNormalAttributes(const char* path);
// Deletes a file; true on success.
bool Remove(const char* path);
// The current folder into `out` (NUL-terminated); its length, 0 on failure or
// when it does not fit.
size_t CurrentFolder(char* out, size_t capacity);
// Whether `byte` starts a double-byte character in the system's ANSI code page.
bool IsLeadByte(unsigned char byte);

// An MS-DOS date and time, which records local time, as a UTC file time; 0
// when the value is no valid date.
uint64_t DosLocalTimeToFileTime(uint16_t date, uint16_t time);

// Error codes the engine reports itself (values of the system's codes).
inline constexpr unsigned long kErrorFileNotFound = 2;
inline constexpr unsigned long kErrorPathNotFound = 3;
inline constexpr unsigned long kErrorAccessDenied = 5;
inline constexpr unsigned long kErrorSharingViolation = 32;
inline constexpr unsigned long kErrorLockViolation = 33;
inline constexpr unsigned long kErrorHandleDiskFull = 39;
inline constexpr unsigned long kErrorFileExists = 80;
inline constexpr unsigned long kErrorDiskFull = 112;
inline constexpr unsigned long kErrorInvalidName = 123;
inline constexpr unsigned long kErrorAlreadyExists = 183;
inline constexpr unsigned long kErrorFileCorrupt = 1392;

}  // namespace install::fs
