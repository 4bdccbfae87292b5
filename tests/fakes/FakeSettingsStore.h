#pragma once
// A settings store for tests: keys and values in memory, with the faults a real store shows.

#include "platform/SettingsStore.h"

#include <map>
#include <set>
#include <string>
#include <variant>

class FakeSettingsStore : public ISettingsStore {
  public:
    using Value = std::variant<std::string, int32_t>;

    // Stores a value, making its key exist.
    void Set(const std::string& key, const std::string& name, Value value);
    // A stored value, if any.
    const Value* Find(const std::string& key, const std::string& name) const;

    bool OpenKey(const std::string& key, bool create) override;
    SettingRead<std::string> ReadString(const std::string& key, const std::string& name) override;
    SettingRead<int32_t> ReadInteger(const std::string& key, const std::string& name) override;
    bool WriteInteger(const std::string& key, const std::string& name, int32_t value) override;

    std::set<std::string> keys;
    std::map<std::string, std::map<std::string, Value>> values;
    bool refuseCreate = false; // keys cannot be made
    bool failWrites = false;   // writes fail
};
