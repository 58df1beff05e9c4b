// Page 4, the install-folder page: the user types or picks the folder, and
// "下一步" commits the field's text, unchanged, as the install folder.
#include <utility>

#include "wizard/frame.h"
#include "wizard/install_folder.h"
#include "wizard/pages/pages.h"
#include "wizard/pages/text_box.h"

namespace pages {
namespace {

using tk::Kind;
using frame::kOuter;

constexpr int kPage = 4;
constexpr const char* kStrip = "图片框6";
constexpr const char* kFolderField = "编辑框1";

// A cancelled picker, or an item without a file-system path, gives an empty
// result; the field then keeps what the user had typed.
void PickFolder(tk::Page& page) {
  tk::Text picked = tk::PickFolder("");
  if (picked.empty()) return;
  page.SetText(kFolderField, picked.Concat("\\").c_str());
}

void CommitAndGoOn(tk::Page& page) {
  tk::Text folder = page.GetText(kFolderField);
  if (folder.empty()) {
    tk::MessageBox("请先输入安装地址", tk::kOk, "提示");
    return;
  }
  wizard::CommitInstallFolder(std::move(folder));
  frame::SwitchTo(page, 5);
}

constexpr tk::Control kRows[] = {
    frame::OuterFrame(0x00FF00),
    frame::TitleStrip(kStrip),
    frame::CaptionInStrip(kStrip),
    frame::MinimiseInStrip(kStrip),
    frame::CloseButton(kStrip),
    {.name = kFolderField, .kind = Kind::Edit, .parent = kOuter, .rect = {28, 199, 432, 32},
     .font = frame::kDefaultGuiFont, .flags = tk::kVCentre | tk::kHideSelection | tk::kTabStop,
     .back = 0xECECEC, .fore = 0x000000},
    {.name = "图片框5", .kind = Kind::Picture, .parent = kOuter, .rect = {27, 198, 434, 34},
     .back = 0x0088FF},
    {.name = "按钮4", .kind = Kind::SuperButton, .parent = kOuter, .rect = {471, 199, 40, 33},
     .text = "·········", .font = frame::kButtonFont, .flags = tk::kTabStop | tk::kHandCursor,
     .back = 0x0060C0, .fore = 0xFFFFFF, .hoverBack = 0x0088FF, .onClick = PickFolder},
    frame::CancelButton(453, 337),
    frame::ForwardButton("下一步", {356, 337, 72, 32}, CommitAndGoOn),
    frame::BackButton(276, 337, frame::GoTo<3>),
    frame::StepRow("图片框4", kPage),
    frame::StepRow("编辑框5", kPage),
    frame::StepRow("图片框3", kPage),
    frame::StepRow("图片框2", kPage),
    frame::StepRow("编辑框4", kPage),
    frame::StepRow("编辑框3", kPage),
    frame::StepRow("图片框1", kPage),
    frame::StepRow("编辑框2", kPage),
    {.name = "透明标签3", .kind = Kind::TransparentLabel, .parent = kOuter,
     .rect = {31, 148, 288, 32}, .text = "请选择岚笺安装路径", .font = kHeadingFont,
     .flags = tk::kVCentre},
    {.name = "透明标签2", .kind = Kind::TransparentLabel, .parent = kOuter,
     .rect = {19, 113, 288, 32}, .text = "必须输入有效路径", .font = kHeadingFont,
     .flags = tk::kVCentre},
    frame::Separator("透明标签4", {7, 305, 518, 24}, 89),
    {.name = "透明标签1", .kind = Kind::TransparentLabel, .parent = kOuter,
     .rect = {9, 79, 136, 24}, .text = "选择安装路径", .font = {20, 400, "黑体"},
     .flags = tk::kVCentre},
};

}  // namespace

constinit const tk::PageDesc kFolder = frame::Page(kPage, "安装选项", kRows);

}  // namespace pages
