#pragma once

#include <QSettings>
#include <memory>

#include "scene/input/settings_store.h"

namespace platform {

using namespace ::scene::input;

// The settings profile kept with QSettings: organisation and application "Marionet", the
// native format (an INI file under the user's configuration directory on Linux). Sections
// such as "Settings\Window" become groups "Settings/Window". A value of the wrong type (a
// hand-edited or damaged file) reads as absent, so the caller's default is used.
class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();
    // Over a given settings object, e.g. a file of the tests.
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);
    ~QtSettingsStore() override;

    bool HasEntry(std::string_view section, std::string_view key) const override;
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const override;
    bool WriteInt(std::string_view section, std::string_view key, int value) override;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const override;
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    std::optional<std::vector<std::uint8_t>> GetBinary(std::string_view section,
                                                       std::string_view key) const override;
    bool WriteBinary(std::string_view section, std::string_view key,
                     std::span<const std::uint8_t> bytes) override;

    // Writes pending changes to disk; true when the store is in a good state.
    bool Sync();
    QSettings& Settings() { return *settings_; }

    // The QSettings key of a section and key: "Settings\Window", "Top" gives
    // "Settings/Window/Top".
    static QString KeyPath(std::string_view section, std::string_view key);

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace platform
