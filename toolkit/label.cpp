// Label: opaque text on the background colour, left-aligned, one line
// vertically centred unless the row asks for wrapped lines.
#include "toolkit/control.h"
#include "toolkit/page_window.h"
#include "toolkit/text_lines.h"

namespace tk {

namespace {

class Label : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        OnPaint();
        return 0;
      case WM_SETTEXT:
      case WM_ENABLE: {
        LRESULT result = Default(message, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        return result;
      }
    }
    return Default(message, wParam, lParam);
  }

 private:
  void OnPaint() {
    PaintDC paint(Handle());
    HDC dc = paint.Get();
    RECT client;
    GetClientRect(Handle(), &client);
    FillWithColour(dc, client, row_.back);
    Selection font(dc, page_.FontFor(row_.font, false));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(row_.fore));
    Text text = GetText();
    DrawTextLines(dc, text.c_str(), client, (row_.flags & kMultiline) ? kWrapped : kSingleLineCentred);
  }
};

}  // namespace

ControlWindow* MakeLabel(const Control& row, PageWindow& page) { return new Label(row, page); }

}  // namespace tk
