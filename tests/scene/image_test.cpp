#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "scene/image.h"
#include "scene/texture.h"

using namespace ::scene;

namespace {

const std::string DATA = SCENE_TEST_DATA;

std::vector<uint8_t> ReadFixture(const std::string& name) {
    std::ifstream file(DATA + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::string WriteTemp(const std::vector<uint8_t>& bytes, size_t length) {
    // Tests run as parallel processes: each writes its own file.
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string path = testing::TempDir() + "scene_image_" + test->name() + "_" +
                       std::to_string(getpid()) + ".bmp";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(length));
    return path;
}

std::string WriteTemp(const std::vector<uint8_t>& bytes) {
    return WriteTemp(bytes, bytes.size());
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = uint8_t(value >> (8 * i));
    }
}

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

Rgb PixelOf(const C3dImage& image, int x, int y) {
    const uint8_t* row = image.Row(y);
    if (image.GetDepth() == 8) {
        const PaletteEntry& e = image.GetPalette()[row[x]];
        return Rgb{e.red, e.green, e.blue};
    }
    return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
}

// The 8-bit fixtures: 3 x 19, top row red with lime at the right, bottom row blue.
void ExpectGradientPicture(const C3dImage& image) {
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 19);
    EXPECT_EQ(image.GetDepth(), 8);
    EXPECT_FALSE(image.IsRgb());
    EXPECT_EQ(image.GetPitch(), 4);
    EXPECT_EQ(image.GetPaletteSize(), 256);
    EXPECT_EQ(PixelOf(image, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelOf(image, 2, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(PixelOf(image, 1, 18), (Rgb{0, 0, 255}));
    // The stored rows run bottom row first.
    EXPECT_EQ(image.GetBits(), image.Row(18));
}

// The 24-bit fixture: 3 x 2, top-left red, bottom-right lime, the rest white.
void ExpectTrueColourPicture(const C3dImage& image) {
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetDepth(), 24);
    EXPECT_TRUE(image.IsRgb());
    EXPECT_EQ(image.GetPitch(), 12);
    EXPECT_EQ(image.GetPalette(), nullptr);
    EXPECT_EQ(PixelOf(image, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelOf(image, 1, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelOf(image, 2, 1), (Rgb{0, 255, 0}));
    const uint8_t* bottom = image.GetBits();
    EXPECT_EQ(bottom[7], 255);  // green of the bottom-right pixel
}

TEST(BitmapFileTest, LoadsFilesMadeByImageMagick) {
    C3dImage image;
    EXPECT_EQ(image.GetName(), "Image");
    ASSERT_TRUE(image.LoadBitmapFile(DATA + "/palette8.bmp"));
    ExpectGradientPicture(image);
    EXPECT_EQ(image.GetName(), DATA + "/palette8.bmp");

    C3dImage core;
    ASSERT_TRUE(core.LoadBitmapFile(DATA + "/core8.bmp"));
    ExpectGradientPicture(core);

    C3dImage trueColour;
    ASSERT_TRUE(trueColour.LoadBitmapFile(DATA + "/true24.bmp"));
    ExpectTrueColourPicture(trueColour);

    // From bytes already in memory; the name stays.
    C3dImage fromBytes;
    ASSERT_TRUE(fromBytes.LoadBitmapBytes(ReadFixture("true24.bmp")));
    ExpectTrueColourPicture(fromBytes);
    EXPECT_EQ(fromBytes.GetName(), "Image");
}

TEST(BitmapFileTest, EveryTruncationFailsAndLeavesTheImageEmpty) {
    for (const char* name : {"palette8.bmp", "core8.bmp", "true24.bmp"}) {
        std::vector<uint8_t> bytes = ReadFixture(name);
        ASSERT_FALSE(bytes.empty()) << name;
        for (size_t length = 0; length < bytes.size(); ++length) {
            C3dImage image;
            ASSERT_TRUE(image.LoadBitmapResource(C3D_RESOURCE_RED));
            std::string path = WriteTemp(bytes, length);
            EXPECT_FALSE(image.LoadBitmapFile(path)) << name << " cut at " << length;
            EXPECT_TRUE(image.IsEmpty());
            EXPECT_EQ(image.GetWidth(), 0);
        }
    }
}

TEST(BitmapFileTest, HeadersItCannotReadAreRefused) {
    std::vector<uint8_t> good = ReadFixture("true24.bmp");
    struct Damage {
        const char* what;
        size_t at;
        uint32_t value;
        int bytes;
    };
    const Damage damages[] = {
        {"signature", 0, 'B' | ('A' << 8), 2},
        {"header size 108", 14, 108, 4},
        {"header size 124", 14, 124, 4},
        {"header size 0", 14, 0, 4},
        {"16-bit pixels", 28, 16, 2},
        {"32-bit pixels", 28, 32, 2},
        {"4-bit pixels", 28, 4, 2},
        {"compressed", 30, 1, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, 0xFFFFFFFD, 4},
        {"zero height", 22, 0, 4},
        {"huge sides", 18, 16384, 4},
        {"side beyond the limit", 18, 16385, 4},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        if (damage.bytes == 2) {
            Put16(bytes, damage.at, uint16_t(damage.value));
        } else {
            Put32(bytes, damage.at, damage.value);
        }
        C3dImage image;
        EXPECT_FALSE(image.LoadBitmapFile(WriteTemp(bytes))) << damage.what;
        EXPECT_TRUE(image.IsEmpty()) << damage.what;
    }
    C3dImage image;
    EXPECT_FALSE(image.LoadBitmapFile(DATA + "/rle8.bmp"));
    EXPECT_FALSE(image.LoadBitmapFile(DATA + "/no such file.bmp"));
    EXPECT_TRUE(image.IsEmpty());
}

TEST(BitmapFileTest, PaletteCountComesFromTheHeaderWithinLimits) {
    // An 8-bit 2 x 2 picture with a two-entry palette, as many writers make it.
    std::vector<uint8_t> bytes(14 + 40 + 2 * 4 + 2 * 4, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, uint32_t(bytes.size()));
    Put32(bytes, 10, 14 + 40 + 8);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, 2);
    Put32(bytes, 22, 2);
    Put16(bytes, 26, 1);
    Put16(bytes, 28, 8);
    Put32(bytes, 46, 2);                                     // colours used
    const uint8_t palette[] = {0, 0, 255, 0, 255, 0, 0, 0};  // red, blue
    std::memcpy(&bytes[54], palette, sizeof palette);
    const uint8_t rows[] = {0, 1, 0, 0, 1, 1, 0, 0};  // bottom: red blue; top: blue blue
    std::memcpy(&bytes[62], rows, sizeof rows);
    C3dImage image;
    ASSERT_TRUE(image.LoadBitmapFile(WriteTemp(bytes)));
    EXPECT_EQ(PixelOf(image, 0, 1), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelOf(image, 1, 1), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelOf(image, 0, 0), (Rgb{0, 0, 255}));
    // Unused entries are black.
    EXPECT_EQ(image.GetPalette()[2].red, 0);

    Put32(bytes, 46, 257);
    EXPECT_FALSE(image.LoadBitmapFile(WriteTemp(bytes)));
    EXPECT_TRUE(image.IsEmpty());
}

TEST(BitmapFileTest, TopDownRowsAndGapsBeforeThePixels) {
    std::vector<uint8_t> good = ReadFixture("true24.bmp");
    // Top row first, marked by a negative height.
    std::vector<uint8_t> topDown = good;
    Put32(topDown, 22, uint32_t(-2));
    std::copy(good.begin() + 54, good.begin() + 66, topDown.begin() + 66);
    std::copy(good.begin() + 66, good.begin() + 78, topDown.begin() + 54);
    C3dImage image;
    ASSERT_TRUE(image.LoadBitmapFile(WriteTemp(topDown)));
    ExpectTrueColourPicture(image);
    // Pixels further on than the headers, where the file header says they start.
    std::vector<uint8_t> gap = good;
    gap.insert(gap.begin() + 54, 16, 0xEE);
    Put32(gap, 10, 54 + 16);
    ASSERT_TRUE(image.LoadBitmapFile(WriteTemp(gap)));
    ExpectTrueColourPicture(image);
    // A start past the end of the file is a short read.
    Put32(gap, 10, 5000);
    EXPECT_FALSE(image.LoadBitmapFile(WriteTemp(gap)));
}

TEST(BitmapFileTest, EmptyPathAsksForTheFile) {
    std::string filterSeen;
    std::string answer = DATA + "/true24.bmp";
    C3dImage::SetOpenFileChooser([&](const std::string& filter) {
        filterSeen = filter;
        return answer;
    });
    C3dImage image;
    ASSERT_TRUE(image.LoadBitmapFile(""));
    EXPECT_EQ(filterSeen, "Windows bitmaps (*.BMP)|*.BMP|All files (*.*)|*.*||");
    EXPECT_EQ(image.GetName(), answer);
    answer.clear();
    EXPECT_FALSE(image.LoadBitmapFile(""));
    C3dImage::SetOpenFileChooser(nullptr);
    EXPECT_FALSE(image.LoadBitmapFile(""));
}

TEST(ImageTest, CreateCopiesPaddedRowsAndThePalette) {
    BitmapInfoHeader header;
    header.width = 5;
    header.height = 2;
    header.bitCount = 8;
    PaletteEntry palette[256] = {};
    palette[7] = PaletteEntry{1, 2, 3, 0};
    const uint8_t pixels[] = {7, 0, 0, 0, 0, 9, 9, 9, 1, 1, 1, 1, 1, 9, 9, 9};
    C3dImage image;
    ASSERT_TRUE(image.Create(header, palette, pixels));
    EXPECT_EQ(image.GetPitch(), 8);
    EXPECT_EQ(image.GetPalette()[7].red, 3);
    EXPECT_EQ(image.Row(1)[0], 7);
    EXPECT_EQ(image.Row(0)[0], 1);
    EXPECT_EQ(image.Row(2), nullptr);
    EXPECT_EQ(image.Row(-1), nullptr);
    EXPECT_EQ(C3dImage::PitchFor(3, 24), 12);
    EXPECT_EQ(C3dImage::PitchFor(4, 24), 12);
    EXPECT_EQ(C3dImage::PitchFor(5, 24), 16);

    header.bitCount = 32;
    EXPECT_FALSE(image.Create(header, palette, pixels));
    header.bitCount = 8;
    header.height = -2;
    EXPECT_FALSE(image.Create(header, palette, pixels));
    EXPECT_FALSE(image.Create(BitmapInfoHeader{}, nullptr, nullptr));
    // A refused Create keeps the picture there was.
    EXPECT_EQ(image.GetWidth(), 5);
}

TEST(ImageTest, TheFiveColourTextures) {
    const struct {
        int id;
        Rgb colour;
    } expected[] = {{C3D_RESOURCE_BLACK, {0, 0, 0}},
                    {C3D_RESOURCE_WHITE, {255, 255, 255}},
                    {C3D_RESOURCE_BLUE, {0, 0, 255}},
                    {C3D_RESOURCE_RED, {255, 0, 0}},
                    {C3D_RESOURCE_GREEN, {0, 255, 0}}};
    for (const auto& e : expected) {
        C3dTexture texture;
        EXPECT_EQ(texture.GetName(), "3D Texture");
        ASSERT_TRUE(texture.Create(e.id));
        EXPECT_EQ(texture.GetName(), "Image resource");
        EXPECT_EQ(texture.GetWidth(), 32);
        EXPECT_EQ(texture.GetHeight(), 32);
        EXPECT_EQ(PixelOf(texture, 0, 0), e.colour);
        EXPECT_EQ(PixelOf(texture, 31, 31), e.colour);
    }
    C3dTexture texture;
    EXPECT_FALSE(texture.Create(140));
    EXPECT_TRUE(texture.IsEmpty());
    uint64_t revision = texture.GetRevision();
    EXPECT_TRUE(texture.SetTransparentColor(0, 0, 0));
    EXPECT_TRUE(texture.HasTransparentColor());
    EXPECT_GT(texture.GetRevision(), revision);
}

}  // namespace
