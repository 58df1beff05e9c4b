// Radio button: the system's automatic radio button. All radio buttons of one
// parent form one group. Its click is raised for every click the control
// reports (mouse, space bar, arrow keys moving the check), but not for the
// notification the system sends when an unchecked radio merely gains focus.
#include "toolkit/control.h"
#include "toolkit/page_window.h"
#include "toolkit/program.h"

namespace tk {

namespace {

bool IsRadio(HWND hwnd) {
  return (SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// The next (or previous) enabled, visible radio button among the siblings,
// wrapping round; null when there is none other.
HWND NeighbourRadio(HWND self, bool forward) {
  UINT step = forward ? GW_HWNDNEXT : GW_HWNDPREV;
  UINT wrap = forward ? GW_HWNDFIRST : GW_HWNDLAST;
  for (HWND h = GetWindow(self, step);; h = GetWindow(h, step)) {
    if (!h) h = GetWindow(self, wrap);
    if (h == self) return nullptr;
    if (IsWindowVisible(h) && IsWindowEnabled(h) && IsRadio(h)) return h;
  }
}

bool IsArrow(WPARAM key) {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// The dialog manager asks with the key message in hand; the arrows are then
// claimed, so that they come here rather than to the dialog manager, which
// would walk every sibling of the group and not only the radio buttons. Any
// other question gets the system's exact answer, which the automatic radio
// buttons compare against when they uncheck each other.
bool AsksForArrow(LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  return message && message->message == WM_KEYDOWN && IsArrow(message->wParam);
}

class Radio : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    DWORD style = BaseStyle() | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_VCENTER;
    if (!CreateChild(context, "BUTTON", style)) return false;
    background_.Reset(CreateSolidBrush(ToColorRef(row_.back)));
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(page_.FontFor(row_.font, false)),
                 FALSE);
    if (row_.flags & kChecked) SendMessageA(Handle(), BM_SETCHECK, BST_CHECKED, 0);
    return true;
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_SETFOCUS: {
        gainingFocus_ = true;
        LRESULT result = Default(message, wParam, lParam);
        gainingFocus_ = false;
        return result;
      }
      case WM_GETDLGCODE:
        return Default(message, wParam, lParam) | (AsksForArrow(lParam) ? DLGC_WANTARROWS : 0);
      case WM_KEYDOWN:
        if (MoveCheck(wParam)) return 0;
        break;
    }
    return Default(message, wParam, lParam);
  }

  bool OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ToColorRef(row_.fore));
      SetBkColor(dc, ToColorRef(row_.back));
      *result = reinterpret_cast<LRESULT>(background_.Get());
      return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      if (!gainingFocus_ && row_.onClick && !Ending()) row_.onClick(page_);
      *result = 0;
      return true;
    }
    return false;
  }

 private:
  bool MoveCheck(WPARAM key) {
    if (!IsArrow(key)) return false;
    bool forward = key == VK_RIGHT || key == VK_DOWN;
    HWND next = NeighbourRadio(Handle(), forward);
    if (!next) return true;
    SetFocus(next);
    SendMessageA(next, BM_CLICK, 0, 0);
    return true;
  }

  ScopedBrush background_;
  bool gainingFocus_ = false;
};

}  // namespace

ControlWindow* MakeRadio(const Control& row, PageWindow& page) { return new Radio(row, page); }

}  // namespace tk
