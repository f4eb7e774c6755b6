#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "bytes/whole_file.h"
#include "editor/io/game_skin.h"
#include "editor/io/image_file.h"
#include "editor/io/m8_codec.h"
#include "editor/io/skin_picture.h"
#include "io_test_support.h"
#include "scene/image.h"

using namespace ::editor::io;
using namespace ::scene;

namespace {

// The layout as the game's tools lay it out, read here without the editor's reader.
struct LaidOut {
    int32_t version = 0;
    std::string name;
    uint32_t width[16] = {}, height[16] = {}, offset[16] = {};
    std::string animationName;
    std::vector<uint8_t> palette;
    int32_t flags = -1, contents = -1, value = -1;
};

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
           static_cast<uint32_t>(b.at(at + 3)) << 24;
}

std::string NameAt(const std::vector<uint8_t>& b, std::size_t at) {
    std::string name(reinterpret_cast<const char*>(b.data() + at), 32);
    return name.substr(0, name.find('\0'));
}

LaidOut ReadLayout(const std::vector<uint8_t>& b) {
    LaidOut m;
    m.version = static_cast<int32_t>(U32At(b, 0));
    m.name = NameAt(b, 4);
    for (int i = 0; i < 16; ++i) {
        m.width[i] = U32At(b, 36 + 4 * i);
        m.height[i] = U32At(b, 100 + 4 * i);
        m.offset[i] = U32At(b, 164 + 4 * i);
    }
    m.animationName = NameAt(b, 228);
    m.palette.assign(b.begin() + 260, b.begin() + 1028);
    m.flags = static_cast<int32_t>(U32At(b, 1028));
    m.contents = static_cast<int32_t>(U32At(b, 1032));
    m.value = static_cast<int32_t>(U32At(b, 1036));
    return m;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(bytes::ReadWholeFile(path, bytes).Ok()) << path;
    return bytes;
}

// The mean of the full-colour pixels a texel of a level of `side` covers, channel c.
double BlockMean(const C3dImage& full, int side, int x, int y, int c) {
    const int block = full.GetWidth() / side;
    double sum = 0;
    for (int sy = y * block; sy < (y + 1) * block; ++sy) {
        for (int sx = x * block; sx < (x + 1) * block; ++sx) {
            uint8_t rgb[3];
            GetPixel(full, sx, sy, rgb[0], rgb[1], rgb[2]);
            sum += rgb[c];
        }
    }
    return sum / (block * block);
}

// Peak signal-to-noise ratio of a written level against the full-colour picture averaged to
// its size.
double LevelPsnr(const C3dImage& full, const LaidOut& m, const std::vector<uint8_t>& file,
                 int level) {
    const int side = static_cast<int>(m.width[level]);
    double squares = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const uint8_t index = file.at(m.offset[level] + y * side + x);
            for (int c = 0; c < 3; ++c) {
                const double d = BlockMean(full, side, x, y, c) - m.palette[index * 3 + c];
                squares += d * d;
            }
        }
    }
    const double mse = squares / (3.0 * side * side);
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

TEST(M8File, GameSkinsFollowTheLayoutReadBackExactlyAndKeepTheirColours) {
    const char* skins[] = {MARIONET_SAMPLES_DIR "/sydney/sydney.bmp",
                           "/usr/share/assimp/models/MD2/faerie2.bmp",
                           "/usr/share/assimp/models/Collada/duckCM.tga"};
    for (const char* source : skins) {
        SCOPED_TRACE(source);
        const std::unique_ptr<C3dImage> full = LoadSkinPicture(source, nullptr);
        ASSERT_NE(full, nullptr);
        M8Picture made;
        ASSERT_TRUE(MakeGameSkin(*full, "models/player/elf/!skin.m8", made).Ok());
        const double psnr = GameSkinPsnr(*full, made);
        std::cout << "[ PSNR     ] " << std::filesystem::path(source).filename().string() << ": "
                  << psnr << " dB\n";
        EXPECT_GE(psnr, 32.0);

        TempDir dir;
        const std::string path = dir.File("!skin.m8");
        WriteText(path, "an older skin");
        ASSERT_TRUE(WriteGameSkin(made, path).Ok());
        const std::vector<uint8_t> file = ReadFile(path);
        ASSERT_GE(file.size(), 1040u);
        const LaidOut m = ReadLayout(file);
        EXPECT_EQ(m.version, 2);
        EXPECT_EQ(m.name, "models/player/elf/!skin.m8");
        EXPECT_EQ(m.animationName, "");
        EXPECT_EQ(m.flags, 0);
        EXPECT_EQ(m.contents, 0);
        EXPECT_EQ(m.value, 0);
        std::size_t end = 1040;
        for (int level = 0; level < 16; ++level) {
            SCOPED_TRACE(level);
            const uint32_t side = level <= 8 ? 256u >> level : 0u;
            EXPECT_EQ(m.width[level], side);
            EXPECT_EQ(m.height[level], side);
            EXPECT_EQ(m.offset[level], side ? end : 0u);
            end += side * side;
            if (side != 0) {
                // Each level is the full-colour picture averaged down, not the level above it
                // quantised twice.
                EXPECT_GE(LevelPsnr(*full, m, file, level), 30.0);
            }
        }
        EXPECT_EQ(file.size(), end);

        // Read back: the editor's picture is level 0 with the file's palette, pixel for pixel.
        C3dImage read;
        ASSERT_EQ(LoadImageFile(read, path, nullptr), 1);
        ASSERT_EQ(read.GetDepth(), 8);
        ASSERT_EQ(read.GetWidth(), 256);
        ASSERT_EQ(read.GetHeight(), 256);
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry& e = read.GetPalette()[i];
            ASSERT_EQ((std::array{e.red, e.green, e.blue}),
                      (std::array{m.palette[i * 3], m.palette[i * 3 + 1], m.palette[i * 3 + 2]}));
        }
        for (int y = 0; y < 256; ++y) {
            ASSERT_EQ(std::memcmp(read.Row(y), file.data() + 1040 + y * 256, 256), 0) << y;
        }
        const std::unique_ptr<C3dImage> asSkin = LoadSkinPicture(path, nullptr);
        ASSERT_NE(asSkin, nullptr);
        EXPECT_EQ(GameSkinPsnr(*asSkin, made), std::numeric_limits<double>::infinity());
    }
}

// A valid little file: 4 x 2, 2 x 1 and 1 x 1 levels, made by the editor's writer.
std::vector<uint8_t> SmallM8() {
    M8Picture picture;
    picture.name = "small";
    for (int i = 0; i < 256; ++i) {
        picture.palette[i * 3] = static_cast<uint8_t>(i);
        picture.palette[i * 3 + 1] = static_cast<uint8_t>(255 - i);
        picture.palette[i * 3 + 2] = 9;
    }
    picture.levels = {{4, 2, {1, 2, 3, 4, 5, 6, 7, 8}}, {2, 1, {10, 11}}, {1, 1, {12}}};
    return EncodeM8(picture);
}

void PutU32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

TEST(M8File, LevelZeroIsReadUprightWithItsPaletteAndLaterLevelsEndAtASideOfZero) {
    std::vector<uint8_t> bytes = SmallM8();
    PutU32(bytes, 36 + 4 * 2, 0);             // level 2 is 0 wide: the levels end there
    PutU32(bytes, 164 + 4 * 2, 0xFFFFFFFFu);  // so its offset is never looked at
    C3dImage image;
    ASSERT_EQ(ReadM8(image, bytes), 1);
    EXPECT_EQ(image.GetName(), "M8 File image");
    const auto rgb = ToTrueColour(image);
    ASSERT_NE(rgb, nullptr);
    ASSERT_EQ(rgb->GetWidth(), 4);
    ASSERT_EQ(rgb->GetHeight(), 2);
    uint8_t r, g, b;
    ASSERT_TRUE(GetPixel(*rgb, 0, 0, r, g, b));  // the file's first index is the top left
    EXPECT_EQ((std::array{r, g, b}), (std::array<uint8_t, 3>{1, 254, 9}));
    ASSERT_TRUE(GetPixel(*rgb, 3, 1, r, g, b));
    EXPECT_EQ((std::array{r, g, b}), (std::array<uint8_t, 3>{8, 247, 9}));
}

TEST(M8File, FilesWhoseSizesOrPlacesDoNotFitAreRefusedSayingWhy) {
    const std::size_t size = SmallM8().size();  // 1040 + 8 + 2 + 1
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> spoil;
        std::string reason;
    };
    const Case cases[] = {
        {"header cut", [](auto& b) { b.resize(1000); },
         "M8 file cut short: 1000 bytes, the header alone takes 1040"},
        {"levels cut", [](auto& b) { b.resize(1044); },
         "M8 level 0 runs past the end of the file: 8 bytes at byte 1040 of 1044"},
        {"version", [](auto& b) { PutU32(b, 0, 3); }, "Not an M8 file: version 3, expected 2"},
        {"offset past the end",
         [size](auto& b) { PutU32(b, 164 + 4, static_cast<uint32_t>(size)); },
         "M8 level 1 runs past the end of the file: 2 bytes at byte 1051 of 1051"},
        {"offset wraps", [](auto& b) { PutU32(b, 164 + 8, 0xFFFFFFFFu); },
         "M8 level 2 runs past the end of the file: 1 bytes at byte 4294967295 of 1051"},
        {"width 0", [](auto& b) { PutU32(b, 36, 0); },
         "M8 level 0 is 0 x 2 pixels: each side must be 1 to 4096"},
        {"height 0", [](auto& b) { PutU32(b, 100, 0); },
         "M8 level 0 is 4 x 0 pixels: each side must be 1 to 4096"},
        {"width over 4096", [](auto& b) { PutU32(b, 36, 4097); },
         "M8 level 0 is 4097 x 2 pixels: each side must be 1 to 4096"},
        {"height over 4096", [](auto& b) { PutU32(b, 100 + 4, 0x80000000u); },
         "M8 level 1 is 2 x 2147483648 pixels: each side must be 1 to 4096"},
        {"tall within 4096", [](auto& b) { PutU32(b, 100, 4096); },
         "M8 level 0 runs past the end of the file: 16384 bytes at byte 1040 of 1051"},
        {"level over the header", [](auto& b) { PutU32(b, 164, 1036); },
         "M8 level 0 overlaps the header: it starts at byte 1036, the pictures at 1040"},
        {"later level over the header", [](auto& b) { PutU32(b, 164 + 8, 0); },
         "M8 level 2 overlaps the header: it starts at byte 0, the pictures at 1040"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = SmallM8();
        c.spoil(bytes);
        Picture picture;
        const Status status = DecodeM8(bytes, picture);
        EXPECT_EQ(status.Kind(), Failure::BadData);
        EXPECT_EQ(status.Reason(), c.reason);
        EXPECT_TRUE(picture.rows.empty());
        C3dImage image;
        EXPECT_EQ(ReadM8(image, bytes), 0);
        EXPECT_TRUE(image.IsEmpty());
    }
}

}  // namespace
