// Finding an opened file's skin: the names each format gives, the lookup beside the file, the
// scaling of a picture to the 256 x 256 skin, and texture coordinates of skins of other sizes.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/io/image_file.h"
#include "editor/io/md2_layout.h"
#include "editor/io/raw_mesh.h"
#include "editor/io/skin_lookup.h"
#include "editor/io/skin_names.h"
#include "editor/io/skin_picture.h"
#include "flexmodel/model_builder.h"
#include "io_test_support.h"
#include "scene/image.h"

using namespace ::editor::io;
using namespace ::flexmodel;
using namespace ::scene;

namespace {

std::vector<uint8_t> TextBytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Name64(const std::string& name) {
    std::vector<uint8_t> field(64, 0);
    std::memcpy(field.data(), name.data(), name.size());
    return field;
}

// An MD2 file that stores `names` as skin names but declares `declared` of them, with one
// triangle, one texture coordinate (s, t) and one frame, on a skin of width x height.
std::vector<uint8_t> Md2WithSkins(const std::vector<std::string>& names, int32_t declared,
                                  int32_t width, int32_t height, int16_t s, int16_t t) {
    const int32_t ofsSkins = 68;
    const int32_t ofsSt = ofsSkins + static_cast<int32_t>(names.size()) * 64;
    const int32_t ofsTris = ofsSt + 4;
    const int32_t ofsFrames = ofsTris + 12;
    const int32_t ofsEnd = ofsFrames + 40 + 12;
    Bytes out;
    for (int32_t word : {0x32504449, 8, width, height, 40 + 12, declared, 3, 1, 1, 0, 1, ofsSkins,
                         ofsSt, ofsTris, ofsFrames, ofsEnd, ofsEnd}) {
        out.I32(word);
    }
    for (const std::string& name : names) {
        out.Append(Name64(name));
    }
    out.U16(static_cast<uint16_t>(s)).U16(static_cast<uint16_t>(t));
    out.U16(0).U16(1).U16(2).U16(0).U16(0).U16(0);
    for (int i = 0; i < 6; ++i) {
        out.F32(i < 3 ? 1.0f : 0.0f);
    }
    out.Append(std::vector<uint8_t>(16, 0));  // the frame's name: empty
    out.Append(std::vector<uint8_t>(12, 1));
    return out.Get();
}

}  // namespace

TEST(SkinNames, EachFormatGivesTheNamesItHolds) {
    FlexModelContent content;
    content.skins = {"models/player/elf/!skin.m8", "b"};
    const std::vector<uint8_t> mtl = TextBytes(
        "newmtl a\n  map_Kd .\\first.jpg\r\nmap_Kd -s 1 1 1 -clamp on my skin.tga\n"
        "map_Ka ambient.tga\nmap_Kd\n");
    const std::vector<uint8_t> maps3ds =
        Chunk3ds(0x4D4D, Chunk3ds(0x3D3D, Chunk3ds(0xAFFF, Chunk3ds(0xA200, [] {
                                                       Bytes name;
                                                       name.Text("TEST.PNG", true);
                                                       return Chunk3ds(0xA300, name.Get());
                                                   }()))));
    std::vector<uint8_t> cut3ds = maps3ds;
    cut3ds.resize(cut3ds.size() - 3);
    const struct {
        const char* what;
        std::vector<std::string> names;
        std::vector<std::string> expected;
    } cases[] = {
        {"flex model", QuakeSkinNames(BuildFlexModel(content), true), content.skins},
        {"md2",
         QuakeSkinNames(Md2WithSkins({"a.pcx", "", "c.pcx"}, 3, 256, 256, 0, 0), false),
         {"a.pcx", "c.pcx"}},
        // A count larger than the file holds gives only the names that are there.
        {"md2 count too large",
         QuakeSkinNames(Md2WithSkins({"a.pcx"}, 900, 256, 256, 0, 0), false),
         {"a.pcx"}},
        {"md2 negative count",
         QuakeSkinNames(Md2WithSkins({"a.pcx"}, -1, 256, 256, 0, 0), false),
         {}},
        {"not a model", QuakeSkinNames(TextBytes("short"), false), {}},
        {"obj",
         ObjMaterialLibraries(TextBytes("v 0 0 0\nmtllib  spider.mtl \nmtllibx a\n")),
         {"spider.mtl"}},
        {"mtl", MtlDiffuseMaps(mtl), {".\\first.jpg", "my skin.tga"}},
        {"3ds", MaterialMaps3ds(maps3ds), {"TEST.PNG"}},
        {"3ds cut short", MaterialMaps3ds(cut3ds), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.names, c.expected) << c.what;
    }
}

TEST(SkinLookup, TheNamedPictureIsFoundBesideTheFileInAnyCaseAndWithAnyPictureExtension) {
    TempDir dir;
    const std::string folder = dir.Path().string();
    WriteText(folder + "/plain.obj", "v 0 0 0\n");
    WriteText(folder + "/spider.obj", "mtllib spider.mtl\n");
    WriteText(folder + "/spider.mtl", "map_Kd .\\wood.jpg\nmap_Kd .\\SpiderTex.jpg\n");
    WriteText(folder + "/wood.jpg", "x");
    WriteText(folder + "/spidertex.JPG", "x");
    WriteText(folder + "/named.obj", "mtllib named.mtl\n");
    WriteText(folder + "/named.mtl", "map_Kd textures\\skin.pcx\n");
    WriteText(folder + "/skin.tga", "x");
    WriteText(folder + "/lonely.obj", "v 0 0 0\n");
    WriteText(folder + "/lonely.bmp", "x");
    // No picture of its own name: the first picture whose name starts with it.
    WriteText(folder + "/knight.md2", "x");
    WriteText(folder + "/knight_weapon.pcx", "x");
    WriteText(folder + "/Knight2.bmp", "x");
    WriteText(folder + "/knight.txt", "x");
    const struct {
        const char* model;
        const char* found;  // "" for none
    } cases[] = {
        {"spider.obj", "spidertex.JPG"},  // named like the model: preferred over the first map
        {"named.obj", "skin.tga"},        // the named picture with another extension
        {"lonely.obj", "lonely.bmp"},     // no names: the model's own name
        {"knight.md2", "Knight2.bmp"},    // a picture named longer than the model
        {"plain.obj", ""},
    };
    for (const auto& c : cases) {
        const SkinSearch search = FindSkinPicture(folder + "/" + c.model);
        if (*c.found == '\0') {
            EXPECT_FALSE(search.found) << c.model;
            EXPECT_EQ(search.lookedFor.front(), "plain.tga");
            EXPECT_EQ(search.lookedFor.size(), SkinPictureExtensions().size() + 1);
            EXPECT_EQ(search.lookedFor.back(), "plain*");
            continue;
        }
        ASSERT_TRUE(search.found) << c.model;
        EXPECT_EQ(std::filesystem::path(*search.found).filename().string(), c.found) << c.model;
    }
    EXPECT_EQ(LookedForText({"a.tga", "a.pcx", "a.bmp"}, 100), "a.tga, a.pcx, a.bmp");
    EXPECT_EQ(LookedForText({"a.tga", "a.pcx", "a.bmp"}, 17), "a.tga, a.pcx, ...");
}

TEST(SkinPicture, APictureIsScaledToTheSkinsTexelsAndRead) {
    // Four quadrants of 300 x 200 pixels shrink to four quadrants of 128 x 128 texels.
    C3dImage picture;
    ASSERT_TRUE(CreateFilled(picture, 600, 400, 0, 0, 0));
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 600; ++x) {
            SetPixel(picture, x, y, x < 300 ? 255 : 0, y < 200 ? 255 : 0, 7);
        }
    }
    const auto skin = ScaledToSkin(picture);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetWidth(), SKIN_SIDE);
    EXPECT_EQ(skin->GetHeight(), SKIN_SIDE);
    const struct {
        int x, y;
        uint8_t r, g;
    } texels[] = {{0, 0, 255, 255},
                  {127, 127, 255, 255},
                  {128, 0, 0, 255},
                  {0, 128, 255, 0},
                  {255, 255, 0, 0}};
    for (const auto& t : texels) {
        uint8_t r = 0, g = 0, b = 0;
        ASSERT_TRUE(GetPixel(*skin, t.x, t.y, r, g, b));
        EXPECT_EQ(r, t.r) << t.x << "," << t.y;
        EXPECT_EQ(g, t.g) << t.x << "," << t.y;
        EXPECT_EQ(b, 7);
    }
    EXPECT_EQ(ScaledToSkin(C3dImage()), nullptr);

    // Targa files are read by the editor itself; PNG needs the window's readers.
    TempDir dir;
    std::vector<uint8_t> tga;
    ASSERT_EQ(WriteTga(picture, tga), 1);
    WriteBytes(dir.Path().string() + "/skin.tga", tga);
    WriteText(dir.Path().string() + "/skin.png", "not decoded here");
    EXPECT_NE(LoadSkinPicture(dir.Path().string() + "/skin.tga", nullptr), nullptr);
    C3dImage::SetPictureDecoder({});
    EXPECT_EQ(LoadSkinPicture(dir.Path().string() + "/skin.png", nullptr), nullptr);
    EXPECT_EQ(LoadSkinPicture(dir.Path().string() + "/missing.tga", nullptr), nullptr);
}

TEST(SkinTexels, TextureCoordinatesOfAnotherSkinSizeAreScaledToTheSkinsTexels) {
    const struct {
        int32_t width, height;
        int16_t s, t;
        float u, v;
    } cases[] = {{256, 256, 100, 200, 100, 200},
                 {512, 128, 100, 100, 50, 200},
                 {308, 193, 308, 193, 256, 256},
                 {0, -5, 10, 20, 10, 20}};  // no usable size: kept as stored
    for (const auto& c : cases) {
        const auto bytes = Md2WithSkins({}, 0, c.width, c.height, c.s, c.t);
        const auto layout = Md2Layout(bytes);
        ASSERT_TRUE(layout);
        RawMesh mesh;
        ASSERT_TRUE(ReadQuakeFrame(*layout, "", mesh)) << c.width;
        ASSERT_EQ(mesh.texVertices.size(), 1u);
        EXPECT_FLOAT_EQ(mesh.texVertices[0][0], c.u) << c.width;
        EXPECT_FLOAT_EQ(mesh.texVertices[0][1], c.v) << c.width;
    }
}
