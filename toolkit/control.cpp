#include "toolkit/control.h"

#include <windowsx.h>

#include "toolkit/page_window.h"
#include "toolkit/program.h"

namespace tk {

COLORREF ToColorRef(Rgb colour) {
  if ((colour & 0xFF000000u) == kSysColour) return GetSysColor(int(colour & 0xFFFFFFu));
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

void FillWithColour(HDC dc, const RECT& rect, Rgb colour) {
  // A solid colour without a brush: ExtTextOut's opaque rectangle.
  SetBkColor(dc, ToColorRef(colour));
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void ControlWindow::RaisePress(WPARAM keys, LPARAM point) {
  if (row_.onPress && !Ending()) row_.onPress(page_, GET_X_LPARAM(point), GET_Y_LPARAM(point), int(keys));
}

DWORD ControlWindow::BaseStyle() const {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!(row_.flags & kHidden)) style |= WS_VISIBLE;
  if (row_.flags & kDisabled) style |= WS_DISABLED;
  if (row_.flags & kTabStop) style |= WS_TABSTOP;
  return style;
}

RECT ControlWindow::Bounds() const {
  const Rect& r = row_.rect;
  return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

bool ControlWindow::CreateChild(const BuildContext& context, const char* className, DWORD style,
                                DWORD exStyle) {
  return Create(Spec{className, row_.text, style, exStyle, Bounds(), context.parent, context.id});
}

bool ControlWindow::Build(const BuildContext& context) {
  return CreateChild(context, kPlainClass, BaseStyle());
}

Text ControlWindow::GetText() const {
  int length = GetWindowTextLengthA(Handle());
  if (length <= 0) return Text();
  HeapArray<char> buffer(size_t(length) + 1);
  int copied = GetWindowTextA(Handle(), buffer.Get(), length + 1);
  return Text(buffer.Get(), copied > 0 ? size_t(copied) : 0);
}

void ControlWindow::SetText(const char* text) { SetWindowTextA(Handle(), text ? text : ""); }

void ControlWindow::SetDisabled(bool disabled) { EnableWindow(Handle(), !disabled); }

int ControlWindow::GetWidth() const {
  RECT rect;
  GetWindowRect(Handle(), &rect);
  return rect.right - rect.left;
}

void ControlWindow::SetWidth(int width) {
  RECT rect;
  GetWindowRect(Handle(), &rect);
  SetWindowPos(Handle(), nullptr, 0, 0, width < 0 ? 0 : width, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ControlWindow::SetPeriod(int) { ToolkitError("不是时钟", row_.name); }

int ControlWindow::CallOperation(const char*, const char* const*, int) {
  ToolkitError("不是组件", row_.name);
}

ControlWindow* MakeControl(const Control& row, PageWindow& page) {
  switch (row.kind) {
    case Kind::Shape: return MakeShape(row, page);
    case Kind::Picture: return MakePicture(row, page);
    case Kind::Edit: return MakeEdit(row, page);
    case Kind::Radio: return MakeRadio(row, page);
    case Kind::Label: return MakeLabel(row, page);
    case Kind::TransparentLabel: return MakeTransparentLabel(row, page);
    case Kind::SuperButton: return MakeSuperButton(row, page);
    case Kind::Timer: return MakeTimer(row, page);
    case Kind::Component: return MakeComponent(row, page);
  }
  return nullptr;
}

}  // namespace tk
