// Pictures of the pages: PNG (8 bits per channel with alpha) and ICO (a
// 32-bit image with alpha, stored as a bitmap or PNG-compressed), decoded into
// premultiplied BGRA, scaled by area averaging and laid over a solid colour.
#pragma once
#include <cstddef>
#include <cstdint>

#include "toolkit/scoped.h"

namespace tk {

struct Image {
  int width = 0;
  int height = 0;
  HeapArray<uint8_t> pixels;  // top-down rows of premultiplied B, G, R, A

  bool Empty() const { return width <= 0 || height <= 0; }
};

// Largest picture the toolkit accepts from a resource, on either side.
constexpr int kMaxImageSide = 4096;

// Decodes PNG or ICO bytes; an empty image for anything else or damaged data.
Image DecodeImage(const uint8_t* bytes, size_t size);

// The image scaled to width x height, each target pixel the area-weighted
// average of the source pixels it covers.
Image ScaleImage(const Image& source, int width, int height);

// The image over an opaque colour (COLORREF), as top-down BGRX rows.
HeapArray<uint8_t> Composite(const Image& image, COLORREF background);

// The window icon of RCDATA or ICON resource `id` at the given size, or null.
HICON LoadWindowIcon(int id, int width, int height);

}  // namespace tk
