// Page 3, the readme page: a short description of the product.
#include "wizard/frame.h"
#include "wizard/pages/pages.h"
#include "wizard/pages/text_box.h"

namespace pages {
namespace {

constexpr int kPage = 3;

constexpr const char* kReadmeText =
    "岚笺是一款电子日记本软件\r\n\r\n界面简洁，无毒无害\r\n\r\n本软件承诺永久免费\r\n\r\n"
    "重要的事情说三遍：\r\n\r\n招收广告位 招收广告位 招收广告位\r\n\r\n\r\n"
    "岚讯：20161024\r\n";

constexpr tk::Control kRows[] = {
    frame::OuterFrame(0x000000),
    frame::TitleStrip(),
    frame::CaptionInStrip(),
    frame::MinimiseInStrip(),
    frame::CloseButton(),
    frame::CancelButton(452, 337),
    frame::ForwardButton("下一步", {356, 337, 72, 32}, frame::GoTo<4>),
    frame::BackButton(276, 337, frame::GoTo<2>),
    frame::StepRow("图片框4", kPage),
    frame::StepRow("编辑框5", kPage),
    frame::StepRow("图片框3", kPage),
    frame::StepRow("图片框2", kPage),
    frame::StepRow("编辑框4", kPage),
    frame::StepRow("编辑框3", kPage),
    frame::StepRow("图片框1", kPage),
    frame::StepRow("编辑框2", kPage),
    frame::Separator("透明标签4", {15, 305, 518, 24}, 96),
    ReadOnlyTextBox({25, 116, 495, 192}, kReadmeText),
};

}  // namespace

constinit const tk::PageDesc kReadme = frame::Page(kPage, "说明自述", kRows);

}  // namespace pages
