// Page 2, the agreement page: "下一步" is enabled only while the user has
// chosen to accept the agreement.
#include "wizard/frame.h"
#include "wizard/pages/pages.h"
#include "wizard/pages/text_box.h"

namespace pages {
namespace {

using tk::Kind;
using frame::kOuter;

constexpr int kPage = 2;

constexpr const char* kAgreementText =
    "用户协议：\r\n\r\n在本程序安装完成您已经默认接受协议。\r\n\r\n1、暂无\r\n\r\n2、暂无\r\n\r\n"
    "3、暂无\r\n\r\n";

void Accept(tk::Page& page) { page.SetDisabled("按钮2", false); }
void Refuse(tk::Page& page) { page.SetDisabled("按钮2", true); }

constexpr tk::Control Choice(const char* name, int left, const char* text, tk::Handler onClick) {
  return {.name = name, .kind = Kind::Radio, .parent = kOuter, .rect = {left, 266, 136, 24},
          .text = text, .font = frame::kDefaultGuiFont, .flags = tk::kTabStop,
          .back = 0xFFFFFF, .fore = 0x000000, .onClick = onClick};
}

constexpr tk::Control kRows[] = {
    frame::OuterFrame(0xFF0000),
    frame::TitleStrip(),
    frame::CaptionInStrip(),
    frame::MinimiseInStrip(),
    frame::CloseButton(),
    frame::CancelButton(452, 337),
    frame::ForwardButton("下一步", {356, 337, 72, 32}, frame::GoTo<3>, tk::kDisabled),
    frame::BackButton(276, 337, frame::GoTo<1>),
    frame::StepRow("图片框4", kPage),
    frame::StepRow("编辑框5", kPage),
    frame::StepRow("图片框3", kPage),
    frame::StepRow("图片框2", kPage),
    frame::StepRow("编辑框4", kPage),
    frame::StepRow("编辑框3", kPage),
    frame::StepRow("图片框1", kPage),
    frame::StepRow("编辑框2", kPage),
    Choice("单选框2", 184, "我不同意用户协议", Refuse),
    Choice("单选框1", 32, "我同意并能自觉遵守", Accept),
    frame::Separator("透明标签4", {8, 305, 518, 24}, 113),
    ReadOnlyTextBox({17, 108, 495, 142}, kAgreementText),
    {.name = "透明标签2", .kind = Kind::TransparentLabel, .parent = kOuter,
     .rect = {6, 77, 288, 32}, .text = "在安装之前，请阅读授权协议", .font = kHeadingFont,
     .flags = tk::kVCentre},
};

}  // namespace

constinit const tk::PageDesc kAgreement = frame::Page(kPage, "用户协议", kRows);

}  // namespace pages
