// The services an open page offers its handlers.
#include "toolkit/page_window.h"
#include "toolkit/program.h"

namespace tk {

namespace {

PageWindow& OpenSelf(Page* page) {
  PageWindow& self = *static_cast<PageWindow*>(page);
  if (!self.IsOpen()) ToolkitError("页面没有打开", self.Desc().caption);
  return self;
}

ControlWindow& FindOn(Page* page, const char* name) { return OpenSelf(page).Find(name); }

}  // namespace

int Page::Number() const { return static_cast<const PageWindow*>(this)->Desc().number; }

Text Page::GetText(const char* control) { return FindOn(this, control).GetText(); }

void Page::SetText(const char* control, const char* text) { FindOn(this, control).SetText(text); }

void Page::SetDisabled(const char* control, bool disabled) {
  FindOn(this, control).SetDisabled(disabled);
}

int Page::GetWidth(const char* control) { return FindOn(this, control).GetWidth(); }

void Page::SetWidth(const char* control, int width) { FindOn(this, control).SetWidth(width); }

void Page::SetPeriod(const char* timer, int milliseconds) {
  FindOn(this, timer).SetPeriod(milliseconds);
}

void Page::SetPositionState(int state) {
  static const int kShowCommands[] = {SW_RESTORE, SW_MAXIMIZE, SW_MINIMIZE};
  PageWindow& self = OpenSelf(this);
  if (state >= 0 && state < 3) ShowWindow(self.Handle(), kShowCommands[state]);
}

long Page::SendWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
  return long(SendMessageA(OpenSelf(this).Handle(), message, WPARAM(wParam), LPARAM(lParam)));
}

int Page::CallComponent(const char* component, const char* operation, const char* const* args,
                        int count) {
  return FindOn(this, component).CallOperation(operation, args, count);
}

void Page::Close() { OpenSelf(this).RequestClose(); }

}  // namespace tk
