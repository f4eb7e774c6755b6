// Runs the window tests inside one QApplication, with settings and logs kept in a temporary
// configuration directory so no test touches the user's profile.
#include <QApplication>
#include <QStandardPaths>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <cstring>

#include <gtest/gtest.h>

namespace {

bool OnlyListing(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Checked first: InitGoogleTest takes its own flags out of argv.
    const bool listing = OnlyListing(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    if (listing) {
        return RUN_ALL_TESTS();
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marionet"));
    QApplication::setApplicationName(QStringLiteral("MarionetTests"));
    return RUN_ALL_TESTS();
}
