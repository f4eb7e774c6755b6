#include "editor/io/imported_model_bytes.h"

#include <gtest/gtest.h>

using namespace ::editor::io;

namespace {

ImportedModel RiggedQuad() {
    ImportedModel model;
    model.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    model.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    model.indices = {0, 1, 2, 0, 2, 3};
    model.rig.bones = {{"hips", -1, {0, 0, 1}}, {"spine", 0, {0, 0, 2}}};
    model.rig.influences = {{{0, 1.0f}}, {{0, 0.5f}, {1, 0.5f}}, {{1, 1.0f}}, {}};
    model.skinName = "*0";
    model.embeddedSkin = {0x89, 'P', 'N', 'G'};
    model.embeddedSkinHint = "png";
    return model;
}

// The model read in the child comes back whole; a stream cut anywhere, or with a count or an
// index changed to point outside, is refused and leaves the target as it was.
TEST(ImportedModelBytes, ComesBackWholeAndADamagedStreamIsRefused) {
    const ImportedModel sent = RiggedQuad();
    const std::vector<uint8_t> bytes = ImportedModelToBytes(sent);
    ImportedModel back;
    ASSERT_TRUE(ImportedModelFromBytes(bytes, back));
    EXPECT_EQ(back.positions, sent.positions);
    EXPECT_EQ(back.uvs, sent.uvs);
    EXPECT_EQ(back.indices, sent.indices);
    ASSERT_EQ(back.rig.bones.size(), 2u);
    EXPECT_EQ(back.rig.bones[1].name, "spine");
    EXPECT_EQ(back.rig.bones[1].parent, 0);
    EXPECT_EQ(back.rig.influences[1][1].bone, 1);
    EXPECT_EQ(back.rig.influences[1][1].weight, 0.5f);
    EXPECT_EQ(back.embeddedSkin, sent.embeddedSkin);
    EXPECT_EQ(back.skinName, "*0");
    EXPECT_EQ(back.embeddedSkinHint, "png");

    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        ImportedModel untouched = RiggedQuad();
        EXPECT_FALSE(ImportedModelFromBytes({bytes.data(), cut}, untouched)) << cut;
        EXPECT_EQ(untouched.positions.size(), 4u);
    }
    // Every 32-bit field set to a huge value (a count, an index, a parent, a bone) is refused
    // or read as a float; it never sizes anything or points outside.
    for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
        std::vector<uint8_t> damaged = bytes;
        damaged[at] = damaged[at + 1] = damaged[at + 2] = 0xff;
        damaged[at + 3] = 0x7f;
        ImportedModel read;
        if (ImportedModelFromBytes(damaged, read)) {
            for (const uint32_t index : read.indices) {
                EXPECT_LT(index, read.positions.size());
            }
        }
    }
}

}  // namespace
