// The six pages of the wizard, in the order of the page flow.
#pragma once
#include "toolkit/layout.h"

namespace pages {

extern const tk::PageDesc kWelcome;       // page 1 "安装程序"
extern const tk::PageDesc kAgreement;     // page 2 "用户协议"
extern const tk::PageDesc kReadme;        // page 3 "说明自述"
extern const tk::PageDesc kFolder;        // page 4 "安装选项"
extern const tk::PageDesc kConfirmation;  // page 5 "安装选项"
extern const tk::PageDesc kProgress;      // page 6 "安装进度"

// Indexed by page number - 1, as the toolkit loads them.
inline constexpr const tk::PageDesc* kAll[] = {&kWelcome, &kAgreement, &kReadme,
                                               &kFolder,  &kConfirmation, &kProgress};
inline constexpr int kCount = sizeof kAll / sizeof kAll[0];

}  // namespace pages
