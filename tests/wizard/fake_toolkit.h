// A stand-in for the toolkit and the engine under the wizard's handlers: pages
// whose controls are plain records, scripted answers for message boxes and the
// folder picker, and a log of every call that leaves the page.
#pragma once
#include <csetjmp>
#include <map>
#include <string>
#include <vector>

#include "install/install_run.h"
#include "toolkit/layout.h"
#include "toolkit/toolkit.h"

namespace fake {

class FakePage : public tk::Page {
 public:
  explicit FakePage(int number) : number(number) {}

  int number;
  std::map<std::string, std::string> texts;
  std::map<std::string, int> widths;
  std::map<std::string, bool> disabled;
  std::map<std::string, int> periods;
};

struct Box {
  std::string text;
  int buttons;
  std::string title;  // empty: the default title
};

// What the stand-in answers and what it saw.
struct World {
  std::vector<int> boxAnswers;      // taken in order; kResultOk once used up
  std::string pickedFolder;         // the picker's result; empty: cancelled
  install::Outcome installOutcome;  // what InstallRun reports
  std::string installFolderSeen;

  std::vector<std::string> calls;   // "OpenPage 3", "Close 2", "SetPeriod 时钟1 0", ...
  const tk::PageDesc* const* pagesLoaded = nullptr;
  std::vector<void (*)()> exitHooks;
  std::string installFolderAtOpen;  // the install folder when a page was opened
  std::vector<Box> boxes;
  int exitCode = -100;              // set by EndProgram
  std::jmp_buf* endProgram = nullptr;
};

World& TheWorld();
void Reset();

// Runs `handler` on `page` and reports whether it ended the program.
bool RunEndsProgram(void (*handler)(tk::Page&), tk::Page& page);

// A page's layout row by name, or null.
const tk::Control* Row(const tk::PageDesc& page, const char* name);

}  // namespace fake
