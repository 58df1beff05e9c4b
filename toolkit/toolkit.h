// The services that the pages and the engine use. Pages and controls are
// addressed by their layout names; addressing one that is not open is a toolkit
// error: an error message, then the program ends with exit code -1 without
// running the exit hooks.
#pragma once
#include "layout.h"
#include "text.h"

namespace tk {

// Loads the page descriptors (indexed by page number - 1) and makes the folder
// of the program's own file the current directory.
void Initialise(const PageDesc* const* pages, int count);

// Adds a routine that EndProgram runs once, in registration order.
void RegisterExitHook(void (*hook)());

// Builds page `number` afresh, hidden, raises its created event, then shows it
// centred on the primary screen. An open page is only brought to the front.
// A page that cannot be built is a toolkit error.
Page& OpenPage(int number);

// Runs the event loop; returns once the last page window is gone.
void RunEventLoop();

// Runs each exit hook once, then ends the process. No page gets an event after.
[[noreturn]] void EndProgram(int exitCode);

enum Buttons { kOk = 0, kYesNo = 4 };
enum Result { kResultOk = 0, kResultCancel, kResultAbort, kResultRetry, kResultIgnore, kResultYes, kResultNo };

// Modal for the whole program and without owner: every top-level window of the
// program is disabled while it is open. Without a title it is titled "信息：".
int MessageBox(const char* text, int buttons, const char* title = nullptr);

// The system's folder dialog; the chosen folder's path, or an empty text when
// cancelled or when the item has no file-system path.
Text PickFolder(const char* title, bool includeFiles = false);

// An open page, as its handlers see it.
class Page {
 public:
  int Number() const;

  Text GetText(const char* control);                 // a copy the caller owns
  void SetText(const char* control, const char* text);
  void SetDisabled(const char* control, bool disabled);
  int GetWidth(const char* control);
  void SetWidth(const char* control, int width);
  void SetPeriod(const char* timer, int milliseconds);   // 0 stops the timer
  void SetPositionState(int state);                       // 2 minimises the page

  // Delivered at once to the page window.
  long SendWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam);

  // Calls an operation of one of the page's components.
  int CallComponent(const char* component, const char* operation,
                    const char* const* args, int count);

  // The page window goes when control next returns to the event loop.
  void Close();

 protected:
  Page() = default;
  ~Page() = default;
};

}  // namespace tk
