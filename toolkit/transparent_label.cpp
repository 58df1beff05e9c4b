// Transparent label: only its glyphs are drawn. The text is rendered without
// antialiasing into a bitmap, and the set pixels become the window's region,
// so whatever lies beneath (the parent, lower siblings) shows and paints
// normally around the glyphs and takes the clicks there. An etched label adds
// a white copy one pixel right and down, beneath the text.

#include "toolkit/control.h"
#include "toolkit/page_window.h"
#include "toolkit/program.h"
#include "toolkit/text_lines.h"

namespace tk {

namespace {

// The pixels of a 32-bit top-down bitmap whose channel `mask` is set, as a
// region made of one rectangle per run of such pixels in a row.
HRGN RegionOfPixels(const uint32_t* pixels, int width, int height, uint32_t mask) {
  HeapArray<RECT> runs(size_t(width / 2 + 1) * size_t(height));
  size_t count = 0;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + size_t(y) * size_t(width);
    for (int x = 0; x < width;) {
      if (!(row[x] & mask)) {
        ++x;
        continue;
      }
      int start = x;
      while (x < width && (row[x] & mask)) ++x;
      runs[count++] = RECT{start, y, x, y + 1};
    }
  }
  if (count == 0) return CreateRectRgn(0, 0, 0, 0);
  size_t bytes = sizeof(RGNDATAHEADER) + count * sizeof(RECT);
  HeapArray<uint8_t> data(bytes);
  auto* region = reinterpret_cast<RGNDATA*>(data.Get());
  region->rdh.dwSize = sizeof(RGNDATAHEADER);
  region->rdh.iType = RDH_RECTANGLES;
  region->rdh.nCount = DWORD(count);
  region->rdh.rcBound = RECT{0, 0, width, height};
  for (size_t i = 0; i < count; ++i) reinterpret_cast<RECT*>(region->Buffer)[i] = runs[i];
  return ExtCreateRegion(nullptr, DWORD(bytes), region);
}

class TransparentLabel : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  bool Build(const BuildContext& context) override {
    if (!CreateChild(context, kPlainClass, BaseStyle())) return false;
    Reshape();
    return true;
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        OnPaint();
        return 0;
      case WM_SETTEXT: {
        LRESULT result = Default(message, wParam, lParam);
        Reshape();
        return result;
      }
      case WM_SIZE:
        Reshape();
        return 0;
      case WM_LBUTTONDOWN:
        RaisePress(wParam, lParam);
        break;
    }
    return Default(message, wParam, lParam);
  }

 private:
  LineMode Mode() const {
    if (row_.flags & kMultiline) return kWrapped;
    return (row_.flags & kVCentre) ? kSingleLineCentred : kSingleLineTop;
  }

  // Renders the text (green) and its etched copy (red) and makes regions of
  // them; the union becomes the window's shape.
  void Reshape() {
    if (!Handle()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    int width = client.right, height = client.bottom;
    glyphs_.Reset(CreateRectRgn(0, 0, 0, 0));
    etching_.Reset(CreateRectRgn(0, 0, 0, 0));
    if (width > 0 && height > 0) Render(width, height);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(shape, glyphs_.Get(), etching_.Get(), RGN_OR);
    SetWindowRgn(Handle(), shape, TRUE);  // the system owns the region now
  }

  void Render(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !bits) return;
    {
      Selection selectedBitmap(dc.Get(), bitmap.Get());
      Selection selectedFont(dc.Get(), page_.FontFor(row_.font, true));
      SetBkMode(dc.Get(), TRANSPARENT);
      Text text = GetText();
      RECT box = {0, 0, width, height};
      if (row_.flags & kEtched) {
        SetTextColor(dc.Get(), RGB(255, 0, 0));
        RECT shifted = {1, 1, width + 1, height + 1};
        DrawTextLines(dc.Get(), text.c_str(), shifted, Mode());
      }
      SetTextColor(dc.Get(), RGB(0, 255, 0));
      DrawTextLines(dc.Get(), text.c_str(), box, Mode());
      GdiFlush();
    }
    const auto* pixels = static_cast<const uint32_t*>(bits);
    glyphs_.Reset(RegionOfPixels(pixels, width, height, 0x0000FF00));
    etching_.Reset(RegionOfPixels(pixels, width, height, 0x00FF0000));
    CombineRgn(etching_.Get(), etching_.Get(), glyphs_.Get(), RGN_DIFF);
  }

  // The window's region leaves only the glyph pixels, so filling the two
  // regions paints exactly what was rendered.
  void OnPaint() {
    PaintDC paint(Handle());
    ScopedBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    ScopedBrush text(CreateSolidBrush(ToColorRef(row_.fore)));
    FillRgn(paint.Get(), etching_.Get(), white.Get());
    FillRgn(paint.Get(), glyphs_.Get(), text.Get());
  }

  ScopedRegion glyphs_;
  ScopedRegion etching_;
};

}  // namespace

ControlWindow* MakeTransparentLabel(const Control& row, PageWindow& page) {
  return new TransparentLabel(row, page);
}

}  // namespace tk
