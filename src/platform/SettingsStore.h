#pragma once
// The settings store the game keeps its configuration in: keys named by a path such as
// "Software\Tarn Software\Ladderly", each holding named string and 32-bit integer values. The
// Qt layer keeps them with QSettings; tests use an in-memory fake.

#include <cstdint>
#include <string>

enum class SettingStatus {
    Ok,
    Missing,   // the key or the value does not exist
    WrongType, // the value exists but is not of the type asked for
};

template <typename T> struct SettingRead {
    SettingStatus status = SettingStatus::Missing;
    T value{};
};

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;

    // Whether the key can be opened; with create, a missing key is made rather than refused.
    virtual bool OpenKey(const std::string& key, bool create) = 0;

    virtual SettingRead<std::string> ReadString(const std::string& key,
                                                const std::string& name) = 0;
    virtual SettingRead<int32_t> ReadInteger(const std::string& key, const std::string& name) = 0;

    // False when the value could not be stored.
    virtual bool WriteInteger(const std::string& key, const std::string& name, int32_t value) = 0;
};
