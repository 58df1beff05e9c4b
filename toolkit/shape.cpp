// Shape box: background, optional fill inside the outline, and a 1-pixel
// solid outline in the row's `fore` colour along the inner edge. Shape boxes
// hold other controls (the outer frame holds a whole page), so they let the
// dialog manager look inside them for tab stops.
#include "toolkit/control.h"

namespace tk {

namespace {

class Shape : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    return CreateChild(context, kPlainClass, BaseStyle() | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        OnPaint();
        return 0;
    }
    return Default(message, wParam, lParam);
  }

 private:
  void OnPaint() {
    PaintDC paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    FillWithColour(paint.Get(), client, row_.back);
    RECT inside = {client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    if (row_.fill != kNoColour && inside.right > inside.left && inside.bottom > inside.top)
      FillWithColour(paint.Get(), inside, row_.fill);
    DrawOutline(paint.Get(), client);
  }

  void DrawOutline(HDC dc, const RECT& r) {
    const RECT edges[] = {
        {r.left, r.top, r.right, r.top + 1},         // top
        {r.left, r.bottom - 1, r.right, r.bottom},   // bottom
        {r.left, r.top, r.left + 1, r.bottom},       // left
        {r.right - 1, r.top, r.right, r.bottom},     // right
    };
    for (const RECT& edge : edges) FillWithColour(dc, edge, row_.fore);
  }
};

}  // namespace

ControlWindow* MakeShape(const Control& row, PageWindow& page) { return new Shape(row, page); }

}  // namespace tk
