// Prints how long the toolkit takes for the work a page switch does: build a
// page of every kind of control (with a picture), show it and destroy it;
// and scale a 256 x 256 picture into a 72 x 74 box, as page 1 does.
// Run: wine-run.sh RUN_DIR toolkit_bench.exe
#include <cstdio>

#include "test_images.h"
#include "toolkit/image.h"
#include "toolkit/program.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int kRounds = 20;
int g_built = 0;
LARGE_INTEGER g_frequency;
double g_openMilliseconds = 0;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  return 1000.0 * double(to.QuadPart - from.QuadPart) / double(g_frequency.QuadPart);
}

void Rebuild(tk::Page& page);

const tk::Control kRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "图片框5", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {1, 1, 537, 28},
     .back = 0x00ACFF},
    {.name = "透明标签5", .kind = tk::Kind::TransparentLabel, .parent = "图片框5",
     .rect = {8, 8, 160, 12}, .text = "岚笺1.0安装程序", .flags = tk::kVCentre},
    {.name = "超级按钮1", .kind = tk::Kind::SuperButton, .parent = "图片框5",
     .rect = {506, 0, 32, 28}, .text = "×", .font = {16, 400, nullptr}},
    {.name = "图片框1", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {1, 30, 56, 48},
     .image = kHalfPng},
    {.name = "编辑框1", .kind = tk::Kind::Edit, .parent = "外形框1", .rect = {17, 108, 495, 142},
     .text = "用户协议：\r\n\r\n暂无\r\n",
     .flags = tk::kMultiline | tk::kVScroll | tk::kReadOnly | tk::kBorderSunken},
    {.name = "单选框1", .kind = tk::Kind::Radio, .parent = "外形框1", .rect = {32, 266, 136, 24},
     .text = "我同意并能自觉遵守"},
    {.name = "透明标签4", .kind = tk::Kind::TransparentLabel, .parent = "外形框1",
     .rect = {8, 305, 518, 24}, .text = "================================================",
     .flags = tk::kEtched | tk::kDisabled | tk::kVCentre},
    {.name = "按钮2", .kind = tk::Kind::SuperButton, .parent = "外形框1",
     .rect = {356, 337, 72, 32}, .text = "下一步", .font = {13, 400, "微软雅黑"},
     .back = 0x008000, .fore = 0xFFFFFF},
    {.name = "时钟1", .kind = tk::Kind::Timer, .parent = "外形框1", .rect = {0, 0, 0, 0},
     .period = 1, .onPeriodic = Rebuild},
};
const tk::PageDesc kPage = {.number = 1, .caption = "基准页", .width = 539, .height = 382,
                            .controls = kRows, .controlCount = int(sizeof kRows / sizeof kRows[0])};
const tk::PageDesc kTwin = {.number = 2, .caption = "基准页二", .width = 539, .height = 382,
                            .controls = kRows, .controlCount = int(sizeof kRows / sizeof kRows[0])};
const tk::PageDesc* const kPages[] = {&kPage, &kTwin};

// Each tick switches to the other page, as the wizard's buttons do.
void Rebuild(tk::Page& page) {
  if (++g_built > kRounds) {
    page.Close();
    return;
  }
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  tk::OpenPage(page.Number() == 1 ? 2 : 1);
  QueryPerformanceCounter(&end);
  g_openMilliseconds += Milliseconds(start, end);
  page.Close();
}

void TimeSwitches() {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  tk::OpenPage(1);
  tk::RunEventLoop();
  QueryPerformanceCounter(&end);
  std::printf("page switches: %d in %.1f ms, %.2f ms each (timer waits included)\n", kRounds,
              Milliseconds(start, end), Milliseconds(start, end) / kRounds);
  std::printf("opening (build hidden, created, show): %.2f ms each\n", g_openMilliseconds / kRounds);
}

void TimeScaling() {
  size_t size = 0;
  const uint8_t* bytes = tk::ResourceBytes(kHalfPng, &size);
  tk::Image source = tk::ScaleImage(tk::DecodeImage(bytes, size), 256, 256);
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) {
    tk::Image box = tk::ScaleImage(source, 72, 74);
    tk::HeapArray<uint8_t> shown = tk::Composite(box, RGB(255, 255, 255));
  }
  QueryPerformanceCounter(&end);
  std::printf("256x256 picture into 72x74 and blended: %.2f ms each\n",
              Milliseconds(start, end) / kRounds);
}

}  // namespace

int main() {
  QueryPerformanceFrequency(&g_frequency);
  tk::Initialise(kPages, 2);
  TimeScaling();
  TimeSwitches();
  return 0;
}
