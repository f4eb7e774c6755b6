// Node masks, one file per node, transposes, part names, frame choice and file names.

#include <gtest/gtest.h>

#include "tests/fmtoobj/test_model.h"

namespace {

FlexModelContent ThreeNodeModel() {
    FlexModelContent model = TinyModel();
    AddNode(model, {{GlCommandKind::Fan, {Corner(3, 0, 0), Corner(1, 128, 0), Corner(2, 0, 64)}}});
    return model;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string ObjWith(ConverterOptions options, const char* name = "stand1FFFF.obj") {
    Conversion run = Convert(TinyModel(), options);
    EXPECT_EQ(run.status, 0);
    return run.output.files[name];
}

}  // namespace

TEST(ExportOptions, PerNodeWritesOneFileForEachSelectedNode) {
    ConverterOptions options;
    options.perNode = true;
    options.nodeMask = 0x5;
    Conversion run = Convert(ThreeNodeModel(), options);
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.output.files.size(), 2u);
    EXPECT_TRUE(Contains(run.console, "\nWrote: stand10001.obj\nWrote: stand10004.obj\n"));
    const std::string& node2 = run.output.files["stand10004.obj"];
    EXPECT_TRUE(Contains(node2, "o stand10004.obj\n"));
    EXPECT_TRUE(Contains(node2, "g Node2 stand1\n"));
    EXPECT_FALSE(Contains(node2, "g Node0"));
    EXPECT_TRUE(Contains(node2, "f 3/3 2/2 4/1\n"));
}

TEST(ExportOptions, MaskSelectsGroupsOfOneFile) {
    ConverterOptions options;
    options.nodeMask = 0x5;
    Conversion run = Convert(ThreeNodeModel(), options);
    ASSERT_EQ(run.output.files.size(), 1u);
    const std::string& obj = run.output.files["stand10005.obj"];
    EXPECT_TRUE(Contains(obj, "g Node0 stand1"));
    EXPECT_FALSE(Contains(obj, "g Node1 stand1"));
    EXPECT_TRUE(Contains(obj, "g Node2 stand1"));
}

TEST(ExportOptions, MaskBitsBeyondTheNodesSelectNothing) {
    ConverterOptions options;
    options.nodeMask = 0x80000010;  // nodes 4 and 31 of a two-node file
    Conversion run = Convert(TinyModel(), options);
    EXPECT_EQ(run.status, 0);
    const std::string& obj = run.output.files["stand10010.obj"];
    EXPECT_TRUE(Contains(obj, "\n# Triangles\n\ng stand1\n"));
    EXPECT_FALSE(Contains(obj, "usemtl"));
    options.perNode = true;
    EXPECT_TRUE(Convert(TinyModel(), options).output.files.empty());
}

TEST(ExportOptions, TransposesAndTheirPrecedence) {
    struct Case {
        bool trueSpace, poser, editor;
        const char* vertex;
        const char* texture;
    };
    const Case cases[] = {
        {false, false, false, "v    6.0000  -2.0000   0.2500\n", "vt   0.5000   0.0000\n"},
        {true, false, false, "v    6.0000   0.2500  -2.0000\n", "vt 127.0000   0.0000\n"},
        {false, true, false, "v   -2.0000   0.2500   6.0000\n", "vt   0.5000   1.0000\n"},
        {false, false, true, "v   -6.0000  -2.0000   0.2500\n", "vt   0.5000   0.0000\n"},
        {true, true, true, "v    6.0000   0.2500  -2.0000\n", "vt 127.0000   0.0000\n"},
        {false, true, true, "v   -2.0000   0.2500   6.0000\n", "vt   0.5000   1.0000\n"},
        {true, false, true, "v    6.0000   0.2500  -2.0000\n", "vt 127.0000   0.0000\n"},
    };
    for (const Case& c : cases) {
        ConverterOptions options;
        options.trueSpace = c.trueSpace;
        options.poser = c.poser;
        options.editorOrientation = c.editor;
        std::string obj = ObjWith(options);
        SCOPED_TRACE(std::string(c.vertex));
        EXPECT_TRUE(Contains(obj, "unscaled [10,0,0])\n" + std::string(c.vertex)));
        EXPECT_TRUE(Contains(obj, "[128,0])\n" + std::string(c.texture)));
    }
    ConverterOptions trueSpace;
    trueSpace.trueSpace = true;
    EXPECT_TRUE(Contains(ObjWith(trueSpace), "[0,64])\nvt 255.0000  64.0000\n"));
    ConverterOptions poser;
    poser.poser = true;
    EXPECT_TRUE(Contains(ObjWith(poser), "[0,64])\nvt   0.0000   0.7500\n"));
}

TEST(ExportOptions, PartNamesReplaceGenericGroupNames) {
    FlexModelContent model = TinyModel();
    while (model.meshNodes.size() < 16) {
        AddNode(model, {});
    }
    ConverterOptions options;
    options.partNames = true;
    std::string obj = Convert(model, options).output.files["stand1FFFF.obj"];
    const char* parts[] = {"Front_Torso",   "Back_Torso", "Stored_Staff", "Stored_Bow",
                           "Armor",         "Right_Arm",  "Right_Palm",   "Right_Grip",
                           "Blade_Staff",   "Hellstaff",  "Left_Arm",     "Left_Palm",
                           "Left_Bow_Grip", "Right_Leg",  "Left_Leg",     "Head"};
    std::size_t at = 0;
    for (const char* part : parts) {
        at = obj.find("\ng " + std::string(part) + " stand1\n", at);
        ASSERT_NE(at, std::string::npos) << part;
    }
    EXPECT_FALSE(Contains(obj, "Node"));
    EXPECT_TRUE(Contains(Convert(model).output.files["stand1FFFF.obj"], "\ng Node15 stand1\n"));
}

TEST(ExportOptions, FrameChosenByNameWithItsOwnPackedSpace) {
    FlexModelContent model = TinyModel();
    FlexFrame run = model.frames[0];
    run.name = "run1";
    run.space.translate = {100.0f, 0.0f, 0.0f};
    model.frames.push_back(run);
    AddSkeletonAndReferences(model);
    ConverterOptions options;
    options.frameName = "run1";
    options.extended = true;
    Conversion second = Convert(model, options);
    ASSERT_EQ(second.status, 0);
    EXPECT_TRUE(Contains(second.console, "    searching for frame 'run1'...\n"));
    const std::string& obj = second.output.files["run1FFFF.obj"];
    EXPECT_TRUE(Contains(obj, "v  105.0000   0.0000   0.0000\n"));
    EXPECT_TRUE(Contains(obj, "\ng run1\n\ng Node0 run1\n"));
    EXPECT_TRUE(Contains(second.console, "left hand ref : org=( 100,   0,   0)"));

    options.frameName = ":-)";
    Conversion first = Convert(model, options);
    EXPECT_EQ(first.output.files.count("stand1FFFF.obj"), 1u);
    EXPECT_TRUE(Contains(first.console, "    searching for frame 'stand1'...\n"));
}

TEST(ExportOptions, FrameNamesCannotWriteOutsideTheCurrentDirectory) {
    struct Case {
        const char* frameName;
        const char* fileName;
    };
    const Case cases[] = {{"../evil", "___evilFFFF.obj"},
                          {"a/b", "a_bFFFF.obj"},
                          {"a\\b", "a_bFFFF.obj"},
                          {"x\ty\n", "x_y_FFFF.obj"},
                          {"..", "__FFFF.obj"},
                          {"v1.2", "v1.2FFFF.obj"},
                          {"/etc/passwd", "_etc_passwdFFFF.obj"}};
    for (const Case& c : cases) {
        FlexModelContent model = TinyModel();
        model.frames[0].name = c.frameName;
        Conversion run = Convert(model);
        ASSERT_EQ(run.output.files.size(), 1u) << c.frameName;
        const auto& [name, text] = *run.output.files.begin();
        EXPECT_EQ(name, c.fileName);
        EXPECT_TRUE(Contains(text, "o " + name + "\n"));
        EXPECT_TRUE(Contains(run.console, "Wrote: " + name + "\n"));
    }
}

TEST(ExportOptions, FullLengthFrameNamesWithAndWithoutNul) {
    FlexModelContent model = TinyModel();
    model.frames[0].name = "abcdefghijklmno";  // 15 characters and the NUL
    ConverterOptions options;
    options.frameName = "abcdefghijklmno";
    EXPECT_EQ(Convert(model, options).output.files.count("abcdefghijklmnoFFFF.obj"), 1u);

    // A name field without its NUL is read as its 16 bytes, never beyond.
    std::vector<uint8_t> bytes = BuildFlexModel(model);
    bytes = PatchInt32(bytes, "frames", 36, 0x50505050);
    Conversion run = Convert(bytes);
    EXPECT_EQ(run.output.files.count("abcdefghijklPPPPFFFF.obj"), 1u);
}

TEST(ExportOptions, UncreatableFileIsSkippedSilently) {
    ConverterOptions options;
    options.perNode = true;
    options.nodeMask = 0x5;
    Conversion run = Convert(BuildFlexModel(ThreeNodeModel()), options, {"stand10001.obj"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.files.size(), 1u);
    EXPECT_FALSE(Contains(run.console, "stand10001"));
    EXPECT_TRUE(Contains(run.console, "\nWrote: stand10004.obj\n"));
}
