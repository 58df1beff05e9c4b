// Decoding the pictures of the pages: PNG, ICO with a bitmap or a PNG inside,
// damaged data, and the scaling and blending that draw them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "test_images.h"
#include "toolkit/image.h"
#include "toolkit/program.h"

namespace {

std::vector<uint8_t> Resource(int id) {
  size_t size = 0;
  const uint8_t* bytes = tk::ResourceBytes(id, &size);
  return bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>();
}

tk::Image Decode(const std::vector<uint8_t>& bytes) {
  return tk::DecodeImage(bytes.data(), bytes.size());
}

// Premultiplied B, G, R, A of one pixel.
std::vector<int> PixelOf(const tk::Image& image, int x, int y) {
  const uint8_t* p = &image.pixels[(size_t(y) * size_t(image.width) + size_t(x)) * 4];
  return {p[0], p[1], p[2], p[3]};
}

class DecodeEach : public ::testing::TestWithParam<int> {};

// Every form holds the same two pixels: opaque red, then fully transparent.
TEST_P(DecodeEach, GivesTheTwoPixels) {
  std::vector<uint8_t> bytes = Resource(GetParam());
  ASSERT_FALSE(bytes.empty());
  tk::Image image = Decode(bytes);
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 1);
  EXPECT_EQ(PixelOf(image, 0, 0), (std::vector<int>{0, 0, 255, 255}));
  EXPECT_EQ(PixelOf(image, 1, 0), (std::vector<int>{0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Toolkit, DecodeEach, ::testing::Values(kHalfPng, kBitmapIco, kPngIco));

// Damaged or hostile data gives no picture rather than a crash or a read
// beyond the bytes.
TEST(DecodeDamaged, TruncatedOrOversizedDataGivesNoPicture) {
  for (int id : {kHalfPng, kBitmapIco, kPngIco}) {
    std::vector<uint8_t> bytes = Resource(id);
    for (size_t keep : {size_t(0), size_t(5), size_t(12), size_t(30), bytes.size() / 2}) {
      std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(keep));
      EXPECT_TRUE(Decode(cut).Empty()) << "resource " << id << " cut to " << keep;
    }
  }
  // An icon entry that points beyond the file, and one that claims a huge bitmap.
  std::vector<uint8_t> icon = Resource(kBitmapIco);
  std::vector<uint8_t> farOffset = icon;
  farOffset[18] = 0xFF;
  EXPECT_TRUE(Decode(farOffset).Empty());
  std::vector<uint8_t> huge = icon;
  huge[22 + 5] = 0x7F;  // biWidth far above any sane size
  EXPECT_TRUE(Decode(huge).Empty());
  EXPECT_TRUE(tk::DecodeImage(nullptr, 0).Empty());
}

TEST(ScaleAndBlend, AveragesCoveredPixelsAndBlendsOverTheBackground) {
  tk::Image image = Decode(Resource(kHalfPng));
  tk::Image one = tk::ScaleImage(image, 1, 1);  // half red, half clear
  ASSERT_EQ(one.width, 1);
  EXPECT_EQ(PixelOf(one, 0, 0), (std::vector<int>{0, 0, 128, 128}));

  tk::Image wide = tk::ScaleImage(image, 4, 2);  // each pixel doubled both ways
  EXPECT_EQ(PixelOf(wide, 1, 1), (std::vector<int>{0, 0, 255, 255}));
  EXPECT_EQ(PixelOf(wide, 2, 0), (std::vector<int>{0, 0, 0, 0}));

  tk::Image three = tk::ScaleImage(image, 3, 1);  // the middle pixel straddles both
  EXPECT_EQ(PixelOf(three, 1, 0), (std::vector<int>{0, 0, 128, 128}));

  tk::HeapArray<uint8_t> shown = tk::Composite(one, RGB(0, 0, 255));  // over blue
  EXPECT_EQ(shown[0], 127);  // B: blue shows through the clear half
  EXPECT_EQ(shown[1], 0);
  EXPECT_EQ(shown[2], 128);  // R
}

}  // namespace
