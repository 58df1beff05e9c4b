// The folder picker and the page window's own services: the picker is modal
// for the program and gives back what it had; the icon, minimising and
// messages sent to the page window.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "test_images.h"
#include "tests/toolkit/support.h"

using namespace tktest;

namespace {

struct Pick {
  bool started = false;
  std::string path = "unset";
  bool pageEnabledAfter = false;
  bool pageActiveAfter = false;
} g_pick;

void PickOnTick(tk::Page& page) {
  if (g_pick.started) return;
  g_pick.started = true;
  tk::Text chosen = tk::PickFolder("");
  g_pick.path = chosen.c_str();
  HWND self = FindTopLevel("选择页");
  g_pick.pageEnabledAfter = IsWindowEnabled(self);
  g_pick.pageActiveAfter = GetActiveWindow() == self;
  page.Close();
}

const tk::Control kRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "时钟1", .kind = tk::Kind::Timer, .parent = "外形框1", .rect = {0, 0, 0, 0},
     .period = 40, .onPeriodic = PickOnTick},
    DriverRow("外形框1"),
};
const tk::PageDesc kPage = {.number = 1, .caption = "选择页", .width = 539, .height = 382,
                            .controls = kRows, .controlCount = 3};
const tk::PageDesc* const kPages[] = {&kPage};

struct DialogSearch {
  HWND found = nullptr;
};
BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
  char className[16];
  GetClassNameA(hwnd, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  reinterpret_cast<DialogSearch*>(param)->found = hwnd;
  return FALSE;
}
HWND FolderDialog() {
  DialogSearch search;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(PickFolder, CancelGivesEmptyTextAndTheProgramBackAsItWas) {
  g_pick = {};
  bool pageDisabled = false, answered = false;
  HWND owner = nullptr;
  SetDriver([&](tk::Page&) {
    HWND dialog = FolderDialog();
    if (!dialog || answered) return;
    answered = true;
    pageDisabled = !IsWindowEnabled(FindTopLevel("选择页"));
    owner = GetWindow(dialog, GW_OWNER);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  RunPages(kPages, 1);
  EXPECT_TRUE(answered);
  EXPECT_TRUE(pageDisabled);
  EXPECT_NE(owner, nullptr);  // the page was active, so it owns the dialog
  EXPECT_EQ(g_pick.path, "");
  EXPECT_TRUE(g_pick.pageEnabledAfter);
  EXPECT_TRUE(g_pick.pageActiveAfter);
}

// The dialog opens on the desktop; taking it as it is gives the desktop
// folder's file-system path.
TEST(PickFolder, ChosenFolderComesBackAsItsPath) {
  g_pick = {};
  bool answered = false;
  SetDriver([&](tk::Page&) {
    HWND dialog = FolderDialog();
    if (!dialog || answered) return;
    answered = true;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  RunPages(kPages, 1);
  char desktop[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
  EXPECT_TRUE(answered);
  EXPECT_STRCASEEQ(g_pick.path.c_str(), desktop);
  EXPECT_TRUE(g_pick.pageEnabledAfter);
}

// A page with an icon from an ICON resource and one whose icon exists only
// as RCDATA: both windows carry an icon.
const tk::Control kPlainRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    DriverRow("外形框1"),
};
const tk::PageDesc kIconPage = {.number = 1, .caption = "图标页", .width = 539, .height = 382,
                                .controls = kPlainRows, .controlCount = 2, .icon = kWindowIcon};
const tk::PageDesc kRawIconPage = {.number = 2, .caption = "图标页二", .width = 539,
                                   .height = 382, .controls = kPlainRows, .controlCount = 2,
                                   .icon = kPngIco};
const tk::PageDesc* const kIconPages[] = {&kIconPage, &kRawIconPage};

TEST(PageWindow, IconMinimiseAndMessagesToThePage) {
  HICON iconFromIcon = nullptr, iconFromRaw = nullptr;
  bool minimised = false;
  long answer = 0;
  SetDriver([&](tk::Page& p) {
    switch (Ticks()) {
      case 1:
        tk::OpenPage(2);
        iconFromIcon = HICON(SendMessageA(FindTopLevel("图标页"), WM_GETICON, ICON_BIG, 0));
        iconFromRaw = HICON(SendMessageA(FindTopLevel("图标页二"), WM_GETICON, ICON_BIG, 0));
        tk::OpenPage(2).Close();
        break;
      case 2:
        p.SetPositionState(2);
        minimised = IsIconic(FindTopLevel("图标页"));
        answer = p.SendWindowMessage(WM_GETTEXTLENGTH, 0, 0);
        p.Close();
        break;
    }
  });
  RunPages(kIconPages, 2);
  EXPECT_NE(iconFromIcon, nullptr);
  EXPECT_NE(iconFromRaw, nullptr);
  EXPECT_TRUE(minimised);
  EXPECT_EQ(answer, long(std::strlen("图标页")));
}

}  // namespace
