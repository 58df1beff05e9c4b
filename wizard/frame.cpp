#include "wizard/frame.h"

namespace frame {
namespace {

constexpr unsigned kNcLeftButtonDown = 161;  // WM_NCLBUTTONDOWN
constexpr uintptr_t kHitCaption = 2;         // HTCAPTION
constexpr int kMinimised = 2;
constexpr const char* kQuitQuestion = "您确定要退出安装程序吗？";

bool UserConfirmsQuit(const char* title) {
  return tk::MessageBox(kQuitQuestion, tk::kYesNo, title) == tk::kResultYes;
}

}  // namespace

// A press on the title strip or caption becomes a press on a title bar, so
// the system's move loop lets the borderless page follow the mouse.
void Drag(tk::Page& page, int, int, int) {
  page.SendWindowMessage(kNcLeftButtonDown, kHitCaption, 1);
}

void Minimise(tk::Page& page) { page.SetPositionState(kMinimised); }

void Cancel(tk::Page&) {
  if (UserConfirmsQuit("提示")) tk::EndProgram(0);
}

// False keeps the page (and refuses a log-off); after Yes the page is closed
// here and the close request or log-off goes ahead.
bool ConfirmClose(tk::Page& page) {
  if (!UserConfirmsQuit("关闭")) return false;
  page.Close();
  return true;
}

void SwitchTo(tk::Page& page, int target) {
  tk::OpenPage(target);
  page.Close();
}

}  // namespace frame
