#include "install/fs.h"

#include <windows.h>

namespace install::fs {
namespace {

HANDLE Raw(void* handle) { return handle ? static_cast<HANDLE>(handle) : INVALID_HANDLE_VALUE; }

void* Kept(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

uint64_t FromFileTime(const FILETIME& time) {
  return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

LARGE_INTEGER ToLarge(uint64_t value) {
  LARGE_INTEGER large;
  large.QuadPart = static_cast<LONGLONG>(value);
  return large;
}

// The time zone is read once: asking the system for it on every entry costs
// more than the whole conversion, and it does not change during a run.
const TIME_ZONE_INFORMATION* TimeZone() {
  static TIME_ZONE_INFORMATION zone;
  static bool known = false;
  if (!known) {
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) ZeroMemory(&zone, sizeof zone);
    known = true;
  }
  return &zone;
}

}  // namespace

File::File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

File::~File() { Close(); }

bool File::IsOpen() const { return handle_ != nullptr; }

bool File::Close() {
  if (!handle_) return true;
  bool closed = CloseHandle(Raw(handle_)) != 0;
  handle_ = nullptr;
  return closed;
}

File File::OpenForReading(const char* path) {
  return File(Kept(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)));
}

File File::CreateAlways(const char* path, uint32_t attributes) {
  return File(Kept(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr)));
}

File File::CreateNew(const char* path) {
  return File(Kept(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr)));
}

bool File::Write(const void* data, uint32_t size) {
  DWORD written = 0;
  if (!WriteFile(Raw(handle_), data, size, &written, nullptr)) return false;
  if (written == size) return true;
  // A short write without an error code means the volume ran out of space.
  ::SetLastError(ERROR_DISK_FULL);
  return false;
}

long File::ReadAt(uint64_t offset, void* data, uint32_t size) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  if (!ReadFile(Raw(handle_), data, size, &read, &at)) {
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  }
  return static_cast<long>(read);
}

int64_t File::Size() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Raw(handle_), &size)) return -1;
  return size.QuadPart;
}

void File::SetTimesAndAttributes(uint64_t creation, uint64_t access, uint64_t write,
                                 uint32_t attributes) {
  FILE_BASIC_INFO info = {};
  info.CreationTime = ToLarge(creation);
  info.LastAccessTime = ToLarge(access);
  info.LastWriteTime = ToLarge(write);
  info.FileAttributes = attributes;
  SetFileInformationByHandle(Raw(handle_), FileBasicInfo, &info, sizeof info);
}

unsigned long LastError() { return GetLastError(); }

void SetLastError(unsigned long code) { ::SetLastError(code); }

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool MakeFolder(const char* path) { return CreateDirectoryA(path, nullptr) != 0; }

bool SetNormalAttributes(const char* path) {
  return SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL) != 0;
}

bool Remove(const char* path) { return DeleteFileA(path) != 0; }

size_t CurrentFolder(char* out, size_t capacity) {
  DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(capacity), out);
  return length < capacity ? length : 0;
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

uint64_t DosLocalTimeToFileTime(uint16_t date, uint16_t time) {
  FILETIME localFile;
  SYSTEMTIME local, utc;
  FILETIME utcFile;
  if (!DosDateTimeToFileTime(date, time, &localFile)) return 0;
  if (!FileTimeToSystemTime(&localFile, &local)) return 0;
  if (!TzSpecificLocalTimeToSystemTime(TimeZone(), &local, &utc)) return FromFileTime(localFile);
  if (!SystemTimeToFileTime(&utc, &utcFile)) return FromFileTime(localFile);
  return FromFileTime(utcFile);
}

}  // namespace install::fs
