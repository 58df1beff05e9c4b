// What the engine's tests share: a stand-in ZIP component that records its
// progress reports, fresh scratch folders, and small file helpers.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/component.h"

namespace engine_test {

class RecordingComponent final : public tk::Component {
 public:
  bool exists = true;
  int answerFalseAtReport = -1;  // the report whose handler answers false
  std::vector<int> reports;

  bool Exists() const override { return exists; }
  tk::EventAnswer Raise(int event, const int* args, int count) override {
    if (event == 1 && count == 1) reports.push_back(args[0]);
    bool stop = static_cast<int>(reports.size()) - 1 == answerFalseAtReport;
    return tk::EventAnswer{stop, stop ? 0 : 1};
  }
};

// A new, empty folder for one test, under the run's temporary folder;
// without a final "\".
std::string ScratchFolder();

void WriteBytes(const std::string& path, const std::string& data);
std::string ReadBytes(const std::string& path);
bool PathExists(const std::string& path);
DWORD Attributes(const std::string& path);
// Every file and folder below `folder`, as paths relative to it, sorted.
std::vector<std::string> TreeBelow(const std::string& folder);

}  // namespace engine_test
