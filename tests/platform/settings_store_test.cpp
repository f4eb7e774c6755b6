#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "editor/shell/settings_names.h"

using namespace ::platform;
using namespace ::editor::shell;

namespace {

class SettingsStoreTest : public testing::Test {
  protected:
    std::unique_ptr<QtSettingsStore> Open() {
        return std::make_unique<QtSettingsStore>(
            std::make_unique<QSettings>(Path(), QSettings::IniFormat));
    }
    QString Path() const { return directory_.filePath(QStringLiteral("Marionet.conf")); }
    void WriteFile(const QByteArray& text) {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir directory_;
};

}  // namespace

TEST(SettingsStoreKeys, SectionsBecomeGroups) {
    EXPECT_EQ(QtSettingsStore::KeyPath("Settings\\Window", "Top"), "Settings/Window/Top");
    EXPECT_EQ(QtSettingsStore::KeyPath("\\Settings\\Joystick\\Pad\\Axis0", "Dead"),
              "Settings/Joystick/Pad/Axis0/Dead");
    EXPECT_EQ(QtSettingsStore::KeyPath("", "Top"), "Top");
}

TEST_F(SettingsStoreTest, ValuesSurviveReopening) {
    const std::vector<uint8_t> block(64, 0x5A);
    {
        auto store = Open();
        EXPECT_TRUE(store->WriteInt(settings::kWindow, settings::kTop, -12));
        EXPECT_TRUE(store->WriteString("Recent File List", "File1", "/tmp/a b.obj"));
        EXPECT_TRUE(store->WriteBinary(settings::kSkeleton, settings::kActiveNodes, block));
    }
    auto store = Open();
    EXPECT_TRUE(store->HasEntry(settings::kWindow, settings::kTop));
    EXPECT_EQ(store->GetInt(settings::kWindow, settings::kTop, 50), -12);
    EXPECT_EQ(store->GetString("Recent File List", "File1", ""), "/tmp/a b.obj");
    EXPECT_EQ(store->GetBinary(settings::kSkeleton, settings::kActiveNodes), block);
}

TEST_F(SettingsStoreTest, MissingEntriesGiveTheDefaults) {
    auto store = Open();
    EXPECT_FALSE(store->HasEntry(settings::kWindow, settings::kWidth));
    EXPECT_EQ(store->GetInt(settings::kWindow, settings::kWidth, 300), 300);
    EXPECT_EQ(store->GetString("Settings", "Name", "none"), "none");
    EXPECT_FALSE(store->GetBinary(settings::kSkeleton, settings::kActiveNodes).has_value());
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongTypeAreIgnored) {
    WriteFile(
        "[Settings]\n"
        "Window\\Top=lots\n"
        "Window\\Left=3.5\n"
        "Window\\Width=@ByteArray(abc)\n"
        "Window\\Height= 420 \n"
        "Skeleton\\ActiveNodes=1\n");
    auto store = Open();
    EXPECT_EQ(store->GetInt(settings::kWindow, settings::kTop, 50), 50);
    EXPECT_EQ(store->GetInt(settings::kWindow, settings::kLeft, 50), 50);
    EXPECT_EQ(store->GetInt(settings::kWindow, settings::kWidth, 300), 300);
    EXPECT_EQ(store->GetInt(settings::kWindow, settings::kHeight, 350), 420);
    EXPECT_FALSE(store->GetBinary(settings::kSkeleton, settings::kActiveNodes).has_value());
}
