// Edit box: the system's EDIT control with the row's colours, borders and
// line settings. A single line can sit vertically centred: the client area
// is shrunk to one line in WM_NCCALCSIZE and the bands above and below are
// painted in the background colour.
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
    return true;
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_NCCALCSIZE:
        if (Centred()) return OnNcCalcSize(wParam, lParam);
        break;
      case WM_NCPAINT:
        if (Centred()) {
          LRESULT result = Default(message, wParam, lParam);
          PaintBands();
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

  DWORD Style() const {
    DWORD style = BaseStyle() | ES_LEFT;
    if (row_.flags & kMultiline) {
      style |= ES_MULTILINE | ES_AUTOVSCROLL;  // no ES_AUTOHSCROLL: lines wrap
    } else {
      style |= ES_AUTOHSCROLL;
    }
    if (row_.flags & kVScroll) style |= WS_VSCROLL;
    if (row_.flags & kReadOnly) style |= ES_READONLY;
    if (row_.flags & kBorderSingle) style |= WS_BORDER;
    if (!(row_.flags & kHideSelection)) style |= ES_NOHIDESEL;
    return style;
  }

  DWORD ExStyle() const { return (row_.flags & kBorderSunken) ? WS_EX_CLIENTEDGE : 0; }

  // The height of one line in the box's font; the frame is then recomputed
  // so that the client area holds that line in the middle.
  void MeasureLine(HFONT font) {
    WindowDC dc(Handle());
    Selection selected(dc.Get(), font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc.Get(), &metrics);
    lineHeight_ = metrics.tmHeight;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = Default(WM_NCCALCSIZE, wParam, lParam);
    RECT& client = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
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

  ScopedBrush background_;
  int lineHeight_ = 0;
};

}  // namespace

ControlWindow* MakeEdit(const Control& row, PageWindow& page) { return new Edit(row, page); }

}  // namespace tk
