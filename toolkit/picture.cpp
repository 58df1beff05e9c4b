// Picture box: its background colour, and the row's picture (PNG or ICO from
// an RCDATA resource) stretched over the whole box and blended over that
// colour. The title strip is a picture box that holds the strip's buttons.

#include "toolkit/control.h"
#include "toolkit/image.h"
#include "toolkit/page_window.h"
#include "toolkit/program.h"

namespace tk {

namespace {

class Picture : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    if (row_.image) {
      size_t size = 0;
      const uint8_t* bytes = ResourceBytes(row_.image, &size);
      source_ = DecodeImage(bytes, size);
    }
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
      case WM_LBUTTONDOWN:
        RaisePress(wParam, lParam);
        break;
    }
    return Default(message, wParam, lParam);
  }

 private:
  void OnPaint() {
    PaintDC paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    if (source_.Empty()) {
      FillWithColour(paint.Get(), client, row_.back);
      return;
    }
    if (scaled_.width != client.right || scaled_.height != client.bottom)
      scaled_ = ScaleImage(source_, client.right, client.bottom);
    if (scaled_.Empty()) return;
    HeapArray<uint8_t> pixels = Composite(scaled_, ToColorRef(row_.back));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = scaled_.width;
    info.bmiHeader.biHeight = -scaled_.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(paint.Get(), 0, 0, DWORD(scaled_.width), DWORD(scaled_.height), 0, 0, 0,
                      UINT(scaled_.height), pixels.Get(), &info, DIB_RGB_COLORS);
  }

  Image source_;
  Image scaled_;
};

}  // namespace

ControlWindow* MakePicture(const Control& row, PageWindow& page) { return new Picture(row, page); }

}  // namespace tk
