#include "toolkit/image.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "toolkit/program.h"

namespace tk {

namespace {

uint32_t ReadLittle16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t ReadLittle32(const uint8_t* p) { return ReadLittle16(p) | ReadLittle16(p + 2) << 16; }

bool IsPng(const uint8_t* bytes, size_t size) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return size >= 8 && std::memcmp(bytes, kSignature, 8) == 0;
}

bool AcceptableSize(long width, long height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

void Premultiply(Image& image) {
  uint8_t* p = image.pixels.Get();
  for (size_t i = 0; i < size_t(image.width) * size_t(image.height); ++i, p += 4) {
    unsigned alpha = p[3];
    for (int c = 0; c < 3; ++c) p[c] = uint8_t((p[c] * alpha + 127) / 255);
  }
}

Image DecodePng(const uint8_t* bytes, size_t size) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes, size)) return Image();
  if (!AcceptableSize(long(png.width), long(png.height))) {
    png_image_free(&png);
    return Image();
  }
  png.format = PNG_FORMAT_BGRA;
  Image image;
  image.pixels = HeapArray<uint8_t>(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.pixels.Get(), 0, nullptr)) {
    png_image_free(&png);
    return Image();
  }
  image.width = int(png.width);
  image.height = int(png.height);
  Premultiply(image);
  return image;
}

// Icons of old make leave every alpha at 0 and mark transparency in the AND
// mask that follows the colour rows; such an icon takes its alpha from there.
void AlphaFromMask(Image& image, const uint8_t* mask, size_t maskSize) {
  size_t stride = ((size_t(image.width) + 31) / 32) * 4;
  if (maskSize < stride * size_t(image.height)) return;
  uint8_t* p = image.pixels.Get();
  for (size_t i = 0; i < size_t(image.width) * size_t(image.height); ++i)
    if (p[i * 4 + 3]) return;
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* maskRow = mask + stride * size_t(image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      bool transparent = maskRow[x / 8] & (0x80 >> (x % 8));
      p[(size_t(y) * size_t(image.width) + size_t(x)) * 4 + 3] = transparent ? 0 : 255;
    }
  }
}

// A 32-bit icon bitmap: header, bottom-up BGRA rows, then the AND mask.
Image DecodeIconBitmap(const uint8_t* bytes, size_t size) {
  if (size < 40) return Image();
  uint32_t headerSize = ReadLittle32(bytes);
  long width = long(int32_t(ReadLittle32(bytes + 4)));
  long height = long(int32_t(ReadLittle32(bytes + 8))) / 2;  // colour rows and mask rows
  uint32_t bitCount = ReadLittle16(bytes + 14);
  uint32_t compression = ReadLittle32(bytes + 16);
  if (headerSize < 40 || headerSize > size || bitCount != 32 || compression != 0 ||
      !AcceptableSize(width, height))
    return Image();
  size_t rowBytes = size_t(width) * 4;
  size_t colourBytes = rowBytes * size_t(height);
  if (size - headerSize < colourBytes) return Image();
  Image image;
  image.width = int(width);
  image.height = int(height);
  image.pixels = HeapArray<uint8_t>(colourBytes);
  const uint8_t* rows = bytes + headerSize;
  for (long y = 0; y < height; ++y)
    std::memcpy(image.pixels.Get() + rowBytes * size_t(y), rows + rowBytes * size_t(height - 1 - y),
                rowBytes);
  AlphaFromMask(image, rows + colourBytes, size - headerSize - colourBytes);
  Premultiply(image);
  return image;
}

struct IcoEntry {
  const uint8_t* data;
  size_t size;
};

// The largest image of an ICO file, if the directory and the entry are sound.
bool LargestIcoEntry(const uint8_t* bytes, size_t size, IcoEntry* best) {
  if (size < 6 || ReadLittle16(bytes) != 0 || ReadLittle16(bytes + 2) != 1) return false;
  size_t count = ReadLittle16(bytes + 4);
  if (count == 0 || size < 6 + 16 * count) return false;
  uint32_t bestArea = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes + 6 + 16 * i;
    uint32_t width = entry[0] ? entry[0] : 256;
    uint32_t height = entry[1] ? entry[1] : 256;
    uint32_t length = ReadLittle32(entry + 8);
    uint32_t offset = ReadLittle32(entry + 12);
    if (offset > size || length > size - offset || length == 0) continue;
    if (width * height > bestArea) {
      bestArea = width * height;
      *best = IcoEntry{bytes + offset, length};
    }
  }
  return bestArea > 0;
}

Image DecodeIco(const uint8_t* bytes, size_t size) {
  IcoEntry entry;
  if (!LargestIcoEntry(bytes, size, &entry)) return Image();
  if (IsPng(entry.data, entry.size)) return DecodePng(entry.data, entry.size);
  return DecodeIconBitmap(entry.data, entry.size);
}

// Which source pixels each target pixel of one axis covers, and how much of
// each. Measured in 1/outLength of a source pixel, target t covers
// [t * inLength, (t + 1) * inLength); the weights of one target add up to
// inLength. Integer weights keep the average exact and fast.
struct Taps {
  int perTarget = 0;
  HeapArray<int> first;        // first source pixel of each target
  HeapArray<int> count;        // how many source pixels it covers
  HeapArray<uint32_t> weight;  // perTarget weights for each target

  Taps(int inLength, int outLength)
      : perTarget(inLength / outLength + 2),
        first(size_t(outLength)),
        count(size_t(outLength)),
        weight(size_t(outLength) * size_t(inLength / outLength + 2)) {
    for (int t = 0; t < outLength; ++t) {
      long long low = (long long)t * inLength, high = low + inLength;
      int s = int(low / outLength), n = 0;
      first[size_t(t)] = s;
      for (; s < inLength && (long long)s * outLength < high; ++s, ++n) {
        long long from = std::max(low, (long long)s * outLength);
        long long to = std::min(high, (long long)(s + 1) * outLength);
        weight[size_t(t) * size_t(perTarget) + size_t(n)] = uint32_t(to - from);
      }
      count[size_t(t)] = n;
    }
  }
};

// Scales `lines` lines of four-channel pixels along one axis: each output
// channel is (sum of weight x input) x scale / divisor, rounded.
template <class In, class Out>
void ScaleLines(const In* in, ptrdiff_t inStep, Out* out, int outLength, ptrdiff_t outStep,
                int lines, ptrdiff_t inLineStep, ptrdiff_t outLineStep, const Taps& taps,
                uint32_t scale, uint32_t divisor) {
  for (int line = 0; line < lines; ++line) {
    const In* source = in + inLineStep * line;
    Out* target = out + outLineStep * line;
    for (int t = 0; t < outLength; ++t) {
      uint32_t sum[4] = {0, 0, 0, 0};
      const uint32_t* weights = &taps.weight[size_t(t) * size_t(taps.perTarget)];
      const In* pixel = source + inStep * taps.first[size_t(t)];
      for (int n = 0; n < taps.count[size_t(t)]; ++n, pixel += inStep)
        for (int c = 0; c < 4; ++c) sum[c] += weights[n] * pixel[c];
      for (int c = 0; c < 4; ++c)
        target[outStep * t + c] = Out((sum[c] * scale + divisor / 2) / divisor);
    }
  }
}

}  // namespace

Image DecodeImage(const uint8_t* bytes, size_t size) {
  if (!bytes) return Image();
  if (IsPng(bytes, size)) return DecodePng(bytes, size);
  return DecodeIco(bytes, size);
}

Image ScaleImage(const Image& source, int width, int height) {
  Image scaled;
  if (source.Empty() || width <= 0 || height <= 0) return scaled;
  if (width > kMaxImageSide || height > kMaxImageSide) return scaled;
  // First across, into width x source.height with eight extra bits of
  // precision; then down, into width x height.
  Taps across(source.width, width), down(source.height, height);
  HeapArray<uint16_t> middle(size_t(width) * size_t(source.height) * 4);
  ScaleLines(source.pixels.Get(), 4, middle.Get(), width, 4, source.height,
             ptrdiff_t(source.width) * 4, ptrdiff_t(width) * 4, across, 256,
             uint32_t(source.width));
  scaled.width = width;
  scaled.height = height;
  scaled.pixels = HeapArray<uint8_t>(size_t(width) * size_t(height) * 4);
  ScaleLines(middle.Get(), ptrdiff_t(width) * 4, scaled.pixels.Get(), height,
             ptrdiff_t(width) * 4, width, 4, 4, down, 1, uint32_t(source.height) * 256);
  return scaled;
}

HeapArray<uint8_t> Composite(const Image& image, COLORREF background) {
  const unsigned back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
  size_t count = size_t(image.width) * size_t(image.height);
  HeapArray<uint8_t> out(count * 4);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = &image.pixels[i * 4];
    unsigned cover = 255u - p[3];
    for (int c = 0; c < 3; ++c) {
      unsigned value = p[c] + (back[c] * cover + 127) / 255;
      out[i * 4 + size_t(c)] = uint8_t(value > 255 ? 255 : value);
    }
  }
  return out;
}

HICON LoadWindowIcon(int id, int width, int height) {
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, 0));
  if (icon) return icon;
  size_t size = 0;
  const uint8_t* bytes = ResourceBytes(id, &size);
  IcoEntry entry;
  if (!bytes || !LargestIcoEntry(bytes, size, &entry)) return nullptr;
  return CreateIconFromResourceEx(const_cast<PBYTE>(entry.data), DWORD(entry.size), TRUE,
                                  0x00030000, width, height, LR_DEFAULTCOLOR);
}

}  // namespace tk
