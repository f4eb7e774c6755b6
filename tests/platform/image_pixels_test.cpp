#include "platform/image_pixels.h"

#include <gtest/gtest.h>

#include "scene/image.h"

using namespace ::platform;
using namespace ::scene;

namespace {

// 2 x 2 pixels, 24 bits: rows bottom first, each padded to 8 bytes.
C3dImage TrueColourImage() {
    BitmapInfoHeader header;
    header.width = 2;
    header.height = 2;
    header.bitCount = 24;
    const uint8_t pixels[] = {// bottom row: blue, green (stored blue-green-red)
                              255, 0, 0, 0, 255, 0, 0, 0,
                              // top row: red, white
                              0, 0, 255, 255, 255, 255, 0, 0};
    C3dImage image;
    EXPECT_TRUE(image.Create(header, nullptr, pixels));
    return image;
}

std::vector<uint8_t> Pixel(const std::vector<uint8_t>& rgba, int index) {
    return {rgba.begin() + 4 * index, rgba.begin() + 4 * index + 4};
}

}  // namespace

TEST(ImagePixels, TrueColourRowsComeOutBottomFirstAsRgba) {
    const std::vector<uint8_t> rgba = ImageToRgba(TrueColourImage());
    ASSERT_EQ(rgba.size(), 16u);
    EXPECT_EQ(Pixel(rgba, 0), (std::vector<uint8_t>{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(rgba, 1), (std::vector<uint8_t>{0, 255, 0, 255}));
    EXPECT_EQ(Pixel(rgba, 2), (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(rgba, 3), (std::vector<uint8_t>{255, 255, 255, 255}));
}

TEST(ImagePixels, PaletteImagesLookUpTheirColours) {
    BitmapInfoHeader header;
    header.width = 3;
    header.height = 1;
    header.bitCount = 8;
    PaletteEntry palette[C3D_PALETTE_SIZE] = {};
    palette[7] = {10, 20, 30, 0};
    const uint8_t pixels[] = {7, 0, 7, 0};
    C3dImage image;
    ASSERT_TRUE(image.Create(header, palette, pixels));
    const std::vector<uint8_t> rgba = ImageToRgba(image);
    ASSERT_EQ(rgba.size(), 12u);
    EXPECT_EQ(Pixel(rgba, 0), (std::vector<uint8_t>{30, 20, 10, 255}));
    EXPECT_EQ(Pixel(rgba, 1), (std::vector<uint8_t>{0, 0, 0, 255}));
}

TEST(ImagePixels, TransparentColourClearsOnlyMatchingTexels) {
    const std::vector<uint8_t> rgba = ImageToRgba(TrueColourImage(), C3dColor{1, 1, 1});
    EXPECT_EQ(rgba[3], 255);
    EXPECT_EQ(rgba[15], 0);  // the white pixel
}

TEST(ImagePixels, EmptyImageGivesNoPixels) {
    EXPECT_TRUE(ImageToRgba(C3dImage()).empty());
}
