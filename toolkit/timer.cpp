// Timer: no window of its own. It ticks on the page window under the id of
// its row, so the system's WM_TIMER keeps at most one tick pending.
#include "toolkit/control.h"
#include "toolkit/page_window.h"

namespace tk {

namespace {

class Timer : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    id_ = context.id;
    SetPeriod(row_.period);
    return true;
  }

  void SetPeriod(int milliseconds) override {
    if (milliseconds > 0) {
      page_.StartTimer(id_, milliseconds);
    } else {
      page_.StopTimer(id_);
    }
  }

  Text GetText() const override { return Text(row_.text); }
  void SetText(const char*) override {}
  void SetDisabled(bool) override {}
  int GetWidth() const override { return width_; }
  void SetWidth(int width) override { width_ = width; }

 private:
  int id_ = 0;
  int width_ = row_.rect.width;
};

}  // namespace

ControlWindow* MakeTimer(const Control& row, PageWindow& page) { return new Timer(row, page); }

}  // namespace tk
