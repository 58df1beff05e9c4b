#include "install/paths.h"

#include <cstdlib>
#include <cstring>

#include "install/fs.h"

namespace install {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Bytes taken by the character at `p`: 2 for a lead byte with a trail byte.
size_t CharLength(const char* p) {
  return fs::IsLeadByte(static_cast<unsigned char>(p[0])) && p[1] != '\0' ? 2 : 1;
}

// GBK trail bytes lie in 0x40..0xFE without 0x7F; a lead byte before any
// other byte is a name the file system might read differently from us.
bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte != 0x7F && byte != 0xFF; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(const char* a, const char* b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

// A step such as "..", "..." or ". ." that Windows trims to a parent step.
bool IsDotStep(const char* step, size_t length) {
  size_t dots = 0;
  for (size_t i = 0; i < length; ++i) {
    if (step[i] == '.') ++dots;
    else if (step[i] != ' ') return false;
  }
  return dots >= 2;
}

// A step whose base name (before the first "." and trailing spaces) is one
// of the device names that open a device instead of a file.
bool IsDeviceStep(const char* step, size_t length) {
  size_t base = 0;
  while (base < length && step[base] != '.') ++base;
  while (base > 0 && step[base - 1] == ' ') --base;
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    if (base == std::strlen(device) && SameIgnoringCase(step, device, base)) return true;
  }
  bool numbered = base == 4 && step[3] >= '0' && step[3] <= '9';
  return numbered && (SameIgnoringCase(step, "COM", 3) || SameIgnoringCase(step, "LPT", 3));
}

bool IsSafeStep(const char* step, size_t length) {
  return !IsDotStep(step, length) && !IsDeviceStep(step, length);
}

}  // namespace

bool EndsWithBackslash(const char* path) {
  char last = '\0';
  for (const char* p = path; *p; p += CharLength(p)) last = CharLength(p) == 1 ? *p : '\0';
  return last == '\\';
}

size_t FolderPartLength(const char* path) {
  size_t folder = 0;
  for (const char* p = path; *p; p += CharLength(p)) {
    if (IsSeparator(*p)) folder = static_cast<size_t>(p - path);
  }
  return folder;
}

bool IsRelative(const char* path) {
  return !IsSeparator(path[0]) && !(path[0] != '\0' && path[1] == ':');
}

bool CreateFolderPath(const char* path) {
  tk::Text copy = EndsWithBackslash(path) ? tk::Text(path) : tk::Text(path).Concat("\\");
  char* prefix = const_cast<char*>(copy.c_str());
  for (char* p = prefix; *p; p += CharLength(p)) {
    if (*p != '\\') continue;
    char kept = p[1];
    p[1] = '\0';
    bool made = fs::Exists(prefix) || fs::MakeFolder(prefix);
    p[1] = kept;
    if (!made) return false;
  }
  return true;
}

bool IsSafeEntryName(const char* name) {
  if (name[0] == '\0' || IsSeparator(name[0])) return false;
  const char* step = name;
  for (const char* p = name;; ) {
    if (*p == '\0' || IsSeparator(*p)) {
      if (!IsSafeStep(step, static_cast<size_t>(p - step))) return false;
      if (*p == '\0') return true;
      step = ++p;
      continue;
    }
    if (*p == ':') return false;
    if (fs::IsLeadByte(static_cast<unsigned char>(*p))) {
      if (!IsTrailByte(static_cast<unsigned char>(p[1]))) return false;
      p += 2;
    } else {
      ++p;
    }
  }
}

tk::Text EntryTargetPath(const char* folder, const char* name) {
  tk::Text joined = EndsWithBackslash(folder) ? tk::Text(folder) : tk::Text(folder).Concat("\\");
  tk::Text path = joined.Concat(name);
  char* p = const_cast<char*>(path.c_str());
  for (size_t i = joined.size(); i < path.size(); ++i) {
    if (p[i] == '/') p[i] = '\\';
  }
  return path;
}

}  // namespace install
