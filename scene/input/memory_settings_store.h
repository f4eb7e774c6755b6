#pragma once

#include <map>
#include <string>
#include <variant>

#include "scene/input/settings_store.h"

namespace scene::input {

// Settings kept in memory: for tests and for batch mode, which starts from the defaults and
// must not touch the user's real profile.
class MemorySettingsStore : public SettingsStore {
  public:
    using Value = std::variant<int, std::string, std::vector<std::uint8_t>>;

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

    std::size_t EntryCount() const { return entries_.size(); }

  private:
    const Value* Find(std::string_view section, std::string_view key) const;
    static std::string MakeKey(std::string_view section, std::string_view key);

    std::map<std::string, Value> entries_;
};

}  // namespace scene::input
