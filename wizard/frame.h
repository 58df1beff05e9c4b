// The chrome that all six pages share: outer frame, title strip with caption,
// "-" and "×", step header, separator and the green button row, plus the
// frame's handlers. Each page lists these rows in its own stacking order among
// its own rows, so the frame offers single rows built from the page's values.
#pragma once
#include <cstddef>
#include <cstdint>

#include "assets/resources.h"
#include "toolkit/layout.h"
#include "toolkit/toolkit.h"

namespace frame {

inline constexpr const char* kOuter = "外形框1";
inline constexpr const char* kStrip = "图片框5";
inline constexpr int kPageWidth = 539;
inline constexpr int kPageHeight = 382;

// Handlers shared by every page.
void Drag(tk::Page& page, int x, int y, int keys);
void Minimise(tk::Page& page);
void Cancel(tk::Page& page);
bool ConfirmClose(tk::Page& page);

// Opens page `target`, then closes `page`; the target is open before the
// current page goes, so the event loop never runs out of pages.
void SwitchTo(tk::Page& page, int target);

template <int Target>
void GoTo(tk::Page& page) {
  SwitchTo(page, Target);
}

// The fonts the pages name.
inline constexpr tk::Font kDefaultGuiFont = {};
inline constexpr tk::Font kButtonFont = {13, 400, "微软雅黑"};
inline constexpr tk::Font kTitleButtonFont = {16, 400, nullptr};

constexpr tk::Control OuterFrame(tk::Rgb frameColour) {
  return {.name = kOuter, .kind = tk::Kind::Shape, .parent = nullptr,
          .rect = {0, 0, kPageWidth, kPageHeight}, .back = 0xFFFFFF, .fore = frameColour};
}

// Page 4 names its strip 图片框6, as its 图片框5 is page content.
constexpr tk::Control TitleStrip(const char* name = kStrip) {
  return {.name = name, .kind = tk::Kind::Picture, .parent = kOuter, .rect = {1, 1, 537, 28},
          .back = 0x00ACFF, .onPress = Drag};
}

constexpr tk::Control Caption(const char* parent, int left, int top) {
  return {.name = "透明标签5", .kind = tk::Kind::TransparentLabel, .parent = parent,
          .rect = {left, top, 160, 12}, .text = "岚笺1.0安装程序", .font = kDefaultGuiFont,
          .flags = tk::kVCentre, .onPress = Drag};
}

constexpr tk::Control TitleButton(const char* name, const char* parent, int left, int top,
                                  const char* text, tk::Rgb hoverBack, tk::Rgb hoverFore,
                                  tk::Handler onClick) {
  return {.name = name, .kind = tk::Kind::SuperButton, .parent = parent, .rect = {left, top, 32, 28},
          .text = text, .font = kTitleButtonFont, .flags = tk::kTabStop, .back = 0x00ACFF,
          .fore = 0x000000, .hoverBack = hoverBack, .hoverFore = hoverFore, .onClick = onClick};
}

// Page 1 lays the caption and "-" over the strip in the outer frame; pages 2
// to 6 put them into the strip. The caption lands at 9, 9 of the window either way.
constexpr tk::Control CaptionOverStrip() { return Caption(kOuter, 9, 9); }
constexpr tk::Control CaptionInStrip(const char* strip = kStrip) { return Caption(strip, 8, 8); }

constexpr tk::Control MinimiseButton(const char* parent, int left) {
  return TitleButton("超级按钮2", parent, left, 1, "-", 0x0088FF, 0xFF0000, Minimise);
}
constexpr tk::Control MinimiseOverStrip() { return MinimiseButton(kOuter, 475); }
constexpr tk::Control MinimiseInStrip(const char* strip = kStrip) { return MinimiseButton(strip, 475); }

constexpr tk::Control CloseButton(const char* strip = kStrip) {
  return TitleButton("超级按钮1", strip, 506, 0, "×", 0xFF0000, 0x0088FF, Cancel);
}

// A green button of the button row.
constexpr tk::Control RowButton(const char* name, const char* text, tk::Rect rect,
                                tk::Handler onClick, uint32_t flags = 0) {
  return {.name = name, .kind = tk::Kind::SuperButton, .parent = kOuter, .rect = rect,
          .text = text, .font = kButtonFont, .flags = flags | tk::kTabStop | tk::kHandCursor,
          .back = 0x008000, .fore = 0xFFFFFF, .hoverBack = 0x00B700, .onClick = onClick};
}

constexpr tk::Control BackButton(int left, int top, tk::Handler onClick) {
  return RowButton("按钮1", "上一步", {left, top, 72, 32}, onClick);
}

constexpr tk::Control ForwardButton(const char* text, tk::Rect rect, tk::Handler onClick,
                                    uint32_t flags = 0) {
  return RowButton("按钮2", text, rect, onClick, flags);
}

constexpr tk::Control CancelButton(int left, int top) {
  return RowButton("按钮3", "取消", {left, top, 72, 32}, Cancel);
}

// The step header of pages 2 to 6: four step icons joined by connectors,
// from left to right. A connector is white once the step on its left has been
// passed, that is on every page after that step's own; on page 3 everything
// but the first icon lies one pixel higher.
namespace step {
struct Slot {
  const char* name;
  tk::Rect rect;
  int image;  // step icons only
};
inline constexpr Slot kSlots[] = {
    {"图片框1", {1, 30, 56, 48}, RES_STEP_AGREEMENT}, {"编辑框2", {54, 47, 96, 20}, 0},
    {"图片框2", {129, 30, 56, 48}, RES_STEP_README},  {"编辑框4", {183, 47, 96, 20}, 0},
    {"图片框3", {256, 33, 56, 48}, RES_STEP_FOLDER},  {"编辑框3", {308, 48, 96, 20}, 0},
    {"图片框4", {390, 33, 56, 48}, RES_STEP_INSTALL}, {"编辑框5", {436, 48, 101, 20}, 0},
};
inline constexpr int kRaisedPage = 3;
inline constexpr tk::Rgb kPassed = 0xFFFFFF;
inline constexpr tk::Rgb kAhead = 0xC0C0C0;

constexpr bool SameName(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

// An unknown name runs past the table, which no constant table can compile.
constexpr int SlotOf(const char* name) {
  int slot = 0;
  while (!SameName(kSlots[slot].name, name)) ++slot;
  return slot;
}

constexpr tk::Rect RectOn(int slot, int page) {
  const tk::Rect r = kSlots[slot].rect;
  const bool raised = page == kRaisedPage && slot > 0;
  return {r.left, r.top - (raised ? 1 : 0), r.width, r.height};
}

constexpr tk::Rgb ConnectorColour(int slot, int page) {
  const int stepOnItsLeft = (slot + 1) / 2;
  return stepOnItsLeft + 1 < page ? kPassed : kAhead;
}
}  // namespace step

// The step header's row `name` ("图片框1" to "图片框4", "编辑框2" to "编辑框5")
// as it looks on page `page`.
constexpr tk::Control StepRow(const char* name, int page) {
  const int slot = step::SlotOf(name);
  if (step::kSlots[slot].image) {
    return {.name = name, .kind = tk::Kind::Picture, .parent = kOuter,
            .rect = step::RectOn(slot, page), .back = tk::kButtonFace,
            .image = step::kSlots[slot].image};
  }
  return {.name = name, .kind = tk::Kind::Edit, .parent = kOuter, .rect = step::RectOn(slot, page),
          .font = kDefaultGuiFont, .flags = tk::kBorderSingle | tk::kTabStop,
          .back = step::ConnectorColour(slot, page), .fore = 0x000000};
}

// The etched line of "-" characters above the button row.
inline constexpr char kDashes[] =
    "-----------------------------------------------------------------------------------------"
    "------------------------";
inline constexpr int kMaxDashes = sizeof kDashes - 1;

constexpr tk::Control Separator(const char* name, tk::Rect rect, int dashes) {
  return {.name = name, .kind = tk::Kind::TransparentLabel, .parent = kOuter, .rect = rect,
          .text = kDashes + (kMaxDashes - dashes), .font = kDefaultGuiFont,
          .flags = tk::kEtched | tk::kDisabled | tk::kVCentre};
}

// A page of the wizard: the frame's size, icon and close confirmation.
template <size_t N>
constexpr tk::PageDesc Page(int number, const char* caption, const tk::Control (&rows)[N],
                            tk::Handler onCreated = nullptr) {
  return {.number = number, .caption = caption, .width = kPageWidth, .height = kPageHeight,
          .controls = rows, .controlCount = static_cast<int>(N), .icon = RES_WINDOW_ICON,
          .onCreated = onCreated, .onCanClose = ConfirmClose};
}

}  // namespace frame
