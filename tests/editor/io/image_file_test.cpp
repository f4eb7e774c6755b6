#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "editor/io/image_file.h"
#include "editor/io/picture.h"
#include "editor/model/skin_region.h"
#include "io_test_support.h"
#include "scene/image.h"

using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::scene;

namespace {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

Rgb PixelOf(const C3dImage& image, int x, int y) {
    Rgb p{};
    EXPECT_TRUE(GetPixel(image, x, y, p.r, p.g, p.b));
    return p;
}

// The colours of data/im_source.ppm.
Rgb SourcePixel(int x, int y) {
    return {static_cast<uint8_t>(x * 50), static_cast<uint8_t>(y * 100),
            static_cast<uint8_t>(200 - 10 * x - 20 * y)};
}

void ExpectSourcePicture(const C3dImage& image) {
    ASSERT_EQ(image.GetWidth(), 5);
    ASSERT_EQ(image.GetHeight(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(PixelOf(image, x, y), SourcePixel(x, y)) << x << "," << y;
        }
    }
}

std::unique_ptr<C3dImage> LoadTrueColour(const std::string& path) {
    C3dImage image;
    if (!LoadImageFile(image, path, nullptr)) {
        return nullptr;
    }
    return ToTrueColour(image);
}

// A Targa as hand-made bytes: 18-byte header, then rows.
std::vector<uint8_t> Targa(uint8_t type, uint8_t depth, uint16_t width, uint16_t height,
                           uint8_t descriptor, const std::vector<uint8_t>& body) {
    Bytes out;
    out.U8(0).U8(type == 1 ? 1 : 0).U8(type).U16(0).U16(type == 1 ? 256 : 0);
    out.U8(type == 1 ? 24 : 0).U16(0).U16(0).U16(width).U16(height).U8(depth).U8(descriptor);
    return out.Append(body).Get();
}

TEST(ImageFile, PicturesWrittenByImageMagickLoadWithThePixelsInPlace) {
    for (const char* name : {"im_true.tga", "im_topleft.tga", "im_palette.tga", "im_true.pcx",
                             "im_palette.pcx", "im_true.bmp", "IM_CAPS.TGA"}) {
        SCOPED_TRACE(name);
        std::string path = DataFile(name);
        TempDir dir;
        if (std::string(name) == "IM_CAPS.TGA") {
            path = dir.File(name);
            WriteBytes(path, {});
            std::filesystem::copy_file(DataFile("im_true.tga"), path,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        C3dImage image;
        ASSERT_EQ(LoadImageFile(image, path, nullptr), 1);
        EXPECT_EQ(image.GetName(), path);
        auto truecolour = ToTrueColour(image);
        ASSERT_NE(truecolour, nullptr);
        ExpectSourcePicture(*truecolour);
    }
}

TEST(ImageFile, ReadersNameTheirPictures) {
    C3dImage image;
    std::vector<uint8_t> bytes = Targa(2, 24, 1, 1, 0, {1, 2, 3, 0});
    ASSERT_EQ(ReadTga(image, bytes), 1);
    EXPECT_EQ(image.GetName(), "TGA File image");
    EXPECT_EQ(PixelOf(image, 0, 0), (Rgb{3, 2, 1}));
}

TEST(ImageFile, ATopLeftTargaOfOddRowSizeLoadsUpright) {
    // Width 3: rows of 9 bytes read into slots of 12. Top row red, bottom row blue.
    std::vector<uint8_t> rows = {0, 0, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 0, 0};
    C3dImage topDown;
    ASSERT_EQ(ReadTga(topDown, Targa(2, 24, 3, 2, 0x20, rows)), 1);
    EXPECT_EQ(PixelOf(topDown, 2, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelOf(topDown, 0, 1), (Rgb{0, 0, 255}));
    C3dImage bottomUp;
    ASSERT_EQ(ReadTga(bottomUp, Targa(2, 24, 3, 2, 0, rows)), 1);
    EXPECT_EQ(PixelOf(bottomUp, 0, 0), (Rgb{0, 0, 255}));
}

TEST(ImageFile, TargaKindsOtherThanUncompressedPaletteOrTrueColourFail) {
    C3dImage image;
    EXPECT_EQ(ReadTga(image, Targa(10, 24, 1, 1, 0, {1, 2, 3})), 0);
    EXPECT_EQ(ReadTga(image, Targa(2, 32, 1, 1, 0, {1, 2, 3, 4})), 0);
    EXPECT_EQ(ReadTga(image, Targa(3, 8, 1, 1, 0, {1})), 0);
    EXPECT_EQ(ReadTga(image, Targa(2, 24, 0, 1, 0, {})), 0);
    EXPECT_EQ(ReadTga(image, std::vector<uint8_t>{0, 0, 2}), 0);
    // Rows or palette cut short.
    EXPECT_EQ(ReadTga(image, Targa(2, 24, 2, 2, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9})), 0);
    EXPECT_EQ(ReadTga(image, Targa(1, 8, 1, 1, 0, std::vector<uint8_t>(700, 1))), 0);
    EXPECT_TRUE(image.IsEmpty());
}

std::vector<uint8_t> PalettePcx(bool marker) {
    Bytes out;
    out.U8(10).U8(5).U8(1).U8(8).U16(0).U16(0).U16(2).U16(1);  // 3 x 2
    out.Append(std::vector<uint8_t>(128 - out.Size(), 0));
    std::vector<uint8_t> bytes = out.Get();
    bytes[65] = 1;
    bytes[66] = 4;  // bytes per line
    // Row 0: 1 1 1 (a run of 3) and a pad; row 1: 2, then 0xC1 0xC5 (a literal 0xC5 as a run).
    for (uint8_t b : {0xC3, 1, 0, 2, 0xC1, 0xC5, 9, 0}) {
        bytes.push_back(b);
    }
    bytes.push_back(marker ? 12 : 13);
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<uint8_t>(i));
        bytes.push_back(static_cast<uint8_t>(255 - i));
        bytes.push_back(7);
    }
    return bytes;
}

TEST(ImageFile, PalettePcxNeedsItsMarkerAndUsesTheEndPalette) {
    C3dImage image;
    EXPECT_EQ(ReadPcx(image, PalettePcx(false)), 0);
    ASSERT_EQ(ReadPcx(image, PalettePcx(true)), 1);
    EXPECT_EQ(image.GetName(), "PCX File image");
    auto rgb = ToTrueColour(image);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(PixelOf(*rgb, 0, 0), (Rgb{1, 254, 7}));
    EXPECT_EQ(PixelOf(*rgb, 1, 1), (Rgb{0xC5, 255 - 0xC5, 7}));
}

TEST(ImageFile, PcxRunsPastTheEndAreCutAndShortDataFails) {
    std::vector<uint8_t> bytes = PalettePcx(true);
    bytes[128] = 0xFF;  // a run of 63 where 4 bytes fit
    C3dImage image;
    ASSERT_EQ(ReadPcx(image, bytes), 1);
    EXPECT_EQ(image.GetWidth(), 3);
    // Bytes per line below the width, version 4, 4 bits: not recognised.
    for (auto [offset, value] : {std::pair{66, 2}, std::pair{1, 4}, std::pair{3, 4}}) {
        std::vector<uint8_t> bad = PalettePcx(true);
        bad[offset] = static_cast<uint8_t>(value);
        EXPECT_EQ(ReadPcx(image, bad), 0) << offset;
    }
    std::vector<uint8_t> tall = PalettePcx(true);
    tall[10] = 0x00, tall[11] = 0x40;  // ymax 16384: far more data than the file holds
    EXPECT_EQ(ReadPcx(image, tall), 0);
    EXPECT_EQ(ReadPcx(image, std::vector<uint8_t>{10, 5, 1}), 0);
    EXPECT_TRUE(image.IsEmpty());
}

TEST(ImageFile, SavingATargaAndLoadingItAgainKeepsPixelsAndOrientation) {
    auto picture = LoadTrueColour(DataFile("im_true.pcx"));
    ASSERT_NE(picture, nullptr);
    TempDir dir;
    const std::string path = dir.File("saved.tga");
    WriteText(path, "old contents");
    ASSERT_EQ(SaveTgaFile(*picture, path, nullptr), 1);
    EXPECT_EQ(picture->GetName(), path);
    C3dImage again;
    ASSERT_EQ(LoadImageFile(again, path, nullptr), 1);
    ExpectSourcePicture(again);
}

TEST(ImageFile, SavingAsksForAPathAndStopsOnCancelOrAnImageOfAnotherDepth) {
    C3dImage image;
    ASSERT_EQ(CreateFilled(image, 2, 2, 1, 2, 3), 1);
    ScriptedQuestions questions;
    questions.savePaths.push_back(std::nullopt);
    EXPECT_EQ(SaveTgaFile(image, "", &questions), 0);
    EXPECT_EQ(questions.filtersAsked.at(0), "Targa Image (*.TGA)|*.TGA|All files (*.*)|*.*||");
    EXPECT_EQ(questions.extensionsAsked.at(0), "tga");

    C3dImage palette;
    ASSERT_EQ(ReadPcx(palette, PalettePcx(true)), 1);
    TempDir dir;
    EXPECT_EQ(SaveTgaFile(palette, dir.File("p.tga"), nullptr), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("p.tga")));
}

TEST(ImageFile, LoadingAsksForAPathAndRefusesUnknownExtensions) {
    ScriptedQuestions questions;
    questions.openPaths.push_back(std::nullopt);
    C3dImage image;
    EXPECT_EQ(LoadImageFile(image, "", &questions), 0);
    EXPECT_EQ(questions.filtersAsked.at(0),
              "Targa Image (*.tga)|*.tga|PC Paintbrush (*.pcx)|*.pcx|Windows Bitmap (*.bmp)|*.bmp|"
              "Heretic II Picture (*.m8)|*.m8|All Files (*.*)|*.*||");
    EXPECT_EQ(questions.extensionsAsked.at(0), "tga");
    EXPECT_EQ(LoadImageFile(image, DataFile("im_source.ppm"), nullptr), 0);
    EXPECT_EQ(LoadImageFile(image, DataFile("nothing.tga"), nullptr), 0);
}

class CopyRegionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(CreateFilled(source, 4, 3, 0, 0, 0), 1);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                SetPixel(source, x, y, static_cast<uint8_t>(10 * x + y), 0, 0);
            }
        }
        ASSERT_EQ(CreateFilled(canvas, 8, 8, 0, 0, 255), 1);
    }
    uint8_t RedAt(int x, int y) { return PixelOf(canvas, x, y).r; }

    C3dImage source;
    C3dImage canvas;
};

TEST_F(CopyRegionTest, ScaleOneCopiesPixelForPixel) {
    SkinRegion region;
    region.x = 1, region.y = 1, region.width = 3, region.height = 2, region.newX = 4,
    region.newY = 5;
    ASSERT_EQ(CopyRegion(canvas, source, region), 1);
    EXPECT_EQ(RedAt(4, 5), 11);
    EXPECT_EQ(RedAt(6, 6), 32);
    EXPECT_EQ(PixelOf(canvas, 3, 5), (Rgb{0, 0, 255}));
}

TEST_F(CopyRegionTest, RotatedTwoByOneBecomesOneByTwo) {
    SkinRegion region;
    region.x = 0, region.y = 0, region.width = 2, region.height = 1, region.newX = 3,
    region.newY = 2, region.rotated = 1;
    ASSERT_EQ(CopyRegion(canvas, source, region), 1);
    EXPECT_EQ(RedAt(3, 2), 0);
    EXPECT_EQ(RedAt(3, 3), 10);
    EXPECT_EQ(PixelOf(canvas, 4, 2), (Rgb{0, 0, 255}));
}

TEST_F(CopyRegionTest, ScaledCopiesWriteEachSourcePixelOnce) {
    SkinRegion region;
    region.width = 4, region.height = 3, region.scaleX = 2.0, region.scaleY = 0.5;
    ASSERT_EQ(CopyRegion(canvas, source, region), 1);
    EXPECT_EQ(RedAt(6, 0), 30);  // column 3 to 6
    // Rows 1 and 2 both land on row 1 (1.0 and 1.5 truncated); the later one stays.
    EXPECT_EQ(RedAt(6, 1), 32);
    EXPECT_EQ(PixelOf(canvas, 1, 0), (Rgb{0, 0, 255})) << "not filled between pixels";
}

TEST_F(CopyRegionTest, RegionsOutsideEitherPictureDrawNothing) {
    SkinRegion region;
    region.width = 4, region.height = 3;
    for (auto change : std::vector<std::function<void(SkinRegion&)>>{
             [](SkinRegion& r) { r.x = 1; }, [](SkinRegion& r) { r.newX = -1; },
             [](SkinRegion& r) { r.newX = 5; }, [](SkinRegion& r) { r.scaleY = 3.0; },
             [](SkinRegion& r) { r.width = -1; }, [](SkinRegion& r) { r.rotated = 1, r.newY = 5; },
             [](SkinRegion& r) { r.scaleX = NAN; }}) {
        SkinRegion bad = region;
        change(bad);
        EXPECT_EQ(CopyRegion(canvas, source, bad), 0);
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(PixelOf(canvas, x, y), (Rgb{0, 0, 255}));
        }
    }
    // Rounding may reach one past the edge: that pixel is dropped, never written outside.
    region.width = 4, region.height = 1, region.scaleX = 0.25, region.newX = 7;
    EXPECT_EQ(CopyRegion(canvas, source, region), 1);
}

TEST(ImageFile, PixelAccessOutsideTheImageOrOnOtherDepthsDoesNothing) {
    C3dImage image;
    ASSERT_EQ(CreateFilled(image, 2, 2, 9, 8, 7), 1);
    uint8_t r = 0, g = 0, b = 0;
    EXPECT_FALSE(GetPixel(image, 2, 0, r, g, b));
    EXPECT_FALSE(GetPixel(image, 0, -1, r, g, b));
    EXPECT_FALSE(SetPixel(image, -1, 0, 1, 1, 1));
    EXPECT_EQ(PixelOf(image, 1, 1), (Rgb{9, 8, 7}));
    EXPECT_EQ(CreateFilled(image, 0, 5, 0, 0, 0), 0);
    C3dImage empty;
    EXPECT_EQ(ToTrueColour(empty), nullptr);
    EXPECT_FALSE(Is24Bit(empty));
}

}  // namespace
