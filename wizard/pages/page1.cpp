// Page 1, the welcome page: greeting, a warning about false alarms of security
// software, the maker's notice and three pictures.
#include "wizard/frame.h"
#include "wizard/pages/pages.h"

namespace pages {
namespace {

using tk::Kind;
using frame::kOuter;

constexpr const char* kWarning =
    "本程序将会安装到您的计算机上，您的杀毒软件可能会存在误报，请信任我们的软件。\r\n\r\n"
    "如不信任请取消本次安装\r\n";

constexpr const char* kNotice =
    "未经作者许可，请勿转载或发布本程序。投诉与建议请联系作者：lanjian@example.com\r\n"
    "\r\n"
    "岚笺工作室出品。广告合作请联系岚讯：20161024";

constexpr tk::Control kRows[] = {
    frame::OuterFrame(0x0088FF),
    frame::CaptionOverStrip(),
    frame::MinimiseOverStrip(),
    frame::TitleStrip(),
    frame::CloseButton(),
    frame::CancelButton(423, 333),
    frame::ForwardButton("下一步", {335, 309, 72, 56}, frame::GoTo<2>),
    frame::Separator("透明标签4", {303, 284, 224, 24}, 89),
    {.name = "透明标签3", .kind = Kind::TransparentLabel, .parent = kOuter,
     .rect = {10, 208, 521, 61}, .text = kNotice, .font = {12}, .flags = tk::kMultiline},
    {.name = "透明标签2", .kind = Kind::TransparentLabel, .parent = kOuter,
     .rect = {160, 94, 232, 72}, .text = kWarning, .font = {14}, .flags = tk::kMultiline},
    {.name = "透明标签1", .kind = Kind::TransparentLabel, .parent = kOuter,
     .rect = {158, 43, 344, 22}, .text = "欢迎使用岚笺1.0安装程序", .font = {19, 700},
     .flags = tk::kVCentre},
    {.name = "图片框3", .kind = Kind::Picture, .parent = kOuter, .rect = {2, 249, 90, 113},
     .back = 0xFFFFFF, .image = RES_EMBLEM},
    {.name = "图片框2", .kind = Kind::Picture, .parent = kOuter, .rect = {108, 264, 72, 74},
     .back = 0xFFFFFF, .image = RES_NEBULA},
    {.name = "图片框4", .kind = Kind::Picture, .parent = kOuter, .rect = {214, 268, 73, 75},
     .back = 0xFFFFFF, .image = RES_WINDOW_ICON},
};

}  // namespace

constinit const tk::PageDesc kWelcome = frame::Page(1, "安装程序", kRows);

}  // namespace pages
