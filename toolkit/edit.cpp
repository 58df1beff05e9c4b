// Edit box: the system's EDIT control with the row's colours, borders and
// line settings. Non-client work of our own happens in WM_NCCALCSIZE and
// WM_NCPAINT: the single border is a black frame one pixel wide around the
// client area (the system's WS_BORDER takes the window-frame colour, and
// some systems draw it inside the client area, where the control's own text
// painting goes over it), and a single line can sit vertically centred, the
// client area shrunk to one line and the bands above and below painted in
// the background colour.
#include "toolkit/control.h"
#include "toolkit/page_window.h"

namespace tk {

namespace {

class Edit : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    if (!CreateChild(context, "EDIT", Style(), ExStyle())) return false;
    background_.Reset(CreateSolidBrush(ToColorRef(row_.back)));
    HFONT font = page_.FontFor(row_.font, false);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);
    if (Centred()) MeasureLine(font);
    if (OwnsFrame()) RecomputeFrame();
    return true;
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_NCCALCSIZE:
        if (OwnsFrame()) return OnNcCalcSize(wParam, lParam);
        break;
      case WM_NCPAINT:
        if (OwnsFrame()) {
          LRESULT result = Default(message, wParam, lParam);
          if (Centred()) PaintBands();
          if (SingleBorder()) PaintBorder();
          return result;
        }
        break;
    }
    return Default(message, wParam, lParam);
  }

  bool OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, ToColorRef(row_.fore));
    SetBkColor(dc, ToColorRef(row_.back));
    *result = reinterpret_cast<LRESULT>(background_.Get());
    return true;
  }

 private:
  bool Centred() const { return (row_.flags & kVCentre) && !(row_.flags & kMultiline); }
  bool SingleBorder() const { return row_.flags & kBorderSingle; }
  bool OwnsFrame() const { return Centred() || SingleBorder(); }

  DWORD Style() const {
    DWORD style = BaseStyle() | ES_LEFT;
    if (row_.flags & kMultiline) {
      style |= ES_MULTILINE | ES_AUTOVSCROLL;  // no ES_AUTOHSCROLL: lines wrap
    } else {
      style |= ES_AUTOHSCROLL;
    }
    if (row_.flags & kVScroll) style |= WS_VSCROLL;
    if (row_.flags & kReadOnly) style |= ES_READONLY;
    if (!(row_.flags & kHideSelection)) style |= ES_NOHIDESEL;
    return style;
  }

  DWORD ExStyle() const { return (row_.flags & kBorderSunken) ? WS_EX_CLIENTEDGE : 0; }

  // The height of one line in the box's font, which the centred client area holds.
  void MeasureLine(HFONT font) {
    WindowDC dc(Handle());
    Selection selected(dc.Get(), font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc.Get(), &metrics);
    lineHeight_ = metrics.tmHeight;
  }

  // The window was sized before it was subclassed; this sizes its client
  // area again, now through OnNcCalcSize.
  void RecomputeFrame() {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // Either form of the message starts with the window's rectangle and
  // leaves the client area's in the same place.
  LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    RECT& client = *reinterpret_cast<RECT*>(lParam);
    if (SingleBorder()) InflateRect(&client, -1, -1);
    LRESULT result = Default(WM_NCCALCSIZE, wParam, lParam);
    int spare = (client.bottom - client.top) - lineHeight_;
    if (lineHeight_ > 0 && spare > 1) {
      client.top += spare / 2;
      client.bottom = client.top + lineHeight_;
    }
    return result;
  }

  // Paints what lies between the frame and the shrunk client area.
  void PaintBands() {
    RECT window, client;
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    int frame = (row_.flags & kBorderSingle) ? 1 : (row_.flags & kBorderSunken) ? 2 : 0;
    int width = window.right - window.left, height = window.bottom - window.top;
    WindowDC dc(Handle(), WindowDC::kWhole);
    FillWithColour(dc.Get(), RECT{frame, frame, width - frame, client.top}, row_.back);
    FillWithColour(dc.Get(), RECT{frame, client.bottom, width - frame, height - frame}, row_.back);
  }

  void PaintBorder() {
    RECT window;
    GetWindowRect(Handle(), &window);
    OffsetRect(&window, -window.left, -window.top);
    WindowDC dc(Handle(), WindowDC::kWhole);
    FrameRect(dc.Get(), &window, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }

  ScopedBrush background_;
  int lineHeight_ = 0;
};

}  // namespace

ControlWindow* MakeEdit(const Control& row, PageWindow& page) { return new Edit(row, page); }

}  // namespace tk
