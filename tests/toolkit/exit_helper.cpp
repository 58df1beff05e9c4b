// A small program for the roads that end the process. It runs one scenario,
// named by its first argument, and writes what happened to the marker file
// named by its second; the test checks the file and the exit code.
//   hooks    two exit hooks, then EndProgram(7) from a timer
//   error    a control addressed that does not exist (from the created event)
//   badpage  a page whose row names a parent that does not exist
//   stale    a page addressed after it has been closed
//   cwd      writes the current directory
#include <cstring>

#include "toolkit/scoped.h"
#include "toolkit/toolkit.h"

namespace {

const char* g_marker = "";

void Mark(const char* text) {
  tk::ScopedFile file(CreateFileA(g_marker, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.Get(), text, DWORD(std::strlen(text)), &written, nullptr);
}

// After EndProgram no page may get an event: the first hook asks the page to
// close, and the page would mark that.
void FirstHook() {
  Mark("A");
  if (HWND page = FindWindowA(nullptr, "助手页")) SendMessageA(page, WM_CLOSE, 0, 0);
}
void SecondHook() { Mark("B"); }
void ErrorHook() { Mark("H"); }
bool MarkCloseRequest(tk::Page&) {
  Mark("X");
  return true;
}
void EndOnTick(tk::Page&) { tk::EndProgram(7); }
void AddressMissing(tk::Page& page) { page.SetText("没有这个控件", "x"); }

const tk::Control kRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "时钟1", .kind = tk::Kind::Timer, .parent = "外形框1", .rect = {0, 0, 0, 0},
     .period = 50, .onPeriodic = EndOnTick},
};
const tk::Control kBadRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = "不存在的框", .rect = {0, 0, 539, 382}},
};

const tk::PageDesc kEndingPage = {.number = 1, .caption = "助手页", .width = 539, .height = 382,
                                  .controls = kRows, .controlCount = 2,
                                  .onCanClose = MarkCloseRequest};
const tk::PageDesc kErrorPage = {.number = 1, .caption = "助手页", .width = 539, .height = 382,
                                 .controls = kRows, .controlCount = 1,
                                 .onCreated = AddressMissing};
const tk::PageDesc kBadPage = {.number = 1, .caption = "助手页", .width = 539, .height = 382,
                               .controls = kBadRows, .controlCount = 1};
const tk::PageDesc kQuietPage = {.number = 1, .caption = "助手页", .width = 539, .height = 382,
                                 .controls = kRows, .controlCount = 1};

int Run(const tk::PageDesc& desc) {
  const tk::PageDesc* pages[] = {&desc};
  tk::Initialise(pages, 1);
  tk::RegisterExitHook(ErrorHook);
  tk::OpenPage(1);
  tk::RunEventLoop();
  return 0;
}

int Stale() {
  const tk::PageDesc* pages[] = {&kQuietPage};
  tk::Initialise(pages, 1);
  tk::RegisterExitHook(ErrorHook);
  tk::Page& page = tk::OpenPage(1);
  page.Close();
  tk::RunEventLoop();
  Mark("L");
  page.GetText("外形框1");
  return 0;
}

int Hooks() {
  const tk::PageDesc* pages[] = {&kEndingPage};
  tk::Initialise(pages, 1);
  tk::RegisterExitHook(FirstHook);
  tk::RegisterExitHook(SecondHook);
  tk::OpenPage(1);
  tk::RunEventLoop();
  return 1;  // not reached: the timer ends the program
}

int CurrentDirectory() {
  const tk::PageDesc* pages[] = {&kQuietPage};
  tk::Initialise(pages, 1);
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  Mark(folder);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  g_marker = argv[2];
  const char* mode = argv[1];
  if (std::strcmp(mode, "hooks") == 0) return Hooks();
  if (std::strcmp(mode, "error") == 0) return Run(kErrorPage);
  if (std::strcmp(mode, "badpage") == 0) return Run(kBadPage);
  if (std::strcmp(mode, "stale") == 0) return Stale();
  if (std::strcmp(mode, "cwd") == 0) return CurrentDirectory();
  return 2;
}
