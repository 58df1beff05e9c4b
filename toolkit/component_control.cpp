// A non-visual component on a page: a hidden window that stands for the
// instance, and the bridge from its kind's operations to the row's handler.
#include "toolkit/component.h"
#include "toolkit/control.h"
#include "toolkit/page_window.h"
#include "toolkit/program.h"

namespace tk {

namespace {

class ComponentControl : public ControlWindow, public Component {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    // Never shown, whatever the row says.
    return CreateChild(context, kPlainClass, (BaseStyle() & ~WS_VISIBLE) & ~WS_TABSTOP);
  }

  int CallOperation(const char* operation, const char* const* args, int count) override {
    if (!row_.component || !row_.component->call) ToolkitError("不是组件", row_.name);
    return row_.component->call(*this, operation, args, count);
  }

  bool Exists() const override { return Handle() && IsWindow(Handle()); }

  EventAnswer Raise(int event, const int* args, int count) override {
    EventAnswer answer = {false, 0};
    if (row_.onEvent && !Ending())
      answer.answered = row_.onEvent(page_, event, args, count, &answer.value);
    if (!answer.answered) answer.value = 0;
    return answer;
  }
};

}  // namespace

ControlWindow* MakeComponent(const Control& row, PageWindow& page) {
  return new ComponentControl(row, page);
}

}  // namespace tk
