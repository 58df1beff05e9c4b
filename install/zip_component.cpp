#include "install/zip_component.h"

#include <cstring>

#include "install/extract.h"

namespace install {
namespace {

const char* Argument(const char* const* args, int count, int index) {
  return index < count ? args[index] : nullptr;
}

// An operation the kind does not have gives -1, as a missing argument does.
int CallZip(tk::Component& self, const char* operation, const char* const* args, int count) {
  if (std::strcmp(operation, "extract") != 0) return -1;
  return Extract(self, Argument(args, count, 0), Argument(args, count, 1));
}

}  // namespace

const tk::ComponentKind kZipComponent = {"ZIP压缩", CallZip};

}  // namespace install
