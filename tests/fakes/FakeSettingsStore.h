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
    void Set(const std::string& key, const std::string& name, Value value) {
        keys.insert(key);
        values[key][name] = std::move(value);
    }
    // A stored value, if any.
    const Value* Find(const std::string& key, const std::string& name) const {
        const auto found = values.find(key);
        if (found == values.end()) {
            return nullptr;
        }
        const auto value = found->second.find(name);
        return value == found->second.end() ? nullptr : &value->second;
    }

    bool OpenKey(const std::string& key, bool create) override {
        if (keys.count(key) == 0 && create && !refuseCreate) {
            keys.insert(key);
        }
        return keys.count(key) != 0;
    }
    SettingRead<std::string> ReadString(const std::string& key, const std::string& name) override {
        return Read<std::string>(key, name);
    }
    SettingRead<int32_t> ReadInteger(const std::string& key, const std::string& name) override {
        return Read<int32_t>(key, name);
    }
    bool WriteInteger(const std::string& key, const std::string& name, int32_t value) override {
        if (keys.count(key) == 0) {
            return false;
        }
        values[key][name] = value;
        return true;
    }

    std::set<std::string> keys;
    std::map<std::string, std::map<std::string, Value>> values;
    bool refuseCreate = false; // keys cannot be made

  private:
    template <class T> SettingRead<T> Read(const std::string& key, const std::string& name) {
        const Value* value = Find(key, name);
        if (value == nullptr) {
            return {SettingStatus::Missing, {}};
        }
        const T* typed = std::get_if<T>(value);
        return typed != nullptr ? SettingRead<T>{SettingStatus::Ok, *typed}
                                : SettingRead<T>{SettingStatus::WrongType, {}};
    }
};
