// The roads that end the process, run in a helper program: EndProgram runs
// the exit hooks once each, in order, and no page gets an event after; a
// toolkit error shows its message and ends with -1 without the hooks; the
// program's folder becomes the current directory, double-byte names included.
#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/support.h"
#include "toolkit/scoped.h"

namespace {

std::string HelperFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string ReadMarker(const std::string& path) {
  tk::ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  if (!file) return "";
  char buffer[1024] = {};
  DWORD read = 0;
  ReadFile(file.Get(), buffer, sizeof buffer - 1, &read, nullptr);
  return std::string(buffer, read);
}

struct Outcome {
  DWORD exitCode;
  std::string marker;
  bool errorShown;
};

// Runs the helper (from `program`, in `directory`) and answers the toolkit's
// error message if it comes up.
Outcome RunHelper(const char* mode, const std::string& program = HelperFolder() + "toolkit_exit_helper.exe",
                  const char* directory = "C:\\") {
  std::string marker = HelperFolder() + "marker-" + mode + ".txt";
  DeleteFileA(marker.c_str());
  std::string command = "\"" + program + "\" " + mode + " \"" + marker + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  Outcome outcome = {0xDEAD, "", false};
  if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory, &startup, &process)) {
    ADD_FAILURE() << "cannot start " << program;
    return outcome;
  }
  tk::ScopedFile processHandle(process.hProcess), threadHandle(process.hThread);
  for (int waited = 0; waited < 300; ++waited) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
    if (HWND box = FindWindowA(nullptr, "错误")) {
      outcome.errorShown = true;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  if (outcome.exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 99);
  outcome.marker = ReadMarker(marker);
  return outcome;
}

TEST(EndProgram, RunsEachHookOnceInOrderAndNoPageEventAfter) {
  Outcome outcome = RunHelper("hooks");
  EXPECT_EQ(outcome.exitCode, 7u);
  EXPECT_EQ(outcome.marker, "AB");
  EXPECT_FALSE(outcome.errorShown);
}

struct ErrorCase {
  const char* mode;
  const char* marker;  // what the helper got to mark before the error
};

class ToolkitError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ToolkitError, ShowsAMessageAndEndsWithMinusOneWithoutHooks) {
  Outcome outcome = RunHelper(GetParam().mode);
  EXPECT_TRUE(outcome.errorShown);
  EXPECT_EQ(outcome.exitCode, DWORD(-1));
  EXPECT_EQ(outcome.marker, GetParam().marker);  // no "H": the hook did not run
}

INSTANTIATE_TEST_SUITE_P(Toolkit, ToolkitError,
                         ::testing::Values(ErrorCase{"error", ""}, ErrorCase{"badpage", ""},
                                           ErrorCase{"stale", "L"}));

// The folder's name ends in a double-byte character whose trail byte is the
// backslash's (乗 is 81 5C in GBK): cutting at the last 0x5C byte would
// leave a folder that does not exist.
TEST(Initialise, ProgramFolderBecomesTheCurrentDirectory) {
  std::string folder = HelperFolder() + "乗";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string program = folder + "\\toolkit_exit_helper.exe";
  ASSERT_TRUE(CopyFileA((HelperFolder() + "toolkit_exit_helper.exe").c_str(), program.c_str(), FALSE));
  Outcome outcome = RunHelper("cwd", program, "C:\\");
  EXPECT_EQ(outcome.exitCode, 0u);
  // The folder may come back with or without a final backslash.
  EXPECT_TRUE(outcome.marker == folder || outcome.marker == folder + "\\") << outcome.marker;
}

}  // namespace
