#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "fmtoobj/sample_models.h"
#include "tests/fmtoobj/test_model.h"

using namespace ::fmtoobj;

TEST(SampleModels, BundledSampleIsWhatTheGeneratorWrites) {
    std::ifstream in(MARIONET_SAMPLE_FM, std::ios::binary);
    ASSERT_TRUE(in) << MARIONET_SAMPLE_FM;
    std::vector<uint8_t> bundled((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    EXPECT_EQ(bundled, BuildFlexModel(SampleModel()));
    ConverterOptions options;
    options.extended = true;
    Conversion run = Convert(bundled, options);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.console.find("\nWrote: stand1FFFF.obj\nleft hand ref : "), std::string::npos);
    EXPECT_NE(run.console.find("neck          : "), std::string::npos);
}

TEST(SampleModels, CapacityModelConvertsNodeByNode) {
    ConverterOptions options;
    options.sparse = true;
    options.perNode = true;
    Conversion run = Convert(CapacityModel(), options);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.files.size(), 16u);
    EXPECT_EQ(run.console.find("ERROR"), std::string::npos);
    const std::string& node15 = run.output.files["stand18000.obj"];
    // Node 15 draws vertices 1792 + (0 .. 224) of its eighth.
    EXPECT_NE(node15.find("# vertex 225 (tris.fm vertex 2016,"), std::string::npos);
    EXPECT_EQ(node15.find("# vertex 226 "), std::string::npos);
}
