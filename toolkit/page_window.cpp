#include "toolkit/page_window.h"

#include <cstring>

#include "toolkit/image.h"
#include "toolkit/program.h"

namespace tk {

namespace {

// Wakes the event loop so that it destroys a page whose close was requested.
constexpr UINT kWakeLoop = WM_APP + 0x100;

bool SameFont(const Font& a, const Font& b) {
  if (a.height != b.height || a.weight != b.weight) return false;
  if (!a.face || !b.face) return a.face == b.face;
  return std::strcmp(a.face, b.face) == 0;
}

HFONT CreatePageFont(const Font& font, bool crisp) {
  BYTE quality = crisp ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
  if (font.height == 0) {
    LOGFONTA description;
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    description.lfQuality = quality;
    return CreateFontIndirectA(&description);
  }
  return CreateFontA(-font.height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_DONTCARE,
                     font.face ? font.face : "");
}

// Left edge of a window of `size` centred on a screen of `screen`; C++
// division truncates toward zero, as the placement wants.
int Centred(int screen, int size) { return (screen - size) / 2; }

}  // namespace

PageWindow::~PageWindow() {
  if (IsOpen()) DestroyWindow(Handle());
}

bool PageWindow::Open(const PageDesc& desc) {
  desc_ = &desc;
  closeRequested_ = false;
  focus_ = nullptr;
  if (!CreateFrame()) return false;
  SetIcon();
  if (!BuildControls()) {
    DestroyWindow(Handle());
    return false;
  }
  if (desc.onCreated && !Ending()) desc.onCreated(*this);
  if (!IsOpen()) return true;
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  return true;
}

bool PageWindow::CreateFrame() {
  int left = Centred(GetSystemMetrics(SM_CXSCREEN), desc_->width);
  int top = Centred(GetSystemMetrics(SM_CYSCREEN), desc_->height);
  // A popup without caption or border: the whole window is client area. The
  // system menu and minimise box give the taskbar button its usual commands.
  DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
  return Create(Spec{kPageClass, desc_->caption, style, 0,
                     RECT{left, top, left + desc_->width, top + desc_->height}, nullptr, 0});
}

void PageWindow::SetIcon() {
  if (!desc_->icon) return;
  bigIcon_.Reset(LoadWindowIcon(desc_->icon, GetSystemMetrics(SM_CXICON),
                                GetSystemMetrics(SM_CYICON)));
  smallIcon_.Reset(LoadWindowIcon(desc_->icon, GetSystemMetrics(SM_CXSMICON),
                                  GetSystemMetrics(SM_CYSMICON)));
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

bool PageWindow::BuildControls() {
  int count = desc_->controlCount > 0 ? desc_->controlCount : 0;
  controls_ = HeapArray<ControlWindow*>(size_t(count));
  // Each row needs at most two fonts: its own and the crisp one.
  fonts_ = HeapArray<FontEntry>(size_t(count) * 2);
  fontCount_ = 0;
  for (int i = 0; i < count; ++i)
    if (!BuildControl(i)) return false;
  return true;
}

// Rows are made in stacking order: a new child goes to the bottom of its
// siblings, so an earlier row ends up above a later one.
bool PageWindow::BuildControl(int index) {
  const Control& row = desc_->controls[index];
  HWND parent = Handle();
  if (row.parent) {
    ControlWindow* parentControl = Lookup(row.parent);
    if (!parentControl || !parentControl->Handle()) return false;
    parent = parentControl->Handle();
  }
  ControlWindow* control = MakeControl(row, *this);
  if (!control) return false;
  controls_[size_t(index)] = control;
  return control->Build(BuildContext{parent, kFirstControlId + index});
}

HFONT PageWindow::FontFor(const Font& font, bool crisp) {
  if (font.height == 0 && !crisp) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (int i = 0; i < fontCount_; ++i)
    if (fonts_[size_t(i)].crisp == crisp && SameFont(fonts_[size_t(i)].font, font))
      return fonts_[size_t(i)].handle.Get();
  if (size_t(fontCount_) >= fonts_.Count()) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HFONT made = CreatePageFont(font, crisp);
  FontEntry& entry = fonts_[size_t(fontCount_++)];
  entry.font = font;
  entry.crisp = crisp;
  entry.handle.Reset(made);
  return made;
}

ControlWindow* PageWindow::Lookup(const char* name) const {
  if (!name) return nullptr;
  for (size_t i = 0; i < controls_.Count(); ++i) {
    ControlWindow* control = controls_[i];
    if (control && std::strcmp(control->Row().name, name) == 0) return control;
  }
  return nullptr;
}

ControlWindow& PageWindow::Find(const char* name) {
  ControlWindow* control = IsOpen() ? Lookup(name) : nullptr;
  if (!control) ToolkitError("找不到控件", name);
  return *control;
}

void PageWindow::StartTimer(int id, int milliseconds) {
  SetTimer(Handle(), UINT_PTR(id), UINT(milliseconds), nullptr);
}

void PageWindow::StopTimer(int id) { KillTimer(Handle(), UINT_PTR(id)); }

void PageWindow::BringToFront() {
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(Handle());
}

void PageWindow::RequestClose() {
  closeRequested_ = true;
  PostMessageA(Handle(), kWakeLoop, 0, 0);
}

bool PageWindow::CloseIfRequested() {
  if (!IsOpen() || !closeRequested_) return false;
  DestroyWindow(Handle());
  return true;
}

LRESULT PageWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      OnCloseRequest();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession();
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_SETFOCUS:
      if (focus_ && IsChild(Handle(), focus_)) SetFocus(focus_);
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillWithColour(reinterpret_cast<HDC>(wParam), client, 0xFFFFFF);
      return 1;
    }
    case WM_COMMAND:
      // Enter and Esc arrive as IDOK and IDCANCEL without a control: a page
      // is not a dialog that they close.
      if (lParam == 0) return 0;
      break;
    case kWakeLoop:
      return 0;
  }
  return Default(message, wParam, lParam);
}

void PageWindow::OnCloseRequest() {
  if (Ending()) return;
  bool keep = desc_->onCanClose && !desc_->onCanClose(*this);
  if (!keep && IsOpen()) RequestClose();
}

BOOL PageWindow::OnQueryEndSession() {
  if (Ending()) return TRUE;
  return !(desc_->onCanClose && !desc_->onCanClose(*this));
}

void PageWindow::OnTimer(UINT_PTR id) {
  size_t index = size_t(id) - kFirstControlId;
  if (Ending() || id < kFirstControlId || index >= controls_.Count()) return;
  ControlWindow* control = controls_[index];
  if (control && control->Row().kind == Kind::Timer && control->Row().onPeriodic)
    control->Row().onPeriodic(*this);
}

void PageWindow::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) focus_ = focus;
    return;
  }
  if (IsIconic(Handle())) return;
  SetFocus(focus_ && IsChild(Handle(), focus_) ? focus_ : Handle());
}

void PageWindow::OnDestroyed() {
  ReleaseControls();
  fonts_ = HeapArray<FontEntry>();
  fontCount_ = 0;
  bigIcon_.Reset();
  smallIcon_.Reset();
  focus_ = nullptr;
  closeRequested_ = false;
}

void PageWindow::ReleaseControls() {
  for (size_t i = 0; i < controls_.Count(); ++i) delete controls_[i];
  controls_ = HeapArray<ControlWindow*>();
}

}  // namespace tk
