#include "fake_toolkit.h"

#include <cstdlib>
#include <cstring>

#include "install/zip_component.h"
#include "wizard/install_folder.h"

namespace fake {
namespace {

FakePage& Fake(tk::Page& page) { return static_cast<FakePage&>(page); }
const FakePage& Fake(const tk::Page& page) { return static_cast<const FakePage&>(page); }

void Record(const std::string& call) { TheWorld().calls.push_back(call); }

}  // namespace

World& TheWorld() {
  static World world;
  return world;
}

void Reset() { TheWorld() = World(); }

bool RunEndsProgram(void (*handler)(tk::Page&), tk::Page& page) {
  std::jmp_buf ended;
  TheWorld().endProgram = &ended;
  if (setjmp(ended) == 0) {
    handler(page);
    TheWorld().endProgram = nullptr;
    return false;
  }
  TheWorld().endProgram = nullptr;
  return true;
}

const tk::Control* Row(const tk::PageDesc& page, const char* name) {
  for (int i = 0; i < page.controlCount; ++i) {
    if (std::strcmp(page.controls[i].name, name) == 0) return &page.controls[i];
  }
  return nullptr;
}

}  // namespace fake

namespace tk {

void Initialise(const PageDesc* const* pages, int count) {
  fake::TheWorld().pagesLoaded = pages;
  fake::Record("Initialise " + std::to_string(count));
}

void RegisterExitHook(void (*hook)()) {
  fake::TheWorld().exitHooks.push_back(hook);
  fake::Record("RegisterExitHook");
}

void RunEventLoop() { fake::Record("RunEventLoop"); }

Page& OpenPage(int number) {
  static fake::FakePage opened(0);
  opened = fake::FakePage(number);
  fake::TheWorld().installFolderAtOpen = wizard::InstallFolder();
  fake::Record("OpenPage " + std::to_string(number));
  return opened;
}

void EndProgram(int exitCode) {
  fake::TheWorld().exitCode = exitCode;
  if (!fake::TheWorld().endProgram) std::abort();
  std::longjmp(*fake::TheWorld().endProgram, 1);
}

int MessageBox(const char* text, int buttons, const char* title) {
  fake::World& world = fake::TheWorld();
  world.boxes.push_back({text, buttons, title ? title : ""});
  fake::Record("MessageBox");
  if (world.boxAnswers.empty()) return kResultOk;
  int answer = world.boxAnswers.front();
  world.boxAnswers.erase(world.boxAnswers.begin());
  return answer;
}

Text PickFolder(const char* title, bool includeFiles) {
  fake::Record(std::string("PickFolder '") + title + "'" + (includeFiles ? " files" : ""));
  return Text(fake::TheWorld().pickedFolder.c_str());
}

int Page::Number() const { return fake::Fake(*this).number; }

Text Page::GetText(const char* control) { return Text(fake::Fake(*this).texts[control].c_str()); }

void Page::SetText(const char* control, const char* text) { fake::Fake(*this).texts[control] = text; }

void Page::SetDisabled(const char* control, bool disabled) {
  fake::Fake(*this).disabled[control] = disabled;
}

int Page::GetWidth(const char* control) { return fake::Fake(*this).widths[control]; }

void Page::SetWidth(const char* control, int width) { fake::Fake(*this).widths[control] = width; }

void Page::SetPeriod(const char* timer, int milliseconds) {
  fake::Fake(*this).periods[timer] = milliseconds;
  fake::Record(std::string("SetPeriod ") + timer + " " + std::to_string(milliseconds));
}

void Page::SetPositionState(int state) { fake::Record("SetPositionState " + std::to_string(state)); }

long Page::SendWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
  fake::Record("SendWindowMessage " + std::to_string(message) + " " + std::to_string(wParam) + " " +
               std::to_string(lParam));
  return 0;
}

int Page::CallComponent(const char*, const char*, const char* const*, int) { return 0; }

void Page::Close() { fake::Record("Close " + std::to_string(Number())); }

}  // namespace tk

namespace install {

namespace {
int NoOperation(tk::Component&, const char*, const char* const*, int) { return -1; }
}  // namespace

const tk::ComponentKind kZipComponent = {"ZIP压缩", NoOperation};

Outcome InstallRun(tk::Page&, const char* component, const char* installFolder) {
  fake::Record(std::string("InstallRun ") + component);
  fake::TheWorld().installFolderSeen = installFolder;
  return fake::TheWorld().installOutcome;
}

tk::Text DescribeFailure(const Outcome&, const char* installFolder) {
  return tk::Text((std::string("failed in ") + installFolder).c_str());
}

}  // namespace install
