// What the engine benchmarks share: a ZIP component without handlers, as page
// 6's is, and wall-clock milliseconds between two counter readings.
#pragma once
#include <windows.h>

#include "toolkit/component.h"

namespace bench {

class UnhandledComponent final : public tk::Component {
 public:
  bool Exists() const override { return true; }
  tk::EventAnswer Raise(int, const int*, int) override { return {false, 0}; }
};

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
