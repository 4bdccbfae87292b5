#include "fakes/FakeSettingsStore.h"

void FakeSettingsStore::Set(const std::string& key, const std::string& name, Value value) {
    keys.insert(key);
    values[key][name] = std::move(value);
}

const FakeSettingsStore::Value* FakeSettingsStore::Find(const std::string& key,
                                                        const std::string& name) const {
    const auto found = values.find(key);
    if (found == values.end()) {
        return nullptr;
    }
    const auto value = found->second.find(name);
    return value == found->second.end() ? nullptr : &value->second;
}

bool FakeSettingsStore::OpenKey(const std::string& key, bool create) {
    if (keys.count(key) != 0) {
        return true;
    }
    if (!create || refuseCreate) {
        return false;
    }
    keys.insert(key);
    return true;
}

SettingRead<std::string> FakeSettingsStore::ReadString(const std::string& key,
                                                       const std::string& name) {
    const Value* value = Find(key, name);
    if (value == nullptr) {
        return {SettingStatus::Missing, {}};
    }
    if (const auto* text = std::get_if<std::string>(value)) {
        return {SettingStatus::Ok, *text};
    }
    return {SettingStatus::WrongType, {}};
}

SettingRead<int32_t> FakeSettingsStore::ReadInteger(const std::string& key,
                                                    const std::string& name) {
    const Value* value = Find(key, name);
    if (value == nullptr) {
        return {SettingStatus::Missing, 0};
    }
    if (const auto* number = std::get_if<int32_t>(value)) {
        return {SettingStatus::Ok, *number};
    }
    return {SettingStatus::WrongType, 0};
}

bool FakeSettingsStore::WriteInteger(const std::string& key, const std::string& name,
                                     int32_t value) {
    if (failWrites || keys.count(key) == 0) {
        return false;
    }
    values[key][name] = value;
    return true;
}
