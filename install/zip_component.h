// The ZIP component kind, "ZIP压缩": one operation, "extract" with the
// arguments archive path and target folder (see install/extract.h), and its
// progress event, number 1.
#pragma once
#include "toolkit/component.h"

namespace install {

extern const tk::ComponentKind kZipComponent;

}  // namespace install
