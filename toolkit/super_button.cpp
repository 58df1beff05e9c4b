// Super button: a flat owner-drawn push button. Normal colours; the hover
// colours while the mouse is over it or it is pressed; the focus colours
// while it has the focus (kNoColour keeps the normal one). Pressed, the text
// moves one pixel right and down; disabled, it keeps its background and
// shows the text engraved. No border and no focus rectangle.
//
// Hovered means that the system tracks the mouse's leaving for this button:
// a mouse move can arrive after the mouse has gone (a page that appears
// under the cursor gets one late), and some systems then neither track nor
// report the leave, so the move alone would leave the hover colour behind.
#include "toolkit/control.h"
#include "toolkit/page_window.h"
#include "toolkit/program.h"

namespace tk {

namespace {

Rgb Either(Rgb state, Rgb normal) { return state == kNoColour ? normal : state; }

class SuperButton : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    if (!CreateChild(context, "BUTTON", BaseStyle() | BS_OWNERDRAW)) return false;
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(page_.FontFor(row_.font, false)),
                 FALSE);
    return true;
  }

  void SetDisabled(bool disabled) override {
    if (disabled) hovered_ = false;
    ControlWindow::SetDisabled(disabled);
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_MOUSEMOVE:
        OnMouseMove();
        break;
      case WM_MOUSELEAVE:
        SetHovered(false);
        break;
      case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, (row_.flags & kHandCursor) ? IDC_HAND : IDC_ARROW));
        return TRUE;
      case WM_LBUTTONDBLCLK:
        // An owner-drawn button would report a quick second click as a
        // double click; here it is one more click.
        return Default(WM_LBUTTONDOWN, wParam, lParam);
      case WM_ENABLE:
        if (!wParam) hovered_ = false;
        break;
    }
    return Default(message, wParam, lParam);
  }

  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_DRAWITEM) {
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      *result = TRUE;
      return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      if (row_.onClick && IsWindowEnabled(Handle()) && !Ending()) row_.onClick(page_);
      *result = 0;
      return true;
    }
    return false;
  }

 private:
  void OnMouseMove() {
    if (!IsWindowEnabled(Handle())) return;
    if (!TracksLeave()) {
      TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
      TrackMouseEvent(&track);
    }
    SetHovered(TracksLeave());
  }

  bool TracksLeave() const {
    TRACKMOUSEEVENT query = {sizeof query, TME_QUERY, nullptr, 0};
    return TrackMouseEvent(&query) && query.hwndTrack == Handle() && (query.dwFlags & TME_LEAVE);
  }

  void SetHovered(bool hovered) {
    if (hovered == hovered_) return;
    hovered_ = hovered;
    InvalidateRect(Handle(), nullptr, FALSE);
  }

  void Draw(const DRAWITEMSTRUCT& item) {
    bool disabled = item.itemState & ODS_DISABLED;
    bool pressed = (item.itemState & ODS_SELECTED) && !disabled;
    bool hot = (pressed || hovered_) && !disabled;
    bool focused = (item.itemState & ODS_FOCUS) && !disabled;
    Rgb back = hot ? Either(row_.hoverBack, row_.back)
                   : focused ? Either(row_.focusBack, row_.back) : row_.back;
    Rgb fore = hot ? Either(row_.hoverFore, row_.fore)
                   : focused ? Either(row_.focusFore, row_.fore) : row_.fore;
    HDC dc = item.hDC;
    Selection font(dc, page_.FontFor(row_.font, false));
    FillWithColour(dc, item.rcItem, back);
    SetBkMode(dc, TRANSPARENT);
    Text text = GetText();
    RECT box = item.rcItem;
    if (pressed) OffsetRect(&box, 1, 1);
    if (disabled) {
      RECT below = box;
      OffsetRect(&below, 1, 1);
      DrawCaption(dc, text, below, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawCaption(dc, text, box, GetSysColor(COLOR_BTNSHADOW));
    } else {
      DrawCaption(dc, text, box, ToColorRef(fore));
    }
  }

  static void DrawCaption(HDC dc, const Text& text, RECT box, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

  bool hovered_ = false;
};

}  // namespace

ControlWindow* MakeSuperButton(const Control& row, PageWindow& page) {
  return new SuperButton(row, page);
}

}  // namespace tk
