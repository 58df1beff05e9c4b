#include "tests/engine/support.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace engine_test {

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string ScratchFolder() {
  static int counter = 0;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string base = std::string(temp) + "engine-scratch";
  // A run starts from nothing: what an earlier run left would hide faults.
  if (counter == 0) RemoveTree(base);
  CreateDirectoryA(base.c_str(), nullptr);
  std::string folder = base + "\\case" + std::to_string(++counter);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteBytes(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

namespace {

void Collect(const std::string& folder, const std::string& prefix, std::vector<std::string>& out) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    std::string relative = prefix + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.push_back(relative + "\\");
      Collect(folder + "\\" + name, relative + "\\", out);
    } else {
      out.push_back(relative);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

std::vector<std::string> TreeBelow(const std::string& folder) {
  std::vector<std::string> out;
  Collect(folder, "", out);
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace engine_test
