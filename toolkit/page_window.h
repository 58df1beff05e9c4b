// An open page: the top-level window built from a page descriptor, with the
// controls of its rows. One object per page number lives for the whole run;
// it holds a window only while the page is open, so a stale reference to a
// closed page still reaches an object that can report the toolkit error.
#pragma once
#include "toolkit/control.h"
#include "toolkit/toolkit.h"

namespace tk {

class PageWindow : public Window, public Page {
 public:
  PageWindow() = default;
  ~PageWindow() override;

  // Builds the window and the controls hidden, raises created, then shows
  // the page centred on the primary screen. False when it cannot be built.
  bool Open(const PageDesc& desc);
  bool IsOpen() const { return Handle() != nullptr; }
  const PageDesc& Desc() const { return *desc_; }
  void BringToFront();

  // The page goes when the event loop next looks at it.
  void RequestClose();
  // Destroys the window if a close was requested; true when it did.
  bool CloseIfRequested();

  // The open control called `name`; a toolkit error when there is none.
  ControlWindow& Find(const char* name);
  // The open control called `name`, or null.
  ControlWindow* Lookup(const char* name) const;

  // Timers of the page run on its window, under the id of their control.
  void StartTimer(int id, int milliseconds);
  void StopTimer(int id);

  // A font of this page, made once per distinct font and released with it.
  HFONT FontFor(const Font& font, bool crisp);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;

 private:
  bool CreateFrame();
  bool BuildControls();
  bool BuildControl(int index);
  void SetIcon();
  void OnCloseRequest();
  BOOL OnQueryEndSession();
  void OnTimer(UINT_PTR id);
  void OnActivate(bool active);
  void ReleaseControls();

  struct FontEntry {
    Font font;
    bool crisp;
    ScopedFont handle;
  };

  const PageDesc* desc_ = nullptr;
  HeapArray<ControlWindow*> controls_;
  HeapArray<FontEntry> fonts_;
  int fontCount_ = 0;
  ScopedIcon bigIcon_;
  ScopedIcon smallIcon_;
  HWND focus_ = nullptr;  // the control that had the focus when the page lost it
  bool closeRequested_ = false;
};

// Ids of child windows start here, clear of the dialog manager's IDOK and
// IDCANCEL, which Enter and Esc send to the page and which it ignores.
constexpr int kFirstControlId = 1000;

}  // namespace tk
