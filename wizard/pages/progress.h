// The progress bar of page 6: its whole state is the bar's width, which each
// timer tick widens until the bar is full.
#pragma once

namespace pages {

inline constexpr const char* kBar = "外形框2";
inline constexpr int kFullBarThreshold = 520;  // a wider bar is full

// The bar's width after one tick: the width plus 15, computed in double
// precision and truncated toward zero.
constexpr int NextBarWidth(int width) { return static_cast<int>(static_cast<double>(width) + 15.0); }

constexpr bool BarIsFull(int width) { return width > kFullBarThreshold; }

}  // namespace pages
