#include "scene/input/memory_settings_store.h"

#include <charconv>

namespace scene::input {

std::string MemorySettingsStore::MakeKey(std::string_view section, std::string_view key) {
    // A NUL cannot appear in either name, so the joined key is unambiguous.
    std::string joined(section);
    joined.push_back('\0');
    joined.append(key);
    return joined;
}

const MemorySettingsStore::Value* MemorySettingsStore::Find(std::string_view section,
                                                            std::string_view key) const {
    auto it = entries_.find(MakeKey(section, key));
    return it == entries_.end() ? nullptr : &it->second;
}

bool MemorySettingsStore::HasEntry(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

int MemorySettingsStore::GetInt(std::string_view section, std::string_view key,
                                int defaultValue) const {
    const Value* value = Find(section, key);
    if (value == nullptr) {
        return defaultValue;
    }
    if (const int* number = std::get_if<int>(value)) {
        return *number;
    }
    // Like a profile read, a number stored as text is accepted; anything else is the default.
    if (const std::string* text = std::get_if<std::string>(value)) {
        int parsed = 0;
        auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), parsed);
        if (error == std::errc() && end == text->data() + text->size()) {
            return parsed;
        }
    }
    return defaultValue;
}

bool MemorySettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
    entries_[MakeKey(section, key)] = value;
    return true;
}

std::string MemorySettingsStore::GetString(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) const {
    const Value* value = Find(section, key);
    if (value == nullptr) {
        return std::string(defaultValue);
    }
    if (const std::string* text = std::get_if<std::string>(value)) {
        return *text;
    }
    if (const int* number = std::get_if<int>(value)) {
        return std::to_string(*number);
    }
    return std::string(defaultValue);
}

bool MemorySettingsStore::WriteString(std::string_view section, std::string_view key,
                                      std::string_view value) {
    entries_[MakeKey(section, key)] = std::string(value);
    return true;
}

std::optional<std::vector<std::uint8_t>> MemorySettingsStore::GetBinary(
    std::string_view section, std::string_view key) const {
    const Value* value = Find(section, key);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(value)) {
        return *bytes;
    }
    return std::nullopt;
}

bool MemorySettingsStore::WriteBinary(std::string_view section, std::string_view key,
                                      std::span<const std::uint8_t> bytes) {
    entries_[MakeKey(section, key)] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    return true;
}

}  // namespace scene::input
