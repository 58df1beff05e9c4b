#include "toolkit/image.h"

#include <png.h>

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

// Scales `count` lines of four-channel pixels along one axis. Each target
// pixel averages the source span [t*s/d, (t+1)*s/d), partial pixels weighted
// by the part they cover.
void ScaleLines(const float* in, int inLength, ptrdiff_t inStep, float* out, int outLength,
                ptrdiff_t outStep, int count, ptrdiff_t inLineStep, ptrdiff_t outLineStep) {
  double span = double(inLength) / outLength;
  for (int line = 0; line < count; ++line) {
    const float* source = in + inLineStep * line;
    float* target = out + outLineStep * line;
    for (int t = 0; t < outLength; ++t) {
      double start = t * span, end = (t + 1) * span;
      double sum[4] = {0, 0, 0, 0};
      for (int s = int(start); s < inLength && s < end; ++s) {
        double weight = (end < s + 1 ? end : s + 1) - (start > s ? start : s);
        for (int c = 0; c < 4; ++c) sum[c] += weight * source[inStep * s + c];
      }
      for (int c = 0; c < 4; ++c) target[outStep * t + c] = float(sum[c] / span);
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
  size_t sourceCount = size_t(source.width) * size_t(source.height) * 4;
  HeapArray<float> original(sourceCount);
  for (size_t i = 0; i < sourceCount; ++i) original[i] = source.pixels[i];
  // First across, into width x source.height; then down, into width x height.
  HeapArray<float> across(size_t(width) * size_t(source.height) * 4);
  ScaleLines(original.Get(), source.width, 4, across.Get(), width, 4, source.height,
             ptrdiff_t(source.width) * 4, ptrdiff_t(width) * 4);
  HeapArray<float> down(size_t(width) * size_t(height) * 4);
  ScaleLines(across.Get(), source.height, ptrdiff_t(width) * 4, down.Get(), height,
             ptrdiff_t(width) * 4, width, 4, 4);
  scaled.width = width;
  scaled.height = height;
  scaled.pixels = HeapArray<uint8_t>(down.Count());
  for (size_t i = 0; i < down.Count(); ++i) {
    float v = down[i] + 0.5f;
    scaled.pixels[i] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
  }
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
