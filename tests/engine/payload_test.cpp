// The default payload: installed, it is the staging folder byte for byte,
// with normal attributes and the entries' times, and its program starts.
#include <gtest/gtest.h>

#include <algorithm>

#include "install/install_run.h"
#include "tests/engine/support.h"

namespace engine_test {
namespace {

// The staging folder as the build made it, seen through drive Z:.
std::string StageFolder() {
  std::string path = std::string("Z:") + PAYLOAD_STAGE;
  for (char& c : path) if (c == '/') c = '\\';
  return path;
}

uint64_t WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// The entries' MS-DOS time, 2026-01-01 08:00:00, read as local time in
// Asia/Shanghai (the tests' zone): 2026-01-01 00:00:00 UTC.
uint64_t EntryTime() {
  SYSTEMTIME system = {2026, 1, 0, 1, 0, 0, 0, 0};
  FILETIME file;
  SystemTimeToFileTime(&system, &file);
  return (uint64_t{file.dwHighDateTime} << 32) | file.dwLowDateTime;
}

class DefaultPayload : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new std::string(ScratchFolder() + "\\安装到这里");
    RecordingComponent zip;
    outcome_ = install::InstallRunWith(zip, folder_->c_str(), install::PayloadArchive());
  }
  static std::string* folder_;
  static install::Outcome outcome_;
};

std::string* DefaultPayload::folder_;
install::Outcome DefaultPayload::outcome_;

TEST_F(DefaultPayload, InstallsTheStagedTreeByteForByte) {
  ASSERT_TRUE(outcome_.ok());
  std::vector<std::string> tree = TreeBelow(StageFolder());
  std::vector<std::string> product = {"岚笺1.0\\", "岚笺1.0\\岚笺.exe", "岚笺1.0\\日记\\",
                                      "岚笺1.0\\配置\\", "岚笺1.0\\配置\\主题.ini",
                                      "岚笺1.0\\配置\\设置.ini"};
  std::sort(product.begin(), product.end());
  ASSERT_EQ(tree, product);
  EXPECT_EQ(TreeBelow(*folder_), tree);
  for (const std::string& path : tree) {
    SCOPED_TRACE(path);
    std::string installed = *folder_ + "\\" + path;
    DWORD attributes = Attributes(installed);
    if (path.back() == '\\') {
      EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
      continue;
    }
    EXPECT_EQ(ReadBytes(installed), ReadBytes(StageFolder() + "\\" + path));
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
    EXPECT_EQ(WriteTime(installed), EntryTime());
  }
}

TEST_F(DefaultPayload, LeavesNoTemporaryArchive) {
  EXPECT_FALSE(PathExists(*folder_ + "\\stup.zip"));
}

BOOL CALLBACK FindProductWindow(HWND window, LPARAM found) {
  char title[64];
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (GetWindowTextA(window, title, sizeof title) && std::string(title) == "岚笺1.0") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

TEST_F(DefaultPayload, InstalledProgramStartsAndCannotBeReplacedWhileRunning) {
  ASSERT_TRUE(outcome_.ok());
  std::string program = *folder_ + "\\岚笺1.0\\岚笺.exe";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  HWND window = nullptr;
  for (int wait = 0; wait < 300 && !window; ++wait) {
    Sleep(100);
    EnumWindows(FindProductWindow, reinterpret_cast<LPARAM>(&window));
  }
  EXPECT_NE(window, nullptr);

  // Installing again while the program runs cannot replace its file: the
  // outcome says a file is in use, and the running program's file is intact.
  std::string before = ReadBytes(program);
  RecordingComponent zip;
  install::Outcome again = install::InstallRunWith(zip, folder_->c_str(), install::PayloadArchive());
  EXPECT_EQ(again.failed, install::Step::Extract);
  EXPECT_EQ(again.error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ReadBytes(program), before);
  EXPECT_FALSE(PathExists(*folder_ + "\\stup.zip"));

  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace engine_test
