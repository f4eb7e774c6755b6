#include "platform/file_filter.h"

#include <gtest/gtest.h>

using namespace ::platform;

TEST(FileFilter, ConvertsEachPairAndMatchesEveryCaseOfTheExtension) {
    const QStringList filters =
        ConvertFileFilter("Windows bitmaps (*.BMP)|*.BMP|All files (*.*)|*.*||");
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0], QStringLiteral("Windows bitmaps (*.BMP *.bmp)"));
    // "*.*" would hide names without a dot on Linux.
    EXPECT_EQ(filters[1], QStringLiteral("All files (*)"));
}

TEST(FileFilter, KeepsSeveralPatternsOfOneDescription) {
    const QStringList filters = ConvertFileFilter("Meshes|*.obj;*.3ds||");
    ASSERT_EQ(filters.size(), 1);
    EXPECT_EQ(filters[0], QStringLiteral("Meshes (*.obj *.OBJ *.3ds *.3DS)"));
}

TEST(FileFilter, DropsIncompletePairsAndFallsBackToAllFiles) {
    EXPECT_EQ(ConvertFileFilter(""), QStringList{QStringLiteral("All files (*)")});
    EXPECT_EQ(ConvertFileFilter("||"), QStringList{QStringLiteral("All files (*)")});
    EXPECT_EQ(ConvertFileFilter("Poses|"), QStringList{QStringLiteral("All files (*)")});
    const QStringList filters = ConvertFileFilter("Poses (*.spz)|*.spz|Dangling");
    ASSERT_EQ(filters.size(), 1);
    EXPECT_EQ(filters[0], QStringLiteral("Poses (*.spz *.SPZ)"));
}
