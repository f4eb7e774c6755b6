#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scene::input {

// The per-user settings profile ("Marionet" key): values addressed by a section such as
// "Settings\Window" and a key such as "Top". The window keeps them with QSettings; tests and
// batch mode keep them in memory. Reads never fail: a missing or unreadable entry gives the
// caller's default.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // True when the entry exists, whatever its type.
    virtual bool HasEntry(std::string_view section, std::string_view key) const = 0;

    virtual int GetInt(std::string_view section, std::string_view key, int defaultValue) const = 0;
    virtual bool WriteInt(std::string_view section, std::string_view key, int value) = 0;

    virtual std::string GetString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const = 0;
    virtual bool WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    // A binary block, or nothing when absent.
    virtual std::optional<std::vector<std::uint8_t>> GetBinary(std::string_view section,
                                                               std::string_view key) const = 0;
    virtual bool WriteBinary(std::string_view section, std::string_view key,
                             std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace scene::input
