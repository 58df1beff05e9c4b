// Page 5, the confirmation page: one question before the install starts.
#include "wizard/frame.h"
#include "wizard/pages/pages.h"

namespace pages {
namespace {

constexpr int kPage = 5;

constexpr tk::Control kRows[] = {
    frame::OuterFrame(0xFF8000),
    frame::TitleStrip(),
    frame::CaptionInStrip(),
    frame::MinimiseInStrip(),
    frame::CloseButton(),
    frame::CancelButton(453, 337),
    frame::ForwardButton("安装", {356, 337, 72, 32}, frame::GoTo<6>),
    frame::BackButton(276, 337, frame::GoTo<4>),
    frame::StepRow("图片框4", kPage),
    frame::StepRow("编辑框5", kPage),
    frame::StepRow("图片框3", kPage),
    frame::StepRow("图片框2", kPage),
    frame::StepRow("编辑框4", kPage),
    frame::StepRow("编辑框3", kPage),
    frame::StepRow("图片框1", kPage),
    frame::StepRow("编辑框2", kPage),
    frame::Separator("透明标签3", {7, 305, 518, 24}, 89),
    {.name = "透明标签2", .kind = tk::Kind::TransparentLabel, .parent = frame::kOuter,
     .rect = {113, 133, 384, 100}, .text = "您确定要安装继续吗？", .font = {32},
     .flags = tk::kVCentre},
};

}  // namespace

constinit const tk::PageDesc kConfirmation = frame::Page(kPage, "安装选项", kRows);

}  // namespace pages
