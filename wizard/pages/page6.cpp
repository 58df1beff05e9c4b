// Page 6, the progress page. Its created event is the install run, done
// before the page is shown; the timer then grows the bar and, once it is
// full, reports what the install run achieved. "完成" ends the program, with
// exit code 1 when the install failed.
#include "install/install_run.h"
#include "install/zip_component.h"
#include "wizard/frame.h"
#include "wizard/install_folder.h"
#include "wizard/pages/pages.h"
#include "wizard/pages/progress.h"

namespace pages {
namespace {

using tk::Kind;
using frame::kOuter;

constexpr int kPage = 6;
constexpr const char* kTimer = "时钟1";
constexpr const char* kZip = "ZIP压缩1";

// What the install run achieved, for the report and the exit code.
constinit install::Outcome gOutcome;

void Install(tk::Page& page) {
  gOutcome = install::InstallRun(page, kZip, wizard::InstallFolder());
}

void ReportOutcome() {
  if (gOutcome.ok()) {
    tk::MessageBox("安装成功", tk::kOk);
    return;
  }
  tk::Text failure = install::DescribeFailure(gOutcome, wizard::InstallFolder());
  tk::MessageBox(failure.c_str(), tk::kOk, "提示");
}

// The timer stops before the box opens, so no tick runs inside the box's loop.
void Tick(tk::Page& page) {
  page.SetWidth(kBar, NextBarWidth(page.GetWidth(kBar)));
  if (!BarIsFull(page.GetWidth(kBar))) return;
  page.SetPeriod(kTimer, 0);
  ReportOutcome();
}

void Finish(tk::Page&) { tk::EndProgram(gOutcome.ok() ? 0 : 1); }

constexpr tk::Control kRows[] = {
    frame::OuterFrame(0x9000FF),
    frame::TitleStrip(),
    frame::CaptionInStrip(),
    frame::MinimiseInStrip(),
    frame::CloseButton(),
    frame::ForwardButton("完成", {452, 337, 72, 32}, Finish),
    frame::StepRow("图片框4", kPage),
    frame::StepRow("编辑框5", kPage),
    frame::StepRow("图片框3", kPage),
    frame::StepRow("图片框2", kPage),
    frame::StepRow("编辑框4", kPage),
    frame::StepRow("编辑框3", kPage),
    frame::StepRow("图片框1", kPage),
    frame::StepRow("编辑框2", kPage),
    {.name = kBar, .kind = Kind::Shape, .parent = kOuter, .rect = {4, 162, 13, 24},
     .back = 0x0088FF, .fore = 0x0088FF},
    {.name = "外形框3", .kind = Kind::Shape, .parent = kOuter, .rect = {3, 160, 529, 28},
     .back = tk::kButtonFace, .fore = 0x00FF00},
    {.name = "标签1", .kind = Kind::Label, .parent = kOuter, .rect = {129, 202, 304, 24},
     .text = "本程序没有涉及到注册表等内容，如需卸载请直接删除", .font = frame::kDefaultGuiFont,
     .flags = tk::kVCentre, .back = 0xFFFFFF, .fore = 0x000000},
    frame::Separator("透明标签4", {8, 305, 518, 24}, 89),
    {.name = kTimer, .kind = Kind::Timer, .parent = kOuter, .rect = {225, 266, 26, 26},
     .flags = tk::kHidden, .period = 100, .onPeriodic = Tick},
    {.name = kZip, .kind = Kind::Component, .parent = kOuter, .rect = {65, 282, 26, 26},
     .flags = tk::kHidden, .component = &install::kZipComponent},
};

}  // namespace

constinit const tk::PageDesc kProgress = frame::Page(kPage, "安装进度", kRows, Install);

}  // namespace pages
